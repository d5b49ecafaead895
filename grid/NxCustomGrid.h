#pragma once
// The data grid: a cell store (TCells), a column collection (TNxColumns), geometry and
// painting of header, body and grid lines, sorting by header click, selection by mouse and
// keyboard, scrolling, column resizing and moving, hints over cells and headers.
//
// Cells are addressed (column, row): column is the index in Columns() (creation order, not
// display order), row is 0 .. RowCount() - 1.
#include "grid/NxCells.h"
#include "grid/NxColumns.h"
#include "grid/NxCustomGridControl.h"

#include <functional>
#include <memory>
#include <vector>

class TNxInplaceEdit;
class TColumnDisplay;

using TNxCellEvent = std::function<void(TObject* sender, int column, int row)>;
using TNxColumnEvent = std::function<void(TObject* sender, int index)>;

class TNxCustomGrid : public TNxCustomGridControl, public TNxColumnsHost {
public:
    explicit TNxCustomGrid(TComponent* owner);
    ~TNxCustomGrid() override;

    // ---- rows and cells --------------------------------------------------------------------
    TCells* Cells() { return m_cells.get(); }
    TNxColumns* Columns() { return m_columns.get(); }
    int RowCount() const { return m_cells->RowCount(); }
    // Appends n empty rows; returns LastAddedRow (unchanged when n < 1).
    int AddRows(int count);
    // Appends copies of `source`'s rows (indexes in `rows`, in that order): each cell's
    // value, colour and hint, as TCells::AppendRowsFrom copies them; one repaint and one
    // notice for them all. Returns LastAddedRow (unchanged when `rows` is empty).
    int AddRowsFrom(TNxCustomGrid& source, const std::vector<int>& rows);
    // ClearRows followed by AddRowsFrom, reusing the cells already there: the quick way to
    // refill a grid from another. `source` must be another grid.
    int ReplaceRowsFrom(TNxCustomGrid& source, const std::vector<int>& rows);
    void ClearRows();
    // The cell at (column, row); EListError outside the store.
    TCell* CellObject(int column, int row);
    // Raise "Cell out of bounds (c, r)" outside the grid.
    WideString CellText(int column, int row);
    void SetCellText(int column, int row, const WideString& text);
    void InsertRowAt(int index);
    void RemoveRow(int index);
    void MoveRowTo(int from, int to);
    void SwapRowPair(int a, int b);
    bool RowIsVisible(int row) const;
    void SetRowIsVisible(int row, bool visible);
    bool RowIsSelected(int row) const;
    void SetRowIsSelected(int row, bool selected);
    int RowHeightPx(int row) const;
    void SetRowHeightPx(int row, int height);
    void SuspendRefresh() { ++m_refreshSuspended; }
    void ResumeRefresh();
    bool RefreshSuspended() const { return m_refreshSuspended > 0; }
    // Same as SuspendRefresh / ResumeRefresh.
    void BeginUpdate() { SuspendRefresh(); }
    void EndUpdate() { ResumeRefresh(); }
    int StartRowCount() const { return m_startRowCount; }
    void SetStartRowCount(int value);

    int TopRow() const { return m_topRow; }
    int FirstVisibleRow() const { return m_firstVisibleRow; }
    int LastVisibleRow() const { return m_lastVisibleRow; }
    int LastAddedRow() const { return m_lastAddedRow; }
    int CurrentRow() const { return m_currentRow; }
    int CurrentColumn() const { return m_currentColumn; }

    // ---- appearance ------------------------------------------------------------------------
    TAppearanceOptions AppearanceOptions() const { return m_appearanceOptions; }
    void SetAppearanceOptions(TAppearanceOptions value);
    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool value) { m_autoScroll = value; }
    const WideString& GridCaption() const { return m_caption; }
    void SetGridCaption(const WideString& value);
    int FixedCols() const { return m_columns->FixedCols(); }
    void SetFixedCols(int value);
    int FooterSize() const { return m_footerSize; }
    void SetFooterSize(int value);
    TColor GridLinesColor() const { return m_gridLinesColor; }
    void SetGridLinesColor(TColor value);
    TGridLinesStyle GridLinesStyle() const { return m_gridLinesStyle; }
    void SetGridLinesStyle(TGridLinesStyle value);
    int HeaderSize() const { return m_headerSize; }
    void SetHeaderSize(int value);
    bool HideScrollBar() const { return m_hideScrollBar; }
    void SetHideScrollBar(bool value);
    TColor HighlightedTextColor() const { return m_highlightedTextColor; }
    void SetHighlightedTextColor(TColor value);
    THomeEndBehaviour HomeEndBehaviour() const { return m_homeEndBehaviour; }
    void SetHomeEndBehaviour(THomeEndBehaviour value) { m_homeEndBehaviour = value; }
    TColor InactiveSelectionColor() const { return m_inactiveSelectionColor; }
    void SetInactiveSelectionColor(TColor value);
    int InputSize() const { return m_inputSize; }
    void SetInputSize(int value);
    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    int RowSize() const { return m_rowSize; }
    void SetRowSize(int value);
    TColor SelectionColor() const { return m_selectionColor; }
    void SetSelectionColor(TColor value);
    TSelectionMoveDirection SelectionMoveDirection() const { return m_selectionMoveDirection; }
    void SetSelectionMoveDirection(TSelectionMoveDirection v) { m_selectionMoveDirection = v; }
    TSortedStyle SortedStyle() const { return m_sortedStyle; }
    void SetSortedStyle(TSortedStyle value);
    bool WantReturns() const { return m_wantReturns; }
    void SetWantReturns(bool value) { m_wantReturns = value; }
    bool WantTabs() const { return m_wantTabs; }
    void SetWantTabs(bool value) { m_wantTabs = value; }
    bool MouseWheelEnabled() const { return m_mouseWheelEnabled; }
    void SetMouseWheelEnabled(bool value) { m_mouseWheelEnabled = value; }
    TGridStyle GridStyle() const { return gsReport; }

    // ---- geometry --------------------------------------------------------------------------
    int IndicatorWidth() const { return m_options.Contains(goIndicator) ? 12 : 0; }
    TRect HeaderRect();
    TRect BodyRect();
    TRect CellBounds(int column, int row);
    TRect ColumnHeaderRect(TNxCustomColumn* column);
    int RowTop(int row);
    // Horizontal scroll offset of a column: 0 for fixed columns.
    int ColumnScrollOffset(const TNxCustomColumn* column) const;
    int FixedColumnsRight() const;
    void RedrawCell(int column, int row);
    void RedrawRow(int row);
    enum TColumnPartKind { cpAll, cpBody, cpFooter, cpHeader, cpIndicator, cpInput };
    void RedrawColumnPart(TNxCustomColumn* column, TColumnPartKind part);
    // Footers whose formula depends on the rows (of one column, or of all for -1).
    void RedrawFormulaFooters(int column);
    void RecalcHorzScroll();
    void RecalcVertScroll();
    TColor PaintedBackground(int column, int row);
    TColor PaintedTextColor(int column, int row);
    int LineMarginLeft() const { return m_marginLeft; }
    int LineMarginTop() const { return m_marginTop; }
    int LineMarginRight() const { return m_marginRight; }
    int LineMarginBottom() const { return m_marginBottom; }

    // ---- hit testing -----------------------------------------------------------------------
    TGridArea AreaAt(TPoint p);
    // Column under x in the header or body (display order), nullptr outside.
    TNxCustomColumn* ColumnAtX(int x);
    // Row under y in the body (walking visible rows from TopRow), -1 below the rows.
    int RowAtY(int y);

    // ---- sorting, selection, scrolling ------------------------------------------------------
    void SortByColumn(TNxCustomColumn* column, bool ascending);
    void SelectCell(int column, int row, bool clearSelection = true, TShiftState shift = 0);
    void SelectRow(int row);
    void ScrollRowIntoView(int row);
    void ScrollColumnIntoView(TNxCustomColumn* column);
    // Number of visible rows from TopRow that fit entirely in the body.
    int FullyVisibleRowCount();
    void BeginCellEdit(int column, int row, const WideString& initialText);
    void EndEditing();
    bool Editing() const { return m_editColumn >= 0; }
    // Scrolls the view by whole rows (negative: up).
    void ScrollRows(int delta);

    // ---- events ----------------------------------------------------------------------------
    TNxCellEvent OnChange;
    std::function<void(TObject* sender, int kind, int index)> OnDataChange;
    std::function<void(TObject* sender, int column, int row, TColor& background, TColor& lineColor,
                       TCellStates flags)>
        OnCellColoring;
    std::function<void(TObject* sender, int column, int row, TRect rect, TCellStates flags,
                       bool& defaultFill)>
        OnDrawCellBackground;
    std::function<void(TObject* sender, int column, int row, TColor& textColor,
                       TFontStyles& fontStyle, TCellStates flags)>
        OnCellFormating;
    std::function<void(TObject* sender, int column, int row, TRect rect, TCellStates flags)>
        OnCustomDrawCell;
    std::function<void(TObject* sender, int column, int row, WideString& hint)> OnCellHint;
    TNotifyEvent OnPostDraw;
    TNxColumnEvent OnHeaderClick;
    TNxColumnEvent OnHeaderDblClick;
    std::function<void(TObject* sender, int index, bool ascending)> OnSortColumn;
    TNxColumnEvent OnAfterSort;
    std::function<void(TObject* sender, TCell* cell1, TCell* cell2, int& result)> OnCompare;
    std::function<void(TObject* sender, int column, int row, bool& accept)> OnBeforeSelect;
    TNxCellEvent OnSelectCell;
    TNxCellEvent OnDeselectCell;
    TNxCellEvent OnCellClick;
    TNxCellEvent OnCellDblClick;
    std::function<void(TObject* sender, int index, int oldPos, int newPos)> OnColumnMove;
    TNxColumnEvent OnColumnResize;
    std::function<void(TObject* sender, int position)> OnVerticalScroll;
    std::function<void(TObject* sender, int position)> OnHorizontalScroll;
    std::function<void(TObject* sender, int column, int row, bool& accept)> OnBeforeEdit;

    // ---- TNxColumnsHost --------------------------------------------------------------------
    void ColumnChanged(TNxCustomColumn* column, TColumnChange change, int value) override;
    void ColumnsChanged(TDataChangeKind kind, int index) override;
    const TFont& GridFont() const override { return *Font(); }
    int ColumnsClientWidth() const override;
    bool IndicatorShown() const override { return m_options.Contains(goIndicator); }
    TCanvas* MeasureCanvas() override;

    void WndProc(TMessage& message) override;

    // Interaction state, for tests and the column drag box.
    TNxCustomColumn* PressedHeader() const { return m_pressedHeader; }
    TNxCustomColumn* ResizingColumn() const { return m_resizeColumn; }
    TNxCustomColumn* DraggedColumn() const { return m_dragColumn; }
    TPoint HoverCell() const { return m_hoverCell; }

protected:
    void Paint() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void Resize() override;

    // Message handlers.
    void WMVScroll(TMessage& m);
    void WMHScroll(TMessage& m);
    void WMSetFocusGrid(TMessage& m);
    void WMKillFocusGrid(TMessage& m);
    void WMGetDlgCode(TMessage& m);
    void WMLButtonDblClk(TMessage& m);
    void WMSetCursorGrid(TMessage& m);
    void CMMouseLeaveGrid(TMessage& m);
    void CMFontChangedGrid(TMessage& m);
    void CMEnabledChangedGrid(TMessage& m);
    void WMCancelMode(TMessage& m);
    void WMTimerGrid(TMessage& m);

private:
    // Repaint, scroll range and notices after rows from `oldCount` on were appended.
    int RowsAdded(int oldCount);
    // Empties the grid's row state around `replace`, which swaps the store's rows.
    void ReplaceRows(const std::function<void()>& replace);
    friend class TNxGridPainter;

    // Store callbacks.
    void CellChanged(int column, int row);
    TCellTemplate TemplateOf(int column);

    // Painting (NxGridPaint.cpp).
    void PaintRows(TCanvas& canvas);
    void PaintCell(TCanvas& canvas, TNxCustomColumn* column, int col, int row, const TRect& r);
    void PaintEmptyCell(TCanvas& canvas, TNxCustomColumn* column, int col, int row, const TRect& r);
    void PaintGridLines(TCanvas& canvas, TNxCustomColumn* column, const TRect& r, bool inStore,
                        bool lastRow, TColor lineColor);
    void PaintHeaders(TCanvas& canvas);
    void PaintFocusRect(TCanvas& canvas);
    void PaintCaption(TCanvas& canvas);
    void PaintDropMarks(TCanvas& canvas);
    TRect CellClipRect(TNxCustomColumn* column, const TRect& r);
    bool CellIsSelected(TNxCustomColumn* column, int col, int row);
    TColor CellBackground(TNxCustomColumn* column, TCell* cell, bool selected);
    int BodyTop() const;
    int RowHeightOrDefault(int row) const;
    // All rows visible and RowSize high: row tops follow by arithmetic.
    bool UniformRows() const;
    TRect FocusRect();
    void RecalcLineMargins();
    int ScrollingAreaLeft() const;

    // Rows helpers.
    int FirstVisibleFrom(int row) const;
    int LastVisibleAtOrBefore(int row) const;
    int VisibleRowsBetween(int from, int to) const;
    int StepVisible(int row, int delta) const;
    void SetTopRow(int row);
    void InvalidateBody();

    // Sorting (NxGridSort.cpp).
    void SortRows(TNxCustomColumn* column, bool descending);

    // Input (NxGridInput.cpp).
    void HeaderMouseDown(int x, int y);
    void HeaderMouseUp(int x, int y);
    void BodyMouseDown(int x, int y, TShiftState shift);
    int ResizeBorderColumnAt(int x, int y);
    void StartResize(TNxCustomColumn* column, int x);
    void DrawResizeLines();
    void FitColumn(TNxCustomColumn* column);
    void UpdateDrag(int x, int y);
    int DropPosition(int x);
    void DrawDragBox(TCanvas& canvas, TPoint at);
    void UpdateHover(int x, int y);
    bool FormActive() const;
    void MoveCurrentRow(int delta);
    void MoveCurrentColumn(int delta);
    void PageMove(bool down);
    void CancelInteractions();
    void SetVertPosition(int position);
    void SetHorzPosition(int position);
    void CommitEdit(bool accept);
    void SearchText(char16_t c);
    void InvalidateIndicatorRow(int row);

    std::unique_ptr<TCells> m_cells;
    std::unique_ptr<TNxColumns> m_columns;

    // Row state.
    int m_topRow = 0;
    int m_firstVisibleRow = 0;
    int m_lastVisibleRow = 0;
    int m_currentRow = -1;
    int m_currentColumn = 0;
    int m_lastAddedRow = -1;
    int m_refreshSuspended = 0;
    int m_startRowCount = 0;

    // Appearance.
    TAppearanceOptions m_appearanceOptions{aoHideSelection, aoHighlightSlideCells};
    bool m_autoScroll = false;
    WideString m_caption;
    int m_footerSize = 18;
    TColor m_gridLinesColor = clBtnFace;
    TGridLinesStyle m_gridLinesStyle = lsNormal;
    int m_headerSize = 18;
    bool m_hideScrollBar = true;
    TColor m_highlightedTextColor = clHighlightText;
    THomeEndBehaviour m_homeEndBehaviour = hebTopBottom;
    TColor m_inactiveSelectionColor = clBtnFace;
    int m_inputSize = 16;
    TGridOptions m_options{goHeader};
    bool m_readOnly = false;
    int m_rowSize = 16;
    TColor m_selectionColor = clHighlight;
    TSelectionMoveDirection m_selectionMoveDirection = mdDown;
    TSortedStyle m_sortedStyle = soDefault;
    bool m_wantReturns = false;
    bool m_wantTabs = false;
    bool m_mouseWheelEnabled = true;
    int m_marginLeft = 0;
    int m_marginTop = 0;
    int m_marginRight = 0;
    int m_marginBottom = 0;
    int m_marginVertical = 0;
    bool m_customHeights = false; // some row's height differs from RowSize

    // Interaction.
    TNxCustomColumn* m_sortedColumn = nullptr;
    TPoint m_mouseDownPoint{-1, -1};
    TPoint m_mouseDownCell{-1, -1};
    TNxCustomColumn* m_pressedHeader = nullptr;
    TNxCustomColumn* m_resizeColumn = nullptr;
    int m_resizeStartX = 0;
    int m_resizeDelta = 0;
    bool m_resizeLinesShown = false;
    TNxCustomColumn* m_dragColumn = nullptr;
    bool m_dragging = false;
    TPoint m_dragPos;
    int m_dropPosition = -1;
    TPoint m_hoverCell{-1, -1};
    int m_anchorRow = -1;
    TNxCustomColumn* m_hoverHeader = nullptr;
    int m_editColumn = -1;
    int m_editRow = -1;
    TNxInplaceEdit* m_editor = nullptr; // the editor in use: the grid's own or a column's
    std::unique_ptr<TNxInplaceEdit> m_ownEditor;
    WideString m_searchText;
    std::unique_ptr<TBitmap> m_measureBitmap;
    std::unique_ptr<class TNxDragBox> m_dragBox;
};

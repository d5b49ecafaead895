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
#include "grid/NxEditController.h"
#include "grid/NxGridMouse.h"
#include "grid/NxGridNavigator.h"
#include "grid/NxGridPainter.h"

#include <functional>
#include <limits>
#include <memory>
#include <vector>

using TNxCellEvent = std::function<void(TObject* sender, int column, int row)>;
using TNxColumnEvent = std::function<void(TObject* sender, int index)>;

// The grid's parts: TNxGridPainter paints, TNxGridMouse turns the mouse into clicks, sorts,
// resizes, drags and hints, TNxGridNavigator keeps the current cell and the view,
// TNxEditController edits a cell in place. The grid itself holds the rows, the columns, the
// properties and the geometry they share.
class TNxCustomGrid : public TNxCustomGridControl, public TNxColumnsHost, public TAccessibleTable {
public:
    explicit TNxCustomGrid(TComponent* owner);
    ~TNxCustomGrid() override;

    // ---- rows and cells --------------------------------------------------------------------
    TCells* Cells() { return m_cells.get(); }
    const TCells* Cells() const { return m_cells.get(); }
    TNxColumns* Columns() { return m_columns.get(); }
    const TNxColumns* Columns() const { return m_columns.get(); }
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
    void SuspendRefresh();
    void ResumeRefresh();
    bool RefreshSuspended() const { return m_refreshSuspended > 0; }
    // Same as SuspendRefresh / ResumeRefresh.
    void BeginUpdate() { SuspendRefresh(); }
    void EndUpdate() { ResumeRefresh(); }
    int StartRowCount() const { return m_startRowCount; }
    void SetStartRowCount(int value);

    int TopRow() const { return m_navigator.TopRow(); }
    int FirstVisibleRow() const { return m_navigator.FirstVisibleRow(); }
    int LastVisibleRow() const { return m_navigator.LastVisibleRow(); }
    int LastAddedRow() const { return m_lastAddedRow; }
    int CurrentRow() const { return m_navigator.CurrentRow(); }
    int CurrentColumn() const { return m_navigator.CurrentColumn(); }

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

    // ---- geometry (NxGridGeometry.cpp) ------------------------------------------------------
    int IndicatorWidth() const { return m_options.Contains(goIndicator) ? 12 : 0; }
    TRect HeaderRect() const;
    TRect BodyRect() const;
    // Top of the body: below the header and the input line.
    int BodyTop() const;
    TRect CellBounds(int column, int row) const;
    TRect ColumnHeaderRect(const TNxCustomColumn* column) const;
    int RowTop(int row) const;
    // A row's height; RowSize past the last row.
    int RowHeightOrDefault(int row) const;
    // Horizontal scroll offset of a column: 0 for fixed columns.
    int ColumnScrollOffset(const TNxCustomColumn* column) const;
    // Left edge of the part that scrolls horizontally (right of the fixed columns).
    int ScrollingAreaLeft() const;
    // Number of visible rows from TopRow that fit entirely in the body.
    int FullyVisibleRowCount() const;
    int VisibleRowsBetween(int from, int to) const;
    // The first visible row at or after `row` (0 when none), the last at or before it.
    int FirstVisibleFrom(int row) const;
    int LastVisibleAtOrBefore(int row) const;
    int LineMarginLeft() const { return m_marginLeft; }
    int LineMarginTop() const { return m_marginTop; }
    int LineMarginRight() const { return m_marginRight; }
    int LineMarginBottom() const { return m_marginBottom; }

    // Invalidation of parts of the client area (nothing while refresh is suspended where the
    // rows are concerned).
    void RedrawCell(int column, int row);
    void RedrawRow(int row);
    enum TColumnPartKind { cpAll, cpBody, cpFooter, cpHeader, cpIndicator, cpInput };
    void RedrawColumnPart(TNxCustomColumn* column, TColumnPartKind part);
    // Footers whose formula depends on the rows (of one column, or of all for -1).
    void RedrawFormulaFooters(int column);
    void InvalidateBody();
    // From the top of `row` down to the bottom of the body.
    void InvalidateRowsFrom(int row);

    // ---- hit testing -----------------------------------------------------------------------
    TGridArea AreaAt(TPoint p) const;
    // Column under x in the header or body (display order), nullptr outside.
    TNxCustomColumn* ColumnAtX(int x) const;
    // Row under y in the body (walking visible rows from TopRow), -1 below the rows.
    int RowAtY(int y) const;

    // ---- colours a cell is painted with ----------------------------------------------------
    TColor PaintedBackground(int column, int row);
    TColor PaintedTextColor(int column, int row);

    // ---- sorting, selection, scrolling, editing ---------------------------------------------
    void SortByColumn(TNxCustomColumn* column, bool ascending);
    // Sorts by a column the way its header does (the arrow shows, a second time turns the
    // order round): ascending or descending as asked.
    void SortColumnAs(TNxCustomColumn* column, bool ascending);
    void SelectCell(int column, int row, bool clearSelection = true, TShiftState shift = 0) {
        m_navigator.SelectCell(column, row, clearSelection, shift);
    }
    void SelectRow(int row) { m_navigator.SelectRow(row); }
    void ScrollRowIntoView(int row) { m_navigator.ScrollRowIntoView(row); }
    void BeginCellEdit(int column, int row, const WideString& initialText);

    // ---- the parts -------------------------------------------------------------------------
    TNxGridNavigator& Navigator() { return m_navigator; }
    const TNxGridNavigator& Navigator() const { return m_navigator; }
    TNxEditController& EditController() { return m_edit; }
    const TNxEditController& EditController() const { return m_edit; }
    const TNxGridMouse& Mouse() const { return m_mouse; }

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
    // What a screen reader says for a cell (column by index), starting from its shown text
    // or, for a picture, its hint (NxGridAccessible.cpp).
    std::function<void(TObject* sender, int column, int row, WideString& text)>
        OnCellAccessibleText;
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

    // ---- the table as a screen reader sees it (NxGridAccessible.cpp) -------------------------
    // Columns are the visible ones in display order; rows are all rows.
    void DescribeAccessible(TAccessibleInfo& info) const override;
    int AccessibleRowCount() const override;
    int AccessibleColumnCount() const override;
    WideString AccessibleColumnHeader(int column) const override;
    TRect AccessibleHeaderBounds(int column) const override;
    WideString AccessibleCellText(int column, int row) const override;
    TRect AccessibleCellBounds(int column, int row) const override;
    int AccessibleSelectedRow() const override;
    void AccessibleSelectRow(int row) override;
    void AccessibleSortByColumn(int column) override;

    // ---- TNxColumnsHost --------------------------------------------------------------------
    void ColumnChanged(TNxCustomColumn* column, TColumnChange change, int value) override;
    void ColumnsChanged(TDataChangeKind kind, int index) override;
    const TFont& GridFont() const override { return *Font(); }
    int ColumnsClientWidth() const override;
    bool IndicatorShown() const override { return m_options.Contains(goIndicator); }
    TCanvas* MeasureCanvas() override;

protected:
    void Paint() override;
    // The grid paints every pixel of its client area itself: rows, empty cells, headers and
    // the strip right of the columns. Filling it first would only be painted over.
    void EraseBackground(TCanvas&) override {}
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

    // Message handlers (NxGridInput.cpp).
    void WMGetDlgCode(TWMGetDlgCode& m) override;
    void WMVScroll(TWMScroll& m) override;
    void WMHScroll(TWMScroll& m) override;
    void WMSize(TWMSize& m) override;
    void WMTimer(TWMTimer& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMCancelMode(TWMNoParams& m) override;
    void CMCancelMode(TCMCancelMode& m) override;
    void CMMouseLeave(TCMMouseEnterLeave& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;

private:
    // Repaint, scroll range and notices after rows from `oldCount` on were appended.
    int RowsAdded(int oldCount);
    // Empties the grid's row state around `replace`, which swaps the store's rows.
    void ReplaceRows(const std::function<void()>& replace);
    // Store callbacks.
    void CellChanged(int column, int row);
    TCellTemplate TemplateOf(int column);
    void RecalcLineMargins();
    // All rows visible and RowSize high: row tops follow by arithmetic.
    bool UniformRows() const;
    void RepaintCurrent();
    void ClientSizeChanged();

    std::unique_ptr<TCells> m_cells;
    std::unique_ptr<TNxColumns> m_columns;
    TNxGridNavigator m_navigator{*this};
    TNxEditController m_edit{*this};
    TNxGridMouse m_mouse{*this};
    TNxGridPainter m_painter{*this};

    int m_lastAddedRow = -1;
    int m_refreshSuspended = 0;
    int m_startRowCount = 0;
    TNxCustomColumn* m_sortedColumn = nullptr; // the column last sorted

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
    // Widths of the grid lines around a cell, from GridLinesStyle and the options.
    int m_marginLeft = 0;
    int m_marginTop = 0;
    int m_marginRight = 0;
    int m_marginBottom = 0;
    int m_marginVertical = 0;
    bool m_customHeights = false; // some row's height differs from RowSize

    std::unique_ptr<TBitmap> m_measureBitmap;
    // Rows from this index on lay below the body at the last paint; the painter sets it. Until
    // the first paint every row counts as shown.
    int m_rowsShownEnd = std::numeric_limits<int>::max();
    friend class TNxGridPainter;
    TSize m_clientSize; // as last laid out
    int m_sizeNesting = 0;
    static constexpr int kMaxSizeNesting = 4;
};

#pragma once
// Where the grid's view stands and which cell is current: the row at the top, the first and
// last visible rows, the current cell, the two scroll bars' ranges and positions, and what
// moves them (SelectCell, the keys, the wheel, the scroll bar messages, incremental search).
// The grid tells it when rows come and go so the view stays in step.
#include "ui/Controls.h"

class TNxCustomGrid;
class TNxCustomColumn;
struct TRow;

class TNxGridNavigator {
public:
    explicit TNxGridNavigator(TNxCustomGrid& grid) : m_grid(grid) {}
    TNxGridNavigator(const TNxGridNavigator&) = delete;
    TNxGridNavigator& operator=(const TNxGridNavigator&) = delete;

    int TopRow() const { return m_topRow; }
    int FirstVisibleRow() const { return m_firstVisibleRow; }
    int LastVisibleRow() const { return m_lastVisibleRow; }
    int CurrentRow() const { return m_currentRow; }
    int CurrentColumn() const { return m_currentColumn; }

    // ---- the current cell ------------------------------------------------------------------
    // Every mouse and keyboard move ends here; OnBeforeSelect may refuse.
    void SelectCell(int column, int row, bool clearSelection, TShiftState shift);
    void SelectRow(int row);

    // ---- the view --------------------------------------------------------------------------
    void ScrollRowIntoView(int row);
    void ScrollColumnIntoView(TNxCustomColumn* column);
    // Scrolls the view by whole visible rows (negative: up).
    void ScrollRows(int delta);
    // Clamped to the bars' ranges; the horizontal one ends an edit and tells OnHorizontalScroll.
    void SetVertPosition(int position);
    void SetHorzPosition(int position);
    void RecalcHorzScroll();
    void RecalcVertScroll();

    // ---- input -----------------------------------------------------------------------------
    void VertScrollMessage(TWMScroll& m);
    void HorzScrollMessage(TWMScroll& m);
    // The wheel: rows while the vertical bar can scroll, else columns. Never moves the
    // current cell.
    void Wheel(TShiftState shift, int wheelDelta);
    // Returns false for a key the grid leaves to others (the key then stays unhandled).
    bool KeyDown(WORD key, TShiftState shift);
    // A printable character that started no edit: incremental search in the search column.
    void SearchChar(char16_t c);
    // The search text's timer ran out.
    void EndSearch();
    static constexpr uintptr_t SearchTimerId = 0x4E58;
    // A pause in typing this long starts the incremental search afresh.
    static constexpr unsigned SearchPauseMs = 700;

    // ---- keeping in step with the rows -----------------------------------------------------
    // The rows were replaced or cleared: no current row, view at the top.
    void RowsReset();
    // Rows were appended; `last` is the new last row.
    void RowsAppended(int last);
    void RowInserted(int index);
    // `index` was removed; `wasVisible` tells whether it counted as a visible row.
    void RowRemoved(int index, bool wasVisible);
    // The rows were reordered; `current` is the record of the row that was current.
    void RowsReordered(const TRow* current);
    // Visibility or order changed: the first and last visible rows are found again.
    void FindVisibleRange();
    // Columns left the collection: the current column stays a valid index.
    void ColumnsRemoved(bool all);
    // A column went in at `index` of the creation order: the current cell keeps its column.
    void ColumnInserted(int index);

private:
    void SetTopRow(int row);
    // The position a scroll bar message asks `bar` for; false for a code that asks for none.
    bool RequestedPosition(const TWMScroll& m, int bar, int& pos);
    void MoveCurrentRow(int delta);
    void MoveCurrentColumn(int delta);
    void MoveHomeEnd(bool home);
    void MoveTab(bool back);
    void PageMove(bool down);
    void InvalidateIndicatorRow(int row);

    TNxCustomGrid& m_grid;
    int m_topRow = 0;
    int m_firstVisibleRow = 0;
    int m_lastVisibleRow = 0;
    int m_currentRow = -1;
    int m_currentColumn = 0;
    int m_anchorRow = -1; // first row of a shift range (multi-select)
    WideString m_searchText;
};

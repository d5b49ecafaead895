#pragma once
// What the mouse does over the grid: a press on a header (a click that sorts), on a
// header's right border (resizing the column, or fitting it on a double click), a drag of a
// header to another place, clicks on cells, and hovering, which shows hints over cells,
// headers and footers and sets the cursor.
#include "grid/NxCustomGridControl.h"

#include <memory>

class TNxCustomGrid;
class TNxCustomColumn;
class TNxDragBox;

class TNxGridMouse {
public:
    explicit TNxGridMouse(TNxCustomGrid& grid);
    ~TNxGridMouse();
    TNxGridMouse(const TNxGridMouse&) = delete;
    TNxGridMouse& operator=(const TNxGridMouse&) = delete;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(int x, int y);
    void MouseUp(TMouseButton button, int x, int y);
    // The mouse left the grid: no hint, no hot header.
    void MouseLeft();
    // Ends a press, a resize or a drag without effect (focus lost, mode cancelled).
    void Cancel();
    // Forgets columns that are no longer in the collection.
    void ForgetRemovedColumns();
    // The rows were replaced: the hovered cell is gone.
    void ForgetHoverCell();

    // The column whose header the left button is held on (it has coCanClick).
    TNxCustomColumn* PressedHeader() const { return m_pressedHeader; }
    TNxCustomColumn* ResizingColumn() const { return m_resizeColumn; }
    TNxCustomColumn* DraggedColumn() const { return m_dragColumn; }
    bool Dragging() const { return m_dragging; }
    // Where the dragged column would land, -1 when it would not.
    int DropPosition() const { return m_dropPosition; }
    TPoint HoverCell() const { return m_hoverCell; }

private:
    void HeaderDown(int x, int y, bool doubleClick, int border);
    void BodyDown(int x, int y, TShiftState shift, bool doubleClick);
    void HeaderUp(int x, int y);
    void BodyUp(int x, int y);
    // Index of the column whose right border is under (x, y) in the header, or -1.
    int ResizeBorderColumnAt(int x, int y) const;
    void StartResize(TNxCustomColumn* column, int x);
    void DrawResizeLines();
    void EndResize();
    void FitColumn(TNxCustomColumn* column);
    void StartDrag();
    void UpdateDrag(int x, int y);
    void EndDrag(int x, int y);
    int DropPositionAt(int x) const;
    void UpdateCursor(int x, int y);
    // Whether y in the indicator lies on a row's bottom border.
    bool OverRowBorder(int y) const;
    void UpdateHover(int x, int y);
    void ShowPartHint(TNxHintKind kind, TNxCustomColumn* column, const WideString& hint, int top);
    void HoverCellAt(int x, int y);
    bool FormActive() const;

    TNxCustomGrid& m_grid;
    TPoint m_downPoint{-1, -1};
    TPoint m_downCell{-1, -1};
    TNxCustomColumn* m_pressedHeader = nullptr;
    TNxCustomColumn* m_resizeColumn = nullptr;
    int m_resizeStartX = 0;
    int m_resizeDelta = 0;
    TNxCustomColumn* m_dragColumn = nullptr;
    bool m_dragging = false;
    int m_dropPosition = -1;
    TPoint m_hoverCell{-1, -1};
    TNxCustomColumn* m_hoverHeader = nullptr;
    std::unique_ptr<TNxDragBox> m_dragBox;
};

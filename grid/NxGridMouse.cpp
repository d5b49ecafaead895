#include "grid/NxGridMouse.h"

#include "grid/NxColumnDisplays.h"
#include "grid/NxCustomGrid.h"
#include "grid/NxDisplays.h"
#include "grid/NxDragBox.h"
#include "grid/NxEditController.h"
#include "platform/Display.h"
#include "ui/Forms.h"

#include <algorithm>
#include <cstdlib>

namespace {
// How far the mouse moves with the button held on a header before the header is dragged.
constexpr int kDragThreshold = 3;
// A column's resize border reaches this far left and right of its right edge.
constexpr int kBorderLeft = 3;
constexpr int kBorderRight = 2;
} // namespace

TNxGridMouse::TNxGridMouse(TNxCustomGrid& grid) : m_grid(grid) {}

TNxGridMouse::~TNxGridMouse() = default;

bool TNxGridMouse::FormActive() const {
    TCustomForm* form = GetParentForm(&m_grid);
    return form && form->Active();
}

// ---- pressing -----------------------------------------------------------------------------

void TNxGridMouse::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button != mbLeft) return;
    m_grid.HideGridHint();
    const bool doubleClick = (shift & ssDouble) != 0;
    const int border = ResizeBorderColumnAt(x, y);
    const TGridArea area = m_grid.AreaAt({x, y});
    if (area == gaHeader || border >= 0) {
        HeaderDown(x, y, doubleClick, border);
        return;
    }
    m_grid.EditController().End();
    if (area == gaBody) BodyDown(x, y, shift, doubleClick);
}

void TNxGridMouse::HeaderDown(int x, int y, bool doubleClick, int border) {
    TNxColumns& columns = *m_grid.Columns();
    if (doubleClick) {
        if (border >= 0) {
            TNxCustomColumn* column = columns.Item(border);
            if (column->KindCapabilities() & ckFitOnBorderDblClick) FitColumn(column);
        } else if (TNxCustomColumn* column = m_grid.ColumnAtX(x);
                   column && m_grid.OnHeaderDblClick) {
            m_grid.OnHeaderDblClick(&m_grid, columns.IndexOf(column));
        }
        return;
    }
    if (border >= 0) {
        StartResize(columns.Item(border), x);
        return;
    }
    TNxCustomColumn* column = m_grid.ColumnAtX(x);
    if (column && column->Options().Contains(coCanClick)) {
        m_pressedHeader = column;
        m_downPoint = {x, y};
        m_grid.RedrawColumnPart(column, TNxCustomGrid::cpHeader);
    }
}

void TNxGridMouse::BodyDown(int x, int y, TShiftState shift, bool doubleClick) {
    TNxCustomGrid& g = m_grid;
    const int row = g.RowAtY(y);
    TNxCustomColumn* column = g.ColumnAtX(x);
    if (row < 0 || !column) return;
    const int col = g.Columns()->IndexOf(column);
    const bool wasCurrent = col == g.CurrentColumn() && row == g.CurrentRow();
    g.SelectCell(col, row, true, shift);
    if (g.RowTop(row) + g.RowHeightOrDefault(row) > g.BodyRect().Bottom) g.ScrollRowIntoView(row);
    m_downCell = {col, row};
    m_downPoint = {x, y};
    if (doubleClick) {
        if (g.OnCellDblClick) g.OnCellDblClick(&g, col, row);
        return;
    }
    if (column->EditingCapabilities().Contains(coEditing) &&
        (!g.Options().Contains(goSecondClickEdit) || wasCurrent))
        g.BeginCellEdit(col, row, g.Cells()->Cell(col, row)->TextValue());
}

// ---- moving -------------------------------------------------------------------------------

void TNxGridMouse::MouseMove(int x, int y) {
    if (m_resizeColumn) {
        DrawResizeLines();
        const int width =
            std::max(m_resizeColumn->MinWidth(), m_resizeColumn->Width() + x - m_resizeStartX);
        m_resizeDelta = width - m_resizeColumn->Width();
        DrawResizeLines();
        return;
    }
    // A pressed header exists only while the left button is held on it.
    if (m_pressedHeader && !m_dragging && !m_pressedHeader->Options().Contains(coDisableMoving) &&
        !m_grid.Options().Contains(goDisableColumnMoving) &&
        (std::abs(x - m_downPoint.X) > kDragThreshold ||
         std::abs(y - m_downPoint.Y) > kDragThreshold))
        StartDrag();
    if (m_dragging) {
        UpdateDrag(x, y);
        return;
    }
    UpdateCursor(x, y);
    UpdateHover(x, y);
}

// The resize cursor over a header border, the column's own over its cells.
void TNxGridMouse::UpdateCursor(int x, int y) {
    TCursor cursor = crDefault;
    const TGridArea area = m_grid.AreaAt({x, y});
    if (ResizeBorderColumnAt(x, y) >= 0) {
        cursor = crNxHorzSplit;
    } else if (area == gaBody) {
        if (TNxCustomColumn* column = m_grid.ColumnAtX(x)) cursor = column->Cursor();
    } else if (area == gaIndicator && y >= m_grid.BodyTop()) {
        cursor = m_grid.Options().Contains(goRowResizing) && OverRowBorder(y) ? crNxVertSplit
                                                                              : crNxIndicatorSelect;
    }
    if (m_grid.Cursor() != cursor) m_grid.SetCursor(cursor);
}

// A row's bottom edge, give or take two pixels: close enough to grab with the mouse.
bool TNxGridMouse::OverRowBorder(int y) const {
    constexpr int reach = 2;
    const int above = m_grid.RowAtY(y - reach);
    return above >= 0 && m_grid.RowAtY(y + reach) != above;
}

// ---- releasing ----------------------------------------------------------------------------

void TNxGridMouse::MouseUp(TMouseButton button, int x, int y) {
    if (button != mbLeft) return;
    if (m_resizeColumn) {
        EndResize();
        return;
    }
    if (m_dragging) {
        EndDrag(x, y);
        return;
    }
    if (m_pressedHeader) {
        HeaderUp(x, y);
        return;
    }
    BodyUp(x, y);
}

void TNxGridMouse::HeaderUp(int x, int y) {
    TNxCustomGrid& g = m_grid;
    TNxCustomColumn* column = m_pressedHeader;
    m_pressedHeader = nullptr;
    if (g.OnHeaderClick) g.OnHeaderClick(&g, g.Columns()->IndexOf(column));
    g.RedrawColumnPart(column, TNxCustomGrid::cpHeader);
    if (g.AreaAt({x, y}) == gaHeader && g.ColumnAtX(x) == column &&
        column->Options().Contains(coCanSort)) {
        if (column->Sorted())
            column->SetSortKind(column->SortKind() == skAscending ? skDescending : skAscending);
        else
            column->SetSorted(true);
    }
    m_downPoint = {-1, -1};
}

void TNxGridMouse::BodyUp(int x, int y) {
    TNxCustomGrid& g = m_grid;
    if (g.AreaAt({x, y}) == gaBody && m_downCell.X >= 0) {
        TNxCustomColumn* column = g.ColumnAtX(x);
        const int row = g.RowAtY(y);
        if (column && g.Columns()->IndexOf(column) == m_downCell.X && row == m_downCell.Y &&
            g.OnCellClick)
            g.OnCellClick(&g, m_downCell.X, m_downCell.Y);
    }
    m_downCell = {-1, -1};
    m_downPoint = {-1, -1};
}

void TNxGridMouse::MouseLeft() {
    m_grid.HideGridHint();
    m_hoverCell = {-1, -1};
    if (m_hoverHeader) {
        m_grid.RedrawColumnPart(m_hoverHeader, TNxCustomGrid::cpHeader);
        m_hoverHeader = nullptr;
    }
}

void TNxGridMouse::Cancel() {
    if (m_resizeColumn) {
        DrawResizeLines();
        m_resizeColumn = nullptr;
    }
    if (m_dragBox) m_dragBox->ReleaseHandle();
    m_dragging = false;
    m_dragColumn = nullptr;
    if (m_pressedHeader) {
        m_grid.RedrawColumnPart(m_pressedHeader, TNxCustomGrid::cpHeader);
        m_pressedHeader = nullptr;
    }
    if (m_hoverHeader) {
        m_grid.RedrawColumnPart(m_hoverHeader, TNxCustomGrid::cpHeader);
        m_hoverHeader = nullptr;
    }
    m_downPoint = {-1, -1};
}

void TNxGridMouse::ForgetRemovedColumns() {
    const TNxColumns& columns = *m_grid.Columns();
    auto gone = [&](TNxCustomColumn* column) { return column && columns.IndexOf(column) < 0; };
    if (gone(m_pressedHeader)) m_pressedHeader = nullptr;
    if (gone(m_resizeColumn)) m_resizeColumn = nullptr;
    if (gone(m_dragColumn)) {
        m_dragColumn = nullptr;
        m_dragging = false;
    }
    if (gone(m_hoverHeader)) m_hoverHeader = nullptr;
}

void TNxGridMouse::ForgetHoverCell() {
    m_hoverCell = {-1, -1};
}

// ---- column resizing ----------------------------------------------------------------------

int TNxGridMouse::ResizeBorderColumnAt(int x, int y) const {
    const TNxCustomGrid& g = m_grid;
    if (!g.Options().Contains(goHeader) || y < 0 || y >= g.HeaderSize()) return -1;
    const TNxColumns& columns = *g.Columns();
    const int scrollLeft = g.ScrollingAreaLeft();
    for (TNxCustomColumn* column : columns.DisplayOrder()) {
        if (!column->Visible() || column->Options().Contains(coFixedSize)) continue;
        const bool fixed = column->Position() < columns.FixedCols();
        if (!fixed && x <= scrollLeft) continue;
        const int right = column->Left() - g.ColumnScrollOffset(column) + column->Width();
        if (x >= right - kBorderLeft && x <= right + kBorderRight) return columns.IndexOf(column);
    }
    return -1;
}

void TNxGridMouse::StartResize(TNxCustomColumn* column, int x) {
    m_resizeColumn = column;
    m_resizeStartX = x;
    m_resizeDelta = 0;
    DrawResizeLines();
}

// Two inverted lines: at the column's left edge and where its right edge would go. Drawing
// them again erases them.
void TNxGridMouse::DrawResizeLines() {
    TNxCustomGrid& g = m_grid;
    if (!m_resizeColumn || !g.HandleAllocated()) return;
    TCanvas* dc = GetDC(g.Handle());
    if (!dc) return;
    const int left = m_resizeColumn->Left() - g.ColumnScrollOffset(m_resizeColumn);
    const int first = g.Columns()->IndexOf(m_resizeColumn) == 0 ? left : left - 1;
    const int second = left + m_resizeColumn->Width() + m_resizeDelta - 1;
    const int h = g.ClientHeight();
    dc->InvertRect({first, 0, first + 1, h});
    if (second != first) dc->InvertRect({second, 0, second + 1, h});
    ReleaseDC(g.Handle(), dc);
}

void TNxGridMouse::EndResize() {
    DrawResizeLines();
    TNxCustomColumn* column = m_resizeColumn;
    m_resizeColumn = nullptr;
    column->SetWidth(column->Width() + m_resizeDelta);
}

// The widest content of the column's visible rows, measured as the text-fit hint measures.
void TNxGridMouse::FitColumn(TNxCustomColumn* column) {
    TNxCustomGrid& g = m_grid;
    const int col = g.Columns()->IndexOf(column);
    TColumnDisplay* painter = column->Display();
    TCanvas* canvas = g.MeasureCanvas();
    canvas->SetFont(*column->Font());
    painter->Canvas = canvas;
    int widest = 0;
    for (int r = 0; r < g.RowCount(); ++r) {
        if (!g.RowIsVisible(r)) continue;
        TCell* cell = g.Cells()->Cell(col, r);
        TCellValues& v = painter->Values;
        v.Text = cell->TextValue();
        v.Int = column->ValueKind() == vkInteger ? cell->IntValue() : 0;
        v.Float = column->ValueKind() == vkFloat ? cell->FloatValue() : 0;
        canvas->Font()->SetStyle(cell->FontStyle());
        widest = std::max(widest, painter->ContentWidth());
    }
    column->SetWidth(2 * column->Padding() + 5 + std::max(8, widest));
}

// ---- column moving ------------------------------------------------------------------------

// The floating header picture: the column's header with a black line along its right and
// bottom edges.
void TNxGridMouse::StartDrag() {
    TNxCustomGrid& g = m_grid;
    m_dragging = true;
    m_dragColumn = m_pressedHeader;
    if (!m_dragBox) m_dragBox = std::make_unique<TNxDragBox>(nullptr);
    TBitmap& pic = m_dragBox->Picture;
    // At the screen's scale, so that the header's caption stays sharp while it floats.
    pic.SetScale(HasDisplay() ? CurrentDisplay().DeviceScale() : 1);
    pic.SetSize(m_dragColumn->Width(), g.HeaderSize());
    TStyleDisplay* painter = g.HeaderDisplay();
    TCanvas* saved = painter->Canvas;
    painter->Canvas = pic.Canvas();
    pic.Canvas()->SetFont(*g.Font());
    painter->DrawHeader(m_dragColumn, {0, 0, pic.Width(), pic.Height()}, false);
    pic.Canvas()->Brush()->SetColor(clBlack);
    pic.Canvas()->FillRect({pic.Width() - 1, 0, pic.Width(), pic.Height()});
    pic.Canvas()->FillRect({0, pic.Height() - 1, pic.Width(), pic.Height()});
    painter->Canvas = saved;
}

int TNxGridMouse::DropPositionAt(int x) const {
    const TNxCustomGrid& g = m_grid;
    TNxCustomColumn* target = g.ColumnAtX(x);
    if (!target || !m_dragColumn) return -1;
    if (target == m_dragColumn) return m_dragColumn->Position();
    const int left = target->Left() - g.ColumnScrollOffset(target);
    const int dragPos = m_dragColumn->Position();
    if (x >= left + target->Width() / 2)
        return target->Position() + (dragPos >= target->Position() ? 1 : 0);
    if (target->Position() < dragPos) return target->Position();
    // Dropping before a column right of the dragged one: the place of the column before it.
    const auto& order = g.Columns()->DisplayOrder();
    for (int p = target->Position() - 1; p >= 0; --p)
        if (order[size_t(p)]->Visible()) return order[size_t(p)]->Position();
    return target->Position();
}

void TNxGridMouse::UpdateDrag(int x, int y) {
    TNxCustomGrid& g = m_grid;
    if (!m_dragBox) return;
    const TPoint screen = g.ClientToScreen({x, y});
    const TBitmap& pic = m_dragBox->Picture;
    m_dragBox->ShowAt({screen.X - pic.Width() / 2, screen.Y + 4 - pic.Height()});
    const bool overHeader = g.AreaAt({x, y}) == gaHeader;
    const int drop = overHeader ? DropPositionAt(x) : -1;
    if (drop != m_dropPosition) {
        m_dropPosition = drop;
        g.RedrawColumnPart(nullptr, TNxCustomGrid::cpHeader); // the drop marks move
    }
    const TCursor cursor = overHeader ? crDefault : crNxColumnNoDrag;
    if (g.Cursor() != cursor) g.SetCursor(cursor);
}

void TNxGridMouse::EndDrag(int x, int y) {
    TNxCustomGrid& g = m_grid;
    TNxCustomColumn* column = m_dragColumn;
    const bool overHeader = g.AreaAt({x, y}) == gaHeader;
    const int drop = overHeader ? DropPositionAt(x) : -1;
    m_dragging = false;
    m_dragColumn = nullptr;
    m_pressedHeader = nullptr;
    m_dropPosition = -1;
    if (m_dragBox) m_dragBox->ReleaseHandle();
    g.SetCursor(crDefault);
    if (overHeader) {
        const int fixed = g.Columns()->FixedCols();
        const bool locked = g.Options().Contains(goLockFixedCols) &&
                            ((column->Position() < fixed) != (drop < fixed));
        if (drop >= 0 && drop != column->Position() && !locked) column->SetPosition(drop);
    } else if (g.Options().Contains(goCanHideColumn)) {
        column->SetVisible(false);
    }
    g.RedrawColumnPart(nullptr, TNxCustomGrid::cpHeader);
}

// ---- hints --------------------------------------------------------------------------------

// A header's or footer's hint, shown below the column's left edge at `top`.
void TNxGridMouse::ShowPartHint(TNxHintKind kind, TNxCustomColumn* column, const WideString& hint,
                                int top) {
    TNxCustomGrid& g = m_grid;
    const bool appHints = Application && Application->ShowHint();
    if (column && !hint.empty() && FormActive() && appHints)
        g.ShowGridHint(kind, hint, {column->Left() - g.ColumnScrollOffset(column), top},
                       g.ClientWidth());
    else
        g.HideGridHint();
}

void TNxGridMouse::UpdateHover(int x, int y) {
    TNxCustomGrid& g = m_grid;
    const TGridArea area = g.AreaAt({x, y});
    if (area == gaHeader) {
        m_hoverCell = {-1, -1};
        TNxCustomColumn* column = g.ColumnAtX(x);
        if (column == m_hoverHeader && g.HintKind() == hkHeader) return;
        m_hoverHeader = column;
        ShowPartHint(hkHeader, column, column ? column->Header()->Hint() : WideString(),
                     g.HeaderSize() + 2);
        return;
    }
    m_hoverHeader = nullptr;
    if (area == gaFooter) {
        TNxCustomColumn* column = g.ColumnAtX(x);
        ShowPartHint(hkFooter, column, column ? column->Footer()->Hint() : WideString(),
                     g.ClientHeight() + 2);
        return;
    }
    if (area != gaBody) {
        m_hoverCell = {-1, -1};
        g.HideGridHint();
        return;
    }
    HoverCellAt(x, y);
}

// Over a cell: the whole text when it does not fit its column (coShowTextFitHint), else the
// cell's own hint. Moving over the same cell shows nothing again.
void TNxGridMouse::HoverCellAt(int x, int y) {
    TNxCustomGrid& g = m_grid;
    TNxCustomColumn* column = g.ColumnAtX(x);
    const int row = g.RowAtY(y);
    const int col = column ? g.Columns()->IndexOf(column) : -1;
    if (col == m_hoverCell.X && row == m_hoverCell.Y) return;
    g.HideGridHint();
    m_hoverCell = {col, row};
    if (!column || row < 0 || !FormActive() || g.EditController().Editing()) return;
    const TRect cell = g.CellBounds(col, row);
    if (column->Options().Contains(coShowTextFitHint)) {
        TCell* c = g.Cells()->Cell(col, row);
        TColumnDisplay* painter = column->Display();
        TCanvas* canvas = g.MeasureCanvas();
        canvas->SetFont(*column->Font());
        canvas->Font()->SetStyle(c->FontStyle());
        painter->Canvas = canvas;
        TCellValues& v = painter->Values;
        v.Text = c->TextValue();
        v.Int = column->ValueKind() == vkInteger ? c->IntValue() : 0;
        v.Float = column->ValueKind() == vkFloat ? c->FloatValue() : 0;
        if (column->Width() < painter->ContentWidth() + 5) {
            g.ShowGridHint(hkTextFit, column->DisplayText(v), cell.TopLeft(), g.ClientWidth());
            return;
        }
    }
    WideString hint = g.Cells()->Cell(col, row)->Hint();
    if (g.OnCellHint) g.OnCellHint(&g, col, row, hint);
    const bool appHints = Application && Application->ShowHint();
    if (!hint.empty() && appHints)
        g.ShowGridHint(hkCell, hint, {cell.Left + column->Width(), cell.Top - 20}, 250);
}

// Geometry of the grid: where the header, the body, each row and each cell lie, what is
// under a point, and the invalidation of parts of the client area.
#include "grid/NxCustomGrid.h"

#include <algorithm>

int TNxCustomGrid::ColumnScrollOffset(const TNxCustomColumn* column) const {
    if (column && column->Position() < m_columns->FixedCols()) return 0;
    return m_horzScrollBar.Position();
}

int TNxCustomGrid::ScrollingAreaLeft() const {
    return m_columns->FixedWidth() + IndicatorWidth();
}

TRect TNxCustomGrid::HeaderRect() const {
    if (!m_options.Contains(goHeader)) return {};
    const int ind = IndicatorWidth();
    return {ind, 0, m_columns->TotalWidth() + ind - m_horzScrollBar.Position(), m_headerSize};
}

int TNxCustomGrid::BodyTop() const {
    int top = m_options.Contains(goHeader) ? m_headerSize : 0;
    if (m_options.Contains(goInput)) top += m_inputSize + 6 + m_marginBottom;
    return top;
}

TRect TNxCustomGrid::BodyRect() const {
    const int ind = IndicatorWidth();
    TRect r;
    r.Left = ind;
    r.Top = BodyTop();
    r.Right = std::min(ClientWidth(), m_columns->TotalWidth() + ind - m_horzScrollBar.Position());
    r.Bottom = ClientHeight();
    if (m_options.Contains(goFooter)) r.Bottom -= m_footerSize + 4 + m_marginBottom;
    return r;
}

bool TNxCustomGrid::UniformRows() const {
    return !m_customHeights && m_cells->VisibleRowCount() == m_cells->RowCount();
}

int TNxCustomGrid::RowHeightOrDefault(int row) const {
    return row >= 0 && row < RowCount() ? m_cells->Row(row)->Height : m_rowSize;
}

int TNxCustomGrid::RowTop(int row) const {
    const int base = BodyTop() + m_marginTop;
    if (UniformRows()) return base + (row - TopRow()) * (m_rowSize + m_marginVertical);
    const int limit = ClientHeight() + m_rowSize;
    int y = base;
    if (row >= TopRow()) {
        // Past the bottom of the window the exact value no longer matters: stop there.
        for (int r = TopRow(); r < row && y <= limit; ++r)
            if (r >= RowCount() || RowIsVisible(r)) y += RowHeightOrDefault(r) + m_marginVertical;
    } else {
        for (int r = TopRow() - 1; r >= row && y >= -limit; --r)
            if (RowIsVisible(r)) y -= RowHeightOrDefault(r) + m_marginVertical;
    }
    return y;
}

TRect TNxCustomGrid::CellBounds(int column, int row) const {
    const TNxCustomColumn* c = m_columns->Item(column);
    const int left = c->Left() - ColumnScrollOffset(c);
    const int top = RowTop(row);
    return {left, top, left + c->Width(), top + RowHeightOrDefault(row)};
}

TRect TNxCustomGrid::ColumnHeaderRect(const TNxCustomColumn* column) const {
    const int left = column->Left() - ColumnScrollOffset(column);
    return {left, 0, left + column->Width(), m_headerSize};
}

void TNxCustomGrid::RedrawCell(int column, int row) {
    if (!HandleAllocated() || column < 0 || column >= m_columns->Count() || row < 0 ||
        row >= RowCount())
        return;
    // Most changes while a long list fills land below the window: settle that first.
    const int top = RowTop(row);
    if (top - m_marginTop >= ClientHeight() || top + RowHeightOrDefault(row) < BodyTop()) return;
    TRect r = CellBounds(column, row);
    r.Right += m_marginBottom;
    r.Bottom += m_marginBottom;
    if (r.Bottom <= BodyTop() || r.Top >= ClientHeight() || r.Right <= 0 || r.Left >= ClientWidth())
        return;
    InvalidateRect(Handle(), &r, false);
}

void TNxCustomGrid::RedrawRow(int row) {
    if (!HandleAllocated() || row < 0) return;
    const int top = RowTop(row);
    const TRect r{0, top - m_marginTop, ClientWidth(),
                  top + RowHeightOrDefault(row) + m_marginBottom};
    if (r.Bottom <= BodyTop() || r.Top >= ClientHeight()) return;
    InvalidateRect(Handle(), &r, false);
}

void TNxCustomGrid::RedrawColumnPart(TNxCustomColumn* column, TColumnPartKind part) {
    if (RefreshSuspended() || !HandleAllocated()) return;
    if (!column) {
        Invalidate();
        return;
    }
    const int left = column->Left() - ColumnScrollOffset(column);
    TRect r{left - 1, 0, left + column->Width() + 1, ClientHeight()};
    const TRect body = BodyRect();
    switch (part) {
    case cpBody:
        r.Top = body.Top;
        r.Bottom = body.Bottom;
        break;
    case cpHeader:
        r.Bottom = m_headerSize;
        break;
    case cpFooter:
        r.Top = body.Bottom;
        break;
    case cpIndicator:
        r.Left = 0;
        r.Right = IndicatorWidth();
        break;
    case cpInput:
        r.Top = m_options.Contains(goHeader) ? m_headerSize : 0;
        r.Bottom = body.Top;
        break;
    default:
        break;
    }
    InvalidateRect(Handle(), &r, false);
}

int TNxCustomGrid::FullyVisibleRowCount() const {
    const TRect body = BodyRect();
    const int available = body.Height() - m_marginTop;
    if (available <= 0) return 0;
    if (UniformRows()) {
        const int fit = available / (m_rowSize + m_marginVertical);
        return std::max(0, std::min(fit, RowCount() - TopRow()));
    }
    int n = 0;
    int used = 0;
    for (int r = TopRow(); r < RowCount(); ++r) {
        if (!RowIsVisible(r)) continue;
        used += RowHeightOrDefault(r) + m_marginVertical;
        if (used > available) break;
        ++n;
    }
    return n;
}

int TNxCustomGrid::VisibleRowsBetween(int from, int to) const {
    if (to <= from) return 0;
    if (m_cells->VisibleRowCount() == RowCount()) return to - from;
    int n = 0;
    for (int r = std::max(0, from); r < to && r < RowCount(); ++r)
        if (RowIsVisible(r)) ++n;
    return n;
}

int TNxCustomGrid::FirstVisibleFrom(int row) const {
    for (int r = std::max(0, row); r < RowCount(); ++r)
        if (RowIsVisible(r)) return r;
    return 0;
}

int TNxCustomGrid::LastVisibleAtOrBefore(int row) const {
    for (int r = std::min(row, RowCount() - 1); r >= 0; --r)
        if (RowIsVisible(r)) return r;
    return 0;
}

void TNxCustomGrid::InvalidateBody() {
    if (!HandleAllocated()) return;
    TRect r = BodyRect();
    r.Left = 0;
    r.Right = ClientWidth();
    InvalidateRect(Handle(), &r, false);
}

void TNxCustomGrid::InvalidateRowsFrom(int row) {
    if (!HandleAllocated() || RefreshSuspended()) return;
    const TRect body = BodyRect();
    const int top = std::max(body.Top, RowTop(row) - m_marginTop);
    if (top < body.Bottom) {
        const TRect r{0, top, ClientWidth(), body.Bottom};
        InvalidateRect(Handle(), &r, false);
    }
}

// ---- hit testing --------------------------------------------------------------------------

TGridArea TNxCustomGrid::AreaAt(TPoint p) const {
    if (m_options.Contains(goHeader) && HeaderRect().Contains(p)) return gaHeader;
    const TRect body = BodyRect();
    if (m_options.Contains(goInput)) {
        const int top = m_options.Contains(goHeader) ? m_headerSize : 0;
        if (p.Y >= top && p.Y < body.Top && p.X >= body.Left && p.X < body.Right) return gaInput;
    }
    if (body.Contains(p)) return gaBody;
    if (m_options.Contains(goFooter) && p.Y >= body.Bottom && p.X >= body.Left && p.X < body.Right)
        return gaFooter;
    if (m_options.Contains(goIndicator) && p.X >= 0 && p.X < IndicatorWidth()) return gaIndicator;
    return gaNone;
}

TNxCustomColumn* TNxCustomGrid::ColumnAtX(int x) const {
    const int scrollLeft = ScrollingAreaLeft();
    for (TNxCustomColumn* column : m_columns->DisplayOrder()) {
        if (!column->Visible()) continue;
        const bool fixed = column->Position() < m_columns->FixedCols();
        if (!fixed && x < scrollLeft) continue;
        const int left = column->Left() - ColumnScrollOffset(column);
        if (x >= left && x <= left + column->Width()) return column;
    }
    return nullptr;
}

int TNxCustomGrid::RowAtY(int y) const {
    const int top = BodyTop() + m_marginTop;
    if (y < top) return -1;
    if (UniformRows()) {
        const int row = TopRow() + (y - top) / (m_rowSize + m_marginVertical);
        return row < RowCount() ? row : -1;
    }
    int rowTop = top;
    for (int r = TopRow(); r < RowCount(); ++r) {
        if (!RowIsVisible(r)) continue;
        const int next = rowTop + RowHeightOrDefault(r) + m_marginVertical;
        if (y < next) return r;
        rowTop = next;
        if (rowTop > ClientHeight()) break;
    }
    return -1;
}

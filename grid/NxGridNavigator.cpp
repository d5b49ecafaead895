#include "grid/NxGridNavigator.h"

#include "grid/NxCustomGrid.h"
#include "grid/NxEditController.h"

#include <algorithm>
#include <cstdlib>

// ---- the current cell ---------------------------------------------------------------------

void TNxGridNavigator::InvalidateIndicatorRow(int row) {
    TNxCustomGrid& g = m_grid;
    if (!g.Options().Contains(goIndicator) || !g.HandleAllocated() || row < 0 ||
        row >= g.RowCount())
        return;
    const int top = g.RowTop(row);
    const TRect r{0, top, g.IndicatorWidth(),
                  top + g.RowHeightOrDefault(row) + g.LineMarginBottom()};
    InvalidateRect(g.Handle(), &r, false);
}

void TNxGridNavigator::SelectCell(int column, int row, bool clearSelection, TShiftState shift) {
    TNxCustomGrid& g = m_grid;
    bool accept = true;
    if (g.OnBeforeSelect) g.OnBeforeSelect(&g, column, row, accept);
    if (!accept) return;
    TCells& cells = *g.Cells();
    TNxColumns& columns = *g.Columns();
    const bool fullRow = g.Options().Contains(goSelectFullRow);
    const bool multi = g.Options().Contains(goMultiSelect) && fullRow;
    if (multi && clearSelection && !(shift & (ssCtrl | ssShift))) {
        for (int r = 0; r < g.RowCount(); ++r)
            if (cells.Row(r)->Selected && r != row) {
                cells.Row(r)->Selected = false;
                g.RedrawRow(r);
            }
    }
    if (!columns.ValidIndex(column) || !columns.Item(column)->Enabled()) return;
    const int oldColumn = m_currentColumn;
    const int oldRow = m_currentRow;
    m_currentColumn = column;
    m_currentRow = row;
    const bool changed = oldColumn != column || oldRow != row;
    if (oldRow != row) NotifyAccessible(g, TAccessibleChange::Selection);
    if (changed) {
        if (oldRow >= 0 && oldRow < g.RowCount() && columns.ValidIndex(oldColumn) &&
            g.OnDeselectCell)
            g.OnDeselectCell(&g, oldColumn, oldRow);
        g.EditController().End();
    }
    if (g.AutoScroll() && row >= 0 && row < g.RowCount()) ScrollRowIntoView(row);
    if (g.RowCount() == 0) return;
    if (!fullRow) {
        if (oldRow != row) {
            InvalidateIndicatorRow(row);
            InvalidateIndicatorRow(oldRow);
        }
        if (changed) {
            g.RedrawCell(column, row);
            g.RedrawCell(oldColumn, oldRow);
        }
        if (g.OnSelectCell) g.OnSelectCell(&g, column, row);
        return;
    }
    if (row >= 0 && row < g.RowCount()) {
        if (multi && (shift & ssCtrl)) {
            cells.Row(row)->Selected = !cells.Row(row)->Selected;
        } else if (multi && (shift & ssShift) && m_anchorRow >= 0) {
            const int lo = std::min(m_anchorRow, row);
            const int hi = std::max(m_anchorRow, row);
            for (int r = 0; r < g.RowCount(); ++r) {
                const bool sel = r >= lo && r <= hi;
                if (cells.Row(r)->Selected != sel) {
                    cells.Row(r)->Selected = sel;
                    g.RedrawRow(r);
                }
            }
        } else {
            if (oldRow != row && oldRow >= 0 && oldRow < g.RowCount() && !multi)
                cells.Row(oldRow)->Selected = false;
            cells.Row(row)->Selected = true;
            m_anchorRow = row;
        }
    }
    g.RedrawRow(oldRow);
    g.RedrawRow(row);
    if (g.OnSelectCell) g.OnSelectCell(&g, column, row);
}

void TNxGridNavigator::SelectRow(int row) {
    SelectCell(m_currentColumn, row, true, 0);
}

// ---- the view -----------------------------------------------------------------------------

void TNxGridNavigator::SetTopRow(int row) {
    TNxCustomGrid& g = m_grid;
    row = std::clamp(row, 0, std::max(0, g.RowCount() - 1));
    if (row == m_topRow) return;
    m_topRow = row;
    g.InvalidateBody();
    if (g.Options().Contains(goIndicator) && g.HandleAllocated()) {
        const TRect r{0, g.BodyTop(), g.IndicatorWidth(), g.ClientHeight()};
        InvalidateRect(g.Handle(), &r, false);
    }
}

void TNxGridNavigator::SetVertPosition(int position) {
    TNxCustomGrid& g = m_grid;
    TNxScrollBar& bar = *g.VertScrollBar();
    position = std::clamp(position, 0, bar.MaxScrollPos());
    bar.SetPosition(position);
    // TopRow is the position-th visible row.
    int row = 0;
    if (g.Cells()->VisibleRowCount() == g.RowCount()) {
        row = position;
    } else {
        int seen = 0;
        for (row = 0; row < g.RowCount(); ++row) {
            if (!g.RowIsVisible(row)) continue;
            if (seen == position) break;
            ++seen;
        }
    }
    SetTopRow(row);
}

void TNxGridNavigator::SetHorzPosition(int position) {
    TNxCustomGrid& g = m_grid;
    TNxScrollBar& bar = *g.HorzScrollBar();
    position = std::clamp(position, 0, bar.MaxScrollPos());
    if (position == bar.Position()) return;
    bar.SetPosition(position);
    g.EditController().End();
    g.Invalidate();
    if (g.OnHorizontalScroll) g.OnHorizontalScroll(&g, position);
}

void TNxGridNavigator::ScrollRows(int delta) {
    if (delta == 0) return;
    SetVertPosition(m_grid.VertScrollBar()->Position() + delta);
}

void TNxGridNavigator::ScrollRowIntoView(int row) {
    TNxCustomGrid& g = m_grid;
    if (row < 0 || row >= g.RowCount()) return;
    const int n = g.FullyVisibleRowCount();
    if (row < m_topRow) {
        ScrollRows(-g.VisibleRowsBetween(row, m_topRow));
    } else {
        const int below = g.VisibleRowsBetween(m_topRow, row);
        if (below >= n) ScrollRows(below - n + 1);
    }
}

void TNxGridNavigator::ScrollColumnIntoView(TNxCustomColumn* column) {
    TNxCustomGrid& g = m_grid;
    if (!column || column->Position() < g.Columns()->FixedCols()) return;
    const int h = g.HorzScrollBar()->Position();
    const int left = column->Left() - h;
    const int right = left + column->Width();
    const int scrollLeft = g.ScrollingAreaLeft();
    const int clientWidth = g.ClientWidth();
    if (left < scrollLeft)
        SetHorzPosition(h - (scrollLeft - left));
    else if (right > clientWidth)
        SetHorzPosition(h + std::min(right - clientWidth, left - scrollLeft));
}

void TNxGridNavigator::RecalcHorzScroll() {
    TNxCustomGrid& g = m_grid;
    TNxScrollBar& bar = *g.HorzScrollBar();
    const int max = g.Columns()->TotalWidth() + g.IndicatorWidth();
    const int page = g.ClientWidth() + 1;
    bar.BeginUpdate();
    bar.SetMax(max);
    bar.SetPageSize(page);
    bar.SetLargeChange(std::max(1, page - 10));
    bar.SetSmallChange(5);
    if (!bar.HasRange()) bar.SetPosition(0);
    bar.SetPosition(std::min(bar.Position(), bar.MaxScrollPos()));
    bar.EndUpdate();
}

void TNxGridNavigator::RecalcVertScroll() {
    TNxCustomGrid& g = m_grid;
    TNxScrollBar& bar = *g.VertScrollBar();
    int a = g.Cells()->VisibleRowCount();
    if (g.RowCount() == 1) a = 0;
    const int b = g.FullyVisibleRowCount();
    bar.BeginUpdate();
    bar.SetSmallChange(1);
    if (b < a) {
        bar.SetMax(a);
        bar.SetPageSize(b + 1);
        bar.SetLargeChange(b + 1);
    } else {
        bar.SetMax(0);
    }
    if (b + 1 >= a) bar.SetPosition(g.VisibleRowsBetween(0, m_topRow));
    bar.EndUpdate();
}

// ---- scroll bars and wheel ----------------------------------------------------------------

namespace {
// A line of the horizontal bar, in pixels.
constexpr int kHorzLineStep = 5;
} // namespace

bool TNxGridNavigator::RequestedPosition(const TWMScroll& m, int bar, int& pos) {
    TNxCustomGrid& g = m_grid;
    const TNxScrollBar& sb = bar == SB_VERT ? *g.VertScrollBar() : *g.HorzScrollBar();
    const int line = bar == SB_VERT ? sb.SmallChange() : kHorzLineStep;
    pos = sb.Position();
    // The horizontal codes (SB_LINELEFT ...) have the same values as the vertical ones.
    switch (m.ScrollCode) {
    case SB_LINEUP:
        pos -= line;
        return true;
    case SB_LINEDOWN:
        pos += line;
        return true;
    case SB_PAGEUP:
        pos -= sb.LargeChange();
        return true;
    case SB_PAGEDOWN:
        pos += sb.LargeChange();
        return true;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        TScrollInfo info;
        info.fMask = SIF_TRACKPOS;
        pos = GetScrollInfo(g.Handle(), bar, info) ? info.nTrackPos : m.Pos;
        return true;
    }
    case SB_TOP:
        pos = 0;
        return true;
    case SB_BOTTOM:
        pos = sb.Max();
        return true;
    default:
        return false;
    }
}

void TNxGridNavigator::VertScrollMessage(TWMScroll& m) {
    TNxCustomGrid& g = m_grid;
    g.EditController().End();
    int pos = 0;
    if (!RequestedPosition(m, SB_VERT, pos)) return;
    pos = std::clamp(pos, 0, g.VertScrollBar()->MaxScrollPos());
    SetVertPosition(pos);
    if (g.OnVerticalScroll) g.OnVerticalScroll(&g, pos);
    RecalcVertScroll();
    m.Result = 0;
}

void TNxGridNavigator::HorzScrollMessage(TWMScroll& m) {
    m_grid.EditController().End();
    int pos = 0;
    if (!RequestedPosition(m, SB_HORZ, pos)) return;
    SetHorzPosition(pos);
    m.Result = 0;
}

void TNxGridNavigator::Wheel(TShiftState shift, int wheelDelta) {
    TNxCustomGrid& g = m_grid;
    const bool down = wheelDelta < 0;
    const bool page = (shift & ssCtrl) != 0;
    TNxScrollBar& v = *g.VertScrollBar();
    TNxScrollBar& h = *g.HorzScrollBar();
    // One step per notch; a fast wheel may report several in one message.
    for (int notch = std::max(1, std::abs(wheelDelta) / WHEEL_DELTA); notch > 0; --notch) {
        const bool vertRange = v.HasRange();
        if (vertRange && (down ? v.Position() < v.MaxScrollPos() : v.Position() > 0)) {
            const int step = page ? v.LargeChange() : 1;
            SetVertPosition(v.Position() + (down ? step : -step));
            if (g.OnVerticalScroll) g.OnVerticalScroll(&g, v.Position());
        } else if (!vertRange && h.HasRange()) {
            const int step = page ? h.LargeChange() : h.SmallChange();
            SetHorzPosition(h.Position() + (down ? step : -step));
        }
    }
}

// ---- keyboard -----------------------------------------------------------------------------

void TNxGridNavigator::MoveCurrentRow(int delta) {
    TNxCustomGrid& g = m_grid;
    if (m_currentRow < 0 || m_currentRow >= g.RowCount()) return;
    for (int r = m_currentRow + delta; r >= 0 && r < g.RowCount(); r += delta) {
        if (!g.RowIsVisible(r)) continue;
        bool accept = true;
        if (g.OnBeforeSelect) g.OnBeforeSelect(&g, m_currentColumn, r, accept);
        if (!accept) continue;
        SelectRow(r);
        // One row at a time, like the scroll bar's arrows: a current row scrolled far out of
        // sight stays out of sight until the user brings it back.
        if (delta < 0 && r < m_topRow) ScrollRows(-1);
        if (delta > 0 && g.RowTop(r) + g.RowHeightOrDefault(r) >= g.BodyRect().Bottom)
            ScrollRows(1);
        return;
    }
}

void TNxGridNavigator::MoveCurrentColumn(int delta) {
    TNxCustomGrid& g = m_grid;
    TNxColumns& columns = *g.Columns();
    if (g.Options().Contains(goSelectFullRow) &&
        !g.AppearanceOptions().Contains(aoIndicateSelectedCell)) {
        SetHorzPosition(g.HorzScrollBar()->Position() + delta * g.HorzScrollBar()->SmallChange());
        return;
    }
    const auto& order = columns.DisplayOrder();
    int pos = -1;
    if (columns.ValidIndex(m_currentColumn)) pos = columns.Item(m_currentColumn)->Position();
    for (int p = pos + delta; p >= 0 && p < int(order.size()); p += delta) {
        TNxCustomColumn* column = order[size_t(p)];
        if (!column->Visible() || !column->Enabled()) continue;
        SelectCell(columns.IndexOf(column), m_currentRow, true, 0);
        ScrollColumnIntoView(column);
        return;
    }
}

void TNxGridNavigator::MoveHomeEnd(bool home) {
    TNxCustomGrid& g = m_grid;
    if (g.HomeEndBehaviour() == hebTopBottom) {
        if (g.RowCount() == 0) return;
        SelectRow(home ? m_firstVisibleRow : m_lastVisibleRow);
        SetVertPosition(home ? 0 : g.VertScrollBar()->MaxScrollPos());
        return;
    }
    const auto& order = g.Columns()->DisplayOrder();
    if (order.empty()) return;
    TNxCustomColumn* column = home ? order.front() : order.back();
    SelectCell(g.Columns()->IndexOf(column), m_currentRow, true, 0);
    ScrollColumnIntoView(column);
}

void TNxGridNavigator::MoveTab(bool back) {
    TNxCustomGrid& g = m_grid;
    TNxColumns& columns = *g.Columns();
    const auto& order = columns.DisplayOrder();
    const int step = back ? -1 : 1;
    const int size = int(order.size());
    auto skipHidden = [&](int p) {
        while (p >= 0 && p < size && !order[size_t(p)]->Visible()) p += step;
        return p;
    };
    const int pos =
        columns.ValidIndex(m_currentColumn) ? columns.Item(m_currentColumn)->Position() : -1;
    int p = skipHidden(pos + step);
    int row = m_currentRow;
    if (p < 0 || p >= size) {
        // On to the first (last) column of the next (previous) row.
        row += step;
        if (row < 0 || row >= g.RowCount()) return;
        p = skipHidden(back ? size - 1 : 0);
        if (p < 0 || p >= size) return;
    }
    SelectCell(columns.IndexOf(order[size_t(p)]), row, true, 0);
    ScrollRowIntoView(row);
    ScrollColumnIntoView(order[size_t(p)]);
}

void TNxGridNavigator::PageMove(bool down) {
    TNxCustomGrid& g = m_grid;
    if (g.RowCount() == 0) return;
    const int n = std::max(1, g.FullyVisibleRowCount());
    if (!down) {
        if (m_currentRow > m_topRow) {
            SelectRow(m_topRow);
            return;
        }
        int r = m_currentRow;
        for (int moved = 0; moved < n && r > 0;) {
            --r;
            if (g.RowIsVisible(r)) ++moved;
        }
        SelectRow(std::max(0, r));
        ScrollRows(-n);
        return;
    }
    // The last fully shown row.
    int lastShown = m_topRow;
    for (int seen = 0, r = m_topRow; r < g.RowCount(); ++r) {
        if (!g.RowIsVisible(r)) continue;
        if (seen++ == n - 1) {
            lastShown = r;
            break;
        }
        lastShown = r;
    }
    if (m_currentRow < lastShown) {
        SelectRow(lastShown);
        return;
    }
    if (g.VisibleRowsBetween(m_currentRow + 1, g.RowCount()) < n) {
        SelectRow(m_lastVisibleRow);
        SetVertPosition(g.VertScrollBar()->MaxScrollPos());
        return;
    }
    int r = m_currentRow;
    for (int moved = 0; moved < n && r < g.RowCount() - 1;) {
        ++r;
        if (g.RowIsVisible(r)) ++moved;
    }
    SelectRow(r);
    ScrollRows(n);
}

bool TNxGridNavigator::KeyDown(WORD key, TShiftState shift) {
    TNxCustomGrid& g = m_grid;
    switch (key) {
    case VK_UP:
        MoveCurrentRow(-1);
        return true;
    case VK_DOWN:
        MoveCurrentRow(1);
        return true;
    case VK_LEFT:
        MoveCurrentColumn(-1);
        return true;
    case VK_RIGHT:
        MoveCurrentColumn(1);
        return true;
    case VK_HOME:
    case VK_END:
        MoveHomeEnd(key == VK_HOME);
        return true;
    case VK_PRIOR:
        PageMove(false);
        return true;
    case VK_NEXT:
        PageMove(true);
        return true;
    case VK_TAB:
        if (!g.WantTabs()) return false;
        MoveTab((shift & ssShift) != 0);
        return true;
    case VK_RETURN:
        if (!g.WantReturns()) return false;
        switch (g.SelectionMoveDirection()) {
        case mdUp:
            MoveCurrentRow(-1);
            break;
        case mdDown:
            MoveCurrentRow(1);
            break;
        case mdLeft:
            MoveCurrentColumn(-1);
            break;
        case mdRight:
            MoveCurrentColumn(1);
            break;
        default:
            break;
        }
        return true;
    default:
        return false;
    }
}

void TNxGridNavigator::SearchChar(char16_t c) {
    TNxCustomGrid& g = m_grid;
    int searchColumn = -1;
    for (int i = 0; i < g.Columns()->Count(); ++i)
        if (g.Columns()->Item(i)->Options().Contains(coSearchColumn)) searchColumn = i;
    if (searchColumn < 0) return;
    m_searchText += c;
    if (g.HandleAllocated()) SetTimer(g.Handle(), SearchTimerId, SearchPauseMs);
    const WideString wanted = WideLowerCase(m_searchText);
    for (int r = 0; r < g.RowCount(); ++r) {
        if (!g.RowIsVisible(r)) continue;
        const WideString text = WideLowerCase(g.Cells()->Cell(searchColumn, r)->TextValue());
        if (text.compare(0, wanted.size(), wanted) == 0) {
            SelectRow(r);
            ScrollRowIntoView(r);
            return;
        }
    }
}

void TNxGridNavigator::EndSearch() {
    if (m_grid.HandleAllocated()) KillTimer(m_grid.Handle(), SearchTimerId);
    m_searchText.clear();
}

// ---- keeping in step with the rows ----------------------------------------------------------

void TNxGridNavigator::RowsReset() {
    m_topRow = 0;
    m_currentColumn = 0;
    m_currentRow = -1;
    m_firstVisibleRow = 0;
    m_lastVisibleRow = 0;
}

void TNxGridNavigator::RowsAppended(int last) {
    m_lastVisibleRow = last;
}

void TNxGridNavigator::RowInserted(int index) {
    TNxCustomGrid& g = m_grid;
    if (index < m_firstVisibleRow) m_firstVisibleRow = index;
    if (g.VertScrollBar()->Position() == 0) m_topRow = m_firstVisibleRow;
    g.InvalidateRowsFrom(index);
    if (m_currentRow >= index && m_currentRow + 1 < g.RowCount()) SelectRow(m_currentRow + 1);
    if (m_lastVisibleRow < index) m_lastVisibleRow = index;
    RecalcVertScroll();
}

void TNxGridNavigator::RowRemoved(int index, bool wasVisible) {
    TNxCustomGrid& g = m_grid;
    if (wasVisible) {
        if (index < m_firstVisibleRow) m_firstVisibleRow = g.FirstVisibleFrom(0);
        if (index < m_lastVisibleRow)
            --m_lastVisibleRow;
        else
            m_lastVisibleRow = g.LastVisibleAtOrBefore(g.RowCount() - 1);
        if (index < m_topRow && m_topRow > 0) --m_topRow;
    }
    m_topRow = std::clamp(m_topRow, 0, std::max(0, g.RowCount() - 1));
    g.InvalidateRowsFrom(index);
    if (g.RowCount() == 0) {
        m_currentRow = -1;
    } else if (m_currentRow >= m_lastVisibleRow) {
        if (g.OnDeselectCell) g.OnDeselectCell(&g, m_currentColumn, m_currentRow);
        m_currentRow = -2; // forces SelectCell to see a change
        SelectCell(m_currentColumn, m_lastVisibleRow, true, 0);
    }
    RecalcVertScroll();
}

void TNxGridNavigator::RowsReordered(const TRow* current) {
    TNxCustomGrid& g = m_grid;
    if (current) {
        const int row = g.Cells()->IndexOfRow(current);
        // Through SelectRow even at the same index: the selection events tell listeners
        // which record is current after the reorder.
        if (row >= 0) SelectRow(row);
    }
    if (m_currentRow >= 0) ScrollRowIntoView(m_currentRow);
    // TopRow follows the scroll position in visible rows.
    int visibleAbove = g.VertScrollBar()->Position();
    int top = 0;
    while (top < g.RowCount() && (visibleAbove > 0 || !g.RowIsVisible(top))) {
        if (g.RowIsVisible(top)) --visibleAbove;
        ++top;
    }
    m_topRow = std::min(top, std::max(0, g.RowCount() - 1));
    FindVisibleRange();
}

void TNxGridNavigator::FindVisibleRange() {
    m_firstVisibleRow = m_grid.FirstVisibleFrom(0);
    m_lastVisibleRow = m_grid.LastVisibleAtOrBefore(m_grid.RowCount() - 1);
}

void TNxGridNavigator::ColumnInserted(int index) {
    if (index <= m_currentColumn && m_grid.Columns()->Count() > 1) ++m_currentColumn;
}

void TNxGridNavigator::ColumnsRemoved(bool all) {
    if (all || m_grid.Cells()->ColumnCount() == 0) m_currentRow = -1;
    if (all || m_currentColumn >= m_grid.Columns()->Count()) m_currentColumn = 0;
}

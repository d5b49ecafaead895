// What the user does with the grid: header clicks that sort, cell selection by mouse and
// keyboard, the wheel and the scroll bars, column resizing and moving, hints, and in-place
// editing for columns that allow it.
#include "grid/NxColumnClasses.h"
#include "grid/NxColumnDisplays.h"
#include "grid/NxCustomGrid.h"
#include "grid/NxDisplays.h"
#include "grid/NxDragBox.h"
#include "grid/NxEditors.h"

#include "ui/Forms.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr uintptr_t SearchTimerId = 0x4E58;
}

// ---- message dispatch --------------------------------------------------------------------

void TNxCustomGrid::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_VSCROLL:
        WMVScroll(message);
        return;
    case WM_HSCROLL:
        WMHScroll(message);
        return;
    case WM_GETDLGCODE:
        WMGetDlgCode(message);
        return;
    case WM_TIMER:
        WMTimerGrid(message);
        return;
    case WM_SETFOCUS:
        TNxCustomGridControl::WndProc(message);
        WMSetFocusGrid(message);
        return;
    case WM_KILLFOCUS:
        TNxCustomGridControl::WndProc(message);
        WMKillFocusGrid(message);
        return;
    case CM_MOUSELEAVE:
        TNxCustomGridControl::WndProc(message);
        CMMouseLeaveGrid(message);
        return;
    case CM_FONTCHANGED:
        TNxCustomGridControl::WndProc(message);
        CMFontChangedGrid(message);
        return;
    case CM_ENABLEDCHANGED:
        TNxCustomGridControl::WndProc(message);
        CMEnabledChangedGrid(message);
        return;
    case WM_CANCELMODE:
    case CM_CANCELMODE:
        WMCancelMode(message);
        TNxCustomGridControl::WndProc(message);
        return;
    default:
        TNxCustomGridControl::WndProc(message);
    }
}

void TNxCustomGrid::WMGetDlgCode(TMessage& m) {
    m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_wantTabs) m.Result |= DLGC_WANTTAB;
    if (m_wantReturns) m.Result |= DLGC_WANTALLKEYS;
}

void TNxCustomGrid::WMSetFocusGrid(TMessage&) {
    if (m_options.Contains(goSelectFullRow))
        RedrawRow(m_currentRow);
    else
        RedrawCell(m_currentColumn, m_currentRow);
}

void TNxCustomGrid::WMKillFocusGrid(TMessage&) {
    HideGridHint();
    CancelInteractions();
    if (m_options.Contains(goSelectFullRow))
        RedrawRow(m_currentRow);
    else
        RedrawCell(m_currentColumn, m_currentRow);
}

void TNxCustomGrid::CMMouseLeaveGrid(TMessage&) {
    HideGridHint();
    m_hoverCell = {-1, -1};
    if (m_hoverHeader) {
        RedrawColumnPart(m_hoverHeader, cpHeader);
        m_hoverHeader = nullptr;
    }
}

void TNxCustomGrid::CMFontChangedGrid(TMessage&) {
    for (int i = 0; i < m_columns->Count(); ++i) m_columns->Item(i)->GridFontChanged(*Font());
    Invalidate();
}

void TNxCustomGrid::CMEnabledChangedGrid(TMessage&) {
    Invalidate();
    m_horzScrollBar.Apply();
    m_vertScrollBar.Apply();
}

void TNxCustomGrid::WMCancelMode(TMessage&) {
    CancelInteractions();
}

void TNxCustomGrid::CancelInteractions() {
    if (m_resizeColumn) {
        DrawResizeLines();
        m_resizeColumn = nullptr;
    }
    if (m_dragBox) m_dragBox->ReleaseHandle();
    m_dragging = false;
    m_dragColumn = nullptr;
    if (m_pressedHeader) {
        RedrawColumnPart(m_pressedHeader, cpHeader);
        m_pressedHeader = nullptr;
    }
    if (m_hoverHeader) {
        RedrawColumnPart(m_hoverHeader, cpHeader);
        m_hoverHeader = nullptr;
    }
    m_mouseDownPoint = {-1, -1};
}

void TNxCustomGrid::Resize() {
    TNxCustomGridControl::Resize();
    EndEditing();
    RecalcHorzScroll();
    RecalcVertScroll();
    m_columns->ApplyAutoSize(nullptr, false);
    Invalidate();
}

// ---- hit testing --------------------------------------------------------------------------

TGridArea TNxCustomGrid::AreaAt(TPoint p) {
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

TNxCustomColumn* TNxCustomGrid::ColumnAtX(int x) {
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

int TNxCustomGrid::RowAtY(int y) {
    const int top = BodyTop() + m_marginTop;
    if (y < top) return -1;
    if (UniformRows()) {
        const int row = m_topRow + (y - top) / (m_rowSize + m_marginVertical);
        return row < RowCount() ? row : -1;
    }
    int rowTop = top;
    for (int r = m_topRow; r < RowCount(); ++r) {
        if (!RowIsVisible(r)) continue;
        const int next = rowTop + RowHeightOrDefault(r) + m_marginVertical;
        if (y < next) return r;
        rowTop = next;
        if (rowTop > ClientHeight()) break;
    }
    return -1;
}

bool TNxCustomGrid::FormActive() const {
    TCustomForm* form = GetParentForm(this);
    return form && form->Active();
}

// ---- selection ----------------------------------------------------------------------------

void TNxCustomGrid::InvalidateIndicatorRow(int row) {
    if (!m_options.Contains(goIndicator) || !HandleAllocated() || row < 0 || row >= RowCount())
        return;
    const int top = RowTop(row);
    const TRect r{0, top, IndicatorWidth(), top + RowHeightOrDefault(row) + m_marginBottom};
    InvalidateRect(Handle(), &r, false);
}

void TNxCustomGrid::SelectCell(int column, int row, bool clearSelection, TShiftState shift) {
    bool accept = true;
    if (OnBeforeSelect) OnBeforeSelect(this, column, row, accept);
    if (!accept) return;
    const bool multi = m_options.Contains(goMultiSelect) && m_options.Contains(goSelectFullRow);
    if (multi && clearSelection && !(shift & (ssCtrl | ssShift))) {
        for (int r = 0; r < RowCount(); ++r)
            if (m_cells->Row(r)->Selected && r != row) {
                m_cells->Row(r)->Selected = false;
                RedrawRow(r);
            }
    }
    if (!m_columns->ValidIndex(column) || !m_columns->Item(column)->Enabled()) return;
    const int oldColumn = m_currentColumn;
    const int oldRow = m_currentRow;
    m_currentColumn = column;
    m_currentRow = row;
    const bool changed = oldColumn != column || oldRow != row;
    if (changed) {
        if (oldRow >= 0 && oldRow < RowCount() && m_columns->ValidIndex(oldColumn) &&
            OnDeselectCell)
            OnDeselectCell(this, oldColumn, oldRow);
        EndEditing();
    }
    if (m_autoScroll && row >= 0 && row < RowCount()) ScrollRowIntoView(row);
    if (RowCount() == 0) return;
    if (!m_options.Contains(goSelectFullRow)) {
        if (oldRow != row) {
            InvalidateIndicatorRow(row);
            InvalidateIndicatorRow(oldRow);
        }
        if (changed) {
            RedrawCell(column, row);
            RedrawCell(oldColumn, oldRow);
        }
        if (OnSelectCell) OnSelectCell(this, column, row);
        return;
    }
    if (row >= 0 && row < RowCount()) {
        if (multi && (shift & ssCtrl)) {
            m_cells->Row(row)->Selected = !m_cells->Row(row)->Selected;
        } else if (multi && (shift & ssShift) && m_anchorRow >= 0) {
            const int lo = std::min(m_anchorRow, row);
            const int hi = std::max(m_anchorRow, row);
            for (int r = 0; r < RowCount(); ++r) {
                const bool sel = r >= lo && r <= hi;
                if (m_cells->Row(r)->Selected != sel) {
                    m_cells->Row(r)->Selected = sel;
                    RedrawRow(r);
                }
            }
        } else {
            if (oldRow != row && oldRow >= 0 && oldRow < RowCount() && !multi)
                m_cells->Row(oldRow)->Selected = false;
            m_cells->Row(row)->Selected = true;
            m_anchorRow = row;
        }
    }
    RedrawRow(oldRow);
    RedrawRow(row);
    if (OnSelectCell) OnSelectCell(this, column, row);
}

void TNxCustomGrid::SelectRow(int row) {
    SelectCell(m_currentColumn, row);
}

// ---- scrolling ----------------------------------------------------------------------------

void TNxCustomGrid::SetTopRow(int row) {
    row = std::clamp(row, 0, std::max(0, RowCount() - 1));
    if (row == m_topRow) return;
    m_topRow = row;
    InvalidateBody();
    if (m_options.Contains(goIndicator) && HandleAllocated()) {
        const TRect r{0, BodyTop(), IndicatorWidth(), ClientHeight()};
        InvalidateRect(Handle(), &r, false);
    }
}

void TNxCustomGrid::SetVertPosition(int position) {
    position = std::clamp(position, 0, m_vertScrollBar.MaxScrollPos());
    m_vertScrollBar.SetPosition(position);
    // TopRow is the position-th visible row.
    int row = 0;
    if (m_cells->VisibleRowCount() == RowCount()) {
        row = position;
    } else {
        int seen = 0;
        for (row = 0; row < RowCount(); ++row) {
            if (!RowIsVisible(row)) continue;
            if (seen == position) break;
            ++seen;
        }
    }
    SetTopRow(row);
}

void TNxCustomGrid::SetHorzPosition(int position) {
    position = std::clamp(position, 0, m_horzScrollBar.MaxScrollPos());
    if (position == m_horzScrollBar.Position()) return;
    m_horzScrollBar.SetPosition(position);
    EndEditing();
    Invalidate();
    if (OnHorizontalScroll) OnHorizontalScroll(this, position);
}

void TNxCustomGrid::ScrollRows(int delta) {
    if (delta == 0) return;
    SetVertPosition(m_vertScrollBar.Position() + delta);
}

void TNxCustomGrid::ScrollRowIntoView(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int n = FullyVisibleRowCount();
    if (row < m_topRow) {
        ScrollRows(-VisibleRowsBetween(row, m_topRow));
    } else {
        const int below = VisibleRowsBetween(m_topRow, row);
        if (below >= n) ScrollRows(below - n + 1);
    }
}

void TNxCustomGrid::ScrollColumnIntoView(TNxCustomColumn* column) {
    if (!column || column->Position() < m_columns->FixedCols()) return;
    const int h = m_horzScrollBar.Position();
    const int left = column->Left() - h;
    const int right = left + column->Width();
    const int scrollLeft = ScrollingAreaLeft();
    if (left < scrollLeft)
        SetHorzPosition(h - (scrollLeft - left));
    else if (right > ClientWidth())
        SetHorzPosition(h + std::min(right - ClientWidth(), left - scrollLeft));
}

void TNxCustomGrid::WMVScroll(TMessage& m) {
    EndEditing();
    const int code = LOWORD(m.WParam);
    int pos = m_vertScrollBar.Position();
    switch (code) {
    case SB_LINEUP:
        pos -= m_vertScrollBar.SmallChange();
        break;
    case SB_LINEDOWN:
        pos += m_vertScrollBar.SmallChange();
        break;
    case SB_PAGEUP:
        pos -= m_vertScrollBar.LargeChange();
        break;
    case SB_PAGEDOWN:
        pos += m_vertScrollBar.LargeChange();
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        TScrollInfo info;
        info.fMask = SIF_TRACKPOS;
        pos = GetScrollInfo(Handle(), SB_VERT, info) ? info.nTrackPos : HIWORD(m.WParam);
        break;
    }
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = m_vertScrollBar.Max();
        break;
    default:
        return;
    }
    pos = std::clamp(pos, 0, m_vertScrollBar.MaxScrollPos());
    SetVertPosition(pos);
    if (OnVerticalScroll) OnVerticalScroll(this, pos);
    RecalcVertScroll();
    m.Result = 0;
}

void TNxCustomGrid::WMHScroll(TMessage& m) {
    EndEditing();
    const int code = LOWORD(m.WParam);
    int pos = m_horzScrollBar.Position();
    switch (code) {
    case SB_LINELEFT:
        pos -= 5;
        break;
    case SB_LINERIGHT:
        pos += 5;
        break;
    case SB_PAGELEFT:
        pos -= m_horzScrollBar.LargeChange();
        break;
    case SB_PAGERIGHT:
        pos += m_horzScrollBar.LargeChange();
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        TScrollInfo info;
        info.fMask = SIF_TRACKPOS;
        pos = GetScrollInfo(Handle(), SB_HORZ, info) ? info.nTrackPos : HIWORD(m.WParam);
        break;
    }
    case SB_LEFT:
        pos = 0;
        break;
    case SB_RIGHT:
        pos = m_horzScrollBar.Max();
        break;
    default:
        return;
    }
    SetHorzPosition(pos);
    m.Result = 0;
}

bool TNxCustomGrid::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (!m_mouseWheelEnabled)
        return TNxCustomGridControl::DoMouseWheel(shift, wheelDelta, mousePos);
    if (Editing()) return true;
    const bool down = wheelDelta < 0;
    const bool page = (shift & ssCtrl) != 0;
    TNxScrollBar& v = m_vertScrollBar;
    TNxScrollBar& h = m_horzScrollBar;
    // One step per notch; a fast wheel may report several in one message.
    for (int notch = std::max(1, std::abs(wheelDelta) / WHEEL_DELTA); notch > 0; --notch) {
        const bool vertRange = v.HasRange();
        if (vertRange && (down ? v.Position() < v.MaxScrollPos() : v.Position() > 0)) {
            const int step = page ? v.LargeChange() : 1;
            SetVertPosition(v.Position() + (down ? step : -step));
            if (OnVerticalScroll) OnVerticalScroll(this, v.Position());
        } else if (!vertRange && h.HasRange()) {
            const int step = page ? h.LargeChange() : h.SmallChange();
            SetHorzPosition(h.Position() + (down ? step : -step));
        }
    }
    return true;
}

// ---- keyboard -----------------------------------------------------------------------------

void TNxCustomGrid::MoveCurrentRow(int delta) {
    if (m_currentRow < 0 || m_currentRow >= RowCount()) return;
    for (int r = m_currentRow + delta; r >= 0 && r < RowCount(); r += delta) {
        if (!RowIsVisible(r)) continue;
        bool accept = true;
        if (OnBeforeSelect) OnBeforeSelect(this, m_currentColumn, r, accept);
        if (!accept) continue;
        SelectCell(m_currentColumn, r);
        if (delta < 0 && r < m_topRow) ScrollRowIntoView(r);
        if (delta > 0 && RowTop(r) + RowHeightOrDefault(r) >= BodyRect().Bottom)
            ScrollRowIntoView(r);
        return;
    }
}

void TNxCustomGrid::MoveCurrentColumn(int delta) {
    const auto& order = m_columns->DisplayOrder();
    if (m_options.Contains(goSelectFullRow) &&
        !m_appearanceOptions.Contains(aoIndicateSelectedCell)) {
        SetHorzPosition(m_horzScrollBar.Position() + delta * m_horzScrollBar.SmallChange());
        return;
    }
    int pos = -1;
    if (m_columns->ValidIndex(m_currentColumn)) pos = m_columns->Item(m_currentColumn)->Position();
    for (int p = pos + delta; p >= 0 && p < int(order.size()); p += delta) {
        TNxCustomColumn* column = order[size_t(p)];
        if (!column->Visible() || !column->Enabled()) continue;
        SelectCell(m_columns->IndexOf(column), m_currentRow);
        ScrollColumnIntoView(column);
        return;
    }
}

void TNxCustomGrid::PageMove(bool down) {
    if (RowCount() == 0) return;
    const int n = std::max(1, FullyVisibleRowCount());
    if (!down) {
        if (m_currentRow > m_topRow) {
            SelectRow(m_topRow);
            return;
        }
        int r = m_currentRow;
        for (int moved = 0; moved < n && r > 0;) {
            --r;
            if (RowIsVisible(r)) ++moved;
        }
        SelectRow(std::max(0, r));
        ScrollRows(-n);
        return;
    }
    // The last fully shown row.
    int lastShown = m_topRow;
    for (int seen = 0, r = m_topRow; r < RowCount(); ++r) {
        if (!RowIsVisible(r)) continue;
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
    if (VisibleRowsBetween(m_currentRow + 1, RowCount()) < n) {
        SelectRow(m_lastVisibleRow);
        SetVertPosition(m_vertScrollBar.MaxScrollPos());
        return;
    }
    int r = m_currentRow;
    for (int moved = 0; moved < n && r < RowCount() - 1;) {
        ++r;
        if (RowIsVisible(r)) ++moved;
    }
    SelectRow(r);
    ScrollRows(n);
}

void TNxCustomGrid::KeyDown(WORD& key, TShiftState shift) {
    TNxCustomGridControl::KeyDown(key, shift);
    if (m_options.Contains(goDisableKeys) || key == 0) return;
    if (Editing()) {
        switch (key) {
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return;
        default:
            break;
        }
    }
    switch (key) {
    case VK_UP:
        MoveCurrentRow(-1);
        break;
    case VK_DOWN:
        MoveCurrentRow(1);
        break;
    case VK_LEFT:
        MoveCurrentColumn(-1);
        break;
    case VK_RIGHT:
        MoveCurrentColumn(1);
        break;
    case VK_HOME:
    case VK_END: {
        const bool home = key == VK_HOME;
        if (m_homeEndBehaviour == hebTopBottom) {
            if (RowCount() == 0) break;
            SelectRow(home ? m_firstVisibleRow : m_lastVisibleRow);
            SetVertPosition(home ? 0 : m_vertScrollBar.MaxScrollPos());
        } else {
            const auto& order = m_columns->DisplayOrder();
            if (order.empty()) break;
            TNxCustomColumn* column = home ? order.front() : order.back();
            SelectCell(m_columns->IndexOf(column), m_currentRow);
            ScrollColumnIntoView(column);
        }
        break;
    }
    case VK_PRIOR:
        PageMove(false);
        break;
    case VK_NEXT:
        PageMove(true);
        break;
    case VK_TAB: {
        if (!m_wantTabs) return;
        const bool back = (shift & ssShift) != 0;
        const auto& order = m_columns->DisplayOrder();
        const int pos = m_columns->ValidIndex(m_currentColumn)
                            ? m_columns->Item(m_currentColumn)->Position()
                            : -1;
        int p = pos + (back ? -1 : 1);
        int row = m_currentRow;
        while (p >= 0 && p < int(order.size()) && !order[size_t(p)]->Visible()) p += back ? -1 : 1;
        if (p < 0 || p >= int(order.size())) {
            row += back ? -1 : 1;
            if (row < 0 || row >= RowCount()) break;
            p = back ? int(order.size()) - 1 : 0;
            while (p >= 0 && p < int(order.size()) && !order[size_t(p)]->Visible())
                p += back ? -1 : 1;
            if (p < 0 || p >= int(order.size())) break;
        }
        SelectCell(m_columns->IndexOf(order[size_t(p)]), row);
        ScrollRowIntoView(row);
        ScrollColumnIntoView(order[size_t(p)]);
        break;
    }
    case VK_RETURN:
        if (!m_wantReturns) return;
        switch (m_selectionMoveDirection) {
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
        break;
    default:
        return;
    }
    key = 0;
}

void TNxCustomGrid::KeyPress(char& key) {
    TNxCustomGridControl::KeyPress(key);
    const char16_t c = AnsiCharToWide(static_cast<unsigned char>(key));
    if (key == 0 || c < 32 || Editing()) return;
    if (m_columns->ValidIndex(m_currentColumn) && m_currentRow >= 0 && m_currentRow < RowCount()) {
        TNxCustomColumn* column = m_columns->Item(m_currentColumn);
        if (column->EditingCapabilities().Contains(coEditing) && column->AcceptsChar(c)) {
            BeginCellEdit(m_currentColumn, m_currentRow, WideString(1, c));
            return;
        }
    }
    SearchText(c);
}

void TNxCustomGrid::SearchText(char16_t c) {
    int searchColumn = -1;
    for (int i = 0; i < m_columns->Count(); ++i)
        if (m_columns->Item(i)->Options().Contains(coSearchColumn)) searchColumn = i;
    if (searchColumn < 0) return;
    m_searchText += c;
    if (HandleAllocated()) SetTimer(Handle(), SearchTimerId, 700);
    const WideString wanted = WideLowerCase(m_searchText);
    for (int r = 0; r < RowCount(); ++r) {
        if (!RowIsVisible(r)) continue;
        const WideString text = WideLowerCase(m_cells->Cell(searchColumn, r)->TextValue());
        if (text.compare(0, wanted.size(), wanted) == 0) {
            SelectRow(r);
            ScrollRowIntoView(r);
            return;
        }
    }
}

void TNxCustomGrid::WMTimerGrid(TMessage& m) {
    if (m.WParam != SearchTimerId) {
        TNxCustomGridControl::WndProc(m);
        return;
    }
    KillTimer(Handle(), SearchTimerId);
    m_searchText.clear();
}

// ---- mouse --------------------------------------------------------------------------------

int TNxCustomGrid::ResizeBorderColumnAt(int x, int y) {
    if (!m_options.Contains(goHeader) || y < 0 || y >= m_headerSize) return -1;
    const int scrollLeft = ScrollingAreaLeft();
    for (TNxCustomColumn* column : m_columns->DisplayOrder()) {
        if (!column->Visible() || column->Options().Contains(coFixedSize)) continue;
        const bool fixed = column->Position() < m_columns->FixedCols();
        if (!fixed && x <= scrollLeft) continue;
        const int right = column->Left() - ColumnScrollOffset(column) + column->Width();
        if (x >= right - 3 && x <= right + 2) return m_columns->IndexOf(column);
    }
    return -1;
}

void TNxCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (Visible() && Enabled() && CanFocus() && !Focused()) SetFocus();
    TNxCustomGridControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    HideGridHint();
    const TGridArea area = AreaAt({x, y});
    const bool dbl = (shift & ssDouble) != 0;
    const int border = ResizeBorderColumnAt(x, y);
    if (area == gaHeader || border >= 0) {
        if (dbl) {
            if (border >= 0) {
                TNxCustomColumn* column = m_columns->Item(border);
                if (column->KindCapabilities() & ckFitOnBorderDblClick) FitColumn(column);
            } else if (TNxCustomColumn* column = ColumnAtX(x); column && OnHeaderDblClick) {
                OnHeaderDblClick(this, m_columns->IndexOf(column));
            }
            return;
        }
        if (border >= 0) {
            StartResize(m_columns->Item(border), x);
            return;
        }
        TNxCustomColumn* column = ColumnAtX(x);
        if (column && column->Options().Contains(coCanClick)) {
            m_pressedHeader = column;
            m_mouseDownPoint = {x, y};
            RedrawColumnPart(column, cpHeader);
        }
        return;
    }
    if (area != gaBody) {
        EndEditing();
        return;
    }
    EndEditing();
    const int row = RowAtY(y);
    TNxCustomColumn* column = ColumnAtX(x);
    if (row < 0 || !column) return;
    const int col = m_columns->IndexOf(column);
    const bool wasCurrent = col == m_currentColumn && row == m_currentRow;
    SelectCell(col, row, true, shift);
    if (RowTop(row) + RowHeightOrDefault(row) > BodyRect().Bottom) ScrollRowIntoView(row);
    m_mouseDownCell = {col, row};
    m_mouseDownPoint = {x, y};
    if (dbl) {
        if (OnCellDblClick) OnCellDblClick(this, col, row);
        return;
    }
    if (column->EditingCapabilities().Contains(coEditing) &&
        (!m_options.Contains(goSecondClickEdit) || wasCurrent))
        BeginCellEdit(col, row, m_cells->Cell(col, row)->TextValue());
}

void TNxCustomGrid::MouseMove(TShiftState shift, int x, int y) {
    TNxCustomGridControl::MouseMove(shift, x, y);
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
        !m_options.Contains(goDisableColumnMoving) &&
        (std::abs(x - m_mouseDownPoint.X) > 3 || std::abs(y - m_mouseDownPoint.Y) > 3)) {
        m_dragging = true;
        m_dragColumn = m_pressedHeader;
        if (!m_dragBox) m_dragBox = std::make_unique<TNxDragBox>(nullptr);
        TBitmap& pic = m_dragBox->Picture;
        pic.SetSize(m_dragColumn->Width(), m_headerSize);
        TStyleDisplay* painter = HeaderDisplay();
        TCanvas* saved = painter->Canvas;
        painter->Canvas = pic.Canvas();
        pic.Canvas()->SetFont(*Font());
        painter->DrawHeader(m_dragColumn, {0, 0, pic.Width(), pic.Height()}, false);
        pic.Canvas()->Brush()->SetColor(clBlack);
        pic.Canvas()->FillRect({pic.Width() - 1, 0, pic.Width(), pic.Height()});
        pic.Canvas()->FillRect({0, pic.Height() - 1, pic.Width(), pic.Height()});
        painter->Canvas = saved;
    }
    if (m_dragging) {
        UpdateDrag(x, y);
        return;
    }
    // Cursor: the resize cursor over a header border, the column's own over its cells.
    TCursor cursor = crDefault;
    if (ResizeBorderColumnAt(x, y) >= 0) {
        cursor = crNxHorzSplit;
    } else if (AreaAt({x, y}) == gaBody) {
        if (TNxCustomColumn* column = ColumnAtX(x)) cursor = column->Cursor();
    } else if (AreaAt({x, y}) == gaIndicator && m_options.Contains(goRowResizing)) {
        cursor = crNxIndicatorSelect;
    }
    if (Cursor() != cursor) SetCursor(cursor);
    UpdateHover(x, y);
}

void TNxCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TNxCustomGridControl::MouseUp(button, shift, x, y);
    if (button != mbLeft) return;
    if (m_resizeColumn) {
        DrawResizeLines();
        TNxCustomColumn* column = m_resizeColumn;
        m_resizeColumn = nullptr;
        column->SetWidth(column->Width() + m_resizeDelta);
        return;
    }
    if (m_dragging) {
        TNxCustomColumn* column = m_dragColumn;
        const bool overHeader = AreaAt({x, y}) == gaHeader;
        const int drop = overHeader ? DropPosition(x) : -1;
        m_dragging = false;
        m_dragColumn = nullptr;
        m_pressedHeader = nullptr;
        m_dropPosition = -1;
        if (m_dragBox) m_dragBox->ReleaseHandle();
        SetCursor(crDefault);
        if (overHeader) {
            const int fixed = m_columns->FixedCols();
            const bool locked = m_options.Contains(goLockFixedCols) &&
                                ((column->Position() < fixed) != (drop < fixed));
            if (drop >= 0 && drop != column->Position() && !locked) column->SetPosition(drop);
        } else if (m_options.Contains(goCanHideColumn)) {
            column->SetVisible(false);
        }
        RedrawColumnPart(nullptr, cpHeader);
        return;
    }
    if (m_pressedHeader) {
        TNxCustomColumn* column = m_pressedHeader;
        m_pressedHeader = nullptr;
        const int index = m_columns->IndexOf(column);
        if (OnHeaderClick) OnHeaderClick(this, index);
        RedrawColumnPart(column, cpHeader);
        if (AreaAt({x, y}) == gaHeader && ColumnAtX(x) == column &&
            column->Options().Contains(coCanSort)) {
            if (column->Sorted())
                column->SetSortKind(column->SortKind() == skAscending ? skDescending : skAscending);
            else
                column->SetSorted(true);
        }
        m_mouseDownPoint = {-1, -1};
        return;
    }
    if (AreaAt({x, y}) == gaBody && m_mouseDownCell.X >= 0) {
        TNxCustomColumn* column = ColumnAtX(x);
        const int row = RowAtY(y);
        if (column && m_columns->IndexOf(column) == m_mouseDownCell.X && row == m_mouseDownCell.Y &&
            OnCellClick)
            OnCellClick(this, m_mouseDownCell.X, m_mouseDownCell.Y);
    }
    m_mouseDownCell = {-1, -1};
    m_mouseDownPoint = {-1, -1};
}

// ---- column resizing ----------------------------------------------------------------------

void TNxCustomGrid::StartResize(TNxCustomColumn* column, int x) {
    m_resizeColumn = column;
    m_resizeStartX = x;
    m_resizeDelta = 0;
    DrawResizeLines();
}

void TNxCustomGrid::DrawResizeLines() {
    if (!m_resizeColumn || !HandleAllocated()) return;
    TCanvas* dc = GetDC(Handle());
    if (!dc) return;
    const int left = m_resizeColumn->Left() - ColumnScrollOffset(m_resizeColumn);
    const int first = m_columns->IndexOf(m_resizeColumn) == 0 ? left : left - 1;
    const int second = left + m_resizeColumn->Width() + m_resizeDelta - 1;
    const int h = ClientHeight();
    dc->InvertRect({first, 0, first + 1, h});
    if (second != first) dc->InvertRect({second, 0, second + 1, h});
    ReleaseDC(Handle(), dc);
}

void TNxCustomGrid::FitColumn(TNxCustomColumn* column) {
    const int col = m_columns->IndexOf(column);
    TColumnDisplay* painter = column->Display();
    TCanvas* canvas = MeasureCanvas();
    canvas->SetFont(*column->Font());
    painter->Canvas = canvas;
    int widest = 0;
    for (int r = 0; r < RowCount(); ++r) {
        if (!RowIsVisible(r)) continue;
        TCell* cell = m_cells->Cell(col, r);
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

int TNxCustomGrid::DropPosition(int x) {
    TNxCustomColumn* target = ColumnAtX(x);
    if (!target || !m_dragColumn) return -1;
    if (target == m_dragColumn) return m_dragColumn->Position();
    const int left = target->Left() - ColumnScrollOffset(target);
    const int dragPos = m_dragColumn->Position();
    if (x >= left + target->Width() / 2)
        return target->Position() + (dragPos >= target->Position() ? 1 : 0);
    if (target->Position() < dragPos) return target->Position();
    // Dropping before a column right of the dragged one: the place of the column before it.
    const auto& order = m_columns->DisplayOrder();
    for (int p = target->Position() - 1; p >= 0; --p)
        if (order[size_t(p)]->Visible()) return order[size_t(p)]->Position();
    return target->Position();
}

void TNxCustomGrid::UpdateDrag(int x, int y) {
    if (!m_dragBox) return;
    const TPoint screen = ClientToScreen({x, y});
    const TBitmap& pic = m_dragBox->Picture;
    m_dragBox->ShowAt({screen.X - pic.Width() / 2, screen.Y + 4 - pic.Height()});
    m_dragPos = {x, y};
    const bool overHeader = AreaAt({x, y}) == gaHeader;
    const int drop = overHeader ? DropPosition(x) : -1;
    if (drop != m_dropPosition) {
        m_dropPosition = drop;
        RedrawColumnPart(nullptr, cpHeader); // the drop marks move
    }
    const TCursor cursor = overHeader ? crDefault : crNxColumnNoDrag;
    if (Cursor() != cursor) SetCursor(cursor);
}

// ---- hints --------------------------------------------------------------------------------

void TNxCustomGrid::UpdateHover(int x, int y) {
    const TGridArea area = AreaAt({x, y});
    const bool appHints = Application && Application->ShowHint();
    if (area == gaHeader) {
        m_hoverCell = {-1, -1};
        TNxCustomColumn* column = ColumnAtX(x);
        if (column == m_hoverHeader && m_hintKind == hkHeader) return;
        m_hoverHeader = column;
        if (column && !column->Header()->Hint().empty() && FormActive() && appHints)
            ShowGridHint(hkHeader, column->Header()->Hint(),
                         {column->Left() - ColumnScrollOffset(column), m_headerSize + 2},
                         ClientWidth());
        else
            HideGridHint();
        return;
    }
    m_hoverHeader = nullptr;
    if (area == gaFooter) {
        TNxCustomColumn* column = ColumnAtX(x);
        if (column && !column->Footer()->Hint().empty() && FormActive() && appHints)
            ShowGridHint(hkFooter, column->Footer()->Hint(),
                         {column->Left() - ColumnScrollOffset(column), ClientHeight() + 2},
                         ClientWidth());
        else
            HideGridHint();
        return;
    }
    if (area != gaBody) {
        m_hoverCell = {-1, -1};
        HideGridHint();
        return;
    }
    TNxCustomColumn* column = ColumnAtX(x);
    const int row = RowAtY(y);
    const int col = column ? m_columns->IndexOf(column) : -1;
    if (col == m_hoverCell.X && row == m_hoverCell.Y) return;
    HideGridHint();
    m_hoverCell = {col, row};
    if (!column || row < 0 || !FormActive() || Editing()) return;
    const TRect cell = CellBounds(col, row);
    if (column->Options().Contains(coShowTextFitHint)) {
        TCell* c = m_cells->Cell(col, row);
        TColumnDisplay* painter = column->Display();
        TCanvas* canvas = MeasureCanvas();
        canvas->SetFont(*column->Font());
        canvas->Font()->SetStyle(c->FontStyle());
        painter->Canvas = canvas;
        TCellValues& v = painter->Values;
        v.Text = c->TextValue();
        v.Int = column->ValueKind() == vkInteger ? c->IntValue() : 0;
        v.Float = column->ValueKind() == vkFloat ? c->FloatValue() : 0;
        if (column->Width() < painter->ContentWidth() + 5) {
            ShowGridHint(hkTextFit, column->DisplayText(v), cell.TopLeft(), ClientWidth());
            return;
        }
    }
    WideString hint = m_cells->Cell(col, row)->Hint();
    if (OnCellHint) OnCellHint(this, col, row, hint);
    if (!hint.empty() && appHints)
        ShowGridHint(hkCell, hint, {cell.Left + column->Width(), cell.Top - 20}, 250);
}

// ---- in-place editing ---------------------------------------------------------------------

void TNxCustomGrid::BeginCellEdit(int column, int row, const WideString& initialText) {
    if (column == m_editColumn && row == m_editRow) return;
    if (!m_columns->ValidIndex(column) || row < 0 || row >= RowCount() || m_readOnly) return;
    TNxCustomColumn* c = m_columns->Item(column);
    if (!c->Options().Contains(coEditing)) return;
    if (!c->HasOwnEditor() && !c->InplaceEdit()) return;
    bool accept = true;
    if (OnBeforeEdit) OnBeforeEdit(this, column, row, accept);
    if (!accept) return;
    EndEditing();
    HideGridHint();
    TNxInplaceEdit* editor = c->InplaceEdit();
    if (!editor) {
        // The grid's own editor, remade when the column kind needs the other one.
        const bool spin = c->ValueKind() == vkFloat;
        if (!m_ownEditor || (dynamic_cast<TNxSpinEdit*>(m_ownEditor.get()) != nullptr) != spin)
            m_ownEditor.reset(spin ? new TNxSpinEdit(nullptr) : new TNxInplaceEdit(nullptr));
        editor = m_ownEditor.get();
    }
    m_editor = editor;
    if (auto* spin = dynamic_cast<TNxSpinEdit*>(editor)) {
        if (auto* number = dynamic_cast<TNxNumberColumn*>(c)) {
            spin->Increment = number->Increment();
            spin->Min = number->Min();
            spin->Max = number->Max();
            spin->Precision = number->Precision();
        }
    }
    if (auto* text = dynamic_cast<TNxTextColumn*>(c)) editor->SetMaxLength(text->MaxLength());
    editor->AcceptChar = [c](char16_t ch) { return c->AcceptsChar(ch); };
    editor->OnFinish = [this](TNxInplaceEdit*, bool accept) { CommitEdit(accept); };
    m_editColumn = column;
    m_editRow = row;
    const TRect r = CellBounds(column, row);
    editor->SetParent(this);
    editor->SetBounds(r.Left + m_marginLeft, r.Top, r.Width() - m_marginLeft - m_marginRight,
                      r.Height());
    editor->SetColor(PaintedBackground(column, row));
    editor->SetFont(c->Font());
    editor->SetEditText(initialText);
    if (c->Options().Contains(coEditorAutoSelect))
        editor->SelectAll();
    else
        editor->CaretToEnd();
    editor->Show();
    if (Focused() || CanFocus()) editor->SetFocus();
}

void TNxCustomGrid::CommitEdit(bool accept) {
    if (!Editing()) return;
    const int column = m_editColumn;
    const int row = m_editRow;
    if (accept && m_editor && row < RowCount() && m_columns->ValidIndex(column)) {
        // A text the cell cannot take raises the conversion error; the edit stays open.
        SetCellText(column, row, m_editor->EditText());
    }
    EndEditing();
    if (CanFocus()) SetFocus();
}

void TNxCustomGrid::EndEditing() {
    if (m_editColumn < 0) return;
    const int column = m_editColumn;
    const int row = m_editRow;
    m_editColumn = -1;
    m_editRow = -1;
    if (m_editor) m_editor->Hide();
    RedrawCell(column, row);
}

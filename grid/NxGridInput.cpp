// The grid's messages and input, handed to its parts: the mouse to TNxGridMouse, keys, the
// wheel and the scroll bars to TNxGridNavigator, typed characters to an in-place edit or the
// incremental search.
#include "grid/NxCustomGrid.h"

// ---- message handlers --------------------------------------------------------------------

void TNxCustomGrid::WMVScroll(TWMScroll& m) {
    m_navigator.VertScrollMessage(m);
}

void TNxCustomGrid::WMHScroll(TWMScroll& m) {
    m_navigator.HorzScrollMessage(m);
}

void TNxCustomGrid::WMSize(TWMSize& m) {
    TNxCustomGridControl::WMSize(m);
    ClientSizeChanged();
}

void TNxCustomGrid::WMCancelMode(TWMNoParams& m) {
    m_mouse.Cancel();
    TNxCustomGridControl::WMCancelMode(m);
}

void TNxCustomGrid::CMCancelMode(TCMCancelMode& m) {
    m_mouse.Cancel();
    TNxCustomGridControl::CMCancelMode(m);
}

void TNxCustomGrid::WMGetDlgCode(TWMGetDlgCode& m) {
    m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_wantTabs) m.Result |= DLGC_WANTTAB;
    if (m_wantReturns) m.Result |= DLGC_WANTALLKEYS;
}

void TNxCustomGrid::WMTimer(TWMTimer& m) {
    if (m.TimerID != TNxGridNavigator::SearchTimerId) {
        TNxCustomGridControl::WMTimer(m);
        return;
    }
    m_navigator.EndSearch();
}

// The current cell shows its selection colours only while the grid has the focus.
void TNxCustomGrid::RepaintCurrent() {
    if (m_options.Contains(goSelectFullRow))
        RedrawRow(CurrentRow());
    else
        RedrawCell(CurrentColumn(), CurrentRow());
}

void TNxCustomGrid::WMSetFocus(TWMFocus& m) {
    TNxCustomGridControl::WMSetFocus(m);
    RepaintCurrent();
}

void TNxCustomGrid::WMKillFocus(TWMFocus& m) {
    TNxCustomGridControl::WMKillFocus(m);
    HideGridHint();
    m_mouse.Cancel();
    RepaintCurrent();
}

void TNxCustomGrid::CMMouseLeave(TCMMouseEnterLeave& m) {
    TNxCustomGridControl::CMMouseLeave(m);
    m_mouse.MouseLeft();
}

void TNxCustomGrid::CMFontChanged(TWMNoParams& m) {
    TNxCustomGridControl::CMFontChanged(m);
    for (int i = 0; i < m_columns->Count(); ++i) m_columns->Item(i)->GridFontChanged(*Font());
    Invalidate();
}

void TNxCustomGrid::CMEnabledChanged(TWMNoParams& m) {
    TNxCustomGridControl::CMEnabledChanged(m);
    Invalidate();
    m_horzScrollBar.Apply();
    m_vertScrollBar.Apply();
}

// ---- overrides ----------------------------------------------------------------------------

void TNxCustomGrid::Paint() {
    m_painter.Paint(*Canvas());
    if (OnPostDraw) OnPostDraw(this);
}

// Whatever changed the client size (new bounds, or one of the grid's own scroll bars
// appearing or going), both bars are recomputed: each takes room from the other's direction.
// A bar shown or hidden here changes the client size again and comes back here, nested; bars
// only appear as room shrinks, so this settles within two rounds.
void TNxCustomGrid::ClientSizeChanged() {
    const TSize size{ClientWidth(), ClientHeight()};
    if (size == m_clientSize || m_sizeNesting > kMaxSizeNesting) return;
    m_clientSize = size;
    ++m_sizeNesting;
    m_edit.End();
    m_navigator.RecalcHorzScroll();
    m_navigator.RecalcVertScroll();
    m_columns->ApplyAutoSize(nullptr, false);
    Invalidate();
    --m_sizeNesting;
}

void TNxCustomGrid::KeyDown(WORD& key, TShiftState shift) {
    TNxCustomGridControl::KeyDown(key, shift);
    if (m_options.Contains(goDisableKeys) || key == 0) return;
    // While a cell is edited the caret keys belong to the editor.
    const bool caretKey = key == VK_END || key == VK_HOME || key == VK_LEFT || key == VK_RIGHT ||
                          key == VK_UP || key == VK_DOWN;
    if (m_edit.Editing() && caretKey) return;
    // Ctrl+Up and Ctrl+Down sort by the current column, as its header's clicks would.
    if ((key == VK_UP || key == VK_DOWN) && (shift & ssCtrl) &&
        m_columns->ValidIndex(CurrentColumn())) {
        SortColumnAs(m_columns->Item(CurrentColumn()), key == VK_UP);
        key = 0;
        return;
    }
    if (m_navigator.KeyDown(key, shift)) key = 0;
}

void TNxCustomGrid::KeyPress(char& key) {
    TNxCustomGridControl::KeyPress(key);
    const char16_t c = AnsiCharToWide(static_cast<unsigned char>(key));
    if (key == 0 || c < 32 || m_edit.Editing()) return;
    const int column = CurrentColumn();
    const int row = CurrentRow();
    if (m_columns->ValidIndex(column) && row >= 0 && row < RowCount()) {
        TNxCustomColumn* item = m_columns->Item(column);
        if (item->EditingCapabilities().Contains(coEditing) && item->AcceptsChar(c)) {
            m_edit.Begin(column, row, WideString(1, c));
            return;
        }
    }
    m_navigator.SearchChar(c);
}

void TNxCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (Visible() && Enabled() && CanFocus() && !Focused()) SetFocus();
    TNxCustomGridControl::MouseDown(button, shift, x, y);
    m_mouse.MouseDown(button, shift, x, y);
}

void TNxCustomGrid::MouseMove(TShiftState shift, int x, int y) {
    TNxCustomGridControl::MouseMove(shift, x, y);
    m_mouse.MouseMove(x, y);
}

void TNxCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TNxCustomGridControl::MouseUp(button, shift, x, y);
    m_mouse.MouseUp(button, x, y);
}

bool TNxCustomGrid::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (!m_mouseWheelEnabled)
        return TNxCustomGridControl::DoMouseWheel(shift, wheelDelta, mousePos);
    if (!m_edit.Editing()) m_navigator.Wheel(shift, wheelDelta);
    return true;
}

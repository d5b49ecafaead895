#include "grid/NxCustomGridControl.h"

#include "gfx/Bitmap.h"
#include "grid/NxDisplays.h"
#include "ui/Forms.h"

// ---- scroll bars -------------------------------------------------------------------------

void TNxScrollBar::SetMax(int value) {
    m_max = std::max(value, m_min);
    m_position = std::clamp(m_position, m_min, m_max);
    Apply();
}

void TNxScrollBar::SetPageSize(int value) {
    m_pageSize = std::max(1, value);
    Apply();
}

void TNxScrollBar::SetPosition(int value) {
    value = std::clamp(value, m_min, m_max);
    if (value == m_position) return;
    m_position = value;
    Apply();
}

void TNxScrollBar::SetAutoHide(bool value) {
    m_autoHide = value;
    Apply();
}

void TNxScrollBar::EndUpdate() {
    if (m_updateCount > 0 && --m_updateCount == 0) Apply();
}

void TNxScrollBar::Apply() {
    const bool scrollable = m_pageSize < m_max;
    m_visible = scrollable || !m_autoHide;
    if (m_updateCount > 0 || !m_owner->HandleAllocated()) return;
    TScrollInfo info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!m_autoHide) info.fMask |= SIF_DISABLENOSCROLL;
    info.nMin = m_min;
    // An idle bar gets an empty range so the window hides (or, without auto-hide, disables) it.
    info.nMax = scrollable ? m_max : 0;
    info.nPage = UINT(scrollable ? m_pageSize : 1);
    info.nPos = scrollable ? m_position : 0;
    SetScrollInfo(m_owner->Handle(), m_bar, info, true);
    EnableScrollBar(m_owner->Handle(), m_bar,
                    scrollable && m_owner->Enabled() ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

// ---- cursors ------------------------------------------------------------------------------

namespace {

// Small black-and-white cursor pictures drawn here (no cursor files are shipped).
HCURSOR MakeCursor(const char* const* rows, int hotX, int hotY) {
    TBitmap bmp(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const char ch = rows[y][x];
            TPixel p = 0x00000000u;
            if (ch == '#') p = 0xFF000000u;
            if (ch == '.') p = 0xFFFFFFFFu;
            bmp.ScanLine(y)[x] = p;
        }
    bmp.SetAlphaFormat(afDefined);
    return CreateCursorFromImage(bmp, {hotX, hotY});
}

const char* const HorzSplit[16] = {
    "                ", "      .. .      ", "      .#.#.     ", "      .#.#.     ",
    "   .  .#.#.  .  ", "  .#. .#.#. .#. ", " .##...#.#...##.", ".#######.#######",
    " .##...#.#...##.", "  .#. .#.#. .#. ", "   .  .#.#.  .  ", "      .#.#.     ",
    "      .#.#.     ", "      .. ..     ", "                ", "                "};
const char* const VertSplit[16] = {
    "       .        ", "      .#.       ", "     .###.      ", "    .#####.     ",
    "      .#.       ", " .............. ", " ############## ", " .............. ",
    " ############## ", " .............. ", "      .#.       ", "    .#####.     ",
    "     .###.      ", "      .#.       ", "       .        ", "                "};
const char* const NoDrag[16] = {
    "     .....      ", "   ..#####..    ", "  .##.....##.   ", " .#..     .##.  ",
    " .#.     .#.#.  ", ".#.     .#. .#. ", ".#.    .#.  .#. ", ".#.   .#.   .#. ",
    ".#.  .#.    .#. ", ".#. .#.     .#. ", " .#.#.     .#.  ", " .##.     ..#.  ",
    "  .##.....##.   ", "   ..#####..    ", "     .....      ", "                "};
const char* const IndicatorSelect[16] = {
    "                ", "                ", "   .            ", "   .#.          ",
    "   .##.         ", "   .###.        ", "   .####.       ", "   .#####.      ",
    "   .######.     ", "   .#####.      ", "   .####.       ", "   .###.        ",
    "   .##.         ", "   .#.          ", "   .            ", "                "};

} // namespace

void TNxCustomGridControl::RegisterCursors() {
    // Once per screen: the cursors stay registered for every later grid.
    static TScreen* registeredFor = nullptr;
    if (!Screen || registeredFor == Screen) return;
    registeredFor = Screen;
    Screen->SetCursors(crNxHorzSplit, MakeCursor(HorzSplit, 7, 7));
    Screen->SetCursors(crNxColumnNoDrag, MakeCursor(NoDrag, 7, 7));
    Screen->SetCursors(crNxVertSplit, MakeCursor(VertSplit, 7, 7));
    Screen->SetCursors(crNxIndicatorSelect, MakeCursor(IndicatorSelect, 3, 8));
}

// ---- the control --------------------------------------------------------------------------

TNxCustomGridControl::TNxCustomGridControl(TComponent* owner) : TCustomControl(owner) {
    m_style |= WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN;
    m_exStyle |= WS_EX_STATICEDGE;
}

TNxCustomGridControl::~TNxCustomGridControl() {
    if (m_hintWindow) {
        m_hintWindow->ReleaseHandle();
        delete m_hintWindow;
        m_hintWindow = nullptr;
    }
}

void TNxCustomGridControl::CreateHandle() {
    TCustomControl::CreateHandle();
    RegisterCursors();
    m_horzScrollBar.SetLargeChange(10);
    m_horzScrollBar.SetSmallChange(5);
    m_vertScrollBar.SetLargeChange(10);
    m_horzScrollBar.Apply();
    m_vertScrollBar.Apply();
}

void TNxCustomGridControl::SetBorderStyle(TBorderStyle value) {
    if (value == m_borderStyle) return;
    m_borderStyle = value;
    DWORD ex = m_exStyle & ~WS_EX_STATICEDGE;
    if (value == bsSingle) ex |= WS_EX_STATICEDGE;
    SetExStyle(ex);
}

void TNxCustomGridControl::SetEnableVisualStyles(bool value) {
    m_enableVisualStyles = value;
    Invalidate();
}

void TNxCustomGridControl::SetHeaderStyle(THeaderStyle value) {
    m_headerStyle = value;
    if (HeaderDisplay()) HeaderDisplay()->Canvas = Canvas();
    Invalidate();
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, RDW_FRAME | RDW_INVALIDATE);
}

TStyleDisplay* TNxCustomGridControl::HeaderDisplay() const {
    return m_headerDisplays[size_t(m_headerStyle)].get();
}

void TNxCustomGridControl::ShowGridHint(TNxHintKind kind, const WideString& text, TPoint clientPos,
                                        int maxWidth) {
    if (text.empty()) {
        HideGridHint();
        return;
    }
    if (!m_hintWindow) m_hintWindow = new THintWindow(nullptr);
    if (Application) m_hintWindow->SetColor(Application->HintColor());
    const AnsiString ansi = WideToAnsi(text);
    TRect r = m_hintWindow->CalcHintRect(std::max(1, maxWidth), ansi);
    const TPoint screen = ClientToScreen(clientPos);
    r = OffsetRect(r, screen.X, screen.Y);
    m_hintWindow->ActivateHint(r, ansi);
    m_hintKind = kind;
    m_hintText = text;
}

void TNxCustomGridControl::HideGridHint() {
    if (m_hintWindow && m_hintWindow->Active()) m_hintWindow->ReleaseHandle();
    m_hintKind = hkNone;
    m_hintText.clear();
}

void TNxCustomGridControl::WMNCPaint(TWMNCPaint& m) {
    TCustomControl::WMNCPaint(m);
    // Under visual styles the border is a flat one-pixel frame instead of the static edge.
    auto* canvas = m.Canvas;
    if (!canvas || m_borderStyle != bsSingle) return;
    const TColor styleFrame = HeaderDisplay() ? HeaderDisplay()->BorderFrameColor() : clNone;
    if (styleFrame == clNone && !Themed()) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(styleFrame != clNone ? styleFrame : RGB(130, 135, 144));
    canvas->FrameRect({0, 0, Width(), Height()});
}

// THintWindow: the borderless window that shows a hint.
#include "ui/HintWindow.h"

#include "gfx/DrawText.h"
#include "ui/Forms.h"
#include "ui/WindowSystem.h"

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    m_visible = false;
    m_parentFont = false;
    m_parentColor = false;
    m_style = WS_POPUP | WS_BORDER;
    m_color = Application->HintColor();
    m_font.Assign(*Screen->HintFont());
    CreateHandle();
}

THintWindow::~THintWindow() {
    Application->CancelHintFor(this);
}

TRect THintWindow::CalcHintRect(int maxWidth, const AnsiString& hint) {
    TCanvas canvas;
    TBitmap scratch(1, 1);
    canvas.SetSurface(&scratch);
    canvas.SetFont(m_font);
    TRect r = Rect(0, 0, std::max(1, maxWidth - 8), 0);
    DrawText(canvas, hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6 + 2;
    r.Bottom += 2 + 2;
    return r;
}

void THintWindow::ActivateHint(const TRect& rect, const AnsiString& hint) {
    m_text = hint;
    TRect r = rect;
    // Keep the hint on the screen.
    int sw = Screen->Width(), sh = Screen->Height();
    if (r.Right > sw) r = OffsetRect(r, sw - r.Right, 0);
    if (r.Left < 0) r = OffsetRect(r, -r.Left, 0);
    if (r.Bottom > sh) r = OffsetRect(r, 0, sh - r.Bottom);
    if (r.Top < 0) r = OffsetRect(r, 0, -r.Top);
    SetBoundsRect(r);
    m_visible = true;
    m_shown = true;
    TWindowSystem::Get().ShowTopLevel(this, true, false, true);
    Invalidate();
}

void THintWindow::ReleaseHandle() {
    if (!m_shown) return;
    m_shown = false;
    m_visible = false;
    TWindowSystem::Get().ShowTopLevel(this, false, false, true);
}

TPoint THintWindow::ClientOrigin() const {
    return {m_left + m_clientInWindow.Left, m_top + m_clientInWindow.Top};
}

int THintWindow::DisplayWindow() const {
    return m_wnd->displayId;
}

void THintWindow::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(m_color);
    c->FillRect(ClientRect());
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clInfoText);
    TRect r = InflateRect(ClientRect(), -2, -1);
    r.Left += 1;
    DrawText(*c, m_text, r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

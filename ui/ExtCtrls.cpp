// TBevel, TPanel, TImage and TTimer.
#include "ui/ExtCtrls.h"

#include "gfx/DrawText.h"
#include "platform/Display.h"
#include "ui/Forms.h"

// --- TBevel ---

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    m_width = 50;
    m_height = 50;
    m_controlStyle |= csReplicatable;
    m_controlStyle &= ~csCaptureMouse;
}

void TBevel::SetShape(TBevelShape value) {
    if (value == m_shape) return;
    m_shape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
    if (value == m_style) return;
    m_style = value;
    Invalidate();
}

void TBevel::DrawBox(TCanvas& c, int l, int t, int r, int b, TColor topLeft, TColor bottomRight) {
    c.Pen()->SetColor(topLeft);
    c.MoveTo(l, b);
    c.LineTo(l, t);
    c.LineTo(r, t);
    c.Pen()->SetColor(bottomRight);
    c.LineTo(r, b);
    c.LineTo(l - 1, b);
}

void TBevel::Paint() {
    TCanvas& c = *Canvas();
    TColor first = m_style == bsLowered ? DarkColor() : LightColor();
    TColor second = m_style == bsLowered ? LightColor() : DarkColor();
    int w = m_width, h = m_height;
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psSolid);
    auto line = [&](int x1, int y1, int x2, int y2, TColor color) {
        c.Pen()->SetColor(color);
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    switch (m_shape) {
    case bsBox:
        DrawBox(c, 0, 0, w - 1, h - 1, first, second);
        break;
    case bsFrame:
        DrawBox(c, 1, 1, w - 1, h - 1, second, second);
        DrawBox(c, 0, 0, w - 2, h - 2, first, first);
        break;
    case bsTopLine:
        line(0, 0, w, 0, first);
        line(0, 1, w, 1, second);
        break;
    case bsBottomLine:
        line(0, h - 2, w, h - 2, first);
        line(0, h - 1, w, h - 1, second);
        break;
    case bsLeftLine:
        line(0, 0, 0, h, first);
        line(1, 0, 1, h, second);
        break;
    case bsRightLine:
        line(w - 2, 0, w - 2, h, first);
        line(w - 1, 0, w - 1, h, second);
        break;
    case bsSpacer:
        break;
    }
}

// --- TCustomPanel ---

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    m_width = 185;
    m_height = 41;
    m_controlStyle |= csAcceptsControls | csOpaque;
}

namespace {
int CutWidth(TBevelCut cut, int width) {
    return cut == bvNone ? 0 : cut == bvFrame ? 1 : width;
}

void DrawCut(TCanvas& c, TRect& r, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    if (cut == bvFrame) {
        c.Brush()->SetColor(clBtnShadow);
        c.FrameRect(r);
        r = InflateRect(r, -1, -1);
        return;
    }
    for (int i = 0; i < width; ++i) {
        if (cut != bvSpace) {
            TColor tl = cut == bvRaised ? clBtnHighlight : clBtnShadow;
            TColor br = cut == bvRaised ? clBtnShadow : clBtnHighlight;
            c.Pen()->SetColor(tl);
            c.MoveTo(r.Left, r.Bottom - 1);
            c.LineTo(r.Left, r.Top);
            c.LineTo(r.Right, r.Top);
            c.Pen()->SetColor(br);
            c.MoveTo(r.Right - 1, r.Top + 1);
            c.LineTo(r.Right - 1, r.Bottom - 1);
            c.LineTo(r.Left, r.Bottom - 1);
        }
        r = InflateRect(r, -1, -1);
    }
}
} // namespace

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    m_bevelOuter = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    m_bevelInner = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
    m_bevelWidth = std::max(1, value);
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int value) {
    m_borderWidth = std::max(0, value);
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value) {
    m_alignment = value;
    Invalidate();
}

TRect TCustomPanel::PanelClientRect() const {
    int inset =
        CutWidth(m_bevelOuter, m_bevelWidth) + m_borderWidth + CutWidth(m_bevelInner, m_bevelWidth);
    TRect r = InflateRect(ClientRect(), -inset, -inset);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

void TCustomPanel::AlignControls(TControl* control, TRect& rect) {
    rect = PanelClientRect();
    TCustomControl::AlignControls(control, rect);
}

void TCustomPanel::Paint() {
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    c.Brush()->SetColor(m_color);
    c.FillRect(r);
    DrawCut(c, r, m_bevelOuter, m_bevelWidth);
    r = InflateRect(r, -m_borderWidth, -m_borderWidth);
    DrawCut(c, r, m_bevelInner, m_bevelWidth);
    if (m_text.empty()) return;
    c.SetFont(m_font);
    c.Brush()->SetStyle(bsClear);
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    flags |= m_alignment == taCenter ? DT_CENTER : m_alignment == taRightJustify ? DT_RIGHT : 0;
    TRect text = InflateRect(r, -2, 0);
    if (!m_enabled) c.Font()->SetColor(clGrayText);
    DrawText(c, m_text, text, flags);
    c.Brush()->SetStyle(bsSolid);
}

void TCustomPanel::CMTextChanged(TMessage&) {
    Invalidate();
}

// --- TImage ---

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    m_width = 105;
    m_height = 105;
    m_picture.OnChange = [this](TObject*) { Invalidate(); };
}

void TImage::SetStretch(bool value) {
    m_stretch = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    m_center = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    m_transparent = value;
    m_picture.SetTransparent(value);
    Invalidate();
}

void TImage::Paint() {
    if (m_picture.Empty()) return;
    TCanvas& c = *Canvas();
    if (m_stretch) {
        c.StretchDraw(ClientRect(), m_picture);
        return;
    }
    int x = 0, y = 0;
    if (m_center) {
        x = (m_width - m_picture.Width()) / 2;
        y = (m_height - m_picture.Height()) / 2;
    }
    c.Draw(x, y, m_picture);
}

// --- TTimer ---

namespace {
// The hidden window that receives the timer's messages.
class TTimerWindow : public TWinControl {
public:
    TTimerWindow(TTimer* timer) : TWinControl(nullptr), m_timer(timer) {}
    void WMTimer(TMessage&) override {
        if (m_timer->OnTimer) m_timer->OnTimer(m_timer);
    }

private:
    TTimer* m_timer;
};
} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner), m_window(new TTimerWindow(this)) {
    Update();
}

TTimer::~TTimer() {
    KillTimer(m_window.get(), 1);
}

void TTimer::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    Update();
}

void TTimer::SetInterval(unsigned value) {
    if (value == m_interval) return;
    m_interval = value;
    Update();
}

void TTimer::Update() {
    KillTimer(m_window.get(), 1);
    // Without a display (a program that never opened one) there is no loop to fire it.
    if (m_enabled && m_interval > 0 && HasDisplay()) SetTimer(m_window.get(), 1, m_interval);
}

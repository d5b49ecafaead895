// TCustomPanel: a container with bevelled edges and a caption.
#include "ui/Panel.h"

#include "gfx/DrawText.h"
#include "ui/Forms.h"

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

void TCustomPanel::CMTextChanged(TWMNoParams&) {
    Invalidate();
}

void TCustomPanel::DescribeAccessible(TAccessibleInfo& info) const {
    TCustomControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::Panel;
}

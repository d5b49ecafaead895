// TBevel: lines and boxes with a 3-D look.
#include "ui/Bevel.h"

#include "ui/Forms.h"

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

void TBevel::DescribeAccessible(TAccessibleInfo& info) const {
    TGraphicControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::Separator;
}

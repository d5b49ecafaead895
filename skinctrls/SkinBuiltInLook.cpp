#include "skinctrls/SkinBuiltInLook.h"

void Frame3D(TCanvas& c, const TRect& r, TColor topLeft, TColor bottomRight) {
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetColor(topLeft);
    c.MoveTo(r.Left, r.Bottom - 1);
    c.LineTo(r.Left, r.Top);
    c.LineTo(r.Right - 1, r.Top);
    c.Pen()->SetColor(bottomRight);
    c.LineTo(r.Right - 1, r.Bottom - 1);
    c.LineTo(r.Left - 1, r.Bottom - 1);
}

void DrawBevelCutFrame(TCanvas& c, const TRect& r, TBevelCut cut) {
    switch (cut) {
    case bvFrame:
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clBtnShadow);
        c.FrameRect(r);
        break;
    case bvRaised:
        Frame3D(c, r, clBtnHighlight, clBtnShadow);
        break;
    case bvLowered:
        Frame3D(c, r, clBtnShadow, clBtnHighlight);
        break;
    default:
        break;
    }
}

void DrawBuiltInCheckMark(TCanvas& c, int left, int top, TColor color) {
    c.Pen()->SetColor(color);
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psSolid);
    for (int i = 0; i <= 2; ++i) {
        c.MoveTo(left, top + 5 - i);
        c.LineTo(left + 2, top + 7 - i);
        c.LineTo(left + 7, top + 2 - i);
    }
}

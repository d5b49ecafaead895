#include "skin/SkinFrameGeometry.h"

#include "skin/SkinDrawing.h"

namespace {

TPoint Moved(TPoint p, int dx, int dy) {
    return {p.X + dx, p.Y + dy};
}

} // namespace

TRect MoveByCornerRule(const TRect& r, const TspSkinFormInfo& info, int pw, int ph, int dx,
                       int dy) {
    const TRect topLeft{0, 0, info.lefttoppoint.X, info.lefttoppoint.Y};
    const TRect topRight{info.righttoppoint.X, 0, pw, info.righttoppoint.Y};
    const TRect bottomLeft{0, info.leftbottompoint.Y, info.leftbottompoint.X, ph};
    const TRect bottomRight{info.rightbottompoint.X, info.rightbottompoint.Y, pw, ph};
    if (topLeft.IsEmpty() && topRight.IsEmpty() && bottomLeft.IsEmpty() && bottomRight.IsEmpty())
        return r;
    if (RectInRect(r, topLeft)) return r;
    if (RectInRect(r, topRight)) return OffsetRect(r, dx, 0);
    if (RectInRect(r, bottomLeft)) return OffsetRect(r, 0, dy);
    if (RectInRect(r, bottomRight)) return OffsetRect(r, dx, dy);
    const TPoint a = r.TopLeft(), b = r.BottomRight();
    auto spans = [&](const TRect& from, const TRect& to) {
        return PtInRect(from, a) && PtInRect(to, b);
    };
    TRect out = r;
    if (spans(topLeft, bottomRight)) {
        out.Right += dx;
        out.Bottom += dy;
    } else if (spans(topLeft, topRight)) {
        out.Right += dx;
    } else if (spans(bottomLeft, bottomRight)) {
        out.Right += dx;
        out.Top += dy;
        out.Bottom += dy;
    } else if (spans(topLeft, bottomLeft)) {
        out.Bottom += dy;
    } else if (spans(topRight, bottomRight)) {
        out.Left += dx;
        out.Right += dx;
        out.Bottom += dy;
    }
    return out;
}

TspFrameGeometry ComputeFrameGeometry(const TspSkinFormInfo& info, int pw, int ph, int width,
                                      int height) {
    const int dx = width - pw, dy = height - ph;
    TspFrameGeometry g;
    const TspSlicePoints points = ResizeSlicePoints(SlicePointsOf(info), pw, ph, width, height);
    g.LeftTop = points.LeftTop;
    g.RightTop = points.RightTop;
    g.LeftBottom = points.LeftBottom;
    g.RightBottom = points.RightBottom;
    g.ClientRect = points.ClientRect;
    g.CaptionRect = info.captionrect;
    if (!g.CaptionRect.IsEmpty()) g.CaptionRect.Right += dx;
    g.ButtonsRect = info.buttonsrect;
    // A button row in the right half of the picture stays with the right edge.
    if (!g.ButtonsRect.IsEmpty() && g.ButtonsRect.Left > pw / 2)
        g.ButtonsRect = OffsetRect(g.ButtonsRect, dx, 0);
    g.HitTestLeftTop = info.hittestlefttoppoint;
    g.HitTestRightTop = Moved(info.hittestrighttoppoint, dx, 0);
    g.HitTestLeftBottom = Moved(info.hittestleftbottompoint, 0, dy);
    g.HitTestRightBottom = Moved(info.hittestrightbottompoint, dx, dy);
    const TRect& ma = info.maskrectarea;
    g.MaskRectArea = {ma.Left, ma.Top, ma.Right + dx, ma.Bottom + dy};
    g.IconRect = MoveByCornerRule(info.iconrect, info, pw, ph, dx, dy);
    return g;
}

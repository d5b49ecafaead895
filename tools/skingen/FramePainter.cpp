#include "tools/skingen/Painters.h"
#include "tools/skingen/SkinLayout.h"

using namespace skinlayout;

namespace {

// The window's outline, rounder at the top than at the bottom: whether the device pixel
// (x, y) of a raster of `scale` has its centre inside.
bool InsideWindow(int x, int y, int scale) {
    const double px = (x + 0.5) / scale, py = (y + 0.5) / scale;
    auto outside = [&](double cx, double cy, double radius) {
        return (px - cx) * (px - cx) + (py - cy) * (py - cy) > radius * radius;
    };
    if (px < TopRadius && py < TopRadius && outside(TopRadius, TopRadius, TopRadius)) return false;
    if (px > FrameWidth - TopRadius && py < TopRadius &&
        outside(FrameWidth - TopRadius, TopRadius, TopRadius))
        return false;
    if (px < BottomRadius && py > FrameHeight - BottomRadius &&
        outside(BottomRadius, FrameHeight - BottomRadius, BottomRadius))
        return false;
    if (px > FrameWidth - BottomRadius && py > FrameHeight - BottomRadius &&
        outside(FrameWidth - BottomRadius, FrameHeight - BottomRadius, BottomRadius))
        return false;
    return true;
}

// The outline is one device pixel wide, on the window's side of its edge.
bool OnOutline(const Raster& r, int x, int y) {
    const int s = r.Scale();
    if (!InsideWindow(x, y, s)) return false;
    if (x == 0 || y == 0 || x == r.DeviceWidth() - 1 || y == r.DeviceHeight() - 1) return true;
    return !InsideWindow(x - 1, y, s) || !InsideWindow(x + 1, y, s) || !InsideWindow(x, y - 1, s) ||
           !InsideWindow(x, y + 1, s);
}

Shape CloseGlyph(double ox, double oy) {
    return UnionShape({SegmentShape(ox + 8, oy + 3, ox + 15, oy + 10, 0.75),
                       SegmentShape(ox + 15, oy + 3, ox + 8, oy + 10, 0.75)});
}

Shape MinimizeGlyph(double ox, double oy) {
    return SegmentShape(ox + 8.5, oy + 9.5, ox + 14.5, oy + 9.5, 0.8);
}

Shape BoxGlyph(double l, double t, double r, double b) {
    return UnionShape({SegmentShape(l, t + 0.5, r, t + 0.5, 0.9), // a heavier top edge
                       SegmentShape(l + 0.5, t, l + 0.5, b, 0.5),
                       SegmentShape(r - 0.5, t, r - 0.5, b, 0.5),
                       SegmentShape(l, b - 0.5, r, b - 0.5, 0.5)});
}

Shape MaximizeGlyph(double ox, double oy) {
    return BoxGlyph(ox + 8, oy + 3, ox + 15, oy + 10);
}

Shape RestoreGlyph(double ox, double oy) {
    return UnionShape({BoxGlyph(ox + 7, oy + 5, ox + 13, oy + 11),
                       SegmentShape(ox + 9.5, oy + 2.5, ox + 16, oy + 2.5, 0.75),
                       SegmentShape(ox + 15.5, oy + 2.5, ox + 15.5, oy + 8.5, 0.5),
                       SegmentShape(ox + 9.5, oy + 2.5, ox + 9.5, oy + 5, 0.5),
                       SegmentShape(ox + 13, oy + 8.5, ox + 16, oy + 8.5, 0.5)});
}

Shape SysMenuGlyph(double ox, double oy) {
    return UnionShape({SegmentShape(ox + 4, oy + 5, ox + 12, oy + 5, 0.8),
                       SegmentShape(ox + 4, oy + 8, ox + 12, oy + 8, 0.8),
                       SegmentShape(ox + 4, oy + 11, ox + 12, oy + 11, 0.8)});
}

struct ButtonLook {
    bool plate;
    Rgb top, bottom, glyph;
};

ButtonLook LookOf(Look look, bool close) {
    switch (look) {
    case Active:
        return close ? ButtonLook{true, {236, 84, 88}, {206, 52, 58}, White}
                     : ButtonLook{true, {92, 110, 140}, {72, 88, 114}, White};
    case Down:
        return close ? ButtonLook{true, {168, 38, 44}, {186, 46, 52}, {255, 226, 226}}
                     : ButtonLook{true, {48, 60, 80}, {56, 70, 92}, {220, 228, 240}};
    case Inactive:
        return {false, {}, {}, {128, 140, 158}};
    case Disabled:
        return {false, {}, {}, {86, 98, 118}};
    default:
        return {false, {}, {}, {214, 222, 234}};
    }
}

// A caption button: the title bar it sits on (rows 8 to 20 of the frame), an optional
// plate, and its glyph.
void PaintCaptionButton(Raster& r, const TRect& rc, Look look, bool close, const Shape& glyph,
                        int titleRow) {
    r.ForEachRow(rc.Top, rc.Bottom, [&](double y) {
        r.HLine(rc.Left, rc.Right, y, TitleColor(titleRow + y - rc.Top, r.Px()));
    });
    ButtonLook l = LookOf(look, close);
    if (l.plate) {
        const Box face = rc;
        r.FillShape(face, RoundRectShape(face, 3.5), [&](double, double y) {
            return Mix(l.top, l.bottom, r.Ramp(y, rc.Top, rc.Height()));
        });
        // A faint lit edge along the top of the plate.
        r.FillShape({face.Left, face.Top, face.Right, face.Top + r.Px()}, RoundRectShape(face, 3.5),
                    Lighter(l.top, 0.25));
    }
    r.FillShape(rc, glyph, l.glyph);
}

} // namespace

Rgb skinlayout::TitleColor(double y, double px) {
    if (y < px) return Outline;
    if (y >= FrameClient.Top) return Border;
    return Mix(TitleTop, TitleBottom, (y - px) / (FrameClient.Top - 2 * px));
}

Raster PaintFrame(int scale) {
    Raster r(FrameWidth, FrameHeight, Border, scale);
    const double px = r.Px();
    r.ForEachRow(0, FrameClient.Top,
                 [&](double y) { r.HLine(0, FrameWidth, y, TitleColor(y, px)); });
    r.VGradient({0, double(FrameClient.Bottom), FrameWidth, FrameHeight}, Border, BorderBottom);
    // A lit top edge and softly lit sides give the chrome some depth.
    r.HLine(2, FrameWidth - 2, px, TitleHighlight);
    Rgb sideLight = Mix(Border, TitleHighlight, 0.35);
    r.VLine(px, FrameClient.Top, FrameHeight - 2 * px, sideLight);
    r.VLine(FrameWidth - 2 * px, FrameClient.Top, FrameHeight - 2 * px,
            Mix(Border, BorderBottom, 0.5));
    r.ForEachRow(2 * px, FrameClient.Top, [&](double y) {
        r.PutAt(px, y, Mix(TitleColor(y, px), TitleHighlight, 0.45));
        r.PutAt(FrameWidth - 2 * px, y, Mix(TitleColor(y, px), TitleHighlight, 0.2));
    });
    // The client sits in a dark groove, with the accent line under the title bar.
    const Box cl = FrameClient;
    r.VLine(cl.Left - px, cl.Top, cl.Bottom + px, InnerEdge);
    r.VLine(cl.Right, cl.Top, cl.Bottom + px, InnerEdge);
    r.HLine(cl.Left - px, cl.Right + px, cl.Bottom, InnerEdge);
    r.HLine(cl.Left - px, cl.Right + px, cl.Top - px, Accent);
    r.FillRect(cl, Surface);
    for (int y = 0; y < r.DeviceHeight(); ++y)
        for (int x = 0; x < r.DeviceWidth(); ++x)
            if (!InsideWindow(x, y, scale) || OnOutline(r, x, y)) r.Put(x, y, Outline);
    return r;
}

// The window's shape is given in points, so the mask is drawn at 1x whatever the scale.
Raster PaintFrameMask() {
    Raster r(FrameWidth, FrameHeight, White);
    for (int y = 0; y < FrameHeight; ++y)
        for (int x = 0; x < FrameWidth; ++x)
            if (InsideWindow(x, y, 1)) r.Put(x, y, Rgb{0, 0, 0});
    return r;
}

Raster PaintFrameButtons(int scale) {
    Raster r(FrameButtonsWidth, FrameButtonsHeight, Border, scale);
    const int titleRow = FrameCaption.Top;
    for (Look look : {Normal, Active, Down, Inactive, Disabled}) {
        TRect c = CaptionButtonRect(CloseColumn, look);
        PaintCaptionButton(r, c, look, true, CloseGlyph(c.Left, c.Top), titleRow);
        TRect m = CaptionButtonRect(MaxColumn, look);
        PaintCaptionButton(r, m, look, false, MaximizeGlyph(m.Left, m.Top), titleRow);
        TRect s = CaptionButtonRect(RestoreColumn, look);
        PaintCaptionButton(r, s, look, false, RestoreGlyph(s.Left, s.Top), titleRow);
        TRect n = CaptionButtonRect(MinColumn, look);
        PaintCaptionButton(r, n, look, false, MinimizeGlyph(n.Left, n.Top), titleRow);
    }
    // The system-menu button (16 x 16, centred on the caption row) usually shows the
    // window's icon; its own looks are a menu mark.
    for (Look look : {Normal, Active, Down, Inactive}) {
        TRect s = SysMenuRect(look);
        if (s.Bottom > FrameButtonsHeight) break;
        PaintCaptionButton(r, s, look, false, SysMenuGlyph(s.Left, s.Top), titleRow - 2);
    }
    return r;
}

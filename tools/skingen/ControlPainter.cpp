#include "tools/skingen/Painters.h"
#include "tools/skingen/SkinLayout.h"

#include <cmath>

using namespace skinlayout;

void PaintPlate(Raster& r, const Box& rc, double radius, Rgb border, Rgb top, Rgb bottom, Rgb bg,
                double highlight) {
    const double px = r.Px();
    r.FillRect(rc, bg);
    r.FillShape(rc, RoundRectShape(rc, radius), border);
    const Box inner = rc.Inset(px);
    r.FillShape(inner, RoundRectShape(inner, std::max(0.5, radius - px)), [&](double, double y) {
        Rgb c = Mix(top, bottom, r.Ramp(y, inner.Top, inner.Height()));
        return y < inner.Top + px ? Lighter(c, highlight) : c;
    });
}

namespace {

// Push buttons: four looks of one shape, with a soft shadow under the raised ones.
void PaintButtonLooks(Raster& r, const TRect& normal, const TRect& active, const TRect& down,
                      const TRect& disabled, double radius) {
    const double px = r.Px();
    auto raised = [&](const TRect& rc, Rgb border, Rgb top, Rgb bottom, double hl) {
        r.FillRect(rc, Surface);
        const Box body{double(rc.Left), double(rc.Top), double(rc.Right), rc.Bottom - px};
        const Box shadow{rc.Left + px, rc.Top + px, rc.Right - px, double(rc.Bottom)};
        r.FillShape(shadow, RoundRectShape(shadow, radius), Darker(Surface, 0.12));
        const Box plate = body;
        r.FillShape(plate, RoundRectShape(plate, radius), border);
        const Box inner = plate.Inset(px);
        r.FillShape(inner, RoundRectShape(inner, radius - px), [&](double, double y) {
            Rgb c = Mix(top, bottom, r.Ramp(y, inner.Top, inner.Height()));
            return y < inner.Top + px ? Lighter(c, hl) : c;
        });
    };
    raised(normal, {160, 172, 190}, White, {226, 231, 239}, 0);
    raised(active, AccentDark, {96, 172, 250}, {34, 122, 226}, 0.3);
    // Pressed: sunk by one pixel, the shading turned over, no shadow.
    r.FillRect(down, Surface);
    const Box pressed{double(down.Left), down.Top + px, double(down.Right), double(down.Bottom)};
    r.FillShape(pressed, RoundRectShape(pressed, radius), Rgb{20, 84, 164});
    const Box inner = pressed.Inset(px);
    r.FillShape(inner, RoundRectShape(inner, radius - px), [&](double, double y) {
        return Mix(Rgb{26, 104, 200}, Rgb{40, 128, 230}, (y - inner.Top) / inner.Height());
    });
    raised(disabled, {206, 212, 221}, {246, 247, 249}, {236, 239, 243}, 0);
}

// Check and radio images: smoothed against the page colour, fully outside pixels in the
// key colour so that they drop out when drawn transparently.
void KeyOutside(Raster& r, const TRect& rc, const Shape& shape) {
    const TRect d = r.DeviceRect(rc);
    for (int y = d.Top; y < d.Bottom; ++y)
        for (int x = d.Left; x < d.Right; ++x)
            if (r.Coverage(shape, x, y) == 0) r.Put(x, y, Key);
}

void PaintCheckImage(Raster& r, const TRect& rc, Rgb border, Rgb top, Rgb bottom, bool mark,
                     Rgb markColor) {
    const Box box = Box(rc).Inset(1);
    r.FillRect(rc, Surface);
    PaintPlate(r, box, 3, border, top, bottom, Surface);
    if (mark) {
        double x = rc.Left, y = rc.Top;
        r.FillShape(rc,
                    UnionShape({SegmentShape(x + 4, y + 7.5, x + 6.5, y + 10, 1.0),
                                SegmentShape(x + 6.5, y + 10, x + 11, y + 4.5, 1.0)}),
                    markColor);
    }
    KeyOutside(r, rc, RoundRectShape(box, 3));
}

void PaintRadioImage(Raster& r, const TRect& rc, Rgb border, Rgb top, Rgb bottom, bool dot,
                     Rgb dotColor) {
    double cx = rc.Left + 7.5, cy = rc.Top + 7.5;
    r.FillRect(rc, Surface);
    r.FillShape(rc, CircleShape(cx, cy, 6.5), border);
    r.FillShape(rc, CircleShape(cx, cy, 6.5 - r.Px()),
                [&](double, double y) { return Mix(top, bottom, (y - rc.Top - 2) / 11.0); });
    if (dot) r.FillShape(rc, CircleShape(cx, cy, 2.6), dotColor);
    KeyOutside(r, rc, CircleShape(cx, cy, 6.5));
}

void PaintChecks(Raster& r) {
    const Rgb box = {150, 162, 180}, boxTop = White, boxBottom = {236, 240, 245};
    PaintCheckImage(r, CheckUnchecked, box, boxTop, boxBottom, false, {});
    PaintCheckImage(r, CheckChecked, AccentDark, {76, 160, 246}, Accent, true, White);
    PaintCheckImage(r, CheckActiveUnchecked, Accent, {248, 251, 255}, {226, 238, 252}, false, {});
    PaintCheckImage(r, CheckActiveChecked, AccentDark, {104, 180, 252}, {58, 150, 244}, true,
                    White);
    PaintCheckImage(r, CheckDisabledUnchecked, {204, 210, 218}, {244, 246, 248}, {238, 241, 244},
                    false, {});
    PaintCheckImage(r, CheckDisabledChecked, {190, 198, 210}, {206, 212, 222}, {196, 204, 215},
                    true, {246, 247, 249});

    PaintRadioImage(r, RadioUnchecked, box, boxTop, boxBottom, false, {});
    PaintRadioImage(r, RadioChecked, AccentDark, {76, 160, 246}, Accent, true, White);
    PaintRadioImage(r, RadioActiveUnchecked, Accent, {248, 251, 255}, {226, 238, 252}, false, {});
    PaintRadioImage(r, RadioActiveChecked, AccentDark, {104, 180, 252}, {58, 150, 244}, true,
                    White);
    PaintRadioImage(r, RadioDisabledUnchecked, {204, 210, 218}, {244, 246, 248}, {238, 241, 244},
                    false, {});
    PaintRadioImage(r, RadioDisabledChecked, {190, 198, 210}, {206, 212, 222}, {196, 204, 215},
                    true, {246, 247, 249});

    PaintPlate(r, CheckFrame, 4, SoftLine, PanelSurface, PanelSurface, Surface);
    PaintPlate(r, CheckFrameActive, 4, Accent, {244, 249, 255}, {234, 243, 253}, Surface);
}

// Tabs: rounded on top, open at the bottom.
void PaintTab(Raster& r, const TRect& rc, Rgb top, Rgb bottom, Rgb accent, int accentRows,
              bool open) {
    const double px = r.Px();
    r.FillRect(rc, Surface);
    const Box tall{double(rc.Left), double(rc.Top), double(rc.Right), rc.Bottom + 4.0};
    const Box innerTall{rc.Left + px, rc.Top + px, rc.Right - px, rc.Bottom + 4.0};
    r.FillShape(rc, RoundRectShape(tall, 3.5), Line);
    r.FillShape(rc, RoundRectShape(innerTall, 3.5 - px), [&](double, double y) {
        if (y < rc.Top + px + accentRows) return accent;
        return Mix(top, bottom, r.Ramp(y, rc.Top, rc.Height()));
    });
    if (!open) r.HLine(rc.Left, rc.Right, rc.Bottom - px, Line);
}

void PaintTabs(Raster& r) {
    PaintTab(r, TabNormal, {234, 238, 243}, {219, 225, 233}, {}, 0, false);
    PaintTab(r, TabActive, White, {250, 251, 253}, Accent, 2, true);
    PaintTab(r, TabHot, {246, 249, 253}, {229, 236, 245}, {132, 188, 246}, 1, false);
    const double px = r.Px();
    r.FillRect(TabPage, {250, 251, 253});
    const Box page = TabPage;
    r.HLine(page.Left, page.Right, page.Top, Line);
    r.HLine(page.Left, page.Right, page.Bottom - px, Line);
    r.VLine(page.Left, page.Top, page.Bottom, Line);
    r.VLine(page.Right - px, page.Top, page.Bottom, Line);
    r.FillRect(TabStrip, Surface);
}

// Text fields: white, a faint inner shade along the top; the active look has the accent
// outline and a soft ring inside it.
void PaintField(Raster& r, const TRect& rc, bool active) {
    // The shade and the ring lie a device pixel inside the outline; they end where the
    // corners begin to round, two points from each end.
    const double px = r.Px();
    PaintPlate(r, rc, 3, active ? Accent : Line, White, White, Surface);
    r.HLine(rc.Left + 2, rc.Right - 2, rc.Top + px,
            active ? Rgb{214, 232, 252} : Rgb{232, 236, 241});
    if (active) {
        r.VLine(rc.Left + px, rc.Top + 2, rc.Bottom - 2, {226, 239, 253});
        r.VLine(rc.Right - 2 * px, rc.Top + 2, rc.Bottom - 2, {226, 239, 253});
        r.HLine(rc.Left + 2, rc.Right - 2, rc.Bottom - 2 * px, {236, 245, 254});
    }
}

Shape ArrowShape(const TRect& cell, bool up) {
    double cx = cell.Left + cell.Width() / 2.0, cy = cell.Top + cell.Height() / 2.0;
    auto P = [](double x, double y) {
        return TPoint{int(std::lround(x * 8)), int(std::lround(y * 8))};
    };
    // Triangle in 1/8 pixel units, tested at 8x scale.
    TPoint a = up ? P(cx - 3.5, cy + 2) : P(cx - 3.5, cy - 2);
    TPoint b = up ? P(cx + 3.5, cy + 2) : P(cx + 3.5, cy - 2);
    TPoint c = up ? P(cx, cy - 2) : P(cx, cy + 2);
    Shape t = TriangleShape(a, b, c);
    return [t](double x, double y) { return t(x * 8, y * 8); };
}

Shape SideArrowShape(const TRect& cell, bool left) {
    double cx = cell.Left + cell.Width() / 2.0, cy = cell.Top + cell.Height() / 2.0;
    auto P = [](double x, double y) {
        return TPoint{int(std::lround(x * 8)), int(std::lround(y * 8))};
    };
    TPoint a = left ? P(cx + 2, cy - 3.5) : P(cx - 2, cy - 3.5);
    TPoint b = left ? P(cx + 2, cy + 3.5) : P(cx - 2, cy + 3.5);
    TPoint c = left ? P(cx - 2, cy) : P(cx + 2, cy);
    Shape t = TriangleShape(a, b, c);
    return [t](double x, double y) { return t(x * 8, y * 8); };
}

void PaintSpin(Raster& r, const TRect& rc, bool active) {
    PaintField(r, rc, active);
    int ox = rc.Left, oy = rc.Top;
    r.VLine(ox + 62, oy + 3, oy + 18, {226, 230, 236});
    for (TRect b : {SpinUp, SpinDown}) {
        TRect cell = OffsetRect(b, ox, oy);
        r.FillRect(cell, {244, 246, 249});
        r.FillShape(cell, ArrowShape(cell, b == SpinUp), MutedText);
    }
}

void PaintSpinButton(Raster& r, const TRect& cell, bool up, bool pressed) {
    r.FillRect(cell, pressed ? Rgb{196, 220, 248} : Rgb{221, 235, 252});
    r.FillShape(cell, ArrowShape(cell, up), pressed ? AccentDark : Accent);
}

void PaintPanels(Raster& r) {
    const double px = r.Px();
    const Box p = PanelRect;
    r.FillRect(p, PanelSurface);
    r.HLine(p.Left, p.Right, p.Top, SoftLine);
    r.HLine(p.Left, p.Right, p.Bottom - px, SoftLine);
    r.VLine(p.Left, p.Top, p.Bottom, SoftLine);
    r.VLine(p.Right - px, p.Top, p.Bottom, SoftLine);
    r.HLine(p.Left + px, p.Right - px, p.Top + px, White);

    const Box g = GroupRect;
    PaintPlate(r, g, 4, Line, PanelSurface, PanelSurface, Surface);
    const Box header{g.Left + px, g.Top + px, g.Right - px, g.Top + GroupHeader - px};
    r.FillShape(header, RoundRectShape(g.Inset(px), 4 - px), [&](double, double y) {
        Rgb c = Mix(Rgb{238, 242, 247}, Rgb{219, 226, 236}, r.Ramp(y, header.Top, header.Height()));
        return y < header.Top + px ? White : c;
    });
    r.HLine(g.Left + px, g.Right - px, g.Top + GroupHeader - px, {196, 205, 218});
    // Below the header the box is drawn from one-pixel border strips around a tiled client
    // part: the sides and the bottom are straight lines, the client part one plain colour,
    // and only the two bottom corner pixels are softened.
    r.FillRect({g.Left + px, g.Top + GroupHeader, g.Right - px, g.Bottom - px}, PanelSurface);
    r.VLine(g.Left, g.Top + GroupHeader, g.Bottom, Line);
    r.VLine(g.Right - px, g.Top + GroupHeader, g.Bottom, Line);
    r.HLine(g.Left, g.Right, g.Bottom - px, Line);
    r.PutAt(g.Left, g.Bottom - px, Mix(Line, Surface, 0.5));
    r.PutAt(g.Right - px, g.Bottom - px, Mix(Line, Surface, 0.5));
}

void PaintLabelBadge(Raster& r) {
    PaintPlate(r, LabelRect, 2, Line, White, {243, 246, 250}, Surface);
}

void PaintUpDown(Raster& r) {
    const Rgb tops[] = {White, {240, 247, 255}, {206, 226, 250}};
    const Rgb bottoms[] = {{226, 231, 239}, {214, 232, 252}, {220, 235, 252}};
    const Rgb borders[] = {{160, 172, 190}, Accent, AccentDark};
    for (int state = 0; state < 3; ++state) {
        for (bool left : {true, false}) {
            TRect cell = OffsetRect(left ? UpDownLeft : UpDownRight, state * UpDownStateStep, 0);
            PaintPlate(r, cell, 3, borders[state], tops[state], bottoms[state], Surface);
            r.FillShape(cell, SideArrowShape(cell, left), state == 0 ? MutedText : AccentDark);
        }
    }
}

} // namespace

Raster PaintControls(int scale) {
    Raster r(AtlasWidth, AtlasHeight, Surface, scale);
    PaintLabelBadge(r);
    PaintChecks(r);
    PaintTabs(r);
    PaintField(r, EditRect, false);
    PaintField(r, EditActive, true);
    PaintSpin(r, SpinRect, false);
    PaintSpin(r, SpinActive, true);
    PaintSpinButton(r, SpinUpHot, true, false);
    PaintSpinButton(r, SpinUpPressed, true, true);
    PaintSpinButton(r, SpinDownHot, false, false);
    PaintSpinButton(r, SpinDownPressed, false, true);
    PaintPanels(r);
    PaintUpDown(r);
    PaintButtonLooks(r, ButtonNormal, ButtonActive, ButtonDown, ButtonDisabled, 4);
    PaintButtonLooks(r, ResizeNormal, ResizeActive, ResizeDown, ResizeDisabled, 4);
    return r;
}

// A picture of the skin put together the way the window will wear it: the frame sliced to
// a window size, the caption buttons on the caption row and a few controls on the client
// area. It is for looking at the skin while drawing it, not for the program.
#include "tools/skingen/Preview.h"

#include "gfx/Canvas.h"
#include "tools/skingen/Painters.h"
#include "tools/skingen/SkinLayout.h"

using namespace skinlayout;

namespace {

// Left edge of the group box, measured from the first control column.
constexpr int GroupOffset = 410;

// Copies `src` of `from` to `to` at (x, y).
void Blit(Raster& to, const Raster& from, const TRect& src, int x, int y) {
    for (int j = 0; j < src.Height(); ++j)
        for (int i = 0; i < src.Width(); ++i)
            to.Put(x + i, y + j, from.Get(src.Left + i, src.Top + j));
}

// Copies `src` over `dst`, repeating it in both directions and cutting at dst's edges.
void Tile(Raster& to, const Raster& from, const TRect& src, const TRect& dst) {
    if (src.IsEmpty()) return;
    for (int y = dst.Top; y < dst.Bottom; ++y)
        for (int x = dst.Left; x < dst.Right; ++x)
            to.Put(x, y,
                   from.Get(src.Left + (x - dst.Left) % src.Width(),
                            src.Top + (y - dst.Top) % src.Height()));
}

// Nine parts split at (l, t) and (r, b) inside `src`: corners copied, edges and middle tiled.
void NineSlice(Raster& to, const Raster& from, const TRect& src, int l, int t, int r, int b,
               const TRect& dst) {
    int sw = src.Width(), sh = src.Height(), dw = dst.Width(), dh = dst.Height();
    int xs[4] = {0, l, r, sw}, ys[4] = {0, t, b, sh};
    int xd[4] = {0, l, dw - (sw - r), dw}, yd[4] = {0, t, dh - (sh - b), dh};
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            Tile(to, from,
                 {src.Left + xs[i], src.Top + ys[j], src.Left + xs[i + 1], src.Top + ys[j + 1]},
                 {dst.Left + xd[i], dst.Top + yd[j], dst.Left + xd[i + 1], dst.Top + yd[j + 1]});
}

void ThreeSlice(Raster& to, const Raster& from, const TRect& src, int l, int r, const TRect& dst) {
    NineSlice(to, from, src, l, 0, r, src.Height(), dst);
}

// Drops the key colour, as the check images are drawn.
void BlitKeyed(Raster& to, const Raster& from, const TRect& src, int x, int y) {
    for (int j = 0; j < src.Height(); ++j)
        for (int i = 0; i < src.Width(); ++i) {
            Rgb c = from.Get(src.Left + i, src.Top + j);
            if (!(c == Key)) to.Put(x + i, y + j, c);
        }
}

} // namespace

Raster PaintPreview(int width, int height) {
    Raster frame = PaintFrame(), mask = PaintFrameMask(), buttons = PaintFrameButtons(),
           controls = PaintControls();
    Raster out(width, height, White);
    NineSlice(out, frame, {0, 0, FrameWidth, FrameHeight}, FrameLT.X, FrameClient.Top, FrameRT.X,
              FrameClient.Bottom, {0, 0, width, height});
    // The window's shape: what the mask cuts away shows as white.
    Raster shaped = out;
    NineSlice(shaped, mask, {0, 0, FrameWidth, FrameHeight}, FrameLT.X, FrameClient.Top, FrameRT.X,
              FrameClient.Bottom, {0, 0, width, height});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!(shaped.Get(x, y) == Rgb{0, 0, 0})) out.Put(x, y, {200, 200, 200});
    int dx = width - FrameWidth;
    // Close and minimise at the caption's right end, the menu button at its left.
    Blit(out, buttons, CaptionButtonRect(CloseColumn, Normal), 120 + dx, 8);
    Blit(out, buttons, CaptionButtonRect(MinColumn, Active), 94 + dx, 8);
    Blit(out, buttons, SysMenuRect(Normal), 7, 6);

    // The client: a tab strip with two tabs, a page, and controls on it.
    int cx = FrameClient.Left, cy = FrameClient.Top;
    int cw = width - FrameWidth + FrameClient.Width();
    Tile(out, controls, TabStrip, {cx, cy, cx + cw, cy + 22});
    NineSlice(out, controls, TabPage, 10, 10, 50, 50, {cx, cy + 21, cx + cw, height - 10});
    ThreeSlice(out, controls, TabActive, 4, 55, {cx + 4, cy + 4, cx + 84, cy + 22});
    ThreeSlice(out, controls, TabNormal, 4, 55, {cx + 84, cy + 4, cx + 164, cy + 22});
    ThreeSlice(out, controls, TabHot, 4, 55, {cx + 164, cy + 4, cx + 244, cy + 22});
    int px = cx + 20, py = cy + 40;
    ThreeSlice(out, controls, EditRect, 4, 51, {px, py, px + 273, py + 21});
    ThreeSlice(out, controls, EditActive, 4, 51, {px, py + 30, px + 273, py + 51});
    BlitKeyed(out, controls, CheckChecked, px + 3, py + 60 + 5);
    BlitKeyed(out, controls, CheckUnchecked, px + 100, py + 60 + 5);
    BlitKeyed(out, controls, RadioChecked, px + 140, py + 60 + 5);
    BlitKeyed(out, controls, RadioActiveUnchecked, px + 170, py + 60 + 5);
    ThreeSlice(out, controls, ButtonNormal, 16, 67, {px, py + 95, px + 113, py + 121});
    ThreeSlice(out, controls, ButtonActive, 16, 67, {px + 123, py + 95, px + 236, py + 121});
    ThreeSlice(out, controls, ButtonDown, 16, 67, {px + 246, py + 95, px + 359, py + 121});
    NineSlice(out, controls, ResizeNormal, 6, 6, 32, 31, {px + 370, py + 96, px + 395, py + 115});
    ThreeSlice(out, controls, SpinRect, 4, 62, {px, py + 135, px + 81, py + 156});
    ThreeSlice(out, controls, SpinActive, 4, 62, {px + 90, py + 135, px + 171, py + 156});
    ThreeSlice(out, controls, LabelRect, 2, 33, {px + 190, py + 138, px + 240, py + 154});
    // The group box and panel sit right of the button row, clear of it.
    int gx = px + GroupOffset, gy = py;
    NineSlice(out, controls, GroupRect, 20, 24, 50, 60, {gx, gy, gx + 170, gy + 130});
    NineSlice(out, controls, PanelRect, 6, 6, 54, 34, {gx, gy + 140, gx + 170, gy + 161});
    return out;
}

void LabelPreview(TBitmap& preview) {
    TCanvas* c = preview.Canvas();
    c->Brush()->SetStyle(bsClear);
    auto text = [&](int x, int y, const char* s, Rgb color, bool bold) {
        c->Font()->SetName("Arial");
        c->Font()->SetHeight(14);
        c->Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
        c->Font()->SetColor(ColorValue(color));
        c->TextOut(x, y, s);
    };
    auto centred = [&](const TRect& r, const char* s, Rgb color, bool bold) {
        c->Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
        int w = c->TextWidth(s), h = c->TextHeight(s);
        text(r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - h) / 2, s, color, bold);
    };
    // Caption: shadow, then the text, as the caption object draws it.
    text(27, 9, "Brelvan 3.3 - subscription till 31.12", {18, 23, 32}, true);
    text(26, 8, "Brelvan 3.3 - subscription till 31.12", {242, 246, 252}, true);
    int cx = FrameClient.Left, cy = FrameClient.Top;
    centred({cx + 4, cy + 4, cx + 84, cy + 22}, "About", Text, false);
    centred({cx + 84, cy + 4, cx + 164, cy + 22}, "Football", MutedText, false);
    centred({cx + 164, cy + 4, cx + 244, cy + 22}, "Hot", AccentDark, false);
    int px = cx + 20, py = cy + 40;
    text(px + 4, py + 3, "user@example", {0, 0, 0}, false);
    text(px + 22, py + 63, "Remember", Text, false);
    centred({px, py + 95, px + 113, py + 120}, "LOGIN", {0, 0, 0}, true);
    centred({px + 123, py + 95, px + 236, py + 120}, "LOGIN", White, true);
    centred({px + 246, py + 96, px + 359, py + 121}, "CLEAR", {236, 244, 255}, true);
    text(px + 5, py + 137, "1.50", Text, false);
    centred({px + 190, py + 138, px + 240, py + 154}, "128", Text, false);
    text(px + GroupOffset + 3, py + 1, "Filter", {40, 48, 62}, true);
}

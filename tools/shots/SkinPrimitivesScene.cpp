// The skin engine's drawing primitives on the program's skin: the frame picture fitted to
// three sizes, the push button fitted to four widths, the frame mask's region as an outline,
// every morph kind between the button's normal and active look, and the six effects of an
// inactive frame.
#include "Scene.h"

#include "data/ProgramSkin.h"
#include "gfx/Canvas.h"
#include "gfx/Png.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinDrawing.h"

#include <memory>
#include <string>

namespace {

void Label(TCanvas& c, int x, int y, const std::string& text) {
    c.Brush()->SetStyle(bsClear);
    c.TextOut(x, y, text);
}

TBitmap FrameAt(const TspSkinData& s, int w, int h) {
    const TBitmap* pic = const_cast<TspSkinData&>(s).SkinPicture();
    const TspSlicePoints p = SlicePointsOf(s.FormInfo());
    TBitmap out;
    DrawFourCornerSliced(out, pic, pic->BoundsRect(), p,
                         ResizeSlicePoints(p, pic->Width(), pic->Height(), w, h), w, h,
                         StretchFlagsOf(s.FormInfo()), true);
    return out;
}

// The button record's picture at a width: left part, tiled middle, right part.
TBitmap ButtonAt(const TspSkinData& s, const TRect& state, int width) {
    const auto* r = dynamic_cast<const TspDataSkinButtonControl*>(
        s.ControlRecord(s.FindControlRecord("button")));
    TBitmap out;
    if (!r) return out;
    DrawHorizontalSliced(out, s.ActivePicture(r->pictureindex), state, r->lefttoppoint.X,
                         r->skinrect.Width() - r->righttoppoint.X, width, r->stretcheffect);
    return out;
}

// The region's boundary: pixels inside whose right or lower neighbour is outside, or that
// lie on the target's edge.
void Outline(TCanvas& c, int ox, int oy, const TRegion& r, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!r.Contains(x, y)) continue;
            const bool edge = !r.Contains(x - 1, y) || !r.Contains(x + 1, y) ||
                              !r.Contains(x, y - 1) || !r.Contains(x, y + 1);
            c.SetPixel(ox + x, oy + y, edge ? clRed : RGB(255, 226, 226));
        }
}

void RenderSkinPrimitives(const std::string& pngPath) {
    TspCompressedStoredSkin stored(nullptr);
    LoadProgramSkin(stored);
    TspSkinData skin(nullptr);
    skin.ApplyStoredSkin(&stored);

    TBitmap page(1270, 1110);
    page.Fill(RGB(250, 250, 250));
    TCanvas& c = *page.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(14);
    c.Font()->SetColor(clBlack);

    // The frame at its own size, 400 x 300 and 821 x 633.
    const TBitmap* frame = skin.SkinPicture();
    Label(c, 10, 8, "frame, own size");
    c.Draw(10, 26, FrameAt(skin, frame->Width(), frame->Height()));
    Label(c, 10, 142, "frame, 400 x 300");
    c.Draw(10, 160, FrameAt(skin, 400, 300));
    Label(c, 430, 8, "frame, 821 x 633");
    c.Draw(430, 26, FrameAt(skin, 821, 633));

    // The frame mask sliced to 400 x 300, as a region outline.
    Label(c, 10, 472, "frame mask region, 400 x 300");
    const TspSlicePoints p = SlicePointsOf(skin.FormInfo());
    const TRegion region = RegionFromSlicedMask(
        *skin.SkinMask(), p, ResizeSlicePoints(p, frame->Width(), frame->Height(), 400, 300), 400,
        300);
    Outline(c, 10, 490, region, 400, 300);

    // The "button" record at four widths.
    const int bi = skin.FindControlRecord("button");
    const auto* button = dynamic_cast<const TspDataSkinButtonControl*>(skin.ControlRecord(bi));
    Label(c, 10, 800, "button at four widths");
    int y = 818;
    for (int w : {button ? button->skinrect.Width() : 83, 113, 170, 250}) {
        c.Draw(10, y, ButtonAt(skin, button ? button->skinrect : TRect{}, w));
        y += 34;
    }

    // Every morph kind from the normal to the active look, k = 0 .. 1.
    Label(c, 430, 672, "morph kinds, k = 0, 0.25, 0.5, 0.75, 1");
    const char* kinds[] = {"blend",      "gradient",    "left gradient", "right gradient",
                           "left slide", "right slide", "push"};
    if (button) {
        const TBitmap normal = ButtonAt(skin, button->skinrect, 113);
        const TBitmap active = ButtonAt(skin, button->activeskinrect, 113);
        for (int kind = mkDefault; kind <= mkPush; ++kind) {
            const int row = 692 + kind * 33;
            Label(c, 430, row + 5, kinds[kind]);
            for (int i = 0; i < 5; ++i) {
                TspEffectBmp a(normal);
                a.Morph(TspMorphKind(kind), TspEffectBmp(active), i * 0.25);
                a.DrawAt(c, 540 + i * 123, row);
            }
        }
    }

    // The six effects of an inactive frame.
    const char* effects[] = {"brightness", "darkness",   "grayscale",
                             "noise",      "split blur", "invert"};
    for (int e = ieBrightness; e <= ieInvert; ++e) {
        const int x = 10 + e * 165;
        Label(c, x, 972, effects[e]);
        TspEffectBmp bmp(FrameAt(skin, frame->Width(), frame->Height()));
        ApplyInactiveEffect(bmp, e);
        bmp.DrawAt(c, x, 990);
    }
    SavePng(page, pngPath);
}

SceneRegistrar reg("skin-primitives", &RenderSkinPrimitives);

} // namespace

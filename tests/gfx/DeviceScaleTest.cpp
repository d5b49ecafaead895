// Drawing on device-scaled surfaces: the picture at 2x and 3x has the 1x picture's geometry,
// each point s x s pixels, with text rasterised at the larger size and laid out as at 1x.
#include "GfxTestUtil.h"
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/DrawText.h"
#include "gfx/Font.h"
#include "gfx/FontFace.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

TBitmap WhiteAt(int scale, int w, int h) {
    TBitmap b;
    b.SetScale(scale);
    b.SetSize(w, h);
    b.Fill(clWhite);
    return b;
}

// True when every stored pixel of `scaled` is the colour of its point in `plain` (a 1x
// bitmap): the scaled picture is exactly the 1x one enlarged. Names the first difference.
::testing::AssertionResult IsEnlargementOf(const TBitmap& scaled, const TBitmap& plain) {
    const int s = scaled.Scale();
    if (scaled.Width() != plain.Width() || scaled.Height() != plain.Height())
        return ::testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < scaled.DeviceHeight(); ++y)
        for (int x = 0; x < scaled.DeviceWidth(); ++x) {
            const TPixel got = scaled.ScanLine(y)[x] & 0xFFFFFFu;
            const TPixel want = plain.ScanLine(y / s)[x / s] & 0xFFFFFFu;
            if (got != want)
                return ::testing::AssertionFailure()
                       << "device pixel (" << x << ", " << y << ") is " << std::hex << got
                       << ", its point (" << std::dec << x / s << ", " << y / s << ") is "
                       << std::hex << want;
        }
    return ::testing::AssertionSuccess();
}

// Blocks of s x s stored pixels that are not one colour: detail finer than a point.
int MixedBlocks(const TBitmap& scaled) {
    const int s = scaled.Scale();
    int mixed = 0;
    for (int py = 0; py < scaled.Height(); ++py)
        for (int px = 0; px < scaled.Width(); ++px) {
            const TPixel first = scaled.ScanLine(py * s)[px * s];
            bool same = true;
            for (int y = 0; y < s && same; ++y)
                for (int x = 0; x < s && same; ++x)
                    same = scaled.ScanLine(py * s + y)[px * s + x] == first;
            mixed += !same;
        }
    return mixed;
}

using Drawing = std::function<void(TCanvas&)>;

// Draws the same thing at 1x and at `scale` and expects the scaled picture to be the 1x
// picture enlarged.
void ExpectSameGeometry(const Drawing& draw, int scale, int w = 40, int h = 30) {
    TBitmap plain = WhiteAt(1, w, h);
    TBitmap scaled = WhiteAt(scale, w, h);
    draw(*plain.Canvas());
    draw(*scaled.Canvas());
    EXPECT_NE(InkBounds(plain, clWhite), TRect{}) << "the drawing left no ink at 1x";
    EXPECT_TRUE(IsEnlargementOf(scaled, plain)) << "at scale " << scale;
}

} // namespace

TEST(DeviceScale, BitmapKeepsLogicalSizeAndStoresDevicePixels) {
    TBitmap b;
    b.SetSize(5, 4);
    b.Fill(clRed);
    b.SetScale(2);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_EQ(b.DeviceWidth(), 10);
    EXPECT_EQ(b.DeviceHeight(), 8);
    EXPECT_EQ(b.Stride(), 40);
    EXPECT_EQ(b.PixelColor(4, 3), clWhite) << "a new scale makes the pixels anew";

    // Resizing keeps the stored pixels of the part that stays.
    b.ScanLine(1)[1] = 0xFF0000FFu;
    b.SetSize(6, 6);
    EXPECT_EQ(b.DeviceWidth(), 12);
    EXPECT_EQ(b.ScanLine(1)[1], 0xFF0000FFu);
    EXPECT_EQ(b.PixelColor(0, 0), clWhite) << "a point reads as its top-left pixel";
    b.ScanLine(2)[2] = 0xFF00FF00u;
    EXPECT_EQ(b.PixelColor(1, 1), clLime);

    // Copies, moves and swaps carry the scale with the pixels.
    TBitmap copy(b);
    EXPECT_EQ(copy.Scale(), 2);
    EXPECT_EQ(copy.ScanLine(2)[2], 0xFF00FF00u);
    TBitmap plain(3, 3);
    plain.Swap(copy);
    EXPECT_EQ(plain.Scale(), 2);
    EXPECT_EQ(copy.Scale(), 1);
    EXPECT_EQ(copy.DeviceWidth(), 3);
    TBitmap moved(std::move(plain));
    EXPECT_EQ(moved.Scale(), 2);
    EXPECT_EQ(moved.DeviceWidth(), 12);

    // Out of range scales are clamped, never zero.
    b.SetScale(0);
    EXPECT_EQ(b.Scale(), 1);
    b.SetScale(9);
    EXPECT_EQ(b.Scale(), MaxDeviceScale);
    EXPECT_EQ(b.DeviceWidth(), 6 * MaxDeviceScale);
}

TEST(DeviceScale, ScaledBitmapIsSavedAtDeviceSizeAndLimitsCountDevicePixels) {
    TBitmap b = WhiteAt(3, 4, 2);
    b.Canvas()->Brush()->SetColor(clBlue);
    b.Canvas()->FillRect(Rect(1, 0, 2, 1));
    const std::string path = TempPath("scaled.png");
    b.SaveToFile(path);
    TBitmap back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Scale(), 1) << "a picture read from a file is 1x";
    EXPECT_EQ(back.Width(), 12);
    EXPECT_EQ(back.Height(), 6);
    EXPECT_EQ(InkBounds(back, clWhite), Rect(3, 0, 6, 3));
    EXPECT_TRUE(SamePixels(back, b.DevicePicture()));
    EXPECT_EQ(b.SaveToBmpBytes().size(), b.DevicePicture().SaveToBmpBytes().size());

    // A size that fits at 1x but not at 3x is refused before anything is allocated.
    TBitmap big = WhiteAt(3, 1, 1);
    EXPECT_THROW(big.SetSize(MaxPictureSide / 2, 2), EInvalidGraphic);
    EXPECT_EQ(big.Width(), 1);
    EXPECT_EQ(big.DeviceWidth(), 3);
}

TEST(DeviceScale, ShapesAndLinesHaveTheOneXGeometry) {
    const std::pair<const char*, Drawing> drawings[] = {
        {"fill with origin and clip",
         [](TCanvas& c) {
             c.SetOrigin(3, 2);
             c.IntersectClipRect(Rect(0, 0, 20, 12));
             c.Brush()->SetColor(clRed);
             c.FillRect(Rect(-5, -5, 30, 30));
         }},
        {"rectangles, pen 1 and 3",
         [](TCanvas& c) {
             c.Brush()->SetColor(clYellow);
             c.Rectangle(2, 2, 15, 12);
             c.Pen()->SetWidth(3);
             c.Pen()->SetColor(clBlue);
             c.Rectangle(18, 3, 38, 25);
         }},
        {"rectangle without a pen stops a point short",
         [](TCanvas& c) {
             c.Pen()->SetStyle(psClear);
             c.Brush()->SetColor(clGreen);
             c.Rectangle(4, 4, 14, 9);
         }},
        {"dotted rectangle outline",
         [](TCanvas& c) {
             c.Pen()->SetStyle(psDot);
             c.Brush()->SetStyle(bsClear);
             c.Rectangle(3, 3, 30, 20);
         }},
        {"lines: solid, dashed, slanted, backwards, xor",
         [](TCanvas& c) {
             c.MoveTo(1, 1);
             c.LineTo(35, 1);
             c.MoveTo(36, 2);
             c.LineTo(36, 28);
             c.MoveTo(30, 27);
             c.LineTo(2, 27);
             c.Pen()->SetStyle(psDash);
             c.MoveTo(2, 4);
             c.LineTo(34, 4);
             c.MoveTo(3, 26);
             c.LineTo(3, 5);
             c.Pen()->SetStyle(psSolid);
             c.MoveTo(5, 6);
             c.LineTo(30, 22);
             c.Pen()->SetMode(pmXor);
             c.Pen()->SetColor(clWhite);
             c.MoveTo(6, 20);
             c.LineTo(33, 8);
         }},
        {"wide straight lines",
         [](TCanvas& c) {
             c.Pen()->SetWidth(4);
             c.MoveTo(3, 5);
             c.LineTo(30, 5);
             c.MoveTo(20, 10);
             c.LineTo(20, 27);
         }},
        {"frame and focus rectangles",
         [](TCanvas& c) {
             c.Brush()->SetColor(clNavy);
             c.FrameRect(Rect(2, 2, 20, 14));
             c.DrawFocusRect(Rect(5, 16, 36, 28));
             c.DrawFocusRect(Rect(22, 3, 23, 12)); // one point wide
         }},
        {"hatched brush keeps its pattern in points",
         [](TCanvas& c) {
             c.Brush()->SetColor(clMaroon);
             c.Brush()->SetStyle(bsDiagCross);
             c.FillRect(Rect(1, 1, 39, 29));
         }},
        {"inversion, alpha fill and single points",
         [](TCanvas& c) {
             c.Brush()->SetColor(clTeal);
             c.FillRect(Rect(0, 0, 20, 30));
             c.InvertRect(Rect(10, 5, 30, 25));
             c.AlphaFillRect(Rect(5, 10, 35, 15), clRed, 128);
             c.SetPixel(38, 28, clBlack);
             c.SetPixel(0, 29, clFuchsia);
         }},
    };
    for (int scale : {2, 3})
        for (const auto& [name, draw] : drawings) {
            SCOPED_TRACE(name);
            ExpectSameGeometry(draw, scale);
        }
}

TEST(DeviceScale, CanvasSpeaksInPoints) {
    TBitmap b = WhiteAt(2, 30, 20);
    TCanvas& c = *b.Canvas();
    EXPECT_EQ(c.Scale(), 2);
    EXPECT_EQ(c.SurfaceWidth(), 60);
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 30, 20));
    c.SetOrigin(4, 3);
    c.IntersectClipRect(Rect(1, 1, 6, 5));
    EXPECT_EQ(c.ClipRect(), Rect(1, 1, 6, 5));
    EXPECT_EQ(c.ClipRegion().Bounds(), Rect(10, 8, 20, 16)) << "the region is in device pixels";
    EXPECT_TRUE(c.IsVisible(Rect(5, 4, 7, 7)));
    EXPECT_FALSE(c.IsVisible(Rect(6, 1, 9, 9)));
    c.SetPixel(2, 2, clRed);
    EXPECT_EQ(c.Pixel(2, 2), clRed);
    EXPECT_EQ(c.Pixel(0, 0), clNone) << "outside the clip";

    // A region from the window system is in points of the surface.
    TRegion region(Rect(0, 0, 10, 10));
    region.Subtract(Rect(2, 2, 4, 4));
    c.SetOrigin(0, 0);
    c.SetClipRegion(region);
    EXPECT_EQ(c.ClipRegion().Bounds(), Rect(0, 0, 20, 20));
    c.Brush()->SetColor(clBlue);
    c.FillRect(Rect(0, 0, 30, 20));
    EXPECT_EQ(CountColor(b.DevicePicture(), clBlue), 4 * (100 - 4));
    EXPECT_EQ(b.PixelColor(3, 3), clWhite) << "the hole stays";

    // Pen widths are points too: a 2-point pen (rows 10 and 11) is 4 pixels on a 2x surface.
    TBitmap lines = WhiteAt(2, 20, 20);
    lines.Canvas()->Pen()->SetWidth(2);
    lines.Canvas()->MoveTo(2, 10);
    lines.Canvas()->LineTo(18, 10);
    EXPECT_EQ(InkBounds(lines.DevicePicture(), clWhite), Rect(4, 20, 36, 24));
}

TEST(DeviceScale, PicturesAreEnlargedByWholePixelsOrCopiedOneToOne) {
    // A 1x picture with a transparent colour, drawn at 1x and on a 3x surface.
    TBitmap picture(6, 4);
    picture.Fill(clLime);
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(Rect(1, 1, 3, 3));
    picture.SetTransparent(true);
    picture.SetTransparentColor(clLime);
    ExpectSameGeometry([&](TCanvas& c) { c.Draw(7, 5, picture); }, 3);
    ExpectSameGeometry([&](TCanvas& c) { c.StretchDraw(Rect(2, 2, 20, 14), picture); }, 2);
    ExpectSameGeometry([&](TCanvas& c) { c.CopyRect(Rect(0, 0, 4, 3), picture, Rect(1, 1, 5, 4)); },
                       2);

    // A 2x picture on a 2x surface lands pixel for pixel, finer than a point.
    TBitmap fine = WhiteAt(2, 3, 3);
    fine.ScanLine(0)[1] = 0xFF000000u;
    fine.ScanLine(5)[4] = 0xFFFF0000u;
    TBitmap target = WhiteAt(2, 10, 10);
    target.Canvas()->Draw(2, 1, fine);
    EXPECT_EQ(target.ScanLine(2)[5], 0xFF000000u);
    EXPECT_EQ(target.ScanLine(7)[8], 0xFFFF0000u);
    EXPECT_EQ(target.ScanLine(2)[4] & 0xFFFFFFu, 0xFFFFFFu);

    // Between canvases of different scales the logical rectangles meet: 2x onto 1x takes
    // each point's top-left pixel.
    TBitmap plain = WhiteAt(1, 10, 10);
    plain.Canvas()->CopyRect(Rect(0, 0, 3, 3), *fine.Canvas(), Rect(0, 0, 3, 3));
    EXPECT_EQ(plain.PixelColor(0, 0), clWhite);
    EXPECT_EQ(plain.PixelColor(2, 2), clWhite);
    fine.ScanLine(2)[2] = 0xFF0000FFu;
    plain.Canvas()->BitBlt(5, 5, 3, 3, *fine.Canvas(), 0, 0);
    EXPECT_EQ(plain.PixelColor(6, 6), clBlue);
}

TEST(DeviceScale, TextIsLaidOutAsAtOneXAndRasterisedLarger) {
    const std::u16string text = u"Войти LOGIN 2,35";
    TBitmap plain = WhiteAt(1, 140, 24);
    TBitmap scaled = WhiteAt(2, 140, 24);
    for (TBitmap* b : {&plain, &scaled}) {
        TCanvas& c = *b->Canvas();
        c.Font()->SetName("Arial");
        c.Font()->SetHeight(-13);
        c.Font()->SetStyle({fsBold});
        c.Brush()->SetStyle(bsClear);
        c.TextOut(4, 3, text);
    }
    // Layout is the 1x layout.
    EXPECT_EQ(scaled.Canvas()->TextWidth(text), plain.Canvas()->TextWidth(text));
    EXPECT_EQ(scaled.Canvas()->TextHeight(text), plain.Canvas()->TextHeight(text));
    EXPECT_EQ(scaled.Canvas()->PenPos(), plain.Canvas()->PenPos());

    // The ink covers the same points, give or take a point of antialiasing at the edges.
    const TRect ink1 = InkBounds(plain, clWhite);
    const TRect ink2 = InkBounds(scaled.DevicePicture(), clWhite);
    ASSERT_FALSE(ink1.IsEmpty());
    EXPECT_NEAR(ink2.Left, ink1.Left * 2, 2);
    EXPECT_NEAR(ink2.Right, ink1.Right * 2, 3);
    EXPECT_NEAR(ink2.Top, ink1.Top * 2, 3);
    EXPECT_NEAR(ink2.Bottom, ink1.Bottom * 2, 3);

    // Not the 1x text enlarged: plenty of 2 x 2 blocks hold more than one colour.
    EXPECT_FALSE(IsEnlargementOf(scaled, plain));
    EXPECT_GT(MixedBlocks(scaled), 40);
}

TEST(DeviceScale, DrawTextBreaksAndClipsAtTheOneXFigures) {
    const std::u16string text = u"The quick brown fox jumps over the lazy dog again and again";
    TBitmap plain = WhiteAt(1, 120, 80);
    TBitmap scaled = WhiteAt(3, 120, 80);
    for (TBitmap* b : {&plain, &scaled}) {
        TCanvas& c = *b->Canvas();
        c.Font()->SetName("Arial");
        c.Brush()->SetStyle(bsClear);
        TRect r = Rect(5, 5, 110, 75);
        DrawText(c, text, r, DT_WORDBREAK);
    }
    // The same lines at the same heights: rows of ink per point row agree.
    int rows1 = 0, rows3 = 0;
    for (int y = 0; y < 80; ++y) {
        bool ink1 = false, ink3 = false;
        for (int x = 0; x < 120; ++x) {
            ink1 = ink1 || plain.PixelColor(x, y) != clWhite;
            for (int k = 0; k < 3 && !ink3; ++k)
                for (int j = 0; j < 3 && !ink3; ++j)
                    ink3 = (scaled.ScanLine(y * 3 + k)[x * 3 + j] & 0xFFFFFFu) != 0xFFFFFFu;
        }
        rows1 += ink1;
        rows3 += ink3;
    }
    EXPECT_GT(rows1, 20);
    EXPECT_NEAR(rows3, rows1, 4);

    // Clipped text stays inside its rectangle at every scale.
    TBitmap clipped = WhiteAt(2, 60, 20);
    clipped.Canvas()->Font()->SetName("Arial");
    clipped.Canvas()->Brush()->SetStyle(bsClear);
    clipped.Canvas()->TextRect(Rect(10, 0, 30, 20), 4, 2, u"WWWWWWWWWW");
    const TRect ink = InkBounds(clipped.DevicePicture(), clWhite);
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(ink.Right, 60);
}

TEST(DeviceScale, ScaledFaceIsMadeAnewWhenTheFontChanges) {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-12);
    const int small = font.DeviceFace(2).Metrics().Height;
    EXPECT_NEAR(small, 2 * font.Metrics().Height, 2);
    EXPECT_EQ(&font.DeviceFace(1), &font.Face());
    font.SetHeight(-24);
    EXPECT_GT(font.DeviceFace(2).Metrics().Height, small + 10);
    TFont copy(font);
    EXPECT_EQ(&copy.DeviceFace(2), &font.DeviceFace(2)) << "copies share the scaled face";
    EXPECT_NE(&font.DeviceFace(3), &copy.DeviceFace(2));
}

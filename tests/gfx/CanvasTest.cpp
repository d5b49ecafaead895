#include "gfx/Canvas.h"
#include "GfxTestUtil.h"
#include "gfx/Bitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

TBitmap White(int w, int h) {
    TBitmap b(w, h);
    b.Fill(clWhite);
    return b;
}

} // namespace

TEST(Canvas, FillRectHonoursOriginAndClip) {
    TBitmap b = White(20, 20);
    TCanvas* c = b.Canvas();
    c->SetOrigin(5, 5);
    c->IntersectClipRect(Rect(0, 0, 10, 10)); // surface 5..15
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(-5, -5, 20, 20));
    EXPECT_EQ(InkBounds(b, clWhite), Rect(5, 5, 15, 15));
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 10, 10));
    EXPECT_EQ(c->Pixel(0, 0), clRed);
    EXPECT_EQ(c->Pixel(-1, 0), clNone); // outside the clip

    // A clip region with a hole: the hole stays untouched.
    TBitmap d = White(10, 10);
    TRegion region(Rect(0, 0, 10, 10));
    region.Subtract(Rect(3, 3, 6, 6));
    d.Canvas()->SetClipRegion(region);
    d.Canvas()->Brush()->SetColor(clBlue);
    d.Canvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(CountColor(d, clBlue), 91);
    EXPECT_EQ(d.PixelColor(4, 4), clWhite);
}

TEST(Canvas, SavedStateComesBack) {
    TBitmap b = White(30, 30);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clLime);
    c->Pen()->SetColor(clRed);
    const int level = c->SaveState();
    EXPECT_EQ(level, 1);
    c->SetOrigin(10, 10);
    c->SetClipRect(Rect(0, 0, 5, 5));
    c->Brush()->SetColor(clBlue);
    c->Font()->SetHeight(-20);
    c->FillRect(Rect(0, 0, 100, 100));
    c->RestoreState();
    EXPECT_EQ(c->Origin(), TPoint{});
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 30, 30));
    EXPECT_EQ(c->Brush()->Color(), clLime);
    EXPECT_EQ(c->Font()->Height(), -11);
    EXPECT_EQ(InkBounds(b, clWhite), Rect(10, 10, 15, 15));
    c->RestoreState(); // unbalanced restore is harmless
}

TEST(Canvas, LinesLeaveOutTheirEndPointAndFollowPenStyle) {
    TBitmap b = White(20, 20);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clBlack);
    c->MoveTo(2, 3);
    c->LineTo(12, 3);
    EXPECT_EQ(InkBounds(b, clWhite), Rect(2, 3, 12, 4));
    EXPECT_EQ(c->PenPos(), (TPoint{12, 3}));

    b.Fill(clWhite);
    c->MoveTo(0, 0);
    c->LineTo(10, 10); // diagonal: (0,0)..(9,9)
    EXPECT_EQ(CountColor(b, clBlack), 10);
    EXPECT_EQ(b.PixelColor(9, 9), clBlack);
    EXPECT_EQ(b.PixelColor(10, 10), clWhite);

    b.Fill(clWhite);
    c->Pen()->SetStyle(psDot);
    c->MoveTo(0, 5);
    c->LineTo(10, 5);
    EXPECT_EQ(CountColor(b, clBlack), 5); // every other pixel
    EXPECT_EQ(b.PixelColor(0, 5), clBlack);
    EXPECT_EQ(b.PixelColor(1, 5), clWhite);

    b.Fill(clWhite);
    c->Pen()->SetStyle(psClear);
    c->LineTo(0, 0);
    EXPECT_EQ(CountColor(b, clBlack), 0);

    b.Fill(clWhite);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(3);
    c->MoveTo(2, 10);
    c->LineTo(12, 10);
    EXPECT_EQ(InkBounds(b, clWhite), Rect(2, 9, 12, 12));
}

TEST(Canvas, LinesReachingFarOutsideDrawOnlyTheirVisiblePartInPhase) {
    // The same dotted and dashed lines drawn on a tall surface and through a window onto a
    // short one must give the same pixels where the two overlap.
    for (TPenStyle style : {psDot, psDash, psDashDot, psDashDotDot, psSolid}) {
        TBitmap tall = White(40, 200);
        TBitmap shortOne = White(40, 20);
        for (TBitmap* b : {&tall, &shortOne}) {
            TCanvas* c = b->Canvas();
            c->Pen()->SetStyle(style);
            c->Pen()->SetColor(clBlack);
            if (b == &shortOne) c->SetOrigin(0, -90);
            c->MoveTo(5, 3);
            c->LineTo(5, 197); // downwards
            c->MoveTo(9, 196);
            c->LineTo(9, 2); // upwards
            c->MoveTo(-7, 100);
            c->LineTo(39, 100); // across, starting off the surface
            c->MoveTo(38, 104);
            c->LineTo(-3, 104); // leftwards
        }
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(shortOne.PixelColor(x, y), tall.PixelColor(x, y + 90))
                    << "style " << style << " at " << x << "," << y;
    }

    // Ends a billion pixels away cost nothing and still draw the visible part.
    TBitmap b = White(20, 20);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetStyle(psDot);
    c->MoveTo(4, -1000000000);
    c->LineTo(4, 1000000000);
    c->MoveTo(-1000000000, 7);
    c->LineTo(1000000000, 7);
    EXPECT_EQ(CountColor(b, clBlack), 20);  // every other pixel of each, none shared
    EXPECT_EQ(b.PixelColor(4, 0), clBlack); // index 1000000000 from the start is even
    EXPECT_EQ(b.PixelColor(4, 1), clWhite);
    EXPECT_EQ(b.PixelColor(0, 7), clBlack);
    EXPECT_EQ(b.PixelColor(1, 7), clWhite);
}

TEST(Canvas, InvertingPenModesUndoThemselves) {
    TBitmap b(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) b.ScanLine(y)[x] = 0xFF000000u | TPixel(x * 16 + y * 4096);
    const TBitmap before = b;
    TCanvas* c = b.Canvas();
    for (TPenMode mode : {pmNot, pmXor, pmNotXor}) {
        c->Pen()->SetMode(mode);
        c->Pen()->SetColor(0x00FF00);
        c->MoveTo(1, 8);
        c->LineTo(15, 8);
        EXPECT_FALSE(SamePixels(b, before)) << mode;
        c->MoveTo(1, 8);
        c->LineTo(15, 8);
        EXPECT_TRUE(SamePixels(b, before)) << mode;
    }
    c->Pen()->SetMode(pmNot);
    c->MoveTo(0, 0);
    c->LineTo(1, 0);
    EXPECT_EQ(b.PixelColor(0, 0), PixelToColor(~before.ScanLine(0)[0]));
    b.Assign(before);

    c->DrawFocusRect(Rect(2, 2, 12, 9));
    EXPECT_FALSE(SamePixels(b, before));
    EXPECT_EQ(b.PixelColor(6, 5), before.PixelColor(6, 5)); // inside untouched
    c->DrawFocusRect(Rect(2, 2, 12, 9));
    EXPECT_TRUE(SamePixels(b, before));

    c->InvertRect(Rect(0, 0, 16, 16));
    EXPECT_EQ(b.PixelColor(3, 3), PixelToColor(~before.ScanLine(3)[3]));
}

TEST(Canvas, ShapesFillInsideAndOutlineWithThePen) {
    TBitmap b = White(20, 20);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    c->Rectangle(2, 2, 8, 6);
    EXPECT_EQ(InkBounds(b, clWhite), Rect(2, 2, 8, 6));
    EXPECT_EQ(b.PixelColor(2, 2), clBlack);
    EXPECT_EQ(b.PixelColor(7, 5), clBlack);
    EXPECT_EQ(b.PixelColor(3, 3), clRed);
    EXPECT_EQ(CountColor(b, clRed), 4 * 2);

    // Without an outline the fill stops one short, where the outline would be.
    b.Fill(clWhite);
    c->Pen()->SetStyle(psClear);
    c->Rectangle(2, 2, 8, 6);
    EXPECT_EQ(InkBounds(b, clWhite), Rect(2, 2, 7, 5));

    b.Fill(clWhite);
    c->Pen()->SetStyle(psSolid);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(0, 0, 5, 5);
    EXPECT_EQ(b.PixelColor(2, 2), clWhite);
    EXPECT_EQ(CountColor(b, clBlack), 16);

    // FrameRect draws in the brush colour, one pixel wide.
    b.Fill(clWhite);
    c->Brush()->SetColor(clBlue);
    c->FrameRect(Rect(1, 1, 6, 4));
    EXPECT_EQ(CountColor(b, clBlue), 5 + 5 + 2 * 1);
}

TEST(Canvas, EllipsesAndRoundRectsStayInsideTheirBoxAndAreSymmetric) {
    TBitmap b = White(40, 30);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    c->Ellipse(5, 3, 36, 26);
    EXPECT_EQ(InkBounds(b, clWhite), Rect(5, 3, 36, 26));
    EXPECT_EQ(b.PixelColor(20, 14), clRed);
    EXPECT_EQ(b.PixelColor(5, 3), clWhite); // corners stay clear
    for (int y = 3; y < 26; ++y)
        for (int x = 5; x < 36; ++x) {
            ASSERT_EQ(b.PixelColor(x, y), b.PixelColor(40 - x, y)) << x << "," << y;
            ASSERT_EQ(b.PixelColor(x, y), b.PixelColor(x, 28 - y)) << x << "," << y;
        }
    // The outline is closed: every row inside has black at both ends.
    for (int y = 3; y < 26; ++y) {
        int first = -1;
        for (int x = 0; x < 40 && first < 0; ++x)
            if (b.PixelColor(x, y) != clWhite) first = x;
        ASSERT_GE(first, 0);
        EXPECT_EQ(b.PixelColor(first, y), clBlack);
    }

    b.Fill(clWhite);
    c->RoundRect(2, 2, 30, 20, 8, 8);
    EXPECT_EQ(InkBounds(b, clWhite), Rect(2, 2, 30, 20));
    EXPECT_EQ(b.PixelColor(2, 2), clWhite);
    EXPECT_EQ(b.PixelColor(16, 2), clBlack);
    EXPECT_EQ(b.PixelColor(2, 11), clBlack);
    EXPECT_EQ(b.PixelColor(16, 11), clRed);
}

TEST(Canvas, PolygonFillsItsInterior) {
    TBitmap b = White(20, 20);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    c->Polygon({{2, 2}, {12, 2}, {12, 12}, {2, 12}});
    EXPECT_EQ(InkBounds(b, clWhite), Rect(2, 2, 13, 13));
    EXPECT_EQ(b.PixelColor(7, 7), clRed);
    EXPECT_EQ(b.PixelColor(12, 12), clBlack);

    b.Fill(clWhite);
    c->Polyline({{0, 0}, {5, 0}, {5, 5}});
    EXPECT_EQ(CountColor(b, clBlack), 10); // the last point is left out
}

TEST(Canvas, DrawCopiesHonouringTransparencyAndAlpha) {
    TBitmap sprite(4, 4);
    sprite.Fill(clRed);
    sprite.ScanLine(3)[0] = ColorToPixel(clLime); // bottom-left: the transparent colour
    sprite.ScanLine(1)[1] = ColorToPixel(clLime);
    TBitmap b = White(10, 10);
    b.Canvas()->Draw(3, 3, sprite);
    EXPECT_EQ(CountColor(b, clRed), 14);
    EXPECT_EQ(CountColor(b, clLime), 2);

    b.Fill(clWhite);
    sprite.SetTransparent(true);
    b.Canvas()->Draw(3, 3, sprite);
    EXPECT_EQ(CountColor(b, clRed), 14);
    EXPECT_EQ(CountColor(b, clLime), 0);
    EXPECT_EQ(b.PixelColor(4, 4), clWhite);

    // Clipped at the surface edge without reading or writing outside.
    b.Fill(clWhite);
    b.Canvas()->Draw(-2, 8, sprite);
    EXPECT_EQ(InkBounds(b, clWhite), Rect(0, 8, 2, 10));

    TBitmap glass(1, 1);
    glass.ScanLine(0)[0] = 0x80000000u; // half-transparent black
    glass.SetAlphaFormat(afDefined);
    b.Fill(clWhite);
    b.Canvas()->Draw(0, 0, glass);
    EXPECT_NEAR(GetRValue(b.PixelColor(0, 0)), 127, 1);
}

TEST(Canvas, StretchAndCopyRectScaleByNearestPixel) {
    TBitmap src(2, 2);
    src.ScanLine(0)[0] = ColorToPixel(clRed);
    src.ScanLine(0)[1] = ColorToPixel(clLime);
    src.ScanLine(1)[0] = ColorToPixel(clBlue);
    src.ScanLine(1)[1] = ColorToPixel(clBlack);
    TBitmap b = White(10, 10);
    b.Canvas()->StretchDraw(Rect(0, 0, 6, 4), src);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(b.PixelColor(x, y), src.PixelColor(x / 3, y / 2)) << x << "," << y;
    EXPECT_EQ(b.PixelColor(6, 0), clWhite);

    // Shrinking picks one source pixel per target pixel.
    TBitmap big(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) big.ScanLine(y)[x] = 0xFF000000u | TPixel(x * 10 + y);
    TBitmap small = White(4, 4);
    small.Canvas()->CopyRect(Rect(0, 0, 4, 4), *big.Canvas(), Rect(0, 0, 8, 8));
    EXPECT_EQ(small.ScanLine(0)[0], big.ScanLine(0)[0]);
    EXPECT_EQ(small.ScanLine(3)[3], big.ScanLine(6)[6]);

    // Mirroring through a negative width.
    TBitmap m = White(2, 1);
    m.Canvas()->CopyRect(Rect(2, 0, 0, 1), *src.Canvas(), Rect(0, 0, 2, 1));
    EXPECT_EQ(m.PixelColor(0, 0), clLime);
    EXPECT_EQ(m.PixelColor(1, 0), clRed);
}

TEST(Canvas, OverlappingCopyOnOneSurfaceScrollsCorrectly) {
    TBitmap b(1, 10);
    for (int y = 0; y < 10; ++y) b.ScanLine(y)[0] = 0xFF000000u | TPixel(y);
    TCanvas* c = b.Canvas();
    c->CopyRect(Rect(0, 2, 1, 10), *c, Rect(0, 0, 1, 8)); // move down by 2
    for (int y = 2; y < 10; ++y) EXPECT_EQ(b.ScanLine(y)[0] & 0xFF, TPixel(y - 2));
    c->BitBlt(0, 0, 1, 8, *c, 0, 2); // and back up
    for (int y = 0; y < 8; ++y) EXPECT_EQ(b.ScanLine(y)[0] & 0xFF, TPixel(y));
}

TEST(Canvas, RawSurfaceWithStride) {
    // 5 x 3 pixels in rows of 8: the padding must stay untouched.
    std::vector<TPixel> buffer(8 * 3, 0x12345678u);
    TCanvas c(buffer.data(), 5, 3, 8 * 4);
    c.Brush()->SetColor(clBlue);
    c.FillRect(Rect(-10, -10, 100, 100));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(buffer[std::size_t(y) * 8 + x], x < 5 ? 0xFF0000FFu : 0x12345678u);
    c.SetPixel(4, 2, clRed);
    EXPECT_EQ(buffer[2 * 8 + 4], 0xFFFF0000u);
    c.SetPixel(5, 2, clRed);
    EXPECT_EQ(buffer[2 * 8 + 5], 0x12345678u);

    // A second canvas on the same surface, origin and clip.
    TCanvas child;
    c.SetOrigin(1, 1);
    c.IntersectClipRect(Rect(0, 0, 2, 1));
    child.ShareSurface(c);
    EXPECT_EQ(child.SurfaceStride(), 32);
    child.Brush()->SetColor(clLime);
    child.FillRect(Rect(-5, -5, 50, 50));
    EXPECT_EQ(buffer[1 * 8 + 1], 0xFF00FF00u);
    EXPECT_EQ(buffer[1 * 8 + 2], 0xFF00FF00u);
    EXPECT_EQ(buffer[1 * 8 + 3], 0xFF0000FFu);

    TCanvas none;
    none.FillRect(Rect(0, 0, 10, 10)); // no surface: nothing happens
    EXPECT_EQ(none.Pixel(0, 0), clNone);
}

TEST(Canvas, BitmapResizeRebindsItsCanvas) {
    TBitmap b(2, 2);
    TCanvas* c = b.Canvas();
    b.SetSize(50, 40);
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 50, 40));
    EXPECT_EQ(CountColor(b, clRed), 2000);
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 50, 40));
}

TEST(Canvas, AlphaFillBlendsOverThePixels) {
    TBitmap b = White(4, 4);
    b.Canvas()->AlphaFillRect(Rect(0, 0, 2, 4), clBlack, 64);
    EXPECT_NEAR(GetRValue(b.PixelColor(0, 0)), 191, 1);
    EXPECT_EQ(b.PixelColor(3, 0), clWhite);
}

TEST(Canvas, StateGuardRestoresAndDropsWhatItsScopeLeftSaved) {
    TBitmap b = White(20, 20);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clRed);
    c->SaveState(); // an outer state the guard must not touch
    try {
        TCanvasStateGuard saved(*c);
        EXPECT_EQ(c->SavedStates(), 2);
        c->SetOrigin(4, 4);
        c->SetClipRect(Rect(0, 0, 2, 2));
        c->Pen()->SetColor(clBlue);
        c->SaveState(); // left behind on purpose
        c->SetOrigin(9, 9);
        throw std::runtime_error("paint failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(c->SavedStates(), 1);
    EXPECT_EQ(c->Origin(), TPoint{});
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 20, 20));
    EXPECT_EQ(c->Pen()->Color(), clRed);
    c->RestoreState();
    EXPECT_EQ(c->SavedStates(), 0);
}

// Saved states keep their room after a restore; what a new save writes there must be all of
// the new state, with nothing of the one saved there before.
TEST(Canvas, ASaveAfterARestoreKeepsOnlyTheNewState) {
    TBitmap b = White(30, 30);
    TCanvas* c = b.Canvas();
    c->SaveState();
    c->SetClipRect(Rect(0, 0, 5, 5));
    c->Font()->SetHeight(-20);
    c->Font()->SetStyle({fsBold});
    c->Brush()->SetColor(clRed);
    c->SaveState();
    c->RestoreState();
    c->RestoreState();
    ASSERT_EQ(c->SavedStates(), 0);

    c->SetOrigin(2, 3);
    c->Font()->SetHeight(-9);
    c->SaveState(); // into the first slot, which held the full clip and the default font
    c->SetClipRect(Rect(1, 1, 3, 3));
    c->Font()->SetHeight(-30);
    c->SaveState(); // into the second, which held the 5 x 5 clip and the bold font
    c->SetOrigin(0, 0);
    c->Brush()->SetColor(clBlue);
    c->RestoreState();
    EXPECT_EQ(c->Origin(), (TPoint{2, 3}));
    EXPECT_EQ(c->ClipRect(), Rect(1, 1, 3, 3));
    EXPECT_EQ(c->Font()->Height(), -30);
    EXPECT_FALSE(c->Font()->Style().Contains(fsBold));
    EXPECT_EQ(c->Brush()->Color(), clWhite);
    c->RestoreState();
    EXPECT_EQ(c->ClipRect(), Rect(-2, -3, 28, 27));
    EXPECT_EQ(c->Font()->Height(), -9);
    EXPECT_EQ(c->SavedStates(), 0);
}

TEST(Canvas, StartPaintDrawsWhereTheTargetDrawsWithFreshTools) {
    // 6 x 4 pixels in rows of 10: a canvas that assumed rows of width * 4 bytes would draw
    // the lower rows in the wrong place.
    std::vector<TPixel> buffer(10 * 4, 0x12345678u);
    TCanvas target(buffer.data(), 6, 4, 10 * 4);
    target.SetOrigin(1, 2);
    target.IntersectClipRect(Rect(0, 0, 3, 2));
    TCanvas paint;
    paint.Pen()->SetMode(pmXor);
    paint.Pen()->SetColor(clYellow);
    paint.Brush()->SetStyle(bsClear);
    paint.SetCopyMode(cmSrcInvert);
    TFont font;
    font.SetHeight(-15);
    paint.StartPaint(target, font, clBlue);
    EXPECT_EQ(paint.Origin(), TPoint(1, 2));
    EXPECT_EQ(paint.ClipRect(), Rect(0, 0, 3, 2));
    EXPECT_EQ(paint.Pen()->Mode(), pmCopy);
    EXPECT_EQ(paint.Pen()->Color(), clBlack);
    EXPECT_EQ(paint.Brush()->Style(), bsSolid);
    EXPECT_EQ(paint.CopyMode(), cmSrcCopy);
    EXPECT_EQ(paint.Font()->Height(), -15);
    paint.FillRect(Rect(-5, -5, 50, 50));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x) {
            bool inside = x >= 1 && x < 4 && y >= 2 && y < 4;
            EXPECT_EQ(buffer[std::size_t(y) * 10 + x], inside ? 0xFF0000FFu : 0x12345678u)
                << x << "," << y;
        }
    // On a bitmap through a clip region from an origin.
    TBitmap b = White(8, 8);
    TRegion clip(Rect(2, 2, 6, 6));
    paint.StartPaint(b, clip, {2, 2}, font, clRed);
    paint.FillRect(Rect(0, 0, 100, 100));
    EXPECT_EQ(InkBounds(b, clWhite), Rect(2, 2, 6, 6));
}

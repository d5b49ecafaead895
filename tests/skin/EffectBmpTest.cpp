// The effect buffer: layout, rounding of the blends, every morph kind at its boundaries
// against pixels worked out by hand, and the inactive-frame effects.
#include "gfx/Canvas.h"
#include "skin/EffectBitmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TspEffectBmp Solid(int w, int h, TColor c) {
    TspEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, c);
    return b;
}

// Grey level of column x is value(x) in every row.
template <class F> TspEffectBmp Columns(int w, int h, F value) {
    TspEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto v = std::uint8_t(value(x));
            b.SetPixel(x, y, RGB(v, v, v));
        }
    return b;
}

std::vector<int> Row(const TspEffectBmp& b, int y) {
    std::vector<int> v;
    for (int x = 0; x < b.Width(); ++x) v.push_back(GetRValue(b.Pixel(x, y)));
    return v;
}

std::vector<int> Column(const TspEffectBmp& b, int x) {
    std::vector<int> v;
    for (int y = 0; y < b.Height(); ++y) v.push_back(GetGValue(b.Pixel(x, y)));
    return v;
}

using V = std::vector<int>;

// Morphs from black (A) to white (B) over 10 columns, read back from the last row.
template <class F> V BlackToWhite(F morph, double k, int w = 10, int h = 2) {
    TspEffectBmp a = Solid(w, h, clBlack);
    const TspEffectBmp b = Solid(w, h, clWhite);
    morph(a, b, k);
    return Row(a, h - 1);
}

} // namespace

TEST(EffectBmp, RowsArePaddedAndPixelsRoundTrip) {
    for (int w : {1, 2, 3, 4, 5, 113}) EXPECT_EQ(TspEffectBmp(w, 3).RowInc(), 3 * w + w % 4);
    EXPECT_TRUE(TspEffectBmp(0, 5).Empty());
    EXPECT_TRUE(TspEffectBmp(-3, 5).Empty());
    TBitmap pic(3, 2);
    pic.ScanLine(0)[0] = 0xFF123456u;
    pic.ScanLine(1)[2] = 0xFFABCDEFu;
    const TspEffectBmp e(pic);
    EXPECT_EQ(e.Pixel(0, 0), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(e.ScanLine(0)[0], 0x56); // blue first
    EXPECT_EQ(e.Pixel(3, 0), clNone);
    TBitmap back;
    e.AssignTo(back);
    EXPECT_EQ(back.ScanLine(1)[2], 0xFFABCDEFu);
    EXPECT_EQ(back.ScanLine(0)[0], 0xFF123456u);
}

TEST(EffectBmp, BlendRoundsHalvesToEvenAndClampsK) {
    TspEffectBmp a = Solid(5, 3, clBlack);
    const TspEffectBmp white = Solid(5, 3, clWhite);
    a.Blend(white, 0.5);
    EXPECT_EQ(a.Pixel(4, 2), RGB(128, 128, 128)); // 127.5
    TspEffectBmp b = Solid(5, 3, RGB(1, 3, 5));
    b.Blend(Solid(5, 3, RGB(2, 4, 6)), 0.5); // 1.5, 3.5, 5.5
    EXPECT_EQ(b.Pixel(0, 0), RGB(2, 4, 6));
    TspEffectBmp c = Solid(5, 3, RGB(2, 4, 6));
    c.Blend(Solid(5, 3, RGB(3, 5, 7)), 0.5); // 2.5, 4.5, 6.5
    EXPECT_EQ(c.Pixel(0, 0), RGB(2, 4, 6));
    TspEffectBmp d = Solid(5, 3, RGB(10, 20, 30));
    d.Blend(white, 2.0);
    EXPECT_EQ(d.Pixel(1, 1), clWhite);
    d.Blend(Solid(5, 3, clBlack), -1.0);
    EXPECT_EQ(d.Pixel(1, 1), clWhite);
    d.Blend(Solid(5, 3, RGB(200, 100, 0)), 0.2); // 255 * 0.8 + 200 * 0.2 = 244
    EXPECT_EQ(d.Pixel(1, 1), RGB(244, 224, 204));
    // A partner of another size changes nothing.
    TspEffectBmp e = Solid(5, 3, clBlack);
    e.Blend(Solid(5, 4, clWhite), 0.5);
    e.MorphPush(Solid(6, 3, clWhite), 0.5);
    EXPECT_EQ(e.Pixel(0, 0), clBlack);
}

TEST(EffectBmp, BlendRectReadsThePartnerAtItsOffsetAndClips) {
    TspEffectBmp a = Solid(6, 4, clBlack);
    TspEffectBmp b(3, 3);
    b.SetPixel(1, 1, clWhite);
    b.SetPixel(2, 2, clWhite);
    a.BlendRect(b, Rect(4, 2, 10, 10), 1, 1, 1.0); // A (4,2) <- B (1,1), clipped to both
    EXPECT_EQ(a.Pixel(4, 2), clWhite);
    EXPECT_EQ(a.Pixel(5, 3), clWhite);
    EXPECT_EQ(a.Pixel(3, 2), clBlack);
    a.BlendRect(b, Rect(-2, -2, 2, 2), -5, -5, 1.0); // nothing of B there: no change
    EXPECT_EQ(a.Pixel(0, 0), clBlack);
}

TEST(EffectBmp, GradientGrowsABandFromTheMiddle) {
    auto g = [](TspEffectBmp& a, const TspEffectBmp& b, double k) { a.MorphGradient(b, k); };
    // k = 0.5: a = 5, band 3..7; weights of A step by 1/2 outside it.
    EXPECT_EQ(BlackToWhite(g, 0.5), (V{0, 0, 128, 255, 255, 255, 255, 255, 128, 0}));
    // k = 0: only the middle line is B; the weight of A steps by 1/5.
    EXPECT_EQ(BlackToWhite(g, 0.0), (V{0, 51, 102, 153, 204, 255, 204, 153, 102, 51}));
    EXPECT_EQ(BlackToWhite(g, 1.0), V(10, 255));
    // Taller than wide: the same along the rows.
    TspEffectBmp a = Solid(2, 10, clBlack);
    a.MorphGradient(Solid(2, 10, clWhite), 0.5);
    EXPECT_EQ(Column(a, 1), (V{0, 0, 128, 255, 255, 255, 255, 255, 128, 0}));
}

TEST(EffectBmp, LeftAndRightGradientsFadeFromTheirEdge) {
    auto l = [](TspEffectBmp& a, const TspEffectBmp& b, double k) { a.MorphLeftGradient(b, k); };
    auto r = [](TspEffectBmp& a, const TspEffectBmp& b, double k) { a.MorphRightGradient(b, k); };
    EXPECT_EQ(BlackToWhite(l, 0.5), (V{255, 204, 153, 102, 51, 0, 0, 0, 0, 0}));
    EXPECT_EQ(BlackToWhite(l, 0.0), (V{255, 0, 0, 0, 0, 0, 0, 0, 0, 0})); // a at least 1
    EXPECT_EQ(BlackToWhite(l, 1.0), (V{255, 227, 198, 170, 142, 113, 85, 57, 28, 0}));
    EXPECT_EQ(BlackToWhite(r, 0.5), (V{0, 0, 0, 0, 0, 51, 102, 153, 204, 255}));
    EXPECT_EQ(BlackToWhite(r, 0.0), (V{0, 0, 0, 0, 0, 0, 0, 0, 0, 255})); // a at most 9
    // k = 1 over 8 columns: a = 0, steps of 1/8; 127.5 at column 3 rounds to the even 128.
    EXPECT_EQ(BlackToWhite(r, 1.0, 8), (V{32, 64, 96, 128, 159, 191, 223, 255}));
}

TEST(EffectBmp, SlidesAndPushMoveWholeColumns) {
    auto a = [] { return Columns(10, 3, [](int x) { return x; }); };
    const TspEffectBmp b = Columns(10, 3, [](int x) { return 100 + 10 * x; });
    TspEffectBmp m = a();
    m.MorphLeftSlide(b, 0.3); // leftmost 3 columns of A <- rightmost 3 of B
    EXPECT_EQ(Row(m, 2), (V{170, 180, 190, 3, 4, 5, 6, 7, 8, 9}));
    m = a();
    m.MorphLeftSlide(b, 0.0); // at least one column
    EXPECT_EQ(Row(m, 0), (V{190, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    m = a();
    m.MorphLeftSlide(b, 1.0); // at most width - 1
    EXPECT_EQ(Row(m, 0), (V{110, 120, 130, 140, 150, 160, 170, 180, 190, 9}));
    m = a();
    m.MorphRightSlide(b, 0.3);
    EXPECT_EQ(Row(m, 1), (V{0, 1, 2, 3, 4, 5, 6, 100, 110, 120}));
    m = a();
    m.MorphRightSlide(b, 0.0);
    EXPECT_EQ(Row(m, 1), (V{0, 1, 2, 3, 4, 5, 6, 7, 8, 100}));
    m = a();
    m.MorphPush(b, 0.3); // a = 3: B's last 4 columns, then A from its column 0
    EXPECT_EQ(Row(m, 0), (V{160, 170, 180, 190, 0, 1, 2, 3, 4, 5}));
    m = a();
    m.MorphPush(b, 0.25); // 2.5 rounds to the even 2
    EXPECT_EQ(Row(m, 0), (V{170, 180, 190, 0, 1, 2, 3, 4, 5, 6}));
    m = a();
    m.MorphPush(b, 0.0);
    EXPECT_EQ(Row(m, 0), (V{190, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
    m = a();
    m.MorphPush(b, 1.0);
    EXPECT_EQ(Row(m, 2), Row(b, 2));
}

TEST(EffectBmp, MorphByKindAndNarrowBuffers) {
    const TspEffectBmp b = Columns(10, 2, [](int x) { return 100 + 10 * x; });
    for (int kind = mkDefault; kind <= mkPush; ++kind) {
        TspEffectBmp viaKind = Columns(10, 2, [](int x) { return x; });
        TspEffectBmp direct = viaKind;
        viaKind.Morph(TspMorphKind(kind), b, 0.4);
        switch (kind) {
        case mkDefault:
            direct.Blend(b, 0.4);
            break;
        case mkGradient:
            direct.MorphGradient(b, 0.4);
            break;
        case mkLeftGradient:
            direct.MorphLeftGradient(b, 0.4);
            break;
        case mkRightGradient:
            direct.MorphRightGradient(b, 0.4);
            break;
        case mkLeftSlide:
            direct.MorphLeftSlide(b, 0.4);
            break;
        case mkRightSlide:
            direct.MorphRightSlide(b, 0.4);
            break;
        default:
            direct.MorphPush(b, 0.4);
            break;
        }
        EXPECT_EQ(Row(viaKind, 1), Row(direct, 1)) << kind;
        // One column wide: no division by zero and no column outside.
        TspEffectBmp narrow = Solid(1, 3, clBlack);
        narrow.Morph(TspMorphKind(kind), Solid(1, 3, clWhite), 0.5);
    }
}

TEST(EffectBmp, InactiveFrameEffects) {
    TspEffectBmp red = Solid(3, 2, RGB(255, 0, 0));
    red.Grayscale(); // 76.5 rounds to the even 76
    EXPECT_EQ(red.Pixel(2, 1), RGB(76, 76, 76));
    TspEffectBmp green = Solid(3, 2, RGB(0, 255, 0));
    green.Grayscale(); // 150.45
    EXPECT_EQ(green.Pixel(0, 0), RGB(150, 150, 150));

    TspEffectBmp l = Solid(2, 2, RGB(0, 1, 255));
    ApplyInactiveEffect(l, ieBrightness); // c / 2 + 127.5
    EXPECT_EQ(l.Pixel(0, 0), RGB(128, 128, 255));
    TspEffectBmp d = Solid(2, 2, RGB(100, 255, 10));
    ApplyInactiveEffect(d, ieDarkness); // 0.7 c
    EXPECT_EQ(d.Pixel(1, 1), RGB(70, 178, 7));
    TspEffectBmp inv = Solid(2, 2, RGB(0, 100, 255));
    ApplyInactiveEffect(inv, ieInvert);
    EXPECT_EQ(inv.Pixel(1, 0), RGB(255, 155, 0));

    // Noise(50): one offset in -25 .. 24 per pixel, the same in all three channels and the
    // same from one call to the next.
    TspEffectBmp n1 = Solid(40, 30, RGB(128, 128, 128)), n2 = n1;
    ApplyInactiveEffect(n1, ieNoise);
    n2.Noise(50);
    bool varied = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const TColor c = n1.Pixel(x, y);
            EXPECT_GE(GetRValue(c), 128 - 25);
            EXPECT_LE(GetRValue(c), 128 + 24);
            EXPECT_EQ(GetRValue(c), GetGValue(c));
            EXPECT_EQ(GetRValue(c), GetBValue(c));
            EXPECT_EQ(c, n2.Pixel(x, y));
            varied |= c != RGB(128, 128, 128);
        }
    EXPECT_TRUE(varied);
    TspEffectBmp bright = Solid(4, 4, clWhite);
    bright.Noise(50); // clamped, never wrapped
    for (int x = 0; x < 4; ++x) EXPECT_GE(GetRValue(bright.Pixel(x, 1)), 255 - 25);
}

TEST(EffectBmp, SplitBlurAveragesTheDiagonalNeighbours) {
    // Pixel (2, 2) of a 5 x 5 picture, n = 1: neighbours (1,1), (3,1), (1,3), (3,3).
    TspEffectBmp b(5, 5);
    b.SetPixel(1, 1, RGB(100, 0, 0));
    b.SetPixel(3, 1, RGB(101, 0, 0));
    b.SetPixel(1, 3, RGB(102, 0, 0));
    b.SetPixel(3, 3, RGB(103, 4, 0));
    ApplyInactiveEffect(b, ieSplitBlur);
    EXPECT_EQ(b.Pixel(2, 2), RGB(101, 1, 0)); // 406 >> 2, 4 >> 2
    // At the corner the missing neighbours come from the nearest edge: (0,0) reads (0,0),
    // (1,0), (0,1) and (1,1).
    EXPECT_EQ(b.Pixel(0, 0), RGB(25, 0, 0));
    TspEffectBmp flat = Solid(7, 3, RGB(9, 8, 7));
    flat.SplitBlur(2);
    EXPECT_EQ(flat.Pixel(6, 2), RGB(9, 8, 7));
}

TEST(EffectBmp, RotationsAndFlip) {
    TspEffectBmp a(3, 2); // 1 2 3 / 4 5 6
    for (int i = 0; i < 6; ++i) a.SetPixel(i % 3, i / 3, RGB(std::uint8_t(i + 1), 0, 0));
    auto grid = [](const TspEffectBmp& b) {
        V v;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) v.push_back(GetRValue(b.Pixel(x, y)));
        return v;
    };
    TspEffectBmp left(2, 3), right(2, 3), flip(3, 2);
    a.RotateLeft(left);
    EXPECT_EQ(grid(left), (V{3, 6, 2, 5, 1, 4}));
    a.RotateRight(right);
    EXPECT_EQ(grid(right), (V{4, 1, 5, 2, 6, 3}));
    a.FlipVertical(flip);
    EXPECT_EQ(grid(flip), (V{4, 5, 6, 1, 2, 3}));
    TspEffectBmp wrong(3, 3);
    a.RotateLeft(wrong); // not of swapped size: untouched
    EXPECT_EQ(grid(wrong), V(9, 0));
}

TEST(EffectBmp, MaskedTintAndSmoothTouchOnlyMaskedPixels) {
    TBitmap mask(4, 4);
    mask.Fill(clWhite);
    mask.ScanLine(1)[1] = 0xFF000000u;
    mask.ScanLine(2)[2] = 0xFF000000u;
    TspEffectBmp t = Solid(4, 4, RGB(0, 100, 200));
    t.MaskedTint(mask, RGB(255, 0, 0), 0.5);
    EXPECT_EQ(t.Pixel(1, 1), RGB(128, 50, 100));
    EXPECT_EQ(t.Pixel(0, 0), RGB(0, 100, 200));
    TspEffectBmp s(4, 4);
    s.SetPixel(0, 0, RGB(40, 0, 0));
    s.SetPixel(2, 0, RGB(80, 0, 0));
    s.MaskedSmooth(mask, 1); // (1,1) is black with white diagonal neighbours
    EXPECT_EQ(s.Pixel(1, 1), RGB(30, 0, 0));
    EXPECT_EQ(s.Pixel(0, 0), RGB(40, 0, 0));
    // A mask smaller than the buffer: nothing happens.
    TBitmap small(3, 4);
    small.Fill(clBlack);
    TspEffectBmp u = Solid(4, 4, RGB(1, 2, 3));
    u.MaskedTint(small, clWhite, 1.0);
    u.MaskedSmooth(small, 1);
    EXPECT_EQ(u.Pixel(0, 0), RGB(1, 2, 3));
}

TEST(EffectBmp, DrawAtHonoursOriginAndClip) {
    TBitmap target(10, 10);
    target.Fill(clBlack);
    TCanvas& c = *target.Canvas();
    c.SetOrigin(2, 3);
    c.SetClipRect(Rect(0, 0, 2, 2)); // logical: surface (2,3) .. (4,5)
    Solid(5, 5, RGB(10, 20, 30)).DrawAt(c, -1, -1);
    EXPECT_EQ(target.PixelColor(2, 3), RGB(10, 20, 30));
    EXPECT_EQ(target.PixelColor(3, 4), RGB(10, 20, 30));
    EXPECT_EQ(target.PixelColor(4, 4), clBlack);
    EXPECT_EQ(target.PixelColor(1, 2), clBlack);
}

TEST(EffectBmp, ScaledPicturesAreTakenAndGivenBackAtDeviceResolution) {
    // A 3 x 2 point picture at 2x with one device pixel of its own.
    TBitmap picture;
    picture.SetScale(2);
    picture.SetSize(3, 2);
    picture.Fill(clWhite);
    picture.ScanLine(3)[5] = 0xFF0000FFu;
    TspEffectBmp effect(picture);
    EXPECT_EQ(effect.Width(), 6);
    EXPECT_EQ(effect.Height(), 4);
    EXPECT_EQ(effect.Scale(), 2);
    EXPECT_EQ(effect.Pixel(5, 3), clBlue);

    // Blending two buffers of one scale mixes every device pixel.
    TBitmap black;
    black.SetScale(2);
    black.SetSize(3, 2);
    black.Fill(clBlack);
    effect.Blend(TspEffectBmp(black), 0.5);
    TBitmap back;
    effect.AssignTo(back);
    EXPECT_EQ(back.Scale(), 2);
    EXPECT_EQ(back.Width(), 3);
    EXPECT_EQ(back.ScanLine(3)[5] & 0xFFFFFFu, 0x000080u);
    EXPECT_EQ(back.ScanLine(0)[0] & 0xFFFFFFu, 0x808080u);

    // Drawn on a canvas of its scale it lands pixel for pixel at the point given; on a 1x
    // canvas it is brought down to one pixel a point.
    TBitmap target;
    target.SetScale(2);
    target.SetSize(10, 10);
    target.Fill(clWhite);
    effect.DrawAt(*target.Canvas(), 2, 3);
    EXPECT_EQ(target.ScanLine(6 + 3)[4 + 5] & 0xFFFFFFu, 0x000080u);
    EXPECT_EQ(target.ScanLine(6 + 3)[4 + 6] & 0xFFFFFFu, 0xFFFFFFu);
    TBitmap plain(10, 10);
    plain.Fill(clWhite);
    effect.DrawAt(*plain.Canvas(), 1, 1);
    EXPECT_EQ(plain.PixelColor(1, 1), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(plain.PixelColor(4, 1), clWhite);

    // A 1x buffer drawn on a 2x canvas is enlarged by whole pixels.
    TspEffectBmp one = Solid(2, 1, clRed);
    one.DrawAt(*target.Canvas(), 0, 0);
    EXPECT_EQ(target.ScanLine(1)[3] & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(target.ScanLine(2)[0] & 0xFFFFFFu, 0xFFFFFFu);
}

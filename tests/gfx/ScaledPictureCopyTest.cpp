// Pictures drawn for a device scale: copied to a canvas of their scale they keep every device
// pixel, copied to a canvas of a lower scale their thin lines stay visible, and a JPEG painted
// at a scale decodes into a bitmap of that scale.
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/Jpeg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TBitmap At(int scale, int w, int h, TColor fill = clWhite) {
    TBitmap b;
    b.SetScale(scale);
    b.SetSize(w, h);
    b.Fill(fill);
    return b;
}

// A picture whose every device pixel differs from its neighbours: any enlargement, thinning
// or shift shows.
TBitmap Pattern(int scale, int w, int h) {
    TBitmap b = At(scale, w, h);
    for (int y = 0; y < b.DeviceHeight(); ++y)
        for (int x = 0; x < b.DeviceWidth(); ++x)
            b.ScanLine(y)[x] = 0xFF000000u | TPixel((x * 37 + y * 101) & 0xFF) << 16 |
                               TPixel((x * 11) & 0xFF) << 8 | TPixel((y * 7) & 0xFF);
    return b;
}

// The device pixels of `got` from its point (gx, gy) on equal those of `want` from (wx, wy),
// over w x h points.
::testing::AssertionResult SameDevicePixels(const TBitmap& got, int gx, int gy, const TBitmap& want,
                                            int wx, int wy, int w, int h) {
    const int s = got.Scale();
    for (int y = 0; y < h * s; ++y)
        for (int x = 0; x < w * s; ++x) {
            const TPixel a = got.ScanLine(gy * s + y)[gx * s + x] & 0xFFFFFFu;
            const TPixel b = want.ScanLine(wy * s + y)[wx * s + x] & 0xFFFFFFu;
            if (a != b)
                return ::testing::AssertionFailure()
                       << "device pixel (" << x << ", " << y << ") of the copy is " << std::hex << a
                       << ", of the picture " << b;
        }
    return ::testing::AssertionSuccess();
}

class ScaledPictureCopy : public ::testing::TestWithParam<int> {};

TEST_P(ScaledPictureCopy, ToACanvasOfItsScaleEveryDevicePixelIsCopied) {
    const int s = GetParam();
    const TBitmap picture = Pattern(s, 20, 12);
    // Draw at a point.
    TBitmap target = At(s, 40, 30);
    target.Canvas()->Draw(7, 5, picture);
    EXPECT_TRUE(SameDevicePixels(target, 7, 5, picture, 0, 0, 20, 12));
    // A part of it, as the skin's rectangle copies take them.
    TBitmap part = At(s, 40, 30);
    part.Canvas()->CopyRect(Rect(3, 4, 12, 10), picture, Rect(9, 2, 18, 8));
    EXPECT_TRUE(SameDevicePixels(part, 3, 4, picture, 9, 2, 9, 6));
    // Stretched to its own size.
    TBitmap stretched = At(s, 20, 12);
    stretched.Canvas()->StretchDraw(Rect(0, 0, 20, 12), picture);
    EXPECT_TRUE(SameDevicePixels(stretched, 0, 0, picture, 0, 0, 20, 12));
    // Through an origin and a clip the pixels stay where the points say.
    TBitmap clipped = At(s, 40, 30);
    clipped.Canvas()->SetOrigin(2, 3);
    clipped.Canvas()->Draw(1, 1, picture);
    EXPECT_TRUE(SameDevicePixels(clipped, 3, 4, picture, 0, 0, 20, 12));
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledPictureCopy, ::testing::Values(1, 2, 3));

// A one-device-pixel line on an odd row of a 2x picture: the 1x buffer keeps it as a half-tone
// line where taking every other row would lose it, and flat areas stay exact.
TEST(ScaledPictureReduction, ThinLinesSurviveABufferOfALowerScale) {
    TBitmap picture = At(2, 10, 10, clWhite);
    for (int x = 0; x < picture.DeviceWidth(); ++x) picture.ScanLine(7)[x] = 0xFF000000u;
    for (int y = 0; y < picture.DeviceHeight(); ++y) picture.ScanLine(y)[13] = 0xFF000000u;
    TBitmap plain = At(1, 10, 10);
    plain.Canvas()->Draw(0, 0, picture);
    EXPECT_EQ(plain.PixelColor(2, 3), TColor(0x808080)); // row 7 lies in point row 3
    EXPECT_EQ(plain.PixelColor(6, 8), TColor(0x808080)); // column 13 in point column 6
    EXPECT_EQ(plain.PixelColor(0, 0), clWhite);
    EXPECT_EQ(plain.PixelColor(9, 9), clWhite);
    // The same through a rectangle copy of the same size.
    TBitmap copied = At(1, 10, 10);
    copied.Canvas()->CopyRect(Rect(0, 0, 10, 10), picture, Rect(0, 0, 10, 10));
    EXPECT_EQ(copied.PixelColor(2, 3), TColor(0x808080));

    // A keyed picture keeps its key: a mixed pixel would no longer drop out.
    TBitmap keyed = At(2, 4, 4, clFuchsia);
    keyed.ScanLine(0)[0] = 0xFF000000u;
    keyed.SetTransparentMode(tmFixed);
    keyed.SetTransparentColor(clFuchsia);
    keyed.SetTransparent(true);
    TBitmap under = At(1, 4, 4, clWhite);
    under.Canvas()->Draw(0, 0, keyed);
    EXPECT_EQ(under.PixelColor(0, 0), clBlack);
    EXPECT_EQ(under.PixelColor(1, 1), clWhite);
}

// A JPEG painted at 2x decodes into a 2x bitmap of half its pixel size, holding the same
// pixels the plain decoding gives.
TEST(ScaledJpeg, DecodesIntoABitmapOfItsScale) {
    const TBitmap source = Pattern(1, 64, 48);
    const std::vector<std::uint8_t> jpeg = EncodeJpeg(source);
    TBitmap plain, scaled;
    DecodeJpeg(plain, jpeg.data(), jpeg.size());
    DecodeJpeg(scaled, jpeg.data(), jpeg.size(), 2);
    EXPECT_EQ(scaled.Scale(), 2);
    EXPECT_EQ(scaled.Width(), 32);
    EXPECT_EQ(scaled.Height(), 24);
    ASSERT_EQ(scaled.DeviceWidth(), plain.Width());
    for (int y = 0; y < plain.Height(); ++y)
        for (int x = 0; x < plain.Width(); ++x)
            ASSERT_EQ(scaled.ScanLine(y)[x], plain.ScanLine(y)[x]) << x << "," << y;
    // 64 x 48 is no whole number of points at 3x: refused, the bitmap left as it was.
    TBitmap kept = At(1, 5, 5, clRed);
    EXPECT_THROW(DecodeJpeg(kept, jpeg.data(), jpeg.size(), 3), EInvalidGraphic);
    EXPECT_EQ(kept.Width(), 5);
    EXPECT_EQ(kept.PixelColor(2, 2), clRed);
    // Scale 1 is the plain decoding.
    TBitmap one;
    DecodeJpeg(one, jpeg.data(), jpeg.size(), 1);
    EXPECT_EQ(one.Scale(), 1);
    EXPECT_EQ(one.Width(), 64);
}

} // namespace

// Pictures turned onto another edge: every pixel lands where the turn puts it, and the
// transparency goes with the picture.
#include "gfx/BitmapTurns.h"

#include <gtest/gtest.h>

namespace {

// A 3 x 2 picture whose every pixel differs: 0x10 * row + column.
TBitmap Numbered() {
    TBitmap b(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) b.ScanLine(y)[x] = TPixel(0x10 * y + x);
    return b;
}

} // namespace

TEST(BitmapTurns, EveryPixelLandsWhereTheTurnPutsIt) {
    const TBitmap b = Numbered();
    TBitmap flipped = FlippedVertically(b);
    ASSERT_EQ(flipped.Width(), 3);
    EXPECT_EQ(flipped.ScanLine(0)[2], 0x12u);
    EXPECT_EQ(flipped.ScanLine(1)[0], 0x00u);

    // Clockwise: the top row becomes the right column, read downwards.
    TBitmap cw = RotatedQuarter(b, true);
    ASSERT_EQ(cw.Width(), 2);
    ASSERT_EQ(cw.Height(), 3);
    EXPECT_EQ(cw.ScanLine(0)[1], 0x00u);
    EXPECT_EQ(cw.ScanLine(2)[1], 0x02u);
    EXPECT_EQ(cw.ScanLine(0)[0], 0x10u);
    // Counter-clockwise: the top row becomes the left column, read upwards.
    TBitmap ccw = RotatedQuarter(b, false);
    EXPECT_EQ(ccw.ScanLine(2)[0], 0x00u);
    EXPECT_EQ(ccw.ScanLine(0)[0], 0x02u);
    EXPECT_EQ(ccw.ScanLine(0)[1], 0x12u);
    // A turn and its opposite give the picture back.
    TBitmap back = RotatedQuarter(cw, false);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(back.ScanLine(y)[x], b.ScanLine(y)[x]);
}

TEST(BitmapTurns, TransparencyGoesWithThePicture) {
    TBitmap b = Numbered();
    b.SetTransparentColor(TColor(0x000012));
    b.SetTransparent(true);
    for (const TBitmap& turned : {FlippedVertically(b), RotatedQuarter(b, true)}) {
        EXPECT_TRUE(turned.Transparent());
        EXPECT_EQ(turned.TransparentMode(), tmFixed);
        EXPECT_EQ(turned.TransparentColor(), b.TransparentColor());
    }
    EXPECT_FALSE(RotatedQuarter(Numbered(), false).Transparent());
}

TEST(BitmapTurns, AScaledPictureTurnsAtItsDeviceSize) {
    TBitmap b(3, 2);
    b.SetScale(2);
    for (int y = 0; y < b.DeviceHeight(); ++y)
        for (int x = 0; x < b.DeviceWidth(); ++x) b.ScanLine(y)[x] = TPixel(0x100 * y + x);
    TBitmap cw = RotatedQuarter(b, true);
    EXPECT_EQ(cw.Scale(), 2);
    EXPECT_EQ(cw.Width(), 2);
    EXPECT_EQ(cw.Height(), 3);
    ASSERT_EQ(cw.DeviceWidth(), 4);
    // The stored top row becomes the stored right column.
    for (int x = 0; x < b.DeviceWidth(); ++x) EXPECT_EQ(cw.ScanLine(x)[3], TPixel(x));
    TBitmap flipped = FlippedVertically(b);
    EXPECT_EQ(flipped.Scale(), 2);
    EXPECT_EQ(flipped.ScanLine(0)[5], TPixel(0x305));
}

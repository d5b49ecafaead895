// The icon's pixels for the status areas: the bus's byte order, the size chosen for a square,
// and fitting a picture into the X tray's window.
#include "platform/TrayIconPixels.h"

#include <gtest/gtest.h>

namespace {
TrayPicture Solid(int w, int h, uint32_t argb) {
    return {w, h, std::vector<uint32_t>(size_t(w) * size_t(h), argb)};
}
} // namespace

TEST(TrayIconPixels, NetworkOrderIsAlphaRedGreenBlueBytesRowByRow) {
    TrayPicture p{2, 2, {0x80112233u, 0xFF445566u, 0x00000000u, 0x01FEDCBAu}};
    const std::vector<uint8_t> bytes = ArgbNetworkOrder(p);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x80, 0x11, 0x22, 0x33, 0xFF, 0x44, 0x55, 0x66, 0x00,
                                           0x00, 0x00, 0x00, 0x01, 0xFE, 0xDC, 0xBA}));
}

TEST(TrayIconPixels, APictureWhosePixelsDoNotMatchItsSizeGivesNothing) {
    EXPECT_TRUE(ArgbNetworkOrder(TrayPicture{3, 3, std::vector<uint32_t>(8, 0)}).empty());
    EXPECT_TRUE(ArgbNetworkOrder(TrayPicture{0, 0, {}}).empty());
    EXPECT_TRUE(ArgbNetworkOrder(TrayPicture{-2, -2, std::vector<uint32_t>(4, 0)}).empty());
}

TEST(TrayIconPixels, TheSmallestPictureThatCoversTheSquareIsTakenElseTheLargest) {
    const std::vector<TrayPicture> pictures = {Solid(16, 16, 1), Solid(32, 32, 2), Solid(24, 24, 3),
                                               TrayPicture{64, 64, {}}};
    EXPECT_EQ(PictureForSize(pictures, 22)->width, 24);
    EXPECT_EQ(PictureForSize(pictures, 16)->width, 16);
    EXPECT_EQ(PictureForSize(pictures, 10)->width, 16);
    EXPECT_EQ(PictureForSize(pictures, 48)->width, 32) << "the empty 64 is no picture";
    EXPECT_EQ(PictureForSize({}, 16), nullptr);
}

TEST(TrayIconPixels, ASmallerPictureIsCentredOnTransparency) {
    const TrayPicture out = FitPicture(Solid(2, 2, 0xFF0000FFu), 4, 6);
    ASSERT_EQ(out.width, 4);
    ASSERT_EQ(out.height, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool inside = x >= 1 && x < 3 && y >= 2 && y < 4;
            EXPECT_EQ(out.argb[size_t(y) * 4 + x], inside ? 0xFF0000FFu : 0u) << x << "," << y;
        }
}

TEST(TrayIconPixels, ALargerPictureIsAveragedDownKeepingItsProportionsAndColours) {
    // 4 x 2: left half opaque red, right half transparent; into 2 x 2 it becomes 2 x 1.
    TrayPicture wide{4,
                     2,
                     {0xFFFF0000u, 0xFFFF0000u, 0x00000000u, 0x00000000u, 0xFFFF0000u, 0xFFFF0000u,
                      0x00000000u, 0x00000000u}};
    const TrayPicture out = FitPicture(wide, 2, 2);
    ASSERT_EQ(out.argb.size(), 4u);
    EXPECT_EQ(out.argb[0], 0xFFFF0000u);
    EXPECT_EQ(out.argb[1], 0u);
    EXPECT_EQ(out.argb[2], 0u) << "the second row is empty: 2 x 1 placed at the top";
    // Half transparent pixels lend no colour: a box of an opaque green and a clear pixel of
    // another colour is half opaque green.
    TrayPicture mixed{2, 1, {0xFF00FF00u, 0x000000FFu}};
    EXPECT_EQ(FitPicture(mixed, 1, 1).argb[0], 0x8000FF00u);
}

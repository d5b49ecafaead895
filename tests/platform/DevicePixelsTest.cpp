// Surfaces to device pixels: a one-pixel-a-point surface enlarged into a denser window, the
// shape of a window as the alpha of its pixels, and the scale read from what the user and the
// desktop say.
#include "platform/DeviceScale.h"
#include "platform/DeviceSurface.h"
#include "platform/ShapeAlpha.h"

#include <gtest/gtest.h>

#include <vector>

TEST(DeviceSurface, TheFactorIsTheWholeEnlargementThatFitsBothWays) {
    EXPECT_EQ(EnlargeFactor(821, 633, 821, 633), 1);
    EXPECT_EQ(EnlargeFactor(821, 633, 1642, 1266), 2);
    EXPECT_EQ(EnlargeFactor(821, 633, 2463, 1899), 3);
    // Already device-sized, larger, uneven or empty surfaces are taken as they are.
    EXPECT_EQ(EnlargeFactor(1642, 1266, 1642, 1266), 1);
    EXPECT_EQ(EnlargeFactor(2000, 2000, 1642, 1266), 1);
    EXPECT_EQ(EnlargeFactor(821, 633, 1642, 1000), 1);
    EXPECT_EQ(EnlargeFactor(0, 0, 1642, 1266), 1);
}

TEST(DeviceSurface, RectanglesScaleClipAndUnite) {
    EXPECT_EQ(ScaledRect({3, 4, 5, 6}, 2), (DisplayRect{6, 8, 10, 12}));
    EXPECT_EQ(ClippedRect({-5, 2, 10, 10}, {0, 0, 8, 8}), (DisplayRect{0, 2, 5, 6}));
    const DisplayRect apart = ClippedRect({20, 20, 5, 5}, {0, 0, 8, 8});
    EXPECT_TRUE(apart.w <= 0 || apart.h <= 0);
    EXPECT_EQ(UnitedRect({0, 0, 2, 2}, {5, 6, 1, 1}), (DisplayRect{0, 0, 6, 7}));
    EXPECT_EQ(UnitedRect({}, {5, 6, 1, 1}), (DisplayRect{5, 6, 1, 1}));
    EXPECT_EQ(UnitedRect({5, 6, 1, 1}, {}), (DisplayRect{5, 6, 1, 1}));
}

TEST(DeviceSurface, EnlargingRepeatsEachPixelAndTouchesOnlyTheRectangle) {
    // 3 x 2 surface, each pixel its own value.
    const std::vector<uint32_t> surface{1, 2, 3, 4, 5, 6};
    std::vector<uint32_t> device(6 * 4, 0xEE);
    CopyEnlarged(surface.data(), 3, 2, {0, 0, 6, 4}, device.data(), 6);
    const std::vector<uint32_t> whole{1, 1, 2, 2, 3, 3, //
                                      1, 1, 2, 2, 3, 3, //
                                      4, 4, 5, 5, 6, 6, //
                                      4, 4, 5, 5, 6, 6};
    EXPECT_EQ(device, whole);

    // A part starting in the middle of an enlarged pixel, in a wider picture.
    std::vector<uint32_t> wide(8 * 4, 0xEE);
    CopyEnlarged(surface.data(), 3, 2, {1, 1, 3, 2}, wide.data(), 8);
    const std::vector<uint32_t> part{0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, //
                                     0xEE, 1,    2,    2,    0xEE, 0xEE, 0xEE, 0xEE, //
                                     0xEE, 4,    5,    5,    0xEE, 0xEE, 0xEE, 0xEE, //
                                     0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(wide, part);

    // One to one is a plain copy.
    std::vector<uint32_t> same(6, 0);
    CopyEnlarged(surface.data(), 3, 1, {1, 0, 2, 2}, same.data(), 3);
    EXPECT_EQ(same, (std::vector<uint32_t>{0, 2, 3, 0, 5, 6}));
}

namespace {
// A picture of w x h device pixels, every pixel 0x00RRGGBB-like and never 0.
std::vector<uint32_t> Picture(int w, int h) {
    std::vector<uint32_t> p(std::size_t(w * h));
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = 0x00100000u + uint32_t(i);
    return p;
}
} // namespace

TEST(ShapeAlpha, WithoutAShapeEveryPixelIsOpaque) {
    const ShapeAlpha alpha({}, 1);
    EXPECT_TRUE(alpha.Rectangular());
    const auto from = Picture(4, 3);
    std::vector<uint32_t> to(12, 0x12345678);
    alpha.Copy(from.data(), to.data(), 4, {1, 1, 2, 1});
    for (int i = 0; i < 12; ++i) {
        const bool inside = i == 5 || i == 6;
        EXPECT_EQ(to[std::size_t(i)], inside ? from[std::size_t(i)] | 0xFF000000u : 0x12345678u)
            << i;
    }
}

TEST(ShapeAlpha, OutsideTheShapePixelsAreTransparentAtEveryScale) {
    // A 4 x 3 window with its top corners cut away: the top row is only x 1..2, and the rows
    // below are whole, given as two touching rectangles that must merge.
    const std::vector<DisplayRect> shape{{1, 0, 2, 1}, {0, 1, 2, 2}, {2, 1, 2, 2}};
    for (int scale = 1; scale <= 3; ++scale) {
        const ShapeAlpha alpha(shape, scale);
        EXPECT_FALSE(alpha.Rectangular());
        const int w = 4 * scale, h = 3 * scale;
        const auto from = Picture(w, h);
        std::vector<uint32_t> to(std::size_t(w * h), 0x12345678);
        alpha.Copy(from.data(), to.data(), w, {0, 0, w, h});
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int px = x / scale, py = y / scale;
                const bool inside = py > 0 || (px >= 1 && px <= 2);
                const uint32_t got = to[std::size_t(y * w + x)];
                const uint32_t want = inside ? from[std::size_t(y * w + x)] | 0xFF000000u : 0u;
                ASSERT_EQ(got, want) << "scale " << scale << " at " << x << "," << y;
            }
        }
    }
}

TEST(ShapeAlpha, OnlyTheRectangleAskedForIsWritten) {
    const ShapeAlpha alpha({{0, 0, 2, 2}}, 2); // the top left quarter of a 4 x 4 point window
    const auto from = Picture(8, 8);
    std::vector<uint32_t> to(64, 0x12345678);
    alpha.Copy(from.data(), to.data(), 8, {2, 2, 4, 4});
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const uint32_t got = to[std::size_t(y * 8 + x)];
            if (x < 2 || x >= 6 || y < 2 || y >= 6)
                EXPECT_EQ(got, 0x12345678u) << x << "," << y;
            else if (x < 4 && y < 4)
                EXPECT_EQ(got, from[std::size_t(y * 8 + x)] | 0xFF000000u) << x << "," << y;
            else
                EXPECT_EQ(got, 0u) << x << "," << y;
        }
    }
}

TEST(ShapeAlpha, AShapeOfNothingShowsNothing) {
    const ShapeAlpha alpha({{0, 0, 0, 5}, {3, 3, 4, -1}}, 1);
    EXPECT_FALSE(alpha.Rectangular());
    const auto from = Picture(4, 4);
    std::vector<uint32_t> to(16, 0x12345678);
    alpha.Copy(from.data(), to.data(), 4, {0, 0, 4, 4});
    for (uint32_t v : to) EXPECT_EQ(v, 0u);
}

TEST(DeviceScale, SettingsAreOneTwoOrThreeAndNothingElse) {
    EXPECT_EQ(ScaleSetting("1"), 1);
    EXPECT_EQ(ScaleSetting("2"), 2);
    EXPECT_EQ(ScaleSetting(" 3 "), 3);
    for (const char* wrong : {"", "0", "4", "2x", "1.5", "02", "-2", "two", " "})
        EXPECT_EQ(ScaleSetting(wrong), 0) << wrong;
    EXPECT_EQ(ScaleSetting(nullptr), 0);
}

TEST(DeviceScale, DotsPerInchGiveTheScaleDesktopsMean) {
    EXPECT_EQ(ScaleFromDpi(0), 1);
    EXPECT_EQ(ScaleFromDpi(96), 1);
    EXPECT_EQ(ScaleFromDpi(143.9), 1);
    EXPECT_EQ(ScaleFromDpi(144), 2);
    EXPECT_EQ(ScaleFromDpi(192), 2);
    EXPECT_EQ(ScaleFromDpi(240), 3);
    EXPECT_EQ(ScaleFromDpi(480), 3);
    EXPECT_EQ(ClampScale(0), 1);
    EXPECT_EQ(ClampScale(2), 2);
    EXPECT_EQ(ClampScale(4), 3);
}

TEST(DeviceScale, XftDpiIsReadFromItsOwnLineOfTheResources) {
    EXPECT_EQ(XftDpi("Xft.dpi:\t144\n"), 144);
    EXPECT_EQ(XftDpi("Xcursor.size:\t24\nXft.antialias:\t1\nXft.dpi:  192.5  \nXft.hinting:\t1\n"),
              192.5);
    EXPECT_EQ(XftDpi("Xft.dpi:240"), 240); // the last line without its end
    // Other resources that merely contain the name, no value, or one that is not a number.
    EXPECT_EQ(XftDpi("MyXft.dpi:\t200\n"), 0);
    EXPECT_EQ(XftDpi("Xft.dpiX:\t200\n"), 0);
    EXPECT_EQ(XftDpi("Xft.dpi:\n"), 0);
    EXPECT_EQ(XftDpi("Xft.dpi:\tbig\n"), 0);
    EXPECT_EQ(XftDpi("Xft.dpi:\t-96\n"), 0);
    EXPECT_EQ(XftDpi(""), 0);
    // A wrong line does not hide a right one after it.
    EXPECT_EQ(XftDpi("Other.Xft.dpi:\t1\nXft.dpi:\t288\n"), 288);
}

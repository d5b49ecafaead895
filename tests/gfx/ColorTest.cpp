#include "gfx/Color.h"

#include <gtest/gtest.h>

TEST(Color, SystemColoursResolveThroughTheLightTheme) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(51, 153, 255));
    EXPECT_EQ(ColorToRGB(clHighlightText), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clWindowText), RGB(0, 0, 0));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(160, 160, 160));
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(105, 105, 105));
    // Explicit colours pass through; their red is the low byte.
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(ColorToRGB(0x80FFFF), 0x80FFFFu);
    EXPECT_EQ(clBtnFace, 0xFF00000Fu);
    EXPECT_EQ(cl3DLight, 0xFF000016u);
}

TEST(Color, PixelsAreArgbAndConvertBothWays) {
    EXPECT_EQ(ColorToPixel(clRed), 0xFFFF0000u);
    EXPECT_EQ(ColorToPixel(clBlue), 0xFF0000FFu);
    EXPECT_EQ(ColorToPixel(clHighlight), 0xFF3399FFu);
    for (TColor c : {0x000000u, 0x123456u, 0xFFFFFFu, 0x80FFFFu})
        EXPECT_EQ(PixelToColor(ColorToPixel(c)), c);
    EXPECT_EQ(PixelToColor(0x00ABCDEFu), RGB(0xAB, 0xCD, 0xEF)); // alpha ignored
}

TEST(Color, BlendRoundsHalvesToEven) {
    // 0.5 * 0 + 0.5 * 255 = 127.5 -> 128 (even); 0.5 * 0 + 0.5 * 1 = 0.5 -> 0.
    EXPECT_EQ(BlendColors(clBlack, clWhite, 0.5), RGB(128, 128, 128));
    EXPECT_EQ(BlendColors(RGB(0, 0, 0), RGB(1, 3, 5), 0.5), RGB(0, 2, 2));
    // The selection blend: a quarter of the highlight over the cell colour 0x80FFFF.
    const TColor blended = BlendColors(0x80FFFF, clHighlight, 0.25);
    EXPECT_EQ(GetRValue(blended), 204); // 0.75*255 + 0.25*51 = 204
    EXPECT_EQ(GetGValue(blended), 230); // 0.75*255 + 0.25*153 = 229.5 -> 230
    EXPECT_EQ(GetBValue(blended), 160); // 0.75*128 + 0.25*255 = 159.75
}

TEST(Color, BlendPixelIsExactAtTheEndsAndCloseBetween) {
    EXPECT_EQ(BlendPixel(0xFF102030u, 0xFFFFFFFFu, 0), 0xFF102030u);
    EXPECT_EQ(BlendPixel(0xFF102030u, 0x00FFFFFFu, 255), 0xFFFFFFFFu);
    for (unsigned a = 0; a <= 255; a += 15) {
        const TPixel p = BlendPixel(0xFF000000u, 0xFFFFFFFFu, a);
        EXPECT_NEAR(int(p & 0xFF), int(a), 1) << a;
        EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);
        EXPECT_EQ(p >> 24, 0xFFu);
    }
}

#include "gfx/Color.h"
#include "gfx/PixelSpans.h"

#include <gtest/gtest.h>
#include <vector>

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

// The span blend, wide and narrow, must give exactly what BlendPixel gives pixel by pixel, for
// every coverage, over pixels of any alpha, in spans of every length around its blocks of four
// and eight, touching nothing beyond the span.
TEST(Color, CoverageSpanBlendsAsBlendPixelDoes) {
    using TBlend = void (*)(TPixel*, const uint8_t*, int, TPixel);
    for (TBlend blend : {&BlendCoverageSpan, &BlendCoverageSpanNarrow}) {
        uint32_t seed = 12345;
        auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
        for (TPixel src : {0x00000000u, 0xFFFFFFFFu, 0x12345678u, 0x80FF0080u}) {
            for (int count = 0; count <= 19; ++count) {
                for (int round = 0; round < 64; ++round) {
                    std::vector<TPixel> pixels(size_t(count) + 2);
                    std::vector<uint8_t> cov(static_cast<size_t>(count));
                    for (TPixel& p : pixels) p = next();
                    for (int i = 0; i < count; ++i) {
                        // Runs of 0 and 255 as glyph edges have, and every value in between.
                        const uint32_t r = next() >> 24;
                        cov[size_t(i)] = r < 64   ? 0
                                         : r < 96 ? 255
                                                  : uint8_t((round * 11 + i * 7) & 255);
                    }
                    std::vector<TPixel> expected = pixels;
                    for (int i = 0; i < count; ++i)
                        if (cov[size_t(i)])
                            expected[size_t(i) + 1] =
                                BlendPixel(pixels[size_t(i) + 1], src, cov[size_t(i)]);
                    blend(pixels.data() + 1, cov.data(), count, src);
                    ASSERT_EQ(pixels, expected) << "count " << count << " round " << round;
                }
            }
        }
        // Every coverage over every grey.
        std::vector<TPixel> row(256 * 256);
        std::vector<uint8_t> cov(row.size());
        for (size_t i = 0; i < row.size(); ++i) {
            row[i] = 0x01010101u * uint32_t(i / 256);
            cov[i] = uint8_t(i % 256);
        }
        std::vector<TPixel> expected = row;
        for (size_t i = 0; i < row.size(); ++i)
            if (cov[i]) expected[i] = BlendPixel(row[i], 0xFF3C7AE1u, cov[i]);
        blend(row.data(), cov.data(), int(row.size()), 0xFF3C7AE1u);
        EXPECT_EQ(row, expected);
    }
}

TEST(Color, FillPixelsFillsExactlyTheSpan) {
    using TFill = void (*)(TPixel*, int, TPixel);
    for (TFill fill : {&FillPixels, &FillPixelsNarrow})
        for (int offset = 0; offset < 8; ++offset)
            for (int count = 0; count <= 19; ++count) {
                std::vector<TPixel> pixels(40, 0x11223344u);
                fill(pixels.data() + offset + 1, count, 0xFFABCDEFu);
                for (int i = 0; i < 40; ++i) {
                    const bool inside = i > offset && i <= offset + count;
                    ASSERT_EQ(pixels[size_t(i)], inside ? 0xFFABCDEFu : 0x11223344u)
                        << "offset " << offset << " count " << count << " pixel " << i;
                }
            }
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

#include "table/ImageLists.h"

#include "gfx/Bitmap.h"
#include "gfx/ImageList.h"
#include "table/LeagueFlags.h"

#include <gtest/gtest.h>

namespace {

struct Rgb {
    int r, g, b;
};

Rgb At(const TBitmap& bitmap, int x, int y) {
    const TPixel p = bitmap.ScanLine(y)[x];
    return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
}

bool Transparent(const TBitmap& bitmap, int x, int y) {
    return (bitmap.ScanLine(y)[x] >> 24) == 0;
}

TBitmap Image(const TImageList& list, int index) {
    TBitmap bitmap;
    EXPECT_TRUE(list.GetBitmap(index, bitmap)) << index;
    return bitmap;
}

} // namespace

TEST(FlagImages, OneSixteenPixelImagePerIndex) {
    TImageList list;
    list.Add(TBitmap(16, 16)); // replaced, not appended to
    LoadFlagImages(list);
    EXPECT_EQ(list.Count(), 103);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    // The package's flags are about 16 x 11, centred: clear rows above and below.
    for (int i = 1; i < 103; ++i) {
        const TBitmap flag = Image(list, i);
        EXPECT_TRUE(Transparent(flag, 8, 0) && Transparent(flag, 8, 1)) << i;
        for (int y = 2; y <= 12; ++y) EXPECT_FALSE(Transparent(flag, 8, y)) << i << " row " << y;
        EXPECT_TRUE(Transparent(flag, 8, 14) && Transparent(flag, 8, 15)) << i;
    }
    // Narrower flags stay in the middle too.
    const TBitmap swiss = Image(list, 77);
    EXPECT_TRUE(Transparent(swiss, 1, 7) && Transparent(swiss, 14, 7));
    EXPECT_FALSE(Transparent(swiss, 3, 7) || Transparent(swiss, 12, 7));
}

TEST(FlagImages, LookupIndexesShowTheRightFlags) {
    TImageList list;
    LoadFlagImages(list);
    // Colombia (and Ecuador): yellow upper half, blue, red.
    const TBitmap colombia = Image(list, LeagueFlagIndex("Ecuador.Serie A"));
    const Rgb top = At(colombia, 8, 4), low = At(colombia, 8, 12);
    EXPECT_TRUE(top.r > 200 && top.g > 180 && top.b < 100);
    EXPECT_TRUE(low.r > 150 && low.g < 80 && low.b < 80);
    // The confederations' flag: a blue field with a ring of yellow stars.
    const TBitmap stars = Image(list, LeagueFlagIndex("UEFA.Champions League"));
    auto blue = [](Rgb p) { return p.b > p.r + 60 && p.b > p.g + 40; };
    EXPECT_TRUE(blue(At(stars, 1, 3)));
    EXPECT_TRUE(blue(At(stars, 8, 7))); // the ring is empty in the middle
    int yellow = 0;
    for (int y = 2; y < 13; ++y)
        for (int x = 0; x < 16; ++x) {
            const Rgb p = At(stars, x, y);
            if (p.r > 180 && p.g > 160 && p.b < 150) ++yellow;
        }
    EXPECT_GE(yellow, 4);
    // Kosovo is drawn here: blue field, light stars.
    const TBitmap kosovo = Image(list, 98);
    EXPECT_GT(At(kosovo, 1, 11).b, 120);
    // No country: a football, round, so its corners stay clear and its middle is dark.
    const TBitmap ball = Image(list, 0);
    EXPECT_TRUE(Transparent(ball, 0, 0) && Transparent(ball, 15, 15));
    const Rgb middle = At(ball, 8, 8);
    EXPECT_LT(middle.r + middle.g + middle.b, 200);
    const Rgb side = At(ball, 8, 3);
    EXPECT_FALSE(Transparent(ball, 8, 3));
    EXPECT_GT(side.r + side.g + side.b, 600);
}

TEST(FlagImages, TabImagesAndHeaderGlyph) {
    TImageList tabs;
    LoadTabImages(tabs);
    ASSERT_EQ(tabs.Count(), 2);
    const TBitmap pitch = Image(tabs, 1);
    EXPECT_GT(At(pitch, 4, 8).g, 120);
    EXPECT_LT(At(pitch, 4, 8).r, 100);

    TBitmap glyph;
    LoadFlagHeaderGlyph(glyph);
    ASSERT_EQ(glyph.Width(), 16);
    ASSERT_EQ(glyph.Height(), 16);
    // The bottom-left pixel stands for transparency; the picture itself must not use it.
    const TPixel key = glyph.ScanLine(15)[0];
    int keyed = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) keyed += glyph.ScanLine(y)[x] == key;
    EXPECT_GT(keyed, 64);
    EXPECT_LT(keyed, 240);
    EXPECT_TRUE(glyph.Transparent());
}

// At 2x and 3x the tab images are drawn anew from the same drawings at 32 and 48 pixels: the
// same places in points, with detail finer than a point (not the 1x pictures enlarged).
TEST(FlagImages, TabImagesAreDrawnForTheScreensScale) {
    TImageList plain;
    LoadTabImages(plain);
    for (int scale : {2, 3}) {
        SCOPED_TRACE(scale);
        TImageList tabs;
        LoadTabImages(tabs, scale);
        ASSERT_EQ(tabs.Count(), 2);
        for (int index = 0; index < 2; ++index) {
            const TBitmap one = Image(plain, index), fine = Image(tabs, index);
            ASSERT_EQ(fine.Scale(), scale);
            ASSERT_EQ(fine.Width(), 16);
            ASSERT_EQ(fine.DeviceWidth(), 16 * scale);
            int agree = 0, mixed = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    // A point drawn at 1x has its block's centre drawn at the scale, give or
                    // take the soft rim.
                    const int cx = x * scale + scale / 2, cy = y * scale + scale / 2;
                    agree += Transparent(one, x, y) == Transparent(fine, cx, cy);
                    bool same = true;
                    for (int k = 0; k < scale * scale; ++k)
                        same =
                            same && fine.ScanLine(y * scale + k / scale)[x * scale + k % scale] ==
                                        fine.ScanLine(y * scale)[x * scale];
                    mixed += !same;
                }
            EXPECT_GT(agree, 256 - 24) << index;
            EXPECT_GT(mixed, 10) << index;
        }
        const TBitmap pitch = Image(tabs, 1);
        EXPECT_GT(At(pitch, 4 * scale, 8 * scale).g, 120);
    }
    // The header glyph likewise, its transparent key still in the bottom-left corner.
    for (int scale : {2, 3}) {
        TBitmap plainGlyph, glyph;
        LoadFlagHeaderGlyph(plainGlyph);
        LoadFlagHeaderGlyph(glyph, scale);
        EXPECT_EQ(glyph.Scale(), scale);
        EXPECT_EQ(glyph.Width(), 16);
        EXPECT_TRUE(glyph.Transparent());
        EXPECT_EQ(glyph.TransparentColor(), plainGlyph.TransparentColor());
        const TPixel key = glyph.ScanLine(glyph.DeviceHeight() - 1)[0];
        int keyed = 0;
        for (int y = 0; y < glyph.DeviceHeight(); ++y)
            for (int x = 0; x < glyph.DeviceWidth(); ++x) keyed += glyph.ScanLine(y)[x] == key;
        EXPECT_GT(keyed, 64 * scale * scale);
        EXPECT_LT(keyed, 240 * scale * scale);
    }
    // Scales beyond 3 take the finest pictures there are; below 1, the 1x ones.
    TImageList big, small;
    LoadTabImages(big, 5);
    LoadTabImages(small, 0);
    EXPECT_EQ(Image(big, 0).Scale(), 3);
    EXPECT_EQ(Image(small, 0).Scale(), 1);
}

// The flags likewise: a finer screen gets our own drawings at 32 and 48 pixels, not the 1x
// pictures enlarged; a plain screen gets the package's pictures exactly as before.
TEST(FlagImages, FlagImagesAreTakenForTheScreensScale) {
    TImageList plain, one;
    LoadFlagImages(plain);
    LoadFlagImages(one, 1);
    ASSERT_EQ(one.Count(), 103);
    for (int i = 0; i < 103; ++i) {
        const TBitmap a = Image(plain, i), b = Image(one, i);
        ASSERT_EQ(b.Scale(), 1);
        ASSERT_EQ(b.DeviceWidth(), 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(a.ScanLine(y)[x], b.ScanLine(y)[x]) << i << " at " << x << "," << y;
    }

    for (int scale : {2, 3}) {
        SCOPED_TRACE(scale);
        TImageList list;
        list.Add(TBitmap(16, 16)); // replaced, not appended to
        LoadFlagImages(list, scale);
        ASSERT_EQ(list.Count(), 103);
        EXPECT_EQ(list.Width(), 16);
        EXPECT_EQ(list.Height(), 16);
        int finer = 0;
        for (int i = 0; i < 103; ++i) {
            const TBitmap flag = Image(list, i);
            ASSERT_EQ(flag.Scale(), scale) << i;
            ASSERT_EQ(flag.Width(), 16) << i;
            ASSERT_EQ(flag.DeviceWidth(), 16 * scale) << i;
            ASSERT_EQ(flag.DeviceHeight(), 16 * scale) << i;
            // The same places in points: clear where the 1x picture is, around its box.
            const TBitmap plainFlag = Image(plain, i);
            for (int y : {1, 2, 12, 13})
                EXPECT_EQ(Transparent(plainFlag, 8, y),
                          Transparent(flag, 8 * scale + scale / 2, y * scale + scale / 2))
                    << i << " row " << y;
            // Drawn at the scale: somewhere a point's pixels are not all one colour.
            bool mixed = false;
            for (int y = 0; y < 16 && !mixed; ++y)
                for (int x = 0; x < 16 && !mixed; ++x)
                    for (int k = 1; k < scale * scale; ++k)
                        mixed =
                            mixed || flag.ScanLine(y * scale + k / scale)[x * scale + k % scale] !=
                                         flag.ScanLine(y * scale)[x * scale];
            finer += mixed;
        }
        EXPECT_EQ(finer, 103);
        // Colombia at the scale is still yellow above, red below.
        const TBitmap colombia = Image(list, LeagueFlagIndex("Ecuador.Serie A"));
        const Rgb top = At(colombia, 8 * scale, 4 * scale),
                  low = At(colombia, 8 * scale, 10 * scale + scale / 2);
        EXPECT_TRUE(top.r > 200 && top.g > 180 && top.b < 100);
        EXPECT_TRUE(low.r > 150 && low.g < 80 && low.b < 80);
    }

    // Scales beyond 3 take the finest pictures there are; below 1, the 1x ones.
    TImageList big, small;
    LoadFlagImages(big, 5);
    LoadFlagImages(small, 0);
    EXPECT_EQ(Image(big, 1).Scale(), 3);
    EXPECT_EQ(Image(small, 1).Scale(), 1);
}

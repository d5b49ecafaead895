// Window regions from mask pictures: runs of black pixels, placement, sliced masks for other
// sizes, and masks far larger than the scanner's rectangle list.
#include "skin/SkinRegions.h"
#include "skin/RowScanBitmap.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr TPixel kBlack = 0xFF000000u;
constexpr TPixel kWhite = 0xFFFFFFFFu;

TBitmap WhiteMask(int w, int h) {
    TBitmap b(w, h);
    b.Fill(clWhite);
    return b;
}

void ExpectRegionIsBlackPixels(const TRegion& r, const TBitmap& mask, int ox, int oy) {
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x)
            ASSERT_EQ(r.Contains(x + ox, y + oy), (mask.ScanLine(y)[x] & 0xFFFFFFu) == 0)
                << x << "," << y;
}

// A frame-like mask: black, with the four corners rounded away in white.
TBitmap RoundedMask(int w, int h) {
    TBitmap m(w, h);
    m.Fill(clBlack);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3 - i; ++j) {
            m.ScanLine(i)[j] = kWhite;
            m.ScanLine(i)[w - 1 - j] = kWhite;
            m.ScanLine(h - 1 - i)[j] = kWhite;
            m.ScanLine(h - 1 - i)[w - 1 - j] = kWhite;
        }
    return m;
}

} // namespace

TEST(SkinRegions, TFBitmapRowsArePaddedToFourBytes) {
    for (int w : {1, 2, 3, 4, 5, 7}) {
        TBitmap b(w, 2);
        b.Fill(RGB(10, 20, 30));
        const TFBitmap f(b);
        EXPECT_EQ(f.RowInc(), 3 * w + w % 4);
        EXPECT_EQ(f.RowInc() % 4, 0);
        EXPECT_EQ(f.Gap(), w % 4);
        EXPECT_EQ(f.Size(), std::size_t(f.RowInc()) * 2);
        const std::uint8_t* px = f.ScanLine(1) + 3 * (w - 1);
        EXPECT_EQ(px[0], 30); // blue, green, red
        EXPECT_EQ(px[1], 20);
        EXPECT_EQ(px[2], 10);
    }
    EXPECT_EQ(TFBitmap(TBitmap()).Size(), 0u);
}

TEST(SkinRegions, RunsOfBlackBecomeRectanglesAtTheOffset) {
    TBitmap mask = WhiteMask(9, 4);
    for (int x = 0; x < 9; ++x) mask.ScanLine(0)[x] = kBlack; // a full row: one rectangle
    mask.ScanLine(1)[0] = kBlack;
    mask.ScanLine(1)[3] = kBlack;
    mask.ScanLine(1)[4] = kBlack;
    mask.ScanLine(1)[8] = kBlack;       // a run that ends at the row end
    mask.ScanLine(3)[5] = RGB(0, 0, 1); // nearly black is not black
    const TRegion r = RegionFromMask(mask, 100, 50);
    const std::vector<TRect> expected = {Rect(100, 50, 109, 51), Rect(100, 51, 101, 52),
                                         Rect(103, 51, 105, 52), Rect(108, 51, 109, 52)};
    EXPECT_EQ(r.Rects(), expected);
    ExpectRegionIsBlackPixels(r, mask, 100, 50);
    EXPECT_TRUE(RegionFromMask(WhiteMask(30, 30)).IsEmpty());
    EXPECT_TRUE(RegionFromMask(TBitmap()).IsEmpty());
}

TEST(SkinRegions, NoiseFarBeyondTheListCapacityGivesTheWholeRegion) {
    // 4000 x 4000 black-and-white noise holds millions of runs; the scanner's list holds
    // 10,001 at a time and must hand them over without losing or duplicating any.
    const int side = 4000;
    TBitmap mask(side, side);
    std::mt19937 rng(99);
    std::size_t runs = 0;
    for (int y = 0; y < side; ++y) {
        TPixel* row = mask.ScanLine(y);
        for (int x = 0; x < side; x += 32) {
            const std::uint32_t bits = rng();
            for (int i = 0; i < 32; ++i) row[x + i] = (bits >> i) & 1 ? kBlack : kWhite;
        }
        for (int x = 0; x < side; ++x)
            if (row[x] == kBlack && (x == 0 || row[x - 1] != kBlack)) ++runs;
    }
    ASSERT_GT(runs, std::size_t(MaskRectListCapacity) * 100);
    const TRegion r = RegionFromMask(mask, 0, 0);
    EXPECT_EQ(r.Rects().size(), runs);
    for (int y : {0, 1, 2499, 2500, 3999}) {
        for (int x = 0; x < side; ++x)
            ASSERT_EQ(r.Contains(x, y), mask.ScanLine(y)[x] == kBlack) << x << "," << y;
    }
}

TEST(SkinRegions, SlicedMaskAtOwnSizeIsTheMask) {
    const TBitmap mask = RoundedMask(60, 40);
    const TspSlicePoints p{{15, 10}, {44, 10}, {15, 30}, {44, 30}, Rect(5, 6, 55, 35)};
    const TRegion r = RegionFromSlicedMask(mask, p, p, 60, 40);
    EXPECT_EQ(r, RegionFromMask(mask));
}

TEST(SkinRegions, SlicedMaskFollowsTheTargetSize) {
    const TBitmap mask = RoundedMask(150, 107);
    const TspSlicePoints p{{40, 50}, {110, 50}, {40, 80}, {110, 80}, Rect(9, 34, 141, 97)};
    const int W = 821, H = 633;
    const TspSlicePoints n = ResizeSlicePoints(p, 150, 107, W, H);
    const TRegion r = RegionFromSlicedMask(mask, p, n, W, H);
    EXPECT_EQ(r.Bounds(), Rect(0, 0, W, H));
    // The rounded corners stay out at every corner of the target; the rest is in.
    for (TPoint corner : {Point(0, 0), Point(W - 1, 0), Point(0, H - 1), Point(W - 1, H - 1),
                          Point(1, 1), Point(W - 2, H - 2)})
        EXPECT_FALSE(r.Contains(corner)) << corner.X << "," << corner.Y;
    for (TPoint in : {Point(3, 0), Point(W - 4, 0), Point(0, H / 2), Point(W - 1, H / 2),
                      Point(W / 2, H - 1), Point(W / 2, H / 2), Point(2, 2)})
        EXPECT_TRUE(r.Contains(in)) << in.X << "," << in.Y;
    // A white notch in the middle of the mask's top edge repeats with every tile of the
    // 70-pixel middle, whose tiles start at x = 0 of the strip: source column 60 lands at
    // 20 (under the fixed corner), 90, 160 ...
    TBitmap notched = mask;
    notched.ScanLine(0)[60] = kWhite;
    const TRegion rn = RegionFromSlicedMask(notched, p, n, W, H);
    EXPECT_TRUE(rn.Contains(20, 0));
    EXPECT_FALSE(rn.Contains(90, 0));
    EXPECT_FALSE(rn.Contains(160, 0));
    EXPECT_FALSE(rn.Contains(720, 0));
    EXPECT_TRUE(rn.Contains(60, 0));
    EXPECT_TRUE(rn.Contains(91, 0));
}

TEST(SkinRegions, SlicedMaskHasNoRegionWhenNothingFits) {
    const TBitmap mask = RoundedMask(150, 107);
    const TspSlicePoints p{{40, 50}, {110, 50}, {40, 80}, {110, 80}, Rect(9, 34, 141, 97)};
    // Smaller than the fixed corners.
    for (TSize s : {TSize{60, 300}, TSize{300, 20}, TSize{1, 1}, TSize{0, 0}}) {
        const TspSlicePoints n = ResizeSlicePoints(p, 150, 107, s.cx, s.cy);
        EXPECT_TRUE(RegionFromSlicedMask(mask, p, n, s.cx, s.cy).IsEmpty()) << s.cx;
    }
    // An empty client rect, or no mask at all.
    TspSlicePoints noClient = p;
    noClient.ClientRect = Rect(9, 34, 9, 97);
    EXPECT_TRUE(RegionFromSlicedMask(mask, noClient, noClient, 150, 107).IsEmpty());
    EXPECT_TRUE(RegionFromSlicedMask(TBitmap(), p, p, 150, 107).IsEmpty());
}

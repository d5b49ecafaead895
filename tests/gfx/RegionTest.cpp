#include "gfx/Region.h"
#include "gfx/Bitmap.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet Pixels(const TRegion& r) {
    PixelSet s;
    for (const TRect& rc : r.Rects())
        for (int y = rc.Top; y < rc.Bottom; ++y)
            for (int x = rc.Left; x < rc.Right; ++x) EXPECT_TRUE(s.insert({x, y}).second);
    return s;
}

PixelSet Pixels(const std::vector<TRect>& rects) {
    PixelSet s;
    for (const TRect& rc : rects)
        for (int y = rc.Top; y < rc.Bottom; ++y)
            for (int x = rc.Left; x < rc.Right; ++x) s.insert({x, y});
    return s;
}

// The banded form: rectangles in rows of equal top and bottom, sorted, not touching.
void ExpectBanded(const TRegion& r) {
    const auto& v = r.Rects();
    for (std::size_t i = 1; i < v.size(); ++i) {
        if (v[i].Top == v[i - 1].Top) {
            EXPECT_EQ(v[i].Bottom, v[i - 1].Bottom);
            EXPECT_GT(v[i].Left, v[i - 1].Right);
        } else {
            EXPECT_GE(v[i].Top, v[i - 1].Bottom);
        }
    }
}

} // namespace

TEST(Region, BasicSetOperations) {
    TRegion a(Rect(0, 0, 10, 10));
    a.Union(Rect(5, 5, 15, 15));
    EXPECT_EQ(Pixels(a).size(), 100u + 100u - 25u);
    EXPECT_EQ(a.Bounds(), Rect(0, 0, 15, 15));
    EXPECT_TRUE(a.Contains(12, 12));
    EXPECT_FALSE(a.Contains(12, 2));
    EXPECT_FALSE(a.Contains(15, 14)); // right edge excluded

    TRegion hole(Rect(0, 0, 10, 10));
    hole.Subtract(Rect(3, 3, 6, 6));
    EXPECT_EQ(Pixels(hole).size(), 91u);
    EXPECT_FALSE(hole.Contains(4, 4));
    EXPECT_TRUE(hole.Intersects(Rect(2, 2, 4, 4)));
    EXPECT_FALSE(hole.Intersects(Rect(3, 3, 6, 6)));
    EXPECT_EQ(hole.Bounds(), Rect(0, 0, 10, 10));

    TRegion none(Rect(0, 0, 5, 5));
    none.Intersect(Rect(5, 0, 9, 5)); // touching only
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(none.Bounds(), TRect{});

    // Clipped in place: one rectangle, a region inside the rectangle, a banded region.
    TRegion one(Rect(0, 0, 10, 10));
    one.Intersect(Rect(4, -5, 20, 6));
    EXPECT_EQ(one.Rects(), std::vector<TRect>{Rect(4, 0, 10, 6)});
    EXPECT_EQ(one.Bounds(), Rect(4, 0, 10, 6));
    TRegion holed = hole;
    holed.Intersect(Rect(-1, -1, 11, 11));
    EXPECT_EQ(holed, hole);
    holed.Intersect(Rect(0, 0, 4, 10));
    EXPECT_EQ(Pixels(holed).size(), 37u); // 40 less the hole's 3 x 1 column
    EXPECT_EQ(holed.Bounds(), Rect(0, 0, 4, 10));

    TRegion moved = hole.Offsetted(100, -3);
    EXPECT_TRUE(moved.Contains(100, -3));
    EXPECT_FALSE(moved.Contains(104, 1));
}

TEST(Region, EqualSetsHaveEqualRectangleLists) {
    // The same L shape built three ways.
    TRegion a(Rect(0, 0, 10, 5));
    a.Union(Rect(0, 5, 5, 10));
    TRegion b(Rect(0, 0, 5, 10));
    b.Union(Rect(5, 0, 10, 5));
    TRegion c = TRegion::FromRects({Rect(0, 0, 10, 10)});
    c.Subtract(Rect(5, 5, 10, 10));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
    EXPECT_EQ(a.Rects().size(), 2u);
}

TEST(Region, RandomOperationsMatchPixelSets) {
    std::mt19937 rng(12345);
    auto randomRects = [&](int n) {
        std::vector<TRect> v;
        for (int i = 0; i < n; ++i) {
            const int x = int(rng() % 30), y = int(rng() % 30);
            v.push_back(Bounds(x, y, int(rng() % 12), int(rng() % 12)));
        }
        return v;
    };
    for (int round = 0; round < 60; ++round) {
        const auto ra = randomRects(1 + round % 6), rb = randomRects(1 + round % 5);
        const TRegion a = TRegion::FromRects(ra), b = TRegion::FromRects(rb);
        const PixelSet pa = Pixels(ra), pb = Pixels(rb);
        ASSERT_EQ(Pixels(a), pa);
        ExpectBanded(a);

        PixelSet u = pa, i, d, x;
        u.insert(pb.begin(), pb.end());
        for (const auto& p : pa) (pb.count(p) ? i : d).insert(p);
        for (const auto& p : pa)
            if (!pb.count(p)) x.insert(p);
        for (const auto& p : pb)
            if (!pa.count(p)) x.insert(p);

        EXPECT_EQ(Pixels(a.Unioned(b)), u);
        EXPECT_EQ(Pixels(a.Intersected(b)), i);
        EXPECT_EQ(Pixels(a.Subtracted(b)), d);
        TRegion xr = a;
        xr.Xor(b);
        EXPECT_EQ(Pixels(xr), x);
        ExpectBanded(a.Unioned(b));
        ExpectBanded(xr);
        // Union built incrementally is the same list as built at once.
        TRegion inc;
        for (const TRect& r : ra) inc.Union(r);
        EXPECT_EQ(inc, a);
        for (int k = 0; k < 20; ++k) {
            const int px = int(rng() % 45), py = int(rng() % 45);
            EXPECT_EQ(a.Contains(px, py), pa.count({px, py}) == 1);
        }
    }
}

TEST(Region, FromMaskTakesTheBlackPixels) {
    TBitmap mask(6, 4);
    mask.Fill(clWhite);
    // Row 0 all black, row 1 two runs, row 2 none, row 3 like row 0.
    for (int x = 0; x < 6; ++x) {
        mask.ScanLine(0)[x] = 0xFF000000u;
        mask.ScanLine(3)[x] = 0xFF000000u;
    }
    mask.ScanLine(1)[0] = 0xFF000000u;
    mask.ScanLine(1)[4] = 0xFF000000u;
    mask.ScanLine(1)[5] = 0xFF000000u;
    const TRegion r = TRegion::FromMask(mask, 10, 20);
    const std::vector<TRect> expected = {Rect(10, 20, 16, 21), Rect(10, 21, 11, 22),
                                         Rect(14, 21, 16, 22), Rect(10, 23, 16, 24)};
    EXPECT_EQ(r.Rects(), expected);

    // Equal rows merge into one band; an all-white mask gives nothing.
    TBitmap black(50, 40);
    black.Fill(clBlack);
    EXPECT_EQ(TRegion::FromMask(black).Rects(), std::vector<TRect>{Rect(0, 0, 50, 40)});
    TBitmap white(5, 5);
    white.Fill(clWhite);
    EXPECT_TRUE(TRegion::FromMask(white).IsEmpty());
    EXPECT_TRUE(TRegion::FromMask(TBitmap()).IsEmpty());
}

TEST(Region, BuilderMatchesTheUnionInAnyOrder) {
    std::mt19937 rng(777);
    for (int round = 0; round < 40; ++round) {
        // Row-ordered spans (the scanner's case), with now and then one out of order.
        std::vector<TRect> rects;
        for (int y = 0; y < 12; ++y) {
            int x = int(rng() % 4);
            while (x < 40) {
                const int w = 1 + int(rng() % 5);
                rects.push_back(Rect(x, y, x + w, y + 1));
                x += w + int(rng() % 4); // a gap of 0 makes touching spans
            }
        }
        if (round % 3 == 1) std::swap(rects[rects.size() / 2], rects[rects.size() / 3]);
        if (round % 3 == 2) rects.push_back(Rect(5, 2, 30, 7)); // taller, late
        TRegionBuilder b;
        for (const TRect& r : rects) b.Add(r);
        const TRegion built = b.Finish();
        EXPECT_EQ(Pixels(built), Pixels(rects));
        EXPECT_EQ(built, TRegion::FromRects(rects));
        ExpectBanded(built);
        EXPECT_TRUE(b.Finish().IsEmpty()); // the builder starts over
    }
}

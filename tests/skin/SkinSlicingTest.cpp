// Fitting skin rectangles to target sizes: exact reproduction at the skin's own size, tile
// counts and cuts, where every piece lands, and bad geometry that must draw what it can.
#include "skin/SkinSlicing.h"
#include "gfx/Canvas.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Every pixel different enough to tell pieces apart.
TBitmap NoisePicture(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.ScanLine(y)[x] = 0xFF000000u | (rng() & 0xFFFFFFu);
    return b;
}

TPixel At(const TBitmap& b, int x, int y) {
    return b.ScanLine(y)[x] | 0xFF000000u;
}

// The frame's geometry in a 60 x 40 skin rectangle that starts at (10, 7) of its picture.
const TRect kSkin = Rect(10, 7, 70, 47);
const TspSlicePoints kPoints{{15, 10}, {44, 10}, {15, 30}, {44, 30}, Rect(5, 6, 55, 35)};

void ExpectSameAsSkin(const TBitmap& dest, const TBitmap& pic, const TRect& skin) {
    ASSERT_EQ(dest.Width(), skin.Width());
    ASSERT_EQ(dest.Height(), skin.Height());
    for (int y = 0; y < skin.Height(); ++y)
        for (int x = 0; x < skin.Width(); ++x)
            ASSERT_EQ(At(dest, x, y), At(pic, skin.Left + x, skin.Top + y)) << x << "," << y;
}

} // namespace

TEST(SkinSlicing, OwnSizeReproducesTheSkinRectWhateverTheFlags) {
    const TBitmap pic = NoisePicture(80, 60, 1);
    for (int mask = 0; mask < 32; ++mask) {
        const TspStretchFlags f{bool(mask & 1), bool(mask & 2), bool(mask & 4), bool(mask & 8),
                                bool(mask & 16)};
        TBitmap dest;
        DrawFourCornerSliced(dest, &pic, kSkin, kPoints, kPoints, 60, 40, f, true);
        ExpectSameAsSkin(dest, pic, kSkin);
        DrawFourCornerSlicedTiledClient(dest, &pic, kSkin, kPoints, kPoints, 60, 40, f, true);
        ExpectSameAsSkin(dest, pic, kSkin);
    }
    // Stretched border strips with the client part laid in give the same picture (tiled
    // strips start their tiles at the strip's edge, so only a uniform edge comes out whole).
    TspBorderStrips strips;
    MakeBorderStrips(strips, &pic, kSkin, kPoints, kPoints, 60, 40,
                     TspStretchFlags{false, true, true, true, true});
    TBitmap whole(60, 40);
    whole.Canvas()->CopyRect(kPoints.ClientRect, pic, OffsetRect(kPoints.ClientRect, 10, 7));
    DrawBorderStrips(*whole.Canvas(), strips, 60, 40);
    ExpectSameAsSkin(whole, pic, kSkin);
    // Rows and columns of three, and a state image cut by its client rect.
    TBitmap row, column, client;
    DrawHorizontalSliced(row, &pic, kSkin, 12, 9, 60, false);
    ExpectSameAsSkin(row, pic, kSkin);
    DrawVerticalSliced(column, &pic, kSkin, 7, 5, 40, true);
    ExpectSameAsSkin(column, pic, kSkin);
    DrawClientRectSliced(client, &pic, kSkin, kPoints.ClientRect, 60, 40, true);
    ExpectSameAsSkin(client, pic, kSkin);
}

TEST(SkinSlicing, TilesAreCutAtTheEndOfTheirSpan) {
    std::vector<std::pair<int, int>> tiles;
    auto collect = [&](int pos, int len) { tiles.emplace_back(pos, len); };
    ForEachTile(3, 28, 10, collect);
    EXPECT_EQ(tiles, (std::vector<std::pair<int, int>>{{3, 10}, {13, 10}, {23, 5}}));
    tiles.clear();
    ForEachTile(0, 20, 10, collect); // an exact multiple ends with an empty tile
    EXPECT_EQ(tiles, (std::vector<std::pair<int, int>>{{0, 10}, {10, 10}, {20, 0}}));
    tiles.clear();
    EXPECT_FALSE(ForEachTile(0, 20, 0, collect));
    EXPECT_TRUE(tiles.empty());

    // A 10-pixel middle over 25 pixels: 10, 10 and the first 5 columns again; the right part
    // follows untouched.
    const TBitmap pic = NoisePicture(24, 3, 2);
    TBitmap dest;
    DrawHorizontalSliced(dest, &pic, Rect(0, 0, 24, 3), 6, 8, 6 + 25 + 8, false);
    ASSERT_EQ(dest.Width(), 39);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 25; ++x) EXPECT_EQ(At(dest, 6 + x, y), At(pic, 6 + x % 10, y));
        for (int x = 0; x < 8; ++x) EXPECT_EQ(At(dest, 31 + x, y), At(pic, 16 + x, y));
        for (int x = 0; x < 6; ++x) EXPECT_EQ(At(dest, x, y), At(pic, x, y));
    }
    // Stretched, the middle covers the span from its first to its last column.
    DrawHorizontalSliced(dest, &pic, Rect(0, 0, 24, 3), 6, 8, 6 + 20 + 8, true);
    EXPECT_EQ(At(dest, 6, 1), At(pic, 6, 1));
    EXPECT_EQ(At(dest, 7, 1), At(pic, 6, 1));
    EXPECT_EQ(At(dest, 25, 1), At(pic, 15, 1));
    // The variants: middle to the right edge, middle alone from x = 0.
    DrawLeftMiddleSliced(dest, &pic, Rect(0, 0, 24, 3), 6, 8, 30, false);
    EXPECT_EQ(At(dest, 29, 0), At(pic, 6 + 23 % 10, 0));
    DrawHorizontalMiddleSliced(dest, &pic, Rect(0, 0, 24, 3), 6, 8, 30, false);
    EXPECT_EQ(At(dest, 0, 0), At(pic, 6, 0));
    EXPECT_EQ(At(dest, 29, 2), At(pic, 6 + 29 % 10, 2));
}

TEST(SkinSlicing, FourCornerPiecesLandWhereTheNewPointsSay) {
    const TBitmap pic = NoisePicture(80, 60, 3);
    const int W = 157, H = 93;
    const TspSlicePoints n = ResizeSlicePoints(kPoints, 60, 40, W, H);
    EXPECT_EQ(n.LeftTop, kPoints.LeftTop);
    EXPECT_EQ(n.RightTop, Point(44 + 97, 10));
    EXPECT_EQ(n.LeftBottom, Point(15, 30 + 53));
    EXPECT_EQ(n.RightBottom, Point(44 + 97, 30 + 53));
    EXPECT_EQ(n.ClientRect, Rect(5, 6, 55 + 97, 35 + 53));
    TBitmap dest;
    DrawFourCornerSliced(dest, &pic, kSkin, kPoints, n, W, H, TspStretchFlags{}, true);
    ASSERT_EQ(dest.Width(), W);
    ASSERT_EQ(dest.Height(), H);
    auto src = [&](int x, int y) { return At(pic, 10 + x, 7 + y); };
    // Corners stay 1:1 at their new places.
    EXPECT_EQ(At(dest, 0, 0), src(0, 0));
    EXPECT_EQ(At(dest, W - 1, 0), src(59, 0));
    EXPECT_EQ(At(dest, W - 1, H - 1), src(59, 39));
    EXPECT_EQ(At(dest, 0, H - 1), src(0, 39));
    EXPECT_EQ(At(dest, 2, 7), src(2, 7));                     // left, under the top corner
    EXPECT_EQ(At(dest, W - 3, n.RightBottom.Y), src(57, 30)); // right, above the bottom one
    // Top edge: tiles of 29 columns from x = 15; the tile at 15 + 2 * 29 repeats the first.
    EXPECT_EQ(At(dest, 15 + 58 + 4, 3), src(15 + 4, 3));
    // Left edge: tiles of 20 rows from y = 10.
    EXPECT_EQ(At(dest, 1, 10 + 40 + 7), src(1, 10 + 7));
    // Bottom edge and right edge likewise.
    EXPECT_EQ(At(dest, 15 + 29 + 3, H - 2), src(15 + 3, 38));
    EXPECT_EQ(At(dest, W - 2, 10 + 20 + 11), src(58, 10 + 11));
    // The client part tiles from the new client rect's corner: 50 x 29 pieces.
    EXPECT_EQ(At(dest, 5 + 50 + 1, 6 + 29 + 2), src(5 + 1, 6 + 2));

    // Stretched edges span exactly new left-top x to new right-top x.
    TspStretchFlags top;
    top.TopStretch = true;
    DrawFourCornerSliced(dest, &pic, kSkin, kPoints, n, W, H, top, false);
    EXPECT_EQ(At(dest, 15, 2), src(15, 2));
    EXPECT_EQ(At(dest, n.RightTop.X - 1, 2), src(43, 2));
    // Without the client flag the client stays as the resize left it (white).
    TBitmap fresh;
    DrawFourCornerSliced(fresh, &pic, kSkin, kPoints, n, W, H, TspStretchFlags{}, false);
    EXPECT_EQ(At(fresh, 60, 40), 0xFFFFFFFFu);
}

TEST(SkinSlicing, NoRightVariantRunsTheTopAndBottomToTheFullWidth) {
    const TBitmap pic = NoisePicture(80, 60, 4);
    const int W = 100, H = 40;
    const TspSlicePoints n = ResizeSlicePoints(kPoints, 60, 40, W, H);
    TBitmap dest;
    DrawFourCornerSlicedNoRight(dest, &pic, kSkin, kPoints, n, W, H, TspStretchFlags{}, true);
    // The top edge keeps tiling where the right corner would be.
    const int x = W - 1;
    EXPECT_EQ(At(dest, x, 1), At(pic, 10 + 15 + (x - 15) % 29, 8));
    EXPECT_EQ(At(dest, x, H - 1), At(pic, 10 + 15 + (x - 15) % 29, 7 + 39));
}

TEST(SkinSlicing, BorderStripsHaveTheirSizesAndPieces) {
    const TBitmap pic = NoisePicture(150, 107, 5);
    const TspSlicePoints p{{40, 50}, {110, 50}, {40, 80}, {110, 80}, Rect(9, 34, 141, 97)};
    const TspSlicePoints n = ResizeSlicePoints(p, 150, 107, 821, 633);
    TspBorderStrips s;
    MakeBorderStrips(s, &pic, pic.BoundsRect(), p, n, 821, 633, TspStretchFlags{});
    EXPECT_EQ(s.Top.Width(), 821);
    EXPECT_EQ(s.Top.Height(), 34);
    EXPECT_EQ(s.Bottom.Width(), 821);
    EXPECT_EQ(s.Bottom.Height(), 10);
    EXPECT_EQ(s.Left.Width(), 9);
    EXPECT_EQ(s.Left.Height(), 589);
    EXPECT_EQ(s.Right.Width(), 9);
    EXPECT_EQ(s.Right.Height(), 589);
    // The top strip's middle is tiled from x = 0, then the corners are laid over it.
    EXPECT_EQ(At(s.Top, 45, 5), At(pic, 40 + 45 % 70, 5));
    EXPECT_EQ(At(s.Top, 10, 5), At(pic, 10, 5));
    EXPECT_EQ(At(s.Top, 820, 33), At(pic, 149, 33));
    // Side strips: the piece above left-top y at the top, the one below left-bottom y at
    // the bottom, the middle tiled from row 0 in between.
    EXPECT_EQ(At(s.Left, 3, 0), At(pic, 3, 34));
    EXPECT_EQ(At(s.Left, 3, 588), At(pic, 3, 96));
    EXPECT_EQ(At(s.Left, 3, 300), At(pic, 3, 50 + 300 % 30));
    // A strip whose middle has no length is not made.
    TspSlicePoints flat = p;
    flat.RightTop.X = flat.LeftTop.X;
    MakeBorderStrips(s, &pic, pic.BoundsRect(), flat, ResizeSlicePoints(flat, 150, 107, 300, 200),
                     300, 200, TspStretchFlags{});
    EXPECT_TRUE(s.Top.Empty());
    EXPECT_EQ(s.Left.Height(), 200 - 10); // the missing top strip leaves its rows to the sides
}

TEST(SkinSlicing, BadGeometryDrawsWhatItCanAndNeverReadsOutside) {
    const TBitmap pic = NoisePicture(80, 60, 6);
    TBitmap dest;
    // Zero-length tiled top edge: the edge is stretched from nothing, the corners still land.
    TspSlicePoints zero = kPoints;
    zero.RightTop.X = zero.LeftTop.X;
    DrawFourCornerSliced(dest, &pic, kSkin, zero, ResizeSlicePoints(zero, 60, 40, 200, 50), 200, 50,
                         TspStretchFlags{}, true);
    EXPECT_EQ(At(dest, 0, 0), At(pic, 10, 7));
    EXPECT_EQ(At(dest, 199, 49), At(pic, 69, 46));
    // Right-bottom on left-top: nothing is cut, the destination is blank at its size.
    TspSlicePoints same = kPoints;
    same.RightBottom = same.LeftTop;
    DrawFourCornerSliced(dest, &pic, kSkin, same, same, 30, 20, TspStretchFlags{}, true);
    EXPECT_EQ(dest.Width(), 30);
    EXPECT_EQ(At(dest, 7, 7), 0xFFFFFFFFu);
    // Empty and missing pictures.
    const TBitmap empty;
    DrawFourCornerSliced(dest, &empty, kSkin, kPoints, kPoints, 60, 40, TspStretchFlags{}, true);
    EXPECT_EQ(dest.Width(), 60);
    EXPECT_EQ(At(dest, 30, 20), 0xFFFFFFFFu);
    DrawFourCornerSliced(dest, nullptr, kSkin, kPoints, kPoints, 60, 40, TspStretchFlags{}, true);
    DrawHorizontalSliced(dest, nullptr, kSkin, 5, 5, 40, false);
    EXPECT_EQ(dest.Width(), 40);
    // Empty, 1 x 1, smaller-than-corners and absurd targets.
    for (TSize size : {TSize{0, 0}, TSize{-5, 10}, TSize{1, 1}, TSize{10, 10}, TSize{2, 300},
                       TSize{40000, 40000}}) {
        const TspSlicePoints n = ResizeSlicePoints(kPoints, 60, 40, size.cx, size.cy);
        DrawFourCornerSliced(dest, &pic, kSkin, kPoints, n, size.cx, size.cy, TspStretchFlags{},
                             true);
        const bool drawable = size.cx > 0 && size.cy > 0 && size.cx < 32768;
        EXPECT_EQ(dest.Width(), drawable ? size.cx : 0);
        TspBorderStrips s;
        MakeBorderStrips(s, &pic, kSkin, kPoints, n, size.cx, size.cy, TspStretchFlags{true});
    }
    // Points and a skin rect reaching far outside the picture.
    const TspSlicePoints wild{{15, 10}, {400, 10}, {15, 300}, {400, 300}, Rect(5, 6, 450, 350)};
    DrawFourCornerSliced(dest, &pic, Rect(50, 40, 600, 500), wild,
                         ResizeSlicePoints(wild, 550, 460, 700, 500), 700, 500, TspStretchFlags{},
                         true);
    EXPECT_EQ(At(dest, 0, 0), At(pic, 50, 40));
    EXPECT_EQ(At(dest, 699, 499), 0xFFFFFFFFu); // nothing there to copy
    // Vertical rows of three whose middle has no height draw an empty tile.
    DrawVerticalSliced(dest, &pic, Rect(0, 0, 10, 20), 10, 10, 50, false);
    EXPECT_EQ(dest.Height(), 50);
    EXPECT_EQ(At(dest, 3, 25), 0xFFFFFFFFu);
    EXPECT_EQ(At(dest, 3, 49), At(pic, 3, 19));
}

TEST(SkinSlicing, DestinationCanvasStateDoesNotLeakIntoTheCut) {
    // A caller that left an origin, a clip and a copy mode on the bitmap's canvas still
    // gets the whole picture.
    const TBitmap pic = NoisePicture(80, 60, 7);
    TBitmap dest(60, 40);
    dest.Canvas()->SetOrigin(13, 4);
    dest.Canvas()->SetClipRect(Rect(0, 0, 3, 3));
    dest.Canvas()->SetCopyMode(cmSrcInvert);
    DrawFourCornerSliced(dest, &pic, kSkin, kPoints, kPoints, 60, 40, TspStretchFlags{}, true);
    ExpectSameAsSkin(dest, pic, kSkin);
}

// The shadow's rim is softened in place, row by row: a rim pixel reads the already softened
// pixels above it.
#include "skinctrls/SkinShadowLabelEdges.h"

#include <gtest/gtest.h>

namespace {

TBitmap Blank(int w, int h, TColor fill) {
    TBitmap b(w, h);
    b.Fill(fill);
    return b;
}

unsigned Red(const TBitmap& b, int x, int y) {
    return b.ScanLine(y)[x] & 0xFFu;
}

} // namespace

TEST(ShadowEdges, ALaterRimPixelReadsTheSoftenedOneAboveIt) {
    TBitmap mask = Blank(4, 4, clWhite);
    mask.ScanLine(1)[1] = 0;
    mask.ScanLine(2)[2] = 0;
    TBitmap back = Blank(4, 4, clBlack);
    back.ScanLine(0)[0] = 40;
    back.ScanLine(0)[2] = 80;
    back.ScanLine(1)[1] = 200;
    SoftenShadowEdges(back, mask);
    // (1,1): (40 + 80 + 0 + 0) / 4. (2,2) then reads that 30, not the 200 it replaced.
    EXPECT_EQ(Red(back, 1, 1), 30u);
    EXPECT_EQ(Red(back, 2, 2), 7u);
    // Pixels under a white mask are left alone.
    EXPECT_EQ(Red(back, 0, 0), 40u);
    EXPECT_EQ(Red(back, 0, 2), 0u);
}

TEST(ShadowEdges, InnerPixelsAndSmallMasksAreLeftAlone) {
    // A 3 x 3 black block: only the centre has no white diagonal neighbour.
    TBitmap mask = Blank(5, 5, clWhite);
    for (int y = 1; y <= 3; ++y)
        for (int x = 1; x <= 3; ++x) mask.ScanLine(y)[x] = 0;
    TBitmap back = Blank(5, 5, RGB(100, 100, 100));
    back.ScanLine(2)[2] = 0x090909;
    SoftenShadowEdges(back, mask);
    EXPECT_EQ(back.ScanLine(2)[2] & 0xFFFFFFu, 0x090909u);
    // Channels are averaged apart: a corner of the block sees three greys and the centre.
    EXPECT_EQ(Red(back, 3, 3), (100u + 100u + 100u + 9u) / 4);

    TBitmap small = Blank(4, 5, clBlack);
    TBitmap same = Blank(5, 5, RGB(1, 2, 3));
    const TPixel before = same.ScanLine(0)[0];
    SoftenShadowEdges(same, small);
    EXPECT_EQ(same.ScanLine(0)[0], before);
}

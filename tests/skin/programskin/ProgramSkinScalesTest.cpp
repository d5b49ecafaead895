// The program's skin drawn at 2x and 3x: the same description and the same pictures in
// points, each picture the 1x geometry with one-device-pixel lines where the 1x picture has
// one-pixel lines, and the masks the 1x masks.
#include "data/ProgramSkin.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinDump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

namespace {

struct LoadedSkin {
    explicit LoadedSkin(int scale) : stored(nullptr), store(nullptr) {
        LoadProgramSkin(stored, scale);
        store.ApplyStoredSkin(&stored);
    }
    TspCompressedStoredSkin stored;
    TspSkinData store;
};

int Channel(TPixel p, int c) {
    return int((p >> (8 * c)) & 0xFFu);
}

// Largest channel difference between two pixels.
int Distance(TPixel a, TPixel b) {
    int d = 0;
    for (int c = 0; c < 3; ++c) d = std::max(d, std::abs(Channel(a, c) - Channel(b, c)));
    return d;
}

// The 1x pixel at a point.
TPixel At1x(const TBitmap& b, int x, int y) {
    return b.ScanLine(y)[x];
}

// The mean of the s x s device pixels of the point (x, y).
TPixel BlockMean(const TBitmap& b, int x, int y) {
    const int s = b.Scale();
    int sum[3] = {0, 0, 0};
    for (int j = 0; j < s; ++j)
        for (int i = 0; i < s; ++i)
            for (int c = 0; c < 3; ++c) sum[c] += Channel(b.ScanLine(y * s + j)[x * s + i], c);
    TPixel p = 0;
    for (int c = 0; c < 3; ++c) p |= TPixel((sum[c] + s * s / 2) / (s * s)) << (8 * c);
    return p;
}

// Where the 1x picture is flat (the point and its eight neighbours one colour within a step of
// a gradient), the scaled picture's block has that colour too. Counts the points compared.
::testing::AssertionResult FlatAreasAgree(const TBitmap& one, const TBitmap& scaled,
                                          int& compared) {
    compared = 0;
    for (int y = 1; y + 1 < one.Height(); ++y)
        for (int x = 1; x + 1 < one.Width(); ++x) {
            const TPixel centre = At1x(one, x, y);
            bool flat = true;
            for (int j = -1; j <= 1 && flat; ++j)
                for (int i = -1; i <= 1 && flat; ++i)
                    flat = Distance(At1x(one, x + i, y + j), centre) <= 2;
            if (!flat) continue;
            ++compared;
            const TPixel mean = BlockMean(scaled, x, y);
            if (Distance(mean, centre) > 3)
                return ::testing::AssertionFailure()
                       << "point (" << x << ", " << y << ") is " << std::hex << (centre & 0xFFFFFF)
                       << " at 1x and " << (mean & 0xFFFFFF) << " on average at " << scaled.Scale()
                       << "x";
        }
    return ::testing::AssertionSuccess();
}

// The one-pixel border of `r` in the 1x picture is one device pixel wide in the scaled one:
// at the middle of each side the outermost device pixel has the 1x border's colour and the
// one inside it the 1x colour one point in.
::testing::AssertionResult BorderIsOneDevicePixel(const TBitmap& one, const TBitmap& scaled,
                                                  const TRect& r) {
    const int s = scaled.Scale();
    const int mx = (r.Left + r.Right) / 2, my = (r.Top + r.Bottom) / 2;
    struct Side {
        const char* name;
        TPoint edge, inside;             // 1x points
        TPoint deviceEdge, deviceInside; // device pixels
    };
    const Side sides[] = {
        {"left", {r.Left, my}, {r.Left + 1, my}, {r.Left * s, my * s}, {r.Left * s + 1, my * s}},
        {"right",
         {r.Right - 1, my},
         {r.Right - 2, my},
         {r.Right * s - 1, my * s},
         {r.Right * s - 2, my * s}},
        {"top", {mx, r.Top}, {mx, r.Top + 1}, {mx * s, r.Top * s}, {mx * s, r.Top * s + 1}},
        {"bottom",
         {mx, r.Bottom - 1},
         {mx, r.Bottom - 2},
         {mx * s, r.Bottom * s - 1},
         {mx * s, r.Bottom * s - 2}},
    };
    for (const Side& side : sides) {
        const TPixel edge = At1x(one, side.edge.X, side.edge.Y);
        const TPixel inside = At1x(one, side.inside.X, side.inside.Y);
        if (Distance(edge, inside) < 16)
            return ::testing::AssertionFailure() << side.name << ": no border at 1x";
        const TPixel deviceEdge = scaled.ScanLine(side.deviceEdge.Y)[side.deviceEdge.X];
        const TPixel deviceInside = scaled.ScanLine(side.deviceInside.Y)[side.deviceInside.X];
        if (Distance(deviceEdge, edge) > 2 || Distance(deviceInside, inside) > 2)
            return ::testing::AssertionFailure()
                   << side.name << " of " << r.Left << "," << r.Top << "," << r.Right << ","
                   << r.Bottom << ": " << std::hex << (deviceEdge & 0xFFFFFF) << " then "
                   << (deviceInside & 0xFFFFFF) << " where 1x has " << (edge & 0xFFFFFF) << " then "
                   << (inside & 0xFFFFFF);
    }
    return ::testing::AssertionSuccess();
}

class ProgramSkinScales : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() { one = new LoadedSkin(1); }
    static void TearDownTestSuite() {
        delete one;
        one = nullptr;
    }
    void SetUp() override { scaled = std::make_unique<LoadedSkin>(GetParam()); }

    // Indexes of the active pictures that are masks.
    static std::set<int> MaskIndexes(const TspSkinData& store) {
        return {store.PopupWindow().maskpictureindex, store.HintWindow().maskpictureindex};
    }

    static LoadedSkin* one;
    std::unique_ptr<LoadedSkin> scaled;
};
LoadedSkin* ProgramSkinScales::one = nullptr;

TEST_P(ProgramSkinScales, EachScaleIsItsOwnStreamWithTheSameDescription) {
    const int s = GetParam();
    ASSERT_FALSE(scaled->store.SkinEmpty());
    EXPECT_EQ(scaled->stored.PictureScale(), s);
    // Its own data, larger for more pixels, not the 1x data again.
    EXPECT_GT(ProgramSkinSize(s), ProgramSkinSize(1));
    EXPECT_EQ(ProgramSkinData(s)[0], 0x78);
    // Same records, same rectangles, same picture sizes in points.
    EXPECT_EQ(DumpSkinData(scaled->store), DumpSkinData(one->store));
    // Scales outside 1..3 are kept to them.
    EXPECT_EQ(ProgramSkinData(0), ProgramSkinData(1));
    EXPECT_EQ(ProgramSkinData(7), ProgramSkinData(3));
}

TEST_P(ProgramSkinScales, PicturesCarryTheScaleAndMasksStayInPoints) {
    const int s = GetParam();
    TspSkinData& a = one->store;
    TspSkinData& b = scaled->store;
    for (TspSkinPictureSlot slot : {spsPicture, spsInactivePicture}) {
        EXPECT_EQ(b.FixedPicture(slot)->Scale(), s) << SkinPictureSlotKey(slot);
        EXPECT_EQ(b.FixedPicture(slot)->Width(), a.FixedPicture(slot)->Width());
    }
    const TBitmap* mask1 = a.FixedPicture(spsMask);
    const TBitmap* mask = b.FixedPicture(spsMask);
    ASSERT_EQ(mask->Scale(), 1);
    ASSERT_EQ(mask->Width(), mask1->Width());
    for (int y = 0; y < mask->Height(); ++y)
        for (int x = 0; x < mask->Width(); ++x)
            ASSERT_EQ(mask->PixelColor(x, y), mask1->PixelColor(x, y)) << x << "," << y;
    const std::set<int> masks = MaskIndexes(b);
    ASSERT_EQ(b.ActivePictureCount(), a.ActivePictureCount());
    for (int i = 0; i < b.ActivePictureCount(); ++i) {
        const TBitmap* p = b.ActivePicture(i);
        EXPECT_EQ(p->Scale(), masks.count(i) ? 1 : s) << "active picture " << i;
        EXPECT_EQ(p->Width(), a.ActivePicture(i)->Width()) << i;
        EXPECT_EQ(p->Height(), a.ActivePicture(i)->Height()) << i;
    }
}

TEST_P(ProgramSkinScales, EveryPictureIsThe1xGeometryOnFlatAreas) {
    TspSkinData& a = one->store;
    TspSkinData& b = scaled->store;
    int compared = 0;
    EXPECT_TRUE(FlatAreasAgree(*a.FixedPicture(spsPicture), *b.FixedPicture(spsPicture), compared));
    EXPECT_GT(compared, 5000);
    EXPECT_TRUE(FlatAreasAgree(*a.FixedPicture(spsInactivePicture),
                               *b.FixedPicture(spsInactivePicture), compared));
    const std::set<int> masks = MaskIndexes(b);
    for (int i = 0; i < b.ActivePictureCount(); ++i) {
        if (masks.count(i)) continue;
        EXPECT_TRUE(FlatAreasAgree(*a.ActivePicture(i), *b.ActivePicture(i), compared))
            << "active picture " << i;
        EXPECT_GT(compared, 100) << "active picture " << i;
    }
}

TEST_P(ProgramSkinScales, OnePixelLinesAreOneDevicePixel) {
    const int s = GetParam();
    TspSkinData& a = one->store;
    TspSkinData& b = scaled->store;
    const TBitmap& atlas1 = *a.ActivePicture(0);
    const TBitmap& atlas = *b.ActivePicture(0);
    // The tab page's frame and the panel's outline, where the records say they are.
    for (const char* name : {"tab", "panel"}) {
        const TspDataSkinControl* record = b.ControlRecord(b.FindControlRecord(name));
        ASSERT_NE(record, nullptr) << name;
        EXPECT_TRUE(BorderIsOneDevicePixel(atlas1, atlas, record->skinrect)) << name;
    }
    // The frame: the accent line above the client area and the groove beside it hug the
    // client, one device pixel wide, with the chrome's colour beyond them.
    const TBitmap& frame1 = *a.SkinPicture();
    const TBitmap& frame = *b.SkinPicture();
    const TRect client = b.FormInfo().clientrect;
    const int mx = (client.Left + client.Right) / 2, my = (client.Top + client.Bottom) / 2;
    const TPixel accent = frame1.ScanLine(client.Top - 1)[mx];
    EXPECT_EQ(frame.ScanLine(client.Top * s - 1)[mx * s], accent);
    EXPECT_NE(frame.ScanLine(client.Top * s - 2)[mx * s], accent);
    EXPECT_EQ(frame.ScanLine(client.Top * s)[mx * s], frame1.ScanLine(client.Top)[mx]);
    const TPixel groove = frame1.ScanLine(my)[client.Left - 1];
    EXPECT_EQ(frame.ScanLine(my * s)[client.Left * s - 1], groove);
    EXPECT_NE(frame.ScanLine(my * s)[client.Left * s - 2], groove);
    EXPECT_EQ(frame.ScanLine(my * s)[client.Right * s], frame1.ScanLine(my)[client.Right]);
    EXPECT_NE(frame.ScanLine(my * s)[client.Right * s + 1], groove);
    // The window's outline at the middle of its left side.
    EXPECT_EQ(frame.ScanLine(my * s)[0], frame1.ScanLine(my)[0]);
    EXPECT_NE(frame.ScanLine(my * s)[1], frame1.ScanLine(my)[0]);
}

// The pieces the engine tiles repeat seamlessly: a slice of the frame's side or a panel's
// middle is the same on every device row it spans.
TEST_P(ProgramSkinScales, TiledStripsHaveNoSeams) {
    const int s = GetParam();
    TspSkinData& b = scaled->store;
    const TBitmap& frame = *b.SkinPicture();
    const TspSkinFormInfo& f = b.FormInfo();
    // The side strips between the slicing points are tiled downwards.
    for (int y = f.lefttoppoint.Y * s; y < f.leftbottompoint.Y * s; ++y)
        for (int x = 0; x < f.clientrect.Left * s; ++x)
            ASSERT_EQ(frame.ScanLine(y)[x], frame.ScanLine(f.lefttoppoint.Y * s)[x])
                << x << "," << y;
    // The top and bottom strips between the slicing points are tiled across.
    for (int y = 0; y < f.clientrect.Top * s; ++y)
        for (int x = f.lefttoppoint.X * s; x < f.righttoppoint.X * s; ++x)
            ASSERT_EQ(frame.ScanLine(y)[x], frame.ScanLine(y)[f.lefttoppoint.X * s])
                << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Dense, ProgramSkinScales, ::testing::Values(2, 3));

} // namespace

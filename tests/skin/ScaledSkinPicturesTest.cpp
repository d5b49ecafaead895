// A stored skin whose pictures are drawn at a device scale: the store takes them as scaled
// bitmaps of the 1x size in points, the masks as they are, and the slicing copies their
// device pixels. Skins from files stay 1x.
#include "SkinTestSupport.h"
#include "gfx/Canvas.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinSlicing.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace skintest;

namespace {

TBitmap Noise(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.ScanLine(y)[x] = 0xFF000000u | (rng() & 0xFFFFFFu);
    return b;
}

// The description names one popup window and its mask among the active pictures.
std::string DescriptionWithPopup() {
    return MinimalDescription() + "[POPUPWINDOW]\r\nwindowpictureindex=1\r\nmaskpictureindex=2\r\n";
}

// A version 3 container: frame (device pixels), no inactive frame, the 1x mask, and the
// active pictures.
std::vector<std::uint8_t> Container(const TBitmap& frame, const TBitmap& mask,
                                    const std::vector<TBitmap>& active) {
    ContainerBytes c;
    c.Int32(3).Byte(0).Picture(frame).Byte(1).Byte(0).Picture(mask);
    c.Int32(std::int32_t(active.size()));
    for (const TBitmap& b : active) c.Picture(b);
    c.Text(DescriptionWithPopup());
    return c.Packed();
}

struct Loaded {
    Loaded(const std::vector<std::uint8_t>& packed, int scale) {
        stored.reset(StoredSkinWith(nullptr, packed));
        stored->SetPictureScale(scale);
        store.ApplyStoredSkin(stored.get());
    }
    std::unique_ptr<TspCompressedStoredSkin> stored;
    TspSkinData store{nullptr};
};

TEST(ScaledSkinPictures, TheStoreTakesPicturesAtTheStoredScaleAndMasksAsTheyAre) {
    EnsureApplication();
    const TBitmap frame = Noise(300, 214, 1);
    const TBitmap mask = SolidBitmap(150, 107, clBlack, pf1bit);
    const TBitmap controls = Noise(200, 120, 2), popup = Noise(80, 80, 3);
    const TBitmap popupMask = SolidBitmap(40, 40, clBlack, pf1bit);
    const TBitmap odd = Noise(41, 17, 4); // no whole number of points at 2x
    Loaded two(Container(frame, mask, {controls, popup, popupMask, odd}), 2);
    TspSkinData& s = two.store;
    ASSERT_FALSE(s.SkinEmpty());
    EXPECT_EQ(s.SkinPicture()->Scale(), 2);
    EXPECT_EQ(s.SkinPicture()->Width(), 150);
    EXPECT_EQ(s.SkinPicture()->Height(), 107);
    // The stored pixels are the picture's device pixels, untouched.
    for (int y : {0, 1, 77, 213})
        for (int x : {0, 1, 150, 299})
            ASSERT_EQ(s.SkinPicture()->ScanLine(y)[x] | 0xFF000000u,
                      frame.ScanLine(y)[x] | 0xFF000000u)
                << x << "," << y;
    EXPECT_EQ(s.SkinMask()->Scale(), 1);
    EXPECT_EQ(s.SkinMask()->Width(), 150);
    EXPECT_EQ(s.ActivePicture(0)->Scale(), 2);
    EXPECT_EQ(s.ActivePicture(0)->Width(), 100);
    EXPECT_EQ(s.ActivePicture(1)->Scale(), 2);
    EXPECT_EQ(s.ActivePicture(2)->Scale(), 1) << "the popup's mask is a shape in points";
    EXPECT_EQ(s.ActivePicture(2)->Width(), 40);
    EXPECT_EQ(s.ActivePicture(3)->Scale(), 1) << "a picture the scale does not divide stays 1x";
    EXPECT_EQ(s.ActivePicture(3)->Width(), 41);

    // The same data told nothing of a scale is read as 1x pictures.
    Loaded plain(Container(frame, mask, {controls, popup, popupMask, odd}), 1);
    EXPECT_EQ(plain.store.SkinPicture()->Scale(), 1);
    EXPECT_EQ(plain.store.SkinPicture()->Width(), 300);
}

TEST(ScaledSkinPictures, AStoredSkinForgetsItsScaleWhenItTakesOtherData) {
    TspCompressedStoredSkin stored(nullptr);
    stored.SetPictureScale(9);
    EXPECT_EQ(stored.PictureScale(), 3);
    stored.SetPictureScale(0);
    EXPECT_EQ(stored.PictureScale(), 1);
    // Data loaded afresh, read from a stream or a file is a 1x skin's until told otherwise.
    const std::vector<std::uint8_t> packed =
        Container(Noise(4, 4, 5), SolidBitmap(4, 4, clBlack, pf1bit), {});
    stored.SetPictureScale(2);
    stored.LoadData(packed.data(), packed.size());
    EXPECT_EQ(stored.PictureScale(), 1);
    stored.SetPictureScale(2);
    TMemoryStream stream;
    stream.WriteBuffer(packed.data(), int64_t(packed.size()));
    stream.SetPosition(0);
    stored.ReadData(stream);
    EXPECT_EQ(stored.PictureScale(), 1);
    TempFolder dir;
    stored.WriteCompressedSkinFile(dir.Path("skin.brelvan"));
    stored.SetPictureScale(2);
    stored.ReadCompressedSkinFile(dir.Path("skin.brelvan"));
    EXPECT_FALSE(stored.IsStoreEmpty());
    EXPECT_EQ(stored.PictureScale(), 1);
}

// Slices of a scaled picture are made at its scale: the fixed ends are its device pixels, the
// middle repeats its device columns; a 1x mask's strips stay 1x.
TEST(ScaledSkinPictures, SlicesOfAScaledPictureKeepItsDevicePixels) {
    TBitmap picture;
    picture.SetScale(2);
    picture.SetSize(30, 10);
    const TBitmap noise = Noise(60, 20, 6);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) picture.ScanLine(y)[x] = noise.ScanLine(y)[x];
    const TRect skin = Rect(0, 0, 30, 10);
    TBitmap row;
    DrawHorizontalSliced(row, &picture, skin, 5, 5, 47, false); // middle 20 points, tiled
    ASSERT_EQ(row.Scale(), 2);
    ASSERT_EQ(row.Width(), 47);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 10; ++x) { // the left end
            ASSERT_EQ(row.ScanLine(y)[x] | 0xFF000000u, noise.ScanLine(y)[x] | 0xFF000000u);
        }
        for (int x = 0; x < 10; ++x) { // the right end
            ASSERT_EQ(row.ScanLine(y)[84 + x] | 0xFF000000u,
                      noise.ScanLine(y)[50 + x] | 0xFF000000u);
        }
        for (int x = 10; x < 84; ++x) { // the middle, tile after tile of 40 device columns
            ASSERT_EQ(row.ScanLine(y)[x] | 0xFF000000u,
                      noise.ScanLine(y)[10 + (x - 10) % 40] | 0xFF000000u)
                << x << "," << y;
        }
    }
    // Drawn onto a canvas of its scale the slice arrives pixel for pixel.
    TBitmap target;
    target.SetScale(2);
    target.SetSize(60, 20);
    target.Canvas()->Draw(3, 2, row);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 94; ++x)
            ASSERT_EQ(target.ScanLine(4 + y)[6 + x], row.ScanLine(y)[x] | 0xFF000000u);

    // The mask's strips are made at the mask's scale, 1.
    const TBitmap mask = SolidBitmap(30, 10, clBlack, pf1bit);
    const TspSlicePoints points{{5, 3}, {25, 3}, {5, 7}, {25, 7}, Rect(2, 2, 28, 8)};
    TspBorderStrips strips;
    MakeMaskBorderStrips(strips, mask, points, points, 40, 20);
    EXPECT_EQ(strips.Top.Scale(), 1);
    EXPECT_EQ(strips.Left.Scale(), 1);
}

} // namespace

// What a stored skin's pictures may claim: run-length pictures no more than their data
// paints, and all pictures of one skin together no more than the skin's pixel budget.
#include "SkinTestSupport.h"

#include "gfx/GraphicsError.h"
#include "rtl/Exceptions.h"
#include "skin/SkinData.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

// An 8-bit run-length BMP of the given claimed size holding `data` as its pixel stream.
std::vector<std::uint8_t> RleBmp(int width, int height, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> v(14 + 40 + 8, 0);
    auto put32 = [&v](std::size_t at, std::uint32_t x) {
        for (int i = 0; i < 4; ++i) v[at + i] = std::uint8_t(x >> (8 * i));
    };
    v[0] = 'B';
    v[1] = 'M';
    put32(10, 14 + 40 + 8);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    v[26] = 1;
    v[28] = 8;
    put32(30, 1); // RLE8
    put32(46, 2);
    put32(54 + 4, 0x00FFFFFF);
    v.insert(v.end(), data.begin(), data.end());
    put32(2, std::uint32_t(v.size()));
    return v;
}

TEST(SkinContainerBudget, TinyPicturesClaimingHugeSizesAreRefusedUpFront) {
    // Twelve pictures of 8192 x 8192 in a few bytes each, as a stored skin.
    ContainerBytes c;
    c.Int32(3).Byte(1).Byte(1).Byte(1).Int32(12);
    for (int i = 0; i < 12; ++i) c.Raw(RleBmp(8192, 8192, {0, 1}));
    const std::vector<std::uint8_t> packed = c.Packed();
    EXPECT_LT(packed.size(), 100u);
    std::unique_ptr<TspCompressedStoredSkin> stored(StoredSkinWith(nullptr, packed));
    TspSkinData store(nullptr);
    EXPECT_THROW(store.ApplyStoredSkin(stored.get()), EInvalidGraphic);
    EXPECT_TRUE(store.SkinEmpty());
    EXPECT_EQ(store.ActivePictureCount(), 0);
}

TEST(SkinContainerBudget, AllPicturesTogetherStayWithinTheBudget) {
    ContainerBytes c;
    for (int i = 0; i < 3; ++i) c.Picture(SolidBitmap(20, 20, clRed));
    const std::vector<std::uint8_t> bytes = c.Bytes();
    TspSkinContainerReader reader(bytes.data(), bytes.size(), 1000);
    TBitmap first, second, third;
    reader.ReadBitmap(first);
    reader.ReadBitmap(second);
    try {
        reader.ReadBitmap(third);
        ADD_FAILURE() << "the third picture went past the budget";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("past 1000 pixels"), std::string::npos) << e.Message();
    }
    EXPECT_TRUE(third.Empty());
    EXPECT_EQ(second.Width(), 20);
    // The real budget leaves room for any real skin.
    TspSkinContainerReader generous(bytes.data(), bytes.size());
    for (int i = 0; i < 3; ++i) generous.ReadBitmap(third);
    EXPECT_GE(MaxSkinPixels, 32LL * 1920 * 1080);
}

} // namespace

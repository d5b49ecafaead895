// The store: reading containers of every version, loading skin folders, lookups, the
// frame corrections and what a failed load leaves behind.
#include "SkinTestSupport.h"

#include "gfx/GraphicsError.h"
#include "skin/SkinData.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

class SkinStore : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    void TearDown() override { Application->Reset(); }

    // A store loaded from a container.
    void Apply(TspSkinData& store, const std::vector<std::uint8_t>& packed) {
        std::unique_ptr<TspCompressedStoredSkin> stored(StoredSkinWith(nullptr, packed));
        store.ApplyStoredSkin(stored.get());
    }
};

// Each fixed picture gets a width of its own, so the slot it lands in shows.
int SlotWidth(TspSkinPictureSlot slot) {
    return 10 + int(slot);
}

std::vector<std::uint8_t> VersionContainer(int version) {
    ContainerBytes c;
    c.Int32(version);
    for (TspSkinPictureSlot slot : SkinContainerSlots(version))
        c.Byte(0).Picture(SolidBitmap(SlotWidth(slot), 3, clRed));
    c.Int32(1).Picture(SolidBitmap(5, 5, clBlue)).Text(MinimalDescription());
    return c.Packed();
}

TEST_F(SkinStore, EachVersionFillsItsOwnPictureSlots) {
    struct Case {
        int version;
        std::vector<TspSkinPictureSlot> present;
    };
    const Case cases[] = {
        {-3, {spsPicture, spsMask}},
        {0, {spsPicture, spsMask}},
        {1, {spsPicture, spsMask, spsRollUpPicture, spsRollUpMask}},
        {2, {spsPicture, spsInactivePicture, spsMask, spsRollUpPicture, spsRollUpMask}},
        {3, {spsPicture, spsInactivePicture, spsMask}},
    };
    for (const Case& c : cases) {
        TspSkinData store(nullptr);
        Apply(store, VersionContainer(c.version));
        ASSERT_FALSE(store.SkinEmpty()) << c.version;
        EXPECT_EQ(store.ContainerVersion(), c.version);
        for (int s = 0; s < spsCount; ++s) {
            auto slot = TspSkinPictureSlot(s);
            bool present = std::find(c.present.begin(), c.present.end(), slot) != c.present.end();
            EXPECT_EQ(store.FixedPicture(slot)->Width(), present ? SlotWidth(slot) : 0)
                << "version " << c.version << " slot " << s;
        }
        ASSERT_EQ(store.ActivePictureCount(), 1);
        EXPECT_EQ(store.ActivePicture(0)->Width(), 5);
        EXPECT_EQ(store.FindControlRecord("button"), 0) << "the text after the pictures is read";
    }
}

TEST_F(SkinStore, AVersionAbove3LeavesTheStoreClearedAndLoading) {
    TspSkinData store(nullptr);
    Apply(store, VersionContainer(3));
    ASSERT_FALSE(store.SkinEmpty());
    Apply(store, VersionContainer(4));
    EXPECT_TRUE(store.SkinEmpty());
    EXPECT_TRUE(store.SkinLoading());
    EXPECT_TRUE(store.SkinPicture()->Empty());
    EXPECT_EQ(store.ControlRecordCount(), 0);
}

TEST_F(SkinStore, AnyNonZeroFlagByteMeansAnEmptyPicture) {
    ContainerBytes c;
    c.Int32(3).Byte(0).Picture(SolidBitmap(12, 4, clRed)).Byte(7).Byte(255);
    c.Int32(0).Text(MinimalDescription());
    TspSkinData store(nullptr);
    Apply(store, c.Packed());
    ASSERT_FALSE(store.SkinEmpty());
    EXPECT_EQ(store.SkinPicture()->Width(), 12);
    EXPECT_TRUE(store.InactiveSkinPicture()->Empty());
    EXPECT_TRUE(store.SkinMask()->Empty());
    EXPECT_EQ(store.ActivePictureCount(), 0);
}

TEST_F(SkinStore, NoActivePicturesGoesStraightToTheText) {
    ContainerBytes c;
    c.Int32(0).Byte(1).Byte(1).Int32(0).Text(MinimalDescription());
    TspSkinData store(nullptr);
    Apply(store, c.Packed());
    EXPECT_EQ(store.SkinName(), "Test");
    EXPECT_EQ(store.FindObjectRecord("caption"), 0);
    EXPECT_EQ(store.ActivePicture(0), nullptr) << "an index beyond the list is no picture";
    EXPECT_EQ(store.ActivePicture(-1), nullptr);
}

TEST_F(SkinStore, PicturesKeepTheirBitDepth) {
    ContainerBytes c;
    c.Int32(3).Byte(0).Picture(SolidBitmap(8, 8, clRed)).Byte(1);
    c.Byte(0).Picture(SolidBitmap(8, 8, clBlack, pf1bit));
    c.Int32(1).Picture(SolidBitmap(4, 4, clYellow, pf8bit)).Text(MinimalDescription());
    TspSkinData store(nullptr);
    Apply(store, c.Packed());
    EXPECT_EQ(store.SkinPicture()->PixelFormat(), pf24bit);
    EXPECT_EQ(store.SkinMask()->PixelFormat(), pf1bit);
    EXPECT_EQ(store.ActivePicture(0)->PixelFormat(), pf8bit);
    EXPECT_EQ(store.SkinMask()->PixelColor(3, 3), clBlack);
}

TEST_F(SkinStore, BrokenContainersRaiseAndLeaveNoHalfSkin) {
    std::vector<std::uint8_t> good = ContainerBytes()
                                         .Int32(0)
                                         .Byte(0)
                                         .Picture(SolidBitmap(40, 40, clRed))
                                         .Byte(1)
                                         .Int32(0)
                                         .Text(MinimalDescription())
                                         .Bytes();
    // Cut inside the first picture.
    std::vector<std::uint8_t> truncated(good.begin(), good.begin() + 200);
    // A picture whose size field claims far more than there is.
    std::vector<std::uint8_t> oversized = good;
    oversized[7] = 0xFF;
    oversized[8] = 0xFF;
    // An active picture count of two billion.
    std::vector<std::uint8_t> manyPictures =
        ContainerBytes().Int32(0).Byte(1).Byte(1).Int32(2000000000).Text("[x]\r\n").Bytes();
    for (const auto& raw : {truncated, oversized, manyPictures}) {
        TspSkinData store(nullptr);
        Apply(store, VersionContainer(2));
        ASSERT_FALSE(store.SkinEmpty());
        EXPECT_THROW(Apply(store, ContainerBytes::Deflate(raw)), EReadError);
        EXPECT_TRUE(store.SkinEmpty());
        EXPECT_FALSE(store.SkinLoading());
        EXPECT_EQ(store.ActivePictureCount(), 0);
        EXPECT_TRUE(store.SkinPicture()->Empty());
    }
}

TEST_F(SkinStore, ABadZlibStreamRaisesTheDecompressionError) {
    TspSkinData store(nullptr);
    std::vector<std::uint8_t> junk = {0x78, 0xDA, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    try {
        Apply(store, junk);
        FAIL();
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), "compression error");
    }
    EXPECT_TRUE(store.SkinEmpty());
}

TEST_F(SkinStore, EmptyStoredDataKeepsThePreviousSkin) {
    TspSkinData store(nullptr);
    Apply(store, VersionContainer(3));
    TspCompressedStoredSkin empty(nullptr);
    EXPECT_TRUE(empty.IsStoreEmpty());
    store.ApplyStoredSkin(&empty);
    EXPECT_FALSE(store.SkinEmpty());
    EXPECT_EQ(store.ControlRecordCount(), 2);
}

TEST_F(SkinStore, LookupsTakeTheFirstExactName) {
    std::string text = "[SKINCONTROLS]\r\ncount=6\r\n0=button:button\r\n1=nocolon\r\n"
                       "2=odd:Button\r\n3=button:edit\r\n4=:label\r\n5=panel:panel\r\n"
                       "[SKINAREAS]\r\ncount=2\r\n0=left:-1,2,30,40\r\n1=bare\r\n";
    TspSkinData store(nullptr);
    Apply(store, ContainerBytes().Int32(0).Byte(1).Byte(1).Int32(0).Text(text).Packed());
    // "nocolon" and the unknown type "Button" make nothing; the entries after them count.
    ASSERT_EQ(store.ControlRecordCount(), 4);
    EXPECT_EQ(store.FindControlRecord("button"), 0);
    EXPECT_STREQ(store.ControlRecord(0)->ClassName(), "TspDataSkinButtonControl");
    EXPECT_STREQ(store.ControlRecord(1)->ClassName(), "TspDataSkinEditControl");
    EXPECT_EQ(store.FindControlRecord("Button"), -1);
    EXPECT_EQ(store.FindControlRecord("odd"), -1);
    EXPECT_EQ(store.FindControlRecord(""), 2) << "an empty name before the colon is a name";
    EXPECT_EQ(store.FindControlRecord("panel"), 3);
    EXPECT_EQ(store.ControlRecord(4), nullptr);
    ASSERT_EQ(store.AreaCount(), 2);
    EXPECT_EQ(store.FindAreaRecord("left"), 0);
    EXPECT_EQ(store.Area(0)->AreaRect, Rect(1, 2, 30, 40));
    EXPECT_EQ(store.Area(1)->IDName, "");
    EXPECT_EQ(store.FindObjectRecord("caption"), -1);
}

TEST_F(SkinStore, FormInfoIsCorrectedOnlyWhereItMust) {
    auto load = [&](const std::string& forminfo, bool mask) {
        auto store = std::make_unique<TspSkinData>(nullptr);
        std::string text = "[PICTURES]\r\n" + std::string(mask ? "mask=m.bmp\r\n" : "") +
                           "[FORMINFO]\r\n" + forminfo;
        Apply(*store, ContainerBytes().Int32(0).Byte(1).Byte(1).Int32(0).Text(text).Packed());
        return store;
    };
    const std::string cl = "clientrect=10,30,90,70\r\n";
    // An empty mask area becomes the client rect; unset hit-test points take the slicing
    // points; the slicing points are pulled into the client rect.
    auto a = load(cl + "lefttoppoint=5,20\r\nrighttoppoint=95,20\r\nleftbottompoint=5,80\r\n"
                       "rightbottompoint=95,80\r\nhittestrighttoppoint=0,7\r\n",
                  true);
    const TspSkinFormInfo& fa = a->FormInfo();
    EXPECT_EQ(fa.maskrectarea, Rect(10, 30, 90, 70));
    EXPECT_EQ(fa.hittestlefttoppoint, Point(5, 20)) << "taken before the points are pulled in";
    EXPECT_EQ(fa.hittestrighttoppoint, Point(95, 20));
    EXPECT_EQ(fa.lefttoppoint, Point(10, 30));
    EXPECT_EQ(fa.righttoppoint, Point(90, 30));
    EXPECT_EQ(fa.leftbottompoint, Point(10, 70));
    EXPECT_EQ(fa.rightbottompoint, Point(90, 70));

    // A mask area is widened to hold the client rect; without a mask name it stays.
    auto b = load(cl + "maskrectarea=20,5,80,95\r\n", true);
    EXPECT_EQ(b->FormInfo().maskrectarea, Rect(10, 5, 90, 95));
    auto c = load(cl + "maskrectarea=20,5,80,95\r\n", false);
    EXPECT_EQ(c->FormInfo().maskrectarea, Rect(20, 5, 80, 95));
    EXPECT_EQ(c->FormInfo().hittestlefttoppoint, Point(0, 0));

    // Right-bottom x equal to left-top x switches the pulling off.
    auto d =
        load(cl + "lefttoppoint=5,20\r\nrightbottompoint=5,80\r\nrighttoppoint=95,1\r\n", false);
    EXPECT_EQ(d->FormInfo().lefttoppoint, Point(5, 20));
    EXPECT_EQ(d->FormInfo().righttoppoint, Point(95, 1));
}

TEST_F(SkinStore, FormInfoDefaultsAndTheInactiveEffect) {
    auto load = [&](const std::string& extra) {
        auto store = std::make_unique<TspSkinData>(nullptr);
        Apply(*store, ContainerBytes()
                          .Int32(0)
                          .Byte(1)
                          .Byte(1)
                          .Int32(0)
                          .Text("[FORMINFO]\r\n" + extra)
                          .Packed());
        return store;
    };
    auto a = load("");
    EXPECT_EQ(a->FormInfo().bgpictureindex, -1);
    EXPECT_EQ(a->FormInfo().cursorindex, -1);
    EXPECT_EQ(a->FormInfo().inactiveeffect, ieBrightness);
    EXPECT_EQ(load("inactiveeffect=iedarkness\r\n")->FormInfo().inactiveeffect, ieDarkness);
    EXPECT_EQ(load("inactiveeffect=blur\r\n")->FormInfo().inactiveeffect, ieGrayscale);
    EXPECT_EQ(load("buttonsoffset=$3\r\n")->FormInfo().buttonsoffset, 3);
}

TEST_F(SkinStore, ColoursAreSystemColoursUntilASkinSetsThem) {
    TspSkinData store(nullptr);
    EXPECT_EQ(store.SkinColors().cbtnface, clBtnFace);
    EXPECT_EQ(store.SkinColors().c3ddkshadow, cl3DDkShadow);
    Apply(store, VersionContainer(3));
    EXPECT_EQ(store.SkinColors().cbtnface, 15790320u);
    EXPECT_EQ(store.SkinColors().c3dlight, 0u) << "absent colours are black";
    EXPECT_EQ(store.SkinColors().cbtnhighlight, 0u);
    store.ClearSkin();
    EXPECT_TRUE(store.SkinEmpty());
    EXPECT_EQ(store.SkinColors().cbtnface, clBtnFace);
    EXPECT_EQ(store.SkinColors().chighlighttext, clHighlightText);
    EXPECT_EQ(store.ControlRecordCount(), 0);
    EXPECT_EQ(store.ActivePictureCount(), 0);
    EXPECT_TRUE(store.SkinMaskName().empty());
}

TEST_F(SkinStore, ForgettingTheStoredSkinKeepsTheLoadedSkin) {
    TspSkinData store(nullptr);
    std::vector<std::uint8_t> packed = VersionContainer(3);
    auto* stored = StoredSkinWith(nullptr, packed);
    store.SetCompressedStoredSkin(stored);
    EXPECT_FALSE(store.SkinEmpty()) << "setting the reference applies the skin";
    EXPECT_EQ(store.CompressedStoredSkin(), stored);
    delete stored;
    EXPECT_EQ(store.CompressedStoredSkin(), nullptr);
    EXPECT_FALSE(store.SkinEmpty());
    EXPECT_EQ(store.FindControlRecord("edit"), 1);
}

TEST_F(SkinStore, SkinFoldersLoadBmpAndJpegPictures) {
    TempFolder dir;
    dir.WriteBytes("frame.bmp", SolidBitmap(150, 107, clNavy).SaveToBmpBytes());
    dir.WriteBytes("mask.bmp", SolidBitmap(150, 107, clBlack, pf1bit).SaveToBmpBytes());
    dir.WriteBytes("back.jpg", EncodeTestJpeg(32, 24));
    dir.WriteBytes("controls.bmp", SolidBitmap(20, 10, clRed).SaveToBmpBytes());
    std::string ini = MinimalDescription();
    ini.replace(ini.find("activepicturescount=1\r\n0=controls.bmp"),
                std::string("activepicturescount=1\r\n0=controls.bmp").size(),
                "activepicturescount=2\r\n0=controls.bmp\r\n1=back.jpg");
    dir.Write("skin.ini", ini);
    TspSkinData store(nullptr);
    store.ApplySkinFile(dir.Path("skin.ini"));
    ASSERT_FALSE(store.SkinEmpty());
    EXPECT_EQ(store.ContainerVersion(), -1);
    EXPECT_EQ(store.SkinPicture()->Width(), 150);
    EXPECT_EQ(store.SkinMask()->PixelFormat(), pf1bit);
    ASSERT_EQ(store.ActivePictureCount(), 2);
    EXPECT_EQ(store.ActivePicture(1)->Width(), 32);
    EXPECT_EQ(store.ActivePicture(1)->Height(), 24);
    EXPECT_EQ(store.ActivePictureNames()[1], "back.jpg");
    EXPECT_EQ(store.FormInfo().formminwidth, 170);
}

TEST_F(SkinStore, FoldersWithoutTheRequiredSectionsAreIgnored) {
    TempFolder dir;
    TspSkinData store(nullptr);
    Apply(store, VersionContainer(3));
    dir.Write("skin.ini", "[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n");
    store.ApplySkinFile(dir.Path("skin.ini"));
    EXPECT_FALSE(store.SkinEmpty());
    EXPECT_EQ(store.ControlRecordCount(), 2);
    std::string noise(5000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = char((i * 7919) % 251);
    dir.Write("noise.ini", noise);
    store.ApplySkinFile(dir.Path("noise.ini"));
    EXPECT_EQ(store.ControlRecordCount(), 2);
}

TEST_F(SkinStore, APresetFileIsNotACompressedSkin) {
    TempFolder dir;
    dir.Write("filter.brelvan", "1.5\r\n2.5\r\n0\r\n100\r\n");
    TspSkinData store(nullptr);
    store.ApplyCompressedSkinFile(dir.Path("filter.brelvan"));
    EXPECT_TRUE(store.SkinEmpty());
    EXPECT_FALSE(store.SkinLoading()) << "no load was started";
}

} // namespace

// Building stored data from a skin folder, importing compressed skin files, and the
// round trip back into a store.
#include "SkinTestSupport.h"

#include "gfx/GraphicsError.h"
#include "rtl/Exceptions.h"
#include "skin/SkinData.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

using namespace skintest;

namespace {

class SkinBuild : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        dir.WriteBytes("frame.bmp", SolidBitmap(150, 107, clNavy).SaveToBmpBytes());
        dir.WriteBytes("mask.bmp", SolidBitmap(150, 107, clBlack, pf1bit).SaveToBmpBytes());
        dir.WriteBytes("controls.bmp", SolidBitmap(30, 20, clRed).SaveToBmpBytes());
        dir.Write("skin.ini", MinimalDescription());
    }
    void TearDown() override { Application->Reset(); }

    std::vector<std::uint8_t> Inflated(TspCompressedStoredSkin& stored) {
        TMemoryStream out;
        stored.DecompressInto(out);
        auto* p = static_cast<std::uint8_t*>(out.Memory());
        return {p, p + out.Size()};
    }
    TempFolder dir;
};

TEST_F(SkinBuild, AFolderBecomesAVersion2ContainerAtLevel9) {
    TspCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinFile(dir.Path("skin.ini"));
    ASSERT_FALSE(stored.IsStoreEmpty());
    auto* z = static_cast<const std::uint8_t*>(stored.Data().Memory());
    EXPECT_EQ(z[0], 0x78);
    EXPECT_EQ(z[1], 0xDA);

    std::vector<std::uint8_t> raw = Inflated(stored);
    TspSkinContainerReader reader(raw.data(), raw.size());
    EXPECT_EQ(reader.ReadInt32(), 2);
    TBitmap b;
    EXPECT_EQ(reader.ReadByte(), 0) << "picture";
    reader.ReadBitmap(b);
    EXPECT_EQ(b.Width(), 150);
    EXPECT_EQ(reader.ReadByte(), 1) << "no inactive picture";
    EXPECT_EQ(reader.ReadByte(), 0) << "mask";
    reader.ReadBitmap(b);
    EXPECT_EQ(b.PixelFormat(), pf1bit);
    EXPECT_EQ(reader.ReadByte(), 1) << "no rollup picture";
    EXPECT_EQ(reader.ReadByte(), 1) << "no rollup mask";
    EXPECT_EQ(reader.ReadInt32(), 1);
    reader.ReadBitmap(b);
    EXPECT_EQ(b.Width(), 30);
    std::string text(reader.Rest());
    EXPECT_EQ(text.rfind("[VERSION]\r\nskinname=Test\r\n", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << "every line ends with CR LF";
}

TEST_F(SkinBuild, TheBuiltDataLoadsIntoAStore) {
    TspCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinFile(dir.Path("skin.ini"));
    TspSkinData store(nullptr);
    store.ApplyStoredSkin(&stored);
    ASSERT_FALSE(store.SkinEmpty());
    EXPECT_EQ(store.ContainerVersion(), 2);
    EXPECT_EQ(store.SkinPicture()->Height(), 107);
    EXPECT_EQ(store.SkinMaskName(), "mask.bmp");
    EXPECT_EQ(store.PictureName(spsInactivePicture), "") << "not kept from stored data";
    EXPECT_EQ(store.ActivePictureCount(), 1);
    EXPECT_EQ(store.ActivePictureNames(), std::vector<std::string>{"controls.bmp"});
    EXPECT_EQ(store.FormInfo().clientrect, Rect(9, 34, 141, 97));
    EXPECT_EQ(store.FindObjectRecord("caption"), 0);
}

TEST_F(SkinBuild, AMissingSectionLeavesTheDataAsItWas) {
    TspCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinFile(dir.Path("skin.ini"));
    int64_t size = stored.Data().Size();
    std::string ini = MinimalDescription();
    ini.replace(ini.find("[SKINOBJECTS]"), 13, "[OBJECTS]");
    dir.Write("broken.ini", ini);
    stored.BuildFromSkinFile(dir.Path("broken.ini"));
    EXPECT_EQ(stored.Data().Size(), size);
}

TEST_F(SkinBuild, PicturesMustBeBmpFiles) {
    dir.WriteBytes("controls.bmp", EncodeTestJpeg(8, 8));
    TspCompressedStoredSkin stored(nullptr);
    EXPECT_THROW(stored.BuildFromSkinFile(dir.Path("skin.ini")), EInvalidGraphic);
    EXPECT_TRUE(stored.IsStoreEmpty()) << "nothing half-built is kept";
    std::remove(dir.Path("controls.bmp").c_str());
    EXPECT_THROW(stored.BuildFromSkinFile(dir.Path("skin.ini")), EFOpenError);
}

TEST_F(SkinBuild, CompressedSkinFilesRoundTrip) {
    TspCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinFile(dir.Path("skin.ini"));
    stored.WriteCompressedSkinFile(dir.Path("skin.skn"));
    TspCompressedStoredSkin imported(nullptr);
    imported.ReadCompressedSkinFile(dir.Path("skin.skn"));
    ASSERT_EQ(imported.Data().Size(), stored.Data().Size());
    EXPECT_EQ(std::memcmp(imported.Data().Memory(), stored.Data().Memory(),
                          std::size_t(stored.Data().Size())),
              0);
    TspSkinData store(nullptr);
    store.ApplyCompressedSkinFile(dir.Path("skin.skn"));
    EXPECT_FALSE(store.SkinEmpty());
    EXPECT_EQ(store.FindControlRecord("edit"), 1);
}

TEST_F(SkinBuild, CompressedSkinFilesThatDoNotFitAreIgnored) {
    auto file = [&](std::int32_t version, std::int32_t length, std::size_t body) {
        std::vector<std::uint8_t> bytes;
        for (std::int32_t v : {version, length})
            for (int i = 0; i < 4; ++i) bytes.push_back(std::uint8_t(std::uint32_t(v) >> (8 * i)));
        bytes.resize(bytes.size() + body, 0x55);
        dir.WriteBytes("x.skn", bytes);
        TspCompressedStoredSkin stored(nullptr);
        stored.LoadData("old", 3);
        stored.ReadCompressedSkinFile(dir.Path("x.skn"));
        return stored.Data().Size();
    };
    EXPECT_EQ(file(4, 10, 10), 0) << "a version above 3";
    EXPECT_EQ(file(3, 0, 10), 0);
    EXPECT_EQ(file(3, 100, 10), 0) << "longer than the file";
    EXPECT_EQ(file(3, -5, 10), 0);
    EXPECT_EQ(file(-1, 10, 10), 10) << "any version up to 3 is taken";
    dir.Write("short.skn", "ab");
    TspCompressedStoredSkin stored(nullptr);
    stored.ReadCompressedSkinFile(dir.Path("short.skn"));
    EXPECT_TRUE(stored.IsStoreEmpty());
    EXPECT_THROW(stored.ReadCompressedSkinFile(dir.Path("none.skn")), EFOpenError);
}

TEST_F(SkinBuild, FileNamesBuildOnlyWhileDesigned) {
    TspCompressedStoredSkin stored(nullptr);
    stored.SetFileName(dir.Path("skin.ini"));
    EXPECT_EQ(stored.FileName(), dir.Path("skin.ini")) << "at run time only stored";
    EXPECT_TRUE(stored.IsStoreEmpty());
    stored.SetComponentStateFlag(csDesigning, true);
    stored.SetFileName(dir.Path("skin.ini"));
    EXPECT_EQ(stored.FileName(), "skin.ini");
    EXPECT_FALSE(stored.IsStoreEmpty());
}

} // namespace

// A container read ahead of time (on another thread at start) stands in for reading, once,
// and only for the very data it was read from.
TEST_F(SkinBuild, AContainerReadAheadIsUsedOnceAndOnlyForItsOwnData) {
    TspCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinFile(dir.Path("skin.ini"));
    const std::string source(static_cast<const char*>(stored.Data().Memory()),
                             static_cast<std::size_t>(stored.Data().Size()));
    const std::vector<std::uint8_t> real = Inflated(stored);
    auto ahead = TspCompressedStoredSkin::Inflate(source.data(), source.size());
    ASSERT_EQ(ahead->Size(), static_cast<int64_t>(real.size()));
    EXPECT_EQ(std::memcmp(ahead->Memory(), real.data(), real.size()), 0);

    // A container read ahead from those bytes is read the same as the store reads it.
    std::unique_ptr<TspSkinContainerContents> read =
        ReadSkinContainer(ahead->Memory(), static_cast<std::size_t>(ahead->Size()));
    ASSERT_TRUE(read->fixed[spsPicture].has_value());
    EXPECT_FALSE(read->activePictures.empty());
    EXPECT_NE(read->description.find("[PICTURES]"), std::string::npos);

    // A marked one shows which one comes back: once, and only for the same bytes.
    auto marked = [] {
        auto contents = std::make_unique<TspSkinContainerContents>();
        contents->version = 77;
        return contents;
    };
    stored.UseReadAhead(source, marked());
    std::unique_ptr<TspSkinContainerContents> first = stored.TakeReadAhead();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->version, 77);
    EXPECT_EQ(stored.TakeReadAhead(), nullptr); // used up
    stored.UseReadAhead(source.substr(0, source.size() - 1) + "?", marked());
    EXPECT_EQ(stored.TakeReadAhead(), nullptr); // other bytes
    stored.UseReadAhead(source, marked());
    stored.LoadData(source.data(), source.size() - 1); // the data changed in between
    EXPECT_EQ(stored.TakeReadAhead(), nullptr);

    EXPECT_THROW(TspCompressedStoredSkin::Inflate("not zlib", 8), Exception);
}

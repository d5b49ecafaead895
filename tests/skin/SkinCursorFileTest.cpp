// Skin cursor files: the cursor format with its hot spot, BMP-style images with their mask,
// PNG images, the first frame of an animated cursor, and files that must be refused. The
// files are built here byte by byte.
#include "SkinTestSupport.h"

#include "gfx/GraphicsError.h"
#include "rtl/FileUtils.h"
#include "skin/SkinCursorFile.h"
#include "skin/SkinData.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, unsigned v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}

void Put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}

void PutTag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(tag[i]));
}

// A BMP-style cursor image of w x h at 24 bits: colour(x, y) for each pixel, and the mask bit
// set (transparent) where clear(x, y).
template <class Colour, class Clear> Bytes Dib24(int w, int h, Colour colour, Clear clear) {
    Bytes b;
    Put32(b, 40);
    Put32(b, std::uint32_t(w));
    Put32(b, std::uint32_t(2 * h));
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    const int colourRow = ((w * 24 + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) { // bottom-up
        Bytes row;
        for (int x = 0; x < w; ++x) {
            const TPixel c = colour(x, y); // 0xRRGGBB
            row.push_back(std::uint8_t(c));
            row.push_back(std::uint8_t(c >> 8));
            row.push_back(std::uint8_t(c >> 16));
        }
        row.resize(std::size_t(colourRow), 0);
        b.insert(b.end(), row.begin(), row.end());
    }
    const int maskRow = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(std::size_t(maskRow), 0);
        for (int x = 0; x < w; ++x)
            if (clear(x, y)) row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

// A one-entry directory around `image`.
Bytes CursorFile(const Bytes& image, int w, int h, int hotX, int hotY, unsigned type = 2) {
    Bytes b;
    Put16(b, 0);
    Put16(b, type);
    Put16(b, 1);
    b.push_back(std::uint8_t(w));
    b.push_back(std::uint8_t(h));
    b.push_back(0);
    b.push_back(0);
    Put16(b, unsigned(hotX));
    Put16(b, unsigned(hotY));
    Put32(b, std::uint32_t(image.size()));
    Put32(b, 22);
    b.insert(b.end(), image.begin(), image.end());
    return b;
}

Bytes Chunk(const char* tag, const Bytes& body) {
    Bytes b;
    PutTag(b, tag);
    Put32(b, std::uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2) b.push_back(0);
    return b;
}

Bytes AnimatedCursor(const std::vector<Bytes>& frames) {
    Bytes header(36, 0);
    header[0] = 36;
    Bytes list;
    PutTag(list, "fram");
    for (const Bytes& f : frames) {
        const Bytes c = Chunk("icon", f);
        list.insert(list.end(), c.begin(), c.end());
    }
    Bytes body;
    PutTag(body, "ACON");
    for (const Bytes& c : {Chunk("anih", header), Chunk("LIST", list)})
        body.insert(body.end(), c.begin(), c.end());
    return Chunk("RIFF", body);
}

TSkinCursorImage Read(const Bytes& b) {
    return ReadSkinCursor(b.data(), b.size());
}

const auto kRedCross = [](int x, int y) { return x == 5 || y == 5 ? 0xFF0000u : 0x0000FFu; };
const auto kLeftHalfClear = [](int x, int) { return x < 4; };

} // namespace

TEST(SkinCursorFile, ACursorKeepsItsHotSpotColoursAndMask) {
    const TSkinCursorImage c =
        Read(CursorFile(Dib24(11, 9, kRedCross, kLeftHalfClear), 11, 9, 5, 2));
    ASSERT_EQ(c.Image.Width(), 11);
    ASSERT_EQ(c.Image.Height(), 9);
    EXPECT_EQ(c.HotSpot.X, 5);
    EXPECT_EQ(c.HotSpot.Y, 2);
    // Rows come out top-down, colours as drawn, opaque where the mask is clear of bits.
    EXPECT_EQ(c.Image.ScanLine(0)[5], 0xFFFF0000u);
    EXPECT_EQ(c.Image.ScanLine(5)[8], 0xFFFF0000u);
    EXPECT_EQ(c.Image.ScanLine(8)[8], 0xFF0000FFu);
    EXPECT_EQ(c.Image.ScanLine(0)[0] >> 24, 0u); // masked out
    EXPECT_EQ(c.Image.ScanLine(8)[3] >> 24, 0u);
}

TEST(SkinCursorFile, PalettedAndPngImages) {
    // A 1-bit image, 2 x 2: palette black and white, the top row white.
    Bytes dib;
    Put32(dib, 40);
    Put32(dib, 2);
    Put32(dib, 4);
    Put16(dib, 1);
    Put16(dib, 1);
    for (int i = 0; i < 6; ++i) Put32(dib, 0);
    Put32(dib, 0x000000);
    Put32(dib, 0xFFFFFF);
    for (std::uint8_t row : {0x00, 0xC0}) { // bottom row black, top row white
        dib.push_back(row);
        dib.insert(dib.end(), 3, 0);
    }
    for (int i = 0; i < 2; ++i) Put32(dib, 0); // all opaque
    const TSkinCursorImage mono = Read(CursorFile(dib, 2, 2, 1, 1));
    EXPECT_EQ(mono.Image.ScanLine(0)[1], 0xFFFFFFFFu);
    EXPECT_EQ(mono.Image.ScanLine(1)[0], 0xFF000000u);

    TBitmap picture(6, 4);
    picture.Fill(clLime);
    const std::string path =
        (std::filesystem::temp_directory_path() / "brelvan-cursor-test.png").string();
    picture.SaveToFile(path);
    const std::string png = ReadFileBytes(path);
    std::filesystem::remove(path);
    const TSkinCursorImage fromPng = Read(CursorFile(Bytes(png.begin(), png.end()), 6, 4, 3, 1));
    EXPECT_EQ(fromPng.Image.Width(), 6);
    EXPECT_EQ(fromPng.HotSpot.X, 3);
    EXPECT_EQ(fromPng.Image.ScanLine(2)[2] & 0xFFFFFFu, 0x00FF00u);
}

TEST(SkinCursorFile, AnAnimatedCursorGivesItsFirstFrame) {
    const Bytes first = CursorFile(Dib24(8, 8, kRedCross, kLeftHalfClear), 8, 8, 1, 7);
    const Bytes second =
        CursorFile(Dib24(16, 16, kRedCross, [](int, int) { return false; }), 16, 16, 0, 0);
    const TSkinCursorImage c = Read(AnimatedCursor({first, second}));
    EXPECT_EQ(c.Image.Width(), 8);
    EXPECT_EQ(c.HotSpot.X, 1);
    EXPECT_EQ(c.HotSpot.Y, 7);
}

TEST(SkinCursorFile, BrokenFilesAreRefused) {
    const Bytes good = CursorFile(Dib24(8, 8, kRedCross, kLeftHalfClear), 8, 8, 1, 1);
    // Every cut of a good file is refused, never read past its end.
    for (std::size_t n = 0; n + 1 < good.size(); n += 7)
        EXPECT_THROW(ReadSkinCursor(good.data(), n), EInvalidGraphic) << n;
    Bytes hotOutside = CursorFile(Dib24(8, 8, kRedCross, kLeftHalfClear), 8, 8, 8, 0);
    EXPECT_THROW(Read(hotOutside), EInvalidGraphic);
    Bytes wrongOffset = good;
    wrongOffset[18] = 0xF0; // the image offset points far past the end
    EXPECT_THROW(Read(wrongOffset), EInvalidGraphic);
    Bytes huge = good;
    huge[22 + 4] = 0x00;
    huge[22 + 5] = 0x10; // 4096 pixels wide
    EXPECT_THROW(Read(huge), EInvalidGraphic);
    // A picture is not a cursor file.
    const Bytes bmp = SolidBitmap(8, 8, clRed).SaveToBmpBytes();
    EXPECT_THROW(Read(bmp), EInvalidGraphic);
    EXPECT_THROW(Read(AnimatedCursor({})), EInvalidGraphic);
}

TEST(SkinCursorFile, AStoreInstallsItsCursorsAndReportsABadOneOnce) {
    EnsureApplication();
    TempFolder dir;
    dir.WriteBytes("frame.bmp", SolidBitmap(150, 107, clNavy).SaveToBmpBytes());
    dir.WriteBytes("mask.bmp", SolidBitmap(150, 107, clBlack, pf1bit).SaveToBmpBytes());
    dir.WriteBytes("controls.bmp", SolidBitmap(20, 10, clRed).SaveToBmpBytes());
    dir.WriteBytes("arrow.cur", CursorFile(Dib24(8, 8, kRedCross, kLeftHalfClear), 8, 8, 1, 1));
    dir.WriteBytes("busy.ani", AnimatedCursor({CursorFile(Dib24(8, 8, kRedCross, kLeftHalfClear), 8,
                                                          8, 4, 4)}));
    dir.WriteBytes("broken.cur", SolidBitmap(8, 8, clRed).SaveToBmpBytes());
    dir.Write("skin.ini", MinimalDescription() + "[CURSORS]\r\nstartcursorindex=40\r\n"
                                                 "cursorscount=3\r\n0=arrow.cur\r\n"
                                                 "1=broken.cur\r\n2=busy.ani\r\n");
    TspSkinData store(nullptr);
    testing::internal::CaptureStderr();
    store.ApplySkinFile(dir.Path("skin.ini"));
    store.ApplySkinFile(dir.Path("skin.ini"));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(Screen->Cursors(40), 0);
    EXPECT_EQ(Screen->Cursors(41), 0);
    EXPECT_NE(Screen->Cursors(42), 0);
    EXPECT_NE(errors.find("broken.cur"), std::string::npos);
    EXPECT_EQ(errors.find("broken.cur"), errors.rfind("broken.cur")); // once only
    EXPECT_EQ(errors.find("arrow.cur"), std::string::npos);
    Application->Reset();
}

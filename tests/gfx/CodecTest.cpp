#include "GfxTestUtil.h"
#include "gfx/Bitmap.h"
#include "gfx/Bmp.h"
#include "gfx/Canvas.h"
#include "gfx/Jpeg.h"
#include "gfx/Png.h"
#include "rtl/Exceptions.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <png.h>

namespace {

TBitmap Pattern(int w, int h, int colours) {
    static const TColor kColours[] = {clBlack,  clWhite, clRed,    clLime,   clBlue,    clYellow,
                                      clNavy,   clTeal,  clGray,   clMaroon, clFuchsia, 0x123456,
                                      0x80FFFF, clOlive, clPurple, clSilver};
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.ScanLine(y)[x] = ColorToPixel(kColours[(x * 7 + y * 3) % colours]);
    return b;
}

TBitmap Gradient(int w, int h) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.ScanLine(y)[x] = 0xFF000000u | (TPixel(x * 255 / std::max(1, w - 1)) << 16) |
                               (TPixel(y * 255 / std::max(1, h - 1)) << 8) | TPixel((x + y) & 255);
    return b;
}

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint16_t x) {
    v[at] = std::uint8_t(x);
    v[at + 1] = std::uint8_t(x >> 8);
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = std::uint8_t(x >> (8 * i));
}

// A hand-made BMP: header of `infoSize` bytes, optional palette, rows as given (already padded).
std::vector<std::uint8_t> MakeBmp(int infoSize, int w, int h, int bits, std::uint32_t compression,
                                  const std::vector<std::uint32_t>& palette,
                                  const std::vector<std::uint8_t>& rows,
                                  const std::vector<std::uint32_t>& masks = {}) {
    const std::size_t offset = 14 + infoSize + palette.size() * 4;
    std::vector<std::uint8_t> v(offset + rows.size(), 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, std::uint32_t(v.size()));
    Put32(v, 10, std::uint32_t(offset));
    Put32(v, 14, std::uint32_t(infoSize));
    Put32(v, 18, std::uint32_t(w));
    Put32(v, 22, std::uint32_t(h));
    Put16(v, 26, 1);
    Put16(v, 28, std::uint16_t(bits));
    Put32(v, 30, compression);
    Put32(v, 46, std::uint32_t(palette.size()));
    for (std::size_t i = 0; i < masks.size(); ++i) Put32(v, 54 + 4 * i, masks[i]);
    for (std::size_t i = 0; i < palette.size(); ++i) Put32(v, 14 + infoSize + 4 * i, palette[i]);
    std::memcpy(v.data() + offset, rows.data(), rows.size());
    return v;
}

std::vector<std::uint8_t> EncodeJpegForTest(const TBitmap& b, int quality = 95) {
    TJpegWriteOptions options;
    options.quality = quality;
    return EncodeJpeg(b, options);
}

void ExpectRefused(const std::vector<std::uint8_t>& bytes, const char* fragment = "") {
    TBitmap b(3, 3);
    b.Fill(clRed);
    try {
        b.LoadFromMemory(bytes.data(), bytes.size());
        ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find(fragment), std::string::npos) << e.Message();
    }
    // A refused picture leaves the bitmap as it was.
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.PixelColor(1, 1), clRed);
}

} // namespace

TEST(Bmp, EachBitDepthRoundTrips) {
    struct Case {
        TPixelFormat format;
        int colours;
    };
    for (const Case& c : {Case{pf1bit, 2}, Case{pf4bit, 16}, Case{pf8bit, 16}, Case{pf24bit, 16},
                          Case{pf32bit, 16}}) {
        // Odd widths exercise the row padding of every depth.
        for (int w : {1, 7, 13, 33}) {
            TBitmap src = Pattern(w, 5, c.colours);
            src.SetPixelFormat(c.format);
            const std::vector<std::uint8_t> bytes = src.SaveToBmpBytes();
            TBitmap back;
            back.LoadFromMemory(bytes.data(), bytes.size());
            EXPECT_EQ(back.PixelFormat(), c.format);
            EXPECT_TRUE(SamePixels(src, back)) << "format " << c.format << " width " << w;
        }
    }
}

TEST(Bmp, EightBitKeepsUpTo256ColoursAndFileRoundTrips) {
    TBitmap src(256, 3);
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 3; ++y)
            src.ScanLine(y)[x] = 0xFF000000u | (TPixel(x) << 16) | TPixel(255 - x);
    src.SetPixelFormat(pf8bit);
    const std::string path = TempPath("eight.bmp");
    src.SaveToFile(path);
    TBitmap back;
    back.LoadFromFile(path);
    EXPECT_TRUE(SamePixels(src, back));
    EXPECT_EQ(back.Palette().size(), 256u);
    std::remove(path.c_str());
}

TEST(Bmp, OneBitMaskKeepsItsExactPixels) {
    TBitmap mask(19, 11);
    mask.Fill(clWhite);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 19; ++x)
            if ((x - 9) * (x - 9) + (y - 5) * (y - 5) <= 25 || x == 0)
                mask.ScanLine(y)[x] = 0xFF000000u;
    mask.SetPixelFormat(pf1bit);
    const std::vector<std::uint8_t> bytes = mask.SaveToBmpBytes();
    // 1 bit per pixel, rows of 4 bytes, a two-entry palette.
    EXPECT_EQ(bytes.size(), 14u + 40u + 8u + 4u * 11u);
    TBitmap back;
    back.LoadFromMemory(bytes.data(), bytes.size());
    ASSERT_EQ(back.Width(), 19);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 19; ++x)
            ASSERT_EQ(back.PixelColor(x, y), mask.PixelColor(x, y)) << x << "," << y;

    // An all-white mask still carries both entries, black first.
    TBitmap blank(8, 2);
    blank.Fill(clWhite);
    blank.SetPixelFormat(pf1bit);
    EXPECT_EQ(blank.Palette(), (std::vector<TColor>{clBlack, clWhite}));
    EXPECT_EQ(blank.SaveToBmpBytes().size(), 14u + 40u + 8u + 4u * 2u);
}

TEST(Bmp, ReadsTopDownPalettesAndBitfields) {
    // 2 x 2, 8 bits, top-down (negative height), three-entry palette.
    std::vector<std::uint8_t> rows = {0, 1, 0, 0, 2, 0, 0, 0};
    auto bytes = MakeBmp(40, 2, 2, 8, 0, {0x00FF0000, 0x0000FF00, 0x000000FF}, rows);
    Put32(bytes, 22, std::uint32_t(-2));
    TBitmap b;
    b.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(b.PixelColor(0, 0), clRed);
    EXPECT_EQ(b.PixelColor(1, 0), clLime);
    EXPECT_EQ(b.PixelColor(0, 1), clBlue);
    EXPECT_EQ(b.PixelColor(1, 1), clRed);

    // The same picture bottom-up: rows swap.
    bytes = MakeBmp(40, 2, 2, 8, 0, {0x00FF0000, 0x0000FF00, 0x000000FF}, rows);
    b.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(b.PixelColor(0, 1), clRed);
    EXPECT_EQ(b.PixelColor(0, 0), clBlue);

    // A V5 header (124 bytes) with 32-bit bit fields laid out R, G, B, A in byte order.
    std::vector<std::uint8_t> px = {0x11, 0x22, 0x33, 0xFF};
    bytes = MakeBmp(124, 1, 1, 32, 3, {}, px, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000});
    b.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(b.PixelColor(0, 0), RGB(0x11, 0x22, 0x33));

    // 16 bits 5-5-5: pure red is 0x7C00.
    bytes = MakeBmp(40, 1, 1, 16, 0, {}, {0x00, 0x7C, 0, 0});
    b.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(b.PixelColor(0, 0), clRed);

    // 4 bits with RLE: a run of three index-1 pixels, end of picture.
    bytes = MakeBmp(40, 4, 1, 4, 2, {0x00000000, 0x00FFFFFF}, {3, 0x11, 0, 1});
    b.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(b.PixelColor(0, 0), clWhite);
    EXPECT_EQ(b.PixelColor(2, 0), clWhite);
    EXPECT_EQ(b.PixelColor(3, 0), clBlack);
}

TEST(Bmp, MalformedFilesAreRefusedWithAReason) {
    const TBitmap good = Pattern(8, 8, 16);
    std::vector<std::uint8_t> bytes = good.SaveToBmpBytes();

    ExpectRefused({}, "empty");
    ExpectRefused({'B', 'M', 0, 0}, "too short");
    ExpectRefused({'X', 'Y', 'Z'}, "Unknown");

    // Truncated pixel data: the header claims more pixels than the file holds.
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 10);
    ExpectRefused(cut, "claims");

    // Absurd sizes are capped before anything is allocated.
    std::vector<std::uint8_t> huge = bytes;
    Put32(huge, 18, 100000);
    Put32(huge, 22, 100000);
    ExpectRefused(huge, "too large");
    std::vector<std::uint8_t> wide = bytes;
    Put32(wide, 18, 0x7FFFFFFF);
    ExpectRefused(wide, "too large");
    std::vector<std::uint8_t> minHeight = bytes;
    Put32(minHeight, 22, 0x80000000u); // the most negative height
    ExpectRefused(minHeight, "too large");

    std::vector<std::uint8_t> zero = bytes;
    Put32(zero, 18, 0);
    ExpectRefused(zero, "no pixels");
    std::vector<std::uint8_t> depth = bytes;
    Put16(depth, 28, 7);
    ExpectRefused(depth, "bit depth");
    std::vector<std::uint8_t> offset = bytes;
    Put32(offset, 10, 0xFFFFFFF0u);
    ExpectRefused(offset, "offset");
    std::vector<std::uint8_t> header = bytes;
    Put32(header, 14, 9999);
    ExpectRefused(header, "header size");

    // A palette claiming a million colours.
    TBitmap pal = Pattern(4, 4, 2);
    pal.SetPixelFormat(pf8bit);
    std::vector<std::uint8_t> p = pal.SaveToBmpBytes();
    Put32(p, 46, 1000000);
    ExpectRefused(p, "palette");

    // An RLE stream that stops early.
    ExpectRefused(MakeBmp(40, 4, 4, 8, 1, {0, 0xFFFFFF}, {2, 1, 0, 0, 5}), "truncated");
}

TEST(Bmp, EveryTruncationAndManyCorruptionsAreSafe) {
    TBitmap src = Pattern(9, 6, 16);
    src.SetPixelFormat(pf4bit);
    const std::vector<std::uint8_t> bytes = src.SaveToBmpBytes();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        TBitmap b;
        EXPECT_THROW(b.LoadFromMemory(bytes.data(), n), EInvalidGraphic) << n;
    }
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> v = bytes;
        for (int k = 0; k < 3; ++k) v[2 + rng() % 60] = std::uint8_t(rng());
        TBitmap b;
        try {
            b.LoadFromMemory(v.data(), v.size());
            EXPECT_LE(std::int64_t(b.Width()) * b.Height(), MaxPicturePixels);
        } catch (const EInvalidGraphic&) {
        }
    }
}

TEST(Jpeg, DecodesAndRefusesBrokenStreams) {
    const TBitmap src = Gradient(64, 48);
    const std::vector<std::uint8_t> bytes = EncodeJpegForTest(src);
    TBitmap b;
    b.LoadFromMemory(bytes.data(), bytes.size());
    ASSERT_EQ(b.Width(), 64);
    ASSERT_EQ(b.Height(), 48);
    for (int y = 4; y < 48; y += 11)
        for (int x = 4; x < 64; x += 13) {
            const TColor a = src.PixelColor(x, y), c = b.PixelColor(x, y);
            EXPECT_NEAR(GetRValue(a), GetRValue(c), 12);
            EXPECT_NEAR(GetGValue(a), GetGValue(c), 12);
            EXPECT_NEAR(GetBValue(a), GetBValue(c), 12);
        }

    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + bytes.size() / 2);
    ExpectRefused(cut, "JPEG");
    ExpectRefused({0xFF, 0xD8, 0xFF, 0x00, 0x01, 0x02}, "JPEG");
    std::vector<std::uint8_t> garbage = bytes;
    for (std::size_t i = 20; i < garbage.size(); i += 3) garbage[i] = 0xA5;
    TBitmap g;
    try {
        g.LoadFromMemory(garbage.data(), garbage.size());
    } catch (const EInvalidGraphic&) {
    }
}

TEST(Png, RoundTripsWithAndWithoutAlpha) {
    TBitmap src = Gradient(31, 17);
    const std::vector<std::uint8_t> opaque = EncodePng(src);
    TBitmap back;
    back.LoadFromMemory(opaque.data(), opaque.size());
    EXPECT_TRUE(SamePixels(src, back));
    EXPECT_EQ(back.AlphaFormat(), afIgnored);

    src.ScanLine(3)[4] = 0x80112233u;
    const std::vector<std::uint8_t> alpha = EncodePng(src, true);
    back.LoadFromMemory(alpha.data(), alpha.size());
    EXPECT_EQ(back.AlphaFormat(), afDefined);
    EXPECT_EQ(back.ScanLine(3)[4], 0x80112233u);

    const std::string path = TempPath("shot.png");
    SavePng(src, path);
    TBitmap file;
    LoadPng(file, path);
    EXPECT_EQ(file.PixelColor(10, 10), src.PixelColor(10, 10));
    std::remove(path.c_str());

    std::vector<std::uint8_t> cut(opaque.begin(), opaque.begin() + 40);
    ExpectRefused(cut, "PNG");
}

TEST(BitmapFile, MissingAndUnwritableFilesRaiseTheFileErrors) {
    TBitmap b(2, 2);
    EXPECT_THROW(b.LoadFromFile("/nonexistent/dir/x.bmp"), EFOpenError);
    EXPECT_THROW(b.SaveToFile("/nonexistent/dir/x.bmp"), EFCreateError);
}

TEST(BitmapBasics, ResizeKeepsPixelsAndTransparentColourIsBottomLeft) {
    TBitmap b(4, 3);
    b.Fill(clRed);
    b.ScanLine(2)[0] = ColorToPixel(clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparentColor(clBlue);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clBlue);
    b.SetTransparentMode(tmAuto);
    EXPECT_EQ(b.TransparentColor(), clLime);

    b.SetSize(6, 5);
    EXPECT_EQ(b.PixelColor(3, 1), clRed);
    EXPECT_EQ(b.PixelColor(5, 4), clWhite);
    EXPECT_EQ(b.PixelColor(6, 0), clNone);
    EXPECT_TRUE(TBitmap().Empty());
    EXPECT_EQ(TBitmap().TransparentColor(), clNone);

    int changes = 0;
    TBitmap c;
    c.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &c);
        ++changes;
    };
    c.Assign(b);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(SamePixels(b, c));
    EXPECT_THROW(c.SetSize(MaxPictureSide + 1, 1), EInvalidGraphic);

    // A moved bitmap hands its picture over and its canvas follows the new (empty) size.
    TBitmap source(3, 2);
    source.Fill(clNavy);
    TCanvas* sourceCanvas = source.Canvas();
    TBitmap moved(std::move(source));
    EXPECT_EQ(moved.PixelColor(2, 1), clNavy);
    EXPECT_TRUE(source.Empty());
    TBitmap target(1, 1);
    TCanvas* targetCanvas = target.Canvas();
    target = std::move(moved);
    EXPECT_EQ(targetCanvas->SurfaceWidth(), 3);
    targetCanvas->Brush()->SetColor(clRed);
    targetCanvas->FillRect(Rect(0, 0, 3, 2));
    EXPECT_EQ(target.PixelColor(2, 1), clRed);
    EXPECT_EQ(sourceCanvas->SurfaceWidth(), 0);
}

TEST(Codecs, CorruptedJpegAndPngStreamsNeverCrash) {
    const TBitmap src = Gradient(40, 30);
    const std::vector<std::uint8_t> jpeg = EncodeJpegForTest(src, 80);
    const std::vector<std::uint8_t> png = EncodePng(src);
    std::mt19937 rng(99);
    int refused = 0;
    for (const std::vector<std::uint8_t>* original : {&jpeg, &png}) {
        for (int round = 0; round < 400; ++round) {
            std::vector<std::uint8_t> v = *original;
            for (int k = 0; k < 4; ++k) v[3 + rng() % (v.size() - 3)] = std::uint8_t(rng());
            if (round % 3 == 0) v.resize(3 + rng() % (v.size() - 3));
            TBitmap b;
            try {
                b.LoadFromMemory(v.data(), v.size());
                EXPECT_LE(b.Width(), MaxPictureSide);
            } catch (const EInvalidGraphic&) {
                ++refused;
            }
        }
    }
    EXPECT_GT(refused, 100);
}

namespace {

// A PNG written with libpng's own writer, in a form our writer never makes.
std::vector<std::uint8_t> WriteTestPng(int w, int h, int colorType, int depth, bool interlaced,
                                       const std::vector<std::uint8_t>& rows,
                                       const std::vector<png_color>& palette = {},
                                       const std::vector<png_byte>& transparency = {}) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            auto* v = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(p));
            v->insert(v->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), depth, colorType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
    if (!transparency.empty())
        png_set_tRNS(png, info, transparency.data(), int(transparency.size()), nullptr);
    png_write_info(png, info);
    const std::size_t rowBytes = rows.size() / std::size_t(h);
    std::vector<png_bytep> pointers;
    for (int y = 0; y < h; ++y)
        pointers.push_back(const_cast<png_bytep>(rows.data() + rowBytes * std::size_t(y)));
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

void PutBig32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = std::uint8_t(x >> (24 - 8 * i));
}

TEST(Png, ReadsPalettesGreysSixteenBitsAndInterlacing) {
    // Palette with a transparent entry, 2 bits per pixel.
    std::vector<std::uint8_t> bytes =
        WriteTestPng(4, 1, PNG_COLOR_TYPE_PALETTE, 2, false, {0b00011011},
                     {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {1, 2, 3}}, {255, 128});
    TBitmap b;
    b.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(b.AlphaFormat(), afDefined);
    EXPECT_EQ(b.ScanLine(0)[0], 0xFFFF0000u);
    EXPECT_EQ(b.ScanLine(0)[1], 0x8000FF00u);
    EXPECT_EQ(b.ScanLine(0)[3], 0xFF010203u);

    // One-bit grey.
    bytes = WriteTestPng(9, 1, PNG_COLOR_TYPE_GRAY, 1, false, {0b10000000, 0b10000000});
    b.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(b.AlphaFormat(), afIgnored);
    EXPECT_EQ(b.ScanLine(0)[0], 0xFFFFFFFFu);
    EXPECT_EQ(b.ScanLine(0)[1], 0xFF000000u);
    EXPECT_EQ(b.ScanLine(0)[8], 0xFFFFFFFFu);

    // Sixteen-bit grey with alpha keeps the high bytes.
    bytes = WriteTestPng(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, {0x12, 0x34, 0x80, 0x00});
    b.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(b.ScanLine(0)[0], 0x80121212u);

    // Interlaced RGB comes out in place.
    const TBitmap src = Gradient(13, 11);
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x) {
            const TPixel p = src.ScanLine(y)[x];
            rgb.insert(rgb.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
        }
    bytes = WriteTestPng(13, 11, PNG_COLOR_TYPE_RGB, 8, true, rgb);
    b.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_TRUE(SamePixels(src, b));
}

TEST(Png, ChunksAndPixelDataMustHoldWhatTheyClaim) {
    const std::vector<std::uint8_t> good = EncodePng(Gradient(20, 20));
    // A chunk whose length runs past the end of the data is refused before it is read.
    std::vector<std::uint8_t> longChunk(good.begin(), good.begin() + 33); // signature and IHDR
    longChunk.insert(longChunk.end(), {0x09, 0xF5, 0x00, 0x00, 'i', 'C', 'C', 'P'});
    ExpectRefused(longChunk, "chunk claims 167051264 bytes");
    // A header that claims a large picture over a few bytes of pixel data.
    std::vector<std::uint8_t> big = good;
    PutBig32(big, 16, 8000);
    PutBig32(big, 20, 8000);
    ExpectRefused(big, "cannot hold a picture of 8000 x 8000");
    ExpectRefused(std::vector<std::uint8_t>(good.begin(), good.begin() + 8), "no chunks");
    // The picture is still read whole when nothing follows its last chunk.
    TBitmap b;
    b.LoadFromMemory(good.data(), good.size());
    EXPECT_EQ(b.Width(), 20);
}

TEST(Bmp, RunLengthPicturesClaimNoMoreThanTheirDataPaints) {
    // Six bytes of data cannot paint 8192 x 8192 pixels.
    ExpectRefused(MakeBmp(40, 8192, 8192, 8, 1, {0, 0xFFFFFF}, {255, 1, 0, 0, 0, 1}),
                  "cannot paint that many");
    EXPECT_EQ(BmpClaimedPixels(MakeBmp(40, 8192, 8192, 8, 1, {0, 0xFFFFFF}, {0, 1}).data(), 60),
              8192LL * 8192);
    // A picture whose every pixel is painted is read, however flat.
    std::vector<std::uint8_t> rows;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 1000; x += 250) rows.insert(rows.end(), {250, std::uint8_t(y & 1)});
        rows.insert(rows.end(), {0, 0});
    }
    rows.insert(rows.end(), {0, 1});
    TBitmap b;
    std::vector<std::uint8_t> flat = MakeBmp(40, 1000, 40, 8, 1, {0, 0xFFFFFF}, rows);
    b.LoadFromMemory(flat.data(), flat.size());
    EXPECT_EQ(b.Width(), 1000);
    EXPECT_EQ(b.PixelColor(999, 39), clBlack); // the bottom row comes first
    EXPECT_EQ(b.PixelColor(999, 38), clWhite);
    // A small picture may leave its rows to the black background.
    std::vector<std::uint8_t> small = MakeBmp(40, 64, 64, 8, 1, {0, 0xFFFFFF}, {0, 1});
    b.LoadFromMemory(small.data(), small.size());
    EXPECT_EQ(b.PixelColor(63, 63), clBlack);
}

} // namespace

namespace {

TEST(Jpeg, WritesProgressiveAndGreyPictures) {
    const TBitmap src = Gradient(20, 10);
    for (bool progressive : {false, true})
        for (bool grey : {false, true}) {
            TJpegWriteOptions options;
            options.progressive = progressive;
            options.grey = grey;
            const std::vector<std::uint8_t> bytes = EncodeJpeg(src, options);
            TBitmap back;
            DecodeJpeg(back, bytes.data(), bytes.size());
            ASSERT_EQ(back.Width(), 20);
            ASSERT_EQ(back.Height(), 10);
            const TPixel p = back.ScanLine(5)[10];
            const int green = int((src.ScanLine(5)[10] >> 8) & 0xFF);
            EXPECT_NEAR(int((p >> 8) & 0xFF), green, 12) << progressive << grey;
            if (grey) {
                EXPECT_EQ(p & 0xFF, (p >> 16) & 0xFF);
            }
        }
    EXPECT_THROW(EncodeJpeg(TBitmap()), EInvalidGraphic);
}

} // namespace

namespace {

TEST(Jpeg, AShortFileCannotClaimAHugePicture) {
    // A small JPEG whose frame header is changed to claim 18705 x 2304 pixels.
    std::vector<std::uint8_t> bytes = EncodeJpegForTest(Gradient(16, 16));
    for (std::size_t i = 2; i + 9 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = 0x09;
            bytes[i + 6] = 0x00;
            bytes[i + 7] = 0x49;
            bytes[i + 8] = 0x11;
            break;
        }
    ExpectRefused(bytes, "cannot hold a picture of 18705 x 2304");
}

} // namespace

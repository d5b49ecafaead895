// Pictures: BMP, JPEG and PNG. A picture that is read has exactly the size its header claims
// (read here on our own), and a BMP written back and read again gives the same colours.
#include "fuzz/FuzzTargets.h"
#include "gfx/Bmp.h"
#include "gfx/GraphicsError.h"
#include "gfx/Jpeg.h"
#include "gfx/Png.h"

#include <cstdlib>

namespace {

std::uint32_t Little(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

std::uint32_t Big(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
    return v;
}

void CheckSize(const TBitmap& bitmap, long long width, long long height, const char* kind) {
    FuzzCheck(bitmap.Width() == width && bitmap.Height() == height,
              std::string(kind) + " read as " + std::to_string(bitmap.Width()) + " x " +
                  std::to_string(bitmap.Height()) + " but its header claims " +
                  std::to_string(width) + " x " + std::to_string(height));
}

// The frame size of a JPEG from its first start-of-frame marker, finding markers the way a
// decoder does (bytes before a marker and fill bytes are skipped); false when there is none.
bool JpegFrameSize(const std::uint8_t* d, std::size_t size, long long& width, long long& height) {
    std::size_t at = 2;
    for (;;) {
        while (at < size && d[at] != 0xFF) ++at;
        while (at < size && d[at] == 0xFF) ++at;
        if (at >= size) return false;
        const std::uint8_t marker = d[at++];
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
        if (marker == 0xDA || marker == 0xD9) return false;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (at + 2 > size) return false;
        if (frame) {
            if (at + 7 > size) return false;
            height = Big(d + at + 3, 2);
            width = Big(d + at + 5, 2);
            return true;
        }
        at += Big(d + at, 2);
    }
}

} // namespace

int FuzzBmp(const std::uint8_t* data, std::size_t size) {
    TBitmap bitmap;
    try {
        DecodeBmp(bitmap, data, size);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    const std::uint32_t infoSize = Little(data + 14, 4);
    const long long width =
        infoSize == 12 ? Little(data + 18, 2) : std::int32_t(Little(data + 18, 4));
    const long long height =
        infoSize == 12 ? Little(data + 20, 2) : std::llabs(std::int32_t(Little(data + 22, 4)));
    CheckSize(bitmap, width, height, "a BMP");
    FuzzCheck(BmpClaimedPixels(data, size) == width * height, "BmpClaimedPixels differs");

    // Written back as 32 bits and read again: the same colours.
    bitmap.SetPixelFormatTag(pf32bit);
    const std::vector<std::uint8_t> written = EncodeBmp(bitmap);
    TBitmap again;
    DecodeBmp(again, written.data(), written.size());
    CheckSize(again, width, height, "a BMP written back");
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            FuzzCheck(((bitmap.ScanLine(y)[x] ^ again.ScanLine(y)[x]) & 0xFFFFFF) == 0,
                      "a BMP written back reads with other colours");
    return 0;
}

int FuzzJpeg(const std::uint8_t* data, std::size_t size) {
    TBitmap bitmap;
    try {
        DecodeJpeg(bitmap, data, size);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    long long width = 0, height = 0;
    FuzzCheck(JpegFrameSize(data, size, width, height), "a JPEG without a frame was read");
    CheckSize(bitmap, width, height, "a JPEG");
    return 0;
}

int FuzzPng(const std::uint8_t* data, std::size_t size) {
    TBitmap bitmap;
    try {
        DecodePng(bitmap, data, size);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    FuzzCheck(size >= 24, "a PNG too short for its header was read");
    CheckSize(bitmap, Big(data + 16, 4), Big(data + 20, 4), "a PNG");
    return 0;
}

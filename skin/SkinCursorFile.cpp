#include "skin/SkinCursorFile.h"

#include "gfx/GraphicsError.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int kMaxSide = 256; // the directory cannot describe anything larger

[[noreturn]] void Bad(const std::string& why) {
    throw EInvalidGraphic("Invalid cursor file: " + why);
}

std::uint16_t U16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

bool IsPng(const std::uint8_t* p, std::size_t size) {
    static const std::uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= 8 && std::memcmp(p, sig, 8) == 0;
}

std::size_t RowBytes(int width, int bitCount) {
    return ((std::size_t(width) * std::size_t(bitCount) + 31) / 32) * 4;
}

// A device-independent bitmap as cursor files hold it: the header's height counts the colour
// rows and the mask rows together; both are stored bottom-up.
TBitmap ReadDib(const std::uint8_t* p, std::size_t size) {
    if (size < 40) Bad("image header is cut short");
    const std::uint32_t headerSize = U32(p);
    if (headerSize < 40 || headerSize > size) Bad("image header size is wrong");
    const std::int32_t width = std::int32_t(U32(p + 4));
    const std::int32_t doubleHeight = std::int32_t(U32(p + 8));
    const int bitCount = U16(p + 14);
    const std::uint32_t compression = U32(p + 16);
    std::uint32_t colorsUsed = U32(p + 32);
    if (width <= 0 || width > kMaxSide || doubleHeight <= 0 || doubleHeight > 2 * kMaxSide)
        Bad("image size is out of range");
    if (compression != 0) Bad("compressed images are not supported");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        Bad("unsupported colour depth " + std::to_string(bitCount));
    const int height = doubleHeight / 2;
    if (height <= 0) Bad("image size is out of range");
    std::size_t paletteCount = 0;
    if (bitCount <= 8) {
        const std::uint32_t full = 1u << bitCount;
        paletteCount = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
    }
    const std::size_t paletteAt = headerSize;
    const std::size_t colourAt = paletteAt + 4 * paletteCount;
    const std::size_t colourRow = RowBytes(width, bitCount);
    const std::size_t maskAt = colourAt + colourRow * std::size_t(height);
    const std::size_t maskRow = RowBytes(width, 1);
    if (maskAt > size) Bad("image data is cut short");
    // Some writers leave the mask out of 32-bit images, whose alpha says it all.
    const bool hasMask = maskAt + maskRow * std::size_t(height) <= size;
    if (!hasMask && bitCount != 32) Bad("transparency mask is cut short");

    TBitmap image(width, height);
    image.SetPixelFormat(pf32bit);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = p + colourAt + colourRow * std::size_t(height - 1 - y);
        TPixel* out = image.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t b, g, r, a = 0xFF;
            if (bitCount == 32) {
                b = row[4 * x];
                g = row[4 * x + 1];
                r = row[4 * x + 2];
                a = row[4 * x + 3];
                anyAlpha = anyAlpha || a != 0;
            } else if (bitCount == 24) {
                b = row[3 * x];
                g = row[3 * x + 1];
                r = row[3 * x + 2];
            } else {
                const int perByte = 8 / bitCount;
                const int shift = 8 - bitCount * (x % perByte + 1);
                const std::size_t index = (row[x / perByte] >> shift) & ((1u << bitCount) - 1);
                if (index >= paletteCount) Bad("colour index beyond the palette");
                const std::uint8_t* entry = p + paletteAt + 4 * index;
                b = entry[0];
                g = entry[1];
                r = entry[2];
            }
            out[x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    for (int y = 0; y < height; ++y) {
        TPixel* out = image.ScanLine(y);
        const std::uint8_t* mask =
            hasMask ? p + maskAt + maskRow * std::size_t(height - 1 - y) : nullptr;
        for (int x = 0; x < width; ++x) {
            // A set mask bit lets the screen show through; 32-bit images without any alpha
            // are opaque except where the mask says otherwise.
            const bool clear = mask && ((mask[x / 8] >> (7 - x % 8)) & 1);
            if (bitCount == 32 && anyAlpha) {
                if (clear) out[x] &= 0x00FFFFFFu;
            } else {
                out[x] = clear ? (out[x] & 0x00FFFFFFu) : (out[x] | 0xFF000000u);
            }
        }
    }
    image.SetAlphaFormat(afDefined);
    return image;
}

TSkinCursorImage ReadCur(const std::uint8_t* p, std::size_t size) {
    if (size < 6 + 16) Bad("too short for a directory");
    const std::uint16_t type = U16(p + 2);
    if (U16(p) != 0 || (type != 1 && type != 2)) Bad("not a cursor or icon file");
    if (U16(p + 4) == 0) Bad("no images in the directory");
    const std::uint8_t* entry = p + 6;
    const int entryWidth = entry[0] == 0 ? 256 : entry[0];
    const int entryHeight = entry[1] == 0 ? 256 : entry[1];
    const std::uint32_t length = U32(entry + 8);
    const std::uint32_t offset = U32(entry + 12);
    if (offset < 6 + 16 || offset > size || length > size - offset || length == 0)
        Bad("image lies outside the file");
    TSkinCursorImage result;
    const std::uint8_t* image = p + offset;
    if (IsPng(image, length)) {
        result.Image.LoadFromMemory(image, length);
        if (result.Image.Width() > kMaxSide || result.Image.Height() > kMaxSide)
            Bad("image size is out of range");
        result.Image.SetAlphaFormat(afDefined);
    } else {
        result.Image = ReadDib(image, length);
    }
    // Icon files carry no hot spot: the middle is the natural point then.
    if (type == 2)
        result.HotSpot = {U16(entry + 4), U16(entry + 6)};
    else
        result.HotSpot = {entryWidth / 2, entryHeight / 2};
    const int w = result.Image.Width(), h = result.Image.Height();
    if (result.HotSpot.X >= w || result.HotSpot.Y >= h) Bad("hot spot lies outside the image");
    return result;
}

// The first "icon" chunk of the frame list of an animated cursor.
TSkinCursorImage ReadAni(const std::uint8_t* p, std::size_t size) {
    if (size < 12 || std::memcmp(p + 8, "ACON", 4) != 0) Bad("not an animated cursor");
    const std::size_t end = std::min<std::size_t>(size, std::size_t(U32(p + 4)) + 8);
    std::size_t at = 12;
    while (at + 8 <= end) {
        const std::uint8_t* chunk = p + at;
        const std::size_t length = U32(chunk + 4);
        if (length > end - at - 8) Bad("a chunk runs past the end");
        if (std::memcmp(chunk, "LIST", 4) == 0 && length >= 4 &&
            std::memcmp(chunk + 8, "fram", 4) == 0) {
            std::size_t inner = at + 12;
            const std::size_t listEnd = at + 8 + length;
            while (inner + 8 <= listEnd) {
                const std::uint8_t* sub = p + inner;
                const std::size_t subLength = U32(sub + 4);
                if (subLength > listEnd - inner - 8) Bad("a frame runs past the end");
                if (std::memcmp(sub, "icon", 4) == 0) return ReadCur(sub + 8, subLength);
                inner += 8 + subLength + (subLength & 1);
            }
            Bad("the frame list holds no frame");
        }
        at += 8 + length + (length & 1); // chunks are padded to even lengths
    }
    Bad("no frame list");
}

} // namespace

TSkinCursorImage ReadSkinCursor(const std::uint8_t* data, std::size_t size) {
    if (!data || size < 4) Bad("too short");
    if (std::memcmp(data, "RIFF", 4) == 0) return ReadAni(data, size);
    return ReadCur(data, size);
}

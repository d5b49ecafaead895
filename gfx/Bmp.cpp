#include "gfx/Bmp.h"

#include "gfx/Quantize.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::size_t kFileHeaderSize = 14;
// A run-length picture up to this size may claim more pixels than its data paints.
constexpr std::uint64_t kRleFreePixels = 64 * 64;

[[noreturn]] void Fail(const std::string& why) {
    throw EInvalidGraphic("Invalid bitmap: " + why);
}

std::uint16_t U16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
std::int32_t I32(const std::uint8_t* p) {
    return std::int32_t(U32(p));
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

// One colour channel described by a bit mask, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1u)) ++shift;
        while (shift + bits < 32 && ((m >> (shift + bits)) & 1u)) ++bits;
    }
    unsigned Value(std::uint32_t raw) const {
        if (!bits) return 0;
        const std::uint32_t v = (raw & mask) >> shift;
        const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
        return unsigned((std::uint64_t(v) * 255 + max / 2) / max);
    }
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0; // always positive here
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    bool hasMasks = false;
    std::size_t paletteOffset = 0;
    int paletteEntrySize = 4;
};

Header ReadHeader(const std::uint8_t* d, std::size_t size) {
    if (size < kFileHeaderSize + 12) Fail("the file is too short for its header");
    Header h;
    const std::uint32_t infoSize = U32(d + 14);
    if (infoSize == 12) {
        h.width = U16(d + 18);
        h.height = U16(d + 20);
        if (U16(d + 22) != 1) Fail("the plane count is not 1");
        h.bitCount = U16(d + 24);
        h.paletteEntrySize = 3;
    } else if (infoSize >= 40 && infoSize <= 124) {
        if (size < kFileHeaderSize + infoSize) Fail("the file is too short for its header");
        const std::uint8_t* p = d + 14;
        h.width = I32(p + 4);
        const std::int64_t height = I32(p + 8);
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        if (U16(p + 12) != 1) Fail("the plane count is not 1");
        h.bitCount = U16(p + 14);
        h.compression = U32(p + 16);
        h.colorsUsed = U32(p + 32);
        if (infoSize >= 52) {
            for (int i = 0; i < (infoSize >= 56 ? 4 : 3); ++i) h.masks[i] = U32(p + 40 + 4 * i);
            h.hasMasks = true;
        }
    } else {
        Fail("unknown header size " + std::to_string(infoSize));
    }
    h.paletteOffset = kFileHeaderSize + infoSize;
    if ((h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) && infoSize == 40) {
        // The masks follow the short header.
        const int n = h.compression == kBiAlphaBitfields ? 4 : 3;
        if (size < h.paletteOffset + 4 * n) Fail("the colour masks are missing");
        for (int i = 0; i < n; ++i) h.masks[i] = U32(d + h.paletteOffset + 4 * i);
        h.hasMasks = true;
        h.paletteOffset += 4 * n;
    }

    if (h.width <= 0 || h.height <= 0) Fail("the picture has no pixels");
    if (h.width > MaxPictureSide || h.height > MaxPictureSide ||
        h.width * h.height > MaxPicturePixels)
        Fail("the picture size " + std::to_string(h.width) + " x " + std::to_string(h.height) +
             " is too large");
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        Fail("unsupported bit depth " + std::to_string(h.bitCount));
    }
    const bool bitfields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
    if (bitfields && h.bitCount != 16 && h.bitCount != 32) Fail("colour masks need 16 or 32 bits");
    if (h.compression == kBiRle8 && h.bitCount != 8) Fail("RLE8 needs 8 bits per pixel");
    if (h.compression == kBiRle4 && h.bitCount != 4) Fail("RLE4 needs 4 bits per pixel");
    if (h.compression != kBiRgb && !bitfields && h.compression != kBiRle8 &&
        h.compression != kBiRle4)
        Fail("unsupported compression " + std::to_string(h.compression));
    if ((h.compression == kBiRle8 || h.compression == kBiRle4) && h.topDown)
        Fail("a compressed picture cannot be top-down");
    return h;
}

std::vector<TPixel> ReadPalette(const std::uint8_t* d, std::size_t size, const Header& h,
                                std::size_t dataOffset) {
    std::vector<TPixel> palette;
    if (h.bitCount > 8) return palette;
    const std::size_t maxEntries = std::size_t(1) << h.bitCount;
    std::size_t entries = h.colorsUsed ? h.colorsUsed : maxEntries;
    if (entries > 256) Fail("the palette has " + std::to_string(entries) + " entries");
    const std::size_t end = std::min(dataOffset, size);
    if (h.paletteOffset > end) Fail("the palette lies past the pixel data");
    // Some writers claim more entries than they store: take what lies before the pixels.
    entries = std::min(entries, (end - h.paletteOffset) / h.paletteEntrySize);
    if (entries == 0) Fail("the palette is missing");
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* e = d + h.paletteOffset + i * h.paletteEntrySize;
        palette.push_back(0xFF000000u | (TPixel(e[2]) << 16) | (TPixel(e[1]) << 8) | e[0]);
    }
    // Indexes past the palette read as black.
    palette.resize(256, 0xFF000000u);
    return palette;
}

void DecodeRle(TBitmap& bitmap, const std::uint8_t* src, std::size_t avail, const Header& h,
               const std::vector<TPixel>& palette) {
    const int w = int(h.width), ht = int(h.height);
    bitmap.Fill(clBlack);
    auto put = [&](int x, int y, unsigned index) {
        if (x >= 0 && x < w && y >= 0 && y < ht) bitmap.ScanLine(ht - 1 - y)[x] = palette[index];
    };
    const bool four = h.compression == kBiRle4;
    std::size_t i = 0;
    int x = 0, y = 0;
    while (true) {
        if (i + 2 > avail) Fail("the compressed pixel data is truncated");
        const unsigned count = src[i], value = src[i + 1];
        i += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count; ++k, ++x)
                put(x, y, four ? ((k & 1) ? (value & 0xF) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of picture
            return;
        } else if (value == 2) { // delta
            if (i + 2 > avail) Fail("the compressed pixel data is truncated");
            x += src[i];
            y += src[i + 1];
            i += 2;
        } else { // absolute run
            const unsigned n = value;
            const std::size_t bytes = four ? (n + 1) / 2 : n;
            if (i + bytes > avail) Fail("the compressed pixel data is truncated");
            for (unsigned k = 0; k < n; ++k, ++x) {
                const unsigned idx =
                    four ? ((k & 1) ? (src[i + k / 2] & 0xF) : (src[i + k / 2] >> 4)) : src[i + k];
                put(x, y, idx);
            }
            i += (bytes + 1) & ~std::size_t(1); // runs are padded to 16 bits
        }
        if (y > ht) Fail("the compressed pixel data runs past the picture");
    }
}

} // namespace

bool IsBmp(const void* data, std::size_t size) {
    const auto* d = static_cast<const std::uint8_t*>(data);
    return size >= 2 && d[0] == 'B' && d[1] == 'M';
}

std::int64_t BmpClaimedPixels(const void* data, std::size_t size) {
    if (!IsBmp(data, size)) return 0;
    try {
        const Header h = ReadHeader(static_cast<const std::uint8_t*>(data), size);
        return h.width * h.height;
    } catch (const EInvalidGraphic&) {
        return 0;
    }
}

void DecodeBmp(TBitmap& bitmap, const void* data, std::size_t size) {
    const auto* d = static_cast<const std::uint8_t*>(data);
    if (!IsBmp(data, size)) Fail("the file does not start with \"BM\"");
    const Header h = ReadHeader(d, size);
    const std::size_t dataOffset = U32(d + 10);
    if (dataOffset >= size) Fail("the pixel data offset lies past the end of the file");
    const std::vector<TPixel> palette = ReadPalette(d, size, h, dataOffset);

    const int w = int(h.width), ht = int(h.height);
    const std::uint8_t* pixels = d + dataOffset;
    const std::size_t avail = size - dataOffset;

    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    const std::size_t rowBytes = ((std::size_t(w) * h.bitCount + 31) / 32) * 4;
    const std::size_t need = rowBytes * std::size_t(ht);
    // Checked before anything is allocated: a short file cannot make us reserve a huge picture.
    if (!rle && avail < need)
        Fail("the header claims " + std::to_string(w) + " x " + std::to_string(ht) + " pixels (" +
             std::to_string(need) + " bytes) but the file holds only " + std::to_string(avail) +
             " bytes of pixel data");
    // Each two bytes of run-length data paint at most 255 pixels, and an encoder paints every
    // pixel: a picture may claim no more than its data can paint (a small one aside, which
    // may leave its rows to the black background).
    if (rle && std::uint64_t(w) * std::uint64_t(ht) >
                   std::max(kRleFreePixels, std::uint64_t(avail / 2) * 255))
        Fail("the header claims " + std::to_string(w) + " x " + std::to_string(ht) +
             " pixels but " + std::to_string(avail) +
             " bytes of run-length data cannot paint that many");
    TBitmap result;
    result.SetSize(w, ht);
    if (rle) {
        DecodeRle(result, pixels, avail, h, palette);
        result.SetPalette({});
    } else {
        Channel r, g, b, a;
        if (h.bitCount == 16 || h.bitCount == 32) {
            const bool bitfields =
                h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
            if (bitfields) {
                r = Channel(h.masks[0]);
                g = Channel(h.masks[1]);
                b = Channel(h.masks[2]);
                a = Channel(h.masks[3]);
            } else if (h.bitCount == 16) {
                r = Channel(0x7C00);
                g = Channel(0x03E0);
                b = Channel(0x001F);
            }
        }
        bool anyAlpha = false;
        for (int row = 0; row < ht; ++row) {
            const std::uint8_t* s = pixels + rowBytes * std::size_t(row);
            TPixel* out = result.ScanLine(h.topDown ? row : ht - 1 - row);
            switch (h.bitCount) {
            case 1:
                for (int x = 0; x < w; ++x) out[x] = palette[(s[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                for (int x = 0; x < w; ++x)
                    out[x] = palette[(x & 1) ? (s[x >> 1] & 0xF) : (s[x >> 1] >> 4)];
                break;
            case 8:
                for (int x = 0; x < w; ++x) out[x] = palette[s[x]];
                break;
            case 16:
                for (int x = 0; x < w; ++x) {
                    const std::uint32_t v = U16(s + 2 * x);
                    const unsigned alpha = a.bits ? a.Value(v) : 255;
                    out[x] = (TPixel(alpha) << 24) | (TPixel(r.Value(v)) << 16) |
                             (TPixel(g.Value(v)) << 8) | b.Value(v);
                }
                break;
            case 24:
                for (int x = 0; x < w; ++x, s += 3)
                    out[x] = 0xFF000000u | (TPixel(s[2]) << 16) | (TPixel(s[1]) << 8) | s[0];
                break;
            case 32:
                if (r.bits) {
                    for (int x = 0; x < w; ++x) {
                        const std::uint32_t v = U32(s + 4 * x);
                        const unsigned alpha = a.bits ? a.Value(v) : 255;
                        if (alpha != 255) anyAlpha = true;
                        out[x] = (TPixel(alpha) << 24) | (TPixel(r.Value(v)) << 16) |
                                 (TPixel(g.Value(v)) << 8) | b.Value(v);
                    }
                } else {
                    // The fourth byte is kept as alpha; a picture whose fourth bytes are all
                    // zero has none and is made opaque below.
                    std::memcpy(out, s, std::size_t(w) * 4);
                    for (int x = 0; x < w && !anyAlpha; ++x)
                        if ((out[x] >> 24) != 0) anyAlpha = true;
                }
                break;
            }
        }
        if (h.bitCount == 32 && !anyAlpha)
            for (int y = 0; y < ht; ++y) {
                TPixel* out = result.ScanLine(y);
                for (int x = 0; x < w; ++x) out[x] |= 0xFF000000u;
            }
        if (h.bitCount <= 8) {
            std::vector<TColor> pal;
            const std::size_t used = h.colorsUsed ? std::min<std::size_t>(h.colorsUsed, 256)
                                                  : (std::size_t(1) << h.bitCount);
            for (std::size_t i = 0; i < used; ++i) pal.push_back(PixelToColor(palette[i]));
            result.SetPalette(std::move(pal));
        }
    }
    switch (h.bitCount) {
    case 1:
        result.SetPixelFormatTag(pf1bit);
        break;
    case 4:
        result.SetPixelFormatTag(pf4bit);
        break;
    case 8:
        result.SetPixelFormatTag(pf8bit);
        break;
    case 16:
        result.SetPixelFormatTag(pf16bit);
        break;
    case 24:
        result.SetPixelFormatTag(pf24bit);
        break;
    default:
        result.SetPixelFormatTag(pf32bit);
        break;
    }
    bitmap.Swap(result);
}

std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap) {
    int bits;
    switch (bitmap.PixelFormat()) {
    case pf1bit:
        bits = 1;
        break;
    case pf4bit:
        bits = 4;
        break;
    case pf8bit:
        bits = 8;
        break;
    case pf32bit:
        bits = 32;
        break;
    default:
        bits = 24;
        break;
    }
    const int w = bitmap.Width(), h = bitmap.Height();
    std::vector<TColor> palette;
    if (bits <= 8) palette = ChoosePalette(bitmap, bits);
    const std::size_t rowBytes = ((std::size_t(w) * bits + 31) / 32) * 4;
    const std::size_t paletteBytes = palette.size() * 4;
    const std::size_t offset = kFileHeaderSize + 40 + paletteBytes;
    const std::size_t total = offset + rowBytes * std::size_t(h);

    std::vector<std::uint8_t> out;
    out.reserve(total);
    out.push_back('B');
    out.push_back('M');
    Put32(out, std::uint32_t(total));
    Put32(out, 0);
    Put32(out, std::uint32_t(offset));
    Put32(out, 40);
    Put32(out, std::uint32_t(w));
    Put32(out, std::uint32_t(h)); // bottom-up
    Put16(out, 1);
    Put16(out, std::uint16_t(bits));
    Put32(out, kBiRgb);
    Put32(out, std::uint32_t(rowBytes * std::size_t(h)));
    Put32(out, 3780); // 96 dots per inch
    Put32(out, 3780);
    Put32(out, std::uint32_t(palette.size()));
    Put32(out, 0);
    for (TColor c : palette) {
        out.push_back(GetBValue(c));
        out.push_back(GetGValue(c));
        out.push_back(GetRValue(c));
        out.push_back(0);
    }
    out.resize(total, 0);
    PaletteMapper mapper(palette);
    for (int row = 0; row < h; ++row) {
        std::uint8_t* dst = out.data() + offset + rowBytes * std::size_t(h - 1 - row);
        const TPixel* src = bitmap.ScanLine(row);
        switch (bits) {
        case 1:
            for (int x = 0; x < w; ++x)
                if (mapper.Index(src[x]) & 1) dst[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                dst[x >> 1] |= std::uint8_t((mapper.Index(src[x]) & 0xF) << ((x & 1) ? 0 : 4));
            break;
        case 8:
            for (int x = 0; x < w; ++x) dst[x] = mapper.Index(src[x]);
            break;
        case 24:
            for (int x = 0; x < w; ++x, dst += 3) {
                dst[0] = std::uint8_t(src[x]);
                dst[1] = std::uint8_t(src[x] >> 8);
                dst[2] = std::uint8_t(src[x] >> 16);
            }
            break;
        case 32:
            std::memcpy(dst, src, std::size_t(w) * 4);
            break;
        }
    }
    return out;
}

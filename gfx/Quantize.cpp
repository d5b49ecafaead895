#include "gfx/Quantize.h"

#include <algorithm>

std::vector<TColor> FixedPalette(int bits) {
    if (bits <= 1) return {clBlack, clWhite};
    if (bits <= 4)
        return {clBlack,  clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
                clSilver, clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
    std::vector<TColor> palette;
    palette.reserve(256);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(
                    RGB(std::uint8_t(r * 51), std::uint8_t(g * 51), std::uint8_t(b * 51)));
    for (int i = 0; i < 40; ++i) {
        const auto v = std::uint8_t(i * 255 / 39);
        palette.push_back(RGB(v, v, v));
    }
    return palette;
}

std::vector<TColor> ChoosePalette(const TBitmap& bitmap, int bits) {
    const std::size_t limit = std::size_t(1) << bits;
    const std::size_t count = std::size_t(bitmap.Width()) * std::size_t(bitmap.Height());
    const TPixel* px = bitmap.Bits();

    const std::vector<TColor>& own = bitmap.Palette();
    if (!own.empty() && own.size() <= limit) {
        std::unordered_map<TColor, bool> in;
        for (TColor c : own) in[c & 0xFFFFFF] = true;
        bool all = true;
        for (std::size_t i = 0; i < count && all; ++i)
            if (!in.count(PixelToColor(px[i]))) all = false;
        if (all) return own;
    }

    std::vector<TColor> distinct;
    std::unordered_map<TColor, bool> seen;
    for (std::size_t i = 0; i < count; ++i) {
        const TColor c = PixelToColor(px[i]);
        if (seen.emplace(c, true).second) {
            distinct.push_back(c);
            if (distinct.size() > limit) break;
        }
    }
    if (distinct.size() <= limit) {
        // Masks are written with the usual black-and-white palette even when one colour is
        // missing.
        if (bits == 1 && std::all_of(distinct.begin(), distinct.end(),
                                     [](TColor c) { return c == clBlack || c == clWhite; }))
            return {clBlack, clWhite};
        std::sort(distinct.begin(), distinct.end());
        if (distinct.empty()) distinct.push_back(clBlack);
        return distinct;
    }
    return FixedPalette(bits);
}

PaletteMapper::PaletteMapper(const std::vector<TColor>& palette) : m_palette(palette) {
    for (std::size_t i = 0; i < m_palette.size() && i < 256; ++i)
        m_cache.emplace(m_palette[i] & 0xFFFFFF, std::uint8_t(i));
}

std::uint8_t PaletteMapper::Index(TPixel pixel) {
    const TColor c = PixelToColor(pixel);
    auto it = m_cache.find(c);
    if (it != m_cache.end()) return it->second;
    int best = 0;
    long bestDist = -1;
    for (std::size_t i = 0; i < m_palette.size() && i < 256; ++i) {
        const long dr = long(GetRValue(c)) - GetRValue(m_palette[i]);
        const long dg = long(GetGValue(c)) - GetGValue(m_palette[i]);
        const long db = long(GetBValue(c)) - GetBValue(m_palette[i]);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = int(i);
        }
    }
    m_cache.emplace(c, std::uint8_t(best));
    return std::uint8_t(best);
}

void ReducePixels(TBitmap& bitmap, TPixelFormat format) {
    const std::size_t count = std::size_t(bitmap.Width()) * std::size_t(bitmap.Height());
    TPixel* px = bitmap.Bits();
    switch (format) {
    case pf1bit:
    case pf4bit:
    case pf8bit: {
        const int bits = format == pf1bit ? 1 : format == pf4bit ? 4 : 8;
        std::vector<TColor> palette = ChoosePalette(bitmap, bits);
        PaletteMapper mapper(palette);
        for (std::size_t i = 0; i < count; ++i) px[i] = ColorToPixel(palette[mapper.Index(px[i])]);
        bitmap.SetPalette(std::move(palette));
        bitmap.SetAlphaFormat(afIgnored);
        break;
    }
    case pf15bit:
    case pf16bit: {
        const int greenBits = format == pf15bit ? 5 : 6;
        for (std::size_t i = 0; i < count; ++i) {
            auto cut = [](unsigned v, int b) {
                return ((v >> (8 - b)) * 255 + ((1u << b) - 1) / 2) / ((1u << b) - 1);
            };
            const unsigned r = cut((px[i] >> 16) & 0xFF, 5);
            const unsigned g = cut((px[i] >> 8) & 0xFF, greenBits);
            const unsigned b = cut(px[i] & 0xFF, 5);
            px[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
        bitmap.SetAlphaFormat(afIgnored);
        break;
    }
    case pf24bit:
        for (std::size_t i = 0; i < count; ++i) px[i] |= 0xFF000000u;
        bitmap.SetAlphaFormat(afIgnored);
        break;
    default:
        break;
    }
}

#pragma once
// A font face at one pixel size: FreeType outlines found through fontconfig, the platform's
// text metrics, and a cache of rendered antialiased glyphs. Faces are shared through
// TFontFace::Get; a face is never freed while a font uses it.
#include "gfx/Font.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct TGlyph {
    int left = 0;  // from the pen position to the first column of the bitmap
    int top = 0;   // from the baseline up to the first row of the bitmap
    int width = 0; // bitmap size
    int height = 0;
    int advance = 0;                    // pen movement in pixels
    int stride = 0;                     // from one row of coverage to the next
    std::vector<std::uint8_t> coverage; // stride x height, 0..255; zeros right of the width
};

class TFontFace {
public:
    // The face for a font description. Never fails: an unknown family falls back to
    // Liberation Sans, then to any sans face, then to a face that draws nothing.
    static std::shared_ptr<TFontFace> Get(const std::string& name, int height, bool bold,
                                          bool italic);
    ~TFontFace();
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;

    const TTextMetric& Metrics() const { return m_metrics; }
    const std::string& Family() const { return m_family; }
    const TGlyph& Glyph(char32_t ch);
    int Advance(char32_t ch) { return Glyph(ch).advance; }
    int TextWidth(std::u16string_view text);

    // Lines for underline and strike-out: offset of the line's top below the baseline
    // (negative = above) and its thickness, in pixels.
    int UnderlineOffset() const { return m_underlineOffset; }
    int UnderlineThickness() const { return m_underlineThickness; }
    int StrikeOutOffset() const { return m_strikeOutOffset; }
    int StrikeOutThickness() const { return m_strikeOutThickness; }

private:
    // Get without the last-face shortcut: the face from the library, made on first use.
    static std::shared_ptr<TFontFace> Find(const std::string& name, int height, bool bold,
                                           bool italic);
    TFontFace() = default;
    void Render(char32_t ch, TGlyph& glyph);

    void* m_face = nullptr; // FT_Face
    bool m_emboldenSynthetic = false;
    bool m_slantSynthetic = false;
    std::string m_family;
    TTextMetric m_metrics;
    int m_underlineOffset = 1;
    int m_underlineThickness = 1;
    int m_strikeOutOffset = -3;
    int m_strikeOutThickness = 1;
    std::vector<std::unique_ptr<TGlyph>> m_low; // code points below 0x500
    std::unordered_map<char32_t, std::unique_ptr<TGlyph>> m_high;
};

// Next code point of UTF-16 text from index i (advanced past it); lone surrogates stand for
// themselves.
inline char32_t NextCodePoint(std::u16string_view text, std::size_t& i) {
    const char16_t c = text[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF)
        return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i++]) - 0xDC00);
    return c;
}

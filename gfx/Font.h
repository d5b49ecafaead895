#pragma once
// TFont: a font description (name, height or size, style, colour, charset) and the face that
// renders it. Faces are found by fontconfig, loaded by FreeType and shared between fonts through
// a process-wide cache, so copying or changing a font is cheap.
#include "gfx/Color.h"
#include "gfx/Types.h"
#include "rtl/Object.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

class TFontFace;

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle values.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
        for (TFontStyle s : styles) m_bits |= Bit(s);
    }
    constexpr bool Contains(TFontStyle s) const { return (m_bits & Bit(s)) != 0; }
    constexpr TFontStyles& Include(TFontStyle s) {
        m_bits |= Bit(s);
        return *this;
    }
    constexpr TFontStyles& Exclude(TFontStyle s) {
        m_bits &= ~Bit(s);
        return *this;
    }
    constexpr TFontStyles operator+(TFontStyle s) const { return TFontStyles(*this).Include(s); }
    constexpr TFontStyles operator-(TFontStyle s) const { return TFontStyles(*this).Exclude(s); }
    constexpr TFontStyles operator+(TFontStyles o) const { return FromBits(m_bits | o.m_bits); }
    constexpr TFontStyles operator*(TFontStyles o) const { return FromBits(m_bits & o.m_bits); }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr unsigned Bits() const { return m_bits; }
    static constexpr TFontStyles FromBits(unsigned bits) {
        TFontStyles r;
        r.m_bits = bits & 0xF;
        return r;
    }
    constexpr bool operator==(const TFontStyles&) const = default;

private:
    static constexpr unsigned Bit(TFontStyle s) { return 1u << unsigned(s); }
    unsigned m_bits = 0;
};

enum TFontPitch { fpDefault, fpVariable, fpFixed };

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset RUSSIAN_CHARSET = 204;

// The platform's text metrics, in pixels: Height = Ascent + Descent; InternalLeading =
// Height - em size.
struct TTextMetric {
    int Height = 0;
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0;
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
};

class TFont : public TPersistent {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other); // copies the description, not OnChange
    ~TFont() override;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);
    // Negative: character (em) height in pixels; positive: cell height (ascent + descent).
    int Height() const { return m_height; }
    void SetHeight(int height);
    // Points at 96 pixels per inch: Height = -round(Size * 96 / 72).
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return m_charset; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return m_pitch; }
    void SetPitch(TFontPitch pitch);
    int PixelsPerInch() const { return 96; }

    // Copies name, height, style, colour, charset and pitch, then raises OnChange once.
    void Assign(const TFont& other);
    using TPersistent::Assign;
    void Assign(const TPersistent* source) override;
    // Same description (OnChange not compared).
    bool SameAs(const TFont& other) const;

    // The face this font renders with (never null: a missing face falls back).
    TFontFace& Face() const;
    // The same face at `scale` times the size, for drawing on a device-scaled surface (its
    // glyphs are rasterised at that size, not enlarged); Face() itself for scale 1.
    TFontFace& DeviceFace(int scale) const;
    TTextMetric Metrics() const;
    // The family name fontconfig actually gave for this font.
    std::string ResolvedFamily() const;

    // Raised after any property changed; the sender is the font.
    TNotifyEvent OnChange;

private:
    void Changed();

    std::string m_name = "MS Sans Serif";
    int m_height = -11;
    TFontStyles m_style;
    TColor m_color = clWindowText;
    TFontCharset m_charset = DEFAULT_CHARSET;
    TFontPitch m_pitch = fpDefault;
    mutable std::shared_ptr<TFontFace> m_face;
    mutable std::shared_ptr<TFontFace> m_deviceFace; // at m_deviceScale, made when drawn
    mutable int m_deviceScale = 0;
};

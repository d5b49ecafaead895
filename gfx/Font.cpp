#include "gfx/Font.h"

#include "gfx/FontFace.h"

#include <cmath>

TFont::TFont() = default;

TFont::TFont(const TFont& other) : TPersistent() {
    m_name = other.m_name;
    m_height = other.m_height;
    m_style = other.m_style;
    m_color = other.m_color;
    m_charset = other.m_charset;
    m_pitch = other.m_pitch;
    m_face = other.m_face;
    m_deviceFace = other.m_deviceFace;
    m_deviceScale = other.m_deviceScale;
}

TFont& TFont::operator=(const TFont& other) {
    if (this != &other) Assign(other);
    return *this;
}

TFont::~TFont() = default;

void TFont::SetName(const std::string& name) {
    if (name == m_name || name.empty()) return;
    m_name = name;
    m_face.reset();
    m_deviceFace.reset();
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == m_height) return;
    m_height = height;
    m_face.reset();
    m_deviceFace.reset();
    Changed();
}

int TFont::Size() const {
    // Size = -Height * 72 / 96, rounded as the platform does (half away from zero).
    return -int(std::lround(m_height * 72.0 / PixelsPerInch()));
}

void TFont::SetSize(int points) {
    SetHeight(-int(std::lround(points * double(PixelsPerInch()) / 72.0)));
}

void TFont::SetStyle(TFontStyles style) {
    if (style == m_style) return;
    const bool faceChanges = style.Contains(fsBold) != m_style.Contains(fsBold) ||
                             style.Contains(fsItalic) != m_style.Contains(fsItalic);
    m_style = style;
    if (faceChanges) {
        m_face.reset();
        m_deviceFace.reset();
    }
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == m_color) return;
    m_color = color;
    Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == m_charset) return;
    m_charset = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == m_pitch) return;
    m_pitch = pitch;
    Changed();
}

void TFont::Assign(const TFont& other) {
    if (this == &other) return;
    if (SameAs(other)) return;
    const bool sameFace = m_name == other.m_name && m_height == other.m_height &&
                          m_style.Contains(fsBold) == other.m_style.Contains(fsBold) &&
                          m_style.Contains(fsItalic) == other.m_style.Contains(fsItalic);
    m_name = other.m_name;
    m_height = other.m_height;
    m_style = other.m_style;
    m_color = other.m_color;
    m_charset = other.m_charset;
    m_pitch = other.m_pitch;
    if (!sameFace) {
        m_face = other.m_face;
        m_deviceFace = other.m_deviceFace;
        m_deviceScale = other.m_deviceScale;
    }
    Changed();
}

void TFont::Assign(const TPersistent* source) {
    if (const auto* font = dynamic_cast<const TFont*>(source)) {
        Assign(*font);
        return;
    }
    TPersistent::Assign(source);
}

bool TFont::SameAs(const TFont& other) const {
    return m_name == other.m_name && m_height == other.m_height && m_style == other.m_style &&
           m_color == other.m_color && m_charset == other.m_charset && m_pitch == other.m_pitch;
}

TFontFace& TFont::Face() const {
    if (!m_face)
        m_face =
            TFontFace::Get(m_name, m_height, m_style.Contains(fsBold), m_style.Contains(fsItalic));
    return *m_face;
}

TFontFace& TFont::DeviceFace(int scale) const {
    if (scale <= 1) return Face();
    if (!m_deviceFace || m_deviceScale != scale) {
        m_deviceFace = TFontFace::Get(m_name, (m_height == 0 ? -11 : m_height) * scale,
                                      m_style.Contains(fsBold), m_style.Contains(fsItalic));
        m_deviceScale = scale;
    }
    return *m_deviceFace;
}

TTextMetric TFont::Metrics() const {
    return Face().Metrics();
}

std::string TFont::ResolvedFamily() const {
    return Face().Family();
}

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

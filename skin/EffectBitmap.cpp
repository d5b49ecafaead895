#include "skin/EffectBitmap.h"

#include "gfx/Canvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

using Table = std::array<std::uint8_t, 256>;

std::uint8_t Clamp255(double v) {
    const double r = std::nearbyint(v); // halves to even
    return std::uint8_t(r < 0 ? 0 : r > 255 ? 255 : r);
}

double ClampUnit(double k) {
    if (!(k > 0)) return 0;
    return k > 1 ? 1 : k;
}

// c = (1 - k) c + k target for every byte value.
Table MixTable(double k, double target) {
    Table t{};
    for (int c = 0; c < 256; ++c) t[std::size_t(c)] = Clamp255((1 - k) * c + k * target);
    return t;
}

void MapBytes(std::uint8_t* p, std::size_t n, const Table& t) {
    for (std::size_t i = 0; i < n; ++i) p[i] = t[p[i]];
}

// Channel-wise mean (sum shifted right by 2) of the four pixels n away diagonally from (x, y)
// in a copy of the buffer; neighbours beyond the edges come from the nearest edge.
struct DiagonalSource {
    std::vector<std::uint8_t> bits;
    int width, height, rowInc;
    const std::uint8_t* At(int x, int y) const {
        x = std::clamp(x, 0, width - 1);
        y = std::clamp(y, 0, height - 1);
        return bits.data() + std::size_t(y) * std::size_t(rowInc) + 3 * std::size_t(x);
    }
    void Mean(int x, int y, int n, std::uint8_t* out) const {
        const std::uint8_t* a = At(x - n, y - n);
        const std::uint8_t* b = At(x + n, y - n);
        const std::uint8_t* c = At(x - n, y + n);
        const std::uint8_t* d = At(x + n, y + n);
        for (int ch = 0; ch < 3; ++ch) out[ch] = std::uint8_t((a[ch] + b[ch] + c[ch] + d[ch]) >> 2);
    }
};

bool IsWhite(TPixel p) {
    return (p & 0xFFFFFFu) == 0xFFFFFFu;
}

} // namespace

TspEffectBmp::TspEffectBmp(int width, int height) {
    Resize(width, height);
}

TspEffectBmp::TspEffectBmp(const TBitmap& bitmap) {
    Assign(bitmap);
}

void TspEffectBmp::Resize(int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    if (m_width == 0 || m_height == 0) m_width = m_height = 0;
    m_rowInc = m_width * 3 + m_width % 4;
    m_bits.assign(std::size_t(m_rowInc) * std::size_t(m_height), 0);
}

TColor TspEffectBmp::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return clNone;
    const std::uint8_t* p = ScanLine(y) + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

void TspEffectBmp::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    std::uint8_t* p = ScanLine(y) + 3 * x;
    p[0] = GetBValue(color);
    p[1] = GetGValue(color);
    p[2] = GetRValue(color);
}

void TspEffectBmp::Assign(const TBitmap& bitmap) {
    Resize(bitmap.DeviceWidth(), bitmap.DeviceHeight());
    m_scale = bitmap.Scale();
    for (int y = 0; y < m_height; ++y) {
        const TPixel* src = bitmap.ScanLine(y);
        std::uint8_t* dst = ScanLine(y);
        for (int x = 0; x < m_width; ++x) {
            const TPixel p = src[x];
            dst[3 * x] = std::uint8_t(p);
            dst[3 * x + 1] = std::uint8_t(p >> 8);
            dst[3 * x + 2] = std::uint8_t(p >> 16);
        }
    }
}

void TspEffectBmp::AssignTo(TBitmap& bitmap) const {
    bitmap.SetScale(m_scale);
    bitmap.SetSize(m_width / m_scale, m_height / m_scale);
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* src = ScanLine(y);
        TPixel* dst = bitmap.ScanLine(y);
        for (int x = 0; x < m_width; ++x)
            dst[x] = 0xFF000000u | (TPixel(src[3 * x + 2]) << 16) | (TPixel(src[3 * x + 1]) << 8) |
                     src[3 * x];
    }
    bitmap.Changed();
}

void TspEffectBmp::DrawAt(TCanvas& canvas, int x, int y) const {
    if (Empty() || !canvas.HasSurface()) return;
    const int s = canvas.Scale();
    if (s != m_scale) {
        // Another scale: resized by whole pixels through the canvas.
        TBitmap picture;
        AssignTo(picture);
        canvas.Draw(x, y, picture);
        return;
    }
    const TPoint o = canvas.Origin();
    const TRect dest = Bounds((x + o.X) * s, (y + o.Y) * s, m_width, m_height);
    bool drawn = false;
    for (const TRect& clip : canvas.ClipRegion().Rects()) {
        const TRect c = IntersectRect(clip, dest);
        if (c.IsEmpty()) continue;
        drawn = true;
        for (int row = c.Top; row < c.Bottom; ++row) {
            const std::uint8_t* src = ScanLine(row - dest.Top) + 3 * (c.Left - dest.Left);
            TPixel* dst = canvas.SurfaceRow(row) + c.Left;
            for (int i = 0; i < c.Width(); ++i)
                dst[i] = 0xFF000000u | (TPixel(src[3 * i + 2]) << 16) |
                         (TPixel(src[3 * i + 1]) << 8) | src[3 * i];
        }
    }
    if (drawn && canvas.OnChange) canvas.OnChange(&canvas);
}

void TspEffectBmp::Lighten(double k) {
    MapBytes(m_bits.data(), m_bits.size(), MixTable(ClampUnit(k), 255));
}

void TspEffectBmp::Darken(double k) {
    MapBytes(m_bits.data(), m_bits.size(), MixTable(ClampUnit(k), 0));
}

void TspEffectBmp::Invert() {
    std::uint8_t* p = m_bits.data();
    for (std::size_t i = 0, n = m_bits.size(); i < n; ++i) p[i] = std::uint8_t(255 - p[i]);
}

void TspEffectBmp::Grayscale() {
    // 0.3 R + 0.59 G + 0.11 B in hundredths, so that halves are exact and go to even.
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < m_width; ++x, p += 3) {
            const int s = 30 * p[2] + 59 * p[1] + 11 * p[0];
            int q = s / 100;
            const int r = s % 100;
            if (r > 50 || (r == 50 && (q & 1))) ++q;
            p[0] = p[1] = p[2] = std::uint8_t(q);
        }
    }
}

void TspEffectBmp::Noise(int n) {
    if (n <= 0) return;
    std::uint32_t state = 0x9E3779B9u;
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < m_width; ++x, p += 3) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int offset = int(state % std::uint32_t(n)) - n / 2;
            for (int c = 0; c < 3; ++c) p[c] = std::uint8_t(std::clamp(p[c] + offset, 0, 255));
        }
    }
}

void TspEffectBmp::SplitBlur(int n) {
    if (n <= 0 || Empty()) return;
    const DiagonalSource source{m_bits, m_width, m_height, m_rowInc};
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < m_width; ++x, p += 3) source.Mean(x, y, n, p);
    }
}

void TspEffectBmp::RotateLeft(TspEffectBmp& dest) const {
    if (dest.m_width != m_height || dest.m_height != m_width || Empty()) return;
    // Anticlockwise: the top-right corner ends at the top-left.
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* src = ScanLine(y);
        for (int x = 0; x < m_width; ++x)
            std::memcpy(dest.ScanLine(m_width - 1 - x) + 3 * y, src + 3 * x, 3);
    }
}

void TspEffectBmp::RotateRight(TspEffectBmp& dest) const {
    if (dest.m_width != m_height || dest.m_height != m_width || Empty()) return;
    // Clockwise: the bottom-left corner ends at the top-left.
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* src = ScanLine(y);
        for (int x = 0; x < m_width; ++x)
            std::memcpy(dest.ScanLine(x) + 3 * (m_height - 1 - y), src + 3 * x, 3);
    }
}

void TspEffectBmp::FlipVertical(TspEffectBmp& dest) const {
    if (!SameSize(dest) || Empty() || &dest == this) return;
    for (int y = 0; y < m_height; ++y)
        std::memcpy(dest.ScanLine(m_height - 1 - y), ScanLine(y), std::size_t(m_width) * 3);
}

void TspEffectBmp::MaskedSmooth(const TBitmap& mask, int n) {
    if (Empty() || mask.DeviceWidth() < m_width || mask.DeviceHeight() < m_height || n <= 0) return;
    const DiagonalSource source{m_bits, m_width, m_height, m_rowInc};
    auto maskWhite = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= mask.DeviceWidth() || y >= mask.DeviceHeight()) return false;
        return IsWhite(mask.ScanLine(y)[x]);
    };
    for (int y = 0; y < m_height; ++y) {
        const TPixel* m = mask.ScanLine(y);
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < m_width; ++x, p += 3) {
            if (IsWhite(m[x])) continue;
            if (!maskWhite(x - n, y - n) && !maskWhite(x + n, y - n) && !maskWhite(x - n, y + n) &&
                !maskWhite(x + n, y + n))
                continue;
            source.Mean(x, y, n, p);
        }
    }
}

void TspEffectBmp::MaskedTint(const TBitmap& mask, TColor color, double k) {
    if (Empty() || mask.DeviceWidth() < m_width || mask.DeviceHeight() < m_height) return;
    k = ClampUnit(k);
    const TColor rgb = ColorToRGB(color);
    const Table tb = MixTable(k, GetBValue(rgb));
    const Table tg = MixTable(k, GetGValue(rgb));
    const Table tr = MixTable(k, GetRValue(rgb));
    for (int y = 0; y < m_height; ++y) {
        const TPixel* m = mask.ScanLine(y);
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < m_width; ++x, p += 3) {
            if (IsWhite(m[x])) continue;
            p[0] = tb[p[0]];
            p[1] = tg[p[1]];
            p[2] = tr[p[2]];
        }
    }
}

void ApplyInactiveEffect(TspEffectBmp& bitmap, int effect) {
    switch (effect) {
    case ieBrightness:
        bitmap.Lighten(0.5);
        return;
    case ieDarkness:
        bitmap.Darken(0.3);
        return;
    case ieGrayscale:
        bitmap.Grayscale();
        return;
    case ieNoise:
        bitmap.Noise(50);
        return;
    case ieSplitBlur:
        bitmap.SplitBlur(1);
        return;
    case ieInvert:
        bitmap.Invert();
        return;
    }
}

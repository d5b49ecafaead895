#include "tools/skingen/Raster.h"

#include <algorithm>
#include <cmath>

namespace {
int Clamp255(double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}
} // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return {Clamp255(a.r + (b.r - a.r) * t), Clamp255(a.g + (b.g - a.g) * t),
            Clamp255(a.b + (b.b - a.b) * t)};
}
Rgb Lighter(Rgb c, double t) {
    return Mix(c, {255, 255, 255}, t);
}
Rgb Darker(Rgb c, double t) {
    return Mix(c, {0, 0, 0}, t);
}
unsigned ColorValue(Rgb c) {
    return unsigned(c.r) | (unsigned(c.g) << 8) | (unsigned(c.b) << 16);
}

Shape RoundRectShape(const TRect& r, double radius) {
    return [=](double x, double y) {
        if (x < r.Left || x > r.Right || y < r.Top || y > r.Bottom) return false;
        double cx = std::clamp(x, r.Left + radius, r.Right - radius);
        double cy = std::clamp(y, r.Top + radius, r.Bottom - radius);
        double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= radius * radius;
    };
}

Shape CircleShape(double cx, double cy, double radius) {
    return [=](double x, double y) {
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}

Shape SegmentShape(double x1, double y1, double x2, double y2, double halfWidth) {
    return [=](double x, double y) {
        double vx = x2 - x1, vy = y2 - y1;
        double len2 = vx * vx + vy * vy;
        double t = len2 > 0 ? std::clamp(((x - x1) * vx + (y - y1) * vy) / len2, 0.0, 1.0) : 0;
        double dx = x - (x1 + t * vx), dy = y - (y1 + t * vy);
        return dx * dx + dy * dy <= halfWidth * halfWidth;
    };
}

Shape UnionShape(std::vector<Shape> parts) {
    return [parts = std::move(parts)](double x, double y) {
        for (const Shape& s : parts)
            if (s(x, y)) return true;
        return false;
    };
}

Shape TriangleShape(TPoint a, TPoint b, TPoint c) {
    return [=](double x, double y) {
        auto side = [&](TPoint p, TPoint q) {
            return (q.X - p.X) * (y - p.Y) - (q.Y - p.Y) * (x - p.X);
        };
        double d1 = side(a, b), d2 = side(b, c), d3 = side(c, a);
        bool neg = d1 < 0 || d2 < 0 || d3<0, pos = d1> 0 || d2 > 0 || d3 > 0;
        return !(neg && pos);
    };
}

Raster::Raster(int width, int height, Rgb fill)
    : m_width(width), m_height(height), m_pixels(std::size_t(width) * height, fill) {}

Rgb Raster::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return {};
    return m_pixels[std::size_t(y) * m_width + x];
}

void Raster::Put(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    m_pixels[std::size_t(y) * m_width + x] = c;
}

void Raster::Blend(int x, int y, Rgb c, double alpha) {
    Put(x, y, Mix(Get(x, y), c, alpha));
}

void Raster::FillRect(const TRect& r, Rgb c) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) Put(x, y, c);
}

void Raster::HLine(int x1, int x2, int y, Rgb c) {
    FillRect({x1, y, x2, y + 1}, c);
}
void Raster::VLine(int x, int y1, int y2, Rgb c) {
    FillRect({x, y1, x + 1, y2}, c);
}

void Raster::VGradient(const TRect& r, Rgb top, Rgb bottom) {
    int h = std::max(1, r.Height() - 1);
    for (int y = r.Top; y < r.Bottom; ++y) {
        Rgb c = Mix(top, bottom, double(y - r.Top) / h);
        HLine(r.Left, r.Right, y, c);
    }
}

double Raster::Coverage(const Shape& shape, int x, int y) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            if (shape(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
    return hits / 16.0;
}

void Raster::FillShape(const TRect& area, const Shape& shape,
                       const std::function<Rgb(int, int)>& color) {
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            double a = Coverage(shape, x, y);
            if (a > 0) Blend(x, y, color(x, y), a);
        }
}

void Raster::FillShape(const TRect& area, const Shape& shape, Rgb color) {
    FillShape(area, shape, [color](int, int) { return color; });
}

void Raster::CopyBlock(const TRect& from, int toX, int toY) {
    std::vector<Rgb> block;
    for (int y = from.Top; y < from.Bottom; ++y)
        for (int x = from.Left; x < from.Right; ++x) block.push_back(Get(x, y));
    std::size_t i = 0;
    for (int y = 0; y < from.Height(); ++y)
        for (int x = 0; x < from.Width(); ++x) Put(toX + x, toY + y, block[i++]);
}

TBitmap Raster::ToBitmap(TPixelFormat format) const {
    TBitmap bitmap(m_width, m_height);
    for (int y = 0; y < m_height; ++y) {
        TPixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < m_width; ++x) {
            Rgb c = m_pixels[std::size_t(y) * m_width + x];
            row[x] = 0xFF000000u | (TPixel(c.r) << 16) | (TPixel(c.g) << 8) | TPixel(c.b);
        }
    }
    bitmap.SetPixelFormat(format);
    return bitmap;
}

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

Shape RoundRectShape(const Box& r, double radius) {
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

Raster::Raster(int width, int height, Rgb fill, int scale)
    : m_width(width), m_height(height), m_scale(scale),
      m_pixels(std::size_t(width) * scale * std::size_t(height) * scale, fill) {}

Rgb Raster::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= DeviceWidth() || y >= DeviceHeight()) return {};
    return m_pixels[std::size_t(y) * DeviceWidth() + x];
}

void Raster::Put(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= DeviceWidth() || y >= DeviceHeight()) return;
    m_pixels[std::size_t(y) * DeviceWidth() + x] = c;
}

void Raster::Blend(int x, int y, Rgb c, double alpha) {
    Put(x, y, Mix(Get(x, y), c, alpha));
}

Rgb Raster::GetAt(double x, double y) const {
    return Get(int(std::floor(x * m_scale)), int(std::floor(y * m_scale)));
}

void Raster::PutAt(double x, double y, Rgb c) {
    Put(int(std::floor(x * m_scale)), int(std::floor(y * m_scale)), c);
}

TRect Raster::DeviceRect(const Box& r) const {
    auto d = [&](double v) { return int(std::lround(v * m_scale)); };
    return {d(r.Left), d(r.Top), d(r.Right), d(r.Bottom)};
}

void Raster::FillRect(const Box& r, Rgb c) {
    const TRect d = DeviceRect(r);
    for (int y = d.Top; y < d.Bottom; ++y)
        for (int x = d.Left; x < d.Right; ++x) Put(x, y, c);
}

void Raster::HLine(double x1, double x2, double y, Rgb c) {
    FillRect({x1, y, x2, y + Px()}, c);
}
void Raster::VLine(double x, double y1, double y2, Rgb c) {
    FillRect({x, y1, x + Px(), y2}, c);
}

double Raster::Ramp(double y, double top, double height) const {
    const double span = std::max(Px(), height - Px());
    return std::clamp((y - top) / span, 0.0, 1.0);
}

void Raster::ForEachRow(double top, double bottom, const std::function<void(double y)>& row) const {
    const TRect d = DeviceRect({0, top, 0, bottom});
    for (int y = d.Top; y < d.Bottom; ++y) row(PointOf(y));
}

void Raster::VGradient(const Box& r, Rgb top, Rgb bottom) {
    ForEachRow(r.Top, r.Bottom, [&](double y) {
        HLine(r.Left, r.Right, y, Mix(top, bottom, Ramp(y, r.Top, r.Height())));
    });
}

double Raster::Coverage(const Shape& shape, int x, int y) const {
    int hits = 0;
    const double s = m_scale;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            if (shape((x + (sx + 0.5) / 4.0) / s, (y + (sy + 0.5) / 4.0) / s)) ++hits;
    return hits / 16.0;
}

void Raster::FillShape(const Box& area, const Shape& shape,
                       const std::function<Rgb(double, double)>& color) {
    const TRect d = DeviceRect(area);
    for (int y = d.Top; y < d.Bottom; ++y)
        for (int x = d.Left; x < d.Right; ++x) {
            double a = Coverage(shape, x, y);
            if (a > 0) Blend(x, y, color(PointOf(x), PointOf(y)), a);
        }
}

void Raster::FillShape(const Box& area, const Shape& shape, Rgb color) {
    FillShape(area, shape, [color](double, double) { return color; });
}

TBitmap Raster::ToBitmap(TPixelFormat format) const {
    TBitmap bitmap(DeviceWidth(), DeviceHeight());
    for (int y = 0; y < DeviceHeight(); ++y) {
        TPixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < DeviceWidth(); ++x) {
            Rgb c = m_pixels[std::size_t(y) * DeviceWidth() + x];
            row[x] = 0xFF000000u | (TPixel(c.r) << 16) | (TPixel(c.g) << 8) | TPixel(c.b);
        }
    }
    bitmap.SetPixelFormat(format);
    return bitmap;
}

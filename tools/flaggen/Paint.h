#pragma once
// Coverage-sampled painting on the generator's pictures: every pixel takes the share of its
// 4 x 4 samples that fall inside a shape as the opacity of the shape's colour, so edges and
// round shapes stay soft at any scale. Positions are in points of the 16 x 16 picture; a
// scaled picture samples its finer pixels.

#include "tools/flaggen/Image16.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace flaggen {

struct Rgb {
    unsigned r, g, b;
};

template <class Image>
void Fill(Image& image, Rgb colour, const std::function<bool(double, double)>& inside) {
    const int s = image.Scale();
    for (int y = 0; y < kSide * s; ++y) {
        for (int x = 0; x < kSide * s; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inside((x + (sx + 0.5) / 4.0) / s, (y + (sy + 0.5) / 4.0) / s)) ++hits;
            if (hits == 0) continue;
            const double a = hits / 16.0;
            const uint32_t under = image.At(x, y);
            const double ua = (under >> 24) / 255.0;
            const double outA = a + ua * (1 - a);
            auto mix = [&](unsigned top, unsigned bottom) {
                return static_cast<unsigned>(std::lround((top * a + bottom * ua * (1 - a)) / outA));
            };
            image.At(x, y) = Argb(static_cast<unsigned>(std::lround(outA * 255)),
                                  mix(colour.r, (under >> 16) & 0xFF),
                                  mix(colour.g, (under >> 8) & 0xFF), mix(colour.b, under & 0xFF));
        }
    }
}

template <class Image>
void FillRect(Image& image, Rgb colour, double l, double t, double r, double b) {
    Fill(image, colour, [=](double x, double y) { return x >= l && x < r && y >= t && y < b; });
}

template <class Image>
void FillCircle(Image& image, Rgb colour, double cx, double cy, double radius) {
    Fill(image, colour, [=](double x, double y) {
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    });
}

// A regular polygon with n corners, the first one at angle start (radians, 0 = right).
inline bool InPolygon(double x, double y, double cx, double cy, double radius, int n,
                      double start) {
    // Inside when on the inner side of every edge.
    for (int i = 0; i < n; ++i) {
        const double a1 = start + 2 * std::numbers::pi * i / n;
        const double a2 = start + 2 * std::numbers::pi * (i + 1) / n;
        const double x1 = cx + radius * std::cos(a1), y1 = cy + radius * std::sin(a1);
        const double x2 = cx + radius * std::cos(a2), y2 = cy + radius * std::sin(a2);
        const double cross = (x2 - x1) * (y - y1) - (y2 - y1) * (x - x1);
        if (cross < 0) return false;
    }
    return true;
}

} // namespace flaggen

#include "tools/flaggen/FlagCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace flaggen {

namespace {

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// Distance from p to the segment a-b.
double SegmentDistance(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Even-odd rule, so outlines that turn back on themselves work too.
bool InsideCorners(const std::vector<Point>& corners, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const Point a = corners[i], b = corners[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

std::vector<double> Bounds(std::size_t count, std::initializer_list<double> weights,
                           double length) {
    std::vector<double> w(weights);
    if (w.size() != count) w.assign(count, 1.0);
    double total = 0;
    for (double v : w) total += v;
    std::vector<double> bounds{0};
    for (double v : w) bounds.push_back(bounds.back() + v / total * length);
    return bounds;
}

// The package paints brighter, purer colours than the official ones: strong colours are
// lifted a little towards full brightness and saturation (greens less, and turned towards
// pure green, as the package's are); greys, black and white stay as they are.
Rgb Vivid(Rgb c) {
    const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
    const double value = std::max({r, g, b}), low = std::min({r, g, b});
    if (value <= 0 || value == low) return c;
    const double chroma = value - low;
    double hue = value == r   ? std::fmod((g - b) / chroma + 6, 6.0)
                 : value == g ? (b - r) / chroma + 2
                              : (r - g) / chroma + 4; // sixths of the circle
    const bool green = hue > 1.35 && hue < 2.9;
    if (green) hue = 2.1 + (hue - 2.1) * 0.3;
    const double saturation = chroma / value;
    const double v = value + (1 - value) * (green ? 0.1 : 0.3) * saturation;
    const double s = std::min(1.0, saturation * 1.1);
    auto channel = [&](double n) {
        const double k = std::fmod(n + hue, 6.0);
        const double f = v - v * s * std::max(0.0, std::min({k, 4 - k, 1.0}));
        return static_cast<unsigned>(std::lround(f * 255));
    };
    return {channel(5), channel(3), channel(1)};
}

} // namespace

FlagCanvas::FlagCanvas(ScaledImage& image, int width, int height)
    : image_(image), left_((kSide - width) / 2), top_((kSide - height) / 2), width_(width),
      height_(height) {}

void FlagCanvas::Shape(Rgb colour, const std::function<bool(double, double)>& inside) {
    Fill(image_, colour, [&](double x, double y) {
        x -= left_;
        y -= top_;
        return x >= 0 && x < width_ && y >= 0 && y < height_ && inside(x, y);
    });
}

void FlagCanvas::Rect(Rgb colour, double l, double t, double r, double b) {
    Shape(colour, [=](double x, double y) { return x >= l && x < r && y >= t && y < b; });
}

// Each band is painted from its start to the far edge, the next one over it, so the soft
// edge between two bands blends their colours instead of leaving a half-clear seam.
void FlagCanvas::HStripes(std::initializer_list<Rgb> colours,
                          std::initializer_list<double> weights) {
    const std::vector<double> bounds = Bounds(colours.size(), weights, height_);
    std::size_t i = 0;
    for (Rgb c : colours) {
        Rect(c, 0, bounds[i], width_, height_);
        ++i;
    }
}

void FlagCanvas::VStripes(std::initializer_list<Rgb> colours,
                          std::initializer_list<double> weights) {
    const std::vector<double> bounds = Bounds(colours.size(), weights, width_);
    std::size_t i = 0;
    for (Rgb c : colours) {
        Rect(c, bounds[i], 0, width_, height_);
        ++i;
    }
}

void FlagCanvas::Cross(Rgb colour, double cx, double cy, double thickness) {
    const double h = thickness / 2;
    Shape(colour, [=](double x, double y) { return std::abs(x - cx) < h || std::abs(y - cy) < h; });
}

void FlagCanvas::Saltire(Rgb colour, double thickness, double l, double t, double r, double b) {
    const double h = thickness / 2;
    Shape(colour, [=](double x, double y) {
        return x >= l && x < r && y >= t && y < b &&
               (SegmentDistance({x, y}, {l, t}, {r, b}) < h ||
                SegmentDistance({x, y}, {l, b}, {r, t}) < h);
    });
}

void FlagCanvas::Line(Rgb colour, Point from, Point to, double thickness) {
    Shape(colour, [=](double x, double y) {
        return SegmentDistance({x, y}, from, to) < thickness / 2;
    });
}

void FlagCanvas::Polygon(Rgb colour, std::vector<Point> corners) {
    Shape(colour, [c = std::move(corners)](double x, double y) { return InsideCorners(c, x, y); });
}

void FlagCanvas::Disc(Rgb colour, double cx, double cy, double radius) {
    Ellipse(colour, cx, cy, radius, radius);
}

void FlagCanvas::Ellipse(Rgb colour, double cx, double cy, double rx, double ry) {
    Shape(colour, [=](double x, double y) {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1;
    });
}

void FlagCanvas::Ring(Rgb colour, double cx, double cy, double outer, double inner) {
    Shape(colour, [=](double x, double y) {
        const double d = std::hypot(x - cx, y - cy);
        return d <= outer && d >= inner;
    });
}

void FlagCanvas::Star(Rgb colour, double cx, double cy, double radius, int points, double inner,
                      double angle) {
    std::vector<Point> corners;
    for (int i = 0; i < 2 * points; ++i) {
        const double a = Radians(angle) + std::numbers::pi * i / points;
        const double r = i % 2 == 0 ? radius : radius * inner;
        corners.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    Polygon(colour, std::move(corners));
}

void FlagCanvas::Crescent(Rgb colour, double cx, double cy, double radius, double shift,
                          double cut) {
    Shape(colour, [=](double x, double y) {
        return std::hypot(x - cx, y - cy) <= radius && std::hypot(x - cx - shift, y - cy) > cut;
    });
}

void FlagCanvas::Serrated(Rgb colour, double edge, double depth, int teeth) {
    const double h = height_;
    Shape(colour, [=](double x, double y) {
        const double phase = std::fmod(y / h * teeth, 1.0);
        return x < edge + depth * (1 - std::abs(2 * phase - 1));
    });
}

void FlagCanvas::Checks(Rgb first, Rgb second, double l, double t, double r, double b, int nx,
                        int ny) {
    Rect(second, l, t, r, b);
    Shape(first, [=](double x, double y) {
        if (x < l || x >= r || y < t || y >= b) return false;
        const int i = int((x - l) / (r - l) * nx), j = int((y - t) / (b - t) * ny);
        return (i + j) % 2 == 0;
    });
}

void FlagCanvas::Shield(Rgb colour, double cx, double top, double width, double height) {
    const double half = width / 2, straight = top + height * 0.45;
    const double ry = top + height - straight;
    Shape(colour, [=](double x, double y) {
        if (std::abs(x - cx) > half || y < top) return false;
        if (y < straight) return true;
        const double dx = (x - cx) / half, dy = (y - straight) / ry;
        return dx * dx + dy * dy <= 1;
    });
}

void FlagCanvas::UnionCanton(double l, double t, double r, double b) {
    const Rgb blue{1, 33, 105}, red{200, 16, 46}, white{255, 255, 255};
    const double h = b - t;
    Rect(blue, l, t, r, b);
    Saltire(white, h * 0.2, l, t, r, b);
    Saltire(red, h * 0.07, l, t, r, b);
    const double cx = (l + r) / 2, cy = (t + b) / 2;
    Shape(white, [=](double x, double y) {
        return x >= l && x < r && y >= t && y < b &&
               (std::abs(x - cx) < h / 6 || std::abs(y - cy) < h / 6);
    });
    Shape(red, [=](double x, double y) {
        return x >= l && x < r && y >= t && y < b &&
               (std::abs(x - cx) < h / 10 || std::abs(y - cy) < h / 10);
    });
}

void Glaze(ScaledImage& image, int width, int height) {
    const int s = image.Scale();
    const int left = (kSide - width) / 2 * s, top = (kSide - height) / 2 * s;
    const int right = left + width * s, bottom = top + height * s;
    // The rim and the light band inside it are one pixel each at 1x; finer screens get two
    // pixels each, thin enough to stay an outline.
    const int band = (2 * s + 2) / 3;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const uint32_t p = image.At(x, y);
            const double u = (x + 0.5 - left) / (right - left);
            const double v = (y + 0.5 - top) / (bottom - top);
            const int edge = std::min({x - left, y - top, right - 1 - x, bottom - 1 - y});
            double white, shade;
            if (edge < band) {
                white = 0;
                shade = 0.95 - 0.2 * (u + v) / 2;
            } else if (edge < 2 * band) {
                white = 0.42 - 0.1 * u;
                shade = 1 - 0.04 * u;
            } else {
                white = 0.38 - 0.22 * u - 0.1 * v;
                shade = 1 - 0.04 * u;
            }
            const Rgb c = Vivid({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF});
            auto tone = [&](unsigned channel) {
                return static_cast<unsigned>(
                    std::lround((channel + (255 - channel) * white) * shade));
            };
            image.At(x, y) = (p & 0xFF000000u) | (tone(c.r) << 16) | (tone(c.g) << 8) | tone(c.b);
        }
    }
}

} // namespace flaggen

// icongen OUTDIR — draws the program's icon at the desktop's usual sizes and writes
// OUTDIR/hicolor/<n>x<n>/apps/brelvan.png for each, and for dense screens the same sizes
// in points drawn at twice the pixels, OUTDIR/hicolor/<n>x<n>@2/apps/brelvan.png. The icon wears
// the skin's colours: the slate of the caption, a white ball with slate patches, and the blue of
// the skin's buttons as a rising tips bar.
#include "gfx/Png.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 96, 128, 256};
// A desktop at scale 2 looks for an icon of n points in <n>x<n>@2 before it enlarges one.
constexpr int kDenseScale = 2;

struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;
};

// Paints `top` over `bottom` (straight alpha).
Rgba Over(const Rgba& top, const Rgba& bottom) {
    double a = top.a + bottom.a * (1 - top.a);
    if (a <= 0) return {};
    auto mix = [&](double t, double b) { return (t * top.a + b * bottom.a * (1 - top.a)) / a; };
    return {mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b), a};
}

Rgba Lerp(const Rgba& a, const Rgba& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

// Signed distance to a rounded square centred at (0.5, 0.5).
double RoundedSquare(double x, double y, double half, double radius) {
    double qx = std::fabs(x - 0.5) - (half - radius);
    double qy = std::fabs(y - 0.5) - (half - radius);
    double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// Signed distance to a regular pentagon of circumradius r centred at (cx, cy), turned by `angle`.
double Pentagon(double x, double y, double cx, double cy, double r, double angle) {
    const double pi = 3.14159265358979323846;
    double dx = x - cx, dy = y - cy;
    double worst = -1e9;
    for (int k = 0; k < 5; ++k) {
        double a = angle + (k + 0.5) * 2 * pi / 5;
        worst = std::max(worst, dx * std::cos(a) + dy * std::sin(a) - r * std::cos(pi / 5));
    }
    return worst;
}

// The colour of the icon at a point of the unit square (y downwards).
Rgba Sample(double x, double y) {
    const double pi = 3.14159265358979323846;
    Rgba out;
    // Tile: slate, lighter at the top like the caption bar.
    if (RoundedSquare(x, y, 0.47, 0.12) < 0) {
        out = Lerp({0.30, 0.34, 0.41, 1}, {0.13, 0.16, 0.21, 1}, y);
        // A thin light rim at the top edge gives the tile some depth.
        if (RoundedSquare(x, y, 0.47, 0.12) > -0.02 && y < 0.5) out = Over({1, 1, 1, 0.18}, out);
    }
    // Tips bar: three rising columns in the buttons' blue, behind the ball's right side.
    const double bars[3][2] = {{0.56, 0.64}, {0.68, 0.50}, {0.80, 0.34}};
    for (const auto& bar : bars) {
        if (x >= bar[0] && x < bar[0] + 0.09 && y >= bar[1] && y < 0.86) {
            double t = (y - bar[1]) / (0.86 - bar[1]);
            out = Over(Lerp({0.35, 0.62, 0.95, 1}, {0.12, 0.40, 0.80, 1}, t), out);
        }
    }
    // Ball: white, shaded towards the lower right, with a slate rim.
    const double bx = 0.40, by = 0.56, br = 0.27;
    double d = std::hypot(x - bx, y - by);
    if (d < br) {
        double light = std::clamp(1.0 - 0.35 * ((x - bx) + (y - by) + br) / (2 * br), 0.0, 1.0);
        Rgba ball{light, light, std::min(1.0, light + 0.02), 1};
        const Rgba patch{0.16, 0.19, 0.24, 1};
        bool dark = Pentagon(x, y, bx, by, br * 0.36, -pi / 2) < 0;
        for (int k = 0; k < 5 && !dark; ++k) {
            double a = -pi / 2 + k * 2 * pi / 5 + pi / 5;
            dark = Pentagon(x, y, bx + std::cos(a) * br * 0.92, by + std::sin(a) * br * 0.92,
                            br * 0.30, a + pi / 5) < 0;
        }
        out = Over(dark ? patch : ball, out);
        if (d > br - 0.022) out = Over({0.10, 0.12, 0.16, 1}, out);
    }
    return out;
}

// Each pixel averages 8 x 8 samples, so edges stay smooth at every size.
TBitmap DrawIcon(int size) {
    TBitmap icon(size, size);
    constexpr int kSub = 8;
    for (int py = 0; py < size; ++py) {
        TPixel* row = icon.ScanLine(py);
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSub; ++sy)
                for (int sx = 0; sx < kSub; ++sx) {
                    Rgba c =
                        Sample((px + (sx + 0.5) / kSub) / size, (py + (sy + 0.5) / kSub) / size);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            auto channel = [&](double premultiplied) {
                return unsigned(std::lround(a > 0 ? 255.0 * premultiplied / a : 0));
            };
            unsigned alpha = unsigned(std::lround(255.0 * a / (kSub * kSub)));
            row[px] = (alpha << 24) | (channel(r) << 16) | (channel(g) << 8) | channel(b);
        }
    }
    return icon;
}

void Usage(FILE* to) {
    std::fprintf(to, "usage: icongen OUTDIR\n"
                     "Draws the program's icon and writes OUTDIR/hicolor/<n>x<n>/apps/brelvan.png\n"
                     "for the sizes 16, 22, 24, 32, 48, 64, 96, 128 and 256, and\n"
                     "OUTDIR/hicolor/<n>x<n>@2/apps/brelvan.png at 2n pixels for dense screens.\n"
                     "Exit codes: 0 written, 1 a file could not be written, 2 usage error.\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return Usage(stdout), 0;
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("icongen %s\n", BRELVAN_VERSION);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
        if (argc == 2)
            std::fprintf(stderr, "icongen: unknown option %s\n", argv[1]);
        else
            Usage(stderr);
        return 2;
    }
    try {
        for (int size : kSizes)
            for (int scale : {1, kDenseScale}) {
                std::string name = std::to_string(size) + "x" + std::to_string(size);
                if (scale > 1) name += "@" + std::to_string(scale);
                std::filesystem::path dir =
                    std::filesystem::path(argv[1]) / "hicolor" / name / "apps";
                std::filesystem::create_directories(dir);
                // Drawn afresh at the pixel size: the sampling keeps every edge smooth.
                SavePng(DrawIcon(size * scale), (dir / "brelvan.png").string(), true);
            }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "icongen: %s\n", e.what());
        return 1;
    }
    return 0;
}

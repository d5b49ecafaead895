#include "tools/flaggen/FlagTable.h"

#include "tools/flaggen/Artwork.h"
#include "tools/flaggen/FlagCanvas.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace flaggen {

namespace {

struct FlagDrawing {
    const char* file;            // the package's picture for 1x
    void (*draw)(FlagCanvas& c); // our drawing, in box points (16 x 11 unless said)
    int width = 16, height = 11; // the box, as large as the package's picture
    bool glaze = true;           // the package's rim and sheen, where its picture has them
};

constexpr Rgb kWhite{255, 255, 255}, kBlack{20, 20, 20}, kRed{206, 17, 38};
constexpr Rgb kGreen{0, 122, 61}, kYellow{252, 209, 22}, kBlue{0, 56, 168};
constexpr Rgb kNavy{1, 33, 105}, kGold{240, 180, 30};

// Stars evenly on a circle, the first at `start` degrees (-90 = up).
void StarRing(FlagCanvas& c, Rgb colour, double cx, double cy, double ring, int count,
              double radius, double start = -90, double sweep = 360) {
    for (int i = 0; i < count; ++i) {
        const double a =
            (start + sweep * i / (sweep >= 360 ? count : count - 1)) * std::numbers::pi / 180;
        c.Star(colour, cx + ring * std::cos(a), cy + ring * std::sin(a), radius);
    }
}

// A small cross of two bars, centred at (cx, cy).
void SmallCross(FlagCanvas& c, Rgb colour, double cx, double cy, double arm, double thickness) {
    c.Rect(colour, cx - thickness / 2, cy - arm, cx + thickness / 2, cy + arm);
    c.Rect(colour, cx - arm, cy - thickness / 2, cx + arm, cy + thickness / 2);
}

// Rays from the box's middle out to its edges, widening as they go.
void SunRays(FlagCanvas& c, Rgb colour, double halfWidth) {
    const double cx = c.W() / 2, cy = c.H() / 2;
    const Point ends[8] = {{0, 0},         {cx, 0},     {c.W(), 0}, {c.W(), cy},
                           {c.W(), c.H()}, {cx, c.H()}, {0, c.H()}, {0, cy}};
    for (Point e : ends) {
        const double dx = e.x - cx, dy = e.y - cy, length = std::hypot(dx, dy);
        const double nx = -dy / length * halfWidth, ny = dx / length * halfWidth;
        c.Polygon(colour, {{cx, cy}, {e.x + nx, e.y + ny}, {e.x - nx, e.y - ny}});
    }
}

// A maple leaf, its middle at (cx, cy): three pointed lobes over a short stem.
std::vector<Point> MapleLeaf(double cx, double cy, double size) {
    const Point half[] = {{0, -2.7},   {0.6, -1.5}, {1.2, -1.8}, {1.0, -0.4},
                          {2.4, -1.2}, {2.0, 0.0},  {2.6, 0.4},  {1.2, 1.4},
                          {1.3, 1.9},  {0.15, 1.6}, {0.15, 2.8}};
    std::vector<Point> outline;
    for (Point p : half) outline.push_back({cx + p.x * size, cy + p.y * size});
    for (int i = std::size(half) - 1; i >= 1; --i)
        outline.push_back({cx - half[i].x * size, cy + half[i].y * size});
    return outline;
}

// One entry an image index. Colours are the official ones (the glaze brightens them as the
// package does); coats of arms and other fine emblems are blobs of their colours in their
// place, all that 16 x 11 points can show.
// clang-format off
const FlagDrawing kFlags[kFlagCount] = {
    {nullptr, nullptr}, // 0: the football, drawn by Artwork
    {"ar", [](FlagCanvas& c) { c.HStripes({{116, 172, 223}, kWhite, {116, 172, 223}});
        c.Star({246, 180, 14}, 8, 5.5, 1.6, 16, 0.6); c.Disc({246, 180, 14}, 8, 5.5, 1.0); }},
    {"am", [](FlagCanvas& c) { c.HStripes({{217, 0, 18}, {0, 51, 160}, {242, 168, 0}}); }},
    {"au", [](FlagCanvas& c) { c.Rect({0, 0, 139}, 0, 0, 16, 11); c.UnionCanton(0, 0, 8, 5.5);
        c.Star(kWhite, 4, 8.25, 1.4, 7, 0.45);
        for (Point p : {Point{12, 8.9}, {10.1, 4.6}, {12, 2.0}, {14.1, 4.0}})
            c.Star(kWhite, p.x, p.y, 0.75, 7, 0.45);
        c.Star(kWhite, 13.0, 5.8, 0.4); }},
    {"at", [](FlagCanvas& c) { c.HStripes({{237, 41, 57}, kWhite, {237, 41, 57}}); }},
    {"bh", [](FlagCanvas& c) { c.Rect(kRed, 0, 0, 16, 11); c.Serrated(kWhite, 3.2, 1.4, 5); }},
    {"by", [](FlagCanvas& c) { c.HStripes({{212, 30, 45}, {77, 153, 80}}, {2, 1});
        c.Rect(kWhite, 0, 0, 2.4, 11);
        c.Shape({212, 30, 45}, [](double x, double y) {
            return std::abs(x - 1.2) + std::abs(std::fmod(y, 2.2) - 1.1) < 0.9; }); }},
    {"be", [](FlagCanvas& c) { c.VStripes({kBlack, {253, 218, 36}, {239, 51, 64}}); }},
    {"ba", [](FlagCanvas& c) { c.Rect({0, 35, 149}, 0, 0, 16, 11);
        c.Polygon({254, 203, 0}, {{4.2, 0}, {11.8, 0}, {11.8, 11}});
        for (int i = 0; i < 8; ++i) c.Star(kWhite, 2.9 + i * 1.05, 0.6 + i * 1.45, 0.55); }},
    {"br", [](FlagCanvas& c) { c.Rect({0, 155, 58}, 0, 0, 16, 11);
        c.Polygon({254, 223, 0}, {{1.6, 5.5}, {8, 1.1}, {14.4, 5.5}, {8, 9.9}});
        c.Disc({0, 39, 118}, 8, 5.5, 2.5);
        c.Shape(kWhite, [](double x, double y) {
            const double d = std::hypot(x - 7.0, y - 9.5);
            return d > 4.2 && d < 4.65 && std::hypot(x - 8, y - 5.5) < 2.5; }); }},
    // 10
    {"bg", [](FlagCanvas& c) { c.HStripes({kWhite, {0, 150, 110}, {214, 38, 18}}); }},
    {"cm", [](FlagCanvas& c) { c.VStripes({{0, 122, 94}, kRed, kYellow});
        c.Star(kYellow, 8, 5.6, 1.7); }},
    {"ca", [](FlagCanvas& c) { c.VStripes({{216, 6, 33}, kWhite, {216, 6, 33}}, {1, 2, 1});
        c.Polygon({216, 6, 33}, MapleLeaf(8, 5.2, 0.95)); }},
    {"cl", [](FlagCanvas& c) { c.HStripes({kWhite, {213, 43, 30}});
        c.Rect({0, 57, 166}, 0, 0, 5.5, 5.5);
        c.Star(kWhite, 2.75, 2.9, 1.6); }},
    {"cn", [](FlagCanvas& c) { c.Rect({238, 28, 37}, 0, 0, 16, 11);
        c.Star({255, 255, 0}, 2.7, 2.9, 1.7);
        for (Point p : {Point{5.3, 1.1}, {6.4, 2.2}, {6.4, 3.85}, {5.3, 4.95}})
            c.Star({255, 255, 0}, p.x, p.y, 0.6); }},
    {"co", [](FlagCanvas& c) { c.HStripes({kYellow, {0, 56, 147}, kRed}, {2, 1, 1}); }},
    {"cr", [](FlagCanvas& c) {
        c.HStripes({{0, 43, 127}, kWhite, kRed, kWhite, {0, 43, 127}}, {1, 1, 2, 1, 1}); }},
    {"hr", [](FlagCanvas& c) { c.HStripes({{255, 0, 0}, kWhite, {23, 23, 150}});
        c.Rect({0, 110, 210}, 6.6, 2.0, 9.4, 2.9);
        c.Checks({255, 0, 0}, kWhite, 6.6, 2.9, 9.4, 7.4, 5, 6); }},
    {"cy", [](FlagCanvas& c) { c.Rect(kWhite, 0, 0, 16, 11);
        c.Polygon({215, 120, 0},
                  {{4.5, 5.4}, {6.5, 4.3}, {9.5, 3.6}, {12.0, 3.2}, {10.2, 4.6}, {8.0, 5.7}});
        c.Ellipse({78, 140, 49}, 6.8, 7.6, 1.6, 0.55);
        c.Ellipse({78, 140, 49}, 9.2, 7.6, 1.6, 0.55); }},
    {"cz", [](FlagCanvas& c) { c.HStripes({kWhite, {215, 20, 26}});
        c.Polygon({17, 69, 126}, {{0, 0}, {8, 5.5}, {0, 11}}); }},
    // 20
    {"dk", [](FlagCanvas& c) { c.Rect({200, 16, 46}, 0, 0, 16, 11);
        c.Cross(kWhite, 6.05, 5.5, 1.6); }},
    {"eg", [](FlagCanvas& c) { c.HStripes({kRed, kWhite, kBlack});
        c.Ellipse({192, 147, 0}, 8, 5.5, 1.1, 1.5); }},
    {"sv", [](FlagCanvas& c) { c.HStripes({{0, 71, 171}, kWhite, {0, 71, 171}});
        c.Disc({220, 190, 70}, 8, 5.5, 1.1); c.Ring({40, 130, 60}, 8, 5.5, 1.1, 0.75); }},
    {"england", [](FlagCanvas& c) { c.Rect(kWhite, 0, 0, 16, 11); c.Cross(kRed, 8, 5.5, 2.2); }},
    {"ee", [](FlagCanvas& c) { c.HStripes({{0, 114, 206}, kBlack, kWhite}); }},
    {"europeanunion", [](FlagCanvas& c) { c.Rect({0, 51, 153}, 0, 0, 16, 11);
        StarRing(c, {255, 204, 0}, 8, 5.5, 3.4, 12, 0.65); }},
    {"fi", [](FlagCanvas& c) { c.Rect(kWhite, 0, 0, 16, 11);
        c.Cross({0, 47, 108}, 5.8, 5.5, 3.0); }},
    {"fr", [](FlagCanvas& c) { c.VStripes({{0, 85, 164}, kWhite, {239, 65, 53}}); }},
    {"ge", [](FlagCanvas& c) { c.Rect(kWhite, 0, 0, 16, 11); c.Cross({255, 0, 0}, 8, 5.5, 2.0);
        for (Point p : {Point{3.5, 2.3}, {12.5, 2.3}, {3.5, 8.7}, {12.5, 8.7}})
            SmallCross(c, {255, 0, 0}, p.x, p.y, 1.1, 0.7); }},
    {"de", [](FlagCanvas& c) { c.HStripes({kBlack, {221, 0, 0}, {255, 206, 0}}); }},
    // 30
    {"gr", [](FlagCanvas& c) { const Rgb b{13, 94, 175};
        c.HStripes({b, kWhite, b, kWhite, b, kWhite, b, kWhite, b}); c.Rect(b, 0, 0, 6.1, 6.1);
        c.Rect(kWhite, 2.44, 0, 3.66, 6.1); c.Rect(kWhite, 0, 2.44, 6.1, 3.66); }},
    {"gt", [](FlagCanvas& c) { c.VStripes({{73, 151, 208}, kWhite, {73, 151, 208}});
        c.Ring({80, 150, 70}, 8, 5.5, 1.3, 0.8); c.Disc({200, 180, 110}, 8, 5.5, 0.6); }},
    {"hn", [](FlagCanvas& c) { c.HStripes({{0, 84, 180}, kWhite, {0, 84, 180}});
        for (Point p : {Point{8, 5.5}, {5.6, 4.6}, {5.6, 6.4}, {10.4, 4.6}, {10.4, 6.4}})
            c.Star({0, 84, 180}, p.x, p.y, 0.6); }},
    {"hk", [](FlagCanvas& c) { c.Rect({222, 41, 16}, 0, 0, 16, 11);
        c.Star(kWhite, 8, 5.5, 3.0, 5, 0.55, -72); c.Disc({222, 41, 16}, 8, 5.5, 0.35); }},
    {"hu", [](FlagCanvas& c) { c.HStripes({{206, 41, 57}, kWhite, {30, 120, 40}}); }},
    {"is", [](FlagCanvas& c) { c.Rect({2, 82, 156}, 0, 0, 16, 11); c.Cross(kWhite, 5.12, 5.5, 2.44);
        c.Cross({220, 30, 53}, 5.12, 5.5, 1.22); }},
    {"in", [](FlagCanvas& c) { c.HStripes({{255, 153, 51}, kWhite, {19, 136, 8}});
        c.Ring({0, 0, 128}, 8, 5.5, 1.5, 1.1); c.Disc({0, 0, 128}, 8, 5.5, 0.4); }},
    {"id", [](FlagCanvas& c) { c.HStripes({kRed, kWhite}); }},
    {"ir", [](FlagCanvas& c) { c.HStripes({{35, 159, 64}, kWhite, {218, 0, 0}});
        c.Ellipse({218, 0, 0}, 8, 5.5, 0.9, 1.2); }},
    {"iq", [](FlagCanvas& c) { c.HStripes({kRed, kWhite, kBlack});
        for (double x : {4.8, 8.0, 11.2}) c.Star(kGreen, x, 5.6, 1.0); }},
    // 40
    {"ie", [](FlagCanvas& c) { c.VStripes({{22, 155, 98}, kWhite, {255, 136, 62}}); }},
    {"il", [](FlagCanvas& c) { const Rgb b{0, 56, 184}; c.Rect(kWhite, 0, 0, 16, 11);
        c.Rect(b, 0, 1.1, 16, 2.6); c.Rect(b, 0, 8.4, 16, 9.9);
        c.Star(b, 8, 5.5, 2.3, 6, 0.577); c.Star(kWhite, 8, 5.5, 1.6, 6, 0.577); }},
    {"it", [](FlagCanvas& c) { c.VStripes({{0, 146, 70}, kWhite, {206, 43, 55}}); }},
    {"jp", [](FlagCanvas& c) { c.Rect(kWhite, 0, 0, 16, 11); c.Disc({188, 0, 45}, 8, 5.5, 3.3); }},
    {"jo", [](FlagCanvas& c) { c.HStripes({kBlack, kWhite, {0, 122, 61}});
        c.Polygon(kRed, {{0, 0}, {8, 5.5}, {0, 11}}); c.Star(kWhite, 2.9, 5.5, 0.9, 7, 0.5); }},
    {"kz", [](FlagCanvas& c) { const Rgb g{254, 197, 14}; c.Rect({0, 175, 202}, 0, 0, 16, 11);
        c.Star(g, 8.5, 4.6, 2.5, 24, 0.75); c.Disc(g, 8.5, 4.6, 1.6);
        c.Ellipse(g, 8.5, 7.6, 2.8, 0.7); c.Rect(g, 0.8, 0.5, 1.7, 10.5); }},
    {"kw", [](FlagCanvas& c) { c.HStripes({kGreen, kWhite, kRed});
        c.Polygon(kBlack, {{0, 0}, {4, 3.67}, {4, 7.33}, {0, 11}}); }},
    {"lb", [](FlagCanvas& c) { c.HStripes({{237, 28, 36}, kWhite, {237, 28, 36}}, {1, 2, 1});
        c.Polygon({0, 166, 81}, {{8, 3.0}, {11.0, 7.4}, {5.0, 7.4}});
        c.Rect({0, 166, 81}, 7.6, 7.0, 8.4, 8.0); }},
    {"lt", [](FlagCanvas& c) { c.HStripes({{253, 185, 19}, {0, 106, 68}, {193, 39, 45}}); }},
    {"lu", [](FlagCanvas& c) { c.HStripes({{237, 41, 57}, kWhite, {0, 161, 222}}); }},
    // 50
    {"my", [](FlagCanvas& c) { const Rgb r{204, 0, 1};
        c.HStripes({r, kWhite, r, kWhite, r, kWhite, r, kWhite, r, kWhite, r, kWhite, r, kWhite});
        c.Rect({1, 0, 102}, 0, 0, 8, 6.29);
        c.Crescent({255, 204, 0}, 2.9, 3.14, 2.2, 0.65, 1.85);
        c.Star({255, 204, 0}, 5.6, 3.14, 1.5, 14, 0.45); }},
    {"mx", [](FlagCanvas& c) { c.VStripes({{0, 104, 71}, kWhite, kRed});
        c.Ellipse({140, 90, 40}, 8, 5.2, 1.1, 1.4); c.Ellipse({0, 104, 71}, 8, 6.9, 1.3, 0.5); }},
    {"md", [](FlagCanvas& c) { c.VStripes({{0, 70, 174}, {255, 210, 0}, {204, 9, 47}});
        c.Ellipse({160, 110, 50}, 8, 5.0, 1.3, 1.9);
        c.Rect({204, 9, 47}, 7.3, 5.0, 8.7, 6.2); c.Rect({0, 70, 174}, 7.3, 6.2, 8.7, 7.2); }},
    {"me", [](FlagCanvas& c) { c.Rect({250, 210, 60}, 0, 0, 16, 12);
        c.Rect({240, 70, 60}, 0.9, 0.9, 15.1, 11.1); c.Rect({230, 10, 20}, 1.8, 1.8, 14.2, 10.2);
        c.Ellipse({225, 160, 50}, 8, 6.0, 2.0, 2.5); c.Rect({20, 100, 180}, 7.3, 5.4, 8.7, 6.6);
        c.Rect({50, 160, 120}, 7.3, 6.6, 8.7, 7.3); }, 16, 12, false},
    {"ma", [](FlagCanvas& c) { c.Rect({193, 39, 45}, 0, 0, 16, 11);
        for (int i = 0; i < 5; ++i) {
            auto corner = [](int k) { const double a = (-90 + 144.0 * k) * std::numbers::pi / 180;
                return Point{8 + 2.4 * std::cos(a), 5.6 + 2.4 * std::sin(a)}; };
            c.Line({0, 98, 51}, corner(i), corner(i + 1), 0.5);
        } }},
    {"nl", [](FlagCanvas& c) { c.HStripes({{205, 30, 50}, kWhite, {33, 70, 139}}); }},
    {"nz", [](FlagCanvas& c) { c.Rect(kNavy, 0, 0, 16, 11); c.UnionCanton(0, 0, 8, 5.5);
        for (Point p : {Point{12.3, 2.4}, {10.5, 5.0}, {14.2, 4.4}, {12.3, 8.8}}) {
            c.Star(kWhite, p.x, p.y, 1.0); c.Star({200, 16, 46}, p.x, p.y, 0.65); } }},
    {"no", [](FlagCanvas& c) { c.Rect({186, 12, 47}, 0, 0, 16, 11); c.Cross(kWhite, 4.6, 5.5, 2.75);
        c.Cross({0, 32, 91}, 4.6, 5.5, 1.375); }},
    {"py", [](FlagCanvas& c) { c.HStripes({{213, 43, 30}, kWhite, {0, 56, 168}});
        c.Ring({40, 120, 60}, 8, 5.5, 1.2, 0.8); c.Disc({240, 200, 40}, 8, 5.5, 0.45); }},
    {"pe", [](FlagCanvas& c) { c.VStripes({{217, 16, 35}, kWhite, {217, 16, 35}}); }},
    // 60
    {"ph", [](FlagCanvas& c) { c.HStripes({kBlue, kRed});
        c.Polygon(kWhite, {{0, 0}, {9.5, 5.5}, {0, 11}});
        c.Star(kYellow, 3.2, 5.5, 1.8, 8, 0.45); c.Disc(kYellow, 3.2, 5.5, 0.9);
        for (Point p : {Point{1.0, 1.4}, {1.0, 9.6}, {7.6, 5.5}})
            c.Star(kYellow, p.x, p.y, 0.55); }},
    {"pl", [](FlagCanvas& c) { c.HStripes({kWhite, {220, 20, 60}}); }},
    {"pt", [](FlagCanvas& c) { c.VStripes({{0, 102, 0}, {255, 0, 0}}, {2, 3});
        c.Disc({255, 204, 0}, 6.4, 5.5, 2.4); c.Disc({255, 0, 0}, 6.4, 5.5, 1.6);
        c.Shield(kWhite, 6.4, 4.3, 1.6, 2.4); c.Disc({0, 60, 160}, 6.4, 5.4, 0.4); }},
    {"qa", [](FlagCanvas& c) { c.Rect({128, 32, 40}, 0, 0, 16, 11);
        c.Serrated(kWhite, 4.3, 1.3, 9); }},
    {"ro", [](FlagCanvas& c) { c.VStripes({{0, 43, 127}, kYellow, kRed}); }},
    {"ru", [](FlagCanvas& c) { c.HStripes({kWhite, {0, 57, 166}, {213, 43, 30}}); }},
    {"sa", [](FlagCanvas& c) { c.Rect({0, 108, 53}, 0, 0, 16, 11);
        c.Ellipse(kWhite, 5.5, 4.3, 1.6, 1.0); c.Ellipse(kWhite, 8.3, 4.0, 1.4, 1.1);
        c.Ellipse(kWhite, 10.8, 4.4, 1.5, 0.9);
        c.Line(kWhite, {3.8, 7.4}, {12.2, 7.4}, 0.5);
        c.Line(kWhite, {11.4, 6.8}, {11.4, 8.0}, 0.4); }},
    {"scotland", [](FlagCanvas& c) { c.Rect({0, 94, 184}, 0, 0, 16, 11);
        c.Saltire(kWhite, 2.0, 0, 0, 16, 11); }},
    {"sn", [](FlagCanvas& c) { c.VStripes({{0, 133, 63}, {253, 239, 66}, {227, 27, 35}});
        c.Star({0, 133, 63}, 8, 5.6, 1.6); }},
    {"rs", [](FlagCanvas& c) { c.HStripes({{198, 54, 60}, {12, 64, 118}, kWhite});
        c.Ellipse(kWhite, 5.8, 5.4, 1.8, 2.8); c.Shield({198, 54, 60}, 5.8, 4.2, 1.5, 2.6);
        SmallCross(c, kWhite, 5.8, 5.4, 0.55, 0.3); c.Ellipse(kGold, 5.8, 2.3, 0.9, 0.5); }},
    // 70
    {"sg", [](FlagCanvas& c) { c.HStripes({{238, 36, 57}, kWhite});
        c.Crescent(kWhite, 2.7, 2.9, 1.95, 0.7, 1.75);
        StarRing(c, kWhite, 5.1, 2.9, 0.95, 5, 0.4); }},
    {"sk", [](FlagCanvas& c) { c.HStripes({kWhite, {11, 78, 162}, {238, 28, 37}});
        c.Shield(kWhite, 5.2, 2.4, 4.0, 6.4); c.Shield({238, 28, 37}, 5.2, 2.8, 3.4, 5.7);
        c.Rect(kWhite, 5.0, 3.4, 5.4, 7.0); c.Rect(kWhite, 4.3, 4.1, 6.1, 4.5);
        c.Rect(kWhite, 4.0, 5.0, 6.4, 5.4); c.Ellipse({11, 78, 162}, 5.2, 7.5, 1.4, 0.7); }},
    {"si", [](FlagCanvas& c) { c.HStripes({kWhite, {0, 91, 187}, {237, 28, 36}});
        c.Shield({237, 28, 36}, 4.5, 1.8, 2.9, 3.8); c.Shield({0, 91, 187}, 4.5, 2.1, 2.4, 3.3);
        c.Polygon(kWhite, {{3.5, 4.7}, {4.5, 3.2}, {5.5, 4.7}}); }},
    {"za", [](FlagCanvas& c) { c.HStripes({{224, 60, 49}, {0, 20, 137}});
        for (double w : {3.7, 2.2}) {
            const Rgb col = w > 3 ? kWhite : Rgb{0, 119, 73};
            c.Line(col, {-1, -0.8}, {7, 5.5}, w); c.Line(col, {-1, 11.8}, {7, 5.5}, w);
            c.Line(col, {7, 5.5}, {17, 5.5}, w);
        }
        c.Polygon({255, 184, 28}, {{0, 1.3}, {5.4, 5.5}, {0, 9.7}});
        c.Polygon(kBlack, {{0, 2.2}, {4.3, 5.5}, {0, 8.8}}); }},
    {"kr", [](FlagCanvas& c) { c.Rect(kWhite, 0, 0, 16, 11);
        c.Shape({205, 46, 58}, [](double x, double y) {
            return y < 5.5 && std::hypot(x - 8, y - 5.5) < 2.6; });
        c.Shape({0, 71, 160}, [](double x, double y) {
            return y >= 5.5 && std::hypot(x - 8, y - 5.5) < 2.6; });
        c.Disc({205, 46, 58}, 6.7, 5.5, 1.3); c.Disc({0, 71, 160}, 9.3, 5.5, 1.3);
        for (Point p : {Point{3.2, 2.3}, {12.8, 2.3}, {3.2, 8.7}, {12.8, 8.7}}) {
            const double dx = (p.x < 8) == (p.y < 5.5) ? 0.75 : -0.75;
            c.Line(kBlack, {p.x - dx, p.y + 0.75}, {p.x + dx, p.y - 0.75}, 1.3);
        } }},
    {"es", [](FlagCanvas& c) { c.HStripes({{170, 21, 27}, {241, 191, 0}, {170, 21, 27}}, {1, 2, 1});
        c.Ellipse({200, 150, 40}, 5.3, 3.6, 1.0, 0.5); c.Shield({190, 30, 30}, 5.3, 4.0, 2.0, 3.0);
        c.Disc({240, 220, 200}, 5.3, 5.6, 0.5); }},
    {"se", [](FlagCanvas& c) { c.Rect({0, 82, 147}, 0, 0, 16, 11);
        c.Cross({254, 204, 0}, 6, 5.5, 2.2); }},
    {"ch", [](FlagCanvas& c) { c.Rect({218, 41, 28}, 0, 0, 11, 11);
        c.Rect(kWhite, 4.47, 2.06, 6.53, 8.94); c.Rect(kWhite, 2.06, 4.47, 8.94, 6.53); }, 11, 11},
    {"th", [](FlagCanvas& c) { const Rgb red{165, 25, 49};
        c.HStripes({red, kWhite, {45, 42, 140}, kWhite, red}, {1, 1, 2, 1, 1}); }},
    {"tn", [](FlagCanvas& c) { c.Rect({231, 0, 19}, 0, 0, 16, 11); c.Disc(kWhite, 8, 5.5, 2.9);
        c.Crescent({231, 0, 19}, 7.7, 5.5, 2.2, 0.6, 1.75);
        c.Star({231, 0, 19}, 8.5, 5.5, 1.2, 5, 0.382, 180); }},
    // 80
    {"tr", [](FlagCanvas& c) { c.Rect({227, 10, 23}, 0, 0, 16, 11);
        c.Crescent(kWhite, 6.0, 5.5, 2.75, 0.7, 2.2);
        c.Star(kWhite, 9.5, 5.5, 1.35, 5, 0.382, 180); }},
    {"ua", [](FlagCanvas& c) { c.HStripes({{0, 87, 183}, {255, 213, 0}}); }},
    {"ae", [](FlagCanvas& c) { c.HStripes({{0, 115, 47}, kWhite, kBlack});
        c.Rect({255, 0, 0}, 0, 0, 4, 11); }},
    {"us", [](FlagCanvas& c) { const Rgb r{178, 34, 52};
        c.HStripes({r, kWhite, r, kWhite, r, kWhite, r, kWhite, r, kWhite, r, kWhite, r});
        c.Rect({40, 60, 170}, 0, 0, 8.5, 5.92);
        for (int j = 0; j < 4; ++j)
            for (int i = 0;
        i < 6; ++i) c.Disc(kWhite, 0.8 + i * 1.35 + (j % 2) * 0.5, 0.8 + j * 1.45, 0.33); }},
    {"uy", [](FlagCanvas& c) { const Rgb b{0, 56, 168};
        c.HStripes({kWhite, b, kWhite, b, kWhite, b, kWhite, b, kWhite});
        c.Rect(kWhite, 0, 0, 6.1, 6.1);
        c.Star(kYellow, 3.05, 3.05, 2.2, 16, 0.6); c.Disc(kYellow, 3.05, 3.05, 1.2); }},
    {"uz", [](FlagCanvas& c) {
        c.HStripes({{0, 153, 181}, kRed, kWhite, kRed, {30, 181, 58}}, {6, 0.4, 5.2, 0.4, 6});
        c.Crescent(kWhite, 2.2, 1.8, 1.3, 0.5, 1.15);
        for (int i = 0;
        i < 6; ++i) c.Disc(kWhite, 4.2 + (i % 3) * 1.0, 0.9 + (i / 3) * 1.1, 0.25); }},
    {"ve", [](FlagCanvas& c) { c.HStripes({{252, 227, 0}, {0, 36, 125}, kRed});
        StarRing(c, kWhite, 8, 8.2, 3.6, 8, 0.45, 200, 140);
        c.Ellipse(kRed, 1.6, 1.4, 0.8, 0.7); }},
    {"vn", [](FlagCanvas& c) { c.Rect({218, 37, 29}, 0, 0, 16, 11);
        c.Star({255, 255, 0}, 8, 5.7, 3.1); }},
    {"wales", [](FlagCanvas& c) { const Rgb r{200, 16, 46}; c.HStripes({kWhite, {0, 177, 64}});
        // The dragon walks towards the hoist: body, raised neck and head, wing, tail, legs.
        c.Ellipse(r, 8.5, 6.2, 3.2, 1.4);
        c.Polygon(r, {{5.8, 5.8}, {4.0, 3.4}, {5.0, 2.8}, {7.0, 5.2}});
        c.Ellipse(r, 4.0, 3.0, 1.1, 0.7); c.Polygon(r, {{3.2, 2.5}, {2.0, 3.2}, {3.3, 3.6}});
        c.Polygon(r, {{7.0, 5.0}, {7.6, 1.6}, {9.0, 2.6}, {10.4, 1.4}, {11.0, 3.2}, {10.4, 5.2}});
        c.Line(r, {11.2, 6.2}, {13.2, 5.0}, 0.6); c.Line(r, {13.2, 5.0}, {13.6, 3.2}, 0.5);
        c.Polygon(r, {{13.6, 2.5}, {13.0, 3.4}, {14.2, 3.4}});
        for (auto [x1, x2] : {std::pair{6.6, 5.8}, {7.6, 7.8}, {10.0, 9.6}, {11.0, 11.8}})
            c.Line(r, {x1, 7.0}, {x2, 8.9}, 0.7); }},
    {"ye", [](FlagCanvas& c) { c.HStripes({kRed, kWhite, kBlack}); }},
    // 90
    {"ad", [](FlagCanvas& c) { c.VStripes({{16, 6, 159}, {254, 223, 0}, {213, 0, 50}}, {8, 9, 8});
        c.Shield({190, 140, 50}, 8, 3.4, 2.6, 4.4); c.Rect({213, 0, 50}, 7.2, 4.2, 8.8, 6.2); }},
    {"ng", [](FlagCanvas& c) { c.VStripes({{0, 135, 81}, kWhite, {0, 135, 81}}); }},
    {"sz", [](FlagCanvas& c) {
        const Rgb blue{62, 94, 198}, yellow{255, 212, 0};
        c.HStripes({blue, yellow, {177, 0, 0}, yellow, blue}, {3, 1, 7, 1, 3});
        c.Line({230, 200, 140}, {2.5, 5.5}, {13.5, 5.5}, 0.35); c.Ellipse(kWhite, 8, 5.5, 3.4, 1.5);
        c.Shape(kBlack, [](double x, double y) {
            const double dx = (x - 8) / 3.4, dy = (y - 5.5) / 1.5;
        return x < 8 && dx * dx + dy * dy <= 1; }); }},
    {"dz", [](FlagCanvas& c) { c.VStripes({{0, 98, 51}, kWhite});
        c.Crescent({210, 16, 52}, 7.9, 5.5, 2.9, 0.8, 2.4);
        c.Star({210, 16, 52}, 9.6, 5.5, 1.3, 5, 0.382, 180); }},
    {"sy", [](FlagCanvas& c) { c.HStripes({kRed, kWhite, kBlack});
        c.Star(kGreen, 5.3, 5.6, 1.2); c.Star(kGreen, 10.7, 5.6, 1.2); }},
    {"mt", [](FlagCanvas& c) { c.VStripes({kWhite, {207, 20, 43}});
        SmallCross(c, {160, 160, 160}, 2.3, 2.1, 1.1, 0.8); }},
    {"mk", [](FlagCanvas& c) { const Rgb y{255, 230, 0}; c.Rect({210, 16, 52}, 0, 0, 16, 11);
        SunRays(c, y, 1.2); c.Disc({210, 16, 52}, 8, 5.5, 2.0); c.Disc(y, 8, 5.5, 1.6); }},
    {"al", [](FlagCanvas& c) { c.Rect({228, 30, 32}, 0, 0, 16, 11);
        // The double-headed eagle, drawn as its left half and that half turned over.
        for (double side : {1.0, -1.0}) {
            auto at = [side](double x, double y) { return Point{8 + side * (x - 8), y}; };
            c.Polygon(kBlack, {at(7.6, 4.0), at(3.8, 1.4), at(4.3, 2.8), at(3.4, 3.0), at(4.2, 4.2),
                               at(3.6, 4.6), at(4.6, 5.7), at(4.2, 6.3), at(7.6, 7.0)});
            c.Line(kBlack, at(7.4, 4.0), at(6.6, 2.2), 0.8);
            c.Disc(kBlack, at(6.4, 2.0).x, 2.0, 0.6);
            c.Polygon(kBlack, {at(6.0, 1.7), at(5.2, 2.2), at(6.0, 2.4)});
            c.Line(kBlack, at(7.4, 7.1), at(6.3, 8.0), 0.45);
        }
        c.Ellipse(kBlack, 8, 5.4, 1.0, 2.2);
        c.Polygon(kBlack, {{7.2, 7.2}, {8.8, 7.2}, {9.4, 9.2}, {6.6, 9.2}}); }},
    {nullptr, nullptr}, // 98: Kosovo, drawn by Artwork
    {"az", [](FlagCanvas& c) { c.HStripes({{0, 181, 226}, {239, 51, 64}, {80, 158, 47}});
        c.Crescent(kWhite, 7.6, 5.5, 1.5, 0.4, 1.2); c.Star(kWhite, 9.3, 5.5, 0.8, 8, 0.5); }},
    // 100
    {"ug", [](FlagCanvas& c) { const Rgb y{252, 220, 4}, r{217, 0, 0};
        c.HStripes({kBlack, y, r, kBlack, y, r}); c.Disc(kWhite, 8, 5.5, 2.1);
        c.Ellipse({150, 150, 150}, 8, 5.7, 0.8, 1.3); c.Disc(r, 8, 4.4, 0.4); }},
    {"lv", [](FlagCanvas& c) { c.HStripes({{158, 48, 57}, kWhite, {158, 48, 57}}, {2, 1, 2}); }},
    {"lu", [](FlagCanvas& c) { c.HStripes({{237, 41, 57}, kWhite, {0, 161, 222}}); }},
};
// clang-format on

} // namespace

const char* FlagFile(int index) {
    if (index < 0 || index >= kFlagCount)
        throw std::out_of_range("no flag " + std::to_string(index));
    return kFlags[index].file;
}

ScaledImage DrawFlag(int index, int scale) {
    if (index < 0 || index >= kFlagCount)
        throw std::out_of_range("no flag " + std::to_string(index));
    if (index == 0) return DrawFootball(scale);
    const FlagDrawing& flag = kFlags[index];
    if (!flag.draw) return DrawKosovoFlag(scale);
    ScaledImage image(scale);
    FlagCanvas canvas(image, flag.width, flag.height);
    // The package's pictures are opaque all over their box; so are ours.
    canvas.Rect({255, 255, 255}, 0, 0, flag.width, flag.height);
    flag.draw(canvas);
    if (flag.glaze) Glaze(image, flag.width, flag.height);
    return image;
}

} // namespace flaggen

#include "tools/aboutgen/PitchPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace aboutgen {

namespace {

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Scale(const Rgb& a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}
Rgb Add(const Rgb& a, const Rgb& b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
double Smooth(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Value noise from an integer hash: the same picture on every build.
double Hash(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}
double Noise(double x, double y, int seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double fx = x - ix, fy = y - iy;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed);
    const double c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}
double Fbm(double x, double y, int seed, int octaves) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * Noise(x, y, seed + i * 17);
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}

// The point of a device pixel's top-left corner.
double Pt(const Picture& p, int device) {
    return device / double(p.scale);
}

// Paints `colour` with opacity `alpha` where inside(x, y) holds (in points), each device pixel
// weighted by the share of its 4 x 4 samples inside, over the box [l, r) x [t, b) of points.
void Cover(Picture& p, int l, int t, int r, int b, const Rgb& colour, double alpha,
           const std::function<bool(double, double)>& inside) {
    const int s = p.scale;
    l = std::max(l * s, 0);
    t = std::max(t * s, 0);
    r = std::min(r * s, p.width);
    b = std::min(b * s, p.height);
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inside((x + (sx + 0.5) / 4) / s, (y + (sy + 0.5) / 4) / s)) ++hits;
            if (hits) p.At(x, y) = Mix(p.At(x, y), colour, alpha * hits / 16.0);
        }
}

// Signed distance to a rounded rectangle (negative inside).
double RoundRectDistance(double x, double y, double l, double t, double r, double b,
                         double radius) {
    const double cx = (l + r) / 2, cy = (t + b) / 2;
    const double hx = (r - l) / 2 - radius, hy = (b - t) / 2 - radius;
    const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// The camera: the pitch's long axis runs across the picture, the far touchline lies a little
// below the middle, the camera stands 12 m up in the near stand.
struct Camera {
    double horizonY = 150;      // where the ground meets the sky at infinity
    double focal = 700;         // pixels per metre at one metre
    double heightTimesF = 8540; // camera height times the focal length
    double centreX = 258;       // screen x of the halfway line
    double nearZ = 17.44;       // depth of the near touchline
    double farZ = 85.44;        // depth of the far touchline
    double ScreenY(double z) const { return horizonY + heightTimesF / z; }
    double DepthAt(double y) const { return heightTimesF / (y - horizonY); }
    double WorldX(double x, double z) const { return (x - centreX) * z / focal; }
};

const Rgb kSkyTop{0.55, 0.72, 0.90};
const Rgb kSkyLow{0.93, 0.94, 0.92};
const Rgb kHaze{0.80, 0.86, 0.84};

Rgb Sky(double x, double y, int height) {
    const double t = std::clamp(y / (height * 0.30), 0.0, 1.0);
    Rgb c = Mix(kSkyTop, kSkyLow, std::pow(t, 0.8));
    // Soft, high clouds drifting across; thin near the top-right corner.
    const double n = Fbm(x / 180.0, y / 60.0, 3, 5);
    const double cloud = Smooth(0.52, 0.78, n) * 0.55;
    c = Mix(c, Rgb{0.98, 0.98, 0.99}, cloud);
    // The sun stands high behind the left stand.
    const double d = std::hypot(x - 70, y + 60);
    c = Add(c, Scale(Rgb{0.30, 0.26, 0.18}, std::exp(-d * d / (2 * 170.0 * 170.0))));
    return c;
}

double StandTop(double x, int width) {
    const double u = (x - width / 2.0) / (width / 2.0);
    return 118 + 14 * u * u;
}

void PaintSky(Picture& p) {
    const int height = p.height / p.scale;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.At(x, y) = Sky(Pt(p, x), Pt(p, y), height);
}

// A floodlight mast behind the roof: a slim lattice pole and a bank of lamps with its glow.
void PaintFloodlight(Picture& p, double mastX, double headTop, double roofY) {
    const Rgb steel{0.36, 0.39, 0.44};
    Cover(p, int(mastX - 4), int(headTop), int(mastX + 5), int(roofY + 1), steel, 1.0,
          [=](double x, double) { return std::abs(x - mastX) < 1.6; });
    const double hl = mastX - 30, hr = mastX + 30, ht = headTop, hb = headTop + 22;
    Cover(p, int(hl) - 1, int(ht) - 1, int(hr) + 2, int(hb) + 2, Rgb{0.25, 0.27, 0.31}, 1.0,
          [=](double x, double y) {
              const double skew = (y - ht) * 0.12; // the bank tilts towards the pitch
              return x >= hl + skew && x < hr + skew && y >= ht && y < hb;
          });
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 8; ++col) {
            const double cx = hl + 5 + col * 7.2 + (ht + 4 + row * 7 - ht) * 0.12;
            const double cy = ht + 4 + row * 7;
            Cover(p, int(cx) - 3, int(cy) - 3, int(cx) + 4, int(cy) + 4, Rgb{1.0, 0.99, 0.93}, 1.0,
                  [=](double x, double y) { return std::hypot(x - cx, y - cy) < 2.6; });
        }
    // The glow of the lamps in the afternoon haze.
    const double gx = (hl + hr) / 2 + 1.5, gy = (ht + hb) / 2;
    const int s = p.scale;
    for (int y = std::max(0, int(gy - 140) * s); y < std::min(p.height, int(gy + 140) * s); ++y)
        for (int x = std::max(0, int(gx - 160) * s); x < std::min(p.width, int(gx + 160) * s);
             ++x) {
            const double d = std::hypot((Pt(p, x) - gx) / 1.15, Pt(p, y) - gy);
            const double k = 0.42 * std::exp(-d * d / (2 * 46.0 * 46.0));
            p.At(x, y) = Mix(p.At(x, y), Rgb{1.0, 0.99, 0.94}, k);
        }
}

// The far stand: a roof with its lit edge, tiers of spectators in the roof's shade, and the
// advertising boards along the pitch.
void PaintStand(Picture& p, const Camera& cam) {
    const double boardsBottom = cam.ScreenY(cam.farZ + 4.0);
    const double boardsTop = boardsBottom - cam.focal / (cam.farZ + 4.0);
    const int s = p.scale;
    const int width = p.width / s;
    const double px = 1.0 / s; // one device pixel
    for (int dx = 0; dx < p.width; ++dx) {
        const double x = Pt(p, dx);
        const int column = int(std::floor(x)); // the crowd's specks are laid out in points
        const double top = StandTop(x, width);
        const double roofBottom = top + 13;
        for (int dy = std::max(0, (int(top) - 1) * s); dy < int(std::ceil(boardsBottom)) * s;
             ++dy) {
            const double y = Pt(p, dy);
            // Coverage of the stand's top edge, for a smooth silhouette.
            const double cover = std::clamp((y + px - top) / px, 0.0, 1.0);
            if (cover <= 0) continue;
            Rgb c;
            if (y < roofBottom) {
                // The roof fascia, light at its lower, sunlit lip.
                const double t = (y - top) / 13.0;
                c = Mix(Rgb{0.47, 0.50, 0.55}, Rgb{0.70, 0.72, 0.75}, Smooth(0.55, 1.0, t));
                if (y >= roofBottom - 1.5) c = Rgb{0.88, 0.89, 0.90};
            } else if (y < boardsTop) {
                // Spectators: coloured specks on the rows, deeper shade under the roof.
                const double depth = (y - roofBottom) / (boardsTop - roofBottom);
                const double rowPitch = 4.0 + 3.0 * depth;
                const double row = std::fmod(y - roofBottom, rowPitch) / rowPitch;
                // Averaged over neighbouring specks, so the crowd reads as texture, not noise.
                double speck = 0, hue = 0;
                for (int k = 0; k < 2; ++k) {
                    speck += Hash((column + k) / 2, int((y - roofBottom) / 2), 11) / 2;
                    hue += Hash((column + k) / 3, int((y - roofBottom) / 3), 29) / 2;
                }
                Rgb person = hue < 0.35   ? Rgb{0.58, 0.24, 0.22}
                             : hue < 0.55 ? Rgb{0.26, 0.34, 0.56}
                             : hue < 0.72 ? Rgb{0.78, 0.78, 0.76}
                                          : Rgb{0.34, 0.34, 0.37};
                Rgb seats{0.24, 0.34, 0.50};
                c = Mix(seats, person, Smooth(0.25, 0.75, speck) * 0.55);
                if (row < 0.16) c = Mix(c, Rgb{0.55, 0.57, 0.60}, 0.45); // the step of the tier
                const double shade = 0.40 + 0.45 * Smooth(0.0, 1.0, depth);
                c = Scale(c, shade);
                // The sun reaches the front rows from the left.
                c = Add(c, Scale(Rgb{0.10, 0.09, 0.06}, depth * (1 - x / double(width))));
            } else {
                // Boards: calm coloured panels without lettering.
                const int panel = int((x + 17) / 64.0);
                const Rgb colours[] = {
                    {0.13, 0.33, 0.66}, {0.92, 0.93, 0.94}, {0.16, 0.52, 0.34}, {0.86, 0.80, 0.30}};
                c = colours[panel % 4];
                const double t = (y - boardsTop) / (boardsBottom - boardsTop);
                c = Scale(c, 0.82 + 0.18 * (1 - t));
                if (t < 0.12) c = Mix(c, Rgb{1, 1, 1}, 0.35);
            }
            p.At(dx, dy) = Mix(p.At(dx, dy), c, cover);
        }
    }
}

bool OnMarking(double X, double Z, const Camera& cam) {
    constexpr double half = 0.065; // lines are 13 cm wide
    const double zc = (cam.nearZ + cam.farZ) / 2;
    auto between = [](double v, double lo, double hi) { return v >= lo && v <= hi; };
    const double dz = Z - zc;
    // Touchlines, goal line and halfway line.
    if (std::abs(Z - cam.nearZ) < half || std::abs(Z - cam.farZ) < half)
        return between(X, -52.5 - half, 52.5 + half);
    if (between(Z, cam.nearZ, cam.farZ) &&
        (std::abs(X) < half || std::abs(X - 52.5) < half || std::abs(X + 52.5) < half))
        return true;
    // Centre circle and spot.
    const double r = std::hypot(X, dz);
    if (std::abs(r - 9.15) < half || r < 0.22) return true;
    // Penalty and goal areas, the penalty spot and the arc, at both ends.
    for (double end : {52.5, -52.5}) {
        const double s = end > 0 ? 1 : -1;
        const double in16 = end - s * 16.5, in5 = end - s * 5.5;
        if (std::abs(std::abs(dz) - 20.16) < half && between(s * (end - X), 0, 16.5)) return true;
        if (std::abs(X - in16) < half && std::abs(dz) <= 20.16 + half) return true;
        if (std::abs(std::abs(dz) - 9.16) < half && between(s * (end - X), 0, 5.5)) return true;
        if (std::abs(X - in5) < half && std::abs(dz) <= 9.16 + half) return true;
        const double spotX = end - s * 11;
        const double rs = std::hypot(X - spotX, dz);
        if (rs < 0.2) return true;
        if (std::abs(rs - 9.15) < half && s * (end - X) > 16.5) return true;
    }
    return false;
}

Rgb Grass(double X, double Z, double x, double y, const Camera& cam, int width) {
    const int stripe = int(std::floor((X + 52.5) / 5.25));
    const bool light = (stripe & 1) == 0;
    Rgb c = light ? Rgb{0.30, 0.60, 0.22} : Rgb{0.22, 0.49, 0.17};
    // Grain of the turf, finer far away.
    const double grain = Noise(X * 3.0, Z * 3.0, 41) - 0.5;
    c = Scale(c, 1.0 + grain * 0.10);
    const double patch = Fbm(X / 9.0, Z / 9.0, 53, 3) - 0.5;
    c = Scale(c, 1.0 + patch * 0.12);
    if (OnMarking(X, Z, cam)) c = Rgb{0.93, 0.95, 0.92};
    // The roof's shadow lies over the far part of the pitch, its edge slanting with the sun.
    const double shadowEdge = 68.0 - 0.10 * X;
    const double shade = Smooth(shadowEdge - 1.5, shadowEdge + 1.5, Z);
    c = Mix(c, Scale(Mix(c, Rgb{0.20, 0.30, 0.45}, 0.25), 0.62), shade);
    // Sunlight brightest to the left, haze deepening with the distance.
    const double sun =
        std::exp(-((x - 140) * (x - 140) + (y - 330) * (y - 330)) / (2 * 260.0 * 260.0));
    c = Scale(c, 1.0 + 0.16 * sun);
    const double haze = std::clamp((Z - 18.0) / 120.0, 0.0, 0.35);
    c = Mix(c, kHaze, haze);
    (void)width;
    return c;
}

void PaintPitch(Picture& p, const Camera& cam) {
    const double boardsBottom = cam.ScreenY(cam.farZ + 4.0);
    const int s = p.scale;
    const int top = int(std::floor(boardsBottom)) * s;
    constexpr int kSamples = 4; // per axis: thin far lines stay smooth
    for (int y = top; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            Rgb sum;
            int n = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = (x + (sx + 0.5) / kSamples) / s;
                    const double py = (y + (sy + 0.5) / kSamples) / s;
                    if (py < boardsBottom) continue;
                    const double Z = cam.DepthAt(py);
                    sum = Add(sum, Grass(cam.WorldX(px, Z), Z, px, py, cam, p.width));
                    ++n;
                }
            if (n == 0) continue;
            const double cover = double(n) / (kSamples * kSamples);
            p.At(x, y) = Mix(p.At(x, y), Scale(sum, 1.0 / n), cover);
        }
}

// A gentle darkening towards the lower corners keeps the eye on the middle.
void PaintVignette(Picture& p) {
    const int width = p.width / p.scale, height = p.height / p.scale;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const double u = (Pt(p, x) - width * 0.55) / (width * 0.62);
            const double v = (Pt(p, y) - height * 0.35) / (height * 0.85);
            const double d = std::max(0.0, std::hypot(u, v) - 0.55);
            p.At(x, y) = Scale(p.At(x, y), 1.0 - 0.45 * d * d);
        }
}

Picture BoxBlur(const Picture& in, int radius) {
    Picture out = in;
    Picture tmp = in;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < in.height; ++y)
            for (int x = 0; x < in.width; ++x) {
                Rgb s;
                int n = 0;
                for (int k = std::max(0, x - radius); k <= std::min(in.width - 1, x + radius);
                     ++k) {
                    s = Add(s, out.At(k, y));
                    ++n;
                }
                tmp.At(x, y) = Scale(s, 1.0 / n);
            }
        for (int y = 0; y < in.height; ++y)
            for (int x = 0; x < in.width; ++x) {
                Rgb s;
                int n = 0;
                for (int k = std::max(0, y - radius); k <= std::min(in.height - 1, y + radius);
                     ++k) {
                    s = Add(s, tmp.At(x, k));
                    ++n;
                }
                out.At(x, y) = Scale(s, 1.0 / n);
            }
    }
    return out;
}

// The frosted card behind the login fields, with its soft shadow and a lit rim.
void PaintCard(Picture& p, const CalmAreas& calm) {
    const double l = calm.cardLeft, t = calm.cardTop, r = calm.cardRight, b = calm.cardBottom;
    constexpr double radius = 14;
    const int s = p.scale;
    const int margin = 30;
    // The region around the card in device pixels, from (left, top).
    const int left = (int(l) - margin) * s, top = (int(t) - margin) * s;
    Picture region;
    region.scale = s;
    region.width = (int(r - l) + 2 * margin) * s;
    region.height = (int(b - t) + 2 * margin) * s;
    region.pixels.resize(size_t(region.width) * region.height);
    for (int y = 0; y < region.height; ++y)
        for (int x = 0; x < region.width; ++x) {
            const int sx = std::clamp(left + x, 0, p.width - 1);
            const int sy = std::clamp(top + y, 0, p.height - 1);
            region.At(x, y) = p.At(sx, sy);
        }
    const Picture frosted = BoxBlur(region, 7 * s);
    for (int y = top; y < top + region.height; ++y)
        for (int x = left; x < left + region.width; ++x) {
            if (x < 0 || y < 0 || x >= p.width || y >= p.height) continue;
            const double cx = (x + 0.5) / s, cy = (y + 0.5) / s; // the pixel's centre
            // Shadow, a little below the card.
            const double ds = RoundRectDistance(cx, cy - 5, l, t, r, b, radius);
            const double shadow = 0.30 * std::exp(-std::max(ds, 0.0) * std::max(ds, 0.0) / 90.0);
            Rgb c = Scale(p.At(x, y), 1.0 - shadow);
            // Coverage of the card, 4 x 4 samples.
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (RoundRectDistance((x + (sx + 0.5) / 4) / s, (y + (sy + 0.5) / 4) / s, l, t,
                                          r, b, radius) < 0)
                        ++hits;
            if (hits) {
                const Rgb under = frosted.At(x - left, y - top);
                const double v = (Pt(p, y) - t) / (b - t);
                Rgb glass = Mix(under, Rgb{0.985, 0.99, 0.985}, 0.86 - 0.06 * v);
                const double d = RoundRectDistance(cx, cy, l, t, r, b, radius);
                if (d > -1.6) glass = Mix(glass, Rgb{1, 1, 1}, 0.75); // the lit rim
                c = Mix(c, glass, hits / 16.0);
            }
            p.At(x, y) = c;
        }
}

// The corner with the version and the site's address: open, bright sky.
void PaintCalmCorner(Picture& p, const CalmAreas& calm) {
    const int s = p.scale;
    for (int y = 0; y < std::min(p.height, (calm.cornerBottom + 40) * s); ++y)
        for (int x = std::max(0, (calm.cornerLeft - 60) * s); x < p.width; ++x) {
            const double dx = std::max(0.0, calm.cornerLeft - Pt(p, x)) / 60.0;
            const double dy = std::max(0.0, Pt(p, y) - double(calm.cornerBottom)) / 40.0;
            const double k = 0.45 * (1 - Smooth(0.0, 1.0, std::hypot(dx, dy)));
            p.At(x, y) = Mix(p.At(x, y), Rgb{0.97, 0.98, 0.99}, k);
        }
}

} // namespace

Picture PaintPitchPicture(int width, int height, const CalmAreas& calm, int scale) {
    Picture p;
    p.scale = scale;
    p.width = width * scale;
    p.height = height * scale;
    p.pixels.resize(size_t(p.width) * p.height);
    const Camera cam;
    PaintSky(p);
    PaintFloodlight(p, 112, 34, StandTop(112, width) + 2);
    PaintFloodlight(p, 560, 44, StandTop(560, width) + 2);
    PaintStand(p, cam);
    PaintPitch(p, cam);
    PaintVignette(p);
    PaintCalmCorner(p, calm);
    PaintCard(p, calm);
    for (Rgb& c : p.pixels) {
        c.r = std::clamp(c.r, 0.0, 1.0);
        c.g = std::clamp(c.g, 0.0, 1.0);
        c.b = std::clamp(c.b, 0.0, 1.0);
    }
    return p;
}

} // namespace aboutgen

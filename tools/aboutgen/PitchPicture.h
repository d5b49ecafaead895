#pragma once
// The background picture of the login page: a football ground seen from the stand on a
// bright afternoon — sky, the far stand under its roof, floodlights, the striped pitch in
// perspective with its markings — and a frosted card where the login fields stand.

#include <cstddef>
#include <vector>

namespace aboutgen {

struct Rgb {
    double r = 0, g = 0, b = 0; // 0..1
};

// Device pixels: `scale` of them a point in each direction.
struct Picture {
    int width = 0;
    int height = 0;
    int scale = 1;
    std::vector<Rgb> pixels; // rows top to bottom
    Rgb& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Rgb& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Where the page's text and fields stand: the card is drawn light and calm behind them, and
// the corner with the version and the site's address is left as open sky.
struct CalmAreas {
    int cardLeft = 404, cardTop = 246, cardRight = 717, cardBottom = 462;
    int cornerLeft = 690, cornerBottom = 44; // top-right corner, to the right edge
};

// The picture of width x height points drawn at `scale` device pixels a point: everything is
// placed in points and sampled at each device pixel, so every scale shows the same scene.
Picture PaintPitchPicture(int width, int height, const CalmAreas& calm, int scale = 1);

} // namespace aboutgen

#include "gfx/Color.h"

#include <cmath>

namespace {

// A classic light theme; index = system colour index.
constexpr TColor kSystemColors[COLOR_ENDCOLORS + 1] = {
    RGB(200, 200, 200), // scroll bar
    RGB(0, 0, 0),       // desktop background
    RGB(153, 180, 209), // active caption
    RGB(191, 205, 219), // inactive caption
    RGB(240, 240, 240), // menu
    RGB(255, 255, 255), // window
    RGB(100, 100, 100), // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(0, 0, 0),       // caption text
    RGB(180, 180, 180), // active border
    RGB(244, 247, 252), // inactive border
    RGB(171, 171, 171), // application workspace
    RGB(51, 153, 255),  // highlight
    RGB(255, 255, 255), // highlight text
    RGB(240, 240, 240), // button face
    RGB(160, 160, 160), // button shadow
    RGB(109, 109, 109), // grey text
    RGB(0, 0, 0),       // button text
    RGB(67, 78, 84),    // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(105, 105, 105), // 3D dark shadow
    RGB(227, 227, 227), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
    RGB(0, 0, 0),       // (unused index)
    RGB(0, 102, 204),   // hot-tracked item
    RGB(185, 209, 234), // active caption gradient
    RGB(215, 228, 242), // inactive caption gradient
    RGB(51, 153, 255),  // menu highlight
    RGB(240, 240, 240), // menu bar
};

std::uint8_t MixChannel(std::uint8_t a, std::uint8_t b, double weight) {
    // nearbyint rounds halves to even in the default rounding mode.
    double v = std::nearbyint((1.0 - weight) * a + weight * b);
    if (v < 0) v = 0;
    if (v > 255) v = 255;
    return std::uint8_t(v);
}

} // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index > COLOR_ENDCOLORS) return clBlack;
    return kSystemColors[index];
}

TColor ColorToRGB(TColor c) {
    if (IsSystemColor(c)) return GetSysColor(int(c & 0xFF));
    return c & 0xFFFFFF;
}

TPixel ColorToPixel(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return 0xFF000000u | (TPixel(GetRValue(rgb)) << 16) | (TPixel(GetGValue(rgb)) << 8) |
           GetBValue(rgb);
}

TColor BlendColors(TColor a, TColor b, double weight) {
    const TColor ca = ColorToRGB(a);
    const TColor cb = ColorToRGB(b);
    return RGB(MixChannel(GetRValue(ca), GetRValue(cb), weight),
               MixChannel(GetGValue(ca), GetGValue(cb), weight),
               MixChannel(GetBValue(ca), GetBValue(cb), weight));
}

#pragma once
// Colours as the rest of the program speaks them: TColor is 0x00BBGGRR (red in the low byte),
// system colours are 0xFF000000 plus a colour index and resolve through a fixed light theme.
// Pixels in memory are 0xAARRGGBB; the converters below are the only bridge between the two.
#include <cstdint>

using TColor = std::uint32_t;
using TPixel = std::uint32_t; // 0xAARRGGBB

// Named explicit colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
// "No colour" and "whatever the default is"; neither is ever drawn as such.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colour indexes.
enum : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
    COLOR_ENDCOLORS = 30
};

constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;
constexpr TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
constexpr TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
constexpr TColor clMenu = clSystemColor | COLOR_MENU;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
constexpr TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
constexpr TColor clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER;
constexpr TColor clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER;
constexpr TColor clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
constexpr TColor clHotLight = clSystemColor | COLOR_HOTLIGHT;
constexpr TColor clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION;
constexpr TColor clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION;
constexpr TColor clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT;
constexpr TColor clMenuBar = clSystemColor | COLOR_MENUBAR;

constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t GetRValue(TColor c) {
    return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t GetGValue(TColor c) {
    return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(TColor c) {
    return std::uint8_t((c >> 16) & 0xFF);
}

inline bool IsSystemColor(TColor c) {
    return (c & 0xFF000000u) == clSystemColor;
}

// The RGB value of a system colour index from the fixed light theme; black for unknown indexes.
TColor GetSysColor(int index);

// Resolves a system colour to its RGB value; any other value keeps only its low 24 bits
// (callers test for clNone and clDefault before drawing, since these mean "nothing").
TColor ColorToRGB(TColor c);

// Opaque pixel (alpha 0xFF) of a colour, system colours resolved.
TPixel ColorToPixel(TColor c);
// Colour of a pixel, alpha ignored.
constexpr TColor PixelToColor(TPixel p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

// Mixes two colours channel by channel: (1 - weight) * a + weight * b, each channel rounded to
// nearest with halves to the even neighbour. System colours are resolved first.
TColor BlendColors(TColor a, TColor b, double weight);

// Source-over blend of an opaque colour `src` with coverage alpha (0..255) onto `dst`;
// exact to within rounding of x * a / 255.
inline TPixel BlendPixel(TPixel dst, TPixel src, unsigned alpha) {
    if (alpha >= 255) return src | 0xFF000000u;
    if (alpha == 0) return dst;
    const unsigned inv = 255 - alpha;
    // Red and blue share one multiply: each lane is 16 bits wide and never overflows.
    unsigned rb = (src & 0xFF00FFu) * alpha + (dst & 0xFF00FFu) * inv + 0x800080u;
    rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
    unsigned g = ((src >> 8) & 0xFFu) * alpha + ((dst >> 8) & 0xFFu) * inv + 0x80u;
    g = ((g + (g >> 8)) >> 8) & 0xFFu;
    return 0xFF000000u | rb | (g << 8);
}

#pragma once
// Formatted text in a rectangle with the platform's flags: alignment, single line or word
// break, ellipses, the "&" prefix, tab expansion and rectangle calculation. Lines break at
// CR LF, LF CR, CR and LF. Returns the height of the text drawn (or calculated).
#include "gfx/Canvas.h"
#include "gfx/Types.h"

#include <string>

constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_INTERNAL = 0x1000;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

// Draws `text` in `rect` with the canvas font (its colour) and, with a solid brush, an opaque
// background behind each drawn line. With DT_CALCRECT nothing is drawn: rect's right and bottom
// are set to fit the text (with DT_WORDBREAK the lines are broken at rect's width first and the
// right edge moves to the widest line). DT_VCENTER and DT_BOTTOM act on single lines only, and
// then the result is the offset from rect's top to the bottom of the text. Empty text has
// height 0.
int DrawText(TCanvas& canvas, const std::u16string& text, TRect& rect, unsigned flags);
// 8-bit text in code page 1251.
int DrawText(TCanvas& canvas, const std::string& text, TRect& rect, unsigned flags);

inline int DrawTextW(TCanvas& canvas, const std::u16string& text, TRect& rect, unsigned flags) {
    return DrawText(canvas, text, rect, flags);
}
inline int DrawTextA(TCanvas& canvas, const std::string& text, TRect& rect, unsigned flags) {
    return DrawText(canvas, text, rect, flags);
}

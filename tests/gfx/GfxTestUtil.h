#pragma once
// Helpers shared by the graphics tests.
#include "gfx/Bitmap.h"
#include "gfx/Types.h"

#include <cstdint>
#include <random>
#include <string>

// Bounding box of every pixel whose colour differs from `background`; empty when none.
inline TRect InkBounds(const TBitmap& b, TColor background) {
    TRect r{b.Width(), b.Height(), 0, 0};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.PixelColor(x, y) != background) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r.IsEmpty() ? TRect{} : r;
}

inline int CountColor(const TBitmap& b, TColor color) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += b.PixelColor(x, y) == color;
    return n;
}

inline bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.PixelColor(x, y) != b.PixelColor(x, y)) return false;
    return true;
}

inline std::string TempPath(const std::string& name) {
    return std::string(BRELVAN_BINARY_DIR) + "/gfx_test_" + name;
}

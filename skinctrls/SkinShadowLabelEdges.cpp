#include "skinctrls/SkinShadowLabelEdges.h"

#include <algorithm>

namespace {

bool IsWhite(TPixel p) {
    return (p & 0xFFFFFFu) == 0xFFFFFFu;
}

} // namespace

void SoftenShadowEdges(TBitmap& back, const TBitmap& mask) {
    // Stored pixels: a device-scaled label softens its edges at full resolution.
    const int w = back.DeviceWidth(), h = back.DeviceHeight();
    if (w <= 0 || h <= 0 || mask.DeviceWidth() < w || mask.DeviceHeight() < h) return;
    auto maskWhite = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && IsWhite(mask.ScanLine(y)[x]);
    };
    auto at = [&](int x, int y) {
        return back.ScanLine(std::clamp(y, 0, h - 1))[std::clamp(x, 0, w - 1)];
    };
    for (int y = 0; y < h; ++y) {
        const TPixel* m = mask.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            if (IsWhite(m[x])) continue;
            if (!maskWhite(x - 1, y - 1) && !maskWhite(x + 1, y - 1) && !maskWhite(x - 1, y + 1) &&
                !maskWhite(x + 1, y + 1))
                continue;
            const TPixel d[4] = {at(x - 1, y - 1), at(x + 1, y - 1), at(x - 1, y + 1),
                                 at(x + 1, y + 1)};
            TPixel& p = back.ScanLine(y)[x];
            TPixel mean = p & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                unsigned sum = 0;
                for (TPixel q : d) sum += (q >> shift) & 0xFFu;
                mean |= TPixel(sum / 4) << shift;
            }
            p = mean;
        }
    }
}

#include "platform/DeviceSurface.h"

#include <algorithm>
#include <cstring>

int EnlargeFactor(int surfaceW, int surfaceH, int deviceW, int deviceH) {
    if (surfaceW <= 0 || surfaceH <= 0) return 1;
    return std::max(1, std::min(deviceW / surfaceW, deviceH / surfaceH));
}

DisplayRect ScaledRect(const DisplayRect& r, int factor) {
    return {r.x * factor, r.y * factor, r.w * factor, r.h * factor};
}

DisplayRect ClippedRect(const DisplayRect& r, const DisplayRect& bounds) {
    const int left = std::max(r.x, bounds.x);
    const int top = std::max(r.y, bounds.y);
    const int right = std::min(r.x + r.w, bounds.x + bounds.w);
    const int bottom = std::min(r.y + r.h, bounds.y + bounds.h);
    if (right <= left || bottom <= top) return {left, top, 0, 0};
    return {left, top, right - left, bottom - top};
}

void CopyEnlarged(const uint32_t* surface, int surfaceW, int factor, const DisplayRect& r,
                  uint32_t* device, int deviceStride) {
    if (r.w <= 0 || r.h <= 0) return;
    for (int y = r.y; y < r.y + r.h; ++y) {
        const uint32_t* from = surface + std::size_t(y / factor) * std::size_t(surfaceW);
        uint32_t* to = device + std::size_t(y) * std::size_t(deviceStride);
        if (factor == 1) {
            std::memcpy(to + r.x, from + r.x, std::size_t(r.w) * sizeof(uint32_t));
            continue;
        }
        // A device row repeats the one above it when both come from the same surface row.
        if (y > r.y && y % factor != 0) {
            std::memcpy(to + r.x, to - deviceStride + r.x, std::size_t(r.w) * sizeof(uint32_t));
            continue;
        }
        for (int x = r.x; x < r.x + r.w; ++x) to[x] = from[x / factor];
    }
}

DisplayRect UnitedRect(const DisplayRect& a, const DisplayRect& b) {
    if (a.w <= 0 || a.h <= 0) return b;
    if (b.w <= 0 || b.h <= 0) return a;
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.w, b.x + b.w);
    const int bottom = std::max(a.y + a.h, b.y + b.h);
    return {left, top, right - left, bottom - top};
}

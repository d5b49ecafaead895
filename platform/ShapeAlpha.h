#pragma once
// A window's shape as the alpha of its pixels, for screens where windows have no shapes of
// their own but may be translucent: inside the shape a pixel is opaque, outside it is fully
// transparent (and black, as premultiplied alpha wants).
#include <cstdint>
#include <vector>

#include "platform/Display.h"

class ShapeAlpha {
public:
    // `rects` in window coordinates (points), `scale` device pixels a point; no rectangles: the
    // whole window is opaque.
    ShapeAlpha(const std::vector<DisplayRect>& rects, int scale);

    bool Rectangular() const { return m_rectangular; }

    // Copies the `r` part (device pixels) of `from` (0x00RRGGBB) into `to` (0xAARRGGBB), both
    // with `stride` pixels a row, giving each pixel the alpha of the shape.
    void Copy(const uint32_t* from, uint32_t* to, int stride, const DisplayRect& r) const;

private:
    struct Span {
        int left, right; // device pixels, right exclusive
    };
    // The spans inside the shape on a row of points, sorted and merged.
    const std::vector<Span>& SpansOf(int pointRow) const;

    bool m_rectangular = true;
    int m_scale = 1;
    int m_firstRow = 0;
    std::vector<std::vector<Span>> m_rows; // from m_firstRow on
};

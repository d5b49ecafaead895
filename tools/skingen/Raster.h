#pragma once
// A small painter for the skin pictures: exact colours, vertical gradients and shapes whose
// edges are smoothed by 4 x 4 sub-pixel coverage.
#include "gfx/Bitmap.h"
#include "gfx/Types.h"

#include <functional>
#include <vector>

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

Rgb Mix(Rgb a, Rgb b, double t); // (1 - t) a + t b
Rgb Lighter(Rgb c, double t);    // toward white
Rgb Darker(Rgb c, double t);     // toward black
unsigned ColorValue(Rgb c);      // as a skin description writes it (0x00BBGGRR)

// Inside tests in continuous coordinates (pixel centres at +0.5).
using Shape = std::function<bool(double x, double y)>;
Shape RoundRectShape(const TRect& r, double radius);
Shape CircleShape(double cx, double cy, double radius);
Shape SegmentShape(double x1, double y1, double x2, double y2, double halfWidth);
Shape UnionShape(std::vector<Shape> parts);
Shape TriangleShape(TPoint a, TPoint b, TPoint c);

class Raster {
public:
    Raster(int width, int height, Rgb fill);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Rgb Get(int x, int y) const;
    void Put(int x, int y, Rgb c);
    void Blend(int x, int y, Rgb c, double alpha);

    void FillRect(const TRect& r, Rgb c);
    void HLine(int x1, int x2, int y, Rgb c); // x2 exclusive
    void VLine(int x, int y1, int y2, Rgb c); // y2 exclusive
    void VGradient(const TRect& r, Rgb top, Rgb bottom);
    // Paints `color(x, y)` over the pixels of `area` with the shape's coverage.
    void FillShape(const TRect& area, const Shape& shape,
                   const std::function<Rgb(int x, int y)>& color);
    void FillShape(const TRect& area, const Shape& shape, Rgb color);
    // Coverage 0..1 of one pixel.
    static double Coverage(const Shape& shape, int x, int y);

    // Copies a block of this raster to another place of it.
    void CopyBlock(const TRect& from, int toX, int toY);

    TBitmap ToBitmap(TPixelFormat format) const;

private:
    int m_width, m_height;
    std::vector<Rgb> m_pixels;
};

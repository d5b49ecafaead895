#pragma once
// A small painter for the skin pictures: exact colours, vertical gradients and shapes whose
// edges are smoothed by 4 x 4 sub-pixel coverage.
//
// A raster has a device scale s (1, 2 or 3): its size is given in points and it holds s x s
// device pixels a point. Painters place everything in points, so one description draws the
// picture at every scale; a line that is one pixel wide at 1x is drawn one device pixel wide
// (Px() points), shapes and gradients are evaluated at each device pixel.
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

// A rectangle in points whose edges may fall between whole points (a line's width inside).
struct Box {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    Box() = default;
    Box(double l, double t, double r, double b) : Left(l), Top(t), Right(r), Bottom(b) {}
    Box(const TRect& r) : Left(r.Left), Top(r.Top), Right(r.Right), Bottom(r.Bottom) {}
    double Width() const { return Right - Left; }
    double Height() const { return Bottom - Top; }
    // The box moved in by d on every side.
    Box Inset(double d) const { return {Left + d, Top + d, Right - d, Bottom - d}; }
};

// Inside tests in continuous point coordinates.
using Shape = std::function<bool(double x, double y)>;
Shape RoundRectShape(const Box& r, double radius);
Shape CircleShape(double cx, double cy, double radius);
Shape SegmentShape(double x1, double y1, double x2, double y2, double halfWidth);
Shape UnionShape(std::vector<Shape> parts);
Shape TriangleShape(TPoint a, TPoint b, TPoint c);

class Raster {
public:
    // width x height points of `fill`, at `scale` device pixels a point.
    Raster(int width, int height, Rgb fill, int scale = 1);

    int Width() const { return m_width; } // points
    int Height() const { return m_height; }
    int Scale() const { return m_scale; }
    // One device pixel, in points: the width of a one-pixel line.
    double Px() const { return 1.0 / m_scale; }
    int DeviceWidth() const { return m_width * m_scale; }
    int DeviceHeight() const { return m_height * m_scale; }

    // One device pixel by its device coordinates; outside reads black and writes nothing.
    Rgb Get(int x, int y) const;
    void Put(int x, int y, Rgb c);
    void Blend(int x, int y, Rgb c, double alpha);
    // The device pixel that holds the point (x, y).
    Rgb GetAt(double x, double y) const;
    void PutAt(double x, double y, Rgb c);
    // The point of a device pixel's top-left corner.
    double PointOf(int device) const { return double(device) / m_scale; }
    // The device pixels a box covers (edges rounded to the nearest device pixel).
    TRect DeviceRect(const Box& r) const;

    void FillRect(const Box& r, Rgb c);
    void HLine(double x1, double x2, double y, Rgb c); // one device pixel high; x2 exclusive
    void VLine(double x, double y1, double y2, Rgb c); // one device pixel wide; y2 exclusive
    // Top colour on the first device row, bottom colour on the last.
    void VGradient(const Box& r, Rgb top, Rgb bottom);
    // Where row y (a device row's top, in points) stands between the first and the last
    // device row of [top, top + height): 0 .. 1.
    double Ramp(double y, double top, double height) const;
    // Calls row(y) for each device row whose top y lies in [top, bottom).
    void ForEachRow(double top, double bottom, const std::function<void(double y)>& row) const;
    // Paints `color(x, y)` (the device pixel's top-left, in points) over the pixels of `area`
    // with the shape's coverage.
    void FillShape(const Box& area, const Shape& shape,
                   const std::function<Rgb(double x, double y)>& color);
    void FillShape(const Box& area, const Shape& shape, Rgb color);
    // Coverage 0..1 of one device pixel.
    double Coverage(const Shape& shape, int x, int y) const;

    // The device pixels as a picture of DeviceWidth x DeviceHeight.
    TBitmap ToBitmap(TPixelFormat format) const;

private:
    int m_width, m_height, m_scale;
    std::vector<Rgb> m_pixels;
};

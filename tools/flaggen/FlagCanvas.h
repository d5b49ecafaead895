#pragma once
// The shapes that flags are made of, painted into a flag's box: a W x H point rectangle
// placed inside the 16 x 16 picture. Positions are in points from the box's top-left corner;
// everything is clipped to the box and painted with soft, coverage-sampled edges.

#include "tools/flaggen/Image16.h"
#include "tools/flaggen/Paint.h"

#include <functional>
#include <initializer_list>
#include <vector>

namespace flaggen {

struct Point {
    double x, y;
};

class FlagCanvas {
public:
    // The box is centred in the picture as the package's flags are (whole points).
    FlagCanvas(ScaledImage& image, int width, int height);

    double W() const { return width_; }
    double H() const { return height_; }

    // Any shape given by its inside test (box points).
    void Shape(Rgb colour, const std::function<bool(double, double)>& inside);
    void Rect(Rgb colour, double l, double t, double r, double b);
    // Bands across the whole box, top to bottom or left to right; weights default to equal.
    void HStripes(std::initializer_list<Rgb> colours, std::initializer_list<double> weights = {});
    void VStripes(std::initializer_list<Rgb> colours, std::initializer_list<double> weights = {});
    // A cross of two bars over the whole box, its middle at (cx, cy).
    void Cross(Rgb colour, double cx, double cy, double thickness);
    // Both diagonals of the rectangle l, t, r, b.
    void Saltire(Rgb colour, double thickness, double l, double t, double r, double b);
    void Line(Rgb colour, Point from, Point to, double thickness);
    void Polygon(Rgb colour, std::vector<Point> corners);
    void Disc(Rgb colour, double cx, double cy, double radius);
    void Ellipse(Rgb colour, double cx, double cy, double rx, double ry);
    void Ring(Rgb colour, double cx, double cy, double outer, double inner);
    // A star of `points` points; `inner` is the inner radius as a share of the outer one
    // (0.382 gives the usual five-pointed star), the first point at `angle` degrees
    // (-90 = up).
    void Star(Rgb colour, double cx, double cy, double radius, int points = 5, double inner = 0.382,
              double angle = -90);
    // A disc with a second disc cut out of it: (cx + shift, cy), radius `cut`.
    void Crescent(Rgb colour, double cx, double cy, double radius, double shift, double cut);
    // A band along the hoist whose fly edge is serrated: x < edge + depth * (tooth shape).
    void Serrated(Rgb colour, double edge, double depth, int teeth);
    // A board of nx x ny squares in the rectangle, `first` in the top-left one.
    void Checks(Rgb first, Rgb second, double l, double t, double r, double b, int nx, int ny);
    // A shield: straight sides, the lower part rounded; (cx, top) is the middle of its top.
    void Shield(Rgb colour, double cx, double top, double width, double height);
    // The union canton of some Commonwealth flags, in the rectangle l, t, r, b.
    void UnionCanton(double l, double t, double r, double b);

private:
    ScaledImage& image_;
    double left_, top_, width_, height_;
};

// The look of the package's pictures: a darker rim of each colour, a lighter band just inside
// it and a washed, slightly shaded field, so our drawings sit among theirs. Applied to the
// box of a finished drawing.
void Glaze(ScaledImage& image, int width, int height);

} // namespace flaggen

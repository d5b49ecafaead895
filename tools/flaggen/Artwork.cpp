#include "tools/flaggen/Artwork.h"

#include "tools/flaggen/Paint.h"

#include <cmath>
#include <numbers>

namespace flaggen {

namespace {

template <class Image> void PaintFootball(Image& ball) {
    const double c = 8.0, radius = 7.5;
    const double up = -std::numbers::pi / 2;
    FillCircle(ball, {64, 64, 64}, c, c, radius);
    FillCircle(ball, {255, 255, 255}, c, c, radius - 1.0);
    auto inBall = [=](double x, double y) {
        return (x - c) * (x - c) + (y - c) * (y - c) <= (radius - 1.0) * (radius - 1.0);
    };
    // The central pentagon and the five that the sphere shows only partly at its rim.
    Fill(ball, {24, 24, 24}, [=](double x, double y) { return InPolygon(x, y, c, c, 2.8, 5, up); });
    for (int i = 0; i < 5; ++i) {
        const double a = up + std::numbers::pi / 5 + 2 * std::numbers::pi * i / 5;
        const double px = c + 7.0 * std::cos(a), py = c + 7.0 * std::sin(a);
        Fill(ball, {24, 24, 24}, [=](double x, double y) {
            return inBall(x, y) && InPolygon(x, y, px, py, 2.6, 5, a + std::numbers::pi);
        });
    }
}

template <class Image> void PaintKosovoFlag(Image& flag) {
    FillRect(flag, {36, 74, 165}, 0, 2, 16, 13);
    // The country's outline, gold, in the middle of the field.
    Fill(flag, {209, 164, 54}, [](double x, double y) {
        const double dx = (x - 8.2) / 2.6, dy = (y - 8.9) / 2.2;
        return dx * dx + dy * dy <= 1.0 && !(x > 9.6 && y < 7.6);
    });
    // Six white stars in an arc above it; at this size each is one bright dot.
    const double starX[6] = {3.5, 5.3, 7.2, 9.1, 11.0, 12.8};
    const double starY[6] = {5.6, 4.7, 4.2, 4.2, 4.7, 5.6};
    for (int i = 0; i < 6; ++i) FillCircle(flag, {255, 255, 255}, starX[i], starY[i], 0.6);
}

} // namespace

Image16 DrawFootball() {
    Image16 ball;
    PaintFootball(ball);
    return ball;
}

ScaledImage DrawFootball(int scale) {
    ScaledImage ball(scale);
    PaintFootball(ball);
    return ball;
}

Image16 DrawKosovoFlag() {
    Image16 flag;
    PaintKosovoFlag(flag);
    return flag;
}

ScaledImage DrawKosovoFlag(int scale) {
    ScaledImage flag(scale);
    PaintKosovoFlag(flag);
    return flag;
}

ScaledImage DrawLoginTabImage(int scale) {
    // A person: head and shoulders, for the page where one signs in.
    ScaledImage image(scale);
    const Rgb outline{30, 60, 120}, body{70, 120, 200};
    FillCircle(image, outline, 8, 5, 3.6);
    FillCircle(image, {250, 214, 170}, 8, 5, 2.7);
    Fill(image, outline, [](double x, double y) {
        const double dx = (x - 8) / 6.6, dy = (y - 16) / 6.4;
        return y <= 15.5 && dx * dx + dy * dy <= 1.0;
    });
    Fill(image, body, [](double x, double y) {
        const double dx = (x - 8) / 5.6, dy = (y - 16) / 5.4;
        return y <= 15.0 && dx * dx + dy * dy <= 1.0;
    });
    return image;
}

ScaledImage DrawFootballTabImage(int scale) {
    // A pitch seen from above: green field, white touch lines, halfway line and centre circle.
    ScaledImage image(scale);
    const Rgb grass{40, 150, 50}, line{255, 255, 255};
    FillRect(image, line, 0, 2, 16, 14);
    FillRect(image, grass, 1, 3, 15, 13);
    FillRect(image, line, 7.5, 3, 8.5, 13);
    Fill(image, line, [](double x, double y) {
        const double d = std::hypot(x - 8, y - 8);
        return d >= 1.9 && d <= 2.9;
    });
    FillRect(image, line, 1, 5.5, 3, 6.5);
    FillRect(image, line, 2, 5.5, 3, 10.5);
    FillRect(image, line, 1, 9.5, 3, 10.5);
    FillRect(image, line, 13, 5.5, 15, 6.5);
    FillRect(image, line, 13, 5.5, 14, 10.5);
    FillRect(image, line, 13, 9.5, 15, 10.5);
    return image;
}

ScaledImage DrawFlagHeaderGlyph(int scale) {
    // A pennant on a pole; the header draws it transparently over its own colour.
    ScaledImage image(scale);
    FillRect(image, {90, 60, 30}, 3, 1, 4.5, 15);
    FillCircle(image, {200, 170, 40}, 3.75, 1.2, 1.1);
    Fill(image, {210, 30, 30}, [](double x, double y) {
        const double wave = 0.8 * std::sin((x - 4.5) * 0.9);
        return x >= 4.5 && x < 14.5 && y >= 2.5 + wave && y < 8.5 + wave;
    });
    Fill(image, {255, 255, 255}, [](double x, double y) {
        const double wave = 0.8 * std::sin((x - 4.5) * 0.9);
        return x >= 4.5 && x < 14.5 && y >= 4.5 + wave && y < 6.5 + wave;
    });
    return image;
}

} // namespace flaggen

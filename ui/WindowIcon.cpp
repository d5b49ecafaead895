#include "ui/WindowIcon.h"

#include "platform/Display.h"
#include "ui/Forms.h"

#include <algorithm>

namespace {
// A small window with a title bar and two lines of text, in slate and azure, drawn on a grid
// of 32 x 32 cells of `scale` pixels each, so that it is as sharp at every size it is made.
TBitmap DrawDefaultIcon(int scale) {
    const int size = 32 * scale;
    TBitmap icon(size, size);
    for (int y = 0; y < size; ++y) std::fill_n(icon.ScanLine(y), size, 0u);
    auto fill = [&](int l, int t, int r, int b, uint32_t argb) {
        for (int y = t * scale; y < b * scale; ++y)
            std::fill(icon.ScanLine(y) + l * scale, icon.ScanLine(y) + r * scale, argb);
    };
    fill(2, 4, 30, 28, 0xFF1C222C);  // outline
    fill(3, 5, 29, 11, 0xFF42506A);  // title bar
    fill(3, 11, 29, 27, 0xFFEEF1F5); // client
    fill(3, 11, 29, 12, 0xFF2D8CF0); // accent under the title
    fill(6, 15, 26, 17, 0xFF2D8CF0);
    fill(6, 20, 21, 22, 0xFFB0BAC8);
    fill(24, 7, 27, 9, 0xFFD6DEEA); // a caption button
    icon.SetAlphaFormat(afDefined);
    icon.SetPixelFormat(pf32bit);
    return icon;
}

uint32_t AlphaOf(const TBitmap& icon, uint32_t pixel, uint32_t transparentRgb) {
    if (icon.AlphaFormat() == afDefined) return pixel >> 24;
    if (icon.Transparent() && (pixel & 0xFFFFFF) == transparentRgb) return 0;
    return 255;
}
} // namespace

const TBitmap& DefaultApplicationIcon(int scale) {
    static const TBitmap icons[] = {DrawDefaultIcon(1), DrawDefaultIcon(2), DrawDefaultIcon(3)};
    return icons[std::clamp(scale, 1, 3) - 1];
}

const TBitmap& WindowIconOf(const TCustomForm* form, int scale) {
    if (form && !form->Icon()->Empty()) return *form->Icon();
    if (Application && !Application->Icon()->Empty()) return *Application->Icon();
    return DefaultApplicationIcon(scale);
}

std::vector<uint32_t> IconPixels(const TBitmap& icon) {
    std::vector<uint32_t> out(size_t(std::max(0, icon.Width())) *
                              size_t(std::max(0, icon.Height())));
    const uint32_t key = ColorToPixel(icon.TransparentColor()) & 0xFFFFFF;
    size_t i = 0;
    for (int y = 0; y < icon.Height(); ++y)
        for (int x = 0; x < icon.Width(); ++x) {
            const uint32_t p = icon.ScanLine(y)[x];
            out[i++] = (AlphaOf(icon, p, key) << 24) | (p & 0xFFFFFF);
        }
    return out;
}

TBitmap ScaleIcon(const TBitmap& icon, int size) {
    TBitmap out(size, size);
    out.SetPixelFormat(pf32bit);
    out.SetAlphaFormat(afDefined);
    if (icon.Empty() || size <= 0) {
        for (int y = 0; y < out.Height(); ++y) std::fill_n(out.ScanLine(y), out.Width(), 0u);
        return out;
    }
    const std::vector<uint32_t> src = IconPixels(icon);
    const int w = icon.Width(), h = icon.Height();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // The source area this pixel covers (at least one source pixel).
            const int x0 = x * w / size, x1 = std::max(x0 + 1, (x + 1) * w / size);
            const int y0 = y * h / size, y1 = std::max(y0 + 1, (y + 1) * h / size);
            uint64_t a = 0, r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    const uint32_t p = src[size_t(sy) * size_t(w) + size_t(sx)];
                    const uint32_t pa = p >> 24;
                    a += pa;
                    r += ((p >> 16) & 0xFF) * pa;
                    g += ((p >> 8) & 0xFF) * pa;
                    b += (p & 0xFF) * pa;
                    ++n;
                }
            uint32_t pixel = 0;
            if (a > 0)
                pixel = uint32_t((a + n / 2) / n) << 24 | uint32_t((r + a / 2) / a) << 16 |
                        uint32_t((g + a / 2) / a) << 8 | uint32_t((b + a / 2) / a);
            out.ScanLine(y)[x] = pixel;
        }
    return out;
}

void ShowWindowIcon(TCustomForm* form) {
    if (!form || !form->DisplayWindow() || !HasDisplay()) return;
    // Drawn for the screen's pixels: the window manager shows it at the size it likes.
    const TBitmap& icon = WindowIconOf(form, CurrentDisplay().DeviceScale());
    const std::vector<uint32_t> pixels = IconPixels(icon);
    CurrentDisplay().SetWindowIcon(form->DisplayWindow(), pixels.data(), icon.Width(),
                                   icon.Height());
}

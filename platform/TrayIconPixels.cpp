#include "platform/TrayIconPixels.h"

#include <algorithm>

namespace {
bool Valid(const TrayPicture& p) {
    return p.width > 0 && p.height > 0 &&
           p.argb.size() == std::size_t(p.width) * std::size_t(p.height);
}

// The average of a box of source pixels, weighted by alpha so that transparent pixels lend
// no colour.
uint32_t AverageBox(const TrayPicture& p, int x0, int y0, int x1, int y1) {
    uint64_t a = 0, r = 0, g = 0, b = 0, n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const uint32_t px = p.argb[std::size_t(y) * p.width + x];
            const uint32_t alpha = px >> 24;
            a += alpha;
            r += alpha * ((px >> 16) & 0xFF);
            g += alpha * ((px >> 8) & 0xFF);
            b += alpha * (px & 0xFF);
            ++n;
        }
    if (n == 0 || a == 0) return 0;
    const uint32_t outA = uint32_t((a + n / 2) / n);
    return outA << 24 | uint32_t((r + a / 2) / a) << 16 | uint32_t((g + a / 2) / a) << 8 |
           uint32_t((b + a / 2) / a);
}
} // namespace

std::vector<uint8_t> ArgbNetworkOrder(const TrayPicture& picture) {
    if (!Valid(picture)) return {};
    std::vector<uint8_t> bytes;
    bytes.reserve(picture.argb.size() * 4);
    for (uint32_t px : picture.argb) {
        bytes.push_back(uint8_t(px >> 24));
        bytes.push_back(uint8_t(px >> 16));
        bytes.push_back(uint8_t(px >> 8));
        bytes.push_back(uint8_t(px));
    }
    return bytes;
}

const TrayPicture* PictureForSize(const std::vector<TrayPicture>& pictures, int size) {
    const TrayPicture* fitting = nullptr;
    const TrayPicture* largest = nullptr;
    for (const TrayPicture& p : pictures) {
        if (!Valid(p)) continue;
        const int side = std::max(p.width, p.height);
        if (!largest || side > std::max(largest->width, largest->height)) largest = &p;
        if (side >= size && (!fitting || side < std::max(fitting->width, fitting->height)))
            fitting = &p;
    }
    return fitting ? fitting : largest;
}

TrayPicture FitPicture(const TrayPicture& picture, int w, int h) {
    TrayPicture out;
    if (w <= 0 || h <= 0) return out;
    out.width = w;
    out.height = h;
    out.argb.assign(std::size_t(w) * std::size_t(h), 0);
    if (!Valid(picture)) return out;
    int tw = picture.width, th = picture.height;
    if (tw > w || th > h) {
        // Keep the proportions: the side that overflows most decides.
        if (int64_t(tw) * h >= int64_t(th) * w) {
            th = std::max(1, int(int64_t(th) * w / tw));
            tw = w;
        } else {
            tw = std::max(1, int(int64_t(tw) * h / th));
            th = h;
        }
    }
    const int left = (w - tw) / 2, top = (h - th) / 2;
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x) {
            uint32_t px;
            if (tw == picture.width && th == picture.height) {
                px = picture.argb[std::size_t(y) * picture.width + x];
            } else {
                const int x0 = x * picture.width / tw, x1 = (x + 1) * picture.width / tw;
                const int y0 = y * picture.height / th, y1 = (y + 1) * picture.height / th;
                px = AverageBox(picture, x0, y0, std::max(x1, x0 + 1), std::max(y1, y0 + 1));
            }
            out.argb[std::size_t(top + y) * w + (left + x)] = px;
        }
    return out;
}

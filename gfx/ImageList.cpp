#include "gfx/ImageList.h"

#include "rtl/Exceptions.h"

#include <algorithm>

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

void TImageList::SetWidth(int width) {
    SetSize(width, m_height);
}
void TImageList::SetHeight(int height) {
    SetSize(m_width, height);
}

void TImageList::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    m_images.clear();
    Changed();
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
    const int count = image.Width() / m_width;
    if (count <= 0 || image.Height() <= 0) return -1;
    // A scaled strip gives scaled entries; sizes stay in points, pixels are the stored ones.
    // A mask of another scale than the strip's masks nothing out.
    const int s = image.Scale();
    if (mask && mask->Scale() != s) mask = nullptr;
    const int w = m_width * s, h = m_height * s;
    const int first = Count();
    for (int i = 0; i < count; ++i) {
        Image entry;
        entry.pixels.SetScale(s);
        entry.pixels.SetSize(m_width, m_height);
        entry.pixels.SetPixelFormatTag(pf32bit);
        entry.pixels.SetAlphaFormat(afDefined);
        for (int y = 0; y < h; ++y) {
            TPixel* dst = entry.pixels.ScanLine(y);
            if (y >= image.DeviceHeight()) {
                std::fill(dst, dst + w, 0u); // below a short strip: transparent
                continue;
            }
            const TPixel* src = image.ScanLine(y) + i * w;
            const bool hasMaskRow = mask && y < mask->DeviceHeight();
            for (int x = 0; x < w; ++x) {
                bool visible = true;
                if (mask) {
                    const int mx = i * w + x;
                    visible = hasMaskRow && mx < mask->DeviceWidth() &&
                              (mask->ScanLine(y)[mx] & 0xFFFFFFu) == 0;
                }
                TPixel p = src[x];
                if (image.AlphaFormat() != afDefined) p |= 0xFF000000u;
                dst[x] = visible ? p : 0u;
            }
        }
        m_images.push_back(std::move(entry));
    }
    Changed();
    return first;
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    if (image.Empty()) return -1;
    const TColor key =
        maskColor == clDefault ? image.PixelColor(0, image.Height() - 1) : ColorToRGB(maskColor);
    const TPixel keyPixel = ColorToPixel(key) & 0xFFFFFFu;
    TBitmap mask;
    mask.SetScale(image.Scale());
    mask.SetSize(image.Width(), image.Height());
    for (int y = 0; y < image.DeviceHeight(); ++y) {
        const TPixel* src = image.ScanLine(y);
        TPixel* m = mask.ScanLine(y);
        for (int x = 0; x < image.DeviceWidth(); ++x)
            m[x] = (src[x] & 0xFFFFFFu) == keyPixel ? 0xFFFFFFFFu : 0xFF000000u;
    }
    return Add(image, &mask);
}

void TImageList::Delete(int index) {
    CheckListIndex(index, Count());
    m_images.erase(m_images.begin() + index);
    Changed();
}

void TImageList::Clear() {
    if (m_images.empty()) return;
    m_images.clear();
    Changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const TBitmap& pixels = m_images[std::size_t(index)].pixels;
    if (enabled) {
        canvas.Draw(x, y, pixels);
        return;
    }
    // Disabled: the picture's lightness only, pale, over whatever lies beneath.
    TBitmap grey(pixels);
    for (int py = 0; py < grey.DeviceHeight(); ++py) {
        TPixel* row = grey.ScanLine(py);
        for (int px = 0; px < grey.DeviceWidth(); ++px) {
            const TPixel p = row[px];
            const unsigned lum =
                (((p >> 16) & 0xFF) * 77 + ((p >> 8) & 0xFF) * 150 + (p & 0xFF) * 29) >> 8;
            const unsigned pale = 128 + lum / 2;
            row[px] = (p & 0xFF000000u) | (pale << 16) | (pale << 8) | pale;
        }
    }
    canvas.Draw(x, y, grey);
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap) const {
    if (index < 0 || index >= Count()) return false;
    bitmap.Assign(m_images[std::size_t(index)].pixels);
    return true;
}

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}

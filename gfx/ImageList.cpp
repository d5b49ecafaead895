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
    const int first = Count();
    for (int i = 0; i < count; ++i) {
        Image entry;
        entry.pixels.SetSize(m_width, m_height);
        entry.pixels.SetPixelFormatTag(pf32bit);
        entry.pixels.SetAlphaFormat(afDefined);
        for (int y = 0; y < m_height; ++y) {
            TPixel* dst = entry.pixels.ScanLine(y);
            if (y >= image.Height()) {
                std::fill(dst, dst + m_width, 0u); // below a short strip: transparent
                continue;
            }
            const TPixel* src = image.ScanLine(y) + i * m_width;
            const bool hasMaskRow = mask && y < mask->Height();
            for (int x = 0; x < m_width; ++x) {
                bool visible = true;
                if (mask) {
                    const int mx = i * m_width + x;
                    visible = hasMaskRow && mx < mask->Width() &&
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
    TBitmap mask(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        const TPixel* src = image.ScanLine(y);
        TPixel* m = mask.ScanLine(y);
        for (int x = 0; x < image.Width(); ++x)
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
    for (int py = 0; py < grey.Height(); ++py) {
        TPixel* row = grey.ScanLine(py);
        for (int px = 0; px < grey.Width(); ++px) {
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

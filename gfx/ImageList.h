#pragma once
// TImageList: equal-sized images cut from strips, drawn by index, transparent by a mask colour
// or a mask bitmap.
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "rtl/Component.h"

#include <functional>
#include <vector>

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner = nullptr);
    ~TImageList() override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Changing a dimension empties the list, as the platform does.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);
    int Count() const { return int(m_images.size()); }

    // Adds image (a strip of Width-wide images; the last partial image is dropped), each opaque
    // unless `mask` is given (black mask pixels are drawn, white ones are transparent). Returns
    // the index of the first image added, -1 when none fits.
    int Add(const TBitmap& image, const TBitmap* mask = nullptr);
    // As Add with every pixel of `maskColor` transparent; clDefault means the image's
    // bottom-left pixel.
    int AddMasked(const TBitmap& image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws image `index` at (x, y); disabled images are drawn greyed. An index outside
    // 0..Count-1 draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Copies image `index` into `bitmap` (Width x Height, afDefined alpha: transparent pixels
    // have alpha 0); returns false for an index out of range.
    bool GetBitmap(int index, TBitmap& bitmap) const;

    TNotifyEvent OnChange;

private:
    struct Image {
        TBitmap pixels; // alpha 0 marks transparent pixels
    };
    void Changed();

    int m_width = 16;
    int m_height = 16;
    std::vector<Image> m_images;
};

#pragma once
// TspSkinXFormButton: the skinned button with four pictures of its own (normal, active,
// pressed and a 1-bit shape mask) that it shows, at their size, while the skin has no
// record for it.
#include "skinctrls/SkinButton.h"

class TspSkinXFormButton : public TspSkinButton {
public:
    explicit TspSkinXFormButton(TComponent* owner);

    const TBitmap& DefImage() const { return m_defImage; }
    // A picture gives the button its size while there is no record.
    void SetDefImage(const TBitmap& image);
    const TBitmap& DefActiveImage() const { return m_defActiveImage; }
    void SetDefActiveImage(const TBitmap& image) { m_defActiveImage = image; }
    const TBitmap& DefDownImage() const { return m_defDownImage; }
    void SetDefDownImage(const TBitmap& image) { m_defDownImage = image; }
    const TBitmap& DefMask() const { return m_defMask; }
    void SetDefMask(const TBitmap& mask);
    TColor DefActiveFontColor() const { return m_defActiveFontColor; }
    void SetDefActiveFontColor(TColor value) { m_defActiveFontColor = value; }
    TColor DefDownFontColor() const { return m_defDownFontColor; }
    void SetDefDownFontColor(TColor value) { m_defDownFontColor = value; }

    void UpdateRegion() override;
    void ApplySkinChange() override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    // The pictures are in use: no record, and a normal picture.
    bool PictureMode() const;
    void PaintDefault(TBitmap& bitmap) override;

    TBitmap m_defImage, m_defActiveImage, m_defDownImage, m_defMask;
    TColor m_defActiveFontColor = 0;
    TColor m_defDownFontColor = 0;
};

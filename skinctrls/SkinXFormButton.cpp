#include "skinctrls/SkinXFormButton.h"

#include "skin/SkinRegions.h"
#include "skinctrls/SkinFontRule.h"

TspSkinXFormButton::TspSkinXFormButton(TComponent* owner) : TspSkinButton(owner) {
    SetCanFocused(false);
}

bool TspSkinXFormButton::PictureMode() const {
    return !m_defImage.Empty() && SkinIndex() < 0;
}

void TspSkinXFormButton::SetDefImage(const TBitmap& image) {
    m_defImage = image;
    if (!image.Empty()) {
        SetDefaultHeight(image.Height());
        SetDefaultWidth(image.Width());
    }
    Invalidate();
}

void TspSkinXFormButton::SetDefMask(const TBitmap& mask) {
    m_defMask = mask;
    if (!m_defImage.Empty()) UpdateRegion();
}

void TspSkinXFormButton::UpdateRegion() {
    if (!PictureMode()) {
        TspSkinButton::UpdateRegion();
        return;
    }
    if (!HandleAllocated()) return;
    if (m_defMask.Empty())
        RemoveWindowRgn(this, true);
    else
        SetWindowRgn(this, RegionFromMask(m_defMask), true);
}

void TspSkinXFormButton::SetBounds(int left, int top, int width, int height) {
    LookUpSkinRecord();
    if (PictureMode()) {
        width = m_defImage.Width();
        height = m_defImage.Height();
    }
    TspSkinButton::SetBounds(left, top, width, height);
}

void TspSkinXFormButton::ApplySkinChange() {
    TspSkinButton::ApplySkinChange();
    if (!PictureMode()) return;
    SetBounds(Left(), Top(), m_defImage.Width(), m_defImage.Height());
    UpdateRegion();
    Invalidate();
}

void TspSkinXFormButton::PaintDefault(TBitmap& bitmap) {
    if (m_defImage.Empty()) {
        TspSkinButton::PaintDefault(bitmap);
        return;
    }
    bool pressed = ShowsPressed();
    bool lit = m_highlighted || FocusedWithFocus();
    const TBitmap* picture = &m_defImage;
    // Pressed without a down picture falls through to the lit look, as the mouse is over it.
    if (pressed && !m_defDownImage.Empty())
        picture = &m_defDownImage;
    else if (lit && !m_defActiveImage.Empty())
        picture = &m_defActiveImage;
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(bitmap.BoundsRect());
    c.Draw(0, 0, *picture);
    TFont font;
    font.Assign(*DefaultFont());
    font.SetCharset(SkinCharset(SkinData(), font.Charset()));
    if (pressed)
        font.SetColor(m_defDownFontColor);
    else if (lit)
        font.SetColor(m_defActiveFontColor);
    c.SetFont(font);
    DrawGlyphAndCaption(c, ClientRect(), m_down, m_highlighted, pressed);
}

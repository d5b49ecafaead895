#include "skinctrls/SkinCustomBase.h"

#include "gfx/Canvas.h"
#include "skin/SkinData.h"
#include "skinctrls/GraphicSkinControl.h"
#include "skinctrls/SkinControl.h"
#include "skinctrls/SkinFontRule.h"

template <class B>
TspSkinCustomBase<B>::TspSkinCustomBase(TComponent* owner)
    : B(owner), TspSkinFontDefaults(*this, clWindowText) {}

template <class B> void TspSkinCustomBase<B>::AfterDefaultFontChange() {
    DefaultFontChanged();
    if (this->SkinIndex() == -1) this->Invalidate();
}

template <class B> void TspSkinCustomBase<B>::LookUpSkinRecord() {
    B::LookUpSkinRecord();
    if (this->SkinIndex() != -1)
        m_cache.Fill(*this->SkinData(), this->SkinIndex(), std::is_same_v<B, TspSkinControl>);
    else
        m_cache.Clear();
}

template <class B> void TspSkinCustomBase<B>::AdjustToSkinSize(int& width, int& height) {
    m_cache.AdjustToSkinSize(width, height);
}

template <class B> void TspSkinCustomBase<B>::SetBounds(int left, int top, int width, int height) {
    LookUpSkinRecord();
    bool adjusted = false;
    if ((width != this->Width() || height != this->Height()) && this->SkinIndex() != -1) {
        AdjustToSkinSize(width, height);
        adjusted = true;
    }
    B::SetBounds(left, top, width, height);
    if (adjusted) {
        FitRegion();
        this->Invalidate();
    }
}

template <class B> void TspSkinCustomBase<B>::ApplySkinChange() {
    LookUpSkinRecord();
    this->ApplySkinCursor();
    if (this->SkinIndex() == -1) {
        TakeDefaultSize();
        FitRegion();
        this->Invalidate();
        return;
    }
    int width = this->Width(), height = this->Height();
    AdjustToSkinSize(width, height);
    if (width != this->Width() || height != this->Height()) {
        SetBounds(this->Left(), this->Top(), width, height); // fits the region and repaints
        return;
    }
    FitRegion();
    this->Invalidate();
}

template <class B>
void TspSkinCustomBase<B>::ChooseSkinFont(TFont& font, const std::string& fontname, int fontheight,
                                          TspSkinFontStyles fontstyle) const {
    ChooseRuleFont(font, UseSkinFont() && this->SkinIndex() != -1, fontname, fontheight, fontstyle,
                   *DefaultFont(), this->SkinData());
}

template <class B> void TspSkinCustomBase<B>::PaintDefault(TBitmap& bitmap) {
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(this->ClientRect());
}

template <class B> void TspSkinCustomBase<B>::PaintSkinned(TBitmap& bitmap) {
    m_cache.DrawPicture(bitmap, m_cache.skinrect, this->Width(), this->Height(),
                        m_containerPainting);
}

template <class B> void TspSkinCustomBase<B>::DrawControlImage(TBitmap& bitmap) {
    // A record of another class, or one whose picture is missing, gives nothing to cut the
    // control from: the control keeps its built-in look.
    const bool hasPicture =
        m_cache.SliceMode == smNoPicture || (m_cache.IsSliced && m_cache.Picture);
    if (this->SkinIndex() != -1 && hasPicture)
        PaintSkinned(bitmap);
    else if (this->DrawDefault())
        PaintDefault(bitmap);
}

template <class B> bool TspSkinCustomBase<B>::PaintDirect() {
    // Refresh the resized points for the current size; the size itself stays.
    int width = this->Width(), height = this->Height();
    AdjustToSkinSize(width, height);
    return false;
}

template class TspSkinCustomBase<TspSkinControl>;
template class TspSkinCustomBase<TspGraphicSkinControl>;

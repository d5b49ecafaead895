#include "skinctrls/SkinControlBase.h"

#include "gfx/Canvas.h"
#include "skin/ParentImage.h"
#include "skin/SkinData.h"

#include <type_traits>

template <class F> TspSkinControlBase<F>::TspSkinControlBase(TComponent* owner) : F(owner) {}

template <class F> void TspSkinControlBase<F>::SetDrawDefault(bool value) {
    if (m_skin.DrawDefault == value) return;
    m_skin.DrawDefault = value;
    this->Invalidate();
}

template <class F> void TspSkinControlBase<F>::SetSkinData(TspSkinData* value) {
    if (m_skin.SkinData && m_skin.SkinData != value) m_skin.SkinData->RemoveFreeNotification(this);
    m_skin.SkinData = value;
    if (!value) return;
    value->FreeNotification(this);
    if (!value->SkinEmpty() && !(this->ComponentState() & csDesigning)) ApplySkinChange();
}

template <class F> void TspSkinControlBase<F>::SetAlphaBlend(bool value) {
    m_skin.AlphaBlend = value;
    this->Invalidate();
}

template <class F> void TspSkinControlBase<F>::SetAlphaBlendValue(std::uint8_t value) {
    m_skin.AlphaBlendValue = value;
    this->Invalidate();
}

template <class F> void TspSkinControlBase<F>::LookUpSkinRecord() {
    m_skin.LookUp();
}

template <class F> void TspSkinControlBase<F>::PrepareSkinChange() {
    m_skin.SkinIndex = -1;
}

template <class F> void TspSkinControlBase<F>::ApplySkinChange() {
    LookUpSkinRecord();
    ApplySkinCursor();
    this->Invalidate();
}

template <class F> void TspSkinControlBase<F>::ApplySkinCursor() {
    this->SetCursor(m_skin.SkinCursor(this->Cursor()));
}

template <class F> void TspSkinControlBase<F>::SetBounds(int left, int top, int width, int height) {
    const bool moved = left != this->Left() || top != this->Top();
    F::SetBounds(left, top, width, height);
    // A blended control shows what lies under it, which changes with the place.
    if (moved && m_skin.AlphaBlend) this->Invalidate();
}

template <class F>
void TspSkinControlBase<F>::Notification(TComponent* component, TOperation operation) {
    F::Notification(component, operation);
    if (operation == opRemove && component == m_skin.SkinData) {
        m_skin.SkinData = nullptr;
        m_skin.SkinIndex = -1;
        this->Invalidate();
    }
}

template <class F> void TspSkinControlBase<F>::DrawControlImage(TBitmap& bitmap) {
    if (m_skin.SkinIndex != -1)
        PaintSkinned(bitmap);
    else if (m_skin.DrawDefault)
        PaintDefault(bitmap);
}

template <class F> void TspSkinControlBase<F>::Paint() {
    constexpr bool windowed = std::is_base_of_v<TWinControl, F>;
    // A windowless control is painted by its parent, also while it captures that parent's
    // picture for its own blend: then it draws nothing.
    if (!windowed && IsCapturingParentImage(this)) return;
    if (this->Width() <= 0 || this->Height() <= 0) return;
    LookUpSkinRecord();
    if (PaintDirect()) return;
    TCanvas& canvas = *this->Canvas();
    // Composed at the surface's scale, so that text drawn into it stays sharp.
    TBitmap image;
    image.SetScale(canvas.Scale());
    image.SetSize(this->Width(), this->Height());
    DrawControlImage(image);
    if (!m_skin.AlphaBlend) {
        PresentControlImage(canvas, image, nullptr, 255);
        return;
    }
    TBitmap background;
    background.SetScale(image.Scale());
    background.SetSize(image.Width(), image.Height());
    if constexpr (windowed)
        CaptureParentImage(this, *background.Canvas());
    else
        CaptureParentImageGraphic(this, *background.Canvas());
    PresentControlImage(canvas, image, &background, m_skin.AlphaBlendValue);
}

template <class F> void TspSkinControlBase<F>::WMPaint(TWMPaint& m) {
    struct Flag {
        bool& on;
        explicit Flag(bool& f) : on(f) { on = true; }
        ~Flag() { on = false; }
    } flag(m_paintingFromPaintMessage);
    F::WMPaint(m);
}

template class TspSkinControlBase<TCustomControl>;
template class TspSkinControlBase<TGraphicControl>;

#include "skin/SkinHint.h"

#include "gfx/DrawText.h"
#include "skin/ScaledPicture.h"
#include "skin/SkinData.h"
#include "skin/SkinFonts.h"
#include "skin/SkinRegions.h"
#include "skin/SkinSlicing.h"

#include <algorithm>

namespace {
constexpr unsigned TextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

TspSlicePoints HintPoints(const TspDataSkinHintWindow& h) {
    return {h.lefttoppoint, h.righttoppoint, h.leftbottompoint, h.rightbottompoint, h.clientrect};
}

TspStretchFlags HintStretch(const TspDataSkinHintWindow& h) {
    return {false, h.leftstretch, h.topstretch, h.rightstretch, h.bottomstretch};
}
} // namespace

// --- TspSkinHint ---

TspSkinHint::TspSkinHint(TComponent* owner) : TComponent(owner) {}

TspSkinHint::~TspSkinHint() {
    // The application must not keep a window that draws from this component.
    SetActive(false);
}

void TspSkinHint::SetSkinData(TspSkinData* store) {
    if (store == m_skinData) return;
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = store;
    if (store) store->FreeNotification(this);
}

void TspSkinHint::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_skinData) m_skinData = nullptr;
    if (component == m_window) m_window = nullptr;
}

void TspSkinHint::SetActive(bool value) {
    if (value == m_active || !Application) return;
    m_active = value;
    if (value)
        Application->SetHintWindowClass(
            [this](TComponent* owner) { return new TspSkinHintWindow(owner, this); });
    else
        Application->SetHintWindowClass(nullptr);
}

void TspSkinHint::ActivateHint(TPoint screen, const AnsiString& text) {
    if (text.empty()) {
        HideHint();
        return;
    }
    if (!m_window) m_window = new TspSkinHintWindow(this, this);
    TRect r = m_window->CalcHintRect(Screen ? Screen->Width() : 1024, text);
    m_window->ActivateHint(OffsetRect(r, screen.X, screen.Y), text);
}

void TspSkinHint::HideHint() {
    if (m_window) m_window->ReleaseHandle();
}

bool TspSkinHint::HintShown() const {
    return m_window && m_window->Active();
}

// --- TspSkinHintWindow ---

TspSkinHintWindow::TspSkinHintWindow(TComponent* owner, TspSkinHint* hint)
    : THintWindow(owner), m_hint(hint) {
    SetStyle(WS_POPUP);
}

const TBitmap* TspSkinHintWindow::Picture() const {
    TspSkinData* store = m_hint->SkinData();
    if (!store || store->SkinEmpty()) return nullptr;
    const TspDataSkinHintWindow& h = store->HintWindow();
    const TBitmap* picture = store->ActivePicture(h.windowpictureindex);
    if (!picture || picture->Empty() || h.clientrect.IsEmpty() ||
        h.clientrect.Right > picture->Width() || h.clientrect.Bottom > picture->Height())
        return nullptr;
    return picture;
}

void TspSkinHintWindow::SetHintFont(TCanvas& canvas) const {
    const TspDataSkinHintWindow& h = m_hint->SkinData()->HintWindow();
    TFont* font = canvas.Font();
    font->SetName(h.fontname);
    font->SetHeight(h.fontheight);
    font->SetStyle(SkinFontStyles(h.fontstyle));
    font->SetColor(h.fontcolor);
}

TRect TspSkinHintWindow::CalcHintRect(int maxWidth, const AnsiString& hint) {
    const TBitmap* picture = Picture();
    if (!picture) return THintWindow::CalcHintRect(maxWidth, hint);
    const TRect& cl = m_hint->SkinData()->HintWindow().clientrect;
    const int borderW = picture->Width() - cl.Width(), borderH = picture->Height() - cl.Height();
    TBitmap scratch(1, 1);
    SetHintFont(*scratch.Canvas());
    TRect text = Rect(0, 0, std::max(1, maxWidth - borderW), 0);
    DrawText(*scratch.Canvas(), hint, text, TextFlags | DT_CALCRECT);
    // Never smaller than the picture: its corners are drawn whole.
    return Rect(0, 0, std::max(picture->Width(), text.Width() + borderW),
                std::max(picture->Height(), text.Height() + borderH));
}

void TspSkinHintWindow::ActivateHint(const TRect& rect, const AnsiString& hint) {
    THintWindow::ActivateHint(rect, hint);
    const TBitmap* picture = Picture();
    TspSkinData* store = m_hint->SkinData();
    const TBitmap* mask =
        picture ? store->ActivePicture(store->HintWindow().maskpictureindex) : nullptr;
    if (!mask || mask->Empty()) {
        RemoveWindowRgn(this, false);
        return;
    }
    const TspSlicePoints points = HintPoints(store->HintWindow());
    const TspSlicePoints newPoints =
        ResizeSlicePoints(points, mask->Width(), mask->Height(), Width(), Height());
    SetWindowRgn(this, RegionFromSlicedMask(*mask, points, newPoints, Width(), Height()), true);
}

void TspSkinHintWindow::Paint() {
    const TBitmap* picture = Picture();
    if (!picture) {
        THintWindow::Paint();
        return;
    }
    const TspDataSkinHintWindow& h = m_hint->SkinData()->HintWindow();
    const int w = Width(), hgt = Height();
    const TspSlicePoints points = HintPoints(h);
    const TspSlicePoints newPoints =
        ResizeSlicePoints(points, picture->Width(), picture->Height(), w, hgt);
    TBitmap back;
    DrawFourCornerSliced(back, picture, Rect(0, 0, picture->Width(), picture->Height()), points,
                         newPoints, w, hgt, HintStretch(h), true);
    EnlargeToScale(back, Canvas()->Scale());
    TCanvas* c = back.Canvas();
    SetHintFont(*c);
    c->Brush()->SetStyle(bsClear);
    TRect text = newPoints.ClientRect;
    DrawText(*c, Caption(), text, TextFlags);
    Canvas()->Draw(0, 0, back);
}

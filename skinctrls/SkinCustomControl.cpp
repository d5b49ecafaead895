#include "skinctrls/SkinCustomControl.h"

#include "gfx/Canvas.h"
#include "skin/ScaledPicture.h"
#include "skin/SkinData.h"
#include "skin/SkinDrawing.h"
#include "skinctrls/SkinTile.h"
#include "ui/Label.h"

#include <algorithm>
#include <cmath>

TspSkinCustomControl::TspSkinCustomControl(TComponent* owner)
    : TspSkinCustomBase<TspSkinControl>(owner) {}

TspSkinCustomControl::~TspSkinCustomControl() {
    StopMorph();
}

void TspSkinCustomControl::ApplySkinChange() {
    StopMorph();
    TspSkinCustomBase<TspSkinControl>::ApplySkinChange();
}

void TspSkinCustomControl::UpdateRegion() {
    if (!HandleAllocated()) return; // the window gets its shape when it is made
    const TBitmap* mask = m_cache.MaskPicture;
    const bool shaped =
        SkinIndex() != -1 && mask && !mask->Empty() && m_cache.SliceMode != smNoPicture;
    if (!shaped) {
        if (m_hasRegion) RemoveWindowRgn(Handle(), true);
        m_hasRegion = false;
        return;
    }
    const TRegion region =
        m_cache.SliceMode == smFixed
            ? RegionFromMask(*mask)
            : RegionFromSlicedMask(*mask, m_cache.Points(), m_cache.NewPoints(), Width(), Height());
    SetWindowRgn(Handle(), region, true);
    m_hasRegion = true;
}

void TspSkinCustomControl::CreateHandle() {
    TspSkinCustomBase<TspSkinControl>::CreateHandle();
    LookUpSkinRecord();
    int width = Width(), height = Height();
    AdjustToSkinSize(width, height);
    UpdateRegion();
}

bool TspSkinCustomControl::PaintDirect() {
    TspSkinCustomBase<TspSkinControl>::PaintDirect();
    if (SkinIndex() == -1 || !m_containerPainting || m_cache.SliceMode != smFourCorner ||
        AlphaBlend() || !m_cache.Picture)
        return false;
    // Large containers paint their borders from strips and tile the client part, without a
    // bitmap of their whole size.
    TspBorderStrips strips;
    MakeBorderStrips(strips, m_cache.Picture, m_cache.skinrect, m_cache.Points(),
                     m_cache.NewPoints(), Width(), Height(), m_cache.Flags());
    TCanvas& c = *Canvas();
    // The caption is drawn into the top strip: at the surface's scale, so that it stays sharp.
    if (!strips.Top.Empty()) {
        EnlargeToScale(strips.Top, c.Scale());
        PaintSkinned(strips.Top);
    }
    if (m_clientTiling) {
        TCanvasStateGuard saved(c);
        c.IntersectClipRect(m_cache.NewClRect);
        TilePicture(c, *m_cache.Picture,
                    OffsetRect(m_cache.clientrect, m_cache.skinrect.Left, m_cache.skinrect.Top),
                    m_cache.NewClRect);
    }
    DrawBorderStrips(c, strips, Width(), Height());
    return true;
}

// --- hover morph ---

bool TspSkinCustomControl::MorphAvailable() const {
    const TspSkinData* data = SkinData();
    return RecordMorphing() && data && !data->SkinEmpty() && data->EnableSkinEffects();
}

bool TspSkinCustomControl::MorphRunning() const {
    return MorphAvailable() && m_morphFactor > 0 && m_morphFactor < 1 && Enabled();
}

void TspSkinCustomControl::RefreshMorph() {
    if (MorphAvailable() && SkinIndex() != -1 && HandleAllocated()) {
        if (!m_morphTimer) {
            SetTimer(Handle(), MorphTimerId, MorphInterval);
            m_morphTimer = true;
        }
        return;
    }
    Invalidate();
}

void TspSkinCustomControl::StopMorph() {
    if (!m_morphTimer) return;
    m_morphTimer = false;
    if (HandleAllocated()) KillTimer(Handle(), MorphTimerId);
}

void TspSkinCustomControl::MorphStep() {
    const double target = MorphTarget() ? 1.0 : 0.0;
    if (SkinIndex() == -1 || !MorphAvailable()) {
        m_morphFactor = target;
        StopMorph();
    } else if (target == 1.0 && m_morphFactor < 1.0) {
        m_morphFactor = std::min(1.0, m_morphFactor + 0.2);
    } else if (target == 0.0 && m_morphFactor > 0.0) {
        m_morphFactor = std::max(0.0, m_morphFactor - 0.2);
    } else {
        m_morphFactor = target;
        StopMorph();
    }
    // Five steps of 0.2 land on the ends, not a rounding error short of them.
    if (std::fabs(m_morphFactor - std::round(m_morphFactor)) < 1e-9)
        m_morphFactor = std::round(m_morphFactor);
    Invalidate();
}

void TspSkinCustomControl::DrawMorphed(TBitmap& result, const TBitmap& normal,
                                       const TBitmap& active) const {
    TspEffectBmp a(normal);
    const TspEffectBmp b(active);
    a.Morph(RecordMorphKind(), b, m_morphFactor);
    a.AssignTo(result);
}

void TspSkinCustomControl::WMTimer(TWMTimer& m) {
    if (m.TimerID == MorphTimerId) {
        MorphStep();
        return;
    }
    TspSkinCustomBase<TspSkinControl>::WMTimer(m);
}

void TspSkinCustomControl::SetCanFocused(bool value) {
    m_canFocused = value;
    SetTabStop(value);
}

void TspSkinCustomControl::ShowLitLookAtOnce() {
    if (MorphAvailable() && HasLooks() && Lit()) SetMorphFactor(1);
}

void TspSkinCustomControl::CMTextChanged(TWMNoParams& m) {
    if (HasLooks() || (ComponentState() & csDesigning) || DrawDefault()) Invalidate();
    TspSkinCustomBase<TspSkinControl>::CMTextChanged(m);
}

void TspSkinCustomControl::CMEnabledChanged(TWMNoParams& m) {
    StopMorph();
    m_morphFactor = 0.0;
    m_highlighted = false;
    TspSkinCustomBase<TspSkinControl>::CMEnabledChanged(m);
}

// --- click-to-focus ---

bool TspSkinCustomControl::FocusBeforeClick() {
    if (!ClickToFocus() || Focused()) return true;
    std::shared_ptr<bool> alive = m_alive;
    m_focusingByClick = true;
    try {
        SetFocus();
    } catch (...) {
        if (*alive) m_focusingByClick = false;
        throw;
    }
    if (!*alive) return false;
    m_focusingByClick = false;
    return Focused();
}

void TspSkinCustomControl::WMLButtonDown(TWMMouse& m) {
    if (FocusBeforeClick()) TspSkinCustomBase<TspSkinControl>::WMLButtonDown(m);
}

void TspSkinCustomControl::WMLButtonDblClk(TWMMouse& m) {
    if (FocusBeforeClick()) TspSkinCustomBase<TspSkinControl>::WMLButtonDblClk(m);
}

bool TspSkinCustomControl::FocusForAccelerator(TWMChar& m, const std::function<void()>& act) {
    if (!IsAccel(m.CharCode, Caption()) || !CanFocus()) return false;
    std::shared_ptr<bool> alive = m_alive;
    SetFocus();
    if (!*alive) return true;
    act();
    m.Result = 1;
    return true;
}

#include "skinctrls/SkinBinding.h"

#include "gfx/Canvas.h"
#include "skin/EffectBitmap.h"
#include "skin/SkinData.h"

bool TspSkinBinding::StoreReady() const {
    return SkinData && !SkinData->SkinEmpty();
}

void TspSkinBinding::LookUp() {
    SkinIndex = StoreReady() ? SkinData->FindControlRecord(SkinDataName) : -1;
    const TspDataSkinControl* record = Record();
    CursorIndex = record ? record->cursorindex : -1;
}

TspDataSkinControl* TspSkinBinding::Record() const {
    return SkinIndex < 0 || !StoreReady() ? nullptr : SkinData->ControlRecord(SkinIndex);
}

TCursor TspSkinBinding::SkinCursor(TCursor current) const {
    if (!UseSkinCursor) return current;
    if (CursorIndex == -1 || !SkinData) return crDefault;
    return SkinData->StartCursorIndex() + CursorIndex;
}

void PresentControlImage(TCanvas& canvas, const TBitmap& image, const TBitmap* background,
                         std::uint8_t alphaValue) {
    if (!background) {
        canvas.Draw(0, 0, image);
        return;
    }
    TspEffectBmp mixed(image);
    const TspEffectBmp under(*background);
    mixed.Blend(under, 1.0 - alphaValue / 255.0);
    mixed.DrawAt(canvas, 0, 0);
}

#pragma once
// TspGraphicSkinControl: the windowless base of the skinned controls (the shadow label),
// painted on its parent's canvas. See TspSkinControlBase for the skin binding and the paint
// pipeline.
#include "skinctrls/SkinControlBase.h"

class TspGraphicSkinControl : public TspSkinControlBase<TGraphicControl> {
public:
    explicit TspGraphicSkinControl(TComponent* owner)
        : TspSkinControlBase<TGraphicControl>(owner) {}
};

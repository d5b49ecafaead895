#pragma once
// TspGraphicSkinCustomControl: the windowless base of the skinned controls whose picture is
// sliced. See TspSkinCustomBase for the record cache (without the mask: a windowless control
// has no shape of its own), the size fitting and the font rule.
#include "skinctrls/GraphicSkinControl.h"
#include "skinctrls/SkinCustomBase.h"

class TspGraphicSkinCustomControl : public TspSkinCustomBase<TspGraphicSkinControl> {
public:
    explicit TspGraphicSkinCustomControl(TComponent* owner)
        : TspSkinCustomBase<TspGraphicSkinControl>(owner) {}
};

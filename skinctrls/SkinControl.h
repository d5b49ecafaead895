#pragma once
// TspSkinControl: the windowed base of the skinned controls (buttons, check boxes, framed
// labels, the password and spin boxes, panels). See TspSkinControlBase for the skin binding
// and the paint pipeline; a window of its own adds that the erase-background message does
// nothing, since the paint covers every pixel.
#include "skinctrls/SkinControlBase.h"

class TspSkinControl : public TspSkinControlBase<TCustomControl> {
public:
    explicit TspSkinControl(TComponent* owner) : TspSkinControlBase<TCustomControl>(owner) {}

protected:
    void WMEraseBkgnd(TWMEraseBkgnd& m) override { m.Result = 1; }
};

#pragma once
#include "ui/Control.h"

// A windowless control: drawn by its parent's paint on the parent's canvas, with the origin
// moved to its top-left corner and the clip set to its bounds.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() { return &m_canvas; }

protected:
    friend class TWinControl;
    virtual void Paint() {}
    void WMPaint(TWMPaint& m) override;

    TCanvas m_canvas;
};

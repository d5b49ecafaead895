#pragma once
#include "ui/WinControl.h"

// A windowed control that paints itself: override Paint and draw on Canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    // The control's canvas: during a paint set to the part being painted; outside a paint it
    // draws straight onto the visible client area (what it draws is shown at the next loop
    // pass without a repaint).
    TCanvas* Canvas();

protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas& canvas) override;

    TCanvas m_canvas;
    bool m_canvasBound = false;
};

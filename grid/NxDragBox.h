#pragma once
// The floating picture of a column header that follows the mouse while a column is dragged.
#include "gfx/Bitmap.h"
#include "ui/Forms.h"

class TNxDragBox : public THintWindow {
public:
    explicit TNxDragBox(TComponent* owner) : THintWindow(owner) {}
    TBitmap Picture;
    // Shows the picture with its top-left corner at a screen point.
    void ShowAt(TPoint screen) {
        ActivateHint(Bounds(screen.X, screen.Y, Picture.Width(), Picture.Height()), " ");
        Invalidate();
    }

protected:
    void Paint() override { Canvas()->Draw(0, 0, Picture); }
};

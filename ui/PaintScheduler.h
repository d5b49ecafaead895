#pragma once
// The paint pass: changes only mark the window system dirty; when the loop is idle every
// dirty top-level window is painted onto its surface and the changed parts are presented.
#include "gfx/Canvas.h"
#include "gfx/Region.h"

class TCaret;
class TWinControl;
class TWindowRegistry;

class TPaintScheduler {
public:
    TPaintScheduler(const TWindowRegistry& registry, TCaret& caret)
        : m_registry(registry), m_caret(caret) {}

    void MarkDirty() { m_dirty = true; }
    bool AnyDirty() const { return m_dirty; }
    // Every top-level window with something to paint, then Present; nothing when not dirty.
    void PaintPending();
    void PaintTop(TWinControl* top);
    void PaintNow(TWinControl* w); // w's top-level window, presented at once
    void Present();
    // A canvas drawing straight onto the visible part of w (client or whole window).
    TCanvas* BindCanvas(TCanvas& canvas, TWinControl* w, bool wholeWindow);
    // The whole of w's top-level window goes to the display at the next pass.
    void PresentWholeTop(TWinControl* w);

private:
    void PaintTree(TWinControl* w, const TRegion& visible, TPoint offset);

    const TWindowRegistry& m_registry;
    TCaret& m_caret;
    bool m_dirty = false;
};

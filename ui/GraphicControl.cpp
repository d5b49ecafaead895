// TGraphicControl: a windowless control painted on its parent's canvas.
#include "ui/GraphicControl.h"

#include "ui/Forms.h"
#include "ui/WindowSystem.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() {
    if (m_parent) {
        if (m_parent->m_captureControl == this) {
            m_parent->m_captureControl = nullptr;
            if (GetCapture() == m_parent) ReleaseCapture();
        }
        if (m_parent->m_mouseControl == this) m_parent->m_mouseControl = nullptr;
    }
}

// WParam carries the parent's canvas, already moved to this control and clipped to it.
void TGraphicControl::WMPaint(TWMPaint& m) {
    auto* canvas = m.Canvas;
    if (!canvas || m_width <= 0 || m_height <= 0) return;
    // Asked to paint from inside its own paint (it captures what its parent shows beneath
    // it, and the parent paints its children): it is not part of that picture, and its
    // canvas must stay bound to the paint under way.
    if (m_controlState & csPainting) return;
    m_canvas.StartPaint(*canvas, m_font, m_color);
    TPaintingScope painting(*this);
    TCanvasStateGuard saved(m_canvas);
    Paint();
}

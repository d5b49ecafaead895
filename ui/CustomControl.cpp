// TCustomControl: a windowed control that paints itself on its canvas.
#include "ui/CustomControl.h"

#include "ui/WindowSystem.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() {
    if (!(m_controlState & csPainting)) {
        TWindowSystem::Get().BindCanvas(m_canvas, this, false);
        m_canvas.SetFont(m_font);
    }
    return &m_canvas;
}

void TCustomControl::PaintWindow(TCanvas& canvas) {
    m_canvas.StartPaint(canvas, m_font, m_color);
    {
        TCanvasStateGuard saved(m_canvas);
        Paint();
    }
    PaintControls(canvas, nullptr);
}

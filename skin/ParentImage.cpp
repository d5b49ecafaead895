#include "skin/ParentImage.h"

#include "gfx/Canvas.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

#include <algorithm>
#include <vector>

namespace {

// Controls whose capture is running; nested captures (a blended control inside a blended
// panel) stack.
std::vector<const TControl*>& Capturing() {
    static std::vector<const TControl*> list;
    return list;
}

struct CaptureMark {
    explicit CaptureMark(const TControl* c) : control(c) { Capturing().push_back(c); }
    ~CaptureMark() {
        auto& list = Capturing();
        auto it = std::find(list.rbegin(), list.rend(), control);
        if (it != list.rend()) list.erase(std::next(it).base());
    }
    const TControl* control;
};

// Paints `sibling` into the canvas whose origin stands at the parent's client (0, 0).
void PaintSibling(TControl* sibling, TCanvas& canvas, bool recurse) {
    TCanvasStateGuard saved(canvas);
    canvas.MoveOrigin(sibling->Left(), sibling->Top());
    canvas.IntersectClipRect(Rect(0, 0, sibling->Width(), sibling->Height()));
    if (auto* custom = dynamic_cast<TCustomControl*>(sibling)) {
        custom->Perform(WM_ERASEBKGND, WPARAM(&canvas), 0);
        custom->Perform(WM_PAINT, WPARAM(&canvas), 0);
        if (recurse) {
            // Its windowed children; the windowless ones came with its paint.
            for (int i = 0; i < custom->ControlCount(); ++i) {
                TControl* child = custom->Controls(i);
                if (child->Visible() && dynamic_cast<TCustomControl*>(child))
                    PaintSibling(child, canvas, true);
            }
        }
    } else if (dynamic_cast<TGraphicControl*>(sibling)) {
        sibling->Perform(WM_PAINT, WPARAM(&canvas), 0);
    }
}

bool Overlaps(const TControl* a, const TControl* b) {
    return !IntersectRect(a->BoundsRect(), b->BoundsRect()).IsEmpty();
}

// The parent's own background, painted with the canvas origin at the parent's client (0, 0).
void PaintParentBackground(TWinControl* parent, TCanvas& canvas, bool paintAfterErase) {
    const bool isForm = dynamic_cast<TCustomForm*>(parent) != nullptr;
    parent->Perform(WM_ERASEBKGND, WPARAM(&canvas), 0);
    if (!isForm && paintAfterErase) parent->Perform(WM_PAINT, WPARAM(&canvas), 0);
}

} // namespace

bool IsCapturingParentImage(const TControl* control) {
    const auto& list = Capturing();
    return std::find(list.begin(), list.end(), control) != list.end();
}

void CaptureParentImage(TWinControl* control, TCanvas& canvas) {
    TWinControl* parent = control ? control->Parent() : nullptr;
    if (!parent) return;
    CaptureMark mark(control);
    TCanvasStateGuard saved(canvas);
    canvas.MoveOrigin(-control->Left(), -control->Top());
    PaintParentBackground(parent, canvas, true);
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == control) break;
        if (!sibling->Visible() || !Overlaps(sibling, control)) continue;
        // Windowless siblings came with a non-form parent's paint already.
        if (dynamic_cast<TGraphicControl*>(sibling) && !dynamic_cast<TCustomForm*>(parent))
            continue;
        PaintSibling(sibling, canvas, true);
    }
}

void CaptureParentImageGraphic(TControl* control, TCanvas& canvas) {
    TWinControl* parent = control ? control->Parent() : nullptr;
    if (!parent) return;
    CaptureMark mark(control);
    TCanvasStateGuard saved(canvas);
    canvas.MoveOrigin(-control->Left(), -control->Top());
    const bool isForm = dynamic_cast<TCustomForm*>(parent) != nullptr;
    PaintParentBackground(parent, canvas, true);
    if (isForm) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* sibling = parent->Controls(i);
            if (sibling == control) break;
            if (sibling->Visible() && dynamic_cast<TGraphicControl*>(sibling) &&
                Overlaps(sibling, control))
                PaintSibling(sibling, canvas, false);
        }
    }
}

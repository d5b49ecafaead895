#pragma once
// What lies under a control: its parent's background and the siblings beneath it, painted
// into a canvas of the control's size (for controls blended over their background).
class TCanvas;
class TControl;
class TWinControl;

// For a windowed control: the parent erases (a form only that; any other parent also
// paints), then every visible windowless or owner-drawn windowed sibling before the control
// that overlaps it paints itself at its offset, clipped to its own bounds, with the windowed
// siblings' children in turn.
void CaptureParentImage(TWinControl* control, TCanvas& canvas);
// The same for a windowless control: only windowless siblings are painted. The control is
// marked as capturing meanwhile (IsCapturingParentImage) so that a parent paint that reaches
// it draws nothing instead of recursing.
void CaptureParentImageGraphic(TControl* control, TCanvas& canvas);
// True while a capture for `control` runs.
bool IsCapturingParentImage(const TControl* control);

#pragma once
// What every kind of label shares, whatever it derives from: the text flags its settings
// give, the accelerator test, and the link to the control its accelerator focuses.
#include "rtl/Component.h"
#include "ui/Control.h"
#include "ui/MessageRecords.h"

class TWinControl;

// Whether a character (either case) is the accelerator of a caption: "&x" marks x, "&&" is a
// plain "&".
bool IsAccel(char key, const AnsiString& caption);

// DrawText flags for a label: tabs expanded, aligned, wrapping words when asked, and the
// accelerator prefix unless it is shown plainly.
unsigned LabelTextFlags(TAlignment alignment, bool wordWrap, bool showAccelChar);

// The control a label's accelerator focuses. The label forwards its Notification here so
// the link is dropped when that control goes away.
class TLabelFocusLink {
public:
    explicit TLabelFocusLink(TComponent* label) : m_label(label) {}
    TLabelFocusLink(const TLabelFocusLink&) = delete;
    TLabelFocusLink& operator=(const TLabelFocusLink&) = delete;

    TWinControl* Control() const { return m_control; }
    void SetControl(TWinControl* control);
    void Notification(TComponent* component, TOperation operation);
    // Alt+letter on an enabled label whose accelerator is shown: focuses the control when
    // the letter is the caption's and the control can take the focus, and marks the message
    // taken. False, with nothing done, otherwise.
    bool FocusByAccelerator(TWMChar& m, const AnsiString& caption, bool showAccelChar,
                            bool enabled);

private:
    TComponent* m_label;
    TWinControl* m_control = nullptr;
};

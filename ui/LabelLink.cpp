#include "ui/LabelLink.h"

#include "gfx/DrawText.h"
#include "ui/WinControl.h"

bool IsAccel(char key, const AnsiString& caption) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return key != 0 && lower(caption[i + 1]) == lower(key);
    }
    return false;
}

unsigned LabelTextFlags(TAlignment alignment, bool wordWrap, bool showAccelChar) {
    unsigned f = DT_EXPANDTABS;
    if (alignment == taRightJustify)
        f |= DT_RIGHT;
    else if (alignment == taCenter)
        f |= DT_CENTER;
    if (wordWrap) f |= DT_WORDBREAK;
    if (!showAccelChar) f |= DT_NOPREFIX;
    return f;
}

void TLabelFocusLink::SetControl(TWinControl* control) {
    if (m_control) m_control->RemoveFreeNotification(m_label);
    m_control = control;
    if (control) control->FreeNotification(m_label);
}

void TLabelFocusLink::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == m_control) m_control = nullptr;
}

bool TLabelFocusLink::FocusByAccelerator(TWMChar& m, const AnsiString& caption, bool showAccelChar,
                                         bool enabled) {
    if (!showAccelChar || !m_control || !enabled || !IsAccel(m.CharCode, caption) ||
        !m_control->CanFocus())
        return false;
    m_control->SetFocus();
    m.Result = 1;
    return true;
}

#include "skinctrls/SkinCustomEdit.h"

#include "ui/Forms.h"

TspCustomEdit::TspCustomEdit(TComponent* owner) : TCustomEdit(owner) {}

void TspCustomEdit::WMGetDlgCode(TMessage& m) {
    TCustomEdit::WMGetDlgCode(m);
    // Enter and Escape come here first, as characters for OnKeyPress.
    if (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) m.Result |= DLGC_WANTALLKEYS;
}

void TspCustomEdit::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);
    if (key != 13 && key != 27) return;
    WORD vk = key == 13 ? VK_RETURN : VK_ESCAPE;
    key = 0;
    if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_DIALOGKEY, vk, 0);
}

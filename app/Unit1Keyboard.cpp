// The window's keys: everything the mouse does can be done from the keyboard.
//   Enter in the login or password box   LOGIN
//   Alt+R                                 Remember on or off (Space too, when it has the focus)
//   Ctrl+F on the match page              the filter ("..."; its hint says so)
//   Enter / Escape in the filter          OK / CANCEL
// The grid's own keys move (arrows, Page Up/Down, Home, End) and sort (Ctrl+Up, Ctrl+Down).
#include "app/Unit1.h"

#include "grid/NxGrid.h"
#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinXFormButton.h"
#include "table/MatchColumns.h"

namespace {
bool Within(const TControl* inner, const TWinControl* outer) {
    return inner && outer && (inner == outer || outer->ContainsControl(inner));
}
} // namespace

void TForm1::MarkTableFocus(TNxGrid* grid) {
    if (grid->Focused() && grid->CurrentRow() < 0 && grid->RowCount() > 0)
        grid->SelectCell(mcId, 0);
}

bool TForm1::ShortcutKey(WORD key, TShiftState shift) {
    const TWinControl* focused = ActiveControl();
    const bool loginPage = Page->ActivePage() == spSkinTabSheet1;
    const bool plain = (shift & (ssAlt | ssCtrl | ssShift)) == 0;
    if (loginPage) {
        if (key == VK_RETURN && plain &&
            (Within(focused, loginedit) || Within(focused, passedit))) {
            logbClick(logb);
            return true;
        }
        if (key == 'R' && (shift & ssAlt) && !(shift & ssCtrl)) {
            zap->Toggle();
            return true;
        }
        return false;
    }
    if (filter->Visible()) {
        if (key == VK_RETURN && plain && !Within(focused, spSkinButton1)) {
            spSkinXFormButton3->RunClick(); // OK
            return true;
        }
        if (key == VK_ESCAPE && plain && !ServiceBusy()) {
            spSkinXFormButton4->RunClick(); // CANCEL
            return true;
        }
        return false;
    }
    if (key == 'F' && (shift & ssCtrl) && !(shift & ssAlt) && fi->Enabled()) {
        fi->RunClick();
        return true;
    }
    return false;
}

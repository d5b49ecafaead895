#include "skinctrls/SkinCustomEdit.h"

#include "skin/ResourceStrData.h"
#include "skin/SkinData.h"
#include "skin/SkinMenu.h"
#include "ui/Forms.h"

namespace {

// An item's caption: the store's string when its table has one, else the English text.
AnsiString MenuCaption(const TspSkinData* store, const char* name, const char* fallback) {
    if (store && store->ResourceStrData()) {
        std::string text = store->ResourceStrData()->GetResStr(name);
        if (!text.empty()) return text;
    }
    return fallback;
}

} // namespace

TspCustomEdit::TspCustomEdit(TComponent* owner) : TCustomEdit(owner) {}

void TspCustomEdit::WMGetDlgCode(TWMGetDlgCode& m) {
    TCustomEdit::WMGetDlgCode(m);
    // Enter and Escape come here first, as characters for OnKeyPress.
    if (m.CharCode == VK_RETURN || m.CharCode == VK_ESCAPE) m.Result |= DLGC_WANTALLKEYS;
}

void TspCustomEdit::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);
    if (key != 13 && key != 27) return;
    WORD vk = key == 13 ? VK_RETURN : VK_ESCAPE;
    key = 0;
    if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_DIALOGKEY, vk, 0);
}

void TspCustomEdit::KeyDown(WORD& key, TShiftState shift) {
    // The menu key (or Shift+F10) opens the menu at the field's centre.
    if (key == VK_APPS || (key == VK_F10 && (shift & ssShift))) {
        std::shared_ptr<bool> alive = m_alive;
        TCustomEdit::KeyDown(key, shift);
        if (!*alive || key == 0) return;
        key = 0;
        PopupEditMenu(ClientToScreen({ClientWidth() / 2, ClientHeight() / 2}));
        return;
    }
    TCustomEdit::KeyDown(key, shift);
}

void TspCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    std::shared_ptr<bool> alive = m_alive;
    TCustomEdit::MouseUp(button, shift, x, y);
    if (*alive && button == mbRight) PopupEditMenu(ClientToScreen({x, y}));
}

void TspCustomEdit::BuildEditMenu(TspSkinPopupMenu& menu) {
    const TspSkinData* store = MenuSkinData();
    bool selected = SelLength() > 0;
    bool all = SelStart() == 0 && SelLength() == int(Text().size());
    menu.Clear();
    menu.Add({"EDIT_UNDO", MenuCaption(store, "EDIT_UNDO", "Undo"), "", CanUndo(),
              [this] { Perform(WM_UNDO); }});
    menu.Add({"", "-", "", true, nullptr});
    menu.Add({"EDIT_CUT", MenuCaption(store, "EDIT_CUT", "Cut"), "", selected && !ReadOnly(),
              [this] { Perform(WM_CUT); }});
    menu.Add({"EDIT_COPY", MenuCaption(store, "EDIT_COPY", "Copy"), "", selected,
              [this] { Perform(WM_COPY); }});
    menu.Add({"EDIT_PASTE", MenuCaption(store, "EDIT_PASTE", "Paste"), "",
              Clipboard()->HasText() && !ReadOnly(), [this] { Perform(WM_PASTE); }});
    menu.Add({"EDIT_DELETE", MenuCaption(store, "EDIT_DELETE", "Delete"), "",
              selected && !ReadOnly(), [this] { Perform(WM_CLEAR); }});
    menu.Add({"", "-", "", true, nullptr});
    menu.Add({"EDIT_SELECTALL", MenuCaption(store, "EDIT_SELECTALL", "Select All"), "", !all,
              [this] { SelectAll(); }});
}

void TspCustomEdit::PopupEditMenu(TPoint screen) {
    if (!m_menu) m_menu = new TspSkinPopupMenu(this);
    if (m_menu->Shown()) m_menu->CloseUp();
    BuildEditMenu(*m_menu);
    m_menu->SetSkinData(MenuSkinData());
    m_menu->Popup(screen, GetParentForm(this));
}

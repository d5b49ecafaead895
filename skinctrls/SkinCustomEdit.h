#pragma once
// TspCustomEdit: the edit window as the skinned fields use it. Enter and Escape never reach
// the text: they go to OnKeyPress and then to the form as dialog keys, so a default or
// cancel button reacts. The right mouse button and the menu key open a small skinned menu
// of the editing commands.
#include "ui/StdCtrls.h"

class TspSkinData;
class TspSkinPopupMenu;

class TspCustomEdit : public TCustomEdit {
public:
    explicit TspCustomEdit(TComponent* owner);

    // The store whose look the menu wears and whose string table names its items.
    virtual TspSkinData* MenuSkinData() const { return nullptr; }
    // Opens the editing menu with its corner at a screen point.
    void PopupEditMenu(TPoint screen);
    // The editing menu (made on first use), for tests and tools.
    TspSkinPopupMenu* EditMenu() const { return m_menu; }

protected:
    void KeyPress(char& key) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMGetDlgCode(TWMGetDlgCode& m) override;
    // Fills the menu: Undo; Cut, Copy, Paste, Delete; Select All, each enabled by the state
    // of the field.
    virtual void BuildEditMenu(TspSkinPopupMenu& menu);

    TspSkinPopupMenu* m_menu = nullptr;
};

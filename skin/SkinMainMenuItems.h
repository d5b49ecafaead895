#pragma once
// The form's main menu as its skinned frame works it: which top item is lit by the
// keyboard, which one has its popup open, and the keys and pointer moves that go between
// them. The frame owns one and makes it the view of the form's menu.
//
// A press on an item opens its popup below it (above with the skin's "mainmenupopupup");
// while it is open, the pointer over another item moves the popup there. Alt+letter opens
// the item of that letter; Alt alone or F10 (the key menu command) lights the first item;
// Left and Right go round the items, Down and Enter open, Esc steps back out.
#include "skin/SkinFrameObjects.h"
#include "ui/MainMenu.h"

class TspSkinFrame;
class TspSkinMainMenuItem;
class TspSkinPopupMenu;

class TspSkinMainMenuItems : public TMainMenuView {
public:
    explicit TspSkinMainMenuItems(TspSkinFrame* frame);
    ~TspSkinMainMenuItems();
    TspSkinMainMenuItems(const TspSkinMainMenuItems&) = delete;
    TspSkinMainMenuItems& operator=(const TspSkinMainMenuItems&) = delete;

    // The form's menu, or nullptr.
    TMainMenu* Menu() const;
    // Becomes the view of the form's menu (and stops being the view of any other).
    void AttachToMenu();
    void DetachFromMenu();
    // Drops the menu without touching it (the form and its menu are going).
    void ForgetMenu() { m_viewOf = nullptr; }

    // The item shown for a top item of the menu, or nullptr.
    TspSkinMainMenuItem* Item(int menuIndex) const;
    // -1 when none.
    int OpenIndex() const { return m_open; }
    int LitIndex() const { return m_lit; }
    bool InMenuMode() const { return m_menuMode; }
    TspSkinPopupMenu* Popup() const { return m_popup; }

    // A left press on an item.
    void ItemPressed(int menuIndex);
    // WM_SYSCOMMAND SC_KEYMENU: `letter` is the Alt letter, 0 for Alt alone or F10. True
    // when the menu took it.
    bool KeyMenu(char letter);
    // The popup window reported that it closed.
    void PopupClosed();
    // Whatever the frame had open ends (moving, a press elsewhere, the focus going).
    void Interrupted(TWinControl* focusTo);
    // Out of menu mode, the popup closed, the items plain.
    void Leave();

    // --- TMainMenuView ---
    void MenuChanged() override;
    bool MenuInUse() const override;
    bool MenuKey(WORD key) override;
    TRect MenuItemBounds(int index) const override;
    void OpenMenuItem(int index) override;

private:
    void Open(int menuIndex, bool byKey);
    void ClosePopup();
    void EnterMenuMode();
    void SetLit(int menuIndex);
    // The next enabled, shown item from `from` in direction `step` (wrapping), or -1.
    int Neighbour(int from, int step) const;
    bool PopupKey(WORD key);
    void PointerOutsidePopup(TPoint screen);

    TspSkinFrame* m_frame;
    TspSkinPopupMenu* m_popup; // owned by the frame (a component of it)
    TMainMenu* m_viewOf = nullptr;
    int m_open = -1;
    int m_lit = -1;
    bool m_menuMode = false;
    bool m_switching = false; // closing one popup to open another
    bool m_escaping = false;  // Esc closed the popup: back to menu mode
    TWinControl* m_savedFocus = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

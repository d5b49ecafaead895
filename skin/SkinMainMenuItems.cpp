#include "skin/SkinMainMenuItems.h"

#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skin/SkinMainMenuItem.h"
#include "skin/SkinMenu.h"
#include "skin/SkinMenuWindow.h"
#include "ui/Forms.h"

TspSkinMainMenuItems::TspSkinMainMenuItems(TspSkinFrame* frame)
    : m_frame(frame), m_popup(new TspSkinPopupMenu(frame)) {
    std::weak_ptr<bool> alive = m_alive;
    m_popup->OnNavigationKey = [this, alive](WORD key) {
        return !alive.expired() && *alive.lock() && PopupKey(key);
    };
    m_popup->OnPointerOutside = [this, alive](TPoint screen) {
        if (!alive.expired() && *alive.lock()) PointerOutsidePopup(screen);
    };
}

TspSkinMainMenuItems::~TspSkinMainMenuItems() {
    *m_alive = false;
}

TMainMenu* TspSkinMainMenuItems::Menu() const {
    TCustomForm* form = m_frame->Form();
    return form ? form->Menu() : nullptr;
}

void TspSkinMainMenuItems::AttachToMenu() {
    TMainMenu* menu = Menu();
    if (menu == m_viewOf) return;
    DetachFromMenu();
    m_viewOf = menu;
    if (menu) menu->SetView(this);
}

void TspSkinMainMenuItems::DetachFromMenu() {
    // Only the form's current menu is known to be alive: a replaced one was let go by the
    // form, which tells the frame before anything else can happen to it.
    if (m_viewOf && m_viewOf == Menu() && m_viewOf->View() == this) m_viewOf->SetView(nullptr);
    m_viewOf = nullptr;
}

TspSkinMainMenuItem* TspSkinMainMenuItems::Item(int menuIndex) const {
    for (int i = 0; i < m_frame->ObjectCount(); ++i)
        if (auto* item = dynamic_cast<TspSkinMainMenuItem*>(m_frame->Objects(i));
            item && item->MenuIndex == menuIndex)
            return item;
    return nullptr;
}

int TspSkinMainMenuItems::Neighbour(int from, int step) const {
    TMainMenu* menu = Menu();
    if (!menu) return -1;
    const int n = menu->Count();
    int index = from;
    for (int i = 0; i < n; ++i) {
        index = (index + step + n) % n;
        TspSkinMainMenuItem* item = Item(index);
        if (item && item->Visible && item->Enabled) return index;
    }
    return -1;
}

// --- opening and closing ---

void TspSkinMainMenuItems::ItemPressed(int menuIndex) {
    if (m_open == menuIndex) {
        ClosePopup();
        return;
    }
    Open(menuIndex, false);
}

void TspSkinMainMenuItems::Open(int menuIndex, bool byKey) {
    TMainMenu* menu = Menu();
    TspSkinMainMenuItem* item = Item(menuIndex);
    if (!menu || !item || !item->Visible || !item->Enabled || menuIndex >= menu->Count()) return;
    if (m_open >= 0) {
        m_switching = true;
        m_popup->CloseUp();
        m_switching = false;
        if (TspSkinMainMenuItem* old = Item(m_open)) old->SetDown(false);
        m_open = -1;
    }
    SetLit(m_menuMode ? menuIndex : -1);
    // The popup shows copies: an action that changes the menu leaves the open one whole.
    m_popup->Clear();
    for (const TMenuCommand& c : menu->Items(menuIndex).Items)
        m_popup->Add({c.Name, c.Caption, c.ShortCut, c.Enabled, c.OnClick, c.Visible});
    if (m_popup->Count() == 0) {
        // Nothing to show: the keyboard keeps it lit.
        if (byKey) {
            EnterMenuMode();
            SetLit(menuIndex);
        }
        return;
    }
    TspSkinData* store = m_frame->MenusSkinData() ? m_frame->MenusSkinData()
                         : m_frame->Skinned()     ? m_frame->SkinData()
                                                  : nullptr;
    m_popup->SetSkinData(store);
    m_popup->SetDefItemHeight(m_frame->DefMenuItemHeight());
    m_open = menuIndex;
    item->SetDown(true);
    TCustomForm* form = m_frame->Form();
    const TRect onScreen = OffsetRect(item->ObjectRect, form->Left(), form->Top());
    const bool up = store && store->FormInfo().mainmenupopupup;
    if (up)
        m_popup->PopupAbove(onScreen, form);
    else
        m_popup->PopupUnder(onScreen, form);
    // Opened from the keyboard, the first command is ready for Enter.
    if (byKey)
        if (TspSkinMenuWindow* window = m_popup->Window()) window->SelectFirst();
}

void TspSkinMainMenuItems::ClosePopup() {
    if (m_open >= 0 && m_popup->Shown()) m_popup->CloseUp();
}

void TspSkinMainMenuItems::PopupClosed() {
    if (m_switching) return;
    const int was = m_open;
    m_open = -1;
    if (TspSkinMainMenuItem* item = Item(was)) item->SetDown(false);
    if (m_escaping) {
        // Esc steps back to the lit item; the keyboard stays with the menu.
        EnterMenuMode();
        SetLit(was);
        return;
    }
    Leave();
}

void TspSkinMainMenuItems::Leave() {
    const bool wasInMode = m_menuMode;
    m_menuMode = false;
    if (m_open >= 0) {
        const int was = m_open;
        m_open = -1;
        m_switching = true;
        if (m_popup->Shown()) m_popup->CloseUp();
        m_switching = false;
        if (TspSkinMainMenuItem* item = Item(was)) item->SetDown(false);
    }
    SetLit(-1);
    TWinControl* back = m_savedFocus;
    m_savedFocus = nullptr;
    if (!wasInMode) return;
    if (back && IsWindow(back) && GetFocus() == m_frame->Form()) ::SetFocus(back);
}

// --- the keyboard ---

void TspSkinMainMenuItems::EnterMenuMode() {
    m_menuMode = true;
    TCustomForm* form = m_frame->Form();
    TWinControl* focus = GetFocus();
    TspSkinMenuWindow* window = m_popup->Window();
    // The keys come to the form while its menu is in use; the control that had them gets
    // them back after.
    if (focus != form && (!window || focus != window)) {
        if (focus && GetParentForm(focus) == form) m_savedFocus = focus;
        ::SetFocus(form);
    }
}

void TspSkinMainMenuItems::SetLit(int menuIndex) {
    if (menuIndex == m_lit) return;
    if (TspSkinMainMenuItem* old = Item(m_lit)) old->SetLit(false);
    m_lit = menuIndex;
    if (TspSkinMainMenuItem* now = Item(menuIndex)) now->SetLit(true);
}

bool TspSkinMainMenuItems::KeyMenu(char letter) {
    TMainMenu* menu = Menu();
    if (!menu || !m_frame->Skinned()) return false;
    if (letter != 0) {
        const int index = menu->FindAccelerator(letter);
        TspSkinMainMenuItem* item = Item(index);
        if (!item || !item->Visible) return false;
        EnterMenuMode();
        Open(index, true);
        return true;
    }
    // Alt alone or F10 a second time gives the keyboard back.
    if (m_menuMode || m_open >= 0) {
        Leave();
        return true;
    }
    const int first = Neighbour(-1, 1);
    if (first < 0) return false;
    EnterMenuMode();
    SetLit(first);
    return true;
}

bool TspSkinMainMenuItems::MenuKey(WORD key) {
    if (!m_menuMode || m_open >= 0) return false;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT: {
        const int next = Neighbour(m_lit, key == VK_RIGHT ? 1 : -1);
        if (next >= 0) SetLit(next);
        return true;
    }
    case VK_DOWN:
    case VK_RETURN:
    case VK_SPACE:
        if (m_lit >= 0) Open(m_lit, true);
        return true;
    case VK_ESCAPE:
    case VK_F10:
        Leave();
        return true;
    default:
        if (TMainMenu* menu = Menu();
            menu && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) {
            const int index =
                menu->FindAccelerator(char(key >= 'A' && key <= 'Z' ? key + 32 : key));
            if (index >= 0) Open(index, true);
        }
        // Every other key waits while the menu is in use, as the menu of a window does.
        return true;
    }
}

// Keys in the open popup that belong to the bar: sideways to the next item, Esc back.
bool TspSkinMainMenuItems::PopupKey(WORD key) {
    if (m_open < 0) return false;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT: {
        const int next = Neighbour(m_open, key == VK_RIGHT ? 1 : -1);
        if (next < 0 || next == m_open) return true;
        EnterMenuMode();
        Open(next, true);
        return true;
    }
    case VK_ESCAPE:
        m_escaping = true;
        m_popup->CloseUp();
        m_escaping = false;
        return true;
    case VK_F10:
        // The menu key again leaves the menu altogether.
        Leave();
        return true;
    default:
        return false;
    }
}

// --- the pointer while a popup is open ---

void TspSkinMainMenuItems::PointerOutsidePopup(TPoint screen) {
    if (m_open < 0) return;
    TCustomForm* form = m_frame->Form();
    const TPoint p{screen.X - form->Left(), screen.Y - form->Top()};
    const int index = m_frame->ObjectAt(p);
    auto* item = dynamic_cast<TspSkinMainMenuItem*>(m_frame->Objects(index));
    if (item && item->MenuIndex != m_open) Open(item->MenuIndex, false);
}

void TspSkinMainMenuItems::Interrupted(TWinControl* focusTo) {
    TspSkinMenuWindow* window = m_popup->Window();
    // The popup and the form itself taking the keyboard are the menu's own doing.
    if (focusTo && (focusTo == m_frame->Form() || (window && focusTo == window))) return;
    if (m_menuMode || m_open >= 0) Leave();
}

// --- TMainMenuView ---

bool TspSkinMainMenuItems::MenuInUse() const {
    return m_menuMode || m_open >= 0;
}

void TspSkinMainMenuItems::MenuChanged() {
    Leave();
    m_frame->MainMenuChanged();
}

TRect TspSkinMainMenuItems::MenuItemBounds(int index) const {
    TspSkinMainMenuItem* item = Item(index);
    if (!item || !item->Visible || item->ObjectRect.IsEmpty()) return {};
    TCustomForm* form = m_frame->Form();
    return OffsetRect(item->ObjectRect, form->Left(), form->Top());
}

void TspSkinMainMenuItems::OpenMenuItem(int index) {
    EnterMenuMode();
    Open(index, true);
}

#include "skin/SkinMenu.h"

#include "rtl/Exceptions.h"
#include "skin/SkinData.h"
#include "skin/SkinMenuWindow.h"
#include "skin/SkinMessages.h"

TspSkinPopupMenu::TspSkinPopupMenu(TComponent* owner) : TComponent(owner) {}

TspSkinPopupMenu::~TspSkinPopupMenu() {
    // The window is owned (and deleted) by this component; it must not report back.
    if (m_window && m_window->Open()) m_closing = true;
}

TspMenuItem& TspSkinPopupMenu::Items(int index) {
    CheckListIndex(index, Count());
    return m_items[size_t(index)];
}

const TspMenuItem& TspSkinPopupMenu::Items(int index) const {
    CheckListIndex(index, Count());
    return m_items[size_t(index)];
}

void TspSkinPopupMenu::Add(TspMenuItem item) {
    m_items.push_back(std::move(item));
}

void TspSkinPopupMenu::Insert(int index, TspMenuItem item) {
    if (index < 0 || index > Count()) CheckListIndex(index, Count());
    m_items.insert(m_items.begin() + index, std::move(item));
}

void TspSkinPopupMenu::Clear() {
    m_items.clear();
}

int TspSkinPopupMenu::IndexOfName(const std::string& name) const {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].Name == name) return int(i);
    return -1;
}

void TspSkinPopupMenu::RemoveByName(const std::string& name) {
    std::erase_if(m_items, [&](const TspMenuItem& item) { return item.Name == name; });
}

void TspSkinPopupMenu::SetSkinData(TspSkinData* store) {
    if (store == m_skinData) return;
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = store;
    if (store) store->FreeNotification(this);
}

void TspSkinPopupMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_skinData) m_skinData = nullptr;
    if (component == m_window) m_window = nullptr;
}

bool TspSkinPopupMenu::Shown() const {
    return m_window && m_window->Open();
}

TspSkinMenuWindow* TspSkinPopupMenu::Window() const {
    return Shown() ? m_window : nullptr;
}

void TspSkinPopupMenu::Popup(TPoint screen, TWinControl* notify) {
    Show(Rect(screen.X, screen.Y, screen.X, screen.Y), TspMenuPlacement::AtPoint, notify);
}

void TspSkinPopupMenu::PopupUnder(const TRect& screenRect, TWinControl* notify) {
    Show(screenRect, TspMenuPlacement::Below, notify);
}

void TspSkinPopupMenu::PopupAbove(const TRect& screenRect, TWinControl* notify) {
    Show(screenRect, TspMenuPlacement::Above, notify);
}

void TspSkinPopupMenu::Show(const TRect& anchor, TspMenuPlacement placement, TWinControl* notify) {
    if (Shown()) CloseUp();
    if (m_items.empty()) return;
    if (!m_window) m_window = new TspSkinMenuWindow(this);
    m_notify = notify;
    m_anchor = anchor;
    m_anchored = placement != TspMenuPlacement::AtPoint;
    m_shownAt = GetTickCount();
    if (OnPopup) OnPopup(this);
    m_window->ShowMenu(anchor, placement);
}

bool TspSkinPopupMenu::AnchorDoubleClicked(TPoint screen) const {
    return m_anchored && OnAnchorDoubleClick && PtInRect(m_anchor, screen) &&
           GetTickCount() - m_shownAt <= GetDoubleClickTime();
}

void TspSkinPopupMenu::CloseUp() {
    if (m_window) m_window->CloseMenu(-1);
}

void TspSkinPopupMenu::WindowClosed(int chosen) {
    if (m_closing) return;
    // The action is taken before anything runs: a handler may rebuild the items.
    std::function<void()> action;
    if (chosen >= 0 && chosen < Count()) action = m_items[size_t(chosen)].OnClick;
    TWinControl* notify = m_notify;
    m_notify = nullptr;
    if (notify && IsWindow(notify)) SendMessage(notify, WM_SKINMENUCLOSED, WPARAM(this), 0);
    if (OnClose) OnClose(this);
    if (action) action();
}

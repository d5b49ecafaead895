#include "ui/MainMenuAccessible.h"

#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/MainMenu.h"

#include <algorithm>

class TMainMenuAccessible::Item : public TControl {
public:
    Item(TMainMenuAccessible* bar, int index) : TControl(nullptr), m_bar(bar), m_index(index) {
        // A child of the bar in the description only: the bar has no list of controls.
        m_parent = bar;
    }
    ~Item() override { m_parent = nullptr; }

    void DescribeAccessible(TAccessibleInfo& info) const override {
        info.Role = TAccessibleRole::MenuItem;
        TMainMenu* menu = m_bar->Menu();
        if (m_index >= menu->Count()) return;
        const TMainMenuItem& item = menu->Items(m_index);
        info.Name = AccessibleCaption(item.Caption);
        TMainMenuView* view = menu->View();
        info.Bounds = view ? view->MenuItemBounds(m_index) : TRect{};
        if (item.Visible) info.States |= asVisible;
        if (item.Visible && !info.Bounds.IsEmpty()) info.States |= asShowing;
        if (!item.Enabled || !view) return;
        info.States |= asEnabled;
        AnsiString key;
        for (char c = 'a'; c <= 'z' && key.empty(); ++c)
            if (IsAccel(c, item.Caption)) key = AnsiString("Alt+") + char(c - 32);
        const int index = m_index;
        info.Actions.push_back({"click", "Opens the menu", key, [menu, index] {
                                    if (TMainMenuView* v = menu->View()) v->OpenMenuItem(index);
                                }});
    }

private:
    TMainMenuAccessible* m_bar;
    int m_index;
};

TMainMenuAccessible::TMainMenuAccessible(TCustomForm* form, TMainMenu* menu)
    : TWinControl(nullptr), m_menu(menu) {
    // Under the form in the description, but not one of its controls.
    m_parent = form;
}

TMainMenuAccessible::~TMainMenuAccessible() {
    m_items.clear();
    m_parent = nullptr;
}

TMainMenuAccessible::Item* TMainMenuAccessible::ItemAt(int index) const {
    while (int(m_items.size()) <= index)
        m_items.push_back(
            std::make_unique<Item>(const_cast<TMainMenuAccessible*>(this), int(m_items.size())));
    return m_items[size_t(index)].get();
}

void TMainMenuAccessible::DescribeAccessible(TAccessibleInfo& info) const {
    info.Role = TAccessibleRole::MenuBar;
    info.States = asVisible | asShowing | asEnabled;
    TMainMenuView* view = m_menu->View();
    TRect bounds;
    for (int i = 0; i < m_menu->Count(); ++i) {
        if (!m_menu->Items(i).Visible) continue;
        info.Children.push_back(ItemAt(i));
        const TRect r = view ? view->MenuItemBounds(i) : TRect{};
        if (r.IsEmpty()) continue;
        bounds = bounds.IsEmpty()
                     ? r
                     : Rect(std::min(bounds.Left, r.Left), std::min(bounds.Top, r.Top),
                            std::max(bounds.Right, r.Right), std::max(bounds.Bottom, r.Bottom));
    }
    info.Bounds = bounds;
}

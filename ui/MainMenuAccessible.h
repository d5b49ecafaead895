#pragma once
// The form's main menu as a screen reader sees it: a menu bar with one menu item for each
// shown top item, named without its "&". The form lists the bar first among its children
// while something shows the menu (its view); the bar and its items are descriptions only,
// not controls of the form: nothing paints them or routes input to them.
#include "ui/WinControl.h"

#include <memory>
#include <vector>

class TCustomForm;
class TMainMenu;

class TMainMenuAccessible : public TWinControl {
public:
    TMainMenuAccessible(TCustomForm* form, TMainMenu* menu);
    ~TMainMenuAccessible() override;

    TMainMenu* Menu() const { return m_menu; }
    void DescribeAccessible(TAccessibleInfo& info) const override;

private:
    class Item;
    // One per top item of the menu, made as the menu grows.
    Item* ItemAt(int index) const;

    TMainMenu* m_menu;
    mutable std::vector<std::unique_ptr<Item>> m_items;
};

#pragma once
// TMainMenu: a form's main menu as data: top items, each a caption with an "&" accelerator,
// an enabled and a visible flag, and the commands of the popup it opens. A form carries it
// (TCustomForm::SetMenu); the framework itself does not draw it. Whatever shows it on the
// screen (the skinned frame) attaches as its view: it hears every change and works the menu
// with the mouse and the keyboard.
//
//     auto* menu = new TMainMenu(form);
//     menu->Add({"&File", true, true, {{"Open", "&Open...", "Ctrl+O", true, [&] { Open(); }}}});
//     form->SetMenu(menu);
#include "rtl/Component.h"
#include "rtl/Strings.h"
#include "ui/Messages.h"

#include <functional>
#include <string>
#include <vector>

// A form tells what shows its menu that the menu was set, replaced or went away.
constexpr UINT CM_MENUCHANGED = CM_BASE + 41;

// One command of a top item's popup.
struct TMenuCommand {
    std::string Name;
    AnsiString Caption; // "&" marks the accelerator letter; "-" alone is a separator
    AnsiString ShortCut;
    bool Enabled = true;
    std::function<void()> OnClick;
    bool Visible = true;
};

struct TMainMenuItem {
    AnsiString Caption; // "&" marks the letter that opens it with Alt
    bool Enabled = true;
    bool Visible = true;
    std::vector<TMenuCommand> Items;
};

// What shows a main menu: told of changes, and asked for what only it knows.
class TMainMenuView {
public:
    // Items were added, removed or changed.
    virtual void MenuChanged() = 0;
    // The menu has the keyboard (an item lit or a popup open): the form keeps the focus
    // itself rather than handing it to its active control.
    virtual bool MenuInUse() const = 0;
    // A key for the form while the menu may be in use: true when the menu took it.
    virtual bool MenuKey(WORD key) = 0;
    // Where a top item is shown, in screen coordinates; empty when it is not shown.
    virtual TRect MenuItemBounds(int index) const = 0;
    // Opens a top item's popup as a click would.
    virtual void OpenMenuItem(int index) = 0;

protected:
    ~TMainMenuView() = default;
};

class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    int Count() const { return int(m_items.size()); }
    const TMainMenuItem& Items(int index) const;
    int Add(TMainMenuItem item);
    void Insert(int index, TMainMenuItem item);
    void Delete(int index);
    void Clear();
    // Each change is told to the view.
    void SetCaption(int index, const AnsiString& caption);
    void SetEnabled(int index, bool enabled);
    void SetVisible(int index, bool visible);
    void SetCommands(int index, std::vector<TMenuCommand> commands);

    // The visible, enabled top item whose "&" letter is `letter` (either case), or -1.
    int FindAccelerator(char letter) const;

    TMainMenuView* View() const { return m_view; }
    // The view attaches itself and detaches (nullptr) before it goes.
    void SetView(TMainMenuView* view) { m_view = view; }

private:
    void Changed();

    std::vector<TMainMenuItem> m_items;
    TMainMenuView* m_view = nullptr;
};

// A menu caption as drawn and measured: without the "&" marks ("&&" is one "&").
AnsiString MenuCaptionText(const AnsiString& caption);

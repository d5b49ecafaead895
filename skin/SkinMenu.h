#pragma once
// A popup menu drawn in the skin's look: a list of items and the small window that shows
// them. The window opens at a screen point or below a screen rectangle, is worked with the
// mouse and the keyboard (arrows, Home/End, Enter, the underlined letter, Esc), and closes
// on a choice, on Esc or on a click outside it. It then tells the window it belongs to with
// WM_SKINMENUCLOSED and, after that, runs the chosen item's action.
//
//     TspSkinPopupMenu menu(owner);
//     menu.Add({"DSF_CLOSE", "&Close", "Alt+F4", true, [&] { form->Close(); }});
//     menu.SetSkinData(store);
//     menu.PopupUnder(buttonOnScreen, form);
#include "rtl/Component.h"
#include "rtl/Strings.h"
#include "ui/Controls.h"

#include <functional>
#include <string>
#include <vector>

class TspSkinData;
class TspSkinMenuWindow;

// Where a menu opens against its anchor: its corner at the anchor's top-left, or below or
// above the anchor rectangle.
enum class TspMenuPlacement { AtPoint, Below, Above };

struct TspMenuItem {
    std::string Name;
    AnsiString Caption; // "&" marks the accelerator letter; "-" alone is a separator
    AnsiString ShortCut;
    bool Enabled = true;
    std::function<void()> OnClick;
    bool Visible = true;

    bool IsSeparator() const { return Caption == "-"; }
};

class TspSkinPopupMenu : public TComponent {
public:
    explicit TspSkinPopupMenu(TComponent* owner);
    ~TspSkinPopupMenu() override;

    // --- items ---
    int Count() const { return int(m_items.size()); }
    TspMenuItem& Items(int index);
    const TspMenuItem& Items(int index) const;
    void Add(TspMenuItem item);
    void Insert(int index, TspMenuItem item);
    void Clear();
    // Index of the first item of that name, or -1.
    int IndexOfName(const std::string& name) const;
    void RemoveByName(const std::string& name);

    // --- looks ---
    TspSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TspSkinData* store);
    // Item height when the skin has no menu item record (or no store).
    int DefItemHeight() const { return m_defItemHeight; }
    void SetDefItemHeight(int value) { m_defItemHeight = value; }

    // --- showing ---
    // Shows the menu with its top-left corner at a screen point; `notify` (may be null)
    // receives WM_SKINMENUCLOSED when it closes.
    void Popup(TPoint screen, TWinControl* notify);
    // Shows the menu below a screen rectangle (above it when there is no room below).
    void PopupUnder(const TRect& screenRect, TWinControl* notify);
    // Shows the menu above a screen rectangle (below it when there is no room above).
    void PopupAbove(const TRect& screenRect, TWinControl* notify);
    bool Shown() const;
    // Closes it without a choice.
    void CloseUp();
    // The window while shown (tests and tools look at it), else nullptr.
    TspSkinMenuWindow* Window() const;

    TNotifyEvent OnPopup;
    TNotifyEvent OnClose;
    // The menu was opened below a rectangle (a button) and that rectangle was pressed again
    // within the double-click time: the menu closes and this runs instead.
    TNotifyEvent OnAnchorDoubleClick;
    // Left, Right, Esc and F10 in the open menu are offered here first (a menu bar moves
    // to its next item); true takes the key.
    std::function<bool(WORD key)> OnNavigationKey;
    // The pointer moved outside the open menu (screen point); the menu holds the mouse.
    std::function<void(TPoint screen)> OnPointerOutside;

    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TspSkinMenuWindow;
    void Show(const TRect& anchor, TspMenuPlacement placement, TWinControl* notify);
    // The window reports that it closed, with the chosen item (-1 for none).
    void WindowClosed(int chosen);
    // A press outside the open menu: true when it is the anchor's double click.
    bool AnchorDoubleClicked(TPoint screen) const;

    std::vector<TspMenuItem> m_items;
    TspSkinData* m_skinData = nullptr;
    int m_defItemHeight = 20;
    TspSkinMenuWindow* m_window = nullptr;
    TWinControl* m_notify = nullptr;
    bool m_closing = false;
    TRect m_anchor;
    bool m_anchored = false;
    uint64_t m_shownAt = 0;
};

#pragma once
// The small window that shows a TspSkinPopupMenu: a borderless popup drawn from the skin's
// popup-window picture and "menuitem" record when the store has them, else from the skin's
// colours. While it is open it holds the mouse and the keyboard.
#include "gfx/Bitmap.h"
#include "skin/SkinMenu.h"
#include "ui/Forms.h"

#include <vector>

class TspSkinPopupMenu;
class TspSkinData;
class TspDataSkinMenuItem;

class TspSkinMenuWindow : public THintWindow {
public:
    explicit TspSkinMenuWindow(TspSkinPopupMenu* menu);
    ~TspSkinMenuWindow() override;

    // Lays the items out and shows the window next to `anchor` (screen coordinates): below
    // or above it, or with its corner at the anchor's top-left.
    void ShowMenu(const TRect& anchor, TspMenuPlacement placement);
    // Hides the window and reports the chosen item (-1: none) to the menu.
    void CloseMenu(int chosen);
    bool Open() const { return m_open; }

    // The highlighted item, -1 when none.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int index);
    // Highlights the first item that can be chosen.
    void SelectFirst() { Step(-1, 1); }
    int ItemCount() const { return int(m_rows.size()); }
    // An item's rectangle in client coordinates.
    TRect ItemRect(int index) const;
    // The item under a client point, -1 when none (or a separator).
    int ItemAt(TPoint client) const;

protected:
    void Paint() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    // Someone else taking the mouse or the keyboard closes an open menu.
    void WMCaptureChanged(TWMCaptureChanged& m) override;
    void WMKillFocus(TWMFocus& m) override;

private:
    struct Row {
        int item;
        TRect rect;
    };
    // What the skin offers for drawing, looked up each time the menu opens.
    struct Looks {
        TspSkinData* store = nullptr;
        const TBitmap* window = nullptr;
        const TBitmap* mask = nullptr;
        const TspDataSkinMenuItem* item = nullptr;
        const TBitmap* itemPicture = nullptr;
    };
    void FindLooks();
    void Layout();
    TRect ItemsArea() const;
    void PaintBackground(TCanvas& canvas);
    void PaintItem(TCanvas& canvas, int row);
    void SetMenuFont(TCanvas& canvas) const;
    bool Selectable(int row) const;
    void Step(int from, int delta);
    void Choose(int row);

    TspSkinPopupMenu* m_menu;
    Looks m_looks;
    std::vector<Row> m_rows;
    int m_itemIndex = -1;
    bool m_open = false;
    bool m_closing = false;
    TWinControl* m_previousFocus = nullptr;
    TBitmap m_buffer;
};

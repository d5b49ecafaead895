// The "menus" scene: a form wearing the program's skin with a main menu in its caption row
// (File, View, Table, Help), the View popup open below its item and its second command lit.
#include "Scene.h"
#include "data/ProgramSkin.h"
#include "platform/HeadlessDisplay.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skin/SkinMainMenuItem.h"
#include "skin/SkinMainMenuItems.h"
#include "skin/SkinMenu.h"
#include "skin/SkinMenuWindow.h"
#include "ui/Forms.h"
#include "ui/MainMenu.h"

#include <algorithm>

namespace {

HeadlessDisplay& Headless() {
    return dynamic_cast<HeadlessDisplay&>(CurrentDisplay());
}

void Settle(int ms = 200) {
    for (int t = 0; t < ms; t += 5) {
        Headless().Advance(5);
        Application->ProcessMessages();
    }
}

void RenderMenusScene(const std::string& pngPath) {
    TForm* form = Application->CreateForm<TForm>();
    form->SetBounds(200, 150, 480, 300);
    form->SetCaption("Brelvan");
    auto* frame = new TspSkinFrame(form);
    frame->SetBorderIcons(biSystemMenu | biMinimize);
    frame->SetSizeable(false);
    frame->SetShowIcon(true);
    auto* store = new TspSkinData(form);
    frame->SetSkinData(store);
    auto* stored = new TspCompressedStoredSkin(form);
    LoadProgramSkin(*stored);
    store->SetCompressedStoredSkin(stored);

    auto* menu = new TMainMenu(form);
    menu->Add({"&File",
               true,
               true,
               {{"Open", "&Open presets...", "Ctrl+O", true, nullptr},
                {"Save", "&Save presets...", "Ctrl+S", true, nullptr},
                {"Sep", "-", "", true, nullptr},
                {"Exit", "E&xit", "Alt+F4", true, nullptr}}});
    menu->Add({"&View",
               true,
               true,
               {{"Refresh", "&Refresh", "F5", true, nullptr},
                {"Filter", "&Filter...", "Ctrl+F", true, nullptr},
                {"Sep", "-", "", true, nullptr},
                {"Flags", "Show f&lags", "", true, nullptr},
                {"Highlights", "Show &highlights", "", false, nullptr}}});
    menu->Add({"&Table", true, true, {{"Sort", "&Sort by date", "", true, nullptr}}});
    menu->Add({"&Help", true, true, {{"About", "&About Brelvan", "", true, nullptr}}});
    form->SetMenu(menu);
    form->Show();
    Settle(50);

    // View opened with the mouse, its second command under the pointer.
    TspSkinMainMenuItems& items = frame->MainMenuItems();
    if (TspSkinMainMenuItem* view = items.Item(1)) {
        const TRect r = OffsetRect(view->ObjectRect, form->Left(), form->Top());
        Headless().Click((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        Application->ProcessMessages();
    }
    if (TspSkinMenuWindow* w = items.Popup()->Window()) {
        const TRect item = w->ItemRect(1);
        const TPoint p = w->ClientToScreen({item.Left + 40, (item.Top + item.Bottom) / 2});
        Headless().MouseMove(p.X, p.Y);
    }
    Settle();
    TRect area = form->BoundsRect();
    if (TspSkinMenuWindow* w = items.Popup()->Window()) {
        const TRect r = Bounds(w->Left(), w->Top(), w->Width(), w->Height());
        area = Rect(std::min(area.Left, r.Left), std::min(area.Top, r.Top),
                    std::max(area.Right, r.Right), std::max(area.Bottom, r.Bottom));
    }
    WriteScreenPng(area, pngPath);
}

SceneRegistrar reg("menus", &RenderMenusScene);

} // namespace

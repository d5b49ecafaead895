// The "tabs" scene: the skinned page control with its tabs on each of the four edges, each
// showing a selected, a hot, a normal and a disabled tab, on a form wearing the program's skin.
#include "Scene.h"
#include "data/ProgramSkin.h"
#include "platform/Display.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinStdLabel.h"
#include "ui/Forms.h"
#include "ui/Snapshot.h"

namespace {

constexpr TColor Surface = RGB(238, 241, 245);

struct Edge {
    TTabPosition position;
    const char* name;
    TRect bounds;
};

void RenderTabs(const std::string& pngPath) {
    TForm* form = Application->CreateForm<TForm>();
    form->SetCaption("Brelvan - tabs on every edge");
    form->SetBorderStyle(bsSingle);
    form->SetBounds(40, 40, 100, 100);
    form->SetColor(Surface);
    auto* skin = new TspSkinData(form);
    auto* stored = new TspCompressedStoredSkin(form);
    LoadProgramSkin(*stored, CurrentDisplay().DeviceScale()); // as the program does
    skin->SetCompressedStoredSkin(stored);
    auto* frame = new TspSkinFrame(form);
    frame->SetBorderIcons(biSystemMenu | biMinimize);
    frame->SetSkinData(skin);
    form->SetClientWidth(700);
    form->SetClientHeight(520);

    const Edge edges[] = {{tpTop, "top", Bounds(16, 32, 320, 210)},
                          {tpBottom, "bottom", Bounds(364, 32, 320, 210)},
                          {tpLeft, "left", Bounds(16, 290, 320, 210)},
                          {tpRight, "right", Bounds(364, 290, 320, 210)}};
    std::vector<TspSkinPageControl*> controls;
    for (const Edge& edge : edges) {
        auto* label = new TspSkinStdLabel(form);
        label->SetParent(form);
        label->SetUseSkinFont(false);
        label->SetUseSkinColor(false);
        label->Font()->SetName("Arial");
        label->Font()->SetHeight(13);
        label->Font()->SetStyle({fsBold});
        label->Font()->SetColor(RGB(96, 106, 122));
        label->SetCaption(std::string("TabPosition ") + edge.name);
        label->SetLeft(edge.bounds.Left);
        label->SetTop(edge.bounds.Top - 20);

        auto* pages = new TspSkinPageControl(form);
        pages->SetParent(form);
        pages->SetSkinData(skin);
        pages->SetTabPosition(edge.position);
        pages->SetBoundsRect(edge.bounds);
        const char* captions[] = {"Selected", "Hot", "Normal", "Disabled"};
        for (int i = 0; i < 4; ++i) {
            auto* sheet = new TspSkinTabSheet(form);
            sheet->SetPageControl(pages);
            sheet->SetCaption(captions[i]);
            if (i == 3) sheet->SetEnabled(false);
        }
        pages->SetActivePageIndex(0);
        controls.push_back(pages);
    }
    form->Show();
    Application->ProcessMessages();
    // The hot look needs the pointer: each control is told it moved over its second tab.
    for (TspSkinPageControl* pages : controls) {
        TRect hot = pages->TabRect(1);
        pages->Perform(WM_MOUSEMOVE, 0, PointToLParam({hot.Left + 5, hot.Top + 5}));
    }
    WriteWindowPngDevice(form, pngPath);
}

SceneRegistrar reg("tabs", &RenderTabs);

} // namespace

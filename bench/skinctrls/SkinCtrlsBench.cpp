// Skinned control timings: a full repaint of the filter panel (the group box with its
// twenty spin boxes, their captions and the two bevels, as the main window holds them) and
// one step of a button's hover fade.
#include <benchmark/benchmark.h>

#include "bench/HeadlessStart.h"

#include "data/ProgramSkin.h"
#include "platform/HeadlessDisplay.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skinctrls/SkinBevel.h"
#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinStdLabel.h"
#include "ui/Forms.h"

namespace {

TspSkinData* ProgramSkinOf(TForm* form) {
    auto* data = new TspSkinData(form);
    auto* stored = new TspCompressedStoredSkin(form);
    LoadProgramSkin(*stored);
    data->SetCompressedStoredSkin(stored);
    return data;
}

// The filter panel: ten rows of two spin boxes with a caption each, two bevels, in a group
// box 369 wide at the right of an 803 x 589 form.
TForm* BuildFilterForm(TspSkinData*& skin) {
    TForm* form = Application->CreateForm<TForm>();
    form->SetBounds(50, 50, 10, 10);
    form->SetClientWidth(803);
    form->SetClientHeight(589);
    skin = ProgramSkinOf(form);
    auto* group = new TspSkinGroupBox(form);
    group->SetParent(form);
    group->SetBounds(434, 0, 369, 589);
    group->SetCaption("Filter");
    group->SetSkinData(skin);
    for (int row = 0; row < 10; ++row) {
        int y = 30 + row * 36 + (row >= 3 ? 20 : 0) + (row >= 9 ? 20 : 0);
        auto* caption = new TspSkinStdLabel(form);
        caption->SetParent(group);
        caption->SetCaption("Row " + std::to_string(row + 1));
        caption->SetBounds(12, y + 3, 0, 0);
        for (int col = 0; col < 2; ++col) {
            auto* f = new TspSkinSpinEdit(form);
            f->SetParent(group);
            f->SetBounds(120 + col * 110, y, 81, 20);
            f->SetSkinData(skin);
            if (row < 3) {
                f->SetValueType(vtFloat);
                f->SetMinValue(0.01);
                f->SetMaxValue(1000);
                f->SetValue(col == 0 ? 1.01 : 1000);
            } else {
                f->SetMaxValue(100);
                f->SetValue(col == 0 ? 0 : 100);
            }
        }
    }
    for (int i = 0; i < 2; ++i) {
        auto* bevel = new TspSkinBevel(form);
        bevel->SetParent(group);
        bevel->SetShape(i == 0 ? bsBottomLine : bsTopLine);
        bevel->SetBounds(8, 130 + i * 250, 353, 17);
        bevel->SetSkinData(skin);
    }
    form->Show();
    Application->ProcessMessages();
    return form;
}

void BM_FilterPanelFullRepaint(benchmark::State& state) {
    StartHeadless();
    TspSkinData* skin = nullptr;
    TForm* form = BuildFilterForm(skin);
    for (auto _ : state) {
        RedrawWindow(form, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
        UpdateWindow(form);
    }
    Application->Reset();
}
BENCHMARK(BM_FilterPanelFullRepaint)->Unit(benchmark::kMillisecond);

// One tick of the 20 ms hover fade of LOGIN: the factor moves and the button is drawn again
// from its two looks blended.
void BM_ButtonHoverMorphStep(benchmark::State& state) {
    StartHeadless();
    TForm* form = Application->CreateForm<TForm>();
    form->SetBounds(50, 50, 300, 100);
    TspSkinData* skin = ProgramSkinOf(form);
    auto* login = new TspSkinButton(form);
    login->SetParent(form);
    login->SetBounds(20, 20, 113, 25);
    login->SetCaption("LOGIN");
    login->SetCanFocused(false);
    login->SetSkinData(skin);
    form->Show();
    Application->ProcessMessages();
    bool inside = false;
    for (auto _ : state) {
        if (login->MorphFactor() == (inside ? 1.0 : 0.0)) {
            // At an end: turn around (not timed).
            state.PauseTiming();
            inside = !inside;
            login->Perform(inside ? CM_MOUSEENTER : CM_MOUSELEAVE);
            state.ResumeTiming();
        }
        login->Perform(WM_TIMER, TspSkinCustomControl::MorphTimerId);
        UpdateWindow(login);
    }
    Application->Reset();
}
BENCHMARK(BM_ButtonHoverMorphStep)->Unit(benchmark::kMicrosecond);

} // namespace

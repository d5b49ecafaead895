// The skinned frame at the main window's size: painting it whole, and the mouse running
// across the caption buttons (hit test, hover, one step of the cross-fade each move).
#include "data/ProgramSkin.h"
#include "platform/HeadlessDisplay.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "ui/Forms.h"

#include <benchmark/benchmark.h>

namespace {

// The main window's frame: 821 x 633 with the program's skin, shown on a headless display.
struct SkinnedWindow {
    TForm* form;
    TspSkinFrame* frame;

    SkinnedWindow() {
        static bool started = false;
        if (!started) {
            SetDisplay(std::make_unique<HeadlessDisplay>(1280, 1024));
            Application->Initialize();
            started = true;
        }
        Application->Reset();
        form = Application->CreateForm<TForm>();
        form->SetBounds(100, 100, 821, 633);
        form->SetCaption("Brelvan");
        frame = new TspSkinFrame(form);
        frame->SetBorderIcons(biSystemMenu | biMinimize);
        frame->SetSizeable(false);
        frame->SetShowIcon(true);
        auto* store = new TspSkinData(form);
        frame->SetSkinData(store);
        auto* stored = new TspCompressedStoredSkin(form);
        LoadProgramSkin(*stored);
        store->SetCompressedStoredSkin(stored);
        form->Show();
        Application->ProcessMessages();
    }
    ~SkinnedWindow() { Application->Reset(); }
};

void BM_PaintWholeFrame821x633(benchmark::State& state) {
    SkinnedWindow w;
    TBitmap surface(821, 633);
    TCanvas& canvas = *surface.Canvas();
    for (auto _ : state) {
        w.frame->PaintFrame(canvas);
        benchmark::DoNotOptimize(surface.ScanLine(0)[0]);
    }
}
BENCHMARK(BM_PaintWholeFrame821x633)->Unit(benchmark::kMicrosecond);

void BM_ThousandMovesAcrossTheCaptionButtons(benchmark::State& state) {
    SkinnedWindow w;
    TBitmap surface(821, 633);
    TCanvas& canvas = *surface.Canvas();
    // From the caption over minimise and close to the frame's right edge, and back.
    const int left = w.form->Left(), top = w.form->Top() + 14;
    const int from = 750, to = 818;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const int step = i % (2 * (to - from));
            const int x = left + (step < to - from ? from + step : to - (step - (to - from)));
            w.form->Perform(WM_NCHITTEST, 0, PointToLParam({x, top}));
            // One tick of the cross-fade for whatever is changing look.
            for (int o = 0; o < w.frame->ObjectCount(); ++o) {
                TspActiveSkinObject* object = w.frame->Objects(o);
                if (object->MorphStep()) object->DrawObject(canvas, true);
            }
        }
        benchmark::DoNotOptimize(surface.ScanLine(0)[0]);
    }
}
BENCHMARK(BM_ThousandMovesAcrossTheCaptionButtons)->Unit(benchmark::kMillisecond);

} // namespace

// Window system timings: a full repaint of a form the size of the main window holding 40
// controls, and the dispatch of 10,000 mouse moves through the real input path.
#include <benchmark/benchmark.h>

#include "bench/HeadlessStart.h"

#include "platform/HeadlessDisplay.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {
// 803 x 589 client area with 40 controls of the usual kinds.
TForm* BuildForm() {
    TForm* form = Application->CreateForm<TForm>();
    form->SetBounds(50, 50, 10, 10);
    form->SetClientWidth(803);
    form->SetClientHeight(589);
    for (int i = 0; i < 40; ++i) {
        int x = 10 + (i % 5) * 158, y = 10 + (i / 5) * 70;
        TControl* c = nullptr;
        switch (i % 5) {
        case 0:
            c = new TLabel(form);
            break;
        case 1:
            c = new TEdit(form);
            break;
        case 2:
            c = new TButton(form);
            break;
        case 3:
            c = new TPanel(form);
            break;
        default:
            c = new TBevel(form);
            break;
        }
        c->SetParent(form);
        c->SetCaption("Control " + std::to_string(i));
        c->SetBounds(x, y, 140, 50);
    }
    form->Show();
    Application->ProcessMessages();
    return form;
}

void BM_FullRepaint(benchmark::State& state) {
    StartHeadless();
    TForm* form = BuildForm();
    for (auto _ : state) {
        RedrawWindow(form, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
        UpdateWindow(form);
    }
    Application->Reset();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_MouseMoves10000(benchmark::State& state) {
    HeadlessDisplay* display = StartHeadless();
    TForm* form = BuildForm();
    TPoint origin = form->ClientToScreen({0, 0});
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 10000; ++i)
            display->MouseMove(origin.X + (i * 7) % 800, origin.Y + (i * 13) % 580);
        state.ResumeTiming();
        Application->ProcessMessages();
    }
    Application->Reset();
}
BENCHMARK(BM_MouseMoves10000)->Unit(benchmark::kMillisecond);
} // namespace

// The "frame" scene: one 400 x 300 form wearing the program's skin, as a sheet of states:
// active, inactive, the mouse over close, close held, minimise held, a caption too long for
// its place, the system menu open under its button, and the plain frame without a skin.
#include "Scene.h"
#include "data/ProgramSkin.h"
#include "gfx/DrawText.h"
#include "gfx/Png.h"
#include "platform/HeadlessDisplay.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "ui/Forms.h"

#include <functional>

namespace {

constexpr int FormWidth = 400, FormHeight = 300;
constexpr int Gap = 20, LabelHeight = 26;
constexpr TColor Desktop = 0x00A56E3A; // the desktop blue the other scenes use

HeadlessDisplay& Headless() {
    return dynamic_cast<HeadlessDisplay&>(CurrentDisplay());
}

void Settle(int ms = 200) {
    for (int t = 0; t < ms; t += 5) {
        Headless().Advance(5);
        Application->ProcessMessages();
    }
}

// Copies what the display shows of a window onto the sheet, its corner at (x, y) relative
// to `origin` (the form's screen position), leaving cut-away pixels to the sheet.
void CopyWindow(TBitmap& sheet, int id, TPoint origin, int x, int y) {
    const HeadlessDisplay::Window* w = Headless().FindWindow(id);
    if (!w || !w->visible) return;
    auto inside = [&](int px, int py) {
        if (w->shape.empty()) return true;
        for (const DisplayRect& r : w->shape)
            if (px >= r.x && px < r.x + r.w && py >= r.y && py < r.y + r.h) return true;
        return false;
    };
    // Device pixels of the window onto device pixels of the sheet (both at the display's scale).
    const int k = w->scale;
    for (int py = 0; py < w->DeviceHeight(); ++py)
        for (int px = 0; px < w->DeviceWidth(); ++px) {
            const int sx = (x + w->bounds.x - origin.X) * k + px,
                      sy = (y + w->bounds.y - origin.Y) * k + py;
            if (sx < 0 || sy < 0 || sx >= sheet.DeviceWidth() || sy >= sheet.DeviceHeight())
                continue;
            if (!inside(px / k, py / k)) continue;
            sheet.ScanLine(sy)[sx] = 0xFF000000u | w->pixels[size_t(py) * w->DeviceWidth() + px];
        }
}

struct State {
    const char* label;
    std::function<void(TForm*, TspSkinFrame*)> setUp;
    bool skinned = true;
};

void RenderFrameScene(const std::string& pngPath) {
    const State states[] = {
        {"Active", [](TForm*, TspSkinFrame*) {}},
        {"Inactive (the skin's inactive frame)",
         [](TForm*, TspSkinFrame*) {
             TForm* other = Application->CreateForm<TForm>();
             other->SetBounds(1000, 900, 200, 100);
             other->Show();
         }},
        {"Mouse over close",
         [](TForm* f, TspSkinFrame*) { Headless().MouseMove(f->Left() + 380, f->Top() + 14); }},
        {"Close held down",
         [](TForm* f, TspSkinFrame*) {
             Headless().MouseMove(f->Left() + 380, f->Top() + 14);
             Application->ProcessMessages();
             Headless().MouseDown();
         }},
        {"Minimise held down",
         [](TForm* f, TspSkinFrame*) {
             Headless().MouseMove(f->Left() + 355, f->Top() + 14);
             Application->ProcessMessages();
             Headless().MouseDown();
         }},
        {"A caption too long for its place",
         [](TForm* f, TspSkinFrame*) {
             f->SetCaption("Brelvan - football tips: subscription active until 31 December, "
                           "all leagues included");
         }},
        {"System menu open under its button",
         [](TForm* f, TspSkinFrame*) {
             Headless().Click(f->Left() + 15, f->Top() + 14);
             Application->ProcessMessages();
             Headless().MouseMove(f->Left() + 60, f->Top() + 60);
         }},
        {"No skin: the plain frame", [](TForm*, TspSkinFrame*) {}, false},
    };
    const int columns = 2, count = int(std::size(states));
    const int rows = (count + columns - 1) / columns;
    TBitmap sheet;
    sheet.SetScale(Headless().DeviceScale());
    sheet.SetSize(Gap + columns * (FormWidth + Gap), Gap + rows * (LabelHeight + FormHeight + Gap));
    sheet.Fill(Desktop);
    TCanvas& c = *sheet.Canvas();
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-13);
    font.SetStyle({fsBold});
    font.SetColor(clWhite);
    c.SetFont(font);
    c.Brush()->SetStyle(bsClear);

    for (int i = 0; i < count; ++i) {
        Application->Reset();
        Headless().MouseUp();
        Headless().MouseMove(5, 5);
        Application->ProcessMessages();
        TForm* form = Application->CreateForm<TForm>();
        form->SetBounds(200, 150, FormWidth, FormHeight);
        form->SetCaption("Brelvan");
        auto* frame = new TspSkinFrame(form);
        frame->SetBorderIcons(biSystemMenu | biMinimize);
        frame->SetSizeable(false);
        frame->SetShowIcon(true);
        auto* store = new TspSkinData(form);
        frame->SetSkinData(store);
        if (states[i].skinned) {
            auto* stored = new TspCompressedStoredSkin(form);
            LoadProgramSkin(*stored, CurrentDisplay().DeviceScale()); // as the program does
            store->SetCompressedStoredSkin(stored);
        }
        form->SetClientWidth(FormWidth - (form->Width() - form->ClientWidth()));
        form->SetClientHeight(FormHeight - (form->Height() - form->ClientHeight()));
        form->Show();
        Settle(50);
        states[i].setUp(form, frame);
        Settle();
        const int x = Gap + (i % columns) * (FormWidth + Gap);
        const int y = Gap + (i / columns) * (LabelHeight + FormHeight + Gap);
        TRect label = Rect(x, y, x + FormWidth, y + LabelHeight);
        DrawText(c, states[i].label, label, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        const TPoint origin{form->Left(), form->Top()};
        for (int id : Headless().Windows()) {
            const HeadlessDisplay::Window* w = Headless().FindWindow(id);
            // The form and what opens over it (the menu); not the other forms.
            if (id == form->DisplayWindow() || (w && w->popup))
                CopyWindow(sheet, id, origin, x, y + LabelHeight);
        }
        Headless().MouseUp();
        Application->ProcessMessages();
    }
    Application->Reset();
    SavePng(sheet, pngPath);
}

SceneRegistrar reg("frame", &RenderFrameScene);

} // namespace

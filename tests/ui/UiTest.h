#pragma once
// A fixture that starts the application on a fresh headless display for every test.
#include <gtest/gtest.h>

#include "platform/HeadlessDisplay.h"
#include "ui/Forms.h"
#include "ui/Snapshot.h"

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Reset();
        display = new HeadlessDisplay(1024, 768);
        SetDisplay(std::unique_ptr<Display>(display));
        Application->Initialize();
    }
    void TearDown() override {
        Application->Reset();
        EXPECT_EQ(UnbalancedCanvasStates(), unbalancedAtStart)
            << "a paint left a saved canvas state behind";
    }
    int unbalancedAtStart = UnbalancedCanvasStates();

    TForm* NewForm(int clientW = 300, int clientH = 200) {
        TForm* f = Application->CreateForm<TForm>();
        f->SetBounds(100, 100, 10, 10);
        f->SetClientWidth(clientW);
        f->SetClientHeight(clientH);
        return f;
    }
    void Pump() { Application->ProcessMessages(); }
    TPoint ScreenPt(TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }
    void MoveTo(TControl* c, int x, int y) {
        TPoint p = ScreenPt(c, x, y);
        display->MouseMove(p.X, p.Y);
        Pump();
    }
    void Click(TControl* c, int x, int y) {
        TPoint p = ScreenPt(c, x, y);
        display->Click(p.X, p.Y);
        Pump();
    }
    void Press(int vk, unsigned mods = 0) {
        display->KeyPress(vk, mods);
        Pump();
    }
    void Type(const std::string& text) {
        display->Type(text);
        Pump();
    }
    // Colour of a client pixel of a control as presented on the display.
    TColor PixelOf(TControl* c, int x, int y) {
        Pump();
        TWinControl* top = GetTopLevel(c);
        auto* form = dynamic_cast<TCustomForm*>(top);
        TPoint s = c->ClientToScreen({x, y});
        uint32_t p = display->PixelAt(form->DisplayWindow(), s.X - top->Left(), s.Y - top->Top());
        return PixelToColor(p);
    }

    HeadlessDisplay* display = nullptr;
};

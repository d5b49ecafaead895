#pragma once
// A form wearing a skinned frame on a fresh headless display, with the program's own skin
// (or a skin the test builds), and helpers that send real input through the display.
#include "SkinTestSupport.h"

#include "data/ProgramSkin.h"
#include "platform/HeadlessDisplay.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Reset();
        display = new HeadlessDisplay(1280, 1024);
        SetDisplay(std::unique_ptr<Display>(display));
        Application->Initialize();
        form = Application->CreateForm<TForm>();
        form->SetBounds(100, 100, 400, 300);
        form->SetCaption("Brelvan");
        // Counts the requests to close; the window stays unless a test allows it.
        form->OnCloseQuery = [this](TObject*, bool& canClose) {
            ++closeQueries;
            canClose = allowClose;
        };
    }
    void TearDown() override {
        Application->Reset();
        EXPECT_EQ(UnbalancedCanvasStates(), unbalancedAtStart)
            << "a paint left a saved canvas state behind";
    }
    int unbalancedAtStart = UnbalancedCanvasStates();

    // The program's frame settings: close, minimise and the icon; not sizeable.
    TspSkinFrame* MakeFrame(TCustomForm* on = nullptr) {
        auto* f = new TspSkinFrame(on ? on : form);
        f->SetBorderIcons(biSystemMenu | biMinimize);
        f->SetSizeable(false);
        f->SetShowIcon(true);
        return f;
    }
    // Frame and store with the program's skin, shown.
    void WearProgramSkin(bool show = true) {
        frame = MakeFrame();
        store = new TspSkinData(form);
        frame->SetSkinData(store);
        auto* stored = new TspCompressedStoredSkin(form);
        LoadProgramSkin(*stored);
        store->SetCompressedStoredSkin(stored);
        if (show) {
            form->Show();
            Pump();
        }
    }
    // A store loaded from a description and pictures the test makes (container version 3).
    TspSkinData* StoreWith(const std::string& description, const TBitmap& picture,
                           const TBitmap* mask, const std::vector<TBitmap>& active) {
        skintest::ContainerBytes c;
        c.Int32(3);
        c.Byte(0).Picture(picture);
        c.Byte(1); // no inactive picture
        if (mask)
            c.Byte(0).Picture(*mask);
        else
            c.Byte(1);
        c.Int32(int32_t(active.size()));
        for (const TBitmap& b : active) c.Picture(b);
        c.Text(description);
        auto* s = new TspSkinData(form);
        s->SetCompressedStoredSkin(skintest::StoredSkinWith(form, c.Packed()));
        return s;
    }

    void Pump() { Application->ProcessMessages(); }
    // Window coordinates of the form to the screen.
    TPoint OnScreen(int x, int y) const { return {form->Left() + x, form->Top() + y}; }
    void MoveTo(int x, int y) {
        TPoint p = OnScreen(x, y);
        display->MouseMove(p.X, p.Y);
        Pump();
    }
    void Press(int x, int y, int button = 1) {
        MoveTo(x, y);
        display->MouseDown(button);
        Pump();
    }
    void Release(int button = 1) {
        display->MouseUp(button);
        Pump();
    }
    void ClickAt(int x, int y, int button = 1) {
        Press(x, y, button);
        Release(button);
    }
    void Key(int vk) {
        display->KeyPress(vk);
        Pump();
    }
    // Lets the frame's timers run for `ms`.
    void Wait(int ms) {
        for (int t = 0; t < ms; t += 5) {
            display->Advance(5);
            Pump();
        }
    }
    // A pixel of the form as presented, in window coordinates.
    TColor Pixel(int x, int y) {
        Pump();
        return PixelToColor(display->PixelAt(form->DisplayWindow(), x, y));
    }
    // A pixel of an active picture of the store.
    TColor Look(int pictureIndex, int x, int y) {
        return store->ActivePicture(pictureIndex)->PixelColor(x, y) & 0xFFFFFF;
    }
    TspSkinStdButtonObject* Button(const char* name) {
        return dynamic_cast<TspSkinStdButtonObject*>(frame->FindObject(name));
    }

    int closeQueries = 0;
    bool allowClose = false;
    HeadlessDisplay* display = nullptr;
    TForm* form = nullptr;
    TspSkinFrame* frame = nullptr;
    TspSkinData* store = nullptr;
};

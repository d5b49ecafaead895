#pragma once
// Forms, the application object and the screen.
//
// Starting the application on the headless display (tests and tools):
//
//     #include "platform/HeadlessDisplay.h"
//     #include "ui/Forms.h"
//     auto* display = new HeadlessDisplay(1280, 1024);      // before anything else
//     SetDisplay(std::unique_ptr<Display>(display));
//     Application->Initialize();
//     TForm* form = Application->CreateForm<TForm>();         // first form = main form
//     form->SetClientWidth(400); ...; form->Show();
//     Application->ProcessMessages();                         // runs layout and paint
//
// Real input goes through the display, in screen coordinates; then pump the loop:
//
//     TPoint p = edit->ClientToScreen({5, 5});
//     display->Click(p.X, p.Y);            // move, press, release
//     display->KeyPress('A', ModShift);    // key down, text "A", key up
//     display->Type("text");               // characters only
//     display->Advance(600);               // fake clock: timers, double-click time, caret
//     Application->ProcessMessages();
//
// Modal loops (ShowModal, MessageBox, the error box) pump the same display; a test that
// must act while one runs sets Application->OnIdle (called whenever the loop has nothing to
// do) to look at Screen->ActiveForm() and inject input, e.g. press Enter on the box.
//
// Writing a window to PNG: WriteWindowPng(form, "out.png") (ui/Snapshot.h) writes the pixels
// the window system last painted for that window (any control, top-level or child).
//
// Between tests: Application->Reset() destroys every form, timer and posted message and
// leaves the display in place.
#include "gfx/ImageList.h"
#include "rtl/Exceptions.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/HintWindow.h"
#include "ui/Screen.h"

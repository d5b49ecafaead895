// Where the display may drag a top-level window itself (a compositor moving it by its
// caption): the window system gives it a test that answers true on the caption only, and only
// while the form takes input and nothing of the program's own holds the mouse.
#include "UiTest.h"

#include <functional>
#include <map>

#include "ui/HintWindow.h"
#include "ui/WindowSystem.h"

namespace {

// A headless display that keeps the drag tests it is given.
class DragTestDisplay : public HeadlessDisplay {
public:
    using HeadlessDisplay::HeadlessDisplay;
    void SetWindowDragTest(int id, std::function<bool(int x, int y)> test) override {
        tests[id] = std::move(test);
    }
    std::map<int, std::function<bool(int, int)>> tests;
};

class SystemDragTest : public UiTest {
protected:
    void SetUp() override {
        Application->Reset();
        dragDisplay = new DragTestDisplay(1024, 768);
        display = dragDisplay;
        SetDisplay(std::unique_ptr<Display>(dragDisplay));
        Application->Initialize();
    }
    // The test given for a form's display window, asked at a point of the window.
    bool Draggable(TCustomForm* form, int x, int y) {
        auto it = dragDisplay->tests.find(form->DisplayWindow());
        EXPECT_NE(it, dragDisplay->tests.end()) << "no drag test for the form";
        return it != dragDisplay->tests.end() && it->second(x, y);
    }
    DragTestDisplay* dragDisplay = nullptr;
};

} // namespace

TEST_F(SystemDragTest, OnlyTheCaptionIsTheSystemsToDrag) {
    TForm* f = NewForm();
    f->Show();
    Pump();
    const int frame = GetSystemMetrics(SM_CXFRAME);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const int w = f->Width(), h = f->Height();
    EXPECT_TRUE(Draggable(f, w / 3, frame + 2));
    // The caption's buttons, the frame's edges and the client area stay the program's.
    EXPECT_FALSE(Draggable(f, w - frame - 6, frame + caption / 2)); // close
    EXPECT_FALSE(Draggable(f, 0, 0));
    EXPECT_FALSE(Draggable(f, w / 2, h - 1));
    EXPECT_FALSE(Draggable(f, w / 2, f->ClientRectInWindow().Top + 5));
    // Window coordinates, wherever the form is.
    f->SetBounds(400, 300, w, h);
    Pump();
    EXPECT_TRUE(Draggable(f, w / 3, frame + 2));
    EXPECT_FALSE(Draggable(f, 400 + w / 3, 300 + frame + 2));
}

TEST_F(SystemDragTest, NotWhileAnotherFormIsModalOrTheMouseIsHeld) {
    TForm* main = NewForm();
    main->Show();
    TForm* dialog = NewForm(100, 80);
    dialog->SetBounds(500, 400, dialog->Width(), dialog->Height());
    dialog->Show();
    Pump();
    const int frame = GetSystemMetrics(SM_CXFRAME);
    TWindowSystem& ws = TWindowSystem::Get();
    ws.Modal().Push(dialog);
    EXPECT_FALSE(Draggable(main, main->Width() / 3, frame + 2));
    EXPECT_TRUE(Draggable(dialog, dialog->Width() / 3, frame + 2));
    ws.Modal().Remove(dialog);
    EXPECT_TRUE(Draggable(main, main->Width() / 3, frame + 2));

    SetCapture(main);
    EXPECT_FALSE(Draggable(main, main->Width() / 3, frame + 2));
    ReleaseCapture();
    EXPECT_TRUE(Draggable(main, main->Width() / 3, frame + 2));
}

TEST_F(SystemDragTest, AFormThatIsGoneIsNeverAsked) {
    TForm* f = NewForm();
    f->Show();
    Pump();
    const int id = f->DisplayWindow();
    const auto test = dragDisplay->tests.at(id);
    delete f;
    // A system that asks late (its press was on its way) gets a plain answer, not a crash.
    EXPECT_FALSE(test(10, 5));
}

TEST_F(SystemDragTest, PopupsGetNone) {
    THintWindow hint(nullptr);
    hint.ActivateHint(Rect(10, 10, 110, 30), "hint");
    Pump();
    ASSERT_NE(hint.DisplayWindow(), 0);
    EXPECT_EQ(dragDisplay->tests.count(hint.DisplayWindow()), 0u);
}

// The match page's filter panel through the window: "...", CANCEL, OK, CLEAR, the layout of
// the grid beside the panel, and preset files through the two dialogs.

#include "AppTest.h"

#include "grid/NxGrid.h"
#include "rtl/FormatSettings.h"
#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinXFormButton.h"
#include "table/FilterRanges.h"
#include "table/MatchColumns.h"
#include "ui/Snapshot.h"
#include "ui/StdCtrls.h"

#include <fstream>
#include <functional>

namespace apptest {
namespace {

class FilterPanel : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        saved = FormatSettings;
        FormatSettings.DecimalSeparator = ',';
        std::vector<Match> matches = SampleMatches(10);
        // p1 runs 30..39; two rows are sure of a home win.
        matches[3].p1 = "100";
        matches[7].p1 = "100";
        const std::string answer = AnswerText("VIP", matches);
        service.login = [answer](int, const std::string&) { return Ok(answer); };
        StartWindow();
        TypeLogin("demo", "demo");
        PressLogin();
        ASSERT_EQ(form->FG->RowCount(), 10);
    }
    void TearDown() override {
        FormatSettings = saved;
        AppTest::TearDown();
    }
    TRect BoundsOf(TControl* c) const { return c->BoundsRect(); }
    TFormatSettings saved;
};

TEST_F(FilterPanel, TheFilterButtonExplainsItselfUnderTheMouse) {
    const TPoint p = form->fi->ClientToScreen({form->fi->Width() / 2, form->fi->Height() / 2});
    display->MouseMove(p.X, p.Y);
    Pump();
    display->Advance(Application->HintPause() + 50);
    Pump();
    THintWindow* tip = Application->HintWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->Active());
    EXPECT_EQ(tip->Caption(), "Filter (Ctrl+F)");
}

TEST_F(FilterPanel, OpeningNarrowsTheGridAndCancelGivesItBack) {
    EXPECT_EQ(BoundsOf(form->FG), Rect(0, 21, 801, 567));
    EXPECT_FALSE(form->filter->Visible());
    ClickCentre(form->fi);
    EXPECT_TRUE(form->filter->Visible());
    EXPECT_FALSE(form->fi->Enabled());
    EXPECT_FALSE(form->FG->Enabled());
    EXPECT_FALSE(form->FG5->Enabled());
    EXPECT_EQ(BoundsOf(form->FG), Rect(0, 21, 432, 567));
    EXPECT_EQ(BoundsOf(form->filter), Rect(432, 21, 801, 567));

    ClickCentre(form->spSkinXFormButton4); // CANCEL
    EXPECT_FALSE(form->filter->Visible());
    EXPECT_TRUE(form->fi->Enabled());
    EXPECT_TRUE(form->FG->Enabled());
    EXPECT_TRUE(form->FG5->Enabled());
    EXPECT_TRUE(form->FG->Visible());
    EXPECT_EQ(BoundsOf(form->FG), Rect(0, 21, 801, 567));
}

// The panel as it is drawn on the window, the mouse away from it and every hover faded.
TBitmap PanelPicture(TForm1* form, HeadlessDisplay* display) {
    const TPoint away = form->spSkinPanel1->ClientToScreen({100, 10});
    display->MouseMove(away.X, away.Y);
    for (int i = 0; i < 20; ++i) {
        display->Advance(50);
        Application->ProcessMessages();
    }
    TBitmap picture;
    EXPECT_TRUE(SnapshotControl(form->filter, picture));
    return picture;
}

int DifferentPixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int differ = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) differ += a.ScanLine(y)[x] != b.ScanLine(y)[x];
    return differ;
}

// Every opening draws the whole panel, not only the first: after CANCEL and after OK the
// grid has drawn where the panel's controls lie, and those pixels must not show through.
TEST_F(FilterPanel, EveryOpeningDrawsThePanelWhole) {
    ClickCentre(form->fi);
    const TBitmap first = PanelPicture(form, display);
    ASSERT_GT(first.Width(), 0);
    ClickCentre(form->spSkinXFormButton4); // CANCEL
    ClickCentre(form->fi);
    EXPECT_EQ(DifferentPixels(PanelPicture(form, display), first), 0) << "after CANCEL";
    ClickCentre(form->spSkinXFormButton3); // OK
    ClickCentre(form->fi);
    EXPECT_EQ(DifferentPixels(PanelPicture(form, display), first), 0) << "after OK";
    ClickCentre(form->spSkinXFormButton4);
    ClickCentre(form->fi);
    EXPECT_EQ(DifferentPixels(PanelPicture(form, display), first), 0) << "third time";
}

TEST_F(FilterPanel, OkShowsTheMatchingRowsInTheSecondGrid) {
    ClickCentre(form->fi);
    form->f[6]->SetValue(99);              // p1 from 99
    ClickCentre(form->spSkinXFormButton3); // OK
    EXPECT_FALSE(form->filter->Visible());
    EXPECT_TRUE(form->FG5->Visible());
    EXPECT_TRUE(form->FG5->Enabled());
    EXPECT_FALSE(form->FG->Visible());
    EXPECT_FALSE(form->FG->Enabled());
    EXPECT_TRUE(form->fi->Enabled());
    ASSERT_EQ(form->FG5->RowCount(), 2);
    EXPECT_EQ(WideToAnsi(form->FG5->CellText(mcHome, 0)), "Home 3");
    EXPECT_EQ(WideToAnsi(form->FG5->CellText(mcHome, 1)), "Home 7");
    EXPECT_EQ(form->fcount->Caption(), CountText(2));
    EXPECT_EQ(BoundsOf(form->FG5), Rect(0, 21, 801, 567));
    EXPECT_EQ(form->FG->RowCount(), 10) << "the full list is never changed";

    // "..." from the filtered view narrows FG5; CANCEL keeps it on show with its rows.
    ClickCentre(form->fi);
    EXPECT_EQ(BoundsOf(form->FG5), Rect(0, 21, 432, 567));
    ClickCentre(form->spSkinXFormButton4);
    EXPECT_TRUE(form->FG5->Visible());
    EXPECT_EQ(form->FG5->RowCount(), 2);
}

TEST_F(FilterPanel, ClearPutsTheStartingBoundsBackWithoutFilteringAgain) {
    ClickCentre(form->fi);
    form->f[6]->SetValue(99);
    form->f[0]->SetValue(2.5);
    form->f[19]->SetValue(7);
    ClickCentre(form->spSkinXFormButton3);
    ASSERT_EQ(form->FG5->RowCount(), 0);
    ClickCentre(form->fi);
    ClickCentre(form->spSkinButton1); // CLEAR
    for (int i = 0; i < kFilterValueCount; ++i)
        EXPECT_DOUBLE_EQ(form->f[size_t(i)]->Value(), kFilterEdits[size_t(i)].StartValue) << i;
    EXPECT_EQ(form->FG5->RowCount(), 0);
    ClickCentre(form->spSkinXFormButton3);
    EXPECT_EQ(form->FG5->RowCount(), 10);
    EXPECT_EQ(form->fcount->Caption(), CountText(10));
}

TEST_F(FilterPanel, AnEmptyListFiltersToAnEmptyGrid) {
    Application->Reset();
    service.login = [](int, const std::string&) { return Ok(AnswerText("S", {})); };
    StartWindow();
    TypeLogin("demo", "demo");
    PressLogin();
    ClickCentre(form->fi);
    ClickCentre(form->spSkinXFormButton3);
    EXPECT_EQ(form->FG5->RowCount(), 0);
    EXPECT_EQ(form->fcount->Caption(), CountText(0));
}

// SAVE and LOAD stay hidden on the panel; their handlers run the two dialogs.
TEST_F(FilterPanel, PresetsGoThroughTheDialogs) {
    EXPECT_FALSE(form->spSkinXFormButton1->Visible());
    EXPECT_FALSE(form->spSkinXFormButton5->Visible());
    ClickCentre(form->fi);
    form->f[6]->SetValue(50.5);
    form->f[0]->SetValue(1.25);

    // Save: the dialog titled "Save file" gets a name without the extension, which is kept.
    AnsiString title;
    Application->OnIdle = [&](TObject*, bool&) {
        TCustomForm* active = Screen->ActiveForm();
        if (!active || active == form || !active->Modal()) return;
        if (title.empty()) {
            title = active->Caption();
            display->Type("mine");
            display->KeyPress(VK_RETURN);
        } else if (active->ModalResult() == mrNone) {
            boxes.push_back(BoxText(active));
            active->SetModalResult(mrOk);
        }
    };
    form->spSkinXFormButton5Click(form->spSkinXFormButton5);
    EXPECT_EQ(title, "Save file");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], Utf8ToAnsi("Файл успешно сохранен!"));
    ASSERT_TRUE(fs::exists(workDir / "mine"));
    std::ifstream in(workDir / "mine", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text.substr(0, 18), "1,25\r\n1000\r\n1,01\r\n");
    EXPECT_NE(text.find("\r\n50,5\r\n100\r\n"), std::string::npos);

    // Load: CLEAR first, then the dialog titled "Open skin" brings the values back.
    ClickCentre(form->spSkinButton1);
    EXPECT_DOUBLE_EQ(form->f[6]->Value(), 0);
    title.clear();
    Application->OnIdle = [&](TObject*, bool&) {
        TCustomForm* active = Screen->ActiveForm();
        if (!active || active == form || !active->Modal() || !title.empty()) return;
        title = active->Caption();
        display->Type("mine");
        display->KeyPress(VK_RETURN);
    };
    form->spSkinXFormButton1Click(form->spSkinXFormButton1);
    EXPECT_EQ(title, "Open skin");
    EXPECT_DOUBLE_EQ(form->f[6]->Value(), 50.5);
    EXPECT_DOUBLE_EQ(form->f[0]->Value(), 1.25);

    // Cancelling either dialog changes nothing and shows nothing.
    Application->OnIdle = [&](TObject*, bool&) {
        TCustomForm* active = Screen->ActiveForm();
        if (active && active != form && active->Modal()) display->KeyPress(VK_ESCAPE);
    };
    boxes.clear();
    form->spSkinXFormButton5Click(form->spSkinXFormButton5);
    form->spSkinXFormButton1Click(form->spSkinXFormButton1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_DOUBLE_EQ(form->f[6]->Value(), 50.5);
}

// A file that cannot be written shows the error and no success; a short file sets the bounds
// it has and says which line was missing.
TEST_F(FilterPanel, PresetFailuresShowTheErrorBox) {
    const std::string tooLong(300, 'n'); // longer than any file name may be
    Application->OnIdle = [&](TObject*, bool&) {
        TCustomForm* active = Screen->ActiveForm();
        if (!active || active == form || !active->Modal() || active->ModalResult() != mrNone)
            return;
        if (active->Caption() == "Save file" || active->Caption() == "Open skin") {
            display->Type(active->Caption() == "Save file" ? tooLong : "short.brelvan");
            display->KeyPress(VK_RETURN);
        } else {
            boxes.push_back(BoxText(active));
            active->SetModalResult(mrOk);
        }
    };
    // The buttons are hidden, so the handlers run from code; what escapes them reaches the
    // standard error box as it does from a click.
    TForm1* window = form;
    auto run = [window](const std::function<void()>& handler) {
        try {
            handler();
        } catch (...) {
            Application->HandleException(window);
        }
    };
    run([window] { window->spSkinXFormButton5Click(window->spSkinXFormButton5); });
    ASSERT_EQ(boxes.size(), 1u); // the error only, no success
    EXPECT_EQ(boxes[0].rfind("Cannot create file \"", 0), 0u) << boxes[0];

    std::ofstream(workDir / "short.brelvan", std::ios::binary) << "2,5\r\n999\r\n";
    boxes.clear();
    run([window] { window->spSkinXFormButton1Click(window->spSkinXFormButton1); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "List index out of bounds (2)");
    EXPECT_DOUBLE_EQ(form->f[0]->Value(), 2.5);
    EXPECT_DOUBLE_EQ(form->f[1]->Value(), 999);
    EXPECT_DOUBLE_EQ(form->f[2]->Value(), 1.01); // not reached: as it was
}

} // namespace
} // namespace apptest

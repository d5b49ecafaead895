// The form's way to the desktop's status area and back, with a status area the test plays:
// what the icon carries, hiding and showing the form, the icon's events arriving on another
// thread, the menu, closing (asked, refused, allowed) and a desktop without a status area.
#include "FrameTestFixture.h"

#include "skin/SkinMenu.h"
#include "skin/SkinMenuWindow.h"
#include "skin/SkinTray.h"

#include <thread>

namespace {

// The status area the test plays: it keeps what it was given and can report like a real one,
// from a thread of its own.
struct FakeStatusArea {
    bool present = true;
    int shown = 0;
    int removed = 0;
    TrayIconContent content;
    TrayEventHandler onEvent;

    class Icon : public TrayIcon {
    public:
        explicit Icon(FakeStatusArea& area) : m_area(area) {}
        ~Icon() override {
            ++m_area.removed;
            m_area.onEvent = nullptr;
        }
        std::string Protocol() const override { return "fake"; }

    private:
        FakeStatusArea& m_area;
    };

    std::unique_ptr<TrayIcon> Open(const TrayIconContent& c, TrayEventHandler handler,
                                   std::string& why) {
        if (!present) {
            why = "nothing here";
            return nullptr;
        }
        ++shown;
        content = c;
        onEvent = std::move(handler);
        return std::make_unique<Icon>(*this);
    }

    // Reports as the module does: on another thread.
    void Report(TrayAction action, int item = 0) {
        TrayEventHandler handler = onEvent;
        ASSERT_TRUE(handler) << "no icon is shown";
        std::thread([handler, action, item] { handler(TrayEvent{action, item, 5, 6}); }).join();
    }
};

class TrayTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        SetTrayIconOpener([this](const TrayIconContent& c, TrayEventHandler h, std::string& why) {
            return area.Open(c, std::move(h), why);
        });
        ResetNoStatusAreaNotice();
        WearProgramSkin();
        frame->SetBorderIcons(biSystemMenu | biMinimize | biMinimizeToTray);
        form->SetBounds(120, 140, 400, 300);
        Pump();
    }
    void TearDown() override {
        FrameTest::TearDown();
        SetTrayIconOpener(nullptr);
    }
    const HeadlessDisplay::Window* Shown() const {
        return display->FindWindow(form->DisplayWindow());
    }
    TspSkinTray* Tray() const { return TspSkinTray::Find(frame); }

    FakeStatusArea area;
};

} // namespace

TEST_F(TrayTest, TheIconCarriesTheWindowsTitleIconAndMenu) {
    TBitmap icon(32, 32);
    icon.Fill(TColor(0x2040C0)); // TColor is 0x00BBGGRR
    form->SetIcon(icon);
    form->SetCaption("Brelvan - matches");
    frame->MinimizeToTray();
    ASSERT_EQ(area.shown, 1);
    EXPECT_EQ(area.content.title, "Brelvan - matches");
    EXPECT_EQ(area.content.toolTip, "Brelvan - matches");
    EXPECT_FALSE(area.content.id.empty());
    // Several sizes of the form's own icon, opaque, in 0xAARRGGBB.
    ASSERT_GE(area.content.pictures.size(), 3u);
    for (const TrayPicture& p : area.content.pictures) {
        EXPECT_EQ(p.width, p.height);
        ASSERT_EQ(p.argb.size(), size_t(p.width) * p.height);
        EXPECT_EQ(p.argb[p.argb.size() / 2], 0xFFC04020u) << p.width;
    }
    ASSERT_EQ(area.content.menu.size(), 3u);
    EXPECT_EQ(area.content.menu[0].caption, "&Restore");
    EXPECT_EQ(area.content.menu[1].caption, "-");
    EXPECT_EQ(area.content.menu[2].caption, "&Close");
    EXPECT_NE(area.content.menu[0].id, area.content.menu[2].id);
}

TEST_F(TrayTest, WithoutAnIconOfItsOwnTheApplicationsStandsForTheForm) {
    TBitmap appIcon(16, 16);
    appIcon.Fill(TColor(0x00FF00));
    Application->SetIcon(appIcon);
    frame->MinimizeToTray();
    ASSERT_FALSE(area.content.pictures.empty());
    EXPECT_EQ(area.content.pictures[0].argb[0], 0xFF00FF00u);
}

TEST_F(TrayTest, GoingToTheTrayHidesTheFormAndAClickBringsItBackWhereItWasActive) {
    int minimized = 0, restored = 0;
    frame->OnMinimize = [&](TObject*) { ++minimized; };
    frame->OnRestore = [&](TObject*) { ++restored; };
    const TRect before = form->BoundsRect();
    frame->MinimizeToTray();
    Pump();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(Shown() && Shown()->visible) << "the window is off the screen";
    EXPECT_EQ(form->WindowState(), wsNormal) << "hidden, not minimised";
    EXPECT_TRUE(Tray()->InTray());
    EXPECT_EQ(minimized, 1);
    // Going again while there does not make a second icon.
    frame->MinimizeToTray();
    EXPECT_EQ(area.shown, 1);

    area.Report(TrayAction::Activate);
    EXPECT_FALSE(form->Visible()) << "events wait for the loop";
    Pump();
    EXPECT_TRUE(form->Visible());
    ASSERT_TRUE(Shown());
    EXPECT_TRUE(Shown()->visible);
    EXPECT_EQ(form->BoundsRect(), before);
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(display->ActiveWindow(), form->DisplayWindow());
    EXPECT_EQ(area.removed, 1) << "the icon goes with the restore";
    EXPECT_FALSE(Tray()->InTray());
    EXPECT_EQ(restored, 1);
}

TEST_F(TrayTest, TheCaptionButtonsAndTheSystemMenuGoThere) {
    frame->RunCommand(cmMinimizeToTray);
    EXPECT_TRUE(Tray()->InTray());
    Tray()->Restore();
    Pump();
    frame->SetAlwaysMinimizeToTray(true);
    frame->RunCommand(cmMinimize);
    EXPECT_TRUE(Tray()->InTray()) << "minimise goes to the tray with AlwaysMinimizeToTray";
    EXPECT_EQ(area.shown, 2);
    Tray()->Restore();
    Pump();
    TspSkinPopupMenu menu(nullptr);
    frame->BuildSystemMenu(menu);
    const int index = menu.IndexOfName("DSF_MINTOTRAY");
    ASSERT_GE(index, 0);
    menu.Items(index).OnClick();
    EXPECT_TRUE(Tray()->InTray());
}

TEST_F(TrayTest, TheStatusAreasMenuRestoresOrClosesAndAFormThatRefusesStaysInTheTray) {
    frame->MinimizeToTray();
    const int restore = area.content.menu[0].id, close = area.content.menu[2].id;
    area.Report(TrayAction::MenuItem, restore);
    Pump();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(Tray()->InTray());

    frame->MinimizeToTray();
    allowClose = false;
    area.Report(TrayAction::MenuItem, area.content.menu[2].id);
    Pump();
    EXPECT_EQ(closeQueries, 1) << "the form is asked, as by its close button";
    EXPECT_TRUE(Tray()->InTray()) << "a form that refuses keeps its icon";
    EXPECT_FALSE(Application->Terminated());
    // A separator or an id the menu does not have does nothing.
    area.Report(TrayAction::MenuItem, area.content.menu[1].id);
    area.Report(TrayAction::MenuItem, 99);
    Pump();
    EXPECT_TRUE(Tray()->InTray());

    allowClose = true;
    area.Report(TrayAction::MenuItem, close);
    Pump();
    EXPECT_EQ(closeQueries, 2);
    EXPECT_TRUE(Application->Terminated()) << "closing the main form ends the program";
    EXPECT_FALSE(Tray()->InTray());
    EXPECT_EQ(area.removed, 2);
}

TEST_F(TrayTest, AnotherFormClosedFromTheTrayGoesAsItsCloseActionSays) {
    auto* other = Application->CreateForm<TForm>();
    other->SetBounds(50, 60, 300, 200);
    auto* otherFrame = MakeFrame(other);
    otherFrame->SetBorderIcons(biSystemMenu | biMinimizeToTray);
    other->Show();
    Pump();
    int closes = 0;
    other->OnClose = [&](TObject*, TCloseAction& action) {
        ++closes;
        action = caNone; // the form keeps itself open once
    };
    otherFrame->MinimizeToTray();
    TspSkinTray* tray = TspSkinTray::Find(otherFrame);
    ASSERT_TRUE(tray && tray->InTray());
    tray->CloseForm();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(tray->InTray()) << "a close action of caNone refuses";
    other->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    tray->CloseForm();
    EXPECT_EQ(closes, 2);
    EXPECT_FALSE(tray->InTray());
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(Application->Terminated());
    // The form's own close handler is its own again.
    TCloseAction action = caHide;
    other->OnClose(other, action);
    EXPECT_EQ(closes, 3);
}

TEST_F(TrayTest, ARightClickOpensTheSkinnedTrayMenuAtThePointer) {
    frame->MinimizeToTray();
    display->MouseMove(700, 500);
    area.Report(TrayAction::ContextMenu);
    Pump();
    TspSkinPopupMenu* menu = Tray()->Menu();
    ASSERT_TRUE(menu->Shown());
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_EQ(menu->Items(0).Name, "TRAY_DSF_RESTORE");
    EXPECT_EQ(menu->Items(0).Caption, "&Restore");
    EXPECT_TRUE(menu->Items(1).IsSeparator());
    EXPECT_EQ(menu->Items(2).Name, "TRAY_DSF_CLOSE");
    EXPECT_EQ(menu->Items(2).Caption, "&Close");
    const TRect at = menu->Window()->BoundsRect();
    EXPECT_LE(std::abs(at.Left - 700), 1);
    EXPECT_LE(std::abs(at.Top - 500), 1);
    // The menu is built once: the same one the next time.
    menu->CloseUp();
    Pump();
    area.Report(TrayAction::ContextMenu);
    Pump();
    EXPECT_EQ(Tray()->Menu(), menu);
    EXPECT_EQ(menu->Count(), 3);
    // Choosing Restore in it brings the form back.
    menu->CloseUp();
    Pump();
    menu->Items(0).OnClick();
    Pump();
    EXPECT_TRUE(form->Visible());
}

TEST_F(TrayTest, AStatusAreaThatGoesAwayGivesTheWindowBack) {
    frame->MinimizeToTray();
    area.Report(TrayAction::Lost);
    Pump();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(Tray()->InTray());
}

TEST_F(TrayTest, EventsOfAnEarlierIconAreDropped) {
    frame->MinimizeToTray();
    TrayEventHandler first = area.onEvent;
    Tray()->Restore();
    frame->MinimizeToTray();
    // A click on the first icon reported late must not bring the window back now.
    std::thread([first] { first(TrayEvent{TrayAction::Activate, 0, 0, 0}); }).join();
    Pump();
    EXPECT_TRUE(Tray()->InTray());
    EXPECT_FALSE(form->Visible());
}

TEST_F(TrayTest, EventsReportedAfterTheFormIsGoneAreHarmless) {
    frame->MinimizeToTray();
    TrayEventHandler handler = area.onEvent;
    delete form; // takes the frame and its tray with it, and the icon
    form = nullptr;
    EXPECT_EQ(area.removed, 1);
    std::thread([handler] { handler(TrayEvent{TrayAction::Activate, 0, 0, 0}); }).join();
    Pump();
}

TEST_F(TrayTest, WithoutAStatusAreaTheWindowMinimisesAndTheProgramSaysSoOnce) {
    area.present = false;
    testing::internal::CaptureStderr();
    frame->MinimizeToTray();
    Pump();
    EXPECT_EQ(form->WindowState(), wsMinimized);
    EXPECT_TRUE(form->Visible()) << "minimised, not hidden: it must stay reachable";
    EXPECT_FALSE(Tray()->InTray());
    form->SetWindowState(wsNormal);
    frame->MinimizeToTray();
    Pump();
    EXPECT_EQ(form->WindowState(), wsMinimized);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no status area on this desktop"), std::string::npos) << said;
    EXPECT_NE(said.find("nothing here"), std::string::npos) << "the reason is given";
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

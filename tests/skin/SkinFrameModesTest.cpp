// The frame's other modes: a form that is not the main one parks when minimised, a frame
// without its non-client area moves the window by the client area (DraggAble) and places
// controls on the skin's areas, and roll-up heights belong to each frame.
#include "FrameTestFixture.h"

#include "skin/SkinAware.h"
#include "ui/CustomControl.h"
#include "ui/StdCtrls.h"

namespace {

// A control that asks to be placed on the skin area named "logo".
class AreaControl : public TCustomControl, public TspSkinAware {
public:
    AreaControl(TComponent* owner, TspSkinData* store) : TCustomControl(owner), m_store(store) {}
    TspSkinData* SkinData() const override { return m_store; }
    void PrepareSkinChange() override {}
    void ApplySkinChange() override {}
    std::string SkinAreaName() const override { return "logo"; }

private:
    TspSkinData* m_store;
};

} // namespace

TEST_F(FrameTest, AFormThatIsNotTheMainOneParksAndComesBack) {
    WearProgramSkin();
    auto* other = Application->CreateForm<TForm>();
    other->SetBounds(300, 200, 420, 320);
    auto* otherFrame = MakeFrame(other);
    otherFrame->SetSkinData(store);
    int minimised = 0;
    otherFrame->OnMinimize = [&](TObject*) { ++minimised; };
    other->Show();
    Pump();
    otherFrame->MinimizeWindow();
    Pump();
    const TRect work = Screen->WorkAreaRect();
    EXPECT_TRUE(otherFrame->Parked());
    EXPECT_EQ(otherFrame->WindowState(), wsMinimized);
    EXPECT_EQ(other->WindowState(), wsNormal); // still on screen, only small
    EXPECT_EQ(other->BoundsRect(), Rect(work.Left, work.Bottom - otherFrame->MinFrameHeight(),
                                        work.Left + otherFrame->MinFrameWidth(), work.Bottom));
    EXPECT_EQ(minimised, 1);
    // The minimise button (now a restore) brings it back where it was.
    otherFrame->MinimizeWindow();
    Pump();
    EXPECT_FALSE(otherFrame->Parked());
    EXPECT_EQ(other->BoundsRect(), Rect(300, 200, 720, 520));
    // The main form minimises as a window does.
    frame->MinimizeWindow();
    Pump();
    EXPECT_EQ(form->WindowState(), wsMinimized);
    EXPECT_FALSE(frame->Parked());
}

TEST_F(FrameTest, TwoParkedFormsLieSideBySide) {
    WearProgramSkin();
    std::vector<TspSkinFrame*> frames;
    for (int i = 0; i < 2; ++i) {
        auto* other = Application->CreateForm<TForm>();
        other->SetBounds(200 + 40 * i, 150, 420, 320);
        frames.push_back(MakeFrame(other));
        frames.back()->SetSkinData(store);
        other->Show();
        Pump();
        frames.back()->MinimizeWindow();
    }
    EXPECT_EQ(frames[1]->Form()->Left(), frames[0]->Form()->Left() + frames[0]->MinFrameWidth());
    delete frames[0]->Form(); // a parked form that goes leaves its place
    Pump();
    auto* third = Application->CreateForm<TForm>();
    third->SetBounds(100, 100, 420, 320);
    auto* thirdFrame = MakeFrame(third);
    thirdFrame->SetSkinData(store);
    third->Show();
    thirdFrame->MinimizeWindow();
    EXPECT_EQ(third->Left(), frames[1]->Form()->Left());
}

TEST_F(FrameTest, ADraggableFrameMovesTheWindowByItsEmptyClientArea) {
    WearProgramSkin(false);
    frame->SetSupportNCArea(false);
    frame->SetDraggAble(true);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 24);
    form->Show();
    Pump();
    auto hit = [&](int x, int y) {
        return form->Perform(WM_NCHITTEST, 0, PointToLParam(form->ClientToScreen({x, y})));
    };
    EXPECT_EQ(hit(200, 150), HTCAPTION);
    EXPECT_EQ(button->Perform(WM_NCHITTEST, 0, PointToLParam(button->ClientToScreen({5, 5}))),
              HTCLIENT);
    // A real drag of the client area moves the window.
    const int left = form->Left(), top = form->Top();
    const TPoint start = form->ClientToScreen({200, 150});
    display->MouseMove(start.X, start.Y);
    display->MouseDown(1);
    Pump();
    display->MouseMove(start.X + 30, start.Y + 20);
    Pump();
    display->MouseUp(1);
    Pump();
    EXPECT_EQ(form->Left(), left + 30);
    EXPECT_EQ(form->Top(), top + 20);
    // Not draggable, or with the non-client area: the client area is the client's.
    frame->SetDraggAble(false);
    EXPECT_EQ(hit(200, 150), HTCLIENT);
}

TEST_F(FrameTest, WithoutTheNonClientAreaControlsSitOnTheirSkinAreas) {
    const std::string description = skintest::MinimalDescription() +
                                    "[SKINAREAS]\r\ncount=2\r\n0=logo:115,20,140,40\r\n1=empty\r\n";
    TspSkinData* areas = StoreWith(description, skintest::SolidBitmap(150, 107, clNavy), nullptr,
                                   {skintest::SolidBitmap(23, 39, clRed)});
    frame = MakeFrame();
    frame->SetSupportNCArea(false);
    form->SetClientWidth(150);
    form->SetClientHeight(107);
    auto* logo = new AreaControl(form, areas);
    logo->SetParent(form);
    logo->SetAlign(alBottom);
    frame->SetSkinData(areas);
    form->Show();
    Pump();
    EXPECT_EQ(logo->Align(), alNone);
    EXPECT_EQ(logo->BoundsRect(), Rect(115, 20, 140, 40));
    // Right of the frame picture's right-hand slicing point: it moves with the width.
    form->SetClientWidth(200);
    Pump();
    EXPECT_EQ(logo->BoundsRect(), Rect(165, 20, 190, 40));
}

TEST_F(FrameTest, EachFrameRemembersItsOwnRollUpHeight) {
    WearProgramSkin();
    frame->SetBorderIcons(biSystemMenu | biMinimize | biRollUp);
    auto* other = Application->CreateForm<TForm>();
    other->SetBounds(300, 200, 420, 360);
    auto* otherFrame = MakeFrame(other);
    otherFrame->SetBorderIcons(biSystemMenu | biRollUp);
    otherFrame->SetSkinData(store);
    other->Show();
    Pump();
    const int formHeight = form->Height(), otherHeight = other->Height();
    frame->RollUpWindow(true);
    otherFrame->RollUpWindow(true);
    frame->RollUpWindow(false);
    otherFrame->RollUpWindow(false);
    EXPECT_EQ(form->Height(), formHeight);
    EXPECT_EQ(other->Height(), otherHeight);
}

// The skinned frame with the program's skin: size limits, the client area, where the frame
// objects sit, what a point of the frame means, the window's shape, and the relay of skin
// changes to the form's controls.
#include "FrameTestFixture.h"

#include "skin/SkinAware.h"
#include "skin/SkinMessages.h"

#include <string>
#include <vector>

TEST_F(FrameTest, TheProgramSkinKeepsTheWindowAtLeast170By44) {
    WearProgramSkin();
    EXPECT_EQ(frame->MinFrameWidth(), 170);
    EXPECT_EQ(frame->MinFrameHeight(), 44);
    TMinMaxInfo info;
    form->Perform(WM_GETMINMAXINFO, 0, LPARAM(&info));
    EXPECT_EQ(info.ptMinTrackSize, Point(170, 44));
    EXPECT_EQ(info.ptMaxTrackSize, Point(1280, 1024 - 40)) << "the work area";
    // Asked to become smaller, it keeps the minimum on each side that is too small.
    form->SetBounds(form->Left(), form->Top(), 60, 20);
    EXPECT_EQ(form->Width(), 170);
    EXPECT_EQ(form->Height(), 44);
    form->SetBounds(form->Left(), form->Top(), 500, 30);
    EXPECT_EQ(form->Width(), 500);
    EXPECT_EQ(form->Height(), 44);
    // Limits of the frame's own properties cap the maximum.
    frame->SetMaxWidth(900);
    frame->SetMaxHeight(700);
    form->Perform(WM_GETMINMAXINFO, 0, LPARAM(&info));
    EXPECT_EQ(info.ptMaxTrackSize, Point(900, 700));
}

TEST_F(FrameTest, TheClientAreaIsTheWindowInsetBy9_34_9_10) {
    WearProgramSkin();
    EXPECT_TRUE(frame->Skinned());
    EXPECT_EQ(form->ClientRectInWindow(), Rect(9, 34, 391, 290));
    // The main window's client size gives its window size.
    form->SetClientWidth(803);
    form->SetClientHeight(589);
    EXPECT_EQ(form->Width(), 821);
    EXPECT_EQ(form->Height(), 633);
    EXPECT_EQ(form->ClientRectInWindow(), Rect(9, 34, 812, 623));
    EXPECT_EQ(frame->Geometry().ClientRect, Rect(9, 34, 812, 623));
}

TEST_F(FrameTest, ApplyingASkinWidensANarrowWindowAndFixesOneTooSmallInOneStep) {
    std::vector<TSize> sizes;
    form->OnResize = [&](TObject*) { sizes.push_back({form->Width(), form->Height()}); };
    form->SetBounds(100, 100, 120, 300);
    sizes.clear();
    WearProgramSkin(false);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.front(), (TSize{170, 300})) << "first widened";
    EXPECT_EQ(form->Width(), 170);

    // Both sides short: one resize to the minimum.
    TForm* other = Application->CreateForm<TForm>();
    other->SetBounds(0, 0, 100, 30);
    std::vector<TSize> otherSizes;
    other->OnResize = [&](TObject*) { otherSizes.push_back({other->Width(), other->Height()}); };
    TspSkinFrame* second = MakeFrame(other);
    second->SetSkinData(store);
    ASSERT_FALSE(otherSizes.empty());
    EXPECT_EQ(otherSizes.front(), (TSize{170, 44}));
}

TEST_F(FrameTest, MinimiseSitsDirectlyLeftOfCloseThreePixelsApart) {
    WearProgramSkin();
    const int dx = 400 - 150;
    TspSkinStdButtonObject* close = Button("closebutton");
    TspSkinStdButtonObject* min = Button("minbutton");
    TspSkinStdButtonObject* max = Button("maxbutton");
    TspSkinStdButtonObject* sys = Button("sysmenubutton");
    ASSERT_TRUE(close && min && max && sys);
    EXPECT_EQ(close->ObjectRect, Rect(120 + dx, 8, 143 + dx, 21));
    EXPECT_EQ(min->ObjectRect, Rect(94 + dx, 8, 117 + dx, 21));
    EXPECT_EQ(close->ObjectRect.Left - min->ObjectRect.Right, 3);
    // The hidden maximise button leaves no gap, and can be neither seen nor used.
    EXPECT_FALSE(max->Visible);
    EXPECT_FALSE(max->Enabled);
    EXPECT_EQ(sys->ObjectRect, Rect(7, 6, 23, 22)) << "the icon, centred on the caption row";
    ASSERT_NE(frame->TitleCaption(), nullptr);
    EXPECT_EQ(frame->TitleCaption()->ObjectRect.Left, 23);
    EXPECT_EQ(frame->TitleCaption()->ObjectRect.Right, 94 + dx);
    // The row follows the window's width.
    form->SetWidth(700);
    EXPECT_EQ(close->ObjectRect, Rect(120 + 550, 8, 143 + 550, 21));
    EXPECT_EQ(min->ObjectRect.Right, close->ObjectRect.Left - 3);
    // With maximise allowed it takes the place next to close.
    frame->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    max = Button("maxbutton");
    min = Button("minbutton");
    close = Button("closebutton");
    EXPECT_TRUE(max->Visible);
    EXPECT_EQ(max->ObjectRect.Right, close->ObjectRect.Left - 3);
    EXPECT_EQ(min->ObjectRect.Right, max->ObjectRect.Left - 3);
}

TEST_F(FrameTest, EveryPointOfTheFrameHasItsMeaning) {
    WearProgramSkin();
    const TRect client{9, 34, 391, 290};
    const TRect caption{23, 8, 344, 21};
    const TRect buttons[] = {{370, 8, 393, 21}, {344, 8, 367, 21}, {7, 6, 23, 22}};
    auto expected = [&](TPoint p) {
        if (!Rect(0, 0, 400, 300).Contains(p)) return HTNOWHERE;
        if (client.Contains(p)) return HTCLIENT;
        for (const TRect& b : buttons)
            if (b.Contains(p)) return HTOBJECT;
        if (caption.Contains(p)) return HTCAPTION;
        return HTOBJECT;
    };
    std::vector<TPoint> points;
    for (int y = -3; y < 306; y += 7)
        for (int x = -3; x < 406; x += 7) points.push_back({x, y});
    for (TPoint edge : {TPoint{8, 34},
                        {9, 33},
                        {9, 34},
                        {390, 289},
                        {391, 289},
                        {390, 290},
                        {22, 14},
                        {23, 14},
                        {343, 14},
                        {344, 14},
                        {367, 14},
                        {369, 14},
                        {370, 14},
                        {392, 20},
                        {393, 20},
                        {200, 7},
                        {200, 8},
                        {200, 21}})
        points.push_back(edge);
    int wrong = 0;
    for (TPoint p : points) {
        TPoint s = OnScreen(p.X, p.Y);
        int got = int(form->Perform(WM_NCHITTEST, 0, PointToLParam(s)));
        if (got != expected(p) && ++wrong < 10)
            ADD_FAILURE() << "(" << p.X << ", " << p.Y << "): " << got << " expected "
                          << expected(p);
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(FrameTest, ASizeableFrameAnswersTheBorderCodes) {
    WearProgramSkin();
    frame->SetSizeable(true);
    EXPECT_EQ(frame->HitTest({2, 150}), HTLEFT);
    EXPECT_EQ(frame->HitTest({397, 150}), HTRIGHT);
    EXPECT_EQ(frame->HitTest({200, 1}), HTTOP);
    EXPECT_EQ(frame->HitTest({200, 298}), HTBOTTOM);
    EXPECT_EQ(frame->HitTest({3, 3}), HTTOPLEFT);
    EXPECT_EQ(frame->HitTest({396, 296}), HTBOTTOMRIGHT);
    EXPECT_EQ(frame->HitTest({6, 6}), HTOBJECT) << "the mask's rounded corner is not the edge";
    EXPECT_EQ(frame->HitTest({200, 14}), HTCAPTION);
    EXPECT_EQ(frame->HitTest({200, 150}), HTCLIENT);
    EXPECT_EQ(frame->HitTest({380, 14}), HTOBJECT) << "the close button comes first";
}

TEST_F(FrameTest, TheRegionAt821By633CutsTheCornersAndKeepsTheClientAreaWhole) {
    WearProgramSkin();
    form->SetClientWidth(803);
    form->SetClientHeight(589);
    Pump();
    const TRegion& region = frame->WindowRegion();
    ASSERT_FALSE(region.IsEmpty());
    for (TPoint corner : {TPoint{0, 0}, {820, 0}, {0, 632}, {820, 632}, {1, 1}, {819, 631}})
        EXPECT_FALSE(region.Contains(corner)) << corner.X << ", " << corner.Y;
    for (TPoint inside : {TPoint{410, 0}, {0, 300}, {820, 300}, {410, 632}, {8, 8}, {812, 624}})
        EXPECT_TRUE(region.Contains(inside)) << inside.X << ", " << inside.Y;
    const TRect client{9, 34, 812, 623};
    EXPECT_EQ(region.Intersected(client), TRegion(client));
    EXPECT_EQ(region.Bounds(), Rect(0, 0, 821, 633));
    // The display window wears the same shape.
    const HeadlessDisplay::Window* w = display->FindWindow(form->DisplayWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->shape.size(), region.Rects().size());
}

TEST_F(FrameTest, TheFramePaintsThePictureAndTheClientBackgroundTilesItsClientPart) {
    WearProgramSkin();
    const TBitmap* picture = store->SkinPicture();
    // The top-left corner comes 1:1 from the picture, the caption bar's middle is tiled.
    EXPECT_EQ(Pixel(30, 30), picture->PixelColor(30, 30) & 0xFFFFFF);
    EXPECT_EQ(Pixel(3, 60), picture->PixelColor(3, 60) & 0xFFFFFF);
    EXPECT_EQ(Pixel(396, 298), picture->PixelColor(146, 105) & 0xFFFFFF);
    EXPECT_EQ(Pixel(100, 150), picture->PixelColor(20, 60) & 0xFFFFFF) << "client background";
    // The caption text is on the caption bar, in the active colour.
    ASSERT_NE(frame->TitleCaption(), nullptr);
    EXPECT_EQ(frame->TitleCaption()->Text, "Brelvan");
    bool text = false;
    for (int y = 8; y < 21; ++y)
        for (int x = 26; x < 80; ++x)
            if (Pixel(x, y) != (picture->PixelColor(60, y) & 0xFFFFFF)) text = true;
    EXPECT_TRUE(text);
}

TEST_F(FrameTest, TheCaptionFollowsTheWindowText) {
    WearProgramSkin();
    form->SetCaption("Brelvan - subscription until 31.12");
    EXPECT_EQ(frame->TitleCaption()->Text, "Brelvan - subscription until 31.12");
    const HeadlessDisplay::Window* w = display->FindWindow(form->DisplayWindow());
    EXPECT_EQ(w->title, "Brelvan - subscription until 31.12") << "the task bar's title";
}

namespace {
std::vector<std::string> g_relay;

// A control (or component) of any framework class that follows the skin, logging the relay.
template <class Base> class Aware : public Base, public TspSkinAware {
public:
    Aware(TComponent* owner, std::string name, TspSkinData* store)
        : Base(owner), m_name(std::move(name)), m_store(store) {}
    TspSkinData* SkinData() const override { return m_store; }
    void PrepareSkinChange() override { g_relay.push_back("prepare " + m_name); }
    void ApplySkinChange() override { g_relay.push_back("apply " + m_name); }

private:
    std::string m_name;
    TspSkinData* m_store;
};
using AwareWindow = Aware<TCustomControl>;
using AwareGraphic = Aware<TGraphicControl>;
using AwareComponent = Aware<TComponent>;
} // namespace

TEST_F(FrameTest, ASkinChangeReachesTheControlsDepthFirst) {
    WearProgramSkin();
    TspSkinData* elsewhere = new TspSkinData(form);
    // form: A (B, C (D)), E, F of another store; G a component of the form.
    auto* a = new AwareWindow(form, "A", store);
    a->SetParent(form);
    auto* b = new AwareGraphic(form, "B", store);
    b->SetParent(a);
    auto* c = new TCustomControl(form);
    c->SetParent(a);
    auto* d = new AwareWindow(form, "D", store);
    d->SetParent(c);
    auto* e = new AwareGraphic(form, "E", store);
    e->SetParent(form);
    auto* f = new AwareWindow(form, "F", elsewhere);
    f->SetParent(form);
    new AwareComponent(form, "G", store);
    g_relay.clear();
    store->ApplyStoredSkin(store->CompressedStoredSkin());
    EXPECT_EQ(g_relay, (std::vector<std::string>{"prepare A", "prepare B", "prepare D", "prepare E",
                                                 "prepare G", "apply A", "apply B", "apply D",
                                                 "apply E", "apply G"}));
    EXPECT_TRUE(frame->Skinned()) << "the frame wears the reloaded skin";
    EXPECT_NE(frame->FindObject("closebutton"), nullptr);
    // A message that names no store reaches every one of them.
    g_relay.clear();
    form->Perform(WM_SKINCHANGED, 0, 0);
    EXPECT_EQ(g_relay, (std::vector<std::string>{"apply A", "apply B", "apply D", "apply E",
                                                 "apply F", "apply G"}));
}

TEST_F(FrameTest, RemovingTheFrameGivesTheFormItsOwnFrameBack) {
    WearProgramSkin();
    EXPECT_EQ(form->ClientRectInWindow().Top, 34);
    delete frame;
    frame = nullptr;
    Pump();
    EXPECT_NE(form->ClientRectInWindow().Top, 34);
    EXPECT_TRUE(form->Style() & WS_CAPTION);
    TRegion none;
    EXPECT_FALSE(GetWindowRgn(form, none)) << "no shape left behind";
    // Messages go to the form's own procedure again.
    form->SetCaption("Plain");
    EXPECT_EQ(form->Caption(), "Plain");
}

TEST_F(FrameTest, OnlyAFormCanOwnAFrame) {
    auto* component = new TComponent(form);
    EXPECT_THROW(new TspSkinFrame(component), EInvalidOperation);
}

TEST_F(FrameTest, TheSystemMenuButtonShowsTheWindowIcon) {
    WearProgramSkin();
    TBitmap icon(32, 32);
    icon.Fill(clRed);
    form->SetIcon(icon);
    EXPECT_EQ(Pixel(10, 10), ColorToRGB(clRed)) << "scaled into the icon's place";
    EXPECT_NE(Pixel(24, 10), ColorToRGB(clRed)) << "and no further";
    // The task bar gets the whole picture.
    EXPECT_EQ(display->FindWindow(form->DisplayWindow())->iconWidth, 32);
}

TEST_F(FrameTest, TheFrameIsItsFormsFrameUntilItGoes) {
    WearProgramSkin();
    EXPECT_EQ(form->Frame(), static_cast<TFormFrame*>(frame));
    // A second frame on the same form takes over; the first one going leaves it in place.
    TspSkinFrame* second = MakeFrame();
    EXPECT_EQ(form->Frame(), static_cast<TFormFrame*>(second));
    delete frame;
    frame = nullptr;
    EXPECT_EQ(form->Frame(), static_cast<TFormFrame*>(second));
    EXPECT_FALSE(form->Style() & WS_CAPTION);
    form->SetCaption("Still framed");
    Pump();
    delete second;
    EXPECT_EQ(form->Frame(), nullptr);
    EXPECT_TRUE(form->Style() & WS_CAPTION);
}

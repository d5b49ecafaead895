// Skins the frame cannot wear whole, and no skin at all: the frame falls back to what it can
// do (the default frame, no region, no active look) and never fails.
#include "FrameTestFixture.h"

#include "skin/SkinMessages.h"

namespace {

// A frame description in the program skin's geometry; `objects` is the [SKINOBJECTS] body
// and the sections it names.
std::string Description(const std::string& forminfoExtra, const std::string& objects,
                        bool mask = true) {
    return "[VERSION]\r\nskinname=Test\r\n"
           "[PICTURES]\r\npicture=frame.bmp\r\n" +
           std::string(mask ? "mask=mask.bmp\r\n" : "") +
           "activepicturescount=1\r\n0=buttons.bmp\r\n"
           "[FORMINFO]\r\nclientrect=9,34,141,97\r\nmaskrectarea=4,4,146,103\r\n"
           "lefttoppoint=40,50\r\nrighttoppoint=110,50\r\nleftbottompoint=40,80\r\n"
           "rightbottompoint=110,80\r\nformminwidth=170\r\nbuttonsoffset=3\r\n" +
           forminfoExtra + "[SKINOBJECTS]\r\n" + objects + "[SKINCONTROLS]\r\ncount=0\r\n";
}

const char* const CloseAndCaption =
    "count=2\r\n0=closebutton:stdbutton\r\n1=caption:caption\r\n"
    "[closebutton]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=0,0,23,13\r\n"
    "activeskinrect=0,13,23,26\r\ndownrect=0,26,23,39\r\ncommand=cmclose\r\nmorphing=1\r\n"
    "[caption]\r\nskinrect=7,8,143,21\r\ntextrect=3,0,136,13\r\n";

TBitmap Solid(int w, int h, TColor color, TPixelFormat format = pf24bit) {
    return skintest::SolidBitmap(w, h, color, format);
}

// Black inside, white on the four corner pixels.
TBitmap CornerMask() {
    TBitmap m = Solid(150, 107, clBlack);
    for (TPoint p : {TPoint{0, 0}, {149, 0}, {0, 106}, {149, 106}})
        m.ScanLine(p.Y)[p.X] = 0xFFFFFFFF;
    m.SetPixelFormat(pf1bit);
    return m;
}

} // namespace

class FrameBadInputTest : public FrameTest {
protected:
    TBitmap m_mask = CornerMask();
    void Wear(TspSkinData* s) {
        frame = MakeFrame();
        store = s;
        frame->SetSkinData(store);
        form->Show();
        Pump();
    }
    // Paints the frame off screen and answers a few questions: nothing may fail.
    void Exercise() {
        TBitmap out(form->Width(), form->Height());
        frame->PaintFrame(*out.Canvas());
        frame->PaintClientBackground(*out.Canvas());
        for (int x = 0; x < form->Width(); x += 11) frame->HitTest({x, 14});
        for (int y = 0; y < form->Height(); y += 11) frame->HitTest({200, y});
        MoveTo(380, 14);
        Wait(150);
        MoveTo(200, 14);
        Pump();
    }
};

TEST_F(FrameBadInputTest, ASkinWithoutAMaskLeavesTheWindowRectangular) {
    Wear(StoreWith(Description("captionrect=7,8,143,21\r\n", CloseAndCaption, false),
                   Solid(150, 107, clNavy), nullptr, {Solid(23, 39, clRed)}));
    EXPECT_TRUE(frame->Skinned());
    EXPECT_TRUE(frame->WindowRegion().IsEmpty());
    EXPECT_TRUE(display->FindWindow(form->DisplayWindow())->shape.empty());
    EXPECT_EQ(form->ClientRectInWindow(), Rect(9, 34, 391, 290));
    Exercise();
    // With a mask the same skin shapes it.
    TspSkinData* masked = StoreWith(Description("captionrect=7,8,143,21\r\n", CloseAndCaption),
                                    Solid(150, 107, clNavy), &m_mask, {Solid(23, 39, clRed)});
    frame->SetSkinData(masked);
    EXPECT_FALSE(frame->WindowRegion().IsEmpty());
    EXPECT_FALSE(frame->WindowRegion().Contains({0, 0}));
    EXPECT_TRUE(frame->WindowRegion().Contains({1, 0}));
}

TEST_F(FrameBadInputTest, ASkinWithoutObjectsStillMovesByItsCaptionBar) {
    Wear(StoreWith(Description("captionrect=7,8,143,21\r\n", "count=0\r\n"),
                   Solid(150, 107, clNavy), &m_mask, {Solid(23, 39, clRed)}));
    EXPECT_TRUE(frame->Skinned());
    EXPECT_EQ(frame->ObjectCount(), 0);
    EXPECT_EQ(frame->HitTest({200, 14}), HTCAPTION);
    EXPECT_EQ(frame->HitTest({200, 150}), HTCLIENT);
    EXPECT_EQ(frame->HitTest({200, 2}), HTOBJECT);
    Exercise();
    const int left = form->Left();
    Press(200, 14);
    display->MouseMove(form->Left() + 230, form->Top() + 14);
    Release();
    EXPECT_EQ(form->Left(), left + 30);
}

TEST_F(FrameBadInputTest, ACaptionRectLargerThanThePictureIsHarmless) {
    Wear(StoreWith(Description("captionrect=0,0,500,300\r\n", CloseAndCaption),
                   Solid(150, 107, clNavy), &m_mask, {Solid(23, 39, clRed)}));
    EXPECT_TRUE(frame->Skinned());
    Exercise();
    TspActiveSkinObject* close = frame->FindObject("closebutton");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->ObjectRect.Right, 500 + 250) << "at the end of the (moved) caption rect";
}

TEST_F(FrameBadInputTest, AnObjectWhoseActivePictureIsMissingDrawsFromTheFramePicture) {
    std::string objects = CloseAndCaption;
    objects.replace(objects.find("activepictureindex=0"), 20, "activepictureindex=7");
    TBitmap picture = Solid(150, 107, clNavy);
    Wear(StoreWith(Description("captionrect=7,8,143,21\r\n", objects), picture, &m_mask,
                   {Solid(23, 39, clRed)}));
    TspActiveSkinObject* close = frame->FindObject("closebutton");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->ActivePicture, nullptr);
    EXPECT_FALSE(close->LooksInActivePicture());
    Exercise();
    // Hovering it changes nothing on the screen: there is no active look to show.
    const TRect r = close->ObjectRect;
    const TColor before = Pixel(r.Left + 1, r.Top + 1);
    MoveTo(r.Left + 2, r.Top + 2);
    Wait(150);
    EXPECT_EQ(Pixel(r.Left + 1, r.Top + 1), before);
    EXPECT_EQ(before, ColorToRGB(clNavy));
}

TEST_F(FrameBadInputTest, AnEmptyStoreGivesTheDefaultFrame) {
    Wear(new TspSkinData(form));
    EXPECT_FALSE(frame->Skinned());
    EXPECT_EQ(form->ClientRectInWindow(), Rect(3, 22, 397, 297));
    EXPECT_TRUE(frame->WindowRegion().IsEmpty());
    // Its edges and caption bar, with close and minimise at the right end.
    EXPECT_EQ(Pixel(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(Pixel(399, 299), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(1, 150), ColorToRGB(clBtnHighlight));
    ASSERT_NE(frame->FindObject("closebutton"), nullptr);
    ASSERT_NE(frame->FindObject("minbutton"), nullptr);
    EXPECT_EQ(frame->FindObject("maxbutton"), nullptr);
    const TRect close = frame->FindObject("closebutton")->ObjectRect;
    EXPECT_EQ(close.Right, 400 - 5);
    EXPECT_EQ(frame->HitTest({close.Left + 2, close.Top + 2}), HTOBJECT);
    EXPECT_EQ(frame->HitTest({200, 10}), HTCAPTION);
    EXPECT_EQ(frame->HitTest({200, 150}), HTCLIENT);
    EXPECT_EQ(frame->HitTest({1, 150}), HTOBJECT) << "not sizeable";
    frame->SetSizeable(true);
    EXPECT_EQ(frame->HitTest({1, 150}), HTLEFT);
    EXPECT_EQ(frame->HitTest({1, 1}), HTTOPLEFT);
    // Its buttons work as well.
    ClickAt(close.Left + 4, close.Top + 4);
    EXPECT_EQ(closeQueries, 1);
    Exercise();
}

TEST_F(FrameBadInputTest, ASkinWithAnEmptyClientRectIsNotWorn) {
    std::string description = Description("captionrect=7,8,143,21\r\n", CloseAndCaption);
    description.replace(description.find("clientrect=9,34,141,97"), 22, "clientrect=0,0,0,0");
    Wear(StoreWith(description, Solid(150, 107, clNavy), &m_mask, {Solid(23, 39, clRed)}));
    EXPECT_FALSE(frame->Skinned());
    EXPECT_EQ(form->ClientRectInWindow().Top, 22);
    Exercise();
}

TEST_F(FrameBadInputTest, ADestroyedStoreLeavesThePlainFrameBehind) {
    WearProgramSkin();
    ASSERT_TRUE(frame->Skinned());
    delete store;
    store = nullptr;
    EXPECT_EQ(frame->SkinData(), nullptr);
    EXPECT_FALSE(frame->Skinned());
    EXPECT_EQ(frame->ObjectCount(), 2 + 1) << "the default close, minimise and icon";
    EXPECT_TRUE(frame->WindowRegion().IsEmpty());
    Pump();
}

TEST_F(FrameBadInputTest, WhileTheStoreReloadsTheFrameWaitsUnskinned) {
    WearProgramSkin();
    form->Perform(WM_SKINCHANGING, WPARAM(store), SkinMessageLParam);
    EXPECT_FALSE(frame->Skinned());
    EXPECT_EQ(frame->ObjectCount(), 0);
    form->Perform(WM_SKINCHANGED, WPARAM(store), SkinMessageLParam);
    EXPECT_TRUE(frame->Skinned());
    EXPECT_NE(frame->FindObject("closebutton"), nullptr);
    // A message from another store changes nothing about this frame.
    TspSkinData other(nullptr);
    form->Perform(WM_SKINCHANGING, WPARAM(&other), SkinMessageLParam);
    EXPECT_TRUE(frame->Skinned());
}

TEST_F(FrameBadInputTest, TheFramePaintsIntoAGivenCanvasOnRequest) {
    WearProgramSkin();
    TBitmap out(form->Width(), form->Height());
    out.Fill(clLime);
    EXPECT_EQ(form->Perform(WM_SKINPAINTFRAMETO, WPARAM(out.Canvas()), SkinPaintFrameMagic),
              SkinPaintFrameMagic);
    EXPECT_EQ(out.PixelColor(30, 30) & 0xFFFFFF,
              store->SkinPicture()->PixelColor(30, 30) & 0xFFFFFF);
    EXPECT_EQ(out.PixelColor(200, 150) & 0xFFFFFF, clLime) << "the client area is left alone";
    // Without the magic number the message is not the frame's.
    EXPECT_EQ(form->Perform(WM_SKINPAINTFRAMETO, WPARAM(out.Canvas()), 1), 0);
}

TEST_F(FrameBadInputTest, AParameterThatNamesNoStoreIsNeverFollowed) {
    WearProgramSkin();
    // Skin messages whose first parameter is no store at all (nor null) leave the frame
    // skinned and reach no control; the request to paint without its mark is not the frame's.
    const WPARAM bogus = 0x10;
    form->Perform(WM_SKINCHANGING, bogus, SkinMessageLParam);
    EXPECT_TRUE(frame->Skinned());
    EXPECT_NE(frame->FindObject("closebutton"), nullptr);
    form->Perform(WM_SKINCHANGED, bogus, SkinMessageLParam);
    EXPECT_TRUE(frame->Skinned());
    EXPECT_EQ(form->Perform(WM_SKINPAINTFRAMETO, bogus, 1), 0);
    // A request that carries the mark but no canvas paints nothing and says so.
    EXPECT_EQ(form->Perform(WM_SKINPAINTFRAMETO, 0, SkinPaintFrameMagic), 0);
}

// The frame under the mouse: hover and its cross-fade, pressing and releasing the caption
// buttons, the commands they run, the inactive window, the caption and its double click.
#include "FrameTestFixture.h"

namespace {
constexpr TPoint OverClose{380, 14};
constexpr TPoint OverMin{355, 14};
constexpr TPoint OverCaption{200, 14};
constexpr TPoint InClient{200, 150};
// A pixel inside the close button's plate, in the window and in the button picture (the
// looks lie one below the other, 13 pixels apart).
constexpr TPoint ClosePixel{372, 14};
constexpr TPoint CloseLookPixel{2, 6};
enum { NormalRow = 0, ActiveRow = 13, DownRow = 26, InactiveRow = 39 };
} // namespace

class FrameInputTest : public FrameTest {
protected:
    TColor CloseLook(int row) { return Look(1, CloseLookPixel.X, CloseLookPixel.Y + row); }
    TColor CloseOnScreen() { return Pixel(ClosePixel.X, ClosePixel.Y); }
    int IndexOf(TspActiveSkinObject* o) {
        for (int i = 0; i < frame->ObjectCount(); ++i)
            if (frame->Objects(i) == o) return i;
        return -1;
    }
    void MoveTo(TPoint p) { FrameTest::MoveTo(p.X, p.Y); }
    void Press(TPoint p) { FrameTest::Press(p.X, p.Y); }
    // Pixels of the caption row exactly in a colour.
    int CaptionPixelsOf(TColor color) {
        int n = 0;
        for (int y = 8; y < 21; ++y)
            for (int x = 26; x < 120; ++x)
                if (Pixel(x, y) == color) ++n;
        return n;
    }
};

TEST_F(FrameInputTest, HoverCrossFadesTheButtonInFiveSteps) {
    WearProgramSkin();
    TspSkinStdButtonObject* close = Button("closebutton");
    EXPECT_EQ(CloseOnScreen(), CloseLook(NormalRow));
    MoveTo(OverClose);
    EXPECT_EQ(frame->HoverIndex(), IndexOf(close));
    EXPECT_TRUE(close->MouseIn);
    EXPECT_EQ(close->MorphFactor, 0);
    Wait(25);
    EXPECT_DOUBLE_EQ(close->MorphFactor, 0.2);
    EXPECT_NE(CloseOnScreen(), CloseLook(NormalRow)) << "half way between the looks";
    EXPECT_NE(CloseOnScreen(), CloseLook(ActiveRow));
    Wait(100);
    EXPECT_DOUBLE_EQ(close->MorphFactor, 1.0);
    EXPECT_EQ(CloseOnScreen(), CloseLook(ActiveRow));
    // Leaving fades back.
    MoveTo(InClient);
    EXPECT_EQ(frame->HoverIndex(), -1);
    Wait(125);
    EXPECT_DOUBLE_EQ(close->MorphFactor, 0.0);
    EXPECT_EQ(CloseOnScreen(), CloseLook(NormalRow));
}

TEST_F(FrameInputTest, WithEffectsOffHoverSwitchesAtOnce) {
    WearProgramSkin();
    store->SetEnableSkinEffects(false);
    TspSkinStdButtonObject* close = Button("closebutton");
    MoveTo(OverClose);
    EXPECT_EQ(close->MorphFactor, 1.0);
    EXPECT_EQ(CloseOnScreen(), CloseLook(ActiveRow));
    MoveTo(InClient);
    EXPECT_EQ(CloseOnScreen(), CloseLook(NormalRow));
}

TEST_F(FrameInputTest, AHeldButtonKeepsEveryOtherObjectFromTheHover) {
    WearProgramSkin();
    TspSkinStdButtonObject* close = Button("closebutton");
    TspSkinStdButtonObject* min = Button("minbutton");
    Press(OverClose);
    EXPECT_TRUE(close->Down);
    EXPECT_EQ(CloseOnScreen(), CloseLook(DownRow));
    MoveTo(OverMin);
    EXPECT_FALSE(min->MouseIn);
    EXPECT_NE(frame->HoverIndex(), IndexOf(min));
    EXPECT_FALSE(close->MouseIn);
    EXPECT_TRUE(close->Down) << "still held";
    Wait(150);
    EXPECT_EQ(CloseOnScreen(), CloseLook(NormalRow)) << "a held button left shows its normal look";
    Release();
    EXPECT_EQ(closeQueries, 0);
    EXPECT_FALSE(close->Down);
    MoveTo(OverCaption);
    MoveTo(OverMin);
    EXPECT_TRUE(min->MouseIn) << "free again once released";
}

TEST_F(FrameInputTest, ReleasingOutsideDoesNothingAndBackInsideCloses) {
    WearProgramSkin();
    TspSkinStdButtonObject* close = Button("closebutton");
    Press(OverClose);
    MoveTo(InClient);
    Release();
    EXPECT_EQ(closeQueries, 0);
    EXPECT_FALSE(close->Down);
    EXPECT_EQ(GetCapture(), nullptr) << "the frame lets the mouse go";

    Press(OverClose);
    MoveTo(InClient);
    MoveTo(OverClose);
    EXPECT_TRUE(close->MouseIn);
    EXPECT_EQ(CloseOnScreen(), CloseLook(DownRow)) << "pressed look again on the way back";
    Release();
    EXPECT_EQ(closeQueries, 1);
    EXPECT_FALSE(close->Down) << "released before the window is asked to close";
}

TEST_F(FrameInputTest, TheCloseButtonClosesTheWindow) {
    WearProgramSkin();
    allowClose = true;
    ClickAt(OverClose.X, OverClose.Y);
    EXPECT_EQ(closeQueries, 1);
    EXPECT_TRUE(Application->Terminated()) << "the main window closed";
}

TEST_F(FrameInputTest, TheMinimiseButtonMinimisesAndARightClickDoesNot) {
    WearProgramSkin();
    ClickAt(OverMin.X, OverMin.Y, 2);
    EXPECT_EQ(form->WindowState(), wsNormal);
    int minimized = 0;
    frame->OnMinimize = [&](TObject*) { ++minimized; };
    ClickAt(OverMin.X, OverMin.Y);
    EXPECT_EQ(form->WindowState(), wsMinimized);
    EXPECT_EQ(minimized, 1);
    EXPECT_TRUE(display->FindWindow(form->DisplayWindow())->minimized);
    EXPECT_FALSE(Button("minbutton")->Down);
}

TEST_F(FrameInputTest, AnInactiveWindowShowsItsInactiveLooksAndIgnoresHover) {
    WearProgramSkin();
    const TspDataSkinCaption* caption = dynamic_cast<const TspDataSkinCaption*>(
        store->ObjectRecord(store->FindObjectRecord("caption")));
    ASSERT_NE(caption, nullptr);
    EXPECT_GT(CaptionPixelsOf(caption->activefontcolor), 0);
    EXPECT_EQ(CaptionPixelsOf(caption->fontcolor), 0);

    TForm* other = Application->CreateForm<TForm>();
    other->SetBounds(700, 600, 200, 100);
    other->Show();
    Pump();
    ASSERT_FALSE(frame->WindowActive());
    EXPECT_EQ(CloseOnScreen(), CloseLook(InactiveRow));
    const TBitmap* inactive = store->InactiveSkinPicture();
    EXPECT_EQ(Pixel(200, 3), inactive->PixelColor(75, 3) & 0xFFFFFF) << "the inactive frame";
    EXPECT_EQ(CaptionPixelsOf(caption->activefontcolor), 0);
    EXPECT_GT(CaptionPixelsOf(caption->fontcolor), 0);
    MoveTo(OverClose);
    Wait(150);
    EXPECT_EQ(frame->HoverIndex(), -1);
    EXPECT_EQ(CloseOnScreen(), CloseLook(InactiveRow));

    form->Show(); // active again: the hover works
    Pump();
    MoveTo(OverMin);
    MoveTo(OverClose);
    EXPECT_EQ(frame->HoverIndex(), IndexOf(Button("closebutton")));
    EXPECT_EQ(Pixel(200, 3), store->SkinPicture()->PixelColor(75, 3) & 0xFFFFFF);
}

TEST_F(FrameInputTest, ACaptionTooLongForItsRectEndsInThreeDots) {
    WearProgramSkin();
    TspSkinCaptionObject* caption = frame->TitleCaption();
    ASSERT_NE(caption, nullptr);
    TBitmap scratch(1, 1);
    EXPECT_EQ(caption->DrawnText(*scratch.Canvas()), "Brelvan");
    form->SetCaption(std::string(20, 'W') + " Brelvan football tips, the subscription runs");
    const AnsiString drawn = caption->DrawnText(*scratch.Canvas());
    ASSERT_GE(drawn.size(), 3u);
    EXPECT_EQ(drawn.substr(drawn.size() - 3), "...");
    EXPECT_LT(drawn.size(), form->Caption().size());
    caption->SetCaptionFont(*scratch.Canvas(), true);
    EXPECT_LE(scratch.Canvas()->TextWidth(drawn), caption->TextRectOnWindow().Width());
    EXPECT_EQ(caption->TextRectOnWindow(), Rect(26, 8, 344, 21));
    // Nothing is drawn past the caption's end: the minimise button keeps its look.
    EXPECT_EQ(Pixel(345, 14), Look(1, 72 + 1, 6));
}

namespace {
template <class Looks>
std::vector<std::string> Listed(Looks& looks, void (Looks::*bind)(TspSkinFieldBinder&)) {
    TspSkinFieldLister lister;
    (looks.*bind)(lister);
    return lister.Lines();
}
} // namespace

TEST_F(FrameInputTest, TheCaptionAndButtonsKeepTheirRecordsLooksAsCopiesOfTheirOwn) {
    WearProgramSkin();
    auto* record =
        dynamic_cast<TspDataSkinCaption*>(store->ObjectRecord(store->FindObjectRecord("caption")));
    auto* closeRecord = dynamic_cast<TspDataSkinStdButton*>(
        store->ObjectRecord(store->FindObjectRecord("closebutton")));
    ASSERT_NE(record, nullptr);
    ASSERT_NE(closeRecord, nullptr);
    TspSkinCaptionObject* caption = frame->TitleCaption();
    TspSkinStdButtonObject* close = Button("closebutton");
    ASSERT_NE(caption, nullptr);
    const std::vector<std::string> looks =
        Listed<TspSkinCaptionLooks>(*record, &TspSkinCaptionLooks::BindCaptionLooks);
    EXPECT_EQ(looks.size(), 25u);
    EXPECT_EQ(Listed<TspSkinCaptionLooks>(*caption, &TspSkinCaptionLooks::BindCaptionLooks), looks);
    EXPECT_EQ(Listed<TspSkinButtonLooks>(*close, &TspSkinButtonLooks::BindButtonLooks),
              Listed<TspSkinButtonLooks>(*closeRecord, &TspSkinButtonLooks::BindButtonLooks));
    EXPECT_EQ(close->command, cmClose);
    EXPECT_EQ(close->restoredownrect, closeRecord->restoredownrect);

    // The store's records may change under a frame that has not been rebuilt yet: what the
    // frame shows is its own copy.
    const TspColorValue shown = caption->activefontcolor;
    record->activefontcolor = shown ^ 0xFFFFFF;
    record->fontname = "Another";
    closeRecord->downrect = Rect(0, 0, 1, 1);
    EXPECT_EQ(caption->activefontcolor, shown);
    EXPECT_NE(caption->fontname, "Another");
    EXPECT_NE(close->downrect, closeRecord->downrect);
}

TEST_F(FrameInputTest, DoubleClickingTheCaptionOfAFixedSizeWindowDoesNothing) {
    WearProgramSkin();
    const TRect before = form->BoundsRect();
    ClickAt(OverCaption.X, OverCaption.Y);
    ClickAt(OverCaption.X, OverCaption.Y);
    EXPECT_EQ(form->BoundsRect(), before);
    EXPECT_EQ(form->WindowState(), wsNormal);
    // A sizeable window with a maximise button maximises instead.
    frame->SetSizeable(true);
    frame->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    display->Advance(1000);
    ClickAt(OverCaption.X, OverCaption.Y);
    ClickAt(OverCaption.X, OverCaption.Y);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->Width(), 1280);
}

TEST_F(FrameInputTest, TheCaptionMovesTheWindow) {
    WearProgramSkin();
    const TPoint start = OnScreen(OverCaption.X, OverCaption.Y);
    display->MouseMove(start.X, start.Y);
    display->MouseDown();
    display->MouseMove(start.X + 40, start.Y + 25);
    display->MouseUp();
    Pump();
    EXPECT_EQ(form->Left(), 140);
    EXPECT_EQ(form->Top(), 125);
    // Pressing the client area or the frame's border does not.
    ClickAt(InClient.X, InClient.Y);
    ClickAt(2, 150);
    EXPECT_EQ(form->Left(), 140);
}

TEST_F(FrameInputTest, DoubleClickingTheWindowIconCloses) {
    WearProgramSkin();
    // The first click opens the system menu; the second, quick one closes the window.
    ClickAt(15, 14);
    ClickAt(15, 14);
    EXPECT_EQ(closeQueries, 1);
    EXPECT_FALSE(frame->MenuShown());
    // Slower, it only opens and closes the menu.
    display->Advance(1000);
    ClickAt(15, 14);
    display->Advance(1000);
    ClickAt(15, 14);
    EXPECT_EQ(closeQueries, 1);
}

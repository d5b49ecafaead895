// The tab control with pages: switching, vetoes, hidden tabs, images.
#include "UiTest.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"

class PageControlTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form = NewForm(400, 300);
        pages = new TPageControl(form);
        pages->SetParent(form);
        pages->SetAlign(alClient);
        about = new TTabSheet(form);
        about->SetPageControl(pages);
        about->SetCaption("About");
        football = new TTabSheet(form);
        football->SetPageControl(pages);
        football->SetCaption("Football");
        pages->OnChange = [this](TObject*) { ++changes; };
        form->Show();
        Pump();
    }
    void ClickTab(int tabIndex) {
        TRect r = pages->TabRect(tabIndex);
        Click(pages, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    TForm* form = nullptr;
    TPageControl* pages = nullptr;
    TTabSheet* about = nullptr;
    TTabSheet* football = nullptr;
    int changes = 0;
};

TEST_F(PageControlTest, ClickingATabShowsItsPage) {
    EXPECT_EQ(pages->ActivePage(), about);
    EXPECT_TRUE(about->Showing());
    EXPECT_FALSE(football->Showing());
    ClickTab(1);
    EXPECT_EQ(pages->ActivePage(), football);
    EXPECT_TRUE(football->Showing());
    EXPECT_FALSE(about->Showing());
    EXPECT_EQ(changes, 1);
    ClickTab(1); // the same tab again: no change
    EXPECT_EQ(changes, 1);
    // The page fills the page area below the tabs.
    TRect area = pages->DisplayRect();
    EXPECT_EQ(football->BoundsRect(), area);
    EXPECT_GT(area.Top, pages->TabRect(0).Bottom);
    // A veto keeps the page.
    pages->OnChanging = [](TObject*, bool& allow) { allow = false; };
    ClickTab(0);
    EXPECT_EQ(pages->ActivePage(), football);
}

TEST_F(PageControlTest, ControlsOnAPageReceiveInputOnlyWhileItIsShown) {
    auto* edit = new TEdit(form);
    edit->SetParent(football);
    edit->SetBounds(10, 10, 100, 21);
    auto* under = new TEdit(form);
    under->SetParent(about);
    under->SetBounds(10, 10, 100, 21);
    Click(about, 20, 20);
    EXPECT_EQ(GetFocus(), under);
    ClickTab(1);
    Click(football, 20, 20);
    EXPECT_EQ(GetFocus(), edit);
}

TEST_F(PageControlTest, HiddenTabsDisappearAndTheActivePageStays) {
    // Start-up: page 0 selected, tab 1 hidden, tab 0 shown.
    pages->SetActivePageIndex(0);
    football->SetTabVisible(false);
    about->SetTabVisible(true);
    EXPECT_EQ(pages->TabCount(), 1);
    EXPECT_EQ(pages->TabIndex(), 0);
    EXPECT_TRUE(pages->TabRect(1).IsEmpty());
    // After login: page 1 selected, tab 0 hidden, tab 1 shown.
    pages->SetActivePageIndex(1);
    about->SetTabVisible(false);
    football->SetTabVisible(true);
    Pump();
    EXPECT_EQ(pages->ActivePage(), football);
    EXPECT_TRUE(football->Showing());
    EXPECT_EQ(pages->TabCount(), 1);
    EXPECT_EQ(pages->TabIndex(), 0);
    EXPECT_EQ(pages->TabPage(0), football);
    // The only tab sits where the first one was; nothing answers further right.
    EXPECT_EQ(pages->TabRect(0).Left, 2);
    TRect r = pages->TabRect(0);
    EXPECT_EQ(pages->IndexOfTabAt(r.Right + 10, r.Top + 5), -1);
    ClickTab(0);
    EXPECT_EQ(pages->ActivePage(), football);
}

TEST_F(PageControlTest, TabsGrowForTheirImagesAndTakeTheTabHeight) {
    int plain = pages->TabRect(0).Width();
    auto* images = new TImageList(form);
    images->SetSize(16, 16);
    TBitmap picture(16, 16);
    picture.Fill(clRed);
    images->Add(picture);
    pages->SetImages(images);
    about->SetImageIndex(0);
    EXPECT_EQ(pages->TabRect(0).Width(), plain + 16 + 4);
    // A page whose position is past the image count has no image.
    football->SetImageIndex(0);
    TTabSheet* third = new TTabSheet(form);
    third->SetPageControl(pages);
    third->SetCaption("About");
    EXPECT_EQ(pages->TabRect(2).Width(), plain);
    pages->SetTabHeight(30);
    EXPECT_EQ(pages->TabRect(0).Height(), 30);
    delete images; // the control lets go of it
    EXPECT_EQ(pages->Images(), nullptr);
}

TEST_F(PageControlTest, ArrowKeysAndControlTabSwitchPages) {
    pages->SetFocus();
    Pump();
    Press(VK_RIGHT);
    EXPECT_EQ(pages->ActivePage(), football);
    Press(VK_LEFT);
    EXPECT_EQ(pages->ActivePage(), about);
    auto* edit = new TEdit(form);
    edit->SetParent(about);
    edit->SetFocus();
    Pump();
    Press(VK_TAB, ModCtrl);
    EXPECT_EQ(pages->ActivePage(), football);
}

// The row of tabs on each edge: the tabs along it, the page on the far side, clicks landing on
// the tab drawn there; and the classic tab's highlight edge facing out.
TEST_F(PageControlTest, TabsStandOnEveryEdge) {
    const int w = pages->ClientWidth(), h = pages->ClientHeight();
    for (TTabPosition position : {tpBottom, tpLeft, tpRight, tpTop}) {
        SCOPED_TRACE(int(position));
        pages->SetTabPosition(position);
        Pump();
        TRect first = pages->TabRect(0), second = pages->TabRect(1), area = pages->DisplayRect();
        EXPECT_EQ(football->TabIndex(), 1);
        switch (position) {
        case tpBottom:
            EXPECT_EQ(first.Bottom, h - 2);
            EXPECT_EQ(second.Left, first.Right);
            EXPECT_LT(area.Bottom, first.Top);
            break;
        case tpLeft:
            EXPECT_EQ(first.Left, 2);
            EXPECT_EQ(second.Top, first.Bottom);
            EXPECT_GT(area.Left, first.Right);
            break;
        case tpRight:
            EXPECT_EQ(first.Right, w - 2);
            EXPECT_EQ(second.Top, first.Bottom);
            EXPECT_LT(area.Right, first.Left);
            break;
        case tpTop:
            EXPECT_EQ(first.Top, 2);
            break;
        }
        EXPECT_EQ(pages->ActivePage()->BoundsRect(), area);
        TTabSheet* other = pages->ActivePage() == about ? football : about;
        ClickTab(other->TabIndex());
        EXPECT_EQ(pages->ActivePage(), other);
    }
    // At the bottom the inactive tab's outer edge (its highlight line, turned) is at the bottom.
    pages->SetActivePage(about);
    pages->SetTabPosition(tpBottom);
    Pump();
    TRect tab = pages->TabRect(1);
    EXPECT_EQ(PixelOf(pages, (tab.Left + tab.Right) / 2, tab.Bottom - 1),
              ColorToRGB(clBtnHighlight));
}

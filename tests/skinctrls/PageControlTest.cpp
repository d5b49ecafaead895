// The skinned page control: tab height from the record, hidden tabs, images by position,
// hot tabs redrawn alone, the scroller on overflow and the page backgrounds.
#include "SkinCtrlsTest.h"

#include "gfx/ImageList.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinUpDown.h"
#include "ui/Snapshot.h"

#include <algorithm>

namespace {
constexpr TColor Accent = RGB(45, 140, 240); // the selected tab's top line in the program's skin
constexpr TColor HotLine = RGB(132, 188, 246);
} // namespace

class PageControlTest : public SkinCtrlsTest {
protected:
    TspSkinPageControl* MakePages(TForm* form, int count, TspSkinData* skin = nullptr) {
        auto* pc = new TspSkinPageControl(form);
        pc->SetParent(form);
        pc->SetBounds(10, 10, 380, 200);
        pc->SetDefaultItemHeight(20);
        if (skin) pc->SetSkinData(skin);
        const char* captions[] = {"About", "Football", "Hot", "Four", "Five", "Six"};
        for (int i = 0; i < count; ++i) {
            auto* sheet = new TspSkinTabSheet(form);
            sheet->SetPageControl(pc);
            sheet->SetCaption(captions[i % 6]);
            sheets.push_back(sheet);
        }
        return pc;
    }
    std::vector<TspSkinTabSheet*> sheets;
};

TEST_F(PageControlTest, TabsTakeTheRecordsHeight) {
    TForm* form = NewForm(400, 240);
    TspSkinData* skin = ProgramSkin(form);
    auto* pc = MakePages(form, 2, skin);
    form->Show();
    Pump();
    EXPECT_EQ(pc->TabsRowHeight(), 18);
    EXPECT_EQ(pc->TabRect(0).Height(), 18);
    // The first tab starts one pixel in, the next follows it directly.
    EXPECT_EQ(pc->TabRect(0).Left, 1);
    EXPECT_EQ(pc->TabRect(1).Left, pc->TabRect(0).Right);
    delete skin;
    Pump();
    EXPECT_EQ(pc->TabsRowHeight(), 20);
    EXPECT_EQ(pc->TabRect(0).Height(), 20);
    pc->SetDefaultItemHeight(24);
    EXPECT_EQ(pc->TabRect(1).Height(), 24);
}

TEST_F(PageControlTest, HiddenFirstTabLeavesTheSelectedOneAtIndexZero) {
    TForm* form = NewForm(400, 240);
    TspSkinData* skin = ProgramSkin(form);
    auto* pc = MakePages(form, 2, skin);
    form->Show();
    Pump();
    pc->SetActivePageIndex(1);
    sheets[0]->SetTabVisible(false);
    Pump();
    EXPECT_EQ(pc->TabCount(), 1);
    EXPECT_EQ(pc->TabIndex(), 0);
    EXPECT_TRUE(sheets[1]->Visible());
    EXPECT_FALSE(sheets[0]->Visible());
    TRect tab = pc->TabRect(0);
    ASSERT_FALSE(tab.IsEmpty());
    // Drawn selected: the accent line along its top.
    EXPECT_EQ(PixelOf(pc, (tab.Left + tab.Right) / 2, 1), Accent);
    EXPECT_TRUE(pc->TabRect(1).IsEmpty());
}

TEST_F(PageControlTest, ImagesGoByThePagesPosition) {
    TForm* form = NewForm(400, 240);
    auto* images = new TImageList(form);
    images->SetSize(12, 12);
    TBitmap red(12, 12);
    red.Fill(clRed);
    images->Add(red);
    auto* pc = MakePages(form, 3);
    pc->SetImages(images);
    sheets[0]->SetImageIndex(0);
    sheets[1]->SetImageIndex(0); // position 1 is not below the image count: no image
    form->Show();
    Pump();
    EXPECT_GT(CountColor(pc, pc->TabRect(0), clRed), 100);
    EXPECT_EQ(CountColor(pc, pc->TabRect(1), clRed), 0);
    EXPECT_EQ(CountColor(pc, pc->TabRect(2), clRed), 0);
    // The image list going away takes the images with it, safely.
    delete images;
    Pump();
    EXPECT_EQ(CountColor(pc, pc->TabRect(0), clRed), 0);
}

TEST_F(PageControlTest, MovingAcrossTabsRedrawsOnlyThoseTabs) {
    TForm* form = NewForm(400, 240);
    TspSkinData* skin = ProgramSkin(form);
    auto* pc = MakePages(form, 3, skin);
    struct Call {
        int page;
        bool hot, active;
    };
    std::vector<Call> calls;
    pc->OnDrawSkinTab = [&](TObject*, int page, const TRect&, TCanvas*, bool hot, bool active) {
        calls.push_back({page, hot, active});
    };
    form->Show();
    Pump();
    auto centre = [&](int tab) {
        TRect r = pc->TabRect(tab);
        return TPoint{(r.Left + r.Right) / 2, r.Top + r.Height() / 2};
    };
    calls.clear();
    MoveTo(pc, centre(1).X, centre(1).Y);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].page, 1);
    EXPECT_TRUE(calls[0].hot);
    EXPECT_EQ(PixelOf(pc, centre(1).X, 1), HotLine);
    calls.clear();
    MoveTo(pc, centre(2).X, centre(2).Y);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].page, 1);
    EXPECT_FALSE(calls[0].hot);
    EXPECT_EQ(calls[1].page, 2);
    EXPECT_TRUE(calls[1].hot);
    // Onto the selected tab: only the old hot one is drawn again.
    calls.clear();
    MoveTo(pc, centre(0).X, centre(0).Y);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].page, 2);
    EXPECT_EQ(pc->HotTab(), 0);
    EXPECT_EQ(PixelOf(pc, centre(0).X, 1), Accent);
    // Leaving the control: nothing is hot.
    calls.clear();
    MoveTo(form, 395, 235);
    EXPECT_EQ(pc->HotTab(), -1);
    EXPECT_TRUE(calls.empty()); // the selected tab is never redrawn for hover
}

TEST_F(PageControlTest, OverflowingTabsGetAScroller) {
    TForm* form = NewForm(400, 240);
    TspSkinData* skin = ProgramSkin(form);
    auto* pc = MakePages(form, 6, skin);
    form->Show();
    Pump();
    EXPECT_EQ(pc->Scroller(), nullptr);
    pc->SetWidth(150);
    Pump();
    TspSkinUpDown* scroller = pc->Scroller();
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(scroller->Width(), 40);
    EXPECT_EQ(scroller->Height(), 20);
    EXPECT_EQ(scroller->Left(), pc->ClientWidth() - 40);
    EXPECT_GT(scroller->Max(), 0);
    // Stepping right scrolls one tab off to the left.
    Click(scroller, 30, 10);
    EXPECT_EQ(pc->FirstTab(), 1);
    EXPECT_TRUE(pc->TabRect(0).IsEmpty());
    EXPECT_EQ(pc->TabRect(1).Left, 0);
    // The left button scrolls back, and never past the first tab.
    Click(scroller, 10, 10);
    Click(scroller, 10, 10);
    EXPECT_EQ(pc->FirstTab(), 0);
    Click(scroller, 30, 10);
    pc->SetWidth(390);
    Pump();
    EXPECT_EQ(pc->Scroller(), nullptr);
    EXPECT_EQ(pc->FirstTab(), 0);
}

TEST_F(PageControlTest, PagesShowTheSkinsPageSurface) {
    TForm* form = NewForm(400, 240);
    TspSkinData* skin = ProgramSkin(form);
    auto* pc = MakePages(form, 2, skin);
    form->Show();
    Pump();
    TRect page = pc->DisplayRect();
    // The page area: record's client margins inside the control, below the tab row.
    EXPECT_EQ(page.Left, 1);
    EXPECT_EQ(page.Top, 18 + 4 + 5 - 6);
    EXPECT_EQ(page.Right, pc->ClientWidth() - 1);
    EXPECT_EQ(sheets[0]->BoundsRect(), page);
    EXPECT_EQ(PixelOf(sheets[0], 50, 50), RGB(250, 251, 253));
    // A wallpaper is tiled over the page instead.
    TBitmap paper(8, 8);
    paper.Fill(clYellow);
    sheets[0]->SetWallPaper(paper);
    sheets[0]->Invalidate();
    EXPECT_EQ(PixelOf(sheets[0], 50, 50), ColorToRGB(clYellow));
}

// Tabs on each edge: laid out along it, drawn turned onto it (the selected tab's accent line on
// the outer edge, the hot line likewise), the page on the far side, and clicks hit the tab drawn.
TEST_F(PageControlTest, TabsStandOnTheEdgeTabPositionNames) {
    TForm* form = NewForm(400, 240);
    TspSkinData* skin = ProgramSkin(form);
    auto* pc = MakePages(form, 3, skin);
    form->Show();
    Pump();
    TBitmap onTop;
    ASSERT_TRUE(SnapshotControl(pc, onTop));
    const int w = pc->ClientWidth(), h = pc->ClientHeight();
    struct Edge {
        TTabPosition position;
        // A point on the outer line of a tab, from the tab's rectangle.
        TPoint (*outer)(const TRect&);
    };
    const Edge edges[] = {
        {tpBottom,
         [](const TRect& r) {
             return TPoint{(r.Left + r.Right) / 2, r.Bottom - 2};
         }},
        {tpLeft,
         [](const TRect& r) {
             return TPoint{r.Left + 1, (r.Top + r.Bottom) / 2};
         }},
        {tpRight,
         [](const TRect& r) {
             return TPoint{r.Right - 2, (r.Top + r.Bottom) / 2};
         }},
    };
    for (const Edge& edge : edges) {
        SCOPED_TRACE(int(edge.position));
        pc->SetTabPosition(edge.position);
        pc->SetActivePageIndex(0);
        Pump();
        TRect first = pc->TabRect(0), second = pc->TabRect(1);
        TRect page = pc->DisplayRect();
        switch (edge.position) {
        case tpBottom:
            EXPECT_EQ(first.Left, 1);
            EXPECT_EQ(first.Top, h - 18);
            EXPECT_EQ(first.Bottom, h);
            EXPECT_EQ(second.Left, first.Right);
            EXPECT_LE(page.Bottom, first.Top);
            break;
        case tpLeft:
            EXPECT_EQ(first.Left, 0);
            EXPECT_EQ(first.Width(), 18);
            EXPECT_EQ(first.Top, 1);
            EXPECT_EQ(second.Top, first.Bottom);
            EXPECT_GE(page.Left, first.Right);
            break;
        default:
            EXPECT_EQ(first.Right, w);
            EXPECT_EQ(first.Width(), 18);
            EXPECT_EQ(second.Top, first.Bottom);
            EXPECT_LE(page.Right, first.Left);
            break;
        }
        EXPECT_EQ(sheets[0]->BoundsRect(), page);
        TPoint line = edge.outer(first);
        EXPECT_EQ(PixelOf(pc, line.X, line.Y), Accent);
        // The hot tab shows its line on the same edge, and a click selects the tab drawn.
        TPoint middle{(second.Left + second.Right) / 2, (second.Top + second.Bottom) / 2};
        MoveTo(pc, middle.X, middle.Y);
        EXPECT_EQ(pc->HotTab(), 1);
        TPoint hot = edge.outer(second);
        EXPECT_EQ(PixelOf(pc, hot.X, hot.Y), HotLine);
        Click(pc, middle.X, middle.Y);
        EXPECT_EQ(pc->ActivePageIndex(), 1);
        MoveTo(form, 395, 235);
    }
    // Back on top, the control looks as it did.
    pc->SetTabPosition(tpTop);
    pc->SetActivePageIndex(0);
    Pump();
    TBitmap again;
    ASSERT_TRUE(SnapshotControl(pc, again));
    ASSERT_EQ(again.Width(), onTop.Width());
    for (int y = 0; y < again.Height(); ++y)
        ASSERT_TRUE(
            std::equal(again.ScanLine(y), again.ScanLine(y) + again.Width(), onTop.ScanLine(y)))
            << "row " << y;
}

TEST_F(PageControlTest, ScrollerSitsAtTheEndOfTheRowOnEveryEdge) {
    TForm* form = NewForm(400, 440);
    TspSkinData* skin = ProgramSkin(form);
    auto* pc = MakePages(form, 6, skin);
    pc->SetTabPosition(tpBottom);
    pc->SetWidth(150);
    form->Show();
    Pump();
    ASSERT_NE(pc->Scroller(), nullptr);
    EXPECT_EQ(pc->Scroller()->BoundsRect(), Rect(pc->ClientWidth() - 40, pc->ClientHeight() - 20,
                                                 pc->ClientWidth(), pc->ClientHeight()));
    // A side column overflows by its height.
    pc->SetWidth(300);
    pc->SetTabPosition(tpLeft);
    pc->SetHeight(90);
    Pump();
    ASSERT_NE(pc->Scroller(), nullptr);
    EXPECT_EQ(pc->Scroller()->Left(), 0);
    pc->SetHeight(420);
    Pump();
    EXPECT_EQ(pc->Scroller(), nullptr);
}

// Labels, panels, bevels, images, alignment, window styles and cursors.
#include "UiTest.h"
#include "gfx/DrawText.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

TEST_F(UiTest, LabelsSizeToTheirTextAndDrawThePrefixUnderline) {
    TForm* f = NewForm();
    f->SetColor(clWhite);
    auto* plain = new TLabel(f);
    plain->SetParent(f);
    plain->SetCaption("Login");
    auto* prefixed = new TLabel(f);
    prefixed->SetParent(f);
    prefixed->SetTop(30);
    prefixed->SetCaption("&Login");
    EXPECT_EQ(prefixed->Width(), plain->Width()); // the "&" takes no room
    EXPECT_GT(plain->Height(), 8);
    auto* empty = new TLabel(f);
    empty->SetParent(f);
    empty->SetTop(60);
    empty->SetCaption("");
    EXPECT_EQ(empty->Height(), plain->Height()); // an empty caption keeps one line
    // Right-aligned autosize labels keep their right edge.
    auto* right = new TLabel(f);
    right->SetParent(f);
    right->SetAlignment(taRightJustify);
    right->SetBounds(100, 90, 0, 0);
    int rightEdge = right->Left() + right->Width();
    right->SetCaption("a much longer caption");
    EXPECT_EQ(right->Left() + right->Width(), rightEdge);
    f->Show();
    Pump();
    // The underline of the accelerator: the prefixed label has more ink than the plain one.
    auto ink = [&](TLabel* l) {
        int n = 0;
        for (int y = 0; y < l->Height(); ++y)
            for (int x = 0; x < l->Width(); ++x)
                if (PixelOf(f, l->Left() + x, l->Top() + y) != ColorToRGB(clWhite)) ++n;
        return n;
    };
    EXPECT_GT(ink(prefixed), ink(plain));
}

TEST_F(UiTest, WordWrapGrowsTheHeightNotTheWidth) {
    TForm* f = NewForm();
    auto* l = new TLabel(f);
    l->SetParent(f);
    l->SetAutoSize(false);
    l->SetWordWrap(true);
    l->SetBounds(0, 0, 80, 10);
    l->SetAutoSize(true);
    l->SetCaption("several words that cannot fit on one short line");
    EXPECT_LE(l->Width(), 80); // the widest line
    EXPECT_GT(l->Height(), 30);
}

TEST_F(UiTest, TransparentLabelsShowTheirParentUnderneath) {
    TForm* f = NewForm();
    f->SetColor(clYellow);
    auto* opaque = new TLabel(f);
    opaque->SetParent(f);
    opaque->SetCaption("   ");
    opaque->SetColor(clBlue);
    auto* clear = new TLabel(f);
    clear->SetParent(f);
    clear->SetTop(30);
    clear->SetCaption("   ");
    clear->SetColor(clBlue);
    clear->SetTransparent(true);
    f->Show();
    EXPECT_EQ(PixelOf(f, 1, 2), ColorToRGB(clBlue));
    EXPECT_EQ(PixelOf(f, 1, 32), ColorToRGB(clYellow));
}

TEST_F(UiTest, AlignedControlsShareTheParentInOrder) {
    TForm* f = NewForm(300, 200);
    auto* top = new TPanel(f);
    top->SetParent(f);
    top->SetHeight(21);
    top->SetAlign(alTop);
    auto* right = new TPanel(f);
    right->SetParent(f);
    right->SetWidth(100);
    right->SetAlign(alRight);
    auto* client = new TPanel(f);
    client->SetParent(f);
    client->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 21));
    EXPECT_EQ(right->BoundsRect(), Rect(200, 21, 300, 200));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 21, 200, 200));
    right->Hide(); // the client takes the freed room
    EXPECT_EQ(client->BoundsRect(), Rect(0, 21, 300, 200));
    f->SetClientHeight(250);
    EXPECT_EQ(client->Height(), 229);
    // Children of a panel are placed inside its edges.
    auto* inner = new TPanel(f);
    inner->SetParent(top);
    inner->SetAlign(alClient);
    EXPECT_EQ(inner->BoundsRect(), Rect(1, 1, 299, 20));
    top->SetBevelOuter(bvNone);
    EXPECT_EQ(inner->BoundsRect(), Rect(0, 0, 300, 21));
}

TEST_F(UiTest, BevelsDrawTheirLinesInShadowAndHighlight) {
    TForm* f = NewForm();
    f->SetColor(clWhite);
    auto* top = new TBevel(f);
    top->SetParent(f);
    top->SetShape(bsTopLine);
    top->SetBounds(10, 10, 50, 10);
    auto* box = new TBevel(f);
    box->SetParent(f);
    box->SetShape(bsBox);
    box->SetStyle(bsRaised);
    box->SetBounds(10, 40, 50, 30);
    f->Show();
    EXPECT_EQ(PixelOf(f, 20, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(f, 20, 11), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(f, 20, 12), ColorToRGB(clWhite));
    EXPECT_EQ(PixelOf(f, 10, 50), ColorToRGB(clBtnHighlight)); // raised: light left edge
    EXPECT_EQ(PixelOf(f, 59, 50), ColorToRGB(clBtnShadow));    // dark right edge
}

TEST_F(UiTest, ImagesStretchOrKeepTheirSize) {
    TForm* f = NewForm();
    f->SetColor(clWhite);
    auto* img = new TImage(f);
    img->SetParent(f);
    img->SetBounds(0, 0, 40, 40);
    img->Picture()->SetSize(2, 2);
    img->Picture()->Fill(clRed);
    f->Show();
    EXPECT_EQ(PixelOf(f, 1, 1), ColorToRGB(clRed));
    EXPECT_EQ(PixelOf(f, 30, 30), ColorToRGB(clWhite));
    img->SetStretch(true);
    EXPECT_EQ(PixelOf(f, 30, 30), ColorToRGB(clRed));
}

TEST_F(UiTest, BorderStylesSetTheNonClientArea) {
    TForm* f = NewForm();
    auto* w = new TPanel(f);
    w->SetParent(f);
    w->SetBounds(0, 0, 100, 50);
    EXPECT_EQ(w->ClientRect(), Rect(0, 0, 100, 50));
    SetWindowLong(w, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(w->ClientRect(), Rect(0, 0, 96, 46));
    EXPECT_EQ(w->ClientOrigin().X - w->WindowRectOnScreen().Left, 2);
    SetWindowLong(w, GWL_EXSTYLE, WS_EX_STATICEDGE);
    EXPECT_EQ(w->ClientRect(), Rect(0, 0, 98, 48));
    SetWindowLong(w, GWL_STYLE, GetWindowLong(w, GWL_STYLE) | WS_BORDER);
    EXPECT_EQ(w->ClientRect(), Rect(0, 0, 96, 46));
    int clicks = 0;
    w->OnClick = [&](TObject*) { ++clicks; };
    f->Show();
    Click(f, 0, 0); // the border is not the client area
    EXPECT_EQ(clicks, 0);
    // A form's client size excludes its frame and caption.
    f->SetClientWidth(321);
    EXPECT_EQ(f->ClientWidth(), 321);
    EXPECT_GT(f->Width(), 321);
}

TEST_F(UiTest, CursorsFollowTheControlUnderThePointer) {
    TForm* f = NewForm();
    auto* edit = new TEdit(f);
    edit->SetParent(f);
    auto* link = new TLabel(f);
    link->SetParent(f);
    link->SetTop(40);
    link->SetCaption("link");
    link->SetCursor(crHandPoint);
    auto* custom = new TPanel(f);
    custom->SetParent(f);
    custom->SetTop(80);
    TBitmap picture(16, 16);
    picture.Fill(clBlack);
    Screen->SetCursors(3000, CreateCursorFromImage(picture, {8, 8}));
    custom->SetCursor(3000);
    f->Show();
    MoveTo(edit, 5, 5);
    EXPECT_EQ(display->Cursor(), CursorShape::IBeam);
    MoveTo(link, 2, 2);
    EXPECT_EQ(display->Cursor(), CursorShape::Hand);
    MoveTo(custom, 5, 5);
    EXPECT_EQ(display->CursorImage(), Screen->Cursors(3000));
    MoveTo(f, 250, 180);
    EXPECT_EQ(display->Cursor(), CursorShape::Arrow);
    EXPECT_EQ(display->CursorImage(), 0);
    Screen->SetCursor(crHourGlass); // the application's cursor wins everywhere
    MoveTo(edit, 6, 6);
    EXPECT_EQ(display->Cursor(), CursorShape::Wait);
    Screen->SetCursor(crDefault);
}

TEST_F(UiTest, ButtonsClickOnReleaseInsideAndWithTheSpaceBar) {
    TForm* f = NewForm();
    auto* b = new TButton(f);
    b->SetParent(f);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    f->Show();
    Click(b, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetFocus(), b);
    Press(VK_SPACE);
    EXPECT_EQ(clicks, 2);
    b->SetEnabled(false);
    Click(b, 5, 5);
    EXPECT_EQ(clicks, 2);
}

TEST_F(UiTest, CaptionChangesReachTheDisplayAndMinimiseHidesTheWindow) {
    TForm* f = NewForm();
    f->Show();
    f->SetCaption("Brelvan (Gold)");
    Pump();
    const HeadlessDisplay::Window* w = display->FindWindow(f->DisplayWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->title, "Brelvan (Gold)");
    f->Perform(WM_SYSCOMMAND, SC_MINIMIZE);
    Pump();
    EXPECT_TRUE(w->minimized);
    EXPECT_EQ(f->WindowState(), wsMinimized);
    f->Perform(WM_SYSCOMMAND, SC_RESTORE);
    Pump();
    EXPECT_FALSE(w->minimized);
}

TEST_F(UiTest, ControlsCanRewriteTheirHints) {
    TForm* f = NewForm();
    class THinted : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;

    protected:
        void WndProc(TMessage& m) override {
            if (m.Msg == CM_HINTSHOW) {
                auto* info = reinterpret_cast<THintInfo*>(m.LParam);
                info->HintStr = "cell text";
                info->HintPos = ClientToScreen({40, 0});
                return;
            }
            TCustomControl::WndProc(m);
        }
    };
    auto* c = new THinted(f);
    c->SetParent(f);
    c->SetBounds(0, 0, 100, 50);
    c->SetHint("x");
    c->SetShowHint(true);
    f->Show();
    MoveTo(c, 5, 5);
    display->Advance(600);
    Pump();
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_EQ(Application->HintWindow()->Caption(), "cell text");
    EXPECT_EQ(Application->HintWindow()->Left(), c->ClientToScreen({40, 0}).X);
    Press(VK_SHIFT); // any key hides it
    EXPECT_FALSE(Application->HintWindow()->Active());
}

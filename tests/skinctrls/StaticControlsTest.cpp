// Bevels and the two framework-based labels, drawn on real forms with and without the
// program's skin.
#include "SkinCtrlsTest.h"

#include "platform/Shell.h"
#include "skinctrls/SkinBevel.h"
#include "skinctrls/SkinLinkLabel.h"
#include "skinctrls/SkinShadowLabel.h"
#include "skinctrls/SkinStdLabel.h"

namespace {
constexpr TColor Silver = 12632256;
constexpr TColor White = 16777215;
} // namespace

class StaticControlsTest : public SkinCtrlsTest {};

TEST_F(StaticControlsTest, BevelLinesTakeTheSkinColours) {
    TForm* form = NewForm(400, 100);
    TspSkinData* skin = ProgramSkin(form);
    auto* top = new TspSkinBevel(form);
    top->SetParent(form);
    top->SetBounds(8, 10, 353, 17);
    top->SetShape(bsTopLine);
    top->SetSkinData(skin);
    auto* bottom = new TspSkinBevel(form);
    bottom->SetParent(form);
    bottom->SetBounds(8, 40, 353, 17);
    bottom->SetShape(bsBottomLine);
    bottom->SetSkinData(skin);
    form->Show();
    Pump();
    // Silver over white, at the top of the top line and the bottom of the bottom line.
    EXPECT_EQ(PixelOf(top, 100, 0), Silver);
    EXPECT_EQ(PixelOf(top, 100, 1), White);
    EXPECT_EQ(PixelOf(bottom, 100, 15), Silver);
    EXPECT_EQ(PixelOf(bottom, 100, 16), White);
    // The end point of a line is not drawn.
    EXPECT_EQ(CountColor(top, Rect(0, 0, 353, 1), Silver), 353);
    // Without the store the system colours come back.
    delete skin;
    Pump();
    EXPECT_EQ(PixelOf(top, 100, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(top, 100, 1), ColorToRGB(clBtnHighlight));
}

TEST_F(StaticControlsTest, BevelBoxesAndDividers) {
    TForm* form = NewForm(200, 100);
    auto* box = new TspSkinBevel(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 20, 20);
    box->SetStyle(bsRaised);
    auto* divider = new TspSkinBevel(form);
    divider->SetParent(form);
    divider->SetBounds(50, 10, 40, 20);
    divider->SetShape(bsLeftLine);
    divider->SetDividerMode(true);
    form->Show();
    Pump();
    TColor light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
    // Raised: light left and top, dark right and bottom.
    EXPECT_EQ(PixelOf(box, 0, 10), light);
    EXPECT_EQ(PixelOf(box, 10, 0), light);
    EXPECT_EQ(PixelOf(box, 19, 10), dark);
    EXPECT_EQ(PixelOf(box, 10, 19), dark);
    // A vertical divider in the middle, not at the left edge; lowered: dark, then light.
    EXPECT_EQ(PixelOf(divider, 19, 10), dark);
    EXPECT_EQ(PixelOf(divider, 20, 10), light);
    EXPECT_NE(PixelOf(divider, 0, 10), dark);
    divider->SetShape(bsSpacer);
    EXPECT_EQ(CountColor(divider, divider->ClientRect(), dark), 0);
}

TEST_F(StaticControlsTest, StdLabelWithoutStoreUsesDefaultFont) {
    TForm* form = NewForm(200, 60);
    auto* label = new TspSkinStdLabel(form);
    label->SetParent(form);
    label->SetLeft(10);
    label->SetTop(10);
    label->SetCaption("Login");
    label->Font()->SetColor(clBlue);
    label->DefaultFont()->SetColor(clRed);
    form->Show();
    Pump();
    TRect area = label->ClientRect();
    EXPECT_GT(CountNear(label, area, clRed), 5);
    EXPECT_EQ(CountNear(label, area, clBlue), 0);
    label->SetUseSkinFont(false);
    EXPECT_GT(CountNear(label, label->ClientRect(), clBlue), 5);
    EXPECT_EQ(CountNear(label, label->ClientRect(), clRed), 0);
}

TEST_F(StaticControlsTest, DisabledStdLabelIsEmbossedInSkinColours) {
    TForm* form = NewForm(200, 60);
    form->SetColor(clBlack);
    TspSkinData* skin = ProgramSkin(form);
    auto* label = new TspSkinStdLabel(form);
    label->SetParent(form);
    label->SetBounds(10, 10, 100, 20);
    label->SetCaption("PASSWORD");
    label->SetSkinData(skin);
    label->SetEnabled(false);
    form->Show();
    Pump();
    TRect area = label->ClientRect();
    TColor light = skin->SkinColors().cbtnhighlight, dark = skin->SkinColors().cbtnshadow;
    int lightCount = CountColor(label, area, light), darkCount = CountColor(label, area, dark);
    EXPECT_GT(lightCount, 5);
    EXPECT_GT(darkCount, 5);
    // The light copy lies one pixel down and right of the dark one drawn over it.
    auto firstColumn = [&](TColor color) {
        for (int x = 0; x < area.Right; ++x)
            for (int y = 0; y < area.Bottom; ++y)
                if (RawPixel(label, x, y) == color) return x;
        return -1;
    };
    EXPECT_EQ(firstColumn(light), firstColumn(dark) + 1);
    label->SetEnabled(true);
    EXPECT_EQ(CountColor(label, area, light), 0);
    EXPECT_GT(CountColor(label, area, TColor(0)), 5); // the record's fontcolor, black
}

TEST_F(StaticControlsTest, LinkLabelHoverColoursAndClick) {
    TForm* form = NewForm(300, 60);
    TspSkinData* skin = ProgramSkin(form);
    auto* link = new TspSkinLinkLabel(form);
    link->SetParent(form);
    link->SetLeft(10);
    link->SetTop(10);
    link->SetCaption("www.example.org");
    int clicks = 0;
    link->OnClick = [&](TObject*) { ++clicks; };
    std::vector<std::string> opened;
    SetOpenUrlHandler([&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    form->Show();
    Pump();
    // Without a record the hover colour is DefaultActiveFontColor.
    MoveTo(link, 5, 5);
    EXPECT_TRUE(link->Hovered());
    EXPECT_GT(CountColor(link, link->ClientRect(), clBlue), 5);
    // With the skin it is the record's activefontcolor, and plain fontcolor once left.
    link->SetSkinData(skin);
    EXPECT_GT(CountColor(link, link->ClientRect(), TColor(15119752)), 5);
    EXPECT_EQ(CountColor(link, link->ClientRect(), clBlue), 0);
    MoveTo(form, 250, 50);
    EXPECT_FALSE(link->Hovered());
    EXPECT_EQ(CountColor(link, link->ClientRect(), TColor(15119752)), 0);
    // An empty URL: only OnClick.
    Click(link, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(opened.empty());
    link->SetURL("https://www.example.org/a b?c=\"d\";e");
    Click(link, 5, 5);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "https://www.example.org/a b?c=\"d\";e");
    SetOpenUrlHandler(nullptr);
}

TEST_F(StaticControlsTest, LinkLabelUnderlinedWhileEnabled) {
    TForm* form = NewForm(300, 60);
    auto* link = new TspSkinLinkLabel(form);
    link->SetParent(form);
    link->SetLeft(10);
    link->SetTop(10);
    link->SetCaption("___");
    form->Show();
    Pump();
    EXPECT_TRUE(link->DefaultFont()->Style().Contains(fsUnderline));
    EXPECT_EQ(link->Cursor(), crHandPoint);
    // A label removed from under the pointer while a click runs is not touched again.
    link->OnClick = [&](TObject*) { delete link; };
    link->SetURL("x");
    int calls = 0;
    SetOpenUrlHandler([&](const std::string&) { return ++calls, true; });
    Click(form, 12, 12);
    EXPECT_EQ(calls, 0);
    SetOpenUrlHandler(nullptr);
}

TEST_F(StaticControlsTest, ShadowLabelAcceleratorFocusesItsControlOnlyWhenShown) {
    TForm* form = NewForm(300, 120);
    auto* first = new TEdit(form);
    first->SetParent(form);
    auto* shadow = new TspSkinShadowLabel(form);
    shadow->SetParent(form);
    shadow->SetCaption("&Odds");
    shadow->SetTop(40);
    auto* target = new TEdit(form);
    target->SetParent(form);
    target->SetTop(70);
    shadow->SetFocusControl(target);
    form->Show();
    first->SetFocus();
    Pump();
    shadow->SetShowAccelChar(false); // "&" is then a plain character
    Press('O', ModAlt);
    EXPECT_EQ(GetFocus(), first);
    shadow->SetShowAccelChar(true);
    Press('O', ModAlt);
    EXPECT_EQ(GetFocus(), target);
    delete target; // the label forgets it, and its accelerator does nothing
    EXPECT_EQ(shadow->FocusControl(), nullptr);
    first->SetFocus();
    Press('O', ModAlt);
    EXPECT_EQ(GetFocus(), first);
}

// Every control on a skin whose records point at pictures that are not there, lie outside
// their picture, are of the wrong kind or are missing: each keeps working in its built-in
// look, keeps a valid value and leaves no timer running.
#include "SkinCtrlsTest.h"

#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinShadowLabel.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinXFormButton.h"

namespace {

// Records pointing at pictures that are not there, lying outside their picture, of the wrong
// kind, or missing ("label").
const std::vector<std::string> BrokenRecords = {
    "[SKINCONTROLS]", "count=8", "0=button:button", "1=checkbox:checkradio", "2=edit:button",
    "3=spinedit:spinedit", "4=tab:tab", "5=panel:panel", "6=groupbox:panel",
    "7=radiobox:checkradio",
    // a picture beyond the list
    "[button]", "pictureindex=99", "skinrect=0,0,40,20", "righttoppoint=30,5",
    // every rectangle outside the picture
    "[checkbox]", "pictureindex=0", "skinrect=100,100,190,125", "checkimagerect=300,300,315,315",
    "uncheckimagerect=-20,-20,-5,-5", "[radiobox]", "pictureindex=0", "skinrect=0,0,0,0",
    "[spinedit]", "pictureindex=5", "skinrect=0,0,81,21", "righttoppoint=60,5",
    "upbuttonrect=64,2,79,10", "[tab]", "pictureindex=7", "tabrect=0,0,60,18",
    // points outside, zero-length pieces
    "[panel]", "pictureindex=0", "skinrect=0,0,60,40", "lefttoppoint=70,70", "righttoppoint=70,70",
    "leftbottompoint=70,70", "rightbottompoint=70,70", "clientrect=-5,-5,100,100", "[groupbox]",
    "pictureindex=0", "skinrect=10,10,10,40", "captionrect=3,3,56,17"};

TBitmap TealPicture() {
    TBitmap picture(50, 50);
    picture.Fill(clTeal);
    return picture;
}

} // namespace

class BrokenSkinTest : public SkinCtrlsTest {};

TEST_F(BrokenSkinTest, EveryControlKeepsWorking) {
    TestSkinFolder folder(BrokenRecords, TealPicture());
    TForm* form = NewForm(600, 400);
    auto* skin = new TspSkinData(form);
    skin->ApplySkinFile(folder.Ini());
    ASSERT_FALSE(skin->SkinEmpty());

    auto* button = new TspSkinButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 100, 30);
    button->SetSkinData(skin);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    auto* x = new TspSkinXFormButton(form);
    x->SetParent(form);
    x->SetSkinDataName("no such record");
    x->SetBounds(120, 10, 100, 30);
    x->SetSkinData(skin);
    auto* check = new TspSkinCheckRadioBox(form);
    check->SetParent(form);
    check->SetBounds(10, 50, 120, 25);
    check->SetSkinData(skin);
    auto* framed = new TspSkinCheckRadioBox(form);
    framed->SetParent(form);
    framed->SetFlat(false);
    framed->SetSkinDataName("radiobox");
    framed->SetBounds(140, 50, 120, 25);
    framed->SetSkinData(skin);
    auto* edit = new TspSkinEdit(form); // its record is of another class
    edit->SetParent(form);
    edit->SetBounds(10, 90, 150, 25);
    edit->SetSkinData(skin);
    auto* pass = new TspSkinPasswordEdit(form);
    pass->SetParent(form);
    pass->SetBounds(170, 90, 150, 25);
    pass->SetSkinData(skin);
    auto* spin = new TspSkinSpinEdit(form);
    spin->SetParent(form);
    spin->SetBounds(330, 90, 81, 25);
    spin->SetMaxValue(10);
    spin->SetSkinData(skin);
    auto* pages = new TspSkinPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(10, 130, 250, 150);
    pages->SetSkinData(skin);
    auto* sheet = new TspSkinTabSheet(form);
    sheet->SetPageControl(pages);
    sheet->SetCaption("Page");
    auto* panel = new TspSkinPanel(form);
    panel->SetParent(form);
    panel->SetBounds(270, 130, 150, 100);
    panel->SetSkinData(skin);
    auto* group = new TspSkinGroupBox(form);
    group->SetParent(form);
    group->SetBounds(430, 130, 150, 100);
    group->SetCaption("Group");
    group->SetSkinData(skin);
    auto* label = new TspSkinLabel(form); // "label" is missing from the skin
    label->SetParent(form);
    label->SetBounds(10, 300, 80, 21);
    label->SetCaption("128");
    label->SetSkinData(skin);
    auto* shadow = new TspSkinShadowLabel(form);
    shadow->SetParent(form);
    shadow->SetCaption("Shadow");
    shadow->SetBounds(100, 300, 0, 0);
    shadow->SetSkinData(skin);
    form->Show();
    Pump();

    // The record's geometry still fits the button (its height is the skin rect's), while the
    // fields without a usable record keep the size they were given.
    EXPECT_EQ(button->Height(), 20);
    EXPECT_EQ(edit->Height(), 25);
    EXPECT_EQ(pass->Height(), 25);
    EXPECT_EQ(label->Height(), 21);
    // The built-in looks: the button's frame (navy: it has the focus), the fields' two frames.
    EXPECT_EQ(PixelOf(button, 0, 10), ColorToRGB(clNavy));
    EXPECT_EQ(PixelOf(x, 0, 15), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(pass, 0, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(pass, 1, 10), ColorToRGB(clBtnFace));

    // Input everywhere.
    for (TControl* c : std::vector<TControl*>{button, x, check, framed, edit, pass, spin, pages,
                                              panel, group, label, shadow}) {
        MoveTo(c, 5, 5);
        Click(c, 5, 5);
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(check->Checked());
    pass->SetFocus();
    Type("pw");
    EXPECT_EQ(pass->Text(), "pw");
    spin->Edit()->SetFocus();
    Type("99");
    EXPECT_EQ(spin->Value(), 10);
    TRect up = spin->ButtonRect(0);
    MoveTo(spin, up.Left + 2, up.Top + 2);
    display->MouseDown();
    Pump();
    for (int t = 0; t < 2000; t += 10) {
        display->Advance(10);
        Pump();
    }
    display->MouseUp();
    Pump();
    EXPECT_LE(spin->Value(), 10);
    EXPECT_FALSE(spin->RepeatTimerRunning());
    EXPECT_FALSE(button->RepeatTimerRunning());

    // The store goes away: everything falls back and keeps painting.
    delete skin;
    Pump();
    Click(button, 5, 5);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(PixelOf(x, 0, 15), ColorToRGB(clBtnShadow));
    MoveTo(x, 5, 5);
    EXPECT_EQ(PixelOf(x, 0, 15), ColorToRGB(clNavy));
}

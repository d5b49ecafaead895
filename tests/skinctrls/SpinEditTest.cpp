// The spin box through typing, its buttons, arrow keys and the wheel: the value rules of the
// filter's fields, the repeat timing and bad input.
#include "SkinCtrlsTest.h"

#include "rtl/FormatSettings.h"
#include "skinctrls/SkinSpinEdit.h"
#include "ui/StdCtrls.h"

class SpinEditTest : public SkinCtrlsTest {
protected:
    void SetUp() override {
        SkinCtrlsTest::SetUp();
        saved = FormatSettings;
        FormatSettings.DecimalSeparator = '.';
    }
    void TearDown() override {
        FormatSettings = saved;
        Application->OnException = nullptr;
        SkinCtrlsTest::TearDown();
    }
    // f1 of the filter: odds from 0.01 to 1000 in steps of 0.01.
    TspSkinSpinEdit* OddsField(TForm* form, TspSkinData* skin, int top = 10) {
        auto* f = Field(form, skin, top);
        f->SetValueType(vtFloat);
        f->SetMinValue(0.01);
        f->SetMaxValue(1000);
        f->SetIncrement(0.01);
        f->SetValue(1.01);
        return f;
    }
    // f7 and f8: whole percents.
    TspSkinSpinEdit* PercentField(TForm* form, TspSkinData* skin, double min, int top = 10) {
        auto* f = Field(form, skin, top);
        f->SetMinValue(min);
        f->SetMaxValue(100);
        f->SetValue(min);
        return f;
    }
    TspSkinSpinEdit* Field(TForm* form, TspSkinData* skin, int top) {
        auto* f = new TspSkinSpinEdit(form);
        f->SetParent(form);
        f->SetBounds(10, top, 81, 20);
        if (skin) f->SetSkinData(skin);
        f->OnChange = [this](TObject*) { ++changes; };
        return f;
    }
    // Replaces the field's text by typing.
    void TypeInto(TspSkinSpinEdit* f, const std::string& text) {
        f->Edit()->SetFocus();
        Pump();
        f->Edit()->SelectAll();
        Press(VK_DELETE);
        Type(text);
    }
    void RunClock(int ms) {
        for (int t = 0; t < ms; t += 10) {
            display->Advance(10);
            Pump();
        }
    }
    TFormatSettings saved;
    int changes = 0;
};

TEST_F(SpinEditTest, SkinSizeAndLayout) {
    TForm* form = NewForm(200, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* f = OddsField(form, skin);
    form->Show();
    Pump();
    EXPECT_EQ(f->Height(), 21);
    EXPECT_EQ(f->Width(), 81);
    EXPECT_EQ(f->Edit()->Text(), "1.01");
    // Buttons of the record, moved with the width (the record is 81 wide).
    EXPECT_EQ(f->ButtonRect(0), Rect(64, 2, 79, 10));
    EXPECT_EQ(f->ButtonRect(1), Rect(64, 11, 79, 19));
    f->SetWidth(120);
    EXPECT_EQ(f->ButtonRect(0).Left, 64 + 39);
    // Without a record: 17 pixels of buttons at the right.
    auto* plain = Field(form, nullptr, 40);
    EXPECT_EQ(plain->ButtonRect(0), Rect(81 - 17, 2, 79, 10));
    EXPECT_EQ(plain->ButtonRect(1), Rect(81 - 17, 10, 79, 18));
}

TEST_F(SpinEditTest, NoLimitWhenBothBoundsAreZero) {
    TForm* form = NewForm(200, 80);
    auto* f = Field(form, nullptr, 10);
    form->Show();
    Pump();
    TypeInto(f, "-5000");
    EXPECT_EQ(f->Value(), -5000);
}

TEST_F(SpinEditTest, OddsFieldLimits) {
    TForm* form = NewForm(200, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* f1 = OddsField(form, skin);
    auto* other = OddsField(form, skin, 40);
    form->Show();
    Pump();
    TypeInto(f1, "2000");
    EXPECT_EQ(f1->Value(), 1000);
    EXPECT_EQ(f1->Edit()->Text(), "1000.00");
    // Below a positive minimum the typed text stays while the value is the minimum...
    TypeInto(f1, "0");
    EXPECT_EQ(f1->Value(), 0.01);
    EXPECT_EQ(f1->Edit()->Text(), "0");
    // ...so that typing on can still reach 15.
    Type("15");
    EXPECT_EQ(f1->Value(), 15);
    TypeInto(f1, "0");
    other->Edit()->SetFocus();
    Pump();
    EXPECT_EQ(f1->Edit()->Text(), "0.01");
}

TEST_F(SpinEditTest, PercentFieldKeyFilter) {
    TForm* form = NewForm(200, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* f7 = PercentField(form, skin, 0);
    form->Show();
    Pump();
    f7->Edit()->SetFocus();
    f7->Edit()->SelectAll();
    int beeps = display->Beeps();
    Type("5.");
    EXPECT_EQ(f7->Edit()->Text(), "5");
    EXPECT_EQ(display->Beeps(), beeps + 1);
    Type("e");
    EXPECT_EQ(display->Beeps(), beeps + 2);
    // A minus in the empty field passes the filter but is no number: the value stays.
    Press(VK_BACK);
    Type("-");
    EXPECT_EQ(f7->Edit()->Text(), "-");
    EXPECT_EQ(f7->Value(), 5);
    Type("-");
    EXPECT_EQ(f7->Edit()->Text(), "-");
    // Enter never reaches the filter: no beep; OnEditKeyPress sees it, then the form.
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetBounds(10, 50, 75, 25);
    ok->SetDefault(true);
    int okClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    std::vector<int> pressed;
    f7->OnEditKeyPress = [&](TObject*, char& key) { pressed.push_back(key); };
    beeps = display->Beeps();
    Press(VK_RETURN);
    EXPECT_EQ(display->Beeps(), beeps);
    EXPECT_EQ(okClicks, 1);
    ASSERT_FALSE(pressed.empty());
    EXPECT_EQ(pressed.back(), 13);
}

TEST_F(SpinEditTest, ButtonRepeatTiming) {
    TForm* form = NewForm(200, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* f8 = PercentField(form, skin, 1);
    form->Show();
    Pump();
    TRect up = f8->ButtonRect(0);
    MoveTo(f8, up.Left + 4, up.Top + 3);
    display->MouseDown();
    Pump();
    std::vector<double> values;
    for (int t = 10; t <= 950; t += 10) {
        display->Advance(10);
        Pump();
        if (t % 100 == 50) values.push_back(f8->Value());
    }
    // Nothing before 600 ms, then one step each 100 ms (values at 50, 150 ... 950 ms).
    EXPECT_EQ(values[5], 1);
    EXPECT_EQ(values[6], 2);
    EXPECT_EQ(values[9], 5);
    display->MouseUp();
    Pump();
    EXPECT_EQ(f8->Value(), 6); // steps at 600, 700, 800, 900 and on release
    EXPECT_FALSE(f8->RepeatTimerRunning());
    // Held long enough, the value stops at the maximum and the timer ends with the release.
    display->MouseDown();
    Pump();
    RunClock(12000);
    EXPECT_EQ(f8->Value(), 100);
    display->MouseUp();
    Pump();
    EXPECT_FALSE(f8->RepeatTimerRunning());
}

TEST_F(SpinEditTest, ClickStepsOnReleaseOnly) {
    TForm* form = NewForm(200, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* f8 = PercentField(form, skin, 1);
    form->Show();
    Pump();
    TRect up = f8->ButtonRect(0), down = f8->ButtonRect(1);
    MoveTo(f8, up.Left + 4, up.Top + 3);
    display->MouseDown();
    Pump();
    EXPECT_EQ(f8->Value(), 1);
    display->MouseUp();
    Pump();
    EXPECT_EQ(f8->Value(), 2);
    // Pressed and slid off before the release: no step at all.
    display->MouseDown();
    Pump();
    MoveTo(form, 190, 70);
    RunClock(1000);
    display->MouseUp();
    Pump();
    EXPECT_EQ(f8->Value(), 2);
    // While one button is held the other never lights up.
    MoveTo(f8, down.Left + 4, down.Top + 3);
    display->MouseDown();
    Pump();
    MoveTo(f8, up.Left + 4, up.Top + 3);
    EXPECT_FALSE(f8->ButtonHot(0));
    display->MouseUp();
    Pump();
    EXPECT_EQ(f8->Value(), 2);
}

TEST_F(SpinEditTest, KeysAndWheelStep) {
    TForm* form = NewForm(200, 80);
    auto* f = PercentField(form, nullptr, 0);
    form->Show();
    Pump();
    f->Edit()->SetFocus();
    Press(VK_UP);
    Press(VK_UP);
    EXPECT_EQ(f->Value(), 2);
    Press(VK_DOWN);
    EXPECT_EQ(f->Value(), 1);
    // Away from the user steps down, toward the user up.
    display->Wheel(1);
    Pump();
    EXPECT_EQ(f->Value(), 0);
    display->Wheel(-1);
    Pump();
    EXPECT_EQ(f->Value(), 1);
    // An arrow held for seconds (the keyboard's repeat) ends at the maximum, nothing left
    // running afterwards.
    for (int i = 0; i < 300; ++i) {
        display->KeyDownOnly(VK_UP);
        display->Advance(33);
        Pump();
    }
    display->KeyUpOnly(VK_UP);
    Pump();
    EXPECT_EQ(f->Value(), 100);
    EXPECT_FALSE(f->RepeatTimerRunning());
}

TEST_F(SpinEditTest, ValueSetterRules) {
    TForm* form = NewForm(200, 80);
    auto* f = PercentField(form, nullptr, 0);
    changes = 0;
    f->SetValue(0);
    EXPECT_EQ(changes, 1); // the same value still fires
    f->SetValue(2.5);
    EXPECT_EQ(f->Edit()->Text(), "2"); // ties to even
    EXPECT_EQ(f->Value(), 2.5);
    f->SetValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(f->Value(), 0);
    f->SetValue(1e300);
    EXPECT_EQ(f->Value(), 100);
    // A value set from OnChange only rewrites the text, without a second OnChange.
    f->OnChange = [&](TObject*) {
        ++changes;
        if (f->Value() > 50) f->SetValue(50);
    };
    changes = 0;
    f->SetValue(80);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f->Value(), 50);
    EXPECT_EQ(f->Edit()->Text(), "50");
    // Min and max pull the value in.
    f->SetMaxValue(10);
    EXPECT_EQ(f->Value(), 10);
    f->SetMaxValue(100);
    f->SetMinValue(20);
    EXPECT_EQ(f->Value(), 20);
    // Turning to integers rounds the increment.
    f->SetValueType(vtFloat);
    f->SetIncrement(0.4);
    f->SetValueType(vtInteger);
    EXPECT_EQ(f->Increment(), 1);
}

TEST_F(SpinEditTest, BadTextKeepsAValidValue) {
    TForm* form = NewForm(200, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* odds = OddsField(form, skin);
    auto* count = Field(form, skin, 40);
    count->SetMaxValue(1000);
    count->SetMinValue(1);
    count->SetValue(10);
    std::vector<std::string> errors;
    Application->OnException = [&](TObject*, const std::exception& e) {
        errors.push_back(e.what());
    };
    form->Show();
    Pump();
    for (const char* bad : {"1e999", "--5", ".", "-."}) {
        TypeInto(odds, bad);
        EXPECT_GE(odds->Value(), 0.01) << bad;
        EXPECT_LE(odds->Value(), 1000) << bad;
    }
    // "-." passes the character check but is no number: the platform's conversion error.
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "'-.' is not a valid floating point value");
    // Typed digit by digit a long number is held at the maximum as soon as it passes it.
    TypeInto(count, std::string(40, '9'));
    EXPECT_EQ(count->Value(), 1000);
    // Pasted whole, a 40-digit integer does not fit 32 bits: the error, and the value stays.
    count->SetValue(10);
    errors.clear();
    Clipboard()->SetAsText(std::string(40, '9'));
    count->Edit()->SelectAll();
    Press('V', ModCtrl);
    EXPECT_EQ(count->Value(), 10);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "'" + std::string(40, '9') + "' is not a valid integer value");
    // Pasted junk of any bytes leaves a number.
    std::string junk;
    for (int i = 1; i < 256; ++i) junk.push_back(char(i));
    Clipboard()->SetAsText(junk);
    count->Edit()->SetFocus();
    Press('V', ModCtrl);
    EXPECT_GE(count->Value(), 1);
    EXPECT_LE(count->Value(), 1000);
    Clipboard()->SetAsText(std::string(1 << 20, '7'));
    count->Edit()->SelectAll();
    Press('V', ModCtrl);
    EXPECT_GE(count->Value(), 1);
    EXPECT_LE(count->Value(), 1000);
}

TEST_F(SpinEditTest, DefaultFontReachesTheInnerEditWithoutARecord) {
    TForm* form = NewForm(200, 80);
    auto* f = Field(form, nullptr, 10);
    f->SetBounds(10, 10, 120, 40);
    f->DefaultFont()->SetHeight(24);
    f->DefaultFont()->SetColor(clMaroon);
    EXPECT_EQ(f->Edit()->Font()->Height(), 24);
    EXPECT_EQ(f->Edit()->Font()->Color(), clMaroon);
    // The inner edit is as high as the font's text, centred in the box.
    TBitmap scratch(1, 1);
    scratch.Canvas()->SetFont(*f->Edit()->Font());
    int h = scratch.Canvas()->TextHeight("Wg");
    EXPECT_EQ(f->Edit()->Height(), h);
    EXPECT_EQ(f->Edit()->Top(), 40 / 2 - h / 2);
}

// The skinned controls as a screen reader meets them: roles, states and actions from real
// controls with the program's skin, the password never exposed, the spin box's value and
// label, and the changes they announce.
#include <algorithm>
#include <utility>
#include <vector>

#include "SkinCtrlsTest.h"

#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinLinkLabel.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinStdLabel.h"

namespace {

class TRecorder : public TAccessibleListener {
public:
    TRecorder() { SetAccessibleListener(this); }
    ~TRecorder() override { SetAccessibleListener(nullptr); }
    void AccessibleChanged(TControl& control, TAccessibleChange change) override {
        heard.emplace_back(&control, change);
    }
    bool Heard(const TControl* control, TAccessibleChange change) const {
        return std::find(heard.begin(), heard.end(),
                         std::make_pair(const_cast<TControl*>(control), change)) != heard.end();
    }
    std::vector<std::pair<TControl*, TAccessibleChange>> heard;
};

bool Has(const TAccessibleInfo& info, TAccessibleStates states) {
    return (info.States & states) == states;
}

class SkinAccessibleTest : public SkinCtrlsTest {
protected:
    void SetUp() override {
        SkinCtrlsTest::SetUp();
        form = NewForm(400, 300);
        skin = ProgramSkin(form);
        form->Show();
    }
    template <class T> T* Make(int left, int top, int width, int height) {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(left, top, width, height);
        c->SetSkinData(skin);
        return c;
    }
    TForm* form = nullptr;
    TspSkinData* skin = nullptr;
};

} // namespace

TEST_F(SkinAccessibleTest, TheCheckBoxSaysItsStateAndItsClickTogglesIt) {
    auto* box = Make<TspSkinCheckRadioBox>(10, 10, 100, 20);
    box->SetCaption("Remember");
    Pump();
    TAccessibleInfo info = AccessibleInfoOf(*box);
    EXPECT_EQ(info.Role, TAccessibleRole::CheckBox);
    EXPECT_EQ(info.Name, "Remember");
    EXPECT_TRUE(Has(info, asCheckable | asFocusable | asEnabled));
    EXPECT_FALSE(Has(info, asChecked));
    ASSERT_EQ(info.Actions.size(), 1u);
    EXPECT_EQ(info.Actions[0].Name, "click");

    TRecorder recorder;
    info.Actions[0].Run();
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(Has(AccessibleInfoOf(*box), asChecked));
    EXPECT_TRUE(recorder.Heard(box, TAccessibleChange::States));

    box->SetCanFocused(false);
    EXPECT_FALSE(Has(AccessibleInfoOf(*box), asFocusable));
    box->SetRadio(true);
    EXPECT_EQ(AccessibleInfoOf(*box).Role, TAccessibleRole::RadioButton);
}

TEST_F(SkinAccessibleTest, AButtonClicksThroughItsActionAndItsHintDescribesIt) {
    auto* button = Make<TspSkinButton>(10, 10, 75, 25);
    button->SetCaption("LOGIN");
    button->SetHint("Logs in");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Pump();
    const TAccessibleInfo info = AccessibleInfoOf(*button);
    EXPECT_EQ(info.Role, TAccessibleRole::PushButton);
    EXPECT_EQ(info.Name, "LOGIN");
    EXPECT_EQ(info.Description, "Logs in");
    ASSERT_EQ(info.Actions.size(), 1u);
    EXPECT_EQ(info.Actions[0].Name, "click");
    EXPECT_EQ(info.Actions[0].Description, "Logs in");
    info.Actions[0].Run();
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinAccessibleTest, ThePasswordBoxTakesATextButNeverGivesItBack) {
    auto* box = Make<TspSkinPasswordEdit>(10, 10, 200, 21);
    Pump();
    TAccessibleInfo info = AccessibleInfoOf(*box);
    EXPECT_EQ(info.Role, TAccessibleRole::PasswordText);
    ASSERT_TRUE(info.SetText);
    info.SetText("hunter2");
    EXPECT_EQ(box->Text(), "hunter2");
    info = AccessibleInfoOf(*box);
    EXPECT_EQ(info.Text, "*******");
    EXPECT_TRUE(Has(info, asEditable));
    for (const AnsiString* s : {&info.Text, &info.Name, &info.Description})
        EXPECT_EQ(s->find("hunter"), AnsiString::npos);

    box->SetReadOnly(true);
    EXPECT_FALSE(AccessibleInfoOf(*box).SetText);
}

TEST_F(SkinAccessibleTest, TheSpinBoxIsAValueInItsRangeNamedByItsLabel) {
    auto* label = Make<TspSkinStdLabel>(10, 10, 100, 13);
    label->SetCaption("Percent   from            to");
    auto* spin = Make<TspSkinSpinEdit>(120, 10, 81, 20);
    spin->SetMinValue(0);
    spin->SetMaxValue(100);
    spin->SetValue(40);
    spin->SetAccessibleLabel(label);
    spin->SetAccessibleName("Percent from");
    Pump();

    TAccessibleInfo info = AccessibleInfoOf(*spin);
    EXPECT_EQ(info.Role, TAccessibleRole::SpinButton);
    EXPECT_EQ(info.Name, "Percent from");
    EXPECT_EQ(info.LabelledBy, label);
    EXPECT_TRUE(info.Children.empty()) << "the inner edit is part of the box";
    ASSERT_TRUE(info.HasValue);
    EXPECT_EQ(info.MinValue, 0);
    EXPECT_EQ(info.MaxValue, 100);
    EXPECT_EQ(info.Value, 40);

    TRecorder recorder;
    info.SetValue(250); // out of range: kept within it, as typing would be
    EXPECT_EQ(spin->Value(), 100);
    EXPECT_TRUE(recorder.Heard(spin, TAccessibleChange::Value));

    spin->Edit()->SetFocus();
    Pump();
    EXPECT_TRUE(Has(AccessibleInfoOf(*spin), asFocused)) << "typing in it is the box focused";

    delete label;
    EXPECT_EQ(AccessibleInfoOf(*spin).LabelledBy, nullptr) << "a gone label is let go";
}

TEST_F(SkinAccessibleTest, LabelsLinksAndPanelsSayWhatTheyAre) {
    auto* count = Make<TspSkinLabel>(10, 10, 100, 19);
    count->SetCaption("Count: 0");
    count->SetAnnouncesChanges(true);
    auto* link = Make<TspSkinLinkLabel>(10, 40, 100, 14);
    link->SetCaption("example.net");
    link->SetURL("http://example.net/");
    std::string opened;
    link->OnClick = [&](TObject*) { opened = "clicked"; };
    link->SetURL(""); // the click runs without reaching the desktop's handler
    auto* group = Make<TspSkinGroupBox>(150, 10, 200, 200);
    group->SetCaption("Filter");
    Pump();

    TRecorder recorder;
    count->SetCaption("Count: 12");
    TAccessibleInfo info = AccessibleInfoOf(*count);
    EXPECT_EQ(info.Role, TAccessibleRole::Label);
    EXPECT_EQ(info.Name, "Count: 12");
    EXPECT_TRUE(info.Live);
    EXPECT_TRUE(recorder.Heard(count, TAccessibleChange::Name));

    info = AccessibleInfoOf(*link);
    EXPECT_EQ(info.Role, TAccessibleRole::Link);
    ASSERT_EQ(info.Actions.size(), 1u);
    EXPECT_EQ(info.Actions[0].Name, "jump");
    info.Actions[0].Run();
    EXPECT_EQ(opened, "clicked");

    info = AccessibleInfoOf(*group);
    EXPECT_EQ(info.Role, TAccessibleRole::Panel);
    EXPECT_EQ(info.Name, "Filter");
}

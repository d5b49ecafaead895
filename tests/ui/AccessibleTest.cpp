// What the framework's controls tell a screen reader (ui/Accessible.h): roles, names,
// states and relations from real controls, the password never exposed, the actions and
// text setters acting on the control, and the change events the bridge follows.
#include <algorithm>
#include <utility>
#include <vector>

#include "UiTest.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace {

// Records what the controls announce.
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

bool Lists(const TAccessibleInfo& info, const TControl* child) {
    return std::find(info.Children.begin(), info.Children.end(), child) != info.Children.end();
}

class AccessibleTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form = NewForm(400, 300);
        form->SetCaption("Orders");
        label = new TLabel(form);
        label->SetParent(form);
        label->SetCaption("&Name:   of the   customer");
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(100, 10, 120, 22);
        edit->SetTabStop(true);
        label->SetFocusControl(edit);
        button = new TButton(form);
        button->SetParent(form);
        button->SetBounds(10, 60, 75, 25);
        button->SetCaption("&Save");
        button->SetHint("Saves the order");
        form->Show();
        Pump();
    }
    TForm* form = nullptr;
    TLabel* label = nullptr;
    TEdit* edit = nullptr;
    TButton* button = nullptr;
};

} // namespace

TEST(AccessibleCaption, ReadsACaptionAsItIsSpoken) {
    EXPECT_EQ(AccessibleCaption("&Yes"), "Yes");
    EXPECT_EQ(AccessibleCaption("Fish && Chips"), "Fish & Chips");
    EXPECT_EQ(AccessibleCaption("  Odds   from\r\n   to  "), "Odds from to");
    EXPECT_EQ(AccessibleCaption("trailing &"), "trailing &");
    EXPECT_EQ(AccessibleCaption(""), "");
}

TEST_F(AccessibleTest, ControlsGiveTheirRolesNamesStatesAndPlaces) {
    const TAccessibleInfo f = AccessibleInfoOf(*form);
    EXPECT_EQ(f.Role, TAccessibleRole::Frame);
    EXPECT_EQ(f.Name, "Orders");
    EXPECT_TRUE(Lists(f, label) && Lists(f, edit) && Lists(f, button));

    const TAccessibleInfo l = AccessibleInfoOf(*label);
    EXPECT_EQ(l.Role, TAccessibleRole::Label);
    EXPECT_EQ(l.Name, "Name: of the customer");
    ASSERT_EQ(l.LabelFor.size(), 1u);
    EXPECT_EQ(l.LabelFor[0], edit);

    const TAccessibleInfo e = AccessibleInfoOf(*edit);
    EXPECT_EQ(e.Role, TAccessibleRole::Text);
    EXPECT_TRUE(
        Has(e, asEditable | asFocusable | asEnabled | asVisible | asShowing | asSingleLine));
    // Screen coordinates: the form's client origin plus the place in it.
    const TPoint origin = form->ClientToScreen({100, 10});
    EXPECT_EQ(e.Bounds, Bounds(origin.X, origin.Y, 120, 22));

    const TAccessibleInfo b = AccessibleInfoOf(*button);
    EXPECT_EQ(b.Role, TAccessibleRole::PushButton);
    EXPECT_EQ(b.Name, "Save");
    EXPECT_EQ(b.Description, "Saves the order");
    ASSERT_EQ(b.Actions.size(), 1u);
    EXPECT_EQ(b.Actions[0].Name, "click");

    button->SetFocus();
    Pump();
    EXPECT_FALSE(Has(AccessibleInfoOf(*edit), asFocused));
    EXPECT_TRUE(Has(AccessibleInfoOf(*button), asFocused));
    edit->SetFocus();
    Pump();
    EXPECT_TRUE(Has(AccessibleInfoOf(*edit), asFocused));
    EXPECT_FALSE(Has(AccessibleInfoOf(*button), asFocused));
    button->SetEnabled(false);
    EXPECT_FALSE(Has(AccessibleInfoOf(*button), asEnabled));
    button->Hide();
    EXPECT_FALSE(Lists(AccessibleInfoOf(*form), button)) << "a hidden control is not in the tree";
}

TEST_F(AccessibleTest, ActionsAndTextSettersActOnTheControl) {
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    AccessibleInfoOf(*button).Actions[0].Run();
    EXPECT_EQ(clicks, 1);

    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    AccessibleInfoOf(*edit).SetText("Smith");
    EXPECT_EQ(edit->Text(), "Smith");
    EXPECT_EQ(changes, 1) << "a text set by a screen reader is a change like typing";
    EXPECT_EQ(AccessibleInfoOf(*edit).Text, "Smith");

    edit->SetReadOnly(true);
    const TAccessibleInfo readOnly = AccessibleInfoOf(*edit);
    EXPECT_FALSE(readOnly.SetText) << "a read-only box cannot be set";
    EXPECT_FALSE(Has(readOnly, asEditable));
}

TEST_F(AccessibleTest, APasswordBoxNeverGivesItsCharactersOut) {
    edit->SetPasswordChar('#');
    AccessibleInfoOf(*edit).SetText("s3cret");
    EXPECT_EQ(edit->Text(), "s3cret");
    const TAccessibleInfo info = AccessibleInfoOf(*edit);
    EXPECT_EQ(info.Role, TAccessibleRole::PasswordText);
    EXPECT_EQ(info.Text, "******");
    EXPECT_EQ(info.Name.find("s3cret"), AnsiString::npos);
    EXPECT_EQ(info.Description.find("s3cret"), AnsiString::npos);
}

TEST_F(AccessibleTest, ChangesAreAnnouncedToTheListener) {
    button->SetFocus();
    Pump();
    TRecorder recorder;
    edit->SetFocus();
    Pump();
    EXPECT_TRUE(recorder.Heard(edit, TAccessibleChange::Focus));
    EXPECT_TRUE(recorder.Heard(button, TAccessibleChange::States)) << "it lost the focus";

    button->SetEnabled(false);
    EXPECT_TRUE(recorder.Heard(button, TAccessibleChange::States));
    button->SetCaption("Store");
    EXPECT_TRUE(recorder.Heard(button, TAccessibleChange::Name));
    AccessibleInfoOf(*edit).SetText("x");
    EXPECT_TRUE(recorder.Heard(edit, TAccessibleChange::Text));
    label->Hide();
    EXPECT_TRUE(recorder.Heard(form, TAccessibleChange::Children));

    auto* extra = new TButton(form);
    recorder.heard.clear();
    extra->SetParent(form);
    EXPECT_TRUE(recorder.Heard(form, TAccessibleChange::Children));
    delete extra;
    EXPECT_TRUE(recorder.Heard(extra, TAccessibleChange::Destroyed))
        << "the bridge must hear that a control is gone before it forgets it";
}

TEST_F(AccessibleTest, AHandlerThatFreesItsControlIsSafeWhileListening) {
    TRecorder recorder;
    auto* doomed = new TButton(form);
    doomed->SetParent(form);
    doomed->SetBounds(200, 60, 75, 25);
    doomed->OnClick = [&](TObject*) { delete doomed; };
    Pump();
    Click(doomed, 10, 10);
    EXPECT_TRUE(recorder.Heard(doomed, TAccessibleChange::Destroyed));
}

TEST_F(AccessibleTest, HiddenTabsAreAbsentAndTheActiveOneIsSelected) {
    auto* pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(0, 100, 300, 150);
    auto* first = new TTabSheet(form);
    first->SetPageControl(pages);
    first->SetCaption("&About");
    auto* second = new TTabSheet(form);
    second->SetPageControl(pages);
    second->SetCaption("Football");
    pages->SetActivePage(first);
    Pump();

    TAccessibleInfo list = AccessibleInfoOf(*pages);
    EXPECT_EQ(list.Role, TAccessibleRole::PageTabList);
    EXPECT_EQ(list.Children, (std::vector<TControl*>{first, second}));
    const TAccessibleInfo tab = AccessibleInfoOf(*first);
    EXPECT_EQ(tab.Role, TAccessibleRole::PageTab);
    EXPECT_EQ(tab.Name, "About");
    EXPECT_TRUE(Has(tab, asSelected | asShowing));
    EXPECT_FALSE(Has(AccessibleInfoOf(*second), asSelected));

    TRecorder recorder;
    second->SetTabVisible(false);
    EXPECT_TRUE(recorder.Heard(pages, TAccessibleChange::Children));
    list = AccessibleInfoOf(*pages);
    EXPECT_EQ(list.Children, (std::vector<TControl*>{first}));

    second->SetTabVisible(true);
    AccessibleInfoOf(*second).Actions[0].Run();
    EXPECT_EQ(pages->ActivePage(), second) << "the tab's action shows its page";
    EXPECT_TRUE(Has(AccessibleInfoOf(*second), asSelected));
    EXPECT_TRUE(recorder.Heard(second, TAccessibleChange::States));
}

TEST_F(AccessibleTest, AKeyTheFormTakesIsNotTypedToo) {
    form->SetKeyPreview(true);
    form->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
        if (key == 'Q') key = 0;
    };
    edit->SetFocus();
    Pump();
    Press('Q');
    Press('W');
    EXPECT_EQ(edit->Text(), "w");
}

TEST_F(AccessibleTest, TheLoopTurnBoundsTheWaitAndFailuresAreReported) {
    int turns = 0;
    Application->OnLoopTurn = [&] {
        ++turns;
        return 0;
    };
    Pump();
    EXPECT_GE(turns, 1);
    Application->OnLoopTurn = []() -> int { throw Exception("bridge failed"); };
    bool reported = false;
    Application->OnException = [&](TObject*, const std::exception&) { reported = true; };
    Application->HandleMessage();
    EXPECT_TRUE(reported);
    Application->OnLoopTurn = nullptr;
}

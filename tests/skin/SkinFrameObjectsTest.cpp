// Frame objects of every kind a skin's records can make, and what each does under the mouse.
#include "FrameTestFixture.h"

#include "skin/SkinFrameExtraObjects.h"

namespace {

// Normal looks are red, active looks green, in one active picture. Objects lie where their
// looks lie (their skin rectangles are in this picture); the window has the frame
// picture's own size, so every object stays where its record puts it.
TBitmap Looks() {
    TBitmap b = skintest::SolidBitmap(400, 40, clRed);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clLime);
    c->FillRect(Rect(300, 0, 400, 40));
    return b;
}

const char* const Objects =
    "count=13\r\n0=gauge:gauge\r\n1=switch:switch\r\n2=track:trackbar\r\n3=label:label\r\n"
    "4=bits:bitlabel\r\n5=anim:animate\r\n6=fgauge:framegauge\r\n7=freg:frameregulator\r\n"
    "8=user:userobject\r\n9=group1:button\r\n10=group2:button\r\n11=item:menuitem\r\n"
    "12=custom:stdbutton\r\n"
    "[group1]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=10,22,20,32\r\n"
    "downrect=300,22,310,32\r\ngroupindex=1\r\n"
    "[group2]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=22,22,32,32\r\n"
    "downrect=300,22,310,32\r\ngroupindex=1\r\n"
    "[switch]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=34,22,44,32\r\n"
    "activeskinrect=300,22,310,32\r\n"
    "[gauge]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=46,22,86,28\r\n"
    "activeskinrect=300,22,340,28\r\nminvalue=0\r\nmaxvalue=100\r\n"
    "[anim]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=88,22,98,32\r\n"
    "countframes=3\r\ncycle=1\r\ntimerinterval=50\r\n"
    "[fgauge]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=120,22,130,32\r\n"
    "minvalue=0\r\nmaxvalue=10\r\ncountframes=11\r\n"
    "[track]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=10,0,70,8\r\n"
    "buttonrect=300,0,306,8\r\nbeginpoint=5,4\r\nendpoint=55,4\r\nminvalue=0\r\n"
    "maxvalue=50\r\n"
    "[freg]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=72,0,92,8\r\n"
    "minvalue=0\r\nmaxvalue=100\r\ncountframes=5\r\nkind=rkhorizontal\r\n"
    "[bits]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=94,0,124,8\r\n"
    "symbolwidth=5\r\nsymbolheight=8\r\nsymbolslinecount=1\r\nsymbolsline0=0123456789\r\n"
    "textvalue=42\r\n"
    "[label]\r\nskinrect=126,0,146,8\r\ntextvalue=Hi\r\n"
    "[user]\r\nskinrect=0,10,5,15\r\n"
    "[item]\r\nactivepictureindex=0\r\nskinrect=0,0,10,10\r\n"
    "[custom]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=0,0,12,12\r\n"
    "command=cmdefault\r\n";

std::string Description() {
    return "[VERSION]\r\nskinname=Objects\r\n[PICTURES]\r\npicture=frame.bmp\r\n"
           "activepicturescount=1\r\n0=looks.bmp\r\n"
           "[FORMINFO]\r\nclientrect=9,34,141,97\r\nlefttoppoint=40,50\r\n"
           "righttoppoint=110,50\r\nleftbottompoint=40,80\r\nrightbottompoint=110,80\r\n"
           "captionrect=7,8,143,21\r\nbuttonsoffset=3\r\n"
           "[SKINOBJECTS]\r\n" +
           std::string(Objects) + "[SKINCONTROLS]\r\ncount=0\r\n";
}

} // namespace

class FrameObjectsTest : public FrameTest {
protected:
    void Wear(bool customVisible = false) {
        form->SetBounds(100, 100, 150, 107);
        frame = MakeFrame();
        frame->OnActivateCustomObject = [customVisible](TObject*, const std::string& name,
                                                        bool& visible) {
            if (name == "custom") visible = customVisible;
        };
        store =
            StoreWith(Description(), skintest::SolidBitmap(150, 107, clNavy), nullptr, {Looks()});
        frame->SetSkinData(store);
        form->Show();
        Pump();
    }
    template <class T> T* Get(const char* name) {
        return dynamic_cast<T*>(frame->FindObject(name));
    }
};

TEST_F(FrameObjectsTest, EachRecordKindMakesItsObjectAndMenuPartsMakeNone) {
    Wear();
    EXPECT_NE(Get<TspSkinGaugeObject>("gauge"), nullptr);
    EXPECT_NE(Get<TspSkinSwitchObject>("switch"), nullptr);
    EXPECT_NE(Get<TspSkinTrackBarObject>("track"), nullptr);
    EXPECT_NE(Get<TspSkinLabelObject>("label"), nullptr);
    EXPECT_NE(Get<TspSkinBitLabelObject>("bits"), nullptr);
    EXPECT_NE(Get<TspSkinAnimateObject>("anim"), nullptr);
    EXPECT_NE(Get<TspSkinFrameGaugeObject>("fgauge"), nullptr);
    EXPECT_NE(Get<TspSkinFrameRegulatorObject>("freg"), nullptr);
    EXPECT_NE(Get<TspUserObject>("user"), nullptr);
    EXPECT_NE(Get<TspSkinButtonObject>("group1"), nullptr);
    EXPECT_EQ(Get<TspSkinStdButtonObject>("group1"), nullptr) << "a plain button";
    EXPECT_EQ(frame->FindObject("item"), nullptr);
    EXPECT_EQ(frame->ObjectCount(), 12);
    EXPECT_EQ(frame->TitleCaption(), nullptr);
    EXPECT_EQ(frame->FindObject("gauge")->ObjectRect, Rect(46, 22, 86, 28));
    // Nothing of them fails to paint.
    TBitmap out(form->Width(), form->Height());
    frame->PaintFrame(*out.Canvas());
}

TEST_F(FrameObjectsTest, ACustomButtonShowsOnlyWhenItsUserAsks) {
    Wear();
    EXPECT_FALSE(Get<TspSkinStdButtonObject>("custom")->Visible);
    Application->Reset();
    SetUp();
    Wear(true);
    TspSkinStdButtonObject* custom = Get<TspSkinStdButtonObject>("custom");
    ASSERT_TRUE(custom->Visible);
    EXPECT_EQ(custom->ObjectRect, Rect(143 - 12, 8, 143, 20)) << "first in the button row";
}

TEST_F(FrameObjectsTest, GroupButtonsStayDownUntilAnotherOfTheGroupGoesDown) {
    Wear();
    auto* one = Get<TspSkinButtonObject>("group1");
    auto* two = Get<TspSkinButtonObject>("group2");
    ClickAt(14, 27);
    EXPECT_TRUE(one->Down) << "stays down after the release";
    EXPECT_EQ(Pixel(12, 24), ColorToRGB(clLime)) << "its pressed look";
    ClickAt(26, 27);
    EXPECT_TRUE(two->Down);
    EXPECT_FALSE(one->Down);
    EXPECT_EQ(Pixel(12, 24), ColorToRGB(clRed));
}

TEST_F(FrameObjectsTest, ASwitchTurnsOnAndOffByClicks) {
    Wear();
    auto* s = Get<TspSkinSwitchObject>("switch");
    ClickAt(38, 27);
    EXPECT_TRUE(s->On());
    EXPECT_EQ(Pixel(36, 24), ColorToRGB(clLime));
    display->Advance(1000);
    ClickAt(38, 27);
    EXPECT_FALSE(s->On());
    EXPECT_EQ(Pixel(36, 24), ColorToRGB(clRed));
}

TEST_F(FrameObjectsTest, AGaugeShowsItsValueAsAPartOfItsActiveLook) {
    Wear();
    auto* g = Get<TspSkinGaugeObject>("gauge");
    g->SetValue(250);
    EXPECT_EQ(g->Value(), 100) << "kept within its limits";
    g->SetValue(50);
    frame->RepaintFrame();
    EXPECT_EQ(Pixel(50, 24), ColorToRGB(clLime));
    EXPECT_EQ(Pixel(80, 24), ColorToRGB(clRed));
}

TEST_F(FrameObjectsTest, TrackBarAndRegulatorFollowTheDraggingMouse) {
    Wear();
    auto* t = Get<TspSkinTrackBarObject>("track");
    EXPECT_EQ(t->ButtonRect(), Rect(10 + 5 - 3, 0, 10 + 5 + 3, 8));
    Press(t->ButtonRect().Left + 2, 4);
    MoveTo(10 + 5 + 25, 4);
    Release();
    EXPECT_EQ(t->Value(), 25);
    auto* r = Get<TspSkinFrameRegulatorObject>("freg");
    display->Advance(1000);
    Press(72, 4);
    EXPECT_EQ(r->Value(), 0);
    MoveTo(91, 4);
    Release();
    EXPECT_EQ(r->Value(), 100);
    EXPECT_EQ(r->FrameIndex(), 4);
}

TEST_F(FrameObjectsTest, ABitLabelFindsItsSymbolsAndACyclingAnimationRuns) {
    Wear();
    auto* bits = Get<TspSkinBitLabelObject>("bits");
    EXPECT_EQ(bits->SymbolRect('4'), Bounds(20, 0, 5, 8));
    EXPECT_TRUE(bits->SymbolRect('x').IsEmpty());
    auto* anim = Get<TspSkinAnimateObject>("anim");
    EXPECT_EQ(anim->CurrentFrame(), 0);
    Wait(60);
    EXPECT_EQ(anim->CurrentFrame(), 1);
    Wait(100);
    EXPECT_EQ(anim->CurrentFrame(), 0) << "three frames, then round again";
}

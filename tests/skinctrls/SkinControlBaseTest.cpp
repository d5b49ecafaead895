// The skinned control bases on real forms: finding and caching the record, fitting size and
// shape to it, following a change of skin through the skin messages, painting once per
// invalidation through an off-screen image, blending over the background, the hover morph
// and click-to-focus.
#include "SkinCtrlsTest.h"

#include "skin/ResourceStrData.h"
#include "skin/SkinAware.h"
#include "skin/SkinMessages.h"
#include "skinctrls/GraphicSkinCustomControl.h"
#include "skinctrls/SkinCustomControl.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// The controls' picture: every pixel its own colour, so a cut can be told by its source.
TColor Source(int x, int y) {
    return RGB(std::uint8_t(x * 3), std::uint8_t(y * 4), std::uint8_t(128 + (x + y) % 100));
}

// A skin folder written to a fresh temporary directory.
class SkinFolder {
public:
    explicit SkinFolder(const std::string& controls) {
        static int serial = 0;
        m_dir = std::filesystem::temp_directory_path() /
                ("brelvan-skinbase-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        std::filesystem::create_directories(m_dir);
        TBitmap pic(80, 60);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) pic.ScanLine(y)[x] = ColorToPixel(Source(x, y));
        pic.SaveToFile((m_dir / "controls.bmp").string());
        // The fixed mask: black, with its two opposite corners cut away.
        TBitmap mask(20, 10);
        mask.Fill(clBlack);
        mask.ScanLine(0)[0] = ColorToPixel(clWhite);
        mask.ScanLine(9)[19] = ColorToPixel(clWhite);
        mask.SaveToFile((m_dir / "mask.bmp").string());
        std::ofstream ini(m_dir / "skin.ini", std::ios::binary);
        ini << "[VERSION]\nskinname=Test\n[PICTURES]\nactivepicturescount=2\n0=controls.bmp\n"
               "1=mask.bmp\n[FORMINFO]\nclientrect=0,0,0,0\n[SKINOBJECTS]\ncount=0\n"
            << controls;
    }
    ~SkinFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    std::string Ini() const { return (m_dir / "skin.ini").string(); }

private:
    std::filesystem::path m_dir;
};

const char* kControls = "[SKINCONTROLS]\ncount=8\n0=fixed:button\n1=four:button\n2=horz:button\n"
                        "3=vert:button\n4=bevel:bevel\n5=masked:button\n6=lost:button\n"
                        "7=fourmask:button\n"
                        "[fixed]\npictureindex=0\nskinrect=0,0,20,10\ncursorindex=2\n"
                        "[four]\npictureindex=0\nskinrect=0,0,40,30\nlefttoppoint=10,10\n"
                        "righttoppoint=30,10\nleftbottompoint=10,20\nrightbottompoint=30,20\n"
                        "clientrect=5,5,35,25\n"
                        "[horz]\npictureindex=0\nskinrect=0,30,40,45\nlefttoppoint=10,5\n"
                        "righttoppoint=30,5\nclientrect=3,3,37,12\nmorphing=1\n"
                        "activeskinrect=40,30,80,45\n"
                        "[vert]\npictureindex=0\nskinrect=40,0,60,30\nlefttoppoint=5,10\n"
                        "leftbottompoint=5,20\nclientrect=3,3,17,27\n"
                        "[bevel]\npictureindex=0\nskinrect=0,0,20,10\n"
                        "[masked]\npictureindex=0\nmaskpictureindex=1\nskinrect=0,0,20,10\n"
                        "[lost]\npictureindex=7\nskinrect=0,0,20,10\n"
                        "[fourmask]\npictureindex=0\nmaskpictureindex=1\nskinrect=0,0,20,10\n"
                        "lefttoppoint=5,3\nrighttoppoint=15,3\nleftbottompoint=5,7\n"
                        "rightbottompoint=15,7\nclientrect=2,2,18,8\n";

// A sliced control that counts its paints and looks active while the mouse is over it.
class Probe : public TspSkinCustomControl {
public:
    explicit Probe(TComponent* owner) : TspSkinCustomControl(owner) {}
    int skinnedPaints = 0, defaultPaints = 0, morphSteps = 0;
    bool focusByClick = false;
    int mouseDowns = 0;
    int indexAtApply = 99;
    using TspSkinCustomControl::ChooseSkinFont;
    using TspSkinCustomControl::MorphRunning;
    void SetContainer(bool on) { m_containerPainting = on; }
    void ApplySkinChange() override {
        indexAtApply = SkinIndex();
        TspSkinCustomControl::ApplySkinChange();
    }

protected:
    void PaintSkinned(TBitmap& b) override {
        ++skinnedPaints;
        auto* r = dynamic_cast<TspDataSkinButtonControl*>(SkinRecord());
        if (!MorphRunning() || !r) {
            TspSkinCustomControl::PaintSkinned(b);
            return;
        }
        TBitmap normal, active;
        m_cache.DrawPicture(normal, m_cache.skinrect, Width(), Height(), false);
        m_cache.DrawPicture(active, r->activeskinrect, Width(), Height(), false);
        DrawMorphed(b, normal, active);
    }
    void PaintDefault(TBitmap& b) override {
        ++defaultPaints;
        TspSkinCustomControl::PaintDefault(b);
    }
    bool RecordMorphing() const override {
        auto* r = dynamic_cast<TspDataSkinButtonControl*>(SkinRecord());
        return r && r->morphing;
    }
    void MorphStep() override {
        ++morphSteps;
        TspSkinCustomControl::MorphStep();
    }
    bool ClickToFocus() const override { return focusByClick; }
    void CMMouseEnter(TCMMouseEnterLeave& m) override {
        TspSkinCustomControl::CMMouseEnter(m);
        RefreshMorph();
    }
    void CMMouseLeave(TCMMouseEnterLeave& m) override {
        TspSkinCustomControl::CMMouseLeave(m);
        RefreshMorph();
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        ++mouseDowns;
        TspSkinCustomControl::MouseDown(button, shift, x, y);
    }
};

class GraphicProbe : public TspGraphicSkinCustomControl {
public:
    explicit GraphicProbe(TComponent* owner) : TspGraphicSkinCustomControl(owner) {}
    int paints = 0;

protected:
    void PaintSkinned(TBitmap& b) override {
        ++paints;
        TspGraphicSkinCustomControl::PaintSkinned(b);
    }
};

// A form that passes the store's skin messages on to its skin-aware controls, depth first,
// as the skinned frame does.
class RelayForm : public TForm {
public:
    explicit RelayForm(TComponent* owner) : TForm(owner) {}

protected:
    void DefaultHandler(TMessage& m) override {
        if (m.Msg == WM_SKINCHANGING || m.Msg == WM_SKINCHANGED)
            Walk(this, reinterpret_cast<TspSkinData*>(m.WParam), m.Msg == WM_SKINCHANGING);
        TForm::DefaultHandler(m);
    }

private:
    static void Walk(TWinControl* parent, TspSkinData* data, bool prepare) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* c = parent->Controls(i);
            if (auto* aware = dynamic_cast<TspSkinAware*>(c);
                aware && (!data || aware->SkinData() == data))
                prepare ? aware->PrepareSkinChange() : aware->ApplySkinChange();
            if (auto* w = dynamic_cast<TWinControl*>(c)) Walk(w, data, prepare);
        }
    }
};

} // namespace

class SkinControlBaseTest : public SkinCtrlsTest {
protected:
    TForm* Form(int w = 300, int h = 200) {
        TForm* f = Application->CreateForm<RelayForm>();
        f->SetBounds(100, 100, 10, 10);
        f->SetClientWidth(w);
        f->SetClientHeight(h);
        return f;
    }
    TspSkinData* Store(TForm* form, const SkinFolder& folder) {
        auto* data = new TspSkinData(form);
        data->ApplySkinFile(folder.Ini());
        EXPECT_FALSE(data->SkinEmpty());
        return data;
    }
    template <class T = Probe>
    T* Place(TForm* form, TspSkinData* data, const std::string& name, TRect bounds) {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetSkinDataName(name);
        c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        c->SetSkinData(data);
        return c;
    }
};

TEST_F(SkinControlBaseTest, SliceModeIsChosenInItsOrder) {
    const TRect skin = Rect(0, 0, 10, 10);
    // The right-bottom point counts only with both coordinates set.
    EXPECT_EQ(SliceModeOf(skin, {10, 0}, {0, 0}, {0, 5}), smHorizontal);
    EXPECT_EQ(SliceModeOf(skin, {10, 0}, {3, 3}, {4, 5}), smFourCorner);
    EXPECT_EQ(SliceModeOf(skin, {0, 1}, {3, 3}, {0, 0}), smHorizontal);
    EXPECT_EQ(SliceModeOf(skin, {0, 0}, {0, 7}, {9, 0}), smVertical);
    EXPECT_EQ(SliceModeOf(skin, {0, 0}, {0, 0}, {0, 0}), smFixed);
    // An empty skin rect wins over every point.
    EXPECT_EQ(SliceModeOf(Rect(5, 5, 5, 20), {1, 1}, {1, 1}, {1, 1}), smNoPicture);
    EXPECT_EQ(SliceModeOf(Rect(5, 5, 9, 2), {1, 1}, {1, 1}, {1, 1}), smNoPicture);
}

TEST_F(SkinControlBaseTest, TheProgramsButtonsFitTheirRecords) {
    TForm* form = NewForm(300, 100);
    TspSkinData* data = ProgramSkin(form);
    auto* button = Place(form, data, "button", Rect(10, 10, 123, 35)); // asks for 113 x 25
    EXPECT_EQ(button->SliceMode(), smHorizontal);
    EXPECT_EQ(button->Width(), 113);
    EXPECT_EQ(button->Height(), 26);
    button->SetBounds(10, 10, 200, 40);
    EXPECT_EQ(button->Width(), 200);
    EXPECT_EQ(button->Height(), 26);
    auto* resize = Place(form, data, "resizebutton", Rect(10, 50, 35, 69)); // 25 x 19
    EXPECT_EQ(resize->SliceMode(), smFourCorner);
    EXPECT_EQ(resize->Width(), 25);
    EXPECT_EQ(resize->Height(), 19);
}

TEST_F(SkinControlBaseTest, SizesFollowTheSliceMode) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    TspSkinData* data = Store(form, folder);
    auto* fixed = Place(form, data, "fixed", Rect(0, 0, 77, 33));
    EXPECT_EQ(fixed->SliceMode(), smFixed);
    EXPECT_EQ(fixed->BoundsRect(), Rect(0, 0, 20, 10));
    auto* four = Place(form, data, "four", Rect(0, 40, 97, 83));
    EXPECT_EQ(four->BoundsRect(), Rect(0, 40, 97, 83));
    EXPECT_EQ(four->RecordCache().NewClRect, Rect(5, 5, 35 + 57, 25 + 13));
    EXPECT_EQ(four->RecordCache().NewRBPoint, Point(30 + 57, 20 + 13));
    auto* horz = Place(form, data, "horz", Rect(0, 90, 70, 130));
    EXPECT_EQ(horz->BoundsRect(), Rect(0, 90, 70, 105));
    EXPECT_EQ(horz->RecordCache().NewRTPoint, Point(60, 5));
    auto* vert = Place(form, data, "vert", Rect(100, 0, 170, 80));
    EXPECT_EQ(vert->BoundsRect(), Rect(100, 0, 120, 80));
    EXPECT_EQ(vert->RecordCache().NewLBPoint, Point(5, 70));
    // A record of another class gives no picture and no fitting: the size stays.
    auto* bevel = Place(form, data, "bevel", Rect(200, 0, 255, 21));
    EXPECT_NE(bevel->SkinIndex(), -1);
    EXPECT_EQ(bevel->SliceMode(), smFixed);
    EXPECT_EQ(bevel->BoundsRect(), Rect(200, 0, 255, 21));
    // Changing the name alone does not resize; the next skin change does.
    fixed->SetSkinDataName("vert");
    EXPECT_EQ(fixed->BoundsRect(), Rect(0, 0, 20, 10));
    fixed->ApplySkinChange();
    EXPECT_EQ(fixed->Width(), 20);
    fixed->SetSkinDataName("horz");
    fixed->ApplySkinChange();
    EXPECT_EQ(fixed->BoundsRect(), Rect(0, 0, 20, 15));
}

TEST_F(SkinControlBaseTest, PaintsTheCutPictureOncePerInvalidation) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    TspSkinData* data = Store(form, folder);
    auto* four = Place(form, data, "four", Rect(10, 10, 110, 70));
    form->Show();
    Pump();
    // Corners 1:1, the client part tiled from the resized client rect.
    EXPECT_EQ(PixelOf(four, 2, 3), Source(2, 3));
    EXPECT_EQ(PixelOf(four, 99, 59), Source(39, 29));
    EXPECT_EQ(PixelOf(four, 5 + 30 + 4, 5 + 20 + 1), Source(5 + 4, 5 + 1));
    for (int round = 0; round < 3; ++round) {
        const int before = four->skinnedPaints;
        four->Invalidate();
        Pump();
        EXPECT_EQ(four->skinnedPaints, before + 1);
    }
    // A repaint of the whole window with its children paints the control once too.
    const int before = four->skinnedPaints;
    RedrawWindow(form->Handle(), nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Pump();
    EXPECT_EQ(four->skinnedPaints, before + 1);
    EXPECT_EQ(four->defaultPaints, 0);
    // The erase-background message leaves every pixel to the paint.
    TBitmap under(100, 60);
    under.Fill(clBlue);
    EXPECT_EQ(four->Perform(WM_ERASEBKGND, WPARAM(under.Canvas()), 0), 1);
    EXPECT_EQ(under.PixelColor(50, 30), clBlue);
}

TEST_F(SkinControlBaseTest, WithoutARecordTheBuiltInLookAndDefaultSize) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    TspSkinData* data = Store(form, folder);
    auto* missing = Place(form, data, "nothere", Rect(10, 10, 60, 40));
    auto* lost = Place(form, data, "lost", Rect(10, 50, 60, 80)); // picture 7 of 2
    form->Show();
    Pump();
    EXPECT_EQ(missing->SkinIndex(), -1);
    EXPECT_EQ(missing->BoundsRect(), Rect(10, 10, 60, 40));
    EXPECT_EQ(PixelOf(missing, 25, 15), ColorToRGB(clBtnFace));
    EXPECT_GT(missing->defaultPaints, 0);
    EXPECT_NE(lost->SkinIndex(), -1);
    EXPECT_EQ(PixelOf(lost, 5, 5), ColorToRGB(clBtnFace));
    missing->SetDefaultWidth(33);
    missing->SetDefaultHeight(-4); // only values above 0 act
    EXPECT_EQ(missing->BoundsRect(), Rect(10, 10, 43, 40));
    missing->SetDrawDefault(false);
    missing->SetBounds(10, 10, 60, 30);
    missing->ApplySkinChange();
    EXPECT_EQ(missing->Width(), 33);
    const int before = missing->defaultPaints;
    missing->Invalidate();
    Pump();
    EXPECT_EQ(missing->defaultPaints, before);
}

TEST_F(SkinControlBaseTest, FollowsAChangeOfSkinThroughTheSkinMessages) {
    SkinFolder first(kControls);
    SkinFolder second("[SKINCONTROLS]\ncount=2\n0=four:button\n1=fixed:button\n"
                      "[four]\npictureindex=0\nskinrect=40,0,75,12\n"
                      "[fixed]\npictureindex=0\nskinrect=0,0,20,10\n");
    TForm* form = Form();
    TspSkinData* data = Store(form, first);
    auto* four = Place(form, data, "four", Rect(10, 10, 110, 70));
    form->Show();
    Pump();
    EXPECT_EQ(four->SkinIndex(), 1);
    EXPECT_EQ(four->SliceMode(), smFourCorner);
    // The store's own broadcast reaches the form, which relays it to the control: first the
    // record is dropped, then looked up again in the new skin (now a fixed 35 x 12 picture).
    data->ApplySkinFile(second.Ini());
    EXPECT_EQ(four->indexAtApply, -1);
    EXPECT_EQ(four->SkinIndex(), 0);
    EXPECT_EQ(four->SliceMode(), smFixed);
    EXPECT_EQ(four->BoundsRect(), Rect(10, 10, 45, 22));
    Pump();
    EXPECT_EQ(PixelOf(four, 0, 0), Source(40, 0));
    // A store that goes away leaves the control unskinned, without a dangling reference.
    delete data;
    EXPECT_EQ(four->SkinData(), nullptr);
    EXPECT_EQ(four->SkinIndex(), -1);
    EXPECT_EQ(PixelOf(four, 3, 3), ColorToRGB(clBtnFace));
}

TEST_F(SkinControlBaseTest, AlphaBlendMixesWithTheParentsBackground) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    form->SetColor(clRed);
    TspSkinData* data = Store(form, folder);
    auto* plain = Place(form, data, "fixed", Rect(10, 10, 30, 20));
    auto* opaque = Place(form, data, "fixed", Rect(40, 10, 60, 20));
    opaque->SetAlphaBlend(true);
    opaque->SetAlphaBlendValue(255);
    auto* clear = Place(form, data, "fixed", Rect(70, 10, 90, 20));
    clear->SetAlphaBlend(true);
    clear->SetAlphaBlendValue(0);
    auto* half = Place(form, data, "fixed", Rect(100, 10, 120, 20));
    half->SetAlphaBlend(true);
    half->SetAlphaBlendValue(102); // k = 0.6 of the background
    form->Show();
    Pump();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(PixelOf(opaque, x, y), PixelOf(plain, x, y));
            ASSERT_EQ(PixelOf(clear, x, y), ColorToRGB(clRed));
        }
    // What lies under includes the siblings painted before the control.
    auto* under = Place(form, data, "four", Rect(150, 10, 200, 40));
    auto* over = Place(form, data, "fixed", Rect(160, 15, 180, 25));
    over->SetAlphaBlend(true);
    over->SetAlphaBlendValue(0);
    Pump();
    EXPECT_EQ(PixelOf(over, 3, 2), PixelOf(under, 13, 7));
    EXPECT_EQ(PixelOf(over, 3, 2), Source(13, 7));
    const TColor s = Source(5, 5), h = PixelOf(half, 5, 5);
    EXPECT_NEAR(GetRValue(h), 0.4 * GetRValue(s) + 0.6 * 255, 0.51);
    EXPECT_NEAR(GetGValue(h), 0.4 * GetGValue(s), 0.51);
    EXPECT_NEAR(GetBValue(h), 0.4 * GetBValue(s), 0.51);
}

TEST_F(SkinControlBaseTest, MaskShapesTheWindow) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    TspSkinData* data = Store(form, folder);
    auto* masked = Place(form, data, "masked", Rect(10, 10, 50, 50));
    auto* sliced = Place(form, data, "fourmask", Rect(10, 60, 70, 90));
    auto* plain = Place(form, data, "fixed", Rect(10, 100, 30, 110));
    form->Show();
    Pump();
    TRegion r;
    ASSERT_TRUE(GetWindowRgn(masked->Handle(), r));
    EXPECT_FALSE(r.Contains(0, 0));
    EXPECT_FALSE(r.Contains(19, 9));
    EXPECT_TRUE(r.Contains(1, 0));
    EXPECT_TRUE(r.Contains(18, 9));
    ASSERT_TRUE(GetWindowRgn(sliced->Handle(), r));
    EXPECT_FALSE(r.Contains(0, 0));
    EXPECT_FALSE(r.Contains(59, 29)); // the cut corner moves with the size
    EXPECT_TRUE(r.Contains(58, 29));
    EXPECT_TRUE(r.Contains(30, 15));
    EXPECT_FALSE(GetWindowRgn(plain->Handle(), r));
    // A record without a mask takes the shape away again.
    masked->SetSkinDataName("fixed");
    masked->ApplySkinChange();
    EXPECT_FALSE(GetWindowRgn(masked->Handle(), r));
}

TEST_F(SkinControlBaseTest, SkinCursor) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    TspSkinData* data = Store(form, folder);
    auto* c = new Probe(form);
    c->SetParent(form);
    c->SetCursor(crHandPoint);
    c->SetSkinDataName("fixed");
    c->SetSkinData(data); // UseSkinCursor off: the cursor stays
    EXPECT_EQ(c->Cursor(), crHandPoint);
    c->SetUseSkinCursor(true);
    c->ApplySkinChange();
    EXPECT_EQ(c->Cursor(), data->StartCursorIndex() + 2);
    c->SetSkinDataName("four"); // no cursor in the record
    c->ApplySkinChange();
    EXPECT_EQ(c->Cursor(), crDefault);
}

TEST_F(SkinControlBaseTest, FontRule) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    TspSkinData* data = Store(form, folder);
    auto* c = Place(form, data, "horz", Rect(0, 0, 40, 15));
    c->DefaultFont()->SetName("Courier New");
    c->DefaultFont()->SetColor(clGreen);
    TFont font;
    font.SetColor(clRed);
    TFontStyles bold;
    bold.Include(fsBold);
    // With a record and UseSkinFont: the record's face, height and style; colour untouched.
    c->ChooseSkinFont(font, "Verdana", 20, spfsBold);
    EXPECT_EQ(font.Name(), "Verdana");
    EXPECT_EQ(font.Height(), 20);
    EXPECT_EQ(font.Style(), bold);
    EXPECT_EQ(font.Color(), clRed);
    // Without UseSkinFont, or without a record: a copy of DefaultFont.
    c->SetUseSkinFont(false);
    c->ChooseSkinFont(font, "Verdana", 20, spfsBold);
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(font.Height(), 14);
    EXPECT_EQ(font.Color(), clGreen);
    c->SetUseSkinFont(true);
    c->SetSkinDataName("nothere");
    c->LookUpSkinRecord();
    c->ChooseSkinFont(font, "Verdana", 20, spfsBold);
    EXPECT_EQ(font.Name(), "Courier New");
    // The character set comes from the store's string table when it has one.
    auto* strings = new TspResourceStrData(form);
    strings->SetCharSet(204);
    data->SetResourceStrData(strings);
    c->ChooseSkinFont(font, "Verdana", 20, 0);
    EXPECT_EQ(int(font.Charset()), 204);
}

TEST_F(SkinControlBaseTest, HoverMorphStepsAndStops) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    TspSkinData* data = Store(form, folder);
    auto* horz = Place(form, data, "horz", Rect(10, 10, 50, 25)); // own size: 40 x 15
    form->Show();
    Pump();
    EXPECT_EQ(horz->MorphFactor(), 0.0);
    MoveTo(horz, 20, 7);
    std::vector<double> seen;
    for (int i = 0; i < 5; ++i) {
        display->Advance(20);
        Pump();
        seen.push_back(horz->MorphFactor());
        if (i == 1) {
            // Between the looks: the blend of normal (0,30..) and active (40,30..) at 0.4.
            const TColor n = Source(20, 37), a = Source(60, 37), p = PixelOf(horz, 20, 7);
            EXPECT_NEAR(GetRValue(p), 0.6 * GetRValue(n) + 0.4 * GetRValue(a), 0.51);
            EXPECT_NEAR(GetBValue(p), 0.6 * GetBValue(n) + 0.4 * GetBValue(a), 0.51);
        }
    }
    ASSERT_EQ(seen.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(seen[std::size_t(i)], 0.2 * (i + 1), 1e-9);
    EXPECT_EQ(seen[4], 1.0);
    // The next tick keeps exactly 1 and stops the timer; no tick follows.
    display->Advance(20);
    Pump();
    EXPECT_EQ(horz->MorphFactor(), 1.0);
    const int steps = horz->morphSteps;
    display->Advance(100);
    Pump();
    EXPECT_EQ(horz->morphSteps, steps);
    // Leaving fades back in five steps to exactly 0.
    MoveTo(form, 200, 150);
    for (int i = 0; i < 6; ++i) {
        display->Advance(20);
        Pump();
    }
    EXPECT_EQ(horz->MorphFactor(), 0.0);
    EXPECT_FALSE(horz->MorphRunning());
    // Without skin effects the look switches at once.
    data->SetEnableSkinEffects(false);
    const int before = horz->morphSteps;
    MoveTo(horz, 20, 7);
    display->Advance(100);
    Pump();
    EXPECT_EQ(horz->morphSteps, before);
    // Disabling the control stops a running morph and resets it.
    data->SetEnableSkinEffects(true);
    MoveTo(form, 200, 150);
    MoveTo(horz, 20, 7);
    display->Advance(40);
    Pump();
    horz->SetEnabled(false);
    EXPECT_EQ(horz->MorphFactor(), 0.0);
    const int frozen = horz->morphSteps;
    display->Advance(100);
    Pump();
    EXPECT_EQ(horz->morphSteps, frozen);
}

TEST_F(SkinControlBaseTest, ClickFocusesFirstAndDropsThePressWhenRefused) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    TspSkinData* data = Store(form, folder);
    auto* a = Place(form, data, "four", Rect(10, 10, 60, 50));
    auto* b = Place(form, data, "four", Rect(100, 10, 150, 50));
    a->SetTabStop(true);
    b->SetTabStop(true);
    form->Show();
    Pump();
    b->SetFocus();
    Pump();
    Click(a, 20, 20); // no click-to-focus: the press is taken, the focus stays
    EXPECT_EQ(a->mouseDowns, 1);
    EXPECT_FALSE(a->Focused());
    EXPECT_TRUE(b->Focused());
    a->focusByClick = true;
    Click(a, 20, 20);
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(a->mouseDowns, 2);
    // A control whose focus is taken elsewhere as it arrives gets no press.
    b->focusByClick = true;
    b->OnEnter = [&](TObject*) { a->SetFocus(); };
    Click(b, 20, 20);
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(b->mouseDowns, 0);
}

TEST_F(SkinControlBaseTest, ContainersPaintFromStripsAndTileTheirClient) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    TspSkinData* data = Store(form, folder);
    auto* panel = new Probe(form);
    panel->SetContainer(true);
    panel->SetParent(form);
    panel->SetSkinDataName("four");
    panel->SetBounds(10, 10, 140, 100);
    panel->SetSkinData(data);
    form->Show();
    Pump();
    // PaintSkinned got the top strip only.
    EXPECT_GT(panel->skinnedPaints, 0);
    EXPECT_EQ(PixelOf(panel, 1, 1), Source(1, 1));
    EXPECT_EQ(PixelOf(panel, 139, 99), Source(39, 29));
    EXPECT_EQ(PixelOf(panel, 5 + 30 + 2, 5 + 20 + 3), Source(5 + 2, 5 + 3));
    // The left strip (from y = 5) tiles its middle, rows 10..20 of the picture, from its top.
    EXPECT_EQ(PixelOf(panel, 2, 5 + 13), Source(2, 10 + 3));
    EXPECT_EQ(PixelOf(panel, 2, 5 + 2), Source(2, 5 + 2)); // the fixed piece above
}

TEST_F(SkinControlBaseTest, WindowlessBaseDrawsOnItsParentAndBlendsWithoutRecursion) {
    SkinFolder folder(kControls);
    TForm* form = Form();
    form->SetColor(clBlue);
    TspSkinData* data = Store(form, folder);
    auto* g = Place<GraphicProbe>(form, data, "fixed", Rect(20, 20, 80, 80));
    EXPECT_EQ(g->BoundsRect(), Rect(20, 20, 40, 30));
    auto* blended = Place<GraphicProbe>(form, data, "four", Rect(60, 20, 120, 60));
    blended->SetAlphaBlend(true);
    blended->SetAlphaBlendValue(0);
    form->Show();
    Pump();
    EXPECT_EQ(PixelOf(form, 25, 22), Source(5, 2));
    EXPECT_EQ(PixelOf(form, 70, 30), ColorToRGB(clBlue));
    const int before = blended->paints;
    blended->Invalidate();
    Pump();
    EXPECT_EQ(blended->paints, before + 1);
}

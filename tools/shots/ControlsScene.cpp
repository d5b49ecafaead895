// The "controls" scene: every skinned control in each of its looks side by side, on one
// form wearing the program's skin.
#include "Scene.h"
#include "SceneArt.h"
#include "data/ProgramSkin.h"
#include "platform/HeadlessDisplay.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skinctrls/SkinBevel.h"
#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinLinkLabel.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinShadowLabel.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinStdLabel.h"
#include "skinctrls/SkinXFormButton.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Snapshot.h"

namespace {

constexpr TColor Surface = RGB(238, 241, 245);

// A glyph strip of two cells: a small arrow, and its grey disabled cell.
TBitmap ArrowGlyph() {
    TBitmap strip(24, 12);
    strip.Fill(clFuchsia);
    TCanvas& c = *strip.Canvas();
    for (int cell = 0; cell < 2; ++cell) {
        c.Brush()->SetColor(cell == 0 ? RGB(30, 110, 200) : RGB(160, 168, 180));
        c.Pen()->SetColor(c.Brush()->Color());
        int x = cell * 12;
        c.Polygon({{x + 2, 2}, {x + 9, 6}, {x + 2, 10}});
    }
    return strip;
}

// A picture for the shadow label to lie on: a soft diagonal of the skin's blues.
TBitmap Backdrop(int w, int h) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double t = double(x + y) / double(w + h);
            int r = int(150 + 80 * t), g = int(190 + 40 * t), bl = 250;
            b.ScanLine(y)[x] = ColorToPixel(RGB(r, g, bl));
        }
    return b;
}

class ControlsSheet {
public:
    explicit ControlsSheet(TForm* form) : m_form(form) {
        m_skin = new TspSkinData(form);
        auto* stored = new TspCompressedStoredSkin(form);
        LoadProgramSkin(*stored, CurrentDisplay().DeviceScale()); // as the program does
        m_skin->SetCompressedStoredSkin(stored);
        // The form wears the skin's frame too.
        auto* frame = new TspSkinFrame(form);
        frame->SetBorderIcons(biSystemMenu | biMinimize);
        frame->SetSkinData(m_skin);
    }

    // A heading over each group of controls.
    void Heading(const char* text, int x, int y) { Text(text, x, y, 13, true, RGB(96, 106, 122)); }
    // A small note under a control.
    void Note(const char* text, int x, int y) { Text(text, x, y, 11, false, RGB(120, 128, 142)); }
    void Text(const char* text, int x, int y, int height, bool bold, TColor color) {
        auto* label = Make<TspSkinStdLabel>(m_form);
        label->SetUseSkinFont(false);
        label->SetUseSkinColor(false);
        label->Font()->SetName("Arial");
        label->Font()->SetHeight(height);
        if (bold) label->Font()->SetStyle({fsBold});
        label->Font()->SetColor(color);
        label->SetCaption(text);
        label->SetLeft(x);
        label->SetTop(y);
    }

    template <class T> T* Make(TWinControl* parent) {
        T* c = new T(m_form);
        c->SetParent(parent);
        if constexpr (requires { c->SetSkinData(m_skin); }) c->SetSkinData(m_skin);
        return c;
    }

    TspSkinData* Skin() const { return m_skin; }

private:
    TForm* m_form;
    TspSkinData* m_skin;
};

// Lets the fake clock run, with the loop handling the timers on the way.
void RunClock(int ms) {
    auto* display = dynamic_cast<HeadlessDisplay*>(&CurrentDisplay());
    for (int t = 0; t < ms; t += 10) {
        if (display) display->Advance(10);
        Application->ProcessMessages();
    }
}

void RenderControls(const std::string& pngPath) {
    TForm* form = Application->CreateForm<TForm>();
    form->SetCaption("Brelvan - skinned controls");
    form->SetBorderStyle(bsSingle);
    form->SetBounds(40, 40, 100, 100);
    form->SetColor(Surface);
    ControlsSheet s(form);
    form->SetClientWidth(900);
    form->SetClientHeight(660);

    // --- buttons: normal, hovered half-way and fully, pressed, disabled, focused ---
    s.Heading("Buttons", 12, 8);
    const char* buttonNotes[] = {"normal", "hover 60%", "hover", "pressed", "disabled", "focused"};
    std::vector<TspSkinButton*> buttons;
    for (int i = 0; i < 6; ++i) {
        auto* b = s.Make<TspSkinXFormButton>(form);
        b->SetBounds(12 + i * 104, 28, 96, 25);
        b->SetCaption(i == 5 ? "CLEAR" : "LOGIN");
        buttons.push_back(b);
        s.Note(buttonNotes[i], 16 + i * 104, 58);
    }
    buttons[3]->SetGroupIndex(1);
    buttons[3]->SetDown(true);
    buttons[4]->SetEnabled(false);
    buttons[5]->SetCanFocused(true);
    auto* glyph = s.Make<TspSkinButton>(form);
    glyph->SetBounds(636, 28, 96, 25);
    glyph->SetCaption("Next");
    glyph->SetGlyph(ArrowGlyph());
    glyph->SetNumGlyphs(2);
    glyph->SetLayout(blGlyphRight);
    glyph->SetSpacing(6);
    s.Note("glyph", 640, 58);
    auto* dots = s.Make<TspSkinXFormButton>(form);
    dots->SetSkinDataName("resizebutton");
    dots->SetBounds(742, 31, 25, 19);
    dots->SetCaption("...");
    dots->ApplySkinChange();
    s.Note("resize", 740, 58);
    auto* plainButton = s.Make<TspSkinButton>(form);
    plainButton->SetSkinData(nullptr);
    plainButton->SetBounds(780, 28, 96, 25);
    plainButton->SetCaption("No skin");
    s.Note("built-in", 784, 58);

    // --- check and radio boxes ---
    s.Heading("Check and radio boxes", 12, 80);
    struct BoxLook {
        const char* caption;
        int width;
        bool radio, flat, enabled, hovered, grayed, checked;
    } looks[] = {
        {"Remember", 90, false, true, true, false, false, false},
        {"Checked", 84, false, true, true, false, false, true},
        {"Grayed", 78, false, true, true, false, true, false},
        {"Disabled", 84, false, true, false, false, false, true},
        {"Hovered", 84, false, true, true, true, false, false},
        {"All", 50, true, true, true, false, false, true},
        {"Risky", 66, true, true, true, false, false, false},
        {"Framed", 100, false, false, true, false, false, true},
        {"Framed hot", 104, false, false, true, true, false, false},
    };
    int x = 12;
    for (const BoxLook& l : looks) {
        auto* box = s.Make<TspSkinCheckRadioBox>(form);
        box->SetSkinDataName(l.radio ? "radiobox" : "checkbox");
        box->SetRadio(l.radio);
        box->SetFlat(l.flat);
        box->SetCanFocused(false);
        box->SetCaption(l.caption);
        box->SetBounds(x, 100, l.width, 25);
        if (l.grayed)
            box->SetState(cbGrayed);
        else
            box->SetChecked(l.checked);
        box->SetEnabled(l.enabled);
        if (l.hovered) box->Perform(CM_MOUSEENTER);
        x += l.width + 6;
    }
    auto* plainBox = s.Make<TspSkinCheckRadioBox>(form);
    plainBox->SetSkinData(nullptr);
    plainBox->SetCaption("Built-in");
    plainBox->SetBounds(x, 100, 80, 25);
    plainBox->SetChecked(true);

    // --- labels ---
    s.Heading("Labels", 12, 136);
    auto* login = s.Make<TspSkinStdLabel>(form);
    login->SetCaption("LOGIN");
    login->SetBounds(12, 160, 0, 0);
    auto* disabled = s.Make<TspSkinStdLabel>(form);
    disabled->SetCaption("Disabled label");
    disabled->SetEnabled(false);
    disabled->SetBounds(70, 160, 0, 0);
    auto* link = s.Make<TspSkinLinkLabel>(form);
    link->SetCaption("www.brelvan.example");
    link->SetURL("https://www.brelvan.example/");
    link->SetBounds(180, 160, 0, 0);
    auto* backdrop = new TImage(form);
    backdrop->SetParent(form);
    backdrop->SetBounds(350, 150, 170, 34);
    *backdrop->Picture() = Backdrop(170, 34);
    auto* shadow = s.Make<TspSkinShadowLabel>(form);
    shadow->SetCaption("Version 3.3");
    shadow->SetBounds(372, 157, 0, 0);
    s.Note("shadow label over a picture", 350, 188);
    auto* fcount = s.Make<TspSkinLabel>(form);
    fcount->SetAlignment(taCenter);
    fcount->SetBounds(540, 158, 60, 21);
    fcount->SetCaption("128");
    s.Note("framed label", 540, 188);
    auto* plainLabel = s.Make<TspSkinLabel>(form);
    plainLabel->SetSkinData(nullptr);
    plainLabel->SetAlignment(taCenter);
    plainLabel->SetBounds(620, 158, 60, 21);
    plainLabel->SetCaption("128");
    s.Note("built-in", 620, 188);

    // --- edits and password boxes ---
    s.Heading("Edits", 12, 210);
    auto* edit = s.Make<TspSkinEdit>(form);
    edit->SetBounds(12, 230, 200, 21);
    edit->SetText("user@example.org");
    edit->SetHideSelection(false);
    edit->SetSelStart(5);
    edit->SetSelLength(7);
    s.Note("with a selection", 14, 254);
    auto* hoverEdit = s.Make<TspSkinEdit>(form);
    hoverEdit->SetBounds(222, 230, 200, 21);
    hoverEdit->SetText("hovered");
    hoverEdit->Perform(CM_MOUSEENTER);
    s.Note("hovered", 224, 254);
    auto* off = s.Make<TspSkinEdit>(form);
    off->SetBounds(432, 230, 200, 21);
    off->SetText("disabled field");
    off->SetEnabled(false);
    s.Note("disabled", 434, 254);
    auto* plainEdit = s.Make<TspSkinEdit>(form);
    plainEdit->SetSkinData(nullptr);
    plainEdit->SetBounds(642, 230, 200, 21);
    plainEdit->SetText("no skin record");
    s.Note("built-in", 644, 254);

    const char* kindNotes[] = {"round symbols", "squares", "triangles"};
    for (int i = 0; i < 3; ++i) {
        auto* pass = s.Make<TspSkinPasswordEdit>(form);
        pass->SetBounds(12 + i * 210, 276, 200, 21);
        pass->SetPasswordKind(TspPasswordKind(i));
        pass->SetText(i == 0 ? "a long password that scrolls past the end" : "secret12");
        s.Note(kindNotes[i], 14 + i * 210, 300);
        if (i == 1) {
            pass->SetHideSelection(false);
            pass->SelectAll();
        }
    }
    auto* plainPass = s.Make<TspSkinPasswordEdit>(form);
    plainPass->SetSkinData(nullptr);
    plainPass->SetBounds(642, 276, 200, 21);
    plainPass->SetText("secret");
    s.Note("built-in", 644, 300);

    // --- spin boxes ---
    s.Heading("Spin boxes", 12, 322);
    auto* odds = s.Make<TspSkinSpinEdit>(form);
    odds->SetBounds(12, 342, 81, 20);
    odds->SetValueType(vtFloat);
    odds->SetMinValue(0.01);
    odds->SetMaxValue(1000);
    odds->SetIncrement(0.01);
    odds->SetValue(1.01);
    s.Note("decimal", 14, 366);
    auto* percent = s.Make<TspSkinSpinEdit>(form);
    percent->SetBounds(104, 342, 81, 20);
    percent->SetMinValue(0);
    percent->SetMaxValue(100);
    percent->SetValue(75);
    s.Note("integer", 106, 366);
    auto* hot = s.Make<TspSkinSpinEdit>(form);
    hot->SetBounds(196, 342, 81, 20);
    hot->SetMaxValue(1000);
    hot->SetMinValue(1);
    hot->SetValue(1000);
    hot->Perform(CM_MOUSEENTER);
    TRect up = hot->ButtonRect(0);
    hot->Perform(WM_MOUSEMOVE, 0, PointToLParam({up.Left + 2, up.Top + 2}));
    s.Note("hovered", 198, 366);
    auto* plainSpin = s.Make<TspSkinSpinEdit>(form);
    plainSpin->SetSkinData(nullptr);
    plainSpin->SetBounds(288, 342, 81, 21);
    plainSpin->SetValue(42);
    s.Note("built-in", 290, 366);

    // --- panel ---
    s.Heading("Panel", 420, 322);
    auto* panel = s.Make<TspSkinPanel>(form);
    panel->SetBounds(420, 342, 220, 21);
    auto* panelCount = s.Make<TspSkinLabel>(panel);
    panelCount->SetAlign(alRight);
    panelCount->SetWidth(50);
    panelCount->SetAlignment(taCenter);
    panelCount->SetCaption("128");
    auto* plainPanel = s.Make<TspSkinPanel>(form);
    plainPanel->SetSkinData(nullptr);
    plainPanel->SetBounds(650, 342, 120, 40);
    plainPanel->SetCaptionMode(true);
    plainPanel->SetDefaultCaptionHeight(18);
    plainPanel->SetCheckedMode(true);
    plainPanel->SetChecked(true);
    plainPanel->SetCaption("Built-in");

    // --- page control: three pages, the middle one's tab hidden, images on two ---
    s.Heading("Page control", 12, 392);
    auto* images = new TImageList(form);
    AddTabImages(*images);
    auto* pages = s.Make<TspSkinPageControl>(form);
    pages->SetBounds(12, 412, 300, 236);
    pages->SetImages(images);
    const char* captions[] = {"About", "Football", "Hidden", "Hot"};
    std::vector<TspSkinTabSheet*> sheets;
    for (int i = 0; i < 4; ++i) {
        auto* sheet = new TspSkinTabSheet(form);
        sheet->SetPageControl(pages);
        sheet->SetCaption(captions[i]);
        sheet->SetImageIndex(i < 2 ? i : -1);
        sheets.push_back(sheet);
    }
    sheets[2]->SetTabVisible(false);
    pages->SetActivePageIndex(0);
    auto* inPage = s.Make<TspSkinStdLabel>(sheets[0]);
    inPage->SetCaption("Page background from the skin");
    inPage->SetBounds(12, 12, 0, 0);

    // --- group box with spin boxes and bevels, as the filter panel holds them ---
    s.Heading("Group box and bevels", 330, 392);
    auto* group = s.Make<TspSkinGroupBox>(form);
    group->SetBounds(330, 412, 369, 236);
    group->SetCaption("Filter");
    const char* rows[] = {"Home", "Draw", "Away"};
    for (int r = 0; r < 3; ++r) {
        auto* caption = s.Make<TspSkinStdLabel>(group);
        caption->SetCaption(rows[r]);
        caption->SetBounds(12, 34 + r * 28, 0, 0);
        for (int c = 0; c < 2; ++c) {
            auto* f = s.Make<TspSkinSpinEdit>(group);
            f->SetBounds(90 + c * 100, 32 + r * 28, 81, 20);
            f->SetValueType(vtFloat);
            f->SetMinValue(0.01);
            f->SetMaxValue(1000);
            f->SetValue(c == 0 ? 1.01 : 1000);
        }
    }
    auto* topLine = s.Make<TspSkinBevel>(group);
    topLine->SetShape(bsBottomLine);
    topLine->SetBounds(8, 112, 353, 17);
    auto* bottomLine = s.Make<TspSkinBevel>(group);
    bottomLine->SetShape(bsTopLine);
    bottomLine->SetBounds(8, 140, 353, 17);
    const TBevelShape shapes[] = {bsBox, bsFrame};
    for (int i = 0; i < 2; ++i) {
        auto* bevel = s.Make<TspSkinBevel>(group);
        bevel->SetShape(shapes[i]);
        bevel->SetBounds(12 + i * 60, 164, 50, 30);
    }
    auto* ok = s.Make<TspSkinXFormButton>(group);
    ok->SetCaption("OK");
    ok->SetBounds(150, 196, 96, 25);
    auto* cancel = s.Make<TspSkinXFormButton>(group);
    cancel->SetCaption("CANCEL");
    cancel->SetBounds(256, 196, 96, 25);

    form->Show();
    Application->ProcessMessages();
    form->SetActiveControl(buttons[5]);
    // The looks that need the pointer are set by their messages: one picture cannot hold
    // the pointer in two places. The hover fades run on the fake clock.
    link->Perform(CM_MOUSEENTER);
    TRect hotTab = pages->TabRect(2);
    pages->Perform(WM_MOUSEMOVE, 0, PointToLParam({hotTab.Left + 5, hotTab.Top + 5}));
    buttons[2]->Perform(CM_MOUSEENTER);
    RunClock(120);
    buttons[1]->Perform(CM_MOUSEENTER);
    RunClock(60);
    WriteWindowPngDevice(form, pngPath);
}

SceneRegistrar reg("controls", &RenderControls);

} // namespace

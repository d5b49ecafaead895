// The "controls" scene: every skinned control in each of its looks side by side, on one
// form wearing the program's skin.
#include "Scene.h"
#include "data/ProgramSkin.h"
#include "gfx/DrawText.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skinctrls/SkinBevel.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinLinkLabel.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinStdLabel.h"
#include "ui/Forms.h"
#include "ui/Snapshot.h"

namespace {

// Small tab pictures drawn here: a globe and a ball.
void AddTabImages(TImageList& list) {
    list.SetSize(16, 16);
    for (int kind = 0; kind < 2; ++kind) {
        TBitmap b(16, 16);
        b.Fill(clFuchsia);
        TCanvas& c = *b.Canvas();
        c.Pen()->SetColor(kind == 0 ? RGB(20, 70, 150) : RGB(40, 40, 40));
        c.Brush()->SetColor(kind == 0 ? RGB(80, 150, 230) : clWhite);
        c.Ellipse(1, 1, 15, 15);
        if (kind == 0) {
            c.Pen()->SetColor(RGB(40, 140, 60));
            c.MoveTo(4, 6);
            c.LineTo(8, 4);
            c.LineTo(11, 8);
            c.LineTo(7, 11);
        } else {
            c.Brush()->SetColor(RGB(40, 40, 40));
            c.Polygon({{8, 5}, {11, 7}, {10, 10}, {6, 10}, {5, 7}});
        }
        list.AddMasked(b, clFuchsia);
    }
}

// A heading over each group of controls.
TspSkinStdLabel* Heading(TForm* form, TspSkinData* skin, const char* text, int x, int y) {
    auto* label = new TspSkinStdLabel(form);
    label->SetParent(form);
    label->SetSkinData(skin);
    label->SetUseSkinFont(false);
    label->DefaultFont()->SetName("Arial");
    label->DefaultFont()->SetHeight(13);
    label->DefaultFont()->SetStyle({fsBold});
    label->DefaultFont()->SetColor(RGB(96, 106, 122));
    label->SetCaption(text);
    label->SetLeft(x);
    label->SetTop(y);
    return label;
}

void RenderControls(const std::string& pngPath) {
    TForm* form = Application->CreateForm<TForm>();
    form->SetCaption("Controls");
    form->SetBorderStyle(bsSingle);
    form->SetBounds(40, 40, 100, 100);
    form->SetClientWidth(900);
    form->SetClientHeight(640);
    form->SetColor(RGB(238, 241, 245));

    auto* skin = new TspSkinData(form);
    auto* stored = new TspCompressedStoredSkin(form);
    LoadProgramSkin(*stored);
    skin->SetCompressedStoredSkin(stored);

    // --- labels ---
    Heading(form, skin, "Labels", 12, 8);
    auto* login = new TspSkinStdLabel(form);
    login->SetParent(form);
    login->SetSkinData(skin);
    login->SetCaption("LOGIN");
    login->SetBounds(12, 30, 0, 0);
    auto* disabled = new TspSkinStdLabel(form);
    disabled->SetParent(form);
    disabled->SetSkinData(skin);
    disabled->SetCaption("Disabled label");
    disabled->SetEnabled(false);
    disabled->SetBounds(70, 30, 0, 0);
    auto* link = new TspSkinLinkLabel(form);
    link->SetParent(form);
    link->SetSkinData(skin);
    link->SetCaption("www.brelvan.example");
    link->SetURL("https://www.brelvan.example/");
    link->SetBounds(180, 30, 0, 0);
    auto* plain = new TspSkinLinkLabel(form);
    plain->SetParent(form);
    plain->SetSkinData(skin);
    plain->SetCaption("Site Soft:");
    plain->SetBounds(330, 30, 0, 0);

    // --- edits ---
    Heading(form, skin, "Edits", 12, 230);
    auto* edit = new TspSkinEdit(form);
    edit->SetParent(form);
    edit->SetBounds(12, 252, 200, 21);
    edit->SetSkinData(skin);
    edit->SetText("user@example.org");
    auto* selected = new TspSkinEdit(form);
    selected->SetParent(form);
    selected->SetBounds(222, 252, 200, 21);
    selected->SetSkinData(skin);
    selected->SetText("selected text here");
    selected->SetHideSelection(false);
    selected->SetSelStart(9);
    selected->SetSelLength(4);
    auto* off = new TspSkinEdit(form);
    off->SetParent(form);
    off->SetBounds(432, 252, 200, 21);
    off->SetSkinData(skin);
    off->SetText("disabled field");
    off->SetEnabled(false);
    auto* plainEdit = new TspSkinEdit(form);
    plainEdit->SetParent(form);
    plainEdit->SetBounds(642, 252, 200, 21);
    plainEdit->SetText("no skin record");

    // --- page control: three pages, the middle one's tab hidden, images on two ---
    Heading(form, skin, "Page control", 12, 440);
    auto* images = new TImageList(form);
    AddTabImages(*images);
    auto* pages = new TspSkinPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(12, 462, 300, 166);
    pages->SetImages(images);
    pages->SetSkinData(skin);
    const char* captions[] = {"About", "Hidden", "Football", "Hot"};
    std::vector<TspSkinTabSheet*> sheets;
    for (int i = 0; i < 4; ++i) {
        auto* sheet = new TspSkinTabSheet(form);
        sheet->SetPageControl(pages);
        sheet->SetCaption(captions[i]);
        sheet->SetImageIndex(i < 2 ? i : -1);
        sheets.push_back(sheet);
    }
    sheets[1]->SetTabVisible(false);
    pages->SetActivePageIndex(0);

    // --- bevels ---
    Heading(form, skin, "Bevels", 330, 440);
    const TBevelShape shapes[] = {bsTopLine, bsBottomLine, bsBox, bsFrame};
    for (int i = 0; i < 4; ++i) {
        auto* bevel = new TspSkinBevel(form);
        bevel->SetParent(form);
        bevel->SetShape(shapes[i]);
        bevel->SetSkinData(skin);
        bevel->SetBounds(330 + i * 60, 466, 50, 30);
    }
    auto* divider = new TspSkinBevel(form);
    divider->SetParent(form);
    divider->SetShape(bsTopLine);
    divider->SetDividerMode(true);
    divider->SetSkinData(skin);
    divider->SetBounds(330, 504, 230, 12);

    form->Show();
    Application->ProcessMessages();
    // The looks that need the pointer are set by their messages: one picture cannot hold
    // the pointer in two places.
    link->Perform(CM_MOUSEENTER);
    TRect hot = pages->TabRect(2);
    pages->Perform(WM_MOUSEMOVE, 0, PointToLParam({hot.Left + 5, hot.Top + 5}));
    WriteWindowPng(form, pngPath);
}

SceneRegistrar reg("controls", &RenderControls);

} // namespace

// The main window as it is designed: every component, where it stands, what it says and
// which skin record it wears. The tables below read like the window's design sheet; the few
// settings that do not fit a table follow each one.
#include "app/Unit1.h"

#include "app/StartPreparation.h"
#include "data/AboutPicture.h"

#include "data/ProgramSkin.h"
#include "grid/NxGrid.h"
#include "platform/Display.h"
#include "service/HttpClient.h"
#include "service/ServiceUrls.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skinctrls/SkinBevel.h"
#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinDialogs.h"
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
#include "table/FilterRanges.h"
#include "table/ImageLists.h"
#include "table/MatchColumns.h"
#include "ui/ExtCtrls.h"

namespace {

// Device pixels a point of the screen the window is on; the program's own pictures are
// carried drawn at each scale.
int ScreenScale() {
    return HasDisplay() ? CurrentDisplay().DeviceScale() : 1;
}

// One row of a design table: a control's name, its place in its parent (pixels), its caption,
// the skin record it is bound to (none: it draws with its own default font and look), its
// place in the tab order and whether it shows.
struct TPlace {
    const char* name;
    int left, top, width, height;
    const char* caption = nullptr;
    const char* skin = nullptr;
    int tabOrder = -1;
    bool visible = true;
    TAlign align = alNone;
};

template <class T>
T* Place(TComponent* owner, TspSkinData* store, TWinControl* parent, const TPlace& p) {
    auto* c = new T(owner);
    c->SetName(p.name);
    c->SetParent(parent);
    if (p.align != alNone) c->SetAlign(p.align);
    c->SetBounds(p.left, p.top, p.width, p.height);
    if (p.caption) c->SetCaption(Utf8ToAnsi(p.caption));
    if constexpr (requires { c->SetSkinDataName(std::string()); }) {
        if (p.skin) {
            c->SetSkinDataName(p.skin);
            c->SetSkinData(store);
        }
    }
    if constexpr (requires { c->SetTabOrder(0); })
        if (p.tabOrder >= 0) c->SetTabOrder(p.tabOrder);
    c->SetVisible(p.visible);
    return c;
}

void DesignFont(TFont& font, const char* name, int height, TFontStyles style = {},
                TColor color = clBtnText) {
    font.SetName(name);
    font.SetHeight(height);
    font.SetStyle(style);
    font.SetColor(color);
}

// The spin edits of one range: f(2k+1) and f(2k+2), with the label of the row.
struct TRangeRow {
    const char* label; // runs of blanks leave room for the first edit between "от" and "до"
    int labelTop;
    int lowerLeft, upperLeft, top;
};

// clang-format off
const TRangeRow kRangeRows[kFilterRangeCount] = {
    //  label                                                               top  lower upper  top
    {"Коэффициент на П1   от                                    до",      105, 144,  264,  102},
    {"Коэффициент на  Х   от                                    до",      137, 144,  264,  134},
    {"Коэффициент на П2   от                                    до",      169, 144,  264,  166},
    {"Процент на   П1 от                                     до",         241, 120,  232,  238},
    {"Процент на   Х   от                                     до",        273, 120,  232,  270},
    {"Процент на   П2 от                                     до",         305, 120,  232,  302},
    {"Процент на ТБ0.5 от                                  до",           337, 120,  232,  334},
    {"Процент на ТБ1.5 от                                  до",           369, 120,  232,  366},
    {"Процент на ТБ2.5 от                                  до",           401, 120,  232,  398},
    {"Значение  Count  от                                   до",          457, 120,  232,  454},
};
// clang-format on

} // namespace

void TForm1::CreateComponents() {
    SetName("Form1");
    SetCaption("Brelvan");
    SetBorderIcons(0); // the skinned frame draws the caption and its buttons
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    DesignFont(*Font(), "MS Sans Serif", -11, {}, clWindowText);
    SetClientWidth(kForm1ClientWidth);
    SetClientHeight(kForm1ClientHeight);

    // Whatever was prepared while the display opened; the rest is done here.
    std::unique_ptr<TPreparedStart> prepared = TakePreparedStart();

    // The skin and the login picture as drawn for the screen's scale.
    // Pictures prepared for another scale than the screen's are left aside (the faces hold).
    const int scale = ScreenScale();
    if (prepared && prepared->scale != scale) {
        prepared->skinContents.reset();
        prepared->aboutPicture.Clear();
    }
    spCompressedStoredSkin1 = new TspCompressedStoredSkin(this);
    spCompressedStoredSkin1->SetName("spCompressedStoredSkin1");
    LoadProgramSkin(*spCompressedStoredSkin1, scale);
    if (prepared && prepared->skinContents)
        spCompressedStoredSkin1->UseReadAhead(std::move(prepared->skinSource),
                                              std::move(prepared->skinContents));
    spSkinData1 = new TspSkinData(this);
    spSkinData1->SetName("spSkinData1");
    spSkinData1->SetEnableSkinEffects(true);

    spSkinFrame1 = new TspSkinFrame(this);
    spSkinFrame1->SetName("spSkinFrame1");
    spSkinFrame1->SetBorderIcons(biSystemMenu | biMinimize);
    spSkinFrame1->SetSizeable(false);
    spSkinFrame1->SetDraggAble(false);
    spSkinFrame1->SetMagnetic(false);
    spSkinFrame1->SetMagneticSize(10);
    spSkinFrame1->SetSupportNCArea(true);
    spSkinFrame1->SetUseDefaultSysMenu(true);
    spSkinFrame1->SetShowIcon(true);
    spSkinFrame1->SetAlphaBlend(false);
    DesignFont(*spSkinFrame1->DefCaptionFont(), "Arial", 14, {fsBold}, clBtnText);
    DesignFont(*spSkinFrame1->DefInActiveCaptionFont(), "Arial", 14, {fsBold}, clBtnShadow);
    spSkinFrame1->SetDefMenuItemHeight(20);
    // The frame sizes the window around the fixed client area.
    spSkinFrame1->SetClientWidth(kForm1ClientWidth);
    spSkinFrame1->SetClientHeight(kForm1ClientHeight);
    spSkinFrame1->SetSkinData(spSkinData1);
    // Escape reaches the window whichever control has the keyboard: it ends a request.
    SetKeyPreview(true);

    HttpClient1 = new THttpClient(this);
    HttpClient1->SetName("HttpClient1");
    HttpClient1->SetTimeoutMs(m_networkTimeoutMs);

    m_waitTimer = new TTimer(this);
    m_waitTimer->SetName("waitTimer");
    m_waitTimer->SetEnabled(false);
    m_waitTimer->SetInterval(kWaitNoticeMs);
    m_waitTimer->OnTimer = [this](TObject*) { ShowWaitNotice(); };

    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    ImageList2 = new TImageList(this);
    ImageList2->SetName("ImageList2");
    LoadPictures();

    load = new TspOpenSkinDialog(this);
    load->SetName("load");
    load->SetTitle("Open skin");
    load->SetFilter("BrelvanFile|*.brelvan");
    load->SetSkinData(spSkinData1);
    save = new TspSkinSaveDialog(this);
    save->SetName("save");
    save->SetTitle("Save file");
    save->SetFilter("BrelvanFile|*.brelvan");
    save->SetSkinData(spSkinData1);

    // The page control fills the window; each sheet's client area is 801 x 567.
    Page = Place<TspSkinPageControl>(this, spSkinData1, this,
                                     {"Page", 0, 0, 803, 589, nullptr, "tab", 0, true, alClient});
    Page->SetImages(ImageList2);
    DesignFont(*Page->Font(), "Arial", 14);
    DesignFont(*Page->DefaultFont(), "Arial", 14);
    Page->SetDefaultItemHeight(20);
    Page->SetTabsBGTransparent(false);
    Page->SetUseSkinFont(true);
    spSkinTabSheet1 = new TspSkinTabSheet(this);
    spSkinTabSheet1->SetName("spSkinTabSheet1");
    spSkinTabSheet1->SetPageControl(Page);
    spSkinTabSheet1->SetCaption("About");
    spSkinTabSheet1->SetImageIndex(0);
    spSkinTabSheet2 = new TspSkinTabSheet(this);
    spSkinTabSheet2->SetName("spSkinTabSheet2");
    spSkinTabSheet2->SetPageControl(Page);
    spSkinTabSheet2->SetCaption("Football");
    spSkinTabSheet2->SetImageIndex(1);

    CreateAboutPage(prepared ? &prepared->aboutPicture : nullptr);
    CreateFootballPage();
    CreateFilterPanel();
    ConnectHandlers();
    DescribeForScreenReaders();

    // Last, as the stored form data resolves it: the store inflates the stored skin and its
    // messages make the frame and every control look their records up.
    spSkinData1->SetCompressedStoredSkin(spCompressedStoredSkin1);
}

void TForm1::LoadPictures() {
    // Every picture is drawn for the screen's scale.
    const int scale = ScreenScale();
    LoadFlagImages(*ImageList1, scale);
    LoadTabImages(*ImageList2, scale);
    LoadFlagHeaderGlyph(m_flagGlyph, scale);
}

void TForm1::CreateAboutPage(TBitmap* preparedPicture) {
    TspSkinTabSheet* about = spSkinTabSheet1;
    TspSkinData* skin = spSkinData1;
    const AnsiString site = ServiceHostLabel(m_serviceHost);

    // Under the picture, drawn over by it and never seen.
    // clang-format off
    //                                                          name                left top  width height caption       skin
    spSkinStdLabel1  = Place<TspSkinStdLabel> (this, nullptr, about, {"spSkinStdLabel1",  320, 192,  26, 13, "Login"});
    spSkinStdLabel2  = Place<TspSkinStdLabel> (this, nullptr, about, {"spSkinStdLabel2",  320, 240,  46, 13, "Password"});
    spSkinStdLabel3  = Place<TspSkinStdLabel> (this, nullptr, about, {"spSkinStdLabel3",  312, 392,  46, 13, "Site Soft:"});
    spSkinLinkLabel1 = Place<TspSkinLinkLabel>(this, nullptr, about, {"spSkinLinkLabel1", 376, 392,  83, 14});

    // Bottom to top of the drawing order.
    Image1           = Place<TImage>          (this, nullptr, about, {"Image1",             0,   0, 801, 567, nullptr,      nullptr,   -1, true, alClient});
    spSkinStdLabel4  = Place<TspSkinStdLabel> (this, skin,    about, {"spSkinStdLabel4",  424, 264,  33, 13, "LOGIN",      "stdlabel"});
    spSkinStdLabel5  = Place<TspSkinStdLabel> (this, skin,    about, {"spSkinStdLabel5",  424, 328,  63, 13, "PASSWORD",   "stdlabel"});
    spSkinShadowLabel1 = Place<TspSkinShadowLabel>(this, skin, about, {"spSkinShadowLabel1", 707, 6, 72, 19, "Version 3.3", "stdlabel"});
    spSkinLinkLabel2 = Place<TspSkinLinkLabel>(this, nullptr, about, {"spSkinLinkLabel2", 702,  24,  83, 14});
    //                                                          name                left top  width height caption       skin        tab
    zap              = Place<TspSkinCheckRadioBox>(this, skin, about, {"zap",         424, 384,  89, 25, "Remember",   "checkbox",  0});
    loginedit        = Place<TspSkinEdit>     (this, skin,    about, {"loginedit",    424, 280, 273, 18, nullptr,      "edit",      1});
    passedit         = Place<TspSkinPasswordEdit>(this, skin, about, {"passedit",     424, 344, 273, 21, nullptr,      "edit",      2});
    logb             = Place<TspSkinXFormButton>(this, skin,  about, {"logb",         496, 416, 113, 25, "LOGIN",      "button",    3});
    connectingLabel  = Place<TspSkinStdLabel> (this, skin,    about, {"connectingLabel", 496, 447, 113, 13, "Connecting…", "stdlabel", -1, false});
    // clang-format on
    connectingLabel->SetAutoSize(false);
    connectingLabel->SetAlignment(taCenter);

    Image1->SetStretch(true);
    if (preparedPicture && !preparedPicture->Empty())
        Image1->Picture()->Swap(*preparedPicture);
    else
        DecodeAboutPicture(*Image1->Picture(), ScreenScale());
    spSkinShadowLabel1->SetCaption(AnsiString("Version ") + kProgramVersion);
    for (TspSkinLinkLabel* link : {spSkinLinkLabel1, spSkinLinkLabel2}) {
        link->SetCaption(site);
        link->SetURL(SiteUrl());
    }
    DesignFont(*spSkinShadowLabel1->Font(), "Arial", 16, {fsBold});
    spSkinShadowLabel1->SetAutoSize(true);
    // The site's address reads as a link: dark blue, underlined, bright blue under the mouse.
    for (TspSkinLinkLabel* link : {spSkinLinkLabel1, spSkinLinkLabel2}) {
        DesignFont(*link->DefaultFont(), "Arial", 14, {fsUnderline}, clNavy);
        link->SetUseUnderLine(true);
        link->SetDefaultActiveFontColor(clBlue);
        link->SetCursor(crHandPoint);
    }

    zap->SetRadio(false);
    zap->SetChecked(false);
    zap->SetFlat(true);
    // Takes the focus so that Space toggles it (Alt+R does from anywhere).
    zap->SetCanFocused(true);
    zap->SetCursor(crHandPoint);
    DesignFont(*loginedit->DefaultFont(), "Arial", 14, {}, clBlack);
    // The record's font (Arial 14 in the program's skin) and its height (21) win over the
    // design font while a skin is applied.
    loginedit->SetUseSkinFont(true);
    passedit->SetPasswordKind(pkRoundRect);
    logb->SetCanFocused(false);
    logb->SetCursor(crHandPoint);
}

void TForm1::CreateFootballPage() {
    TspSkinTabSheet* football = spSkinTabSheet2;
    TspSkinData* skin = spSkinData1;

    // clang-format off
    //                                                        name             left top  width height caption     skin            tab visible align
    spSkinPanel1 = Place<TspSkinPanel>      (this, skin, football,     {"spSkinPanel1",  0,   0, 801,  21, nullptr,   "panel",        -1, true,  alTop});
    fi           = Place<TspSkinXFormButton>(this, skin, spSkinPanel1, {"fi",          775,   1,  25,  19, "...",     "resizebutton", -1, true,  alRight});
    fcount       = Place<TspSkinLabel>      (this, skin, spSkinPanel1, {"fcount",      671,   1, 104,  19, "Count: 0", "label",       -1, true,  alRight});
    loadingLabel = Place<TspSkinStdLabel>   (this, skin, spSkinPanel1, {"loadingLabel",  8,   4, 200,  13, "Loading matches…", "stdlabel", -1, false});
    radioBoxes[0] = Place<TspSkinCheckRadioBox>(this, skin, spSkinPanel1, {"spSkinCheckRadioBox1",   8, 1,  49, 19, "All",           "radiobox", -1, false});
    radioBoxes[1] = Place<TspSkinCheckRadioBox>(this, skin, spSkinPanel1, {"spSkinCheckRadioBox2",  64, 1, 105, 19, "Recoming Bets", "radiobox", -1, false});
    radioBoxes[2] = Place<TspSkinCheckRadioBox>(this, skin, spSkinPanel1, {"spSkinCheckRadioBox3", 176, 1,  81, 19, "Risky Bets",    "radiobox", -1, false});
    radioBoxes[3] = Place<TspSkinCheckRadioBox>(this, skin, spSkinPanel1, {"spSkinCheckRadioBox4", 264, 1,  57, 19, "Filter",        "radiobox", -1, false});
    filter       = Place<TspSkinGroupBox>   (this, skin, football,     {"filter",      432,  21, 369, 546, "Filter",  "groupbox",     -1, false, alRight});
    FG           = Place<TNxGrid>           (this, nullptr, football,  {"FG",            0,  21, 801, 546, nullptr,   nullptr,         0, true,  alClient});
    FG5          = Place<TNxGrid>           (this, nullptr, football,  {"FG5",           0,  21, 801, 546, nullptr,   nullptr,         1, false, alClient});
    // clang-format on

    spSkinPanel1->SetBorderStyle(bvFrame);
    fi->SetHint("Filter (Ctrl+F)");
    fi->SetShowHint(true);
    fi->SetCanFocused(false);
    fcount->SetAlignment(taCenter);
    fcount->SetBorderStyle(bvFrame);
    for (TspSkinCheckRadioBox* radio : radioBoxes) {
        radio->SetRadio(true);
        radio->SetGroupIndex(1);
        radio->SetFlat(true);
        radio->SetCanFocused(false);
        radio->SetCursor(crHandPoint);
    }
    radioBoxes[0]->SetChecked(true);
    filter->SetBorderStyle(bvFrame);

    CreateMatchColumns(*FG, this, mgFull, ImageList1, &m_flagGlyph);
    CreateMatchColumns(*FG5, this, mgFiltered, ImageList1, &m_flagGlyph);
    for (TNxGrid* grid : {FG, FG5}) {
        ApplyMatchGridSettings(*grid);
        grid->SetTabStop(true);
    }
}

void TForm1::CreateFilterPanel() {
    TspSkinData* skin = spSkinData1;
    TspSkinGroupBox* panel = filter;

    // clang-format off
    //                                                                    name                 left top  width height caption    skin      tab visible
    spSkinXFormButton1 = Place<TspSkinXFormButton>(this, skin, panel,    {"spSkinXFormButton1",   8,  24, 75, 25, "LOAD",    "button", -1, false});
    spSkinXFormButton5 = Place<TspSkinXFormButton>(this, skin, panel,    {"spSkinXFormButton5",  88,  24, 75, 25, "SAVE",    "button", -1, false});
    spSkinButton1      = Place<TspSkinButton>     (this, skin, panel,    {"spSkinButton1",      288,  24, 75, 25, "CLEAR",   "button",  0});
    spSkinBevel2       = Place<TspSkinBevel>      (this, skin, panel,    {"spSkinBevel2",         8,  56, 353, 17, nullptr,  "bevel"});
    spSkinShadowLabel2 = Place<TspSkinShadowLabel>(this, nullptr, panel, {"spSkinShadowLabel2",   8,  78, 39, 19, "Odds"});
    spSkinShadowLabel3 = Place<TspSkinShadowLabel>(this, nullptr, panel, {"spSkinShadowLabel3",   8, 214, 58, 19, "Precent"});
    spSkinShadowLabel4 = Place<TspSkinShadowLabel>(this, nullptr, panel, {"spSkinShadowLabel4",   8, 438, 47, 19, "Count"});
    spSkinBevel1       = Place<TspSkinBevel>      (this, skin, panel,    {"spSkinBevel1",         8, 479, 353, 17, nullptr,  "bevel"});
    spSkinXFormButton4 = Place<TspSkinXFormButton>(this, skin, panel,    {"spSkinXFormButton4",   8, 504, 75, 25, "CANCEL",  "button", -1});
    spSkinXFormButton3 = Place<TspSkinXFormButton>(this, skin, panel,    {"spSkinXFormButton3", 288, 504, 75, 25, "OK",      "button", -1});
    // clang-format on

    spSkinBevel2->SetShape(bsTopLine);
    spSkinBevel1->SetShape(bsBottomLine);
    for (TspSkinShadowLabel* heading :
         {spSkinShadowLabel2, spSkinShadowLabel3, spSkinShadowLabel4}) {
        DesignFont(*heading->Font(), "Arial", 16, {fsBold});
        heading->SetAutoSize(true);
    }
    spSkinButton1->SetCanFocused(true);
    for (TspSkinXFormButton* b :
         {spSkinXFormButton1, spSkinXFormButton5, spSkinXFormButton4, spSkinXFormButton3})
        b->SetCursor(crHandPoint);
    spSkinButton1->SetCursor(crHandPoint);

    for (int k = 0; k < kFilterRangeCount; ++k) {
        const TRangeRow& row = kRangeRows[k];
        const std::string index = std::to_string(k + 6);
        rangeLabels[size_t(k)] = Place<TspSkinStdLabel>(
            this, nullptr, panel,
            {("spSkinStdLabel" + index).c_str(), 8, row.labelTop, 0, 13, row.label});
        for (int side = 0; side < 2; ++side) {
            const int i = 2 * k + side;
            const std::string name = "f" + std::to_string(i + 1);
            const TFilterEditSetting& setting = kFilterEdits[size_t(i)];
            TspSkinSpinEdit* edit =
                Place<TspSkinSpinEdit>(this, skin, panel,
                                       {name.c_str(), side ? row.upperLeft : row.lowerLeft, row.top,
                                        81, 20, nullptr, "spinedit", 1 + i});
            edit->SetValueType(setting.Decimal ? vtFloat : vtInteger);
            edit->SetMinValue(setting.MinValue);
            edit->SetMaxValue(setting.MaxValue);
            edit->SetIncrement(setting.Increment);
            edit->SetValue(setting.StartValue);
            edit->SetEditorEnabled(true);
            f[size_t(i)] = edit;
        }
    }
}

void TForm1::ConnectHandlers() {
    logb->OnClick = [this](TObject* s) { logbClick(s); };
    fi->OnClick = [this](TObject* s) { fiClick(s); };
    spSkinXFormButton4->OnClick = [this](TObject* s) { spSkinXFormButton4Click(s); };
    spSkinXFormButton3->OnClick = [this](TObject* s) { spSkinXFormButton3Click(s); };
    spSkinButton1->OnClick = [this](TObject* s) { spSkinButton1Click(s); };
    spSkinXFormButton5->OnClick = [this](TObject* s) { spSkinXFormButton5Click(s); };
    spSkinXFormButton1->OnClick = [this](TObject* s) { spSkinXFormButton1Click(s); };
}

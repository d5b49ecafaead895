// Record classes: the keys each reads, in order, with their defaults and quirks, and the
// two class trees consumers test against.
#include "skin/SkinControlRecords.h"
#include "skin/SkinIni.h"
#include "skin/SkinObjectRecords.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

template <class T> std::unique_ptr<T> Read(const std::string& section, const std::string& body) {
    TspSkinIni ini;
    ini.LoadText("[" + section + "]\n" + body);
    auto record = std::make_unique<T>(section);
    record->ReadFromSection(ini);
    return record;
}

template <class T> std::vector<std::string> Keys(T& record) {
    TspSkinFieldLister lister;
    record.BindFields(lister);
    std::vector<std::string> keys;
    for (const std::string& line : lister.Lines()) keys.push_back(line.substr(0, line.find('=')));
    return keys;
}

template <class T> std::string Field(T& record, const std::string& key) {
    TspSkinFieldLister lister;
    record.BindFields(lister);
    for (const std::string& line : lister.Lines())
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
    return "<absent>";
}

TEST(SkinControlRecords, ButtonReadsItsKeysAfterTheSlicedBase) {
    auto b = Read<TspDataSkinButtonControl>(
        "button", "pictureindex=0\nskinrect=4,356,87,382\nrighttoppoint=67,11\n"
                  "stretchtype=stfull\nfocusedskinrect=0,0,0,0\nactivefontcolor=16777215\n"
                  "morphing=1\nmorphkind=mkrightslide\nfontstyle=fsbold\n");
    EXPECT_EQ(b->skinrect, Rect(4, 356, 87, 382));
    EXPECT_EQ(b->righttoppoint, Point(67, 11));
    EXPECT_EQ(b->leftbottompoint, Point(0, 0));
    EXPECT_EQ(b->fontname, "Arial");
    EXPECT_EQ(b->fontheight, 14);
    EXPECT_EQ(b->fontstyle, unsigned(spfsBold));
    EXPECT_EQ(b->activefontcolor, 16777215u);
    EXPECT_TRUE(b->morphing);
    EXPECT_EQ(b->morphkind, mkRightSlide);
    EXPECT_EQ(b->animateinterval, 25);
    EXPECT_EQ(b->maskpictureindex, -1);
    std::vector<std::string> keys = Keys(*b);
    EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 5),
              (std::vector<std::string>{"pictureindex", "maskpictureindex", "cursorindex",
                                        "skinrect", "lefttoppoint"}));
    EXPECT_EQ(keys[14], "fontname") << "the class's keys follow the base's";
    EXPECT_EQ(keys.back(), "menumarkertransparentcolor");
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "stretchtype"), 0);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "focusedskinrect"), 0);
    EXPECT_EQ(Field(*b, "fontstyle"), "fsbold");
    EXPECT_EQ(Field(*b, "morphkind"), "mkrightslide");
}

TEST(SkinControlRecords, StdLabelDefaultsToBlueWhenActive) {
    auto a = Read<TspDataSkinStdLabelControl>("stdlabel", "fontcolor=0\n");
    EXPECT_EQ(a->activefontcolor, 16711680u);
    auto b = Read<TspDataSkinStdLabelControl>("stdlabel", "activefontcolor=15119752\n");
    EXPECT_EQ(b->activefontcolor, 15119752u);
}

TEST(SkinControlRecords, FrameControlsHoldAtLeastOneFrame) {
    auto a = Read<TspDataSkinFrameGauge>("g", "framescount=0\nframesplacement=fphorizontal\n");
    EXPECT_EQ(a->framescount, 1);
    EXPECT_EQ(a->framesplacement, 0);
    auto b = Read<TspDataSkinFrameRegulator>("r", "framescount=-4\nframesplacement=x\n"
                                                  "kind=rkhorizontal\n");
    EXPECT_EQ(b->framescount, 1);
    EXPECT_EQ(b->framesplacement, 1);
    EXPECT_EQ(b->kind, 1);
    EXPECT_EQ(Read<TspDataSkinFrameRegulator>("r", "kind=RKROUND\n")->kind, 2);
    EXPECT_EQ(Read<TspDataSkinAnimateControl>("a", "framescount=6\n")->framescount, 6);
}

TEST(SkinControlRecords, UpDownIsNeverSliced) {
    auto u = Read<TspDataSkinUpDownControl>(
        "hupdown", "lefttoppoint=1,1\nrighttoppoint=5,5\nleftbottompoint=2,9\n"
                   "rightbottompoint=7,7\nclientrect=1,1,9,9\nupbuttonrect=4,304,22,322\n");
    EXPECT_EQ(u->lefttoppoint, Point(0, 0));
    EXPECT_EQ(u->rightbottompoint, Point(0, 0));
    EXPECT_TRUE(u->clientrect.IsEmpty());
    EXPECT_EQ(u->upbuttonrect, Rect(4, 304, 22, 322));
    EXPECT_EQ(Field(*u, "clientrect"), "0,0,0,0") << "the listing shows the reset values";
}

TEST(SkinControlRecords, TabsCarryTheirOwnSlicingAfterThePlainBase) {
    auto t = Read<TspDataSkinTabControl>("tab", "tabrect=4,106,63,124\nupdown=hupdown\n"
                                                "lefttoppoint=3,3\n");
    EXPECT_EQ(t->tabrect, Rect(4, 106, 63, 124));
    EXPECT_EQ(t->updown, "hupdown");
    EXPECT_EQ(t->bgpictureindex, -1);
    EXPECT_EQ(t->lefttoppoint, Point(3, 3));
    EXPECT_EQ(dynamic_cast<TspDataSkinCustomControl*>(t.get()), nullptr);
    std::vector<std::string> keys = Keys(*t);
    EXPECT_EQ(keys[4], "tabrect");
    EXPECT_EQ(keys.back(), "focusoffsety");
}

TEST(SkinControlRecords, PanelAndCheckRadioDefaults) {
    auto p = Read<TspDataSkinPanelControl>("groupbox", "captionrect=3,3,56,17\n"
                                                       "alignment=taleftjustify\n");
    EXPECT_EQ(p->captionrect, Rect(3, 3, 56, 17));
    EXPECT_EQ(p->alignment, TspSkinAlignment::LeftJustify);
    EXPECT_EQ(Read<TspDataSkinPanelControl>("panel", "")->alignment, TspSkinAlignment::Center);
    auto c = Read<TspDataSkinCheckRadioControl>("checkbox", "checkimagerect=42,75,57,90\n"
                                                            "uncheckimagerect=28,58,43,73\n");
    EXPECT_EQ(c->checkimagerect, Rect(42, 75, 57, 90));
    EXPECT_TRUE(c->activecheckimagerect.IsEmpty()) << "the control substitutes, not the record";
    EXPECT_EQ(Keys(*c).back(), "unenableduncheckimagerect");
}

TEST(SkinControlRecords, ListsAndGridsKeepTheirNamedDefaults) {
    auto l = Read<TspDataSkinCheckListBox>("lb", "");
    EXPECT_EQ(l->vscrollbarname, "vscrollbar");
    EXPECT_EQ(l->bothhscrollbarname, "bothhscrollbar");
    EXPECT_EQ(l->captionfontheight, 14);
    EXPECT_EQ(Keys(*l).back(), "uncheckimagerect");
    auto g = Read<TspDataSkinGridControl>("grid", "fixedfontheight=0x0C\n");
    EXPECT_EQ(g->fixedfontheight, 12);
    EXPECT_EQ(g->bgpictureindex, -1);
    auto b = Read<TspDataSkinBitLabelControl>("bl", "symbolslinecount=2\nsymbolsline0=0123\n"
                                                    "symbolsline1=4567\n");
    EXPECT_EQ(b->symbols, (std::vector<std::string>{"0123", "4567"}));
}

TEST(SkinControlRecords, TypeNamesAreExact) {
    EXPECT_STREQ(CreateSkinControlRecord("checkradio", "x")->ClassName(),
                 "TspDataSkinCheckRadioControl");
    EXPECT_STREQ(CreateSkinControlRecord("richedit", "x")->ClassName(), "TspDataSkinRichEdit");
    EXPECT_EQ(CreateSkinControlRecord("Button", "x"), nullptr);
    EXPECT_EQ(CreateSkinControlRecord("button ", "x"), nullptr);
    EXPECT_EQ(CreateSkinControlRecord("", "x"), nullptr);
    auto menu = CreateSkinControlRecord("menubutton", "m");
    EXPECT_NE(dynamic_cast<TspDataSkinButtonControl*>(menu.get()), nullptr)
        << "a menu button record serves a button";
    auto memo = CreateSkinControlRecord("memo", "m");
    EXPECT_NE(dynamic_cast<TspDataSkinEditControl*>(memo.get()), nullptr);
    auto gauge = CreateSkinControlRecord("framegauge", "g");
    EXPECT_NE(dynamic_cast<TspDataSkinFrameControl*>(gauge.get()), nullptr);
    EXPECT_EQ(dynamic_cast<TspDataSkinCustomControl*>(gauge.get()), nullptr);
}

TEST(SkinObjectRecords, StandardButtonsNameTheirCommandExactly) {
    auto cmd = [](const std::string& text) {
        return Read<TspDataSkinStdButton>("b", "command=" + text + "\n")->command;
    };
    EXPECT_EQ(cmd("cmclose"), cmClose);
    EXPECT_EQ(cmd("cmsysmenu"), cmSysMenu);
    EXPECT_EQ(cmd("cmrollup"), cmRollUp);
    EXPECT_EQ(cmd("cmMinimize"), cmMinimizeToTray) << "any other text means to tray";
    EXPECT_EQ(cmd("cmminimizetotray"), cmMinimizeToTray);
    EXPECT_EQ(Read<TspDataSkinStdButton>("b", "")->command, cmDefault);
}

TEST(SkinObjectRecords, ButtonsReadTheMisspelledDisabledKey) {
    auto b = Read<TspDataSkinStdButton>(
        "closebutton", "activepictureindex=1\nskinrectinapicture=1\nskinrect=0,0,23,13\n"
                       "downrect=0,26,23,39\ndisableskinrsect=0,52,23,65\n"
                       "disabledskinrect=9,9,9,9\nrestorerect=48,0,71,13\n");
    EXPECT_EQ(b->disableskinrsect, Rect(0, 52, 23, 65));
    EXPECT_EQ(b->downrect, Rect(0, 26, 23, 39));
    EXPECT_EQ(b->groupindex, -1);
    EXPECT_EQ(b->restorerect, Rect(48, 0, 71, 13));
    EXPECT_TRUE(b->skinrectinapicture);
    std::vector<std::string> keys = Keys(*b);
    EXPECT_EQ(keys.front(), "hint");
    EXPECT_EQ(keys[10], "downrect");
    EXPECT_EQ(keys[13], "command");
    EXPECT_EQ(keys.back(), "restoreinactiverect");
}

TEST(SkinObjectRecords, CaptionDefaults) {
    auto c = Read<TspDataSkinCaption>("caption", "skinrect=7,8,143,21\nshadow=1\n");
    EXPECT_EQ(c->skinrect, Rect(7, 8, 143, 21));
    EXPECT_EQ(c->alignment, TspSkinAlignment::Center);
    EXPECT_EQ(c->animateinterval, 25);
    EXPECT_EQ(c->fontheight, 14);
    EXPECT_TRUE(c->shadow);
    EXPECT_FALSE(c->defaultcaption);
    EXPECT_EQ(c->activepictureindex, -1);
}

TEST(SkinObjectRecords, LookRecordsReadTheirLooksAfterTheObjectBase) {
    auto c = Read<TspDataSkinCaption>("caption", "fontcolor=-16777201\nfullframe=1\n");
    std::vector<std::string> keys = Keys(*c);
    ASSERT_EQ(keys.size(), 35u);
    EXPECT_EQ(keys[9], "morphkind");
    EXPECT_EQ(keys[10], "defaultcaption");
    EXPECT_EQ(keys[13], "fontheight");
    EXPECT_EQ(keys.back(), "fullframe");
    EXPECT_TRUE(c->fullframe);
    // A system colour stays as written: it resolves when the text is drawn.
    EXPECT_EQ(c->fontcolor, 0xFF00000Fu);
    auto m = Read<TspDataSkinMainMenuItem>("m", "unenabledfontColor=255\nframecount=3\n");
    EXPECT_EQ(m->unenabledfontcolor, 255u);
    EXPECT_EQ(m->framecount, 3);
    EXPECT_EQ(Keys(*m).back(), "inactiveanimation");
    auto l = Read<TspDataSkinLabel>("l", "fontName=Tahoma\ntextvalue=Hi\n");
    EXPECT_EQ(l->fontname, "Tahoma");
    EXPECT_EQ(Keys(*l).back(), "textvalue");
    auto t = Read<TspDataSkinTrackBar>("t", "endpoint=10,2\nbuttontransparentcolor=5\n");
    EXPECT_EQ(t->endpoint.X, 10);
    EXPECT_EQ(Keys(*t).back(), "buttontransparentcolor");
    EXPECT_EQ(Keys(*Read<TspDataSkinBitLabel>("b", "")).back(), "transparentcolor");
}

TEST(SkinObjectRecords, ForcedValuesAndTheUserObject) {
    auto bl = Read<TspDataSkinBitLabel>("bl", "morphing=1\n");
    EXPECT_FALSE(bl->morphing);
    EXPECT_EQ(bl->transparentcolor, 16711935u);
    auto an = Read<TspDataSkinAnimate>("an", "morphing=1\ncommand=cmclose\n");
    EXPECT_FALSE(an->morphing);
    EXPECT_EQ(an->countframes, 1);
    EXPECT_EQ(an->timerinterval, 50);
    EXPECT_EQ(an->command, cmClose);
    auto u = Read<TspDataUserObject>("u", "hint=x\nrollup=1\nskinrect=1,2,3,4\ncursorindex=2\n"
                                          "activepictureindex=3\n");
    EXPECT_EQ(u->hint, "") << "a user object reads three keys only";
    EXPECT_EQ(u->activepictureindex, -1);
    EXPECT_TRUE(u->rollup);
    EXPECT_EQ(u->cursorindex, 2);
    EXPECT_EQ(Keys(*u), (std::vector<std::string>{"rollup", "skinrect", "cursorindex"}));
}

TEST(SkinObjectRecords, MixedCaseKeysStillMatch) {
    auto m = Read<TspDataSkinMainMenuBarItem>("m", "UNENABLEDFONTCOLOR=255\n");
    EXPECT_EQ(m->unenabledfontcolor, 255u);
    auto l = Read<TspDataSkinLabel>("l", "fontname=Tahoma\n");
    EXPECT_EQ(l->fontname, "Tahoma");
    auto mmbi = CreateSkinObjectRecord("mainmenubaritem", "x");
    EXPECT_NE(dynamic_cast<TspDataSkinMainMenuItem*>(mmbi.get()), nullptr);
    auto mmbb = CreateSkinObjectRecord("mainmenubarbutton", "x");
    EXPECT_NE(dynamic_cast<TspDataSkinStdButton*>(mmbb.get()), nullptr);
    EXPECT_NE(dynamic_cast<TspDataSkinButton*>(mmbb.get()), nullptr);
    EXPECT_EQ(CreateSkinObjectRecord("StdButton", "x"), nullptr);
}

} // namespace

namespace {

// What an empty section gives, for every record type: picture indexes -1, the Arial 14
// font, 25 ms animations, empty rects, false bools — except the few values fixed otherwise.
template <class Record> void CheckEmptySectionDefaults(Record& record, const std::string& type) {
    TspSkinIni empty;
    empty.LoadText("[x]\n");
    record.ReadFromSection(empty);
    TspSkinFieldLister lister;
    record.BindFields(lister);
    ASSERT_FALSE(lister.Lines().empty()) << type;
    for (const std::string& line : lister.Lines()) {
        std::string key = line.substr(0, line.find('='));
        std::string value = line.substr(line.find('=') + 1);
        std::string lower = key;
        for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        auto endsWith = [&](const char* tail) {
            std::string t(tail);
            return lower.size() >= t.size() &&
                   lower.compare(lower.size() - t.size(), t.size(), t) == 0;
        };
        std::string expected;
        if (endsWith("pictureindex") || lower == "cursorindex" || lower == "groupindex")
            expected = "-1";
        else if (lower == "fontname")
            expected = "Arial";
        else if (endsWith("fontheight"))
            expected = "14";
        else if (lower == "animateinterval")
            expected = "25";
        else if (endsWith("rect") || lower == "trackarea" || lower == "progressarea" ||
                 lower == "checkimagearea" || lower == "textarea")
            expected = "0,0,0,0";
        else if (endsWith("point"))
            expected = "0,0";
        if (!expected.empty()) {
            EXPECT_EQ(value, expected) << type << " " << key;
        }
    }
}

TEST(SkinRecordDefaults, EveryControlTypeStartsFromTheSameDefaults) {
    for (const char* type :
         {"button",   "menubutton",   "checkradio",     "panel",     "expanel",  "bevel",
          "label",    "stdlabel",     "bitlabel",       "gauge",     "splitter", "trackbar",
          "slider",   "framegauge",   "frameregulator", "animate",   "switch",   "tab",
          "grid",     "mainmenubar",  "controlbar",     "memo",      "edit",     "spinedit",
          "listbox",  "checklistbox", "combobox",       "scrollbar", "updown",   "scrollbox",
          "treeview", "listview",     "richedit"}) {
        auto record = CreateSkinControlRecord(type, "x");
        ASSERT_NE(record, nullptr) << type;
        EXPECT_EQ(record->IDName, "x");
        CheckEmptySectionDefaults(*record, type);
    }
}

TEST(SkinRecordDefaults, EveryObjectTypeStartsFromTheSameDefaults) {
    for (const char* type :
         {"stdbutton", "button", "caption", "menuitem", "mainmenuitem", "mainmenubaritem",
          "mainmenubarbutton", "trackbar", "gauge", "framegauge", "frameregulator", "label",
          "bitlabel", "switch", "animate", "userobject"}) {
        auto record = CreateSkinObjectRecord(type, "x");
        ASSERT_NE(record, nullptr) << type;
        CheckEmptySectionDefaults(*record, type);
    }
}

} // namespace

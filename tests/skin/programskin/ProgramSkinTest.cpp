// The skin the main window carries: it loads, and it holds every figure the window's
// controls and frame are laid out by.
#include "data/ProgramSkin.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinDump.h"
#include "skin/SkinIni.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ProgramSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        stored = new TspCompressedStoredSkin(nullptr);
        LoadProgramSkin(*stored);
        store = new TspSkinData(nullptr);
        store->ApplyStoredSkin(stored);
    }
    static void TearDownTestSuite() {
        delete store;
        delete stored;
    }
    template <class T> static T* Control(const char* name) {
        int i = store->FindControlRecord(name);
        return i < 0 ? nullptr : dynamic_cast<T*>(store->ControlRecord(i));
    }
    template <class T> static T* Object(const char* name) {
        int i = store->FindObjectRecord(name);
        return i < 0 ? nullptr : dynamic_cast<T*>(store->ObjectRecord(i));
    }
    static TspCompressedStoredSkin* stored;
    static TspSkinData* store;
};
TspCompressedStoredSkin* ProgramSkin::stored = nullptr;
TspSkinData* ProgramSkin::store = nullptr;

TEST_F(ProgramSkin, LoadsFromTheEmbeddedLevel9Stream) {
    ASSERT_GT(ProgramSkinSize(), 2u);
    EXPECT_EQ(ProgramSkinData()[0], 0x78);
    EXPECT_EQ(ProgramSkinData()[1], 0xDA);
    ASSERT_FALSE(store->SkinEmpty());
    EXPECT_FALSE(store->SkinLoading());
    EXPECT_EQ(store->ContainerVersion(), 2);
}

TEST_F(ProgramSkin, FramePictureMaskAndGeometry) {
    EXPECT_EQ(store->SkinPicture()->Width(), 150);
    EXPECT_EQ(store->SkinPicture()->Height(), 107);
    EXPECT_EQ(store->SkinPicture()->PixelFormat(), pf24bit);
    // The inactive frame: the same client area under a duller title bar.
    const TBitmap* inactive = store->InactiveSkinPicture();
    ASSERT_EQ(inactive->Width(), 150);
    ASSERT_EQ(inactive->Height(), 107);
    EXPECT_EQ(inactive->PixelColor(75, 60), store->SkinPicture()->PixelColor(75, 60));
    EXPECT_NE(inactive->PixelColor(75, 14), store->SkinPicture()->PixelColor(75, 14));
    EXPECT_EQ(store->SkinMask()->Width(), 150);
    EXPECT_EQ(store->SkinMask()->Height(), 107);
    EXPECT_EQ(store->SkinMask()->PixelFormat(), pf1bit);
    EXPECT_FALSE(store->SkinMaskName().empty());
    // The mask keeps the whole mask area and rounds the corners away.
    const TspSkinFormInfo& f = store->FormInfo();
    for (int y = f.maskrectarea.Top; y < f.maskrectarea.Bottom; y += 7)
        for (int x = f.maskrectarea.Left; x < f.maskrectarea.Right; x += 7)
            ASSERT_EQ(store->SkinMask()->PixelColor(x, y), clBlack) << x << "," << y;
    EXPECT_NE(store->SkinMask()->PixelColor(0, 0), clBlack);
    EXPECT_NE(store->SkinMask()->PixelColor(149, 106), clBlack);

    EXPECT_EQ(f.clientrect, Rect(9, 34, 141, 97));
    EXPECT_EQ(f.maskrectarea, Rect(4, 4, 146, 103));
    EXPECT_EQ(f.formminwidth, 170);
    EXPECT_EQ(f.captionrect, Rect(7, 8, 143, 21));
    EXPECT_TRUE(f.buttonsrect.IsEmpty()) << "the buttons fill the caption rect's right end";
    EXPECT_EQ(f.buttonsoffset, 3);
    EXPECT_FALSE(f.buttonsinleft);
    for (TPoint p : {f.hittestlefttoppoint, f.hittestrighttoppoint, f.hittestleftbottompoint,
                     f.hittestrightbottompoint})
        EXPECT_TRUE(p.X != 0 && p.Y != 0);
    // Minimum height: picture height less the client height.
    EXPECT_EQ(107 - f.clientrect.Height(), 44);
}

TEST_F(ProgramSkin, TheCorrectionsChangeNothing) {
    TMemoryStream raw;
    stored->DecompressInto(raw);
    std::string text(static_cast<const char*>(raw.Memory()), std::size_t(raw.Size()));
    TspSkinIni ini;
    ini.LoadText(text.substr(text.find("[VERSION]")));
    const TspSkinFormInfo& f = store->FormInfo();
    EXPECT_EQ(ini.ReadPoint("FORMINFO", "lefttoppoint", {}), f.lefttoppoint);
    EXPECT_EQ(ini.ReadPoint("FORMINFO", "righttoppoint", {}), f.righttoppoint);
    EXPECT_EQ(ini.ReadPoint("FORMINFO", "leftbottompoint", {}), f.leftbottompoint);
    EXPECT_EQ(ini.ReadPoint("FORMINFO", "rightbottompoint", {}), f.rightbottompoint);
    EXPECT_EQ(ini.ReadRect("FORMINFO", "maskrectarea", {}), f.maskrectarea);
    EXPECT_EQ(ini.ReadPoint("FORMINFO", "hittestrightbottompoint", {}), f.hittestrightbottompoint);
}

TEST_F(ProgramSkin, CaptionObjectsAndButtons) {
    const struct {
        const char* name;
        int command;
    } buttons[] = {{"closebutton", cmClose},
                   {"maxbutton", cmMaximize},
                   {"minbutton", cmMinimize},
                   {"sysmenubutton", cmSysMenu}};
    for (const auto& b : buttons) {
        auto* o = Object<TspDataSkinStdButton>(b.name);
        ASSERT_NE(o, nullptr) << b.name;
        EXPECT_EQ(o->command, b.command);
        EXPECT_TRUE(o->skinrectinapicture) << "laid out on the caption row";
        TBitmap* picture = store->ActivePicture(o->activepictureindex);
        ASSERT_NE(picture, nullptr);
        for (const TRect& r : {o->skinrect, o->activeskinrect, o->inactiveskinrect, o->downrect})
            EXPECT_TRUE(!r.IsEmpty() && r.Right <= picture->Width() &&
                        r.Bottom <= picture->Height())
                << b.name;
        if (b.command != cmSysMenu) {
            EXPECT_EQ(o->skinrect.Width(), 23);
            EXPECT_EQ(o->skinrect.Height(), 13);
        }
    }
    EXPECT_FALSE(Object<TspDataSkinStdButton>("maxbutton")->restorerect.IsEmpty());
    auto* caption = Object<TspDataSkinCaption>("caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(caption->activeskinrect.IsEmpty()) << "the text goes straight onto the strip";
    EXPECT_EQ(caption->skinrect, Rect(7, 8, 143, 21));
    EXPECT_NE(caption->fontcolor, caption->activefontcolor);
}

TEST_F(ProgramSkin, CaptionButtonsSitSeamlesslyOnTheTitleBar) {
    auto* close = Object<TspDataSkinStdButton>("closebutton");
    TBitmap* picture = store->ActivePicture(close->activepictureindex);
    // Column 0 of the normal look carries no glyph: it is the title bar itself.
    for (int row = 0; row < 13; ++row)
        EXPECT_EQ(picture->PixelColor(close->skinrect.Left, close->skinrect.Top + row),
                  store->SkinPicture()->PixelColor(75, 8 + row))
            << row;
}

TEST_F(ProgramSkin, PopupMenusAndToolTipsWearTheSkin) {
    const TspDataSkinPopupWindow& popup = store->PopupWindow();
    const TBitmap* window = store->ActivePicture(popup.windowpictureindex);
    ASSERT_NE(window, nullptr);
    const TBitmap* mask = store->ActivePicture(popup.maskpictureindex);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->Width(), window->Width());
    EXPECT_EQ(mask->Height(), window->Height());
    EXPECT_EQ(mask->PixelFormat(), pf1bit);
    EXPECT_TRUE(!popup.itemsrect.IsEmpty() && popup.itemsrect.Right < window->Width() &&
                popup.itemsrect.Bottom < window->Height());
    // Rounded: the corner pixel is cut, the middle kept.
    EXPECT_NE(mask->PixelColor(0, 0), clBlack);
    EXPECT_EQ(mask->PixelColor(window->Width() / 2, window->Height() / 2), clBlack);

    const TspDataSkinHintWindow& hint = store->HintWindow();
    const TBitmap* hintPicture = store->ActivePicture(hint.windowpictureindex);
    ASSERT_NE(hintPicture, nullptr);
    ASSERT_NE(store->ActivePicture(hint.maskpictureindex), nullptr);
    EXPECT_TRUE(!hint.clientrect.IsEmpty() && hint.clientrect.Right <= hintPicture->Width());

    auto* item = Object<TspDataSkinMenuItem>("menuitem");
    ASSERT_NE(item, nullptr);
    const TBitmap* items = store->ActivePicture(item->activepictureindex);
    ASSERT_NE(items, nullptr);
    for (const TRect& r : {item->skinrect, item->activeskinrect, item->dividerrect})
        EXPECT_TRUE(!r.IsEmpty() && r.Right <= items->Width() && r.Bottom <= items->Height());
    EXPECT_EQ(item->skinrect.Height(), item->activeskinrect.Height());
    EXPECT_NE(item->fontcolor, item->activefontcolor);
    EXPECT_NE(item->fontcolor, item->unenabledfontcolor);
}

TEST_F(ProgramSkin, ControlRecordsTheWindowNames) {
    for (const char* name :
         {"tab", "stdlabel", "checkbox", "radiobox", "edit", "button", "resizebutton", "panel",
          "label", "groupbox", "bevel", "spinedit", "hupdown"})
        EXPECT_GE(store->FindControlRecord(name), 0) << name;

    auto* tab = Control<TspDataSkinTabControl>("tab");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->tabrect, Rect(4, 106, 63, 124));
    // Margins of the page area: the main window's 803 x 589 page control gives its pages
    // 801 x 567 below 18-pixel tabs.
    EXPECT_EQ(tab->clientrect.Left, 1);
    EXPECT_EQ(tab->clientrect.Top, 5);
    EXPECT_EQ(tab->skinrect.Width() - tab->clientrect.Right, 1);
    EXPECT_EQ(tab->skinrect.Height() - tab->clientrect.Bottom, 1);
    EXPECT_EQ(tab->updown, "hupdown");
    EXPECT_NE(Control<TspDataSkinUpDownControl>("hupdown"), nullptr);

    auto* stdLabel = Control<TspDataSkinStdLabelControl>("stdlabel");
    ASSERT_NE(stdLabel, nullptr);
    EXPECT_EQ(stdLabel->fontname, "Arial");
    EXPECT_EQ(stdLabel->fontheight, 14);
    EXPECT_EQ(stdLabel->fontcolor, 0u);
    EXPECT_EQ(stdLabel->activefontcolor, 15119752u);

    auto* check = Control<TspDataSkinCheckRadioControl>("checkbox");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->checkimagerect, Rect(42, 75, 57, 90));
    EXPECT_EQ(check->uncheckimagerect, Rect(28, 58, 43, 73));
    EXPECT_NE(Control<TspDataSkinCheckRadioControl>("radiobox"), nullptr);

    auto* edit = Control<TspDataSkinEditControl>("edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->skinrect, Rect(225, 98, 282, 119));
    EXPECT_EQ(edit->lefttoppoint, Point(4, 10));
    EXPECT_EQ(edit->righttoppoint, Point(51, 11));
    EXPECT_EQ(edit->clientrect, Rect(2, 3, 55, 18));
    EXPECT_EQ(edit->clientrect.Height(), 15);
    EXPECT_EQ(edit->disabledfontcolor, 12500670u);

    auto* button = Control<TspDataSkinButtonControl>("button");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->skinrect, Rect(4, 356, 87, 382));
    EXPECT_EQ(button->righttoppoint, Point(67, 11));
    EXPECT_EQ(button->leftbottompoint, Point(0, 0));
    EXPECT_EQ(button->rightbottompoint, Point(0, 0));
    EXPECT_EQ(button->fontcolor, 0u);
    EXPECT_EQ(button->activefontcolor, 16777215u);
    EXPECT_TRUE(button->morphing);

    auto* resize = Control<TspDataSkinButtonControl>("resizebutton");
    ASSERT_NE(resize, nullptr);
    EXPECT_EQ(resize->skinrect.Width(), 38);
    EXPECT_EQ(resize->skinrect.Height(), 37);
    for (TPoint p : {resize->lefttoppoint, resize->righttoppoint, resize->leftbottompoint,
                     resize->rightbottompoint})
        EXPECT_TRUE(p.X != 0 && p.Y != 0);
    EXPECT_TRUE(resize->stretcheffect && resize->leftstretch && resize->topstretch &&
                resize->rightstretch && resize->bottomstretch);

    auto* panel = Control<TspDataSkinPanelControl>("panel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->clientrect,
              Rect(2, 2, panel->skinrect.Width() - 2, panel->skinrect.Height() - 2));

    auto* label = Control<TspDataSkinLabelControl>("label");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->skinrect, Rect(98, 12, 133, 28));
    EXPECT_EQ(label->righttoppoint, Point(33, 8));

    auto* group = Control<TspDataSkinPanelControl>("groupbox");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->captionrect, Rect(3, 3, 56, 17));
    EXPECT_EQ(group->clientrect,
              Rect(1, 18, group->skinrect.Width() - 1, group->skinrect.Height() - 1));
    // The caption's top-left lies in the left-top corner part and its bottom-right in the
    // right-top part, so the caption area grows with the box's width.
    EXPECT_TRUE(3 < group->lefttoppoint.X && 3 < group->lefttoppoint.Y);
    EXPECT_TRUE(group->righttoppoint.X <= 56 && 56 < group->skinrect.Width() &&
                17 < group->righttoppoint.Y);

    auto* bevel = Control<TspDataSkinBevel>("bevel");
    ASSERT_NE(bevel, nullptr);
    EXPECT_EQ(bevel->darkcolor, 12632256u);
    EXPECT_EQ(bevel->lightcolor, 16777215u);

    auto* spin = Control<TspDataSkinSpinEditControl>("spinedit");
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->skinrect.Height(), 21);
    EXPECT_GT(spin->upbuttonrect.Left, spin->righttoppoint.X) << "buttons stay at the right end";
}

TEST_F(ProgramSkin, EveryImageLiesInsideItsPicture) {
    for (int i = 0; i < store->ControlRecordCount(); ++i) {
        TspDataSkinControl* record = store->ControlRecord(i);
        if (record->skinrect.IsEmpty()) continue;
        TBitmap* picture = store->ActivePicture(record->pictureindex);
        ASSERT_NE(picture, nullptr) << record->IDName;
        std::vector<TRect> rects{record->skinrect};
        if (auto* b = dynamic_cast<TspDataSkinButtonControl*>(record))
            rects.insert(rects.end(), {b->activeskinrect, b->downskinrect, b->disabledskinrect});
        if (auto* c = dynamic_cast<TspDataSkinCheckRadioControl*>(record))
            rects.insert(rects.end(), {c->checkimagerect, c->uncheckimagerect,
                                       c->activecheckimagerect, c->activeuncheckimagerect,
                                       c->unenabledcheckimagerect, c->unenableduncheckimagerect});
        if (auto* s = dynamic_cast<TspDataSkinSpinEditControl*>(record))
            rects.insert(rects.end(),
                         {s->activeskinrect, s->activeupbuttonrect, s->downupbuttonrect,
                          s->activedownbuttonrect, s->downdownbuttonrect});
        if (auto* t = dynamic_cast<TspDataSkinTabControl*>(record))
            rects.insert(rects.end(),
                         {t->tabrect, t->activetabrect, t->mouseintabrect, t->tabsbgrect});
        for (const TRect& r : rects) {
            if (r.IsEmpty()) continue;
            EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Right <= picture->Width() &&
                        r.Bottom <= picture->Height())
                << record->IDName << " " << SkinRectText(r);
        }
    }
}

TEST_F(ProgramSkin, CheckImagesDropTheirCornersWhenDrawnTransparently) {
    auto* check = Control<TspDataSkinCheckRadioControl>("checkbox");
    TBitmap* picture = store->ActivePicture(check->pictureindex);
    for (const TRect& r : {check->checkimagerect, check->uncheckimagerect}) {
        TColor key = picture->PixelColor(r.Left, r.Bottom - 1);
        EXPECT_EQ(picture->PixelColor(r.Left + 7, r.Top + 7) == key, false);
        EXPECT_EQ(picture->PixelColor(r.Right - 1, r.Top), key) << "all four corners drop out";
    }
}

TEST_F(ProgramSkin, ColoursAndTheListing) {
    EXPECT_EQ(store->SkinColors().c3dlight, 0u);
    EXPECT_EQ(store->SkinColors().c3ddkshadow, 0u);
    std::vector<std::string> lines = DumpSkinData(*store);
    auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("version 2"));
    EXPECT_TRUE(has("forminfo"));
    EXPECT_TRUE(has("  clientrect=9,34,141,97"));
    EXPECT_TRUE(has("record button TspDataSkinButtonControl"));
    EXPECT_TRUE(has("  righttoppoint=67,11"));
    EXPECT_TRUE(has("object closebutton TspDataSkinStdButton"));
    EXPECT_TRUE(has("  command=cmclose"));
    EXPECT_TRUE(has("  activefontcolor=15119752"));
}

} // namespace

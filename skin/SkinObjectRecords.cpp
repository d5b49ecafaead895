#include "skin/SkinObjectRecords.h"

#include <map>

namespace {

void BindFont(TspSkinFieldBinder& b, const char* nameKey, std::string& name, int& height,
              TspSkinFontStyles& style) {
    b.String(nameKey, name, "Arial");
    b.Int("fontheight", height, 14);
    b.FontStyle("fontstyle", style);
}

const char* const kPlacements[] = {"fphorizontal", "fpvertical"};
const char* const kRegulatorKinds[] = {"rkround", "rkhorizontal", "rkvertical"};

} // namespace

void TspDataSkinObject::ReadFromSection(const TspSkinIni& ini) {
    TspSkinSectionReader reader(ini, IDName);
    BindFields(reader);
    AfterRead();
}

void TspDataSkinObject::BindFields(TspSkinFieldBinder& b) {
    b.String("hint", hint, "");
    b.Bool("rollup", rollup);
    b.Int("activepictureindex", activepictureindex, -1);
    b.Bool("skinrectinapicture", skinrectinapicture);
    b.Int("cursorindex", cursorindex, -1);
    b.Rect("skinrect", skinrect);
    b.Rect("activeskinrect", activeskinrect);
    b.Rect("inactiveskinrect", inactiveskinrect);
    b.Bool("morphing", morphing);
    b.MorphKind("morphkind", morphkind);
}

void TspSkinButtonLooks::BindButtonLooks(TspSkinFieldBinder& b) {
    b.Rect("downrect", downrect);
    b.Rect("disableskinrsect", disableskinrsect);
    b.Int("groupindex", groupindex, -1);
}

void TspDataSkinButton::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinObject::BindFields(b);
    BindButtonLooks(b);
}

void TspSkinRestoreLooks::BindCommand(TspSkinFieldBinder& b) {
    // Only the exact lower-case words count; anything else means "to tray".
    static const char* const commands[] = {"cmclose",         "cmmaximize", "cmminimize",
                                           "cmsysmenu",       "cmdefault",  "cmrollup",
                                           "cmminimizetotray"};
    b.Choice("command", command, commands, 7, cmDefault, cmMinimizeToTray);
}

void TspSkinRestoreLooks::BindRestoreRects(TspSkinFieldBinder& b) {
    b.Rect("restorerect", restorerect);
    b.Rect("restoreactiverect", restoreactiverect);
    b.Rect("restoredownrect", restoredownrect);
    b.Rect("restoreinactiverect", restoreinactiverect);
}

void TspDataSkinStdButton::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinButton::BindFields(b);
    BindCommand(b);
    BindRestoreRects(b);
}

void TspDataSkinCaption::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinObject::BindFields(b);
    BindCaptionLooks(b);
}

void TspSkinCaptionLooks::BindCaptionLooks(TspSkinFieldBinder& b) {
    b.Bool("defaultcaption", defaultcaption);
    b.Rect("textrect", textrect);
    BindFont(b, "fontname", fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.Alignment("alignment", alignment);
    b.Bool("shadow", shadow);
    b.Color("shadowcolor", shadowcolor, 0);
    b.Bool("light", light);
    b.Color("lightcolor", lightcolor, 0);
    b.Color("activelightcolor", activelightcolor, 0);
    b.Color("activeshadowcolor", activeshadowcolor, 0);
    b.Rect("framerect", framerect);
    b.Rect("activeframerect", activeframerect);
    b.Rect("frametextrect", frametextrect);
    b.Int("frameleftoffset", frameleftoffset, 0);
    b.Int("framerightoffset", framerightoffset, 0);
    b.Bool("stretcheffect", stretcheffect);
    b.Rect("animateskinrect", animateskinrect);
    b.Int("framecount", framecount, 0);
    b.Int("animateinterval", animateinterval, 25);
    b.Bool("inactiveanimation", inactiveanimation);
    b.Bool("fullframe", fullframe);
}

void TspDataSkinMenuItem::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinObject::BindFields(b);
    b.Int("itemleftoffset", itemleftoffset, 0);
    b.Int("itemrightoffset", itemrightoffset, 0);
    b.Rect("dividerrect", dividerrect);
    b.Int("dividerleftoffset", dividerleftoffset, 0);
    b.Int("dividerrightoffset", dividerrightoffset, 0);
    b.Rect("textrect", textrect);
    b.Rect("imagerect", imagerect);
    BindFont(b, "fontname", fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.Color("unenabledfontcolor", unenabledfontcolor, 0);
    b.Bool("stretcheffect", stretcheffect);
    b.Bool("inactivestretcheffect", inactivestretcheffect);
    b.Bool("dividerstretcheffect", dividerstretcheffect);
    b.Rect("animateskinrect", animateskinrect);
    b.Int("framecount", framecount, 0);
    b.Int("animateinterval", animateinterval, 25);
    b.Bool("inactiveanimation", inactiveanimation);
    b.Bool("useimagecolor", useimagecolor);
    b.Color("imagecolor", imagecolor, 0);
    b.Color("activeimagecolor", activeimagecolor, 0);
}

void TspDataSkinMainMenuItem::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinObject::BindFields(b);
    BindMainMenuItemLooks(b);
}

void TspSkinMainMenuItemLooks::BindMainMenuItemLooks(TspSkinFieldBinder& b) {
    b.Int("itemleftoffset", itemleftoffset, 0);
    b.Int("itemrightoffset", itemrightoffset, 0);
    b.Rect("downrect", downrect);
    b.Rect("textrect", textrect);
    BindFont(b, "fontname", fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.Color("downfontcolor", downfontcolor, 0);
    b.Color("unenabledfontColor", unenabledfontcolor, 0);
    b.Bool("stretcheffect", stretcheffect);
    b.Rect("animateskinrect", animateskinrect);
    b.Int("framecount", framecount, 0);
    b.Int("animateinterval", animateinterval, 25);
    b.Bool("inactiveanimation", inactiveanimation);
}

void TspDataSkinLabel::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinObject::BindFields(b);
    BindLabelLooks(b);
}

void TspSkinLabelLooks::BindLabelLooks(TspSkinFieldBinder& b) {
    BindFont(b, "fontName", fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.Alignment("alignment", alignment);
    b.String("textvalue", textvalue, "");
}

void TspDataSkinBitLabel::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinObject::BindFields(b);
    BindBitLabelLooks(b);
}

void TspSkinBitLabelLooks::BindBitLabelLooks(TspSkinFieldBinder& b) {
    b.String("textvalue", textvalue, "");
    b.Int("symbolwidth", symbolwidth, 0);
    b.Int("symbolheight", symbolheight, 0);
    b.LineList("symbols", symbols);
    b.Bool("transparent", transparent);
    b.Color("transparentcolor", transparentcolor, 16711935);
}

void TspDataSkinTrackBar::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinObject::BindFields(b);
    BindTrackBarLooks(b);
}

void TspSkinTrackBarLooks::BindTrackBarLooks(TspSkinFieldBinder& b) {
    b.Rect("buttonrect", buttonrect);
    b.Rect("activebuttonrect", activebuttonrect);
    b.Point("beginpoint", beginpoint);
    b.Point("endpoint", endpoint);
    b.Int("minvalue", minvalue, 0);
    b.Int("maxvalue", maxvalue, 0);
    b.Bool("mousedownchangevalue", mousedownchangevalue);
    b.Bool("buttontransparent", buttontransparent);
    b.Color("buttontransparentcolor", buttontransparentcolor, 0);
}

void TspDataSkinGauge::BindFields(TspSkinFieldBinder& b) {
    static const char* const kinds[] = {"gkhorizontal", "gkvertical"};
    TspDataSkinObject::BindFields(b);
    b.Int("minvalue", minvalue, 0);
    b.Int("maxvalue", maxvalue, 0);
    b.Choice("kind", kind, kinds, 2, 0, 1);
}

void TspDataSkinFrameGaugeObject::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinObject::BindFields(b);
    b.Int("minvalue", minvalue, 0);
    b.Int("maxvalue", maxvalue, 0);
    b.Int("countframes", countframes, 0);
    b.Choice("framesplacement", framesplacement, kPlacements, 2, 0, 1);
}

void TspDataSkinFrameRegulatorObject::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinObject::BindFields(b);
    b.Int("minvalue", minvalue, 0);
    b.Int("maxvalue", maxvalue, 0);
    b.Int("countframes", countframes, 0);
    b.Choice("framesplacement", framesplacement, kPlacements, 2, 0, 1);
    b.Choice("kind", kind, kRegulatorKinds, 3, 0, 2);
}

void TspDataSkinAnimate::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinObject::BindFields(b);
    b.Int("countframes", countframes, 1);
    b.Bool("cycle", cycle);
    b.Bool("buttonstyle", buttonstyle);
    b.Int("timerinterval", timerinterval, 50);
    BindCommand(b);
    b.Rect("downskinrect", downskinrect);
    BindRestoreRects(b);
}

void TspDataUserObject::BindFields(TspSkinFieldBinder& b) {
    b.Bool("rollup", rollup);
    b.Rect("skinrect", skinrect);
    b.Int("cursorindex", cursorindex, -1);
}

namespace {
template <class T> std::unique_ptr<TspDataSkinObject> MakeObject(const std::string& name) {
    return std::make_unique<T>(name);
}
} // namespace

std::unique_ptr<TspDataSkinObject> CreateSkinObjectRecord(const std::string& type,
                                                          const std::string& idName) {
    using Factory = std::unique_ptr<TspDataSkinObject> (*)(const std::string&);
    static const std::map<std::string, Factory> factories = {
        {"stdbutton", &MakeObject<TspDataSkinStdButton>},
        {"button", &MakeObject<TspDataSkinButton>},
        {"caption", &MakeObject<TspDataSkinCaption>},
        {"menuitem", &MakeObject<TspDataSkinMenuItem>},
        {"mainmenuitem", &MakeObject<TspDataSkinMainMenuItem>},
        {"mainmenubaritem", &MakeObject<TspDataSkinMainMenuBarItem>},
        {"mainmenubarbutton", &MakeObject<TspDataSkinMainMenuBarButton>},
        {"trackbar", &MakeObject<TspDataSkinTrackBar>},
        {"gauge", &MakeObject<TspDataSkinGauge>},
        {"framegauge", &MakeObject<TspDataSkinFrameGaugeObject>},
        {"frameregulator", &MakeObject<TspDataSkinFrameRegulatorObject>},
        {"label", &MakeObject<TspDataSkinLabel>},
        {"bitlabel", &MakeObject<TspDataSkinBitLabel>},
        {"switch", &MakeObject<TspDataSkinSwitch>},
        {"animate", &MakeObject<TspDataSkinAnimate>},
        {"userobject", &MakeObject<TspDataUserObject>},
    };
    auto it = factories.find(type);
    return it == factories.end() ? nullptr : it->second(idName);
}

#include "skin/SkinControlRecords.h"

#include <map>

namespace {

// The font keys most records read together, in this order.
void BindFont(TspSkinFieldBinder& b, std::string& name, int& height, TspSkinFontStyles& style) {
    b.String("fontname", name, "Arial");
    b.Int("fontheight", height, 14);
    b.FontStyle("fontstyle", style);
}

} // namespace

void TspDataSkinControl::ReadFromSection(const TspSkinIni& ini) {
    TspSkinSectionReader reader(ini, IDName);
    BindFields(reader);
    AfterRead();
}

void TspDataSkinControl::BindFields(TspSkinFieldBinder& b) {
    b.Int("pictureindex", pictureindex, -1);
    b.Int("maskpictureindex", maskpictureindex, -1);
    b.Int("cursorindex", cursorindex, -1);
    b.Rect("skinrect", skinrect);
}

void TspDataSkinCustomControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinControl::BindFields(b);
    b.Point("lefttoppoint", lefttoppoint);
    b.Point("righttoppoint", righttoppoint);
    b.Point("leftbottompoint", leftbottompoint);
    b.Point("rightbottompoint", rightbottompoint);
    b.Rect("clientrect", clientrect);
    b.Bool("stretcheffect", stretcheffect);
    b.Bool("leftstretch", leftstretch);
    b.Bool("topstretch", topstretch);
    b.Bool("rightstretch", rightstretch);
    b.Bool("bottomstretch", bottomstretch);
}

void TspDataSkinButtonControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.Color("disabledfontcolor", disabledfontcolor, 0);
    b.Color("downfontcolor", downfontcolor, 0);
    b.Bool("morphing", morphing);
    b.MorphKind("morphkind", morphkind);
    b.Rect("activeskinrect", activeskinrect);
    b.Rect("downskinrect", downskinrect);
    b.Rect("disabledskinrect", disabledskinrect);
    b.Rect("animateskinrect", animateskinrect);
    b.Int("framecount", framecount, 0);
    b.Int("animateinterval", animateinterval, 25);
    b.Bool("showfocus", showfocus);
    b.Rect("menumarkerflatrect", menumarkerflatrect);
    b.Rect("menumarkerrect", menumarkerrect);
    b.Rect("menumarkeractiverect", menumarkeractiverect);
    b.Rect("menumarkerdownrect", menumarkerdownrect);
    b.Color("menumarkertransparentcolor", menumarkertransparentcolor, 0);
}

void TspDataSkinMenuButtonControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinButtonControl::BindFields(b);
    b.Rect("trackbuttonrect", trackbuttonrect);
}

void TspDataSkinCheckRadioControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.Color("unenabledfontcolor", unenabledfontcolor, 0);
    b.Color("framefontcolor", framefontcolor, 0);
    b.Bool("morphing", morphing);
    b.MorphKind("morphkind", morphkind);
    b.Rect("activeskinrect", activeskinrect);
    b.Rect("checkimagearea", checkimagearea);
    b.Rect("textarea", textarea);
    b.Rect("checkimagerect", checkimagerect);
    b.Rect("uncheckimagerect", uncheckimagerect);
    b.Rect("activecheckimagerect", activecheckimagerect);
    b.Rect("activeuncheckimagerect", activeuncheckimagerect);
    b.Rect("unenabledcheckimagerect", unenabledcheckimagerect);
    b.Rect("unenableduncheckimagerect", unenableduncheckimagerect);
}

void TspDataSkinEditControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("activeskinrect", activeskinrect);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("disabledfontcolor", disabledfontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.Rect("buttonrect", buttonrect);
    b.Rect("activebuttonrect", activebuttonrect);
    b.Rect("downbuttonrect", downbuttonrect);
    b.Rect("unenabledbuttonrect", unenabledbuttonrect);
}

void TspDataSkinMemoControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinEditControl::BindFields(b);
    b.Color("bgcolor", bgcolor, 0);
    b.Color("activebgcolor", activebgcolor, 0);
}

void TspDataSkinSpinEditControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("activeskinrect", activeskinrect);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.Color("disabledfontcolor", disabledfontcolor, 0);
    b.Rect("upbuttonrect", upbuttonrect);
    b.Rect("activeupbuttonrect", activeupbuttonrect);
    b.Rect("downupbuttonrect", downupbuttonrect);
    b.Rect("downbuttonrect", downbuttonrect);
    b.Rect("activedownbuttonrect", activedownbuttonrect);
    b.Rect("downdownbuttonrect", downdownbuttonrect);
}

void TspDataSkinTabControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinControl::BindFields(b);
    b.Rect("tabrect", tabrect);
    b.Rect("activetabrect", activetabrect);
    b.Rect("focustabrect", focustabrect);
    b.Rect("mouseintabrect", mouseintabrect);
    b.Rect("clientrect", clientrect);
    b.Int("bgpictureindex", bgpictureindex, -1);
    b.Point("lefttoppoint", lefttoppoint);
    b.Point("righttoppoint", righttoppoint);
    b.Point("leftbottompoint", leftbottompoint);
    b.Point("rightbottompoint", rightbottompoint);
    b.Int("tableftoffset", tableftoffset, 0);
    b.Int("tabrightoffset", tabrightoffset, 0);
    b.Rect("tabsbgrect", tabsbgrect);
    b.Bool("tabstretcheffect", tabstretcheffect);
    b.Bool("leftstretch", leftstretch);
    b.Bool("topstretch", topstretch);
    b.Bool("rightstretch", rightstretch);
    b.Bool("bottomstretch", bottomstretch);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.Color("focusfontcolor", focusfontcolor, 0);
    b.Color("mouseinfontcolor", mouseinfontcolor, 0);
    b.String("updown", updown, "");
    b.Bool("showfocus", showfocus);
    b.Int("focusoffsetx", focusoffsetx, 0);
    b.Int("focusoffsety", focusoffsety, 0);
}

void TspDataSkinStdLabelControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinControl::BindFields(b);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 16711680);
}

void TspDataSkinLabelControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
}

void TspDataSkinPanelControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Int("bgpictureindex", bgpictureindex, -1);
    b.Rect("captionrect", captionrect);
    b.Alignment("alignment", alignment);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Rect("checkimagerect", checkimagerect);
    b.Rect("uncheckimagerect", uncheckimagerect);
    b.Rect("markframerect", markframerect);
    b.Rect("framerect", framerect);
    b.Rect("frametextrect", frametextrect);
    b.Int("frameleftoffset", frameleftoffset, 0);
    b.Int("framerightoffset", framerightoffset, 0);
    b.Rect("gripperrect", gripperrect);
    b.Bool("grippertransparent", grippertransparent);
    b.Color("grippertransparentcolor", grippertransparentcolor, 0);
}

void TspDataSkinExPanelControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("rollhskinrect", rollhskinrect);
    b.Rect("rollvskinrect", rollvskinrect);
    b.Int("rollleftoffset", rollleftoffset, 0);
    b.Int("rollrightoffset", rollrightoffset, 0);
    b.Int("rolltopoffset", rolltopoffset, 0);
    b.Int("rollbottomoffset", rollbottomoffset, 0);
    b.Rect("rollvcaptionrect", rollvcaptionrect);
    b.Rect("rollhcaptionrect", rollhcaptionrect);
    b.Rect("closebuttonrect", closebuttonrect);
    b.Rect("closebuttonactiverect", closebuttonactiverect);
    b.Rect("closebuttondownrect", closebuttondownrect);
    b.Rect("hrollbuttonrect", hrollbuttonrect);
    b.Rect("hrollbuttonactiverect", hrollbuttonactiverect);
    b.Rect("hrollbuttondownrect", hrollbuttondownrect);
    b.Rect("hrestorebuttonrect", hrestorebuttonrect);
    b.Rect("hrestorebuttonactiverect", hrestorebuttonactiverect);
    b.Rect("hrestorebuttondownrect", hrestorebuttondownrect);
    b.Rect("vrollbuttonrect", vrollbuttonrect);
    b.Rect("vrollbuttonactiverect", vrollbuttonactiverect);
    b.Rect("vrollbuttondownrect", vrollbuttondownrect);
    b.Rect("vrestorebuttonrect", vrestorebuttonrect);
    b.Rect("vrestorebuttonactiverect", vrestorebuttonactiverect);
    b.Rect("vrestorebuttondownrect", vrestorebuttondownrect);
    b.Rect("captionrect", captionrect);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
}

void TspDataSkinBevel::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinControl::BindFields(b);
    b.Color("lightcolor", lightcolor, 0);
    b.Color("darkcolor", darkcolor, 0);
}

void TspSkinArrowButtonRects::Bind(TspSkinFieldBinder& b) {
    b.Rect("upbuttonrect", upbuttonrect);
    b.Rect("activeupbuttonrect", activeupbuttonrect);
    b.Rect("downupbuttonrect", downupbuttonrect);
    b.Rect("downbuttonrect", downbuttonrect);
    b.Rect("activedownbuttonrect", activedownbuttonrect);
    b.Rect("downdownbuttonrect", downdownbuttonrect);
}

void TspDataSkinUpDownControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    TspSkinArrowButtonRects::Bind(b);
}

void TspDataSkinUpDownControl::AfterRead() {
    // The scroller is never sliced, whatever its section says.
    lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = TPoint{};
    clientrect = TRect{};
}

void TspDataSkinScrollBarControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("trackarea", trackarea);
    TspSkinArrowButtonRects::Bind(b);
    b.Rect("thumbrect", thumbrect);
    b.Rect("activethumbrect", activethumbrect);
    b.Rect("downthumbrect", downthumbrect);
    b.Int("thumboffset1", thumboffset1, 0);
    b.Int("thumboffset2", thumboffset2, 0);
    b.Bool("thumbtransparent", thumbtransparent);
    b.Color("thumbtransparentcolor", thumbtransparentcolor, 0);
    b.Rect("glyphrect", glyphrect);
    b.Rect("activeglyphrect", activeglyphrect);
    b.Rect("downglyphrect", downglyphrect);
}

void TspDataSkinListBox::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("itemrect", itemrect);
    b.Rect("activeitemrect", activeitemrect);
    b.Rect("focusitemrect", focusitemrect);
    b.Int("itemleftoffset", itemleftoffset, 0);
    b.Int("itemrightoffset", itemrightoffset, 0);
    b.Rect("itemtextrect", itemtextrect);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.Color("focusfontcolor", focusfontcolor, 0);
    b.Rect("captionrect", captionrect);
    b.String("captionfontname", captionfontname, "");
    b.Int("captionfontheight", captionfontheight, 14);
    b.FontStyle("captionfontstyle", captionfontstyle);
    b.Color("captionfontcolor", captionfontcolor, 0);
    TspSkinArrowButtonRects::Bind(b);
    b.Rect("checkbuttonrect", checkbuttonrect);
    b.Rect("activecheckbuttonrect", activecheckbuttonrect);
    b.Rect("downcheckbuttonrect", downcheckbuttonrect);
    b.String("vscrollbarname", vscrollbarname, "vscrollbar");
    b.String("hscrollbarname", hscrollbarname, "hscrollbar");
    b.String("bothhscrollbarname", bothhscrollbarname, "bothhscrollbar");
    b.Bool("showfocus", showfocus);
}

void TspDataSkinCheckListBox::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinListBox::BindFields(b);
    b.Rect("checkimagerect", checkimagerect);
    b.Rect("itemcheckrect", itemcheckrect);
    b.Rect("uncheckimagerect", uncheckimagerect);
}

void TspDataSkinComboBox::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("activeskinrect", activeskinrect);
    b.Rect("itemrect", itemrect);
    b.Rect("activeitemrect", activeitemrect);
    b.Rect("focusitemrect", focusitemrect);
    b.Int("itemleftoffset", itemleftoffset, 0);
    b.Int("itemrightoffset", itemrightoffset, 0);
    b.Rect("itemtextrect", itemtextrect);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("focusfontcolor", focusfontcolor, 0);
    b.Color("activefontcolor", activefontcolor, 0);
    b.String("listboxname", listboxname, "");
    b.Rect("buttonrect", buttonrect);
    b.Rect("activebuttonrect", activebuttonrect);
    b.Rect("downbuttonrect", downbuttonrect);
    b.Rect("unenabledbuttonrect", unenabledbuttonrect);
    b.Bool("itemstretcheffect", itemstretcheffect);
    b.Bool("focusitemstretcheffect", focusitemstretcheffect);
    b.Bool("showfocus", showfocus);
}

void TspDataSkinControlBar::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("itemrect", itemrect);
    b.Int("bgpictureindex", bgpictureindex, -1);
    b.Rect("hgriprect", hgriprect);
    b.Rect("vgriprect", vgriprect);
    b.Int("gripoffset1", gripoffset1, 0);
    b.Int("gripoffset2", gripoffset2, 0);
}

void TspDataSkinGridControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinControl::BindFields(b);
    b.Rect("fixedcellrect", fixedcellrect);
    b.Rect("selectcellrect", selectcellrect);
    b.Rect("focuscellrect", focuscellrect);
    b.Int("fixedcellleftoffset", fixedcellleftoffset, 0);
    b.Int("fixedcellrightoffset", fixedcellrightoffset, 0);
    b.Rect("fixedcelltextrect", fixedcelltextrect);
    b.Int("cellleftoffset", cellleftoffset, 0);
    b.Int("cellrightoffset", cellrightoffset, 0);
    b.Rect("celltextrect", celltextrect);
    b.Color("linescolor", linescolor, 0);
    b.Color("bgcolor", bgcolor, 0);
    b.Int("bgpictureindex", bgpictureindex, -1);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("selectfontcolor", selectfontcolor, 0);
    b.Color("focusfontcolor", focusfontcolor, 0);
    b.String("fixedfontname", fixedfontname, "");
    b.Int("fixedfontheight", fixedfontheight, 14);
    b.FontStyle("fixedfontstyle", fixedfontstyle);
    b.Color("fixedfontcolor", fixedfontcolor, 0);
    b.Bool("cellstretcheffect", cellstretcheffect);
    b.Bool("fixedcellstretcheffect", fixedcellstretcheffect);
    b.Bool("showfocus", showfocus);
}

void TspDataSkinTextViewControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinControl::BindFields(b);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Color("bgcolor", bgcolor, 0);
}

void TspDataSkinSlider::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinControl::BindFields(b);
    b.Color("bgcolor", bgcolor, 0);
    b.Rect("hrulerrect", hrulerrect);
    b.Rect("hthumbrect", hthumbrect);
    b.Rect("vrulerrect", vrulerrect);
    b.Rect("vthumbrect", vthumbrect);
    b.Int("edgesize", edgesize, 0);
    b.Color("pointscolor", pointscolor, 0);
}

void TspDataSkinMainMenuBar::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinControl::BindFields(b);
    b.Rect("itemsrect", itemsrect);
    b.String("menubaritem", menubaritem, "");
    b.String("closebutton", closebutton, "");
    b.String("minbutton", minbutton, "");
    b.String("maxbutton", maxbutton, "");
    b.String("sysmenubutton", sysmenubutton, "");
    b.Color("trackmarkcolor", trackmarkcolor, 0);
    b.Color("trackmarkactivecolor", trackmarkactivecolor, 0);
}

void TspDataSkinFrameControl::BindFields(TspSkinFieldBinder& b) {
    static const char* const placements[] = {"fphorizontal", "fpvertical"};
    TspDataSkinControl::BindFields(b);
    b.Int("framescount", framescount, 1);
    b.Choice("framesplacement", framesplacement, placements, 2, 0, 1);
}

void TspDataSkinFrameControl::AfterRead() {
    if (framescount < 1) framescount = 1;
}

void TspDataSkinFrameRegulator::BindFields(TspSkinFieldBinder& b) {
    static const char* const kinds[] = {"rkround", "rkhorizontal", "rkvertical"};
    TspDataSkinFrameControl::BindFields(b);
    b.Choice("kind", kind, kinds, 3, 0, 2);
}

void TspDataSkinBitLabelControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("skintextrect", skintextrect);
    b.Int("symbolwidth", symbolwidth, 0);
    b.Int("symbolheight", symbolheight, 0);
    b.LineList("symbols", symbols);
}

void TspDataSkinTrackBarControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("trackarea", trackarea);
    b.Rect("buttonrect", buttonrect);
    b.Rect("activebuttonrect", activebuttonrect);
    b.Bool("vertical", vertical);
    b.Bool("buttontransparent", buttontransparent);
    b.Color("buttontransparentcolor", buttontransparentcolor, 0);
}

void TspDataSkinSplitterControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("gripperrect", gripperrect);
    b.Bool("grippertransparent", grippertransparent);
    b.Color("grippertransparentcolor", grippertransparentcolor, 0);
}

void TspDataSkinGaugeControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Rect("progressarea", progressarea);
    b.Rect("progressrect", progressrect);
    b.Int("beginoffset", beginoffset, 0);
    b.Int("endoffset", endoffset, 0);
    b.Bool("vertical", vertical);
    BindFont(b, fontname, fontheight, fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Bool("progresstransparent", progresstransparent);
    b.Color("progresstransparentcolor", progresstransparentcolor, 0);
    b.Bool("progressstretch", progressstretch);
}

void TspDataSkinScrollBoxControl::BindFields(TspSkinFieldBinder& b) {
    TspDataSkinCustomControl::BindFields(b);
    b.Int("bgpictureindex", bgpictureindex, -1);
}

namespace {
template <class T> std::unique_ptr<TspDataSkinControl> MakeRecord(const std::string& name) {
    return std::make_unique<T>(name);
}
} // namespace

std::unique_ptr<TspDataSkinControl> CreateSkinControlRecord(const std::string& type,
                                                            const std::string& idName) {
    using Factory = std::unique_ptr<TspDataSkinControl> (*)(const std::string&);
    static const std::map<std::string, Factory> factories = {
        {"button", &MakeRecord<TspDataSkinButtonControl>},
        {"menubutton", &MakeRecord<TspDataSkinMenuButtonControl>},
        {"checkradio", &MakeRecord<TspDataSkinCheckRadioControl>},
        {"panel", &MakeRecord<TspDataSkinPanelControl>},
        {"expanel", &MakeRecord<TspDataSkinExPanelControl>},
        {"bevel", &MakeRecord<TspDataSkinBevel>},
        {"label", &MakeRecord<TspDataSkinLabelControl>},
        {"stdlabel", &MakeRecord<TspDataSkinStdLabelControl>},
        {"bitlabel", &MakeRecord<TspDataSkinBitLabelControl>},
        {"gauge", &MakeRecord<TspDataSkinGaugeControl>},
        {"splitter", &MakeRecord<TspDataSkinSplitterControl>},
        {"trackbar", &MakeRecord<TspDataSkinTrackBarControl>},
        {"slider", &MakeRecord<TspDataSkinSlider>},
        {"framegauge", &MakeRecord<TspDataSkinFrameGauge>},
        {"frameregulator", &MakeRecord<TspDataSkinFrameRegulator>},
        {"animate", &MakeRecord<TspDataSkinAnimateControl>},
        {"switch", &MakeRecord<TspDataSkinSwitchControl>},
        {"tab", &MakeRecord<TspDataSkinTabControl>},
        {"grid", &MakeRecord<TspDataSkinGridControl>},
        {"mainmenubar", &MakeRecord<TspDataSkinMainMenuBar>},
        {"controlbar", &MakeRecord<TspDataSkinControlBar>},
        {"memo", &MakeRecord<TspDataSkinMemoControl>},
        {"edit", &MakeRecord<TspDataSkinEditControl>},
        {"spinedit", &MakeRecord<TspDataSkinSpinEditControl>},
        {"listbox", &MakeRecord<TspDataSkinListBox>},
        {"checklistbox", &MakeRecord<TspDataSkinCheckListBox>},
        {"combobox", &MakeRecord<TspDataSkinComboBox>},
        {"scrollbar", &MakeRecord<TspDataSkinScrollBarControl>},
        {"updown", &MakeRecord<TspDataSkinUpDownControl>},
        {"scrollbox", &MakeRecord<TspDataSkinScrollBoxControl>},
        {"treeview", &MakeRecord<TspDataSkinTreeView>},
        {"listview", &MakeRecord<TspDataSkinListView>},
        {"richedit", &MakeRecord<TspDataSkinRichEdit>},
    };
    auto it = factories.find(type);
    return it == factories.end() ? nullptr : it->second(idName);
}

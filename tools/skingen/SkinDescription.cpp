#include "tools/skingen/SkinDescription.h"

#include "tools/skingen/MenuLayout.h"
#include "tools/skingen/SkinLayout.h"

#include <string>

using namespace skinlayout;

namespace {

std::string R(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}
std::string P(TPoint p) {
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}
std::string P(int x, int y) {
    return P(TPoint{x, y});
}
std::string C(Rgb c) {
    return std::to_string(ColorValue(c));
}
std::string N(int v) {
    return std::to_string(v);
}

class Writer {
public:
    void Section(const std::string& name) {
        if (!m_lines.empty()) m_lines.push_back("");
        m_lines.push_back("[" + name + "]");
    }
    void Key(const std::string& key, const std::string& value) {
        m_lines.push_back(key + "=" + value);
    }
    std::vector<std::string> Take() { return std::move(m_lines); }

private:
    std::vector<std::string> m_lines;
};

void Font(Writer& w, int height, const char* style, Rgb color) {
    w.Key("fontname", "Arial");
    w.Key("fontheight", N(height));
    w.Key("fontstyle", style);
    w.Key("fontcolor", C(color));
}

void Slicing(Writer& w, TPoint lt, TPoint rt, TPoint lb, TPoint rb, const TRect& client) {
    w.Key("lefttoppoint", P(lt));
    w.Key("righttoppoint", P(rt));
    w.Key("leftbottompoint", P(lb));
    w.Key("rightbottompoint", P(rb));
    w.Key("clientrect", R(client));
}

void Stretch(Writer& w, bool all) {
    const char* v = all ? "1" : "0";
    w.Key("stretcheffect", v);
    w.Key("leftstretch", v);
    w.Key("topstretch", v);
    w.Key("rightstretch", v);
    w.Key("bottomstretch", v);
}

void CaptionButton(Writer& w, const char* name, const char* command, int column, const char* hint) {
    w.Section(name);
    w.Key("hint", hint);
    w.Key("activepictureindex", "1");
    w.Key("skinrectinapicture", "1");
    w.Key("skinrect", R(CaptionButtonRect(column, Normal)));
    w.Key("activeskinrect", R(CaptionButtonRect(column, Active)));
    w.Key("inactiveskinrect", R(CaptionButtonRect(column, Inactive)));
    w.Key("downrect", R(CaptionButtonRect(column, Down)));
    w.Key("disableskinrsect", R(CaptionButtonRect(column, Disabled)));
    w.Key("morphing", "1");
    w.Key("morphkind", "mkdefault");
    w.Key("command", command);
    if (column == MaxColumn) {
        w.Key("restorerect", R(CaptionButtonRect(RestoreColumn, Normal)));
        w.Key("restoreactiverect", R(CaptionButtonRect(RestoreColumn, Active)));
        w.Key("restoredownrect", R(CaptionButtonRect(RestoreColumn, Down)));
        w.Key("restoreinactiverect", R(CaptionButtonRect(RestoreColumn, Inactive)));
    }
}

void PushButton(Writer& w, const char* name, const TRect& normal, const TRect& active,
                const TRect& down, const TRect& disabled, bool fourCorner) {
    w.Section(name);
    w.Key("pictureindex", "0");
    w.Key("skinrect", R(normal));
    if (fourCorner) {
        int sw = normal.Width(), sh = normal.Height();
        Slicing(w, {6, 6}, {sw - 6, 6}, {6, sh - 6}, {sw - 6, sh - 6}, {5, 5, sw - 5, sh - 6});
        Stretch(w, true);
    } else {
        Slicing(w, {16, 11}, {67, 11}, {0, 0}, {0, 0}, {4, 3, 79, 22});
        Stretch(w, false);
        // Keys other skin readers know; ours ignores them.
        w.Key("stretchtype", "stfull");
        w.Key("focusedskinrect", "0,0,0,0");
    }
    Font(w, 14, "fsbold", {0, 0, 0});
    w.Key("activefontcolor", "16777215");
    w.Key("disabledfontcolor", C({160, 168, 180}));
    w.Key("downfontcolor", C({236, 244, 255}));
    w.Key("morphing", "1");
    w.Key("morphkind", "mkdefault");
    w.Key("activeskinrect", R(active));
    w.Key("downskinrect", R(down));
    w.Key("disabledskinrect", R(disabled));
    w.Key("showfocus", "0");
}

void CheckRadio(Writer& w, const char* name, const TRect& unchecked, const TRect& checked,
                const TRect& activeUnchecked, const TRect& activeChecked,
                const TRect& disabledUnchecked, const TRect& disabledChecked) {
    w.Section(name);
    w.Key("pictureindex", "0");
    w.Key("skinrect", R(CheckFrame));
    Slicing(w, {5, 12}, {95, 12}, {0, 0}, {0, 0}, {4, 4, 96, 21});
    Stretch(w, false);
    Font(w, 14, "", Text);
    w.Key("activefontcolor", C(AccentDark));
    w.Key("unenabledfontcolor", C({160, 168, 180}));
    w.Key("framefontcolor", C(Text));
    w.Key("morphing", "1");
    w.Key("morphkind", "mkdefault");
    w.Key("activeskinrect", R(CheckFrameActive));
    w.Key("checkimagearea", "5,5,20,20");
    w.Key("textarea", "25,3,96,22");
    w.Key("checkimagerect", R(checked));
    w.Key("uncheckimagerect", R(unchecked));
    w.Key("activecheckimagerect", R(activeChecked));
    w.Key("activeuncheckimagerect", R(activeUnchecked));
    w.Key("unenabledcheckimagerect", R(disabledChecked));
    w.Key("unenableduncheckimagerect", R(disabledUnchecked));
}

// The popup menu window: a rounded plate sliced to the menu's size, shaped by its mask.
void PopupWindowSection(Writer& w) {
    w.Section("POPUPWINDOW");
    w.Key("windowpictureindex", "2");
    w.Key("maskpictureindex", "3");
    const int c = PopupCorner;
    w.Key("lefttoppoint", P(c, c));
    w.Key("righttoppoint", P(PopupWidth - c, c));
    w.Key("leftbottompoint", P(c, PopupHeight - c));
    w.Key("rightbottompoint", P(PopupWidth - c, PopupHeight - c));
    w.Key("cursorindex", "-1");
    w.Key("itemsrect", R(PopupItems));
    w.Key("scrollmarkercolor", C(MutedText));
    w.Key("scrollmarkeractivecolor", C(Accent));
    w.Key("leftstretch", "0");
    w.Key("rightstretch", "0");
    w.Key("topstretch", "0");
    w.Key("bottomstretch", "0");
}

// Tool tips: a small rounded plate in a warm white.
void HintWindowSection(Writer& w) {
    w.Section("HINTWINDOW");
    w.Key("windowpictureindex", "4");
    w.Key("maskpictureindex", "5");
    const int c = HintCorner;
    w.Key("lefttoppoint", P(c, c));
    w.Key("righttoppoint", P(HintWidth - c, c));
    w.Key("leftbottompoint", P(c, HintHeight - c));
    w.Key("rightbottompoint", P(HintWidth - c, HintHeight - c));
    w.Key("clientrect", R(HintClient));
    Font(w, 13, "", Text);
    w.Key("leftstretch", "0");
    w.Key("rightstretch", "0");
    w.Key("topstretch", "0");
    w.Key("bottomstretch", "0");
}

// The items of every skinned popup menu (the window's system menu among them).
void MenuItemSection(Writer& w) {
    w.Section("menuitem");
    w.Key("activepictureindex", "6");
    w.Key("skinrectinapicture", "1");
    w.Key("skinrect", R(MenuItemNormal));
    w.Key("activeskinrect", R(MenuItemActive));
    w.Key("itemleftoffset", N(MenuItemOffset));
    w.Key("itemrightoffset", N(MenuItemOffset));
    w.Key("dividerrect", R(MenuDivider));
    w.Key("dividerleftoffset", N(MenuDividerOffset));
    w.Key("dividerrightoffset", N(MenuDividerOffset));
    w.Key("textrect", R(MenuItemText));
    w.Key("imagerect", "4,3,20,19");
    Font(w, 14, "", Text);
    w.Key("activefontcolor", "16777215");
    w.Key("unenabledfontcolor", C({160, 168, 180}));
    w.Key("stretcheffect", "0");
    w.Key("inactivestretcheffect", "0");
    w.Key("dividerstretcheffect", "0");
}

} // namespace

std::vector<std::string> SkinDescriptionLines() {
    Writer w;
    w.Section("VERSION");
    w.Key("skinname", "Brelvan Slate");
    w.Key("skinauthor", "Brelvan");
    w.Key("authoremail", "");
    w.Key("authorurl", "");
    w.Key("skincomments", "Dark slate chrome, light surfaces, azure accent");

    w.Section("PICTURES");
    w.Key("picture", FramePictureFile);
    w.Key("inactivepicture", InactiveFramePictureFile);
    w.Key("mask", FrameMaskFile);
    w.Key("rolluppicture", "");
    w.Key("rollupmask", "");
    const char* activePictures[] = {ControlsPictureFile, FrameButtonsPictureFile, PopupPictureFile,
                                    PopupMaskFile,       HintPictureFile,         HintMaskFile,
                                    MenuItemsPictureFile};
    const int activePictureCount = int(sizeof(activePictures) / sizeof(activePictures[0]));
    w.Key("activepicturescount", N(activePictureCount));
    for (int i = 0; i < activePictureCount; ++i) w.Key(N(i), activePictures[i]);

    w.Section("FORMINFO");
    w.Key("lefttoppoint", P(FrameLT));
    w.Key("righttoppoint", P(FrameRT));
    w.Key("leftbottompoint", P(FrameLB));
    w.Key("rightbottompoint", P(FrameRB));
    w.Key("clientrect", R(FrameClient));
    w.Key("bgpictureindex", "-1");
    w.Key("mdibgpictureindex", "-1");
    w.Key("leftstretch", "0");
    w.Key("rightstretch", "0");
    w.Key("topstretch", "0");
    w.Key("bottomstretch", "0");
    w.Key("buttonsrect", "0,0,0,0");
    w.Key("captionrect", R(FrameCaption));
    w.Key("buttonsoffset", "3");
    w.Key("buttonsinleft", "0");
    w.Key("maskrectarea", R(FrameMaskArea));
    w.Key("hittestlefttoppoint", "20,20");
    w.Key("hittestrighttoppoint", "130,20");
    w.Key("hittestleftbottompoint", "20,87");
    w.Key("hittestrightbottompoint", "130,87");
    w.Key("rollupleftpoint", "40,34");
    w.Key("rolluprightpoint", "110,34");
    w.Key("mainmenurect", "0,0,0,0");
    w.Key("iconrect", "7,6,23,22");
    w.Key("mainmenupopupup", "0");
    w.Key("borderwidth", "4");
    w.Key("formminwidth", "170");
    w.Key("formminheight", "44");
    w.Key("cursorindex", "-1");
    w.Key("autorenderinginactiveimage", "0");
    w.Key("inactiveeffect", "iebrightness");

    PopupWindowSection(w);
    HintWindowSection(w);

    w.Section("SKINCOLORS");
    w.Key("cbtnface", C(Surface));
    w.Key("cbtntext", C(Text));
    w.Key("cwindow", "16777215");
    w.Key("cwindowtext", C(Text));
    w.Key("chighlight", C(Accent));
    w.Key("chighlighttext", "16777215");
    w.Key("cbtnhighlight", "16777215");
    w.Key("cbtnshadow", C({150, 162, 180}));

    w.Section("SKINAREAS");
    w.Key("count", "0");

    w.Section("SKINOBJECTS");
    const char* objects[] = {"closebutton:stdbutton", "maxbutton:stdbutton",
                             "minbutton:stdbutton",   "sysmenubutton:stdbutton",
                             "caption:caption",       "menuitem:menuitem"};
    const int objectCount = int(sizeof(objects) / sizeof(objects[0]));
    w.Key("count", N(objectCount));
    for (int i = 0; i < objectCount; ++i) w.Key(N(i), objects[i]);

    w.Section("SKINCONTROLS");
    const char* controls[] = {
        "tab:tab",       "stdlabel:stdlabel", "checkbox:checkradio", "radiobox:checkradio",
        "edit:edit",     "button:button",     "resizebutton:button", "panel:panel",
        "label:label",   "groupbox:panel",    "bevel:bevel",         "spinedit:spinedit",
        "hupdown:updown"};
    const int controlCount = int(sizeof(controls) / sizeof(controls[0]));
    w.Key("count", N(controlCount));
    for (int i = 0; i < controlCount; ++i) w.Key(N(i), controls[i]);

    CaptionButton(w, "closebutton", "cmclose", CloseColumn, "Close");
    CaptionButton(w, "maxbutton", "cmmaximize", MaxColumn, "Maximize");
    CaptionButton(w, "minbutton", "cmminimize", MinColumn, "Minimize");
    w.Section("sysmenubutton");
    w.Key("hint", "Window menu");
    w.Key("activepictureindex", "1");
    w.Key("skinrectinapicture", "1");
    w.Key("skinrect", R(SysMenuRect(Normal)));
    w.Key("activeskinrect", R(SysMenuRect(Active)));
    w.Key("inactiveskinrect", R(SysMenuRect(Inactive)));
    w.Key("downrect", R(SysMenuRect(Down)));
    w.Key("command", "cmsysmenu");

    w.Section("caption");
    w.Key("skinrect", R(FrameCaption));
    w.Key("defaultcaption", "1");
    w.Key("textrect", "3,0," + N(FrameCaption.Width()) + "," + N(FrameCaption.Height()));
    Font(w, 14, "fsbold", {150, 162, 182});
    w.Key("activefontcolor", C({242, 246, 252}));
    w.Key("alignment", "taleftjustify");
    w.Key("shadow", "1");
    w.Key("shadowcolor", C({28, 35, 48}));
    w.Key("activeshadowcolor", C({18, 23, 32}));

    MenuItemSection(w);

    w.Section("tab");
    w.Key("pictureindex", "0");
    w.Key("skinrect", R(TabPage));
    w.Key("tabrect", R(TabNormal));
    w.Key("activetabrect", R(TabActive));
    w.Key("mouseintabrect", R(TabHot));
    // The page frame is one pixel wide but five deep under the tabs: a band in the active
    // tab's colour joins it to the pages, which then measure 801 x 567 in the main window.
    w.Key("clientrect", "1,5," + N(TabPage.Width() - 1) + "," + N(TabPage.Height() - 1));
    w.Key("bgpictureindex", "-1");
    w.Key("lefttoppoint", "10,10");
    w.Key("righttoppoint", P(TabPage.Width() - 10, 10));
    w.Key("leftbottompoint", P(10, TabPage.Height() - 10));
    w.Key("rightbottompoint", P(TabPage.Width() - 10, TabPage.Height() - 10));
    w.Key("tableftoffset", "4");
    w.Key("tabrightoffset", "4");
    w.Key("tabsbgrect", R(TabStrip));
    w.Key("tabstretcheffect", "1");
    Font(w, 14, "", MutedText);
    w.Key("activefontcolor", C(Text));
    w.Key("focusfontcolor", C(Text));
    w.Key("mouseinfontcolor", C(AccentDark));
    w.Key("updown", "hupdown");
    w.Key("showfocus", "0");

    w.Section("stdlabel");
    Font(w, 14, "", {0, 0, 0});
    w.Key("activefontcolor", "15119752");

    CheckRadio(w, "checkbox", CheckUnchecked, CheckChecked, CheckActiveUnchecked,
               CheckActiveChecked, CheckDisabledUnchecked, CheckDisabledChecked);
    CheckRadio(w, "radiobox", RadioUnchecked, RadioChecked, RadioActiveUnchecked,
               RadioActiveChecked, RadioDisabledUnchecked, RadioDisabledChecked);

    w.Section("edit");
    w.Key("pictureindex", "0");
    w.Key("skinrect", R(EditRect));
    Slicing(w, {4, 10}, {51, 11}, {0, 0}, {0, 0}, EditClient);
    Stretch(w, false);
    w.Key("activeskinrect", R(EditActive));
    Font(w, 14, "", Text);
    w.Key("disabledfontcolor", "12500670");
    w.Key("activefontcolor", C({0, 0, 0}));

    PushButton(w, "button", ButtonNormal, ButtonActive, ButtonDown, ButtonDisabled, false);
    PushButton(w, "resizebutton", ResizeNormal, ResizeActive, ResizeDown, ResizeDisabled, true);

    w.Section("panel");
    w.Key("pictureindex", "0");
    w.Key("skinrect", R(PanelRect));
    Slicing(w, {6, 6}, {PanelRect.Width() - 6, 6}, {6, PanelRect.Height() - 6},
            {PanelRect.Width() - 6, PanelRect.Height() - 6},
            {2, 2, PanelRect.Width() - 2, PanelRect.Height() - 2});
    Stretch(w, false);
    w.Key("bgpictureindex", "-1");
    w.Key("captionrect", "0,0,0,0");
    w.Key("alignment", "tacenter");
    Font(w, 14, "", Text);

    w.Section("label");
    w.Key("pictureindex", "0");
    w.Key("skinrect", R(LabelRect));
    Slicing(w, {2, 8}, {33, 8}, {0, 0}, {0, 0}, {3, 1, 32, 15});
    Stretch(w, false);
    Font(w, 13, "", Text);

    w.Section("groupbox");
    w.Key("pictureindex", "0");
    w.Key("skinrect", R(GroupRect));
    Slicing(w, {20, 24}, {50, 24}, {20, GroupRect.Height() - 20}, {50, GroupRect.Height() - 20},
            {1, GroupHeader, GroupRect.Width() - 1, GroupRect.Height() - 1});
    Stretch(w, false);
    w.Key("bgpictureindex", "-1");
    w.Key("captionrect", "3,3,56,17");
    w.Key("alignment", "taleftjustify");
    Font(w, 14, "fsbold", {40, 48, 62});

    w.Section("bevel");
    w.Key("lightcolor", "16777215");
    w.Key("darkcolor", "12632256");

    w.Section("spinedit");
    w.Key("pictureindex", "0");
    w.Key("skinrect", R(SpinRect));
    Slicing(w, {4, 10}, {62, 10}, {0, 0}, {0, 0}, SpinClient);
    Stretch(w, false);
    w.Key("activeskinrect", R(SpinActive));
    Font(w, 14, "", Text);
    w.Key("activefontcolor", C({0, 0, 0}));
    w.Key("disabledfontcolor", "12500670");
    w.Key("upbuttonrect", R(SpinUp));
    w.Key("activeupbuttonrect", R(SpinUpHot));
    w.Key("downupbuttonrect", R(SpinUpPressed));
    w.Key("downbuttonrect", R(SpinDown));
    w.Key("activedownbuttonrect", R(SpinDownHot));
    w.Key("downdownbuttonrect", R(SpinDownPressed));

    w.Section("hupdown");
    w.Key("pictureindex", "0");
    w.Key("skinrect", R({UpDownLeft.Left, UpDownLeft.Top, UpDownRight.Right, UpDownRight.Bottom}));
    w.Key("upbuttonrect", R(UpDownLeft));
    w.Key("activeupbuttonrect", R(OffsetRect(UpDownLeft, UpDownStateStep, 0)));
    w.Key("downupbuttonrect", R(OffsetRect(UpDownLeft, 2 * UpDownStateStep, 0)));
    w.Key("downbuttonrect", R(UpDownRight));
    w.Key("activedownbuttonrect", R(OffsetRect(UpDownRight, UpDownStateStep, 0)));
    w.Key("downdownbuttonrect", R(OffsetRect(UpDownRight, 2 * UpDownStateStep, 0)));
    return w.Take();
}

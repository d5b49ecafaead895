#pragma once
// The parts of a skin description that belong to the store itself rather than to one
// control: the frame geometry of [FORMINFO], the popup and hint window descriptions, the
// skin colours and the named skin areas.
#include "gfx/Color.h"
#include "skin/SkinFieldBinder.h"

#include <string>

// [FORMINFO]; fields are named as their keys.
struct TspSkinFormInfo {
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect clientrect;
    int bgpictureindex = -1;
    int mdibgpictureindex = -1;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
    TRect buttonsrect;
    TRect captionrect;
    int buttonsoffset = 0;
    bool buttonsinleft = false;
    TRect maskrectarea;
    TPoint hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint,
        hittestrightbottompoint;
    TPoint rollupleftpoint, rolluprightpoint;
    TRect mainmenurect;
    TRect iconrect;
    bool mainmenupopupup = false;
    int borderwidth = 0;
    int formminwidth = 0;
    int cursorindex = -1;
    bool autorenderinginactiveimage = false;
    int inactiveeffect = ieBrightness; // a TspImageEffect

    void BindFields(TspSkinFieldBinder& b);
    // The corrections applied right after reading; `hasMask` is a non-empty mask name.
    void Correct(bool hasMask);
};

class TspDataSkinPopupWindow {
public:
    const char* ClassName() const { return "TspDataSkinPopupWindow"; }
    void BindFields(TspSkinFieldBinder& b);

    int windowpictureindex = -1;
    int maskpictureindex = -1;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    int cursorindex = -1;
    TRect itemsrect;
    TspColorValue scrollmarkercolor = 0, scrollmarkeractivecolor = 0;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
};

class TspDataSkinHintWindow {
public:
    const char* ClassName() const { return "TspDataSkinHintWindow"; }
    void BindFields(TspSkinFieldBinder& b);

    int windowpictureindex = -1;
    int maskpictureindex = -1;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect clientrect;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
};

// [SKINCOLORS]; the system colours until a skin sets them.
struct TspSkinColors {
    TColor cbtnface = clBtnFace;
    TColor cbtntext = clBtnText;
    TColor cwindow = clWindow;
    TColor cwindowtext = clWindowText;
    TColor chighlight = clHighlight;
    TColor chighlighttext = clHighlightText;
    TColor cbtnhighlight = clBtnHighlight;
    TColor cbtnshadow = clBtnShadow;
    TColor c3dlight = cl3DLight;
    TColor c3ddkshadow = cl3DDkShadow;

    void BindFields(TspSkinFieldBinder& b);
    void SetDefault() { *this = TspSkinColors(); }
};

class TspDataSkinArea {
public:
    TspDataSkinArea(std::string idName, TRect rect) : IDName(std::move(idName)), AreaRect(rect) {}
    std::string IDName;
    TRect AreaRect;
};

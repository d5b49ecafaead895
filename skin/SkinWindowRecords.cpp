#include "skin/SkinWindowRecords.h"

#include <algorithm>

namespace {

const char* const kImageEffects[] = {"iebrightness", "iedarkness",  "iegrayscale",
                                     "ienoise",      "iesplitblur", "ieinvert"};

bool PointUnset(TPoint p) {
    return p.X == 0 || p.Y == 0;
}

void BindCorners(TspSkinFieldBinder& b, TPoint& lt, TPoint& rt, TPoint& lb, TPoint& rb) {
    b.Point("lefttoppoint", lt);
    b.Point("righttoppoint", rt);
    b.Point("leftbottompoint", lb);
    b.Point("rightbottompoint", rb);
}

} // namespace

void TspSkinFormInfo::BindFields(TspSkinFieldBinder& b) {
    BindCorners(b, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    b.Rect("clientrect", clientrect);
    b.Int("bgpictureindex", bgpictureindex, -1);
    b.Int("mdibgpictureindex", mdibgpictureindex, -1);
    b.Bool("leftstretch", leftstretch);
    b.Bool("rightstretch", rightstretch);
    b.Bool("topstretch", topstretch);
    b.Bool("bottomstretch", bottomstretch);
    b.Rect("buttonsrect", buttonsrect);
    b.Rect("captionrect", captionrect);
    b.Int("buttonsoffset", buttonsoffset, 0);
    b.Bool("buttonsinleft", buttonsinleft);
    b.Rect("maskrectarea", maskrectarea);
    b.Point("hittestlefttoppoint", hittestlefttoppoint);
    b.Point("hittestrighttoppoint", hittestrighttoppoint);
    b.Point("hittestleftbottompoint", hittestleftbottompoint);
    b.Point("hittestrightbottompoint", hittestrightbottompoint);
    b.Point("rollupleftpoint", rollupleftpoint);
    b.Point("rolluprightpoint", rolluprightpoint);
    b.Rect("mainmenurect", mainmenurect);
    b.Rect("iconrect", iconrect);
    b.Bool("mainmenupopupup", mainmenupopupup);
    b.Int("borderwidth", borderwidth, 0);
    b.Int("formminwidth", formminwidth, 0);
    b.Int("cursorindex", cursorindex, -1);
    b.Bool("autorenderinginactiveimage", autorenderinginactiveimage);
    b.Choice("inactiveeffect", inactiveeffect, kImageEffects, 6, ieBrightness, ieGrayscale);
}

void TspSkinFormInfo::Correct(bool hasMask) {
    const TRect& cl = clientrect;
    if (hasMask) {
        if (maskrectarea.IsEmpty()) {
            maskrectarea = cl;
        } else {
            maskrectarea.Left = std::min(maskrectarea.Left, cl.Left);
            maskrectarea.Top = std::min(maskrectarea.Top, cl.Top);
            maskrectarea.Right = std::max(maskrectarea.Right, cl.Right);
            maskrectarea.Bottom = std::max(maskrectarea.Bottom, cl.Bottom);
        }
        if (PointUnset(hittestlefttoppoint)) hittestlefttoppoint = lefttoppoint;
        if (PointUnset(hittestrighttoppoint)) hittestrighttoppoint = righttoppoint;
        if (PointUnset(hittestleftbottompoint)) hittestleftbottompoint = leftbottompoint;
        if (PointUnset(hittestrightbottompoint)) hittestrightbottompoint = rightbottompoint;
    }
    if (rightbottompoint.X == lefttoppoint.X || rightbottompoint.Y == lefttoppoint.Y) return;
    lefttoppoint.X = std::max(lefttoppoint.X, cl.Left);
    lefttoppoint.Y = std::max(lefttoppoint.Y, cl.Top);
    righttoppoint.X = std::min(righttoppoint.X, cl.Right);
    righttoppoint.Y = std::max(righttoppoint.Y, cl.Top);
    leftbottompoint.X = std::max(leftbottompoint.X, cl.Left);
    leftbottompoint.Y = std::min(leftbottompoint.Y, cl.Bottom);
    rightbottompoint.X = std::min(rightbottompoint.X, cl.Right);
    rightbottompoint.Y = std::min(rightbottompoint.Y, cl.Bottom);
}

void TspDataSkinPopupWindow::BindFields(TspSkinFieldBinder& b) {
    b.Int("windowpictureindex", windowpictureindex, -1);
    b.Int("maskpictureindex", maskpictureindex, -1);
    BindCorners(b, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    b.Int("cursorindex", cursorindex, -1);
    b.Rect("itemsrect", itemsrect);
    b.Color("scrollmarkercolor", scrollmarkercolor, 0);
    b.Color("scrollmarkeractivecolor", scrollmarkeractivecolor, 0);
    b.Bool("leftstretch", leftstretch);
    b.Bool("rightstretch", rightstretch);
    b.Bool("topstretch", topstretch);
    b.Bool("bottomstretch", bottomstretch);
}

void TspDataSkinHintWindow::BindFields(TspSkinFieldBinder& b) {
    b.Int("windowpictureindex", windowpictureindex, -1);
    b.Int("maskpictureindex", maskpictureindex, -1);
    BindCorners(b, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    b.Rect("clientrect", clientrect);
    b.String("fontname", fontname, "Arial");
    b.Int("fontheight", fontheight, 14);
    b.FontStyle("fontstyle", fontstyle);
    b.Color("fontcolor", fontcolor, 0);
    b.Bool("leftstretch", leftstretch);
    b.Bool("rightstretch", rightstretch);
    b.Bool("topstretch", topstretch);
    b.Bool("bottomstretch", bottomstretch);
}

void TspSkinColors::BindFields(TspSkinFieldBinder& b) {
    b.Color("cbtnface", cbtnface, 0);
    b.Color("cbtntext", cbtntext, 0);
    b.Color("cwindow", cwindow, 0);
    b.Color("cwindowtext", cwindowtext, 0);
    b.Color("chighlight", chighlight, 0);
    b.Color("chighlighttext", chighlighttext, 0);
    b.Color("cbtnhighlight", cbtnhighlight, 0);
    b.Color("cbtnshadow", cbtnshadow, 0);
    b.Color("c3dlight", c3dlight, 0);
    b.Color("c3ddkshadow", c3ddkshadow, 0);
}

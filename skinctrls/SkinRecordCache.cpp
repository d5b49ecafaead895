#include "skinctrls/SkinRecordCache.h"

#include "gfx/Canvas.h"
#include "skin/SkinData.h"

TspSliceMode SliceModeOf(const TRect& skinrect, TPoint righttoppoint, TPoint leftbottompoint,
                         TPoint rightbottompoint) {
    if (skinrect.Width() <= 0 || skinrect.Height() <= 0) return smNoPicture;
    if (rightbottompoint.X != 0 && rightbottompoint.Y != 0) return smFourCorner;
    if (righttoppoint.X != 0 || righttoppoint.Y != 0) return smHorizontal;
    if (leftbottompoint.X != 0 || leftbottompoint.Y != 0) return smVertical;
    return smFixed;
}

void TspSkinRecordCache::Clear() {
    *this = TspSkinRecordCache();
}

void TspSkinRecordCache::Fill(const TspSkinData& store, int index, bool withMask) {
    Clear();
    const TspDataSkinControl* record = store.ControlRecord(index);
    if (!record) return;
    cursorindex = record->cursorindex;
    const auto* r = dynamic_cast<const TspDataSkinCustomControl*>(record);
    if (!r) {
        SliceMode = smFixed;
        return;
    }
    IsSliced = true;
    lefttoppoint = r->lefttoppoint;
    righttoppoint = r->righttoppoint;
    leftbottompoint = r->leftbottompoint;
    rightbottompoint = r->rightbottompoint;
    skinrect = r->skinrect;
    clientrect = r->clientrect;
    stretcheffect = r->stretcheffect;
    leftstretch = r->leftstretch;
    topstretch = r->topstretch;
    rightstretch = r->rightstretch;
    bottomstretch = r->bottomstretch;
    Picture = store.ActivePicture(r->pictureindex);
    MaskPicture = withMask ? store.ActivePicture(r->maskpictureindex) : nullptr;
    SliceMode = SliceModeOf(skinrect, righttoppoint, leftbottompoint, rightbottompoint);
    NewLTPoint = lefttoppoint;
    NewRTPoint = righttoppoint;
    NewLBPoint = leftbottompoint;
    NewRBPoint = rightbottompoint;
    NewClRect = clientrect;
}

void TspSkinRecordCache::AdjustToSkinSize(int& width, int& height) {
    if (!IsSliced) return;
    const int sw = SkinWidth(), sh = SkinHeight();
    const int dx = width - sw, dy = height - sh;
    switch (SliceMode) {
    case smNoPicture:
        return;
    case smFixed:
        width = sw;
        height = sh;
        NewClRect = clientrect;
        return;
    case smFourCorner:
        NewLTPoint = lefttoppoint;
        NewRTPoint = Point(righttoppoint.X + dx, righttoppoint.Y);
        NewLBPoint = Point(leftbottompoint.X, leftbottompoint.Y + dy);
        NewRBPoint = Point(rightbottompoint.X + dx, rightbottompoint.Y + dy);
        NewClRect =
            Rect(clientrect.Left, clientrect.Top, clientrect.Right + dx, clientrect.Bottom + dy);
        return;
    case smHorizontal:
        height = sh;
        NewLTPoint = lefttoppoint;
        NewRTPoint = Point(righttoppoint.X + dx, righttoppoint.Y);
        NewClRect = Rect(clientrect.Left, clientrect.Top, clientrect.Right + dx, clientrect.Bottom);
        return;
    case smVertical:
        width = sw;
        NewLTPoint = lefttoppoint;
        NewLBPoint = Point(leftbottompoint.X, leftbottompoint.Y + dy);
        NewClRect = Rect(clientrect.Left, clientrect.Top, clientrect.Right, clientrect.Bottom + dy);
        return;
    }
}

bool TspSkinRecordCache::DrawPicture(TBitmap& bitmap, const TRect& source, int width, int height,
                                     bool containerPainting) const {
    if (!Picture || Picture->Empty()) return false;
    const int sw = SkinWidth(), sh = SkinHeight();
    switch (SliceMode) {
    case smNoPicture:
        break;
    case smFixed: {
        bitmap.SetSize(sw, sh);
        TCanvas& c = *bitmap.Canvas();
        c.SetOrigin(0, 0);
        c.ResetClip();
        c.SetCopyMode(cmSrcCopy);
        c.CopyRect(Rect(0, 0, sw, sh), *Picture, source);
        break;
    }
    case smFourCorner:
        if (!containerPainting)
            DrawFourCornerSliced(bitmap, Picture, source, Points(), NewPoints(), width, height,
                                 Flags(), true);
        break;
    case smHorizontal:
        DrawHorizontalSliced(bitmap, Picture, source, lefttoppoint.X, sw - righttoppoint.X, width,
                             stretcheffect);
        break;
    case smVertical:
        DrawVerticalSliced(bitmap, Picture, source, lefttoppoint.Y, sh - leftbottompoint.Y, height,
                           stretcheffect);
        break;
    }
    return true;
}

TspSlicePoints TspSkinRecordCache::Points() const {
    return {lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint, clientrect};
}

TspSlicePoints TspSkinRecordCache::NewPoints() const {
    return {NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect};
}

TspStretchFlags TspSkinRecordCache::Flags() const {
    return {stretcheffect, leftstretch, topstretch, rightstretch, bottomstretch};
}

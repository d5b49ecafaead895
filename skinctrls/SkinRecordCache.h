#pragma once
// What a skinned control copies from its sliced record (TspDataSkinCustomControl or a
// descendant) when it looks the record up: the slicing geometry, the stretch flags, the
// pictures (owned by the store), how the picture fits the control (TspSliceMode) and the
// points and client rect resized to the control's current size.
#include "gfx/Bitmap.h"
#include "gfx/Types.h"
#include "skin/SkinSlicing.h"

class TspSkinData;

// How the record's picture is fitted to the control.
enum TspSliceMode {
    smNoPicture,  // empty skin rect: no constraint
    smFixed,      // the control takes the skin rect's size
    smFourCorner, // nine parts, any width and height
    smHorizontal, // left, middle, right; height fixed to the skin's
    smVertical    // top, middle, bottom; width fixed to the skin's
};

// The mode of a record by its geometry, tested in this order: empty skin rect, right-bottom
// point with both coordinates set, right-top point with either set, left-bottom point with
// either set, otherwise fixed.
TspSliceMode SliceModeOf(const TRect& skinrect, TPoint righttoppoint, TPoint leftbottompoint,
                         TPoint rightbottompoint);

struct TspSkinRecordCache {
    // Empties the cache (no record).
    void Clear();
    // Fills the cache from record `index` of the store. A record of another class than the
    // sliced one leaves no picture and fixed slicing (IsSliced false); pictures whose number
    // is -1 or beyond the store's list are absent. The mask is taken only when asked.
    void Fill(const TspSkinData& store, int index, bool withMask);

    // Replaces a requested size by the one the record allows and resizes the points and the
    // client rect for it. Nothing changes without a sliced record or with smNoPicture.
    void AdjustToSkinSize(int& width, int& height);

    // The record's picture fitted into `bitmap` from `source` (the skin rect or a state rect
    // of the same size elsewhere in the picture) at width x height, by the slice mode. The
    // four-corner fit is skipped for container painting. False when there is no picture to
    // draw from (the bitmap is left alone).
    bool DrawPicture(TBitmap& bitmap, const TRect& source, int width, int height,
                     bool containerPainting) const;

    TspSlicePoints Points() const;
    TspSlicePoints NewPoints() const;
    TspStretchFlags Flags() const;
    int SkinWidth() const { return skinrect.Width(); }
    int SkinHeight() const { return skinrect.Height(); }

    bool IsSliced = false; // the record is a sliced record
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect skinrect, clientrect;
    int cursorindex = -1;
    bool stretcheffect = false;
    bool leftstretch = false, topstretch = false, rightstretch = false, bottomstretch = false;
    const TBitmap* Picture = nullptr;
    const TBitmap* MaskPicture = nullptr;
    TspSliceMode SliceMode = smNoPicture;
    // At the current size.
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
};

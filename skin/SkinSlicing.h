#pragma once
// Fitting a rectangle of a skin picture to the size a surface has on screen.
//
// A skin rectangle is cut by four points (left-top, right-top, left-bottom, right-bottom) and
// a client rectangle, all relative to the skin rectangle's top-left corner. The points are
// not the client's corners: left-top x is where the fixed top-left corner ends along the top
// edge, left-top y where it ends along the left edge, and so on, so the corners are L-shaped.
// Edges between the corners are tiled (or stretched) to the target size; the corners are
// copied 1:1. A target of the skin's own size reproduces the skin rectangle exactly.
//
// Rectangles are left/top inclusive and right/bottom exclusive. Bad geometry (points outside
// the picture, a target smaller than the corners, a zero-length tiled piece) draws what can
// be drawn: pixels outside the picture are skipped, and a tiled piece of length 0 or less is
// stretched over its span instead of being divided by.
#include "gfx/Bitmap.h"
#include "gfx/Types.h"

#include <algorithm>

class TCanvas;
class TspDataSkinCustomControl;
struct TspSkinFormInfo;

// The four slicing points and the client rectangle of a skin rectangle.
struct TspSlicePoints {
    TPoint LeftTop, RightTop, LeftBottom, RightBottom;
    TRect ClientRect;
    bool operator==(const TspSlicePoints&) const = default;
};

// Stretch instead of tile: the client part (StretchEffect) and each edge.
struct TspStretchFlags {
    bool StretchEffect = false;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
};

TspSlicePoints SlicePointsOf(const TspDataSkinCustomControl& record);
TspStretchFlags StretchFlagsOf(const TspDataSkinCustomControl& record);
// The frame: points of [FORMINFO], whose skin rectangle is the whole frame picture.
TspSlicePoints SlicePointsOf(const TspSkinFormInfo& formInfo);
TspStretchFlags StretchFlagsOf(const TspSkinFormInfo& formInfo);

// The points moved for a target of width x height: with dx, dy the size change, right-top
// moves by (dx, 0), left-bottom by (0, dy), right-bottom by (dx, dy), and the client rect's
// right and bottom by dx and dy.
TspSlicePoints ResizeSlicePoints(const TspSlicePoints& points, int skinWidth, int skinHeight,
                                 int width, int height);

// Tiles of a `piece`-long source over [start, end): calls fn(position, length) for tile i at
// start + i * piece, i = 0 .. (end - start) div piece, the last one cut at `end` (so a span
// that is an exact multiple ends with a tile of length 0). Returns false without calling fn
// when piece <= 0.
template <class F> bool ForEachTile(int start, int end, int piece, F&& fn) {
    if (piece <= 0) return false;
    const int count = (end - start) / piece;
    for (int i = 0; i <= count; ++i) {
        const int pos = start + i * piece;
        fn(pos, std::min(piece, end - pos));
    }
    return true;
}

// The skin rectangle `skinRect` of `picture` fitted to width x height into `dest` (resized
// first). `points` are the skin's own, `newPoints` those for the target (ResizeSlicePoints).
// The client part is drawn only with `drawClient`: stretched with StretchEffect, else tiled.
// Leaves dest blank when the picture is empty or right-bottom x or y equals left-top's.
void DrawFourCornerSliced(TBitmap& dest, const TBitmap* picture, const TRect& skinRect,
                          const TspSlicePoints& points, const TspSlicePoints& newPoints, int width,
                          int height, const TspStretchFlags& flags, bool drawClient);
// The same, always tiling the client part (StretchEffect is not consulted).
void DrawFourCornerSlicedTiledClient(TBitmap& dest, const TBitmap* picture, const TRect& skinRect,
                                     const TspSlicePoints& points, const TspSlicePoints& newPoints,
                                     int width, int height, const TspStretchFlags& flags,
                                     bool drawClient);
// For a picture cut off on its right: no right edge and no right corners; the top and bottom
// edges run from new left-top x (left-bottom x) to the full width.
void DrawFourCornerSlicedNoRight(TBitmap& dest, const TBitmap* picture, const TRect& skinRect,
                                 const TspSlicePoints& points, const TspSlicePoints& newPoints,
                                 int width, int height, const TspStretchFlags& flags,
                                 bool drawClient);

// A state image cut by its client rectangle alone: DrawFourCornerSliced with the points at
// the client rect's corners and every stretch flag on.
void DrawClientRectSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                          const TRect& clientRect, int width, int height, bool drawClient);

// The four border pieces of a sliced picture; a strip that cannot be made stays empty.
struct TspBorderStrips {
    TBitmap Top, Bottom, Left, Right;
};
// Borders for a target of width x height (the client area is left to the caller).
void MakeBorderStrips(TspBorderStrips& strips, const TBitmap* picture, const TRect& skinRect,
                      const TspSlicePoints& points, const TspSlicePoints& newPoints, int width,
                      int height, const TspStretchFlags& flags);
// Borders of a whole picture (a mask), always tiled; the side strips cover only the rows
// between the client rect's top and bottom.
void MakeMaskBorderStrips(TspBorderStrips& strips, const TBitmap& mask,
                          const TspSlicePoints& points, const TspSlicePoints& newPoints, int width,
                          int height);
// Draws made strips where they belong: top at (0, 0), left below it, right at the right
// edge, bottom at the bottom edge.
void DrawBorderStrips(TCanvas& canvas, const TspBorderStrips& strips, int width, int height);

// A row of three: left part `leftWidth` wide, right part `rightWidth` wide, the middle tiled
// (or stretched) between them, into dest of targetWidth x the source's height.
void DrawHorizontalSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                          int leftWidth, int rightWidth, int targetWidth, bool stretch);
// Left part and middle; the middle runs to the right edge.
void DrawLeftMiddleSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                          int leftWidth, int rightWidth, int targetWidth, bool stretch);
// The middle alone over the whole width from x = 0.
void DrawHorizontalMiddleSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                                int leftWidth, int rightWidth, int targetWidth, bool stretch);

// The same turned 90 degrees: top part, middle, bottom part into the source's width x
// targetHeight.
void DrawVerticalSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                        int topHeight, int bottomHeight, int targetHeight, bool stretch);
void DrawTopMiddleSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                         int topHeight, int bottomHeight, int targetHeight, bool stretch);
void DrawVerticalMiddleSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                              int topHeight, int bottomHeight, int targetHeight, bool stretch);

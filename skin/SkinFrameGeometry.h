#pragma once
// Where the parts of a skinned window frame lie for one window size: the frame picture's
// slicing points and client rectangle moved with the size change, the caption and button
// rows, the border hit-test corners, the part the mask leaves whole and the icon. Pure
// arithmetic on the [FORMINFO] values, so it is cheap to recompute on every paint.
#include "gfx/Types.h"
#include "skin/SkinWindowRecords.h"

struct TspFrameGeometry {
    TPoint LeftTop, RightTop, LeftBottom, RightBottom; // slicing points for the size
    TRect ClientRect;                                  // the client area in the window
    TRect CaptionRect;
    TRect ButtonsRect;
    TPoint HitTestLeftTop, HitTestRightTop, HitTestLeftBottom, HitTestRightBottom;
    TRect MaskRectArea;
    TRect IconRect;
};

// Geometry for a window of width x height with a frame picture of pictureWidth x
// pictureHeight.
TspFrameGeometry ComputeFrameGeometry(const TspSkinFormInfo& info, int pictureWidth,
                                      int pictureHeight, int width, int height);

// Moves a rectangle of the frame picture to its place on a window that is dx wider and dy
// taller than the picture: rectangles in a fixed corner move with that corner, rectangles
// spanning two corners stretch between them, everything else stays.
TRect MoveByCornerRule(const TRect& rect, const TspSkinFormInfo& info, int pictureWidth,
                       int pictureHeight, int dx, int dy);

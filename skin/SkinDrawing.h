#pragma once
// The skin engine's drawing primitives, in one include. Where each lives:
//
//   skin/SkinSlicing.h   TspSlicePoints, TspStretchFlags, SlicePointsOf, StretchFlagsOf,
//                        ResizeSlicePoints, ForEachTile,
//                        DrawFourCornerSliced, DrawFourCornerSlicedTiledClient,
//                        DrawFourCornerSlicedNoRight, DrawClientRectSliced,
//                        TspBorderStrips, MakeBorderStrips, MakeMaskBorderStrips,
//                        DrawBorderStrips,
//                        DrawHorizontalSliced, DrawLeftMiddleSliced, DrawHorizontalMiddleSliced,
//                        DrawVerticalSliced, DrawTopMiddleSliced, DrawVerticalMiddleSliced
//   skin/SkinRegions.h   RegionFromMask, RegionFromSlicedMask (TFBitmap in skin/RowScanBitmap.h)
//   skin/ParentImage.h   CaptureParentImage, CaptureParentImageGraphic, IsCapturingParentImage
//   skin/SkinText.h      DrawSkinText, SkinTextWidth, SkinTextHeight, EllipsizeText,
//                        DrawVCenteredText
//   skin/EffectBitmap.h      TspEffectBmp (Blend, BlendRect, the morphs, Lighten, Darken,
//                        Grayscale, Noise, SplitBlur, Invert, RotateLeft/Right, FlipVertical,
//                        MaskedSmooth, MaskedTint, DrawAt), ApplyInactiveEffect
//   here                 rect and point utilities, DrawGlyphFromStrip, GetMonitorWorkArea
#include "gfx/Bitmap.h"
#include "gfx/Types.h"
#include "skin/EffectBitmap.h"
#include "skin/ParentImage.h"
#include "skin/SkinRegions.h"
#include "skin/SkinSlicing.h"
#include "skin/SkinText.h"

class TCanvas;
class TControl;

inline int RectWidth(const TRect& r) {
    return r.Right - r.Left;
}
inline int RectHeight(const TRect& r) {
    return r.Bottom - r.Top;
}
// Width or height 0 or less.
inline bool IsNullRect(const TRect& r) {
    return RectWidth(r) <= 0 || RectHeight(r) <= 0;
}
// x or y is 0 (no point can be negative in a skin).
inline bool IsNullPoint(const TPoint& p) {
    return p.X == 0 || p.Y == 0;
}
// Unlike the platform's point test this counts the right and bottom edges as inside.
inline bool PointWithinRect(const TPoint& p, const TRect& r) {
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}
// Both corners of `inner` inside `outer` by the platform's (exclusive) point test.
inline bool RectInRect(const TRect& inner, const TRect& outer) {
    return PtInRect(outer, inner.TopLeft()) && PtInRect(outer, inner.BottomRight());
}
// `r` moved to the centre of `bounds` (offset by the size difference div 2).
inline TRect RectToCenter(const TRect& r, const TRect& bounds) {
    const int dx = (RectWidth(bounds) - RectWidth(r)) / 2;
    const int dy = (RectHeight(bounds) - RectHeight(r)) / 2;
    return OffsetRect(
        Rect(bounds.Left, bounds.Top, bounds.Left + RectWidth(r), bounds.Top + RectHeight(r)), dx,
        dy);
}

// Glyph N (1-based) of a strip of `count` glyphs side by side, drawn at (x, y) with the
// colour of its bottom-left pixel transparent. Nothing for an empty strip, a count below 1 or
// a glyph number outside 1 .. count.
void DrawGlyphFromStrip(TCanvas& canvas, int x, int y, int glyph, int count, const TBitmap& strip);

// The work area (or the whole screen) of the monitor that shows `window`, in screen
// coordinates. The display shows one monitor.
TRect GetMonitorWorkArea(const TControl* window, bool workArea);

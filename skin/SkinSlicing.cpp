#include "skin/SkinSlicing.h"

#include "gfx/Canvas.h"
#include "gfx/GraphicsError.h"
#include "skin/SkinControlRecords.h"
#include "skin/SkinWindowRecords.h"

namespace {

// Sizes dest to width x height. False (and dest empty) when there is nothing to draw on.
// A picture drawn at a device scale makes dest take that scale, so that its pieces are copied
// device pixel for device pixel rather than thinned to 1x and enlarged again.
bool SizeDest(TBitmap& dest, int width, int height, const TBitmap* picture) {
    if (width <= 0 || height <= 0) {
        dest.SetSize(0, 0);
        return false;
    }
    try {
        if (picture && picture->Scale() > dest.Scale()) dest.SetScale(picture->Scale());
        dest.SetSize(width, height);
    } catch (const EInvalidGraphic&) {
        // Larger than any picture may be: nothing is drawn rather than an error per paint.
        dest.SetSize(0, 0);
        return false;
    }
    return true;
}

// The bitmap's canvas, set to draw in bitmap coordinates with plain copies whatever an earlier
// user left on it.
TCanvas& PlainCanvas(TBitmap& bitmap) {
    TCanvas& dc = *bitmap.Canvas();
    dc.SetOrigin(0, 0);
    dc.ResetClip();
    dc.SetCopyMode(cmSrcCopy);
    return dc;
}

// Block transfer of a source rectangle to a destination rectangle, scaled when they differ.
// Pieces with no extent are skipped rather than mirrored.
void Copy(TCanvas& dc, const TRect& dst, const TBitmap& picture, const TRect& src) {
    if (dst.Width() <= 0 || dst.Height() <= 0 || src.Width() <= 0 || src.Height() <= 0) return;
    dc.CopyRect(dst, picture, src);
}

// Rectangles named by their extent along a slicing direction and across it.
struct Axis {
    bool vertical;
    TRect Make(int along0, int across0, int along1, int across1) const {
        return vertical ? Rect(across0, along0, across1, along1)
                        : Rect(along0, across0, along1, across1);
    }
    int Start(const TRect& r) const { return vertical ? r.Top : r.Left; }
    int End(const TRect& r) const { return vertical ? r.Bottom : r.Right; }
    int AcrossStart(const TRect& r) const { return vertical ? r.Left : r.Top; }
    int AcrossEnd(const TRect& r) const { return vertical ? r.Right : r.Bottom; }
};
constexpr Axis kAcross{false}, kDown{true};

// A source piece repeated along the axis over [start, end), between across0 and across1, the
// last tile cut at `end`; stretched over the span when asked or when the piece has no length.
void Tile(TCanvas& dc, const TBitmap& picture, const TRect& src, int start, int end, int across0,
          int across1, bool stretch, Axis ax) {
    const int piece = ax.End(src) - ax.Start(src);
    if (stretch || piece <= 0) {
        Copy(dc, ax.Make(start, across0, end, across1), picture, src);
        return;
    }
    ForEachTile(start, end, piece, [&](int pos, int len) {
        if (len > 0)
            Copy(dc, ax.Make(pos, across0, pos + len, across1), picture,
                 ax.Make(ax.Start(src), ax.AcrossStart(src), ax.Start(src) + len,
                         ax.AcrossEnd(src)));
    });
}

void TileAcross(TCanvas& dc, const TBitmap& picture, const TRect& src, int start, int end, int top,
                int bottom, bool stretch) {
    Tile(dc, picture, src, start, end, top, bottom, stretch, kAcross);
}

void TileDown(TCanvas& dc, const TBitmap& picture, const TRect& src, int start, int end, int left,
              int right, bool stretch) {
    Tile(dc, picture, src, start, end, left, right, stretch, kDown);
}

// A piece repeated in both directions over `area`, each tile cut at the area's right and
// bottom edges.
void TileArea(TCanvas& dc, const TBitmap& picture, const TRect& src, const TRect& area,
              bool stretch) {
    if (stretch || src.Width() <= 0 || src.Height() <= 0) {
        Copy(dc, area, picture, src);
        return;
    }
    ForEachTile(area.Top, area.Bottom, src.Height(), [&](int y, int h) {
        if (h <= 0) return;
        ForEachTile(area.Left, area.Right, src.Width(), [&](int x, int w) {
            if (w > 0)
                Copy(dc, Rect(x, y, x + w, y + h), picture,
                     Rect(src.Left, src.Top, src.Left + w, src.Top + h));
        });
    });
}

enum class ClientMode { ByFlag, AlwaysTiled };

void FourCorner(TBitmap& dest, const TBitmap* picture, const TRect& skinRect,
                const TspSlicePoints& p, const TspSlicePoints& n, int width, int height,
                const TspStretchFlags& flags, bool drawClient, ClientMode clientMode,
                bool withRight) {
    if (!SizeDest(dest, width, height, picture)) return;
    if (!picture || picture->Empty() || p.RightBottom.X == p.LeftTop.X ||
        p.RightBottom.Y == p.LeftTop.Y) {
        dest.Fill(clWhite);
        return;
    }
    TCanvas& dc = PlainCanvas(dest);
    const TBitmap& pic = *picture;
    const int sx = skinRect.Left, sy = skinRect.Top;
    const int sw = skinRect.Width(), sh = skinRect.Height();
    const TRect& cl = p.ClientRect;
    const TRect& ncl = n.ClientRect;
    auto src = [&](int l, int t, int r, int b) { return Rect(l + sx, t + sy, r + sx, b + sy); };
    const int W = width, H = height;

    // Edges.
    TileAcross(dc, pic, src(p.LeftTop.X, 0, p.RightTop.X, cl.Top), n.LeftTop.X,
               withRight ? n.RightTop.X : W, 0, ncl.Top, flags.TopStretch);
    TileAcross(dc, pic, src(p.LeftBottom.X, cl.Bottom, p.RightBottom.X, sh), n.LeftBottom.X,
               withRight ? n.RightBottom.X : W, ncl.Bottom, H, flags.BottomStretch);
    TileDown(dc, pic, src(0, p.LeftTop.Y, cl.Left, p.LeftBottom.Y), n.LeftTop.Y, n.LeftBottom.Y, 0,
             ncl.Left, flags.LeftStretch);
    if (withRight)
        TileDown(dc, pic, src(cl.Right, p.RightTop.Y, sw, p.RightBottom.Y), n.RightTop.Y,
                 n.RightBottom.Y, ncl.Right, W, flags.RightStretch);

    // The L-shaped corners, 1:1.
    Copy(dc, Rect(0, 0, n.LeftTop.X, ncl.Top), pic, src(0, 0, p.LeftTop.X, cl.Top));
    Copy(dc, Rect(0, ncl.Top, ncl.Left, n.LeftTop.Y), pic, src(0, cl.Top, cl.Left, p.LeftTop.Y));
    if (withRight) {
        Copy(dc, Rect(n.RightTop.X, 0, W, ncl.Top), pic, src(p.RightTop.X, 0, sw, cl.Top));
        Copy(dc, Rect(ncl.Right, ncl.Top, W, n.RightTop.Y), pic,
             src(cl.Right, cl.Top, sw, p.RightTop.Y));
    }
    Copy(dc, Rect(0, n.LeftBottom.Y, ncl.Left, H), pic, src(0, p.LeftBottom.Y, cl.Left, sh));
    Copy(dc, Rect(ncl.Left, ncl.Bottom, n.LeftBottom.X, H), pic,
         src(cl.Left, cl.Bottom, p.LeftBottom.X, sh));
    if (withRight) {
        Copy(dc, Rect(n.RightBottom.X, ncl.Bottom, W, H), pic,
             src(p.RightBottom.X, cl.Bottom, sw, sh));
        Copy(dc, Rect(ncl.Right, n.RightBottom.Y, W, ncl.Bottom), pic,
             src(cl.Right, p.RightBottom.Y, sw, cl.Bottom));
    }

    if (drawClient) {
        const bool stretch = clientMode == ClientMode::ByFlag && flags.StretchEffect;
        TileArea(dc, pic, src(cl.Left, cl.Top, cl.Right, cl.Bottom), ncl, stretch);
    }
}

enum class StripMode { Picture, Mask };

void BorderStrips(TspBorderStrips& s, const TBitmap* picture, const TRect& skinRect,
                  const TspSlicePoints& p, const TspSlicePoints& n, int width, int height,
                  const TspStretchFlags& flags, StripMode mode) {
    const bool havePicture = picture && !picture->Empty() && width > 0 && height > 0;
    const int sx = skinRect.Left, sy = skinRect.Top;
    const int sw = skinRect.Width(), sh = skinRect.Height();
    const TRect& cl = p.ClientRect;
    const TRect& ncl = n.ClientRect;
    const int W = width, H = height;
    auto src = [&](int l, int t, int r, int b) { return Rect(l + sx, t + sy, r + sx, b + sy); };

    // Top strip.
    const int topH = ncl.Top;
    if (havePicture && topH > 0 && p.RightTop.X > p.LeftTop.X &&
        SizeDest(s.Top, W, topH, picture)) {
        TCanvas& dc = PlainCanvas(s.Top);
        const TRect middle = src(p.LeftTop.X, 0, p.RightTop.X, topH);
        if (flags.TopStretch)
            Copy(dc, Rect(n.LeftTop.X, 0, n.RightTop.X, topH), *picture, middle);
        else
            TileAcross(dc, *picture, middle, 0, W, 0, topH, false);
        Copy(dc, Rect(0, 0, n.LeftTop.X, topH), *picture, src(0, 0, p.LeftTop.X, topH));
        Copy(dc, Rect(n.RightTop.X, 0, W, topH), *picture, src(p.RightTop.X, 0, sw, topH));
    } else {
        s.Top.SetSize(0, 0);
    }

    // Bottom strip, from the last rows of the skin rectangle.
    const int bottomH = H - ncl.Bottom;
    if (havePicture && bottomH > 0 && p.RightBottom.X > p.LeftBottom.X &&
        SizeDest(s.Bottom, W, bottomH, picture)) {
        TCanvas& dc = PlainCanvas(s.Bottom);
        const int top = sh - bottomH;
        const TRect middle = src(p.LeftBottom.X, top, p.RightBottom.X, sh);
        if (flags.BottomStretch)
            Copy(dc, Rect(n.LeftBottom.X, 0, n.RightBottom.X, bottomH), *picture, middle);
        else
            TileAcross(dc, *picture, middle, 0, W, 0, bottomH, false);
        Copy(dc, Rect(0, 0, n.LeftBottom.X, bottomH), *picture, src(0, top, p.LeftBottom.X, sh));
        Copy(dc, Rect(n.RightBottom.X, 0, W, bottomH), *picture, src(p.RightBottom.X, top, sw, sh));
    } else {
        s.Bottom.SetSize(0, 0);
    }

    const int sideH =
        mode == StripMode::Mask ? ncl.Bottom - ncl.Top : H - s.Top.Height() - s.Bottom.Height();
    // A side strip: middle tiled or stretched, then the fixed upper and lower pieces.
    auto side = [&](TBitmap& strip, int stripW, int left, int right, int topY, int bottomY,
                    bool stretch) {
        if (!havePicture || stripW <= 0 || sideH <= 0 || bottomY <= topY ||
            !SizeDest(strip, stripW, sideH, picture)) {
            strip.SetSize(0, 0);
            return;
        }
        TCanvas& dc = PlainCanvas(strip);
        const TRect middle = src(left, topY, right, bottomY);
        if (stretch)
            Copy(dc, Rect(0, topY - cl.Top, stripW, sideH + bottomY - cl.Bottom), *picture, middle);
        else
            TileDown(dc, *picture, middle, 0, sideH, 0, stripW, false);
        Copy(dc, Rect(0, 0, stripW, topY - cl.Top), *picture, src(left, cl.Top, right, topY));
        Copy(dc, Rect(0, sideH - (cl.Bottom - bottomY), stripW, sideH), *picture,
             src(left, bottomY, right, cl.Bottom));
    };
    side(s.Left, ncl.Left, 0, cl.Left, p.LeftTop.Y, p.LeftBottom.Y, flags.LeftStretch);
    side(s.Right, W - ncl.Right, cl.Right, sw, p.RightTop.Y, p.RightBottom.Y, flags.RightStretch);
}

enum class Parts { All, LeftAndMiddle, MiddleOnly };

// First part, middle, last part along the axis into a destination `length` long and as thick
// as the source.
void ThreePart(TBitmap& dest, const TBitmap* picture, const TRect& s, int first, int last,
               int length, bool stretch, Parts parts, Axis ax) {
    const int s0 = ax.Start(s), s1 = ax.End(s), c0 = ax.AcrossStart(s), c1 = ax.AcrossEnd(s);
    const int thick = c1 - c0;
    if (!SizeDest(dest, ax.vertical ? thick : length, ax.vertical ? length : thick, picture))
        return;
    if (!picture || picture->Empty()) {
        dest.Fill(clWhite);
        return;
    }
    TCanvas& dc = PlainCanvas(dest);
    if (parts != Parts::MiddleOnly && first > 0)
        Copy(dc, ax.Make(0, 0, first, thick), *picture, ax.Make(s0, c0, s0 + first, c1));
    if (parts == Parts::All && last > 0)
        Copy(dc, ax.Make(length - last, 0, length, thick), *picture,
             ax.Make(s1 - last, c0, s1, c1));
    const int start = parts == Parts::MiddleOnly ? 0 : first;
    const int end = parts == Parts::All ? length - last : length;
    Tile(dc, *picture, ax.Make(s0 + first, c0, s1 - last, c1), start, end, 0, thick, stretch, ax);
}

} // namespace

TspSlicePoints SlicePointsOf(const TspDataSkinCustomControl& r) {
    return {r.lefttoppoint, r.righttoppoint, r.leftbottompoint, r.rightbottompoint, r.clientrect};
}

TspStretchFlags StretchFlagsOf(const TspDataSkinCustomControl& r) {
    return {r.stretcheffect, r.leftstretch, r.topstretch, r.rightstretch, r.bottomstretch};
}

TspSlicePoints SlicePointsOf(const TspSkinFormInfo& f) {
    return {f.lefttoppoint, f.righttoppoint, f.leftbottompoint, f.rightbottompoint, f.clientrect};
}

TspStretchFlags StretchFlagsOf(const TspSkinFormInfo& f) {
    return {false, f.leftstretch, f.topstretch, f.rightstretch, f.bottomstretch};
}

TspSlicePoints ResizeSlicePoints(const TspSlicePoints& p, int skinWidth, int skinHeight, int width,
                                 int height) {
    const int dx = width - skinWidth, dy = height - skinHeight;
    TspSlicePoints n = p;
    n.RightTop.X += dx;
    n.LeftBottom.Y += dy;
    n.RightBottom.X += dx;
    n.RightBottom.Y += dy;
    n.ClientRect.Right += dx;
    n.ClientRect.Bottom += dy;
    return n;
}

void DrawFourCornerSliced(TBitmap& dest, const TBitmap* picture, const TRect& skinRect,
                          const TspSlicePoints& points, const TspSlicePoints& newPoints, int width,
                          int height, const TspStretchFlags& flags, bool drawClient) {
    FourCorner(dest, picture, skinRect, points, newPoints, width, height, flags, drawClient,
               ClientMode::ByFlag, true);
}

void DrawFourCornerSlicedTiledClient(TBitmap& dest, const TBitmap* picture, const TRect& skinRect,
                                     const TspSlicePoints& points, const TspSlicePoints& newPoints,
                                     int width, int height, const TspStretchFlags& flags,
                                     bool drawClient) {
    FourCorner(dest, picture, skinRect, points, newPoints, width, height, flags, drawClient,
               ClientMode::AlwaysTiled, true);
}

void DrawFourCornerSlicedNoRight(TBitmap& dest, const TBitmap* picture, const TRect& skinRect,
                                 const TspSlicePoints& points, const TspSlicePoints& newPoints,
                                 int width, int height, const TspStretchFlags& flags,
                                 bool drawClient) {
    FourCorner(dest, picture, skinRect, points, newPoints, width, height, flags, drawClient,
               ClientMode::ByFlag, false);
}

void DrawClientRectSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                          const TRect& clientRect, int width, int height, bool drawClient) {
    const TRect& c = clientRect;
    const TspSlicePoints points{
        {c.Left, c.Top}, {c.Right, c.Top}, {c.Left, c.Bottom}, {c.Right, c.Bottom}, c};
    const TspSlicePoints newPoints =
        ResizeSlicePoints(points, sourceRect.Width(), sourceRect.Height(), width, height);
    FourCorner(dest, picture, sourceRect, points, newPoints, width, height,
               TspStretchFlags{true, true, true, true, true}, drawClient, ClientMode::ByFlag, true);
}

void MakeBorderStrips(TspBorderStrips& strips, const TBitmap* picture, const TRect& skinRect,
                      const TspSlicePoints& points, const TspSlicePoints& newPoints, int width,
                      int height, const TspStretchFlags& flags) {
    BorderStrips(strips, picture, skinRect, points, newPoints, width, height, flags,
                 StripMode::Picture);
}

void MakeMaskBorderStrips(TspBorderStrips& strips, const TBitmap& mask,
                          const TspSlicePoints& points, const TspSlicePoints& newPoints, int width,
                          int height) {
    BorderStrips(strips, &mask, mask.BoundsRect(), points, newPoints, width, height,
                 TspStretchFlags{}, StripMode::Mask);
}

void DrawBorderStrips(TCanvas& canvas, const TspBorderStrips& s, int width, int height) {
    const int topH = s.Top.Height();
    if (!s.Top.Empty()) canvas.Draw(0, 0, s.Top);
    if (!s.Left.Empty()) canvas.Draw(0, topH, s.Left);
    if (!s.Right.Empty()) canvas.Draw(width - s.Right.Width(), topH, s.Right);
    if (!s.Bottom.Empty()) canvas.Draw(0, height - s.Bottom.Height(), s.Bottom);
}

void DrawHorizontalSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                          int leftWidth, int rightWidth, int targetWidth, bool stretch) {
    ThreePart(dest, picture, sourceRect, leftWidth, rightWidth, targetWidth, stretch, Parts::All,
              kAcross);
}

void DrawLeftMiddleSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                          int leftWidth, int rightWidth, int targetWidth, bool stretch) {
    ThreePart(dest, picture, sourceRect, leftWidth, rightWidth, targetWidth, stretch,
              Parts::LeftAndMiddle, kAcross);
}

void DrawHorizontalMiddleSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                                int leftWidth, int rightWidth, int targetWidth, bool stretch) {
    ThreePart(dest, picture, sourceRect, leftWidth, rightWidth, targetWidth, stretch,
              Parts::MiddleOnly, kAcross);
}

void DrawVerticalSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                        int topHeight, int bottomHeight, int targetHeight, bool stretch) {
    ThreePart(dest, picture, sourceRect, topHeight, bottomHeight, targetHeight, stretch, Parts::All,
              kDown);
}

void DrawTopMiddleSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                         int topHeight, int bottomHeight, int targetHeight, bool stretch) {
    ThreePart(dest, picture, sourceRect, topHeight, bottomHeight, targetHeight, stretch,
              Parts::LeftAndMiddle, kDown);
}

void DrawVerticalMiddleSliced(TBitmap& dest, const TBitmap* picture, const TRect& sourceRect,
                              int topHeight, int bottomHeight, int targetHeight, bool stretch) {
    ThreePart(dest, picture, sourceRect, topHeight, bottomHeight, targetHeight, stretch,
              Parts::MiddleOnly, kDown);
}

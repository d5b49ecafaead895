#pragma once
// TCanvas draws on a 32-bit surface (a TBitmap's pixels or a raw buffer from the window system)
// through an origin and a clip region. Logical coordinates + origin = surface coordinates. Every
// primitive clips first, then touches memory row by row.
//
// A surface may have a device scale s (1, 2 or 3 pixels to a point, a scaled bitmap's or the
// one given with a raw buffer). Everything a caller gives or reads is in points: coordinates,
// origin, clip rectangles, pen widths, text metrics. Each primitive converts to device pixels
// once, so a 1-point line is s pixels wide, text is rasterised at s times its size while it is
// laid out exactly as at 1x, and a 1x picture is enlarged by whole pixels. At scale 1 nothing
// is converted. SaveState/RestoreState keep a small
// stack of origin, clip, pen, brush and font so that a painter can hand the canvas on.
#include "gfx/Bitmap.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Region.h"
#include "gfx/Types.h"
#include "rtl/Object.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// The sixteen binary raster operations between pen (P) and destination (D).
enum TPenMode {
    pmBlack,       // 0
    pmWhite,       // 1
    pmNop,         // D
    pmNot,         // ~D
    pmCopy,        // P
    pmNotCopy,     // ~P
    pmMergePenNot, // P | ~D
    pmMaskPenNot,  // P & ~D
    pmMergeNotPen, // ~P | D
    pmMaskNotPen,  // ~P & D
    pmMerge,       // P | D
    pmNotMerge,    // ~(P | D)
    pmMask,        // P & D
    pmNotMask,     // ~(P & D)
    pmXor,         // P ^ D
    pmNotXor       // ~(P ^ D)
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

// Block transfer modes: how source pixels (S) meet destination pixels (D).
enum TCopyMode {
    cmSrcCopy,     // S
    cmSrcAnd,      // S & D
    cmSrcPaint,    // S | D
    cmSrcInvert,   // S ^ D
    cmSrcErase,    // S & ~D
    cmNotSrcCopy,  // ~S
    cmNotSrcErase, // ~(S | D)
    cmMergePaint,  // ~S | D
    cmDstInvert,   // ~D
    cmBlackness,   // 0
    cmWhiteness    // 1
};

class TPen : public TPersistent {
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    int Width() const { return m_width; }
    void SetWidth(int width); // at least 1
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode mode);
    void Assign(const TPen& other);
    using TPersistent::Assign;
    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Changed();
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
};

class TBrush : public TPersistent {
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color); // a clear brush becomes solid, as on the platform
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style);
    void Assign(const TBrush& other);
    using TPersistent::Assign;
    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Changed();
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
};

class TCanvas : public TObject {
public:
    TCanvas();
    // A canvas on a raw surface of width x height device pixels, `strideBytes` from one row to
    // the next, `scale` pixels to a point.
    TCanvas(TPixel* pixels, int width, int height, int strideBytes, int scale = 1);
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Points the canvas at another surface; resets origin and clip (pen, brush and font stay).
    // A bitmap's own canvas follows it when it is resized; any other canvas pointed at a
    // bitmap must be pointed at it again after the bitmap's size changes.
    void SetSurface(TPixel* pixels, int width, int height, int strideBytes, int scale = 1);
    void SetSurface(TBitmap* bitmap); // takes the bitmap's scale
    bool HasSurface() const { return m_pixels != nullptr && m_width > 0 && m_height > 0; }
    // The surface's size in device pixels and its scale (device pixels to a point).
    int SurfaceWidth() const { return m_width; }
    int SurfaceHeight() const { return m_height; }
    int Scale() const { return m_scale; }
    TPixel* SurfaceRow(int y) const;
    // Bytes from one surface row to the next.
    int SurfaceStride() const { return m_stride * 4; }
    // Draws on the same surface as `other`, with its origin and clip (pen, brush and font stay).
    void ShareSurface(const TCanvas& other);
    TBitmap* Bitmap() const { return m_bitmap; }

    TPen* Pen() { return &m_pen; }
    TBrush* Brush() { return &m_brush; }
    TFont* Font() { return &m_font; }
    const TFont* Font() const { return &m_font; }
    void SetFont(const TFont& font) { m_font.Assign(font); }
    TCopyMode CopyMode() const { return m_copyMode; }
    void SetCopyMode(TCopyMode mode) { m_copyMode = mode; }

    // Origin: where logical (0, 0) lies on the surface.
    TPoint Origin() const { return m_origin; }
    void SetOrigin(int x, int y);
    void MoveOrigin(int dx, int dy) { SetOrigin(m_origin.X + dx, m_origin.Y + dy); }

    // Clipping. SetClipRegion takes surface coordinates in points (what the window system
    // computes); ClipRegion answers the clip in device pixels of the surface (for code that
    // writes SurfaceRow itself); the rectangle forms are logical. The clip never reaches past
    // the surface.
    const TRegion& ClipRegion() const { return m_clip; }
    void SetClipRegion(const TRegion& surfaceRegion);
    void SetClipRect(const TRect& rect);
    void IntersectClipRect(const TRect& rect);
    void ExcludeClipRect(const TRect& rect);
    void ResetClip(); // the whole surface
    // Bounding box of the clip, logical.
    TRect ClipRect() const;
    bool IsVisible(const TRect& rect) const; // any pixel of the logical rect inside the clip

    // Saved state: origin, clip, pen, brush, font, copy mode and pen position. SaveState
    // answers how many states are saved, this one included. TCanvasStateGuard pairs the two
    // so that an exception cannot leave a state behind.
    int SaveState();
    void RestoreState();
    int SavedStates() const;

    // The tools every paint starts with: a black solid pen of width 1 in copy mode, a solid
    // brush of brushColor, the font, and source copy for block transfers.
    void ResetTools(const TFont& font, TColor brushColor);
    // Sets the canvas up for a paint: drawing where `target` draws (its surface, stride,
    // origin and clip), or on `surface` through clip (surface coordinates) from origin, with
    // the tools of ResetTools.
    void StartPaint(const TCanvas& target, const TFont& font, TColor brushColor);
    void StartPaint(TBitmap& surface, const TRegion& clip, TPoint origin, const TFont& font,
                    TColor brushColor);

    TPoint PenPos() const { return m_penPos; }
    void SetPenPos(TPoint p) { m_penPos = p; }
    void MoveTo(int x, int y) { m_penPos = {x, y}; }
    // Line from the pen position to (x, y), the end point excluded, as the platform draws.
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    // Filled with the brush (alternate filling), outlined with the pen.
    void Polygon(const std::vector<TPoint>& points);
    // Brush fill inside, pen outline; right and bottom excluded. A wide pen's outline lies
    // inside the rectangle; without a pen the fill stops one pixel short at right and bottom.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    // Brush fill, no outline.
    void FillRect(const TRect& rect);
    void FillRegion(const TRegion& logicalRegion);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& rect);
    void InvertRect(const TRect& rect);
    // Dotted rectangle that inverts every other pixel; drawing it twice restores the pixels.
    void DrawFocusRect(const TRect& rect);

    // Alpha fill: colour laid over the pixels with opacity alpha (0..255).
    void AlphaFillRect(const TRect& rect, TColor color, int alpha);

    TColor Pixel(int x, int y) const; // clNone outside the surface or the clip
    void SetPixel(int x, int y, TColor color);
    // The platform's property names for the same two.
    TColor Pixels(int x, int y) const { return Pixel(x, y); }
    void SetPixels(int x, int y, TColor color) { SetPixel(x, y, color); }

    // Bitmap drawing. Draw honours the bitmap's Transparent flag and its alpha format.
    void Draw(int x, int y, const TBitmap& bitmap);
    // Draw with an overall opacity 0..255 (255 = Draw).
    void Draw(int x, int y, const TBitmap& bitmap, int opacity);
    // Scales the whole bitmap into rect by nearest pixel.
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);
    // Copies src's logical rect into dest (scaled by nearest pixel when sizes differ) with
    // CopyMode.
    void CopyRect(const TRect& dest, const TCanvas& src, const TRect& source);
    void CopyRect(const TRect& dest, const TBitmap& src, const TRect& source);
    // Block transfer without scaling, with CopyMode.
    void BitBlt(int x, int y, int width, int height, const TCanvas& src, int sx, int sy);

    // Text in the font's colour. With a solid brush the text cell is first filled with the
    // brush colour (opaque background), with a clear brush only the glyphs are drawn.
    void TextOut(int x, int y, const std::string& text);
    void TextOut(int x, int y, const std::u16string& text);
    // Text clipped to rect (and the clip); an opaque brush fills rect first.
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    void TextRect(const TRect& rect, int x, int y, const std::u16string& text);
    int TextWidth(const std::string& text) const;
    int TextWidth(const std::u16string& text) const;
    int TextHeight(const std::string& text) const;
    int TextHeight(const std::u16string& text) const;
    TSize TextExtent(const std::string& text) const;
    TSize TextExtent(const std::u16string& text) const;
    // Text with no background fill and an explicit colour, clipped to `clip` (logical) and the
    // canvas clip; the low-level routine TextOut, TextRect and DrawText share.
    void DrawTextLine(int x, int y, const std::u16string& text, TColor color, const TRect& clip);
    // Underline and strike-out lines of the font for a text run at (x, y) of width `width`.
    void DrawTextDecorations(int x, int y, int width, TColor color, const TRect& clip);

    // Raised after drawing operations change pixels (listeners keep dirty areas).
    TNotifyEvent OnChange;

private:
    struct State;
    template <class F> void ForEachClip(const TRect& deviceRect, F&& fn) const;
    // Surface coordinates in points (logical + origin) to device pixels.
    TRect ToDevice(const TRect& r) const {
        return m_scale == 1
                   ? r
                   : Rect(r.Left * m_scale, r.Top * m_scale, r.Right * m_scale, r.Bottom * m_scale);
    }
    void Changed();
    // Spans are in surface coordinates, [x1, x2) on row y, clipped here.
    void RopSpan(int y, int x1, int x2, TPixel pen, TPenMode mode);
    void BrushSpan(int y, int x1, int x2, TPenMode mode);
    // Surface coordinates in points; PenLine hands scaled surfaces to ScaledPenLine.
    void PenLine(int x1, int y1, int x2, int y2);
    void ScaledPenLine(int x1, int y1, int x2, int y2);
    // The s x s device block of a surface point, in the pen's mode.
    void PlotBlock(int x, int y, TPixel pen, TPenMode mode);
    void RoundShape(const TRect& deviceRect, int cornerWidth, int cornerHeight);
    void BlitScaled(const TRect& dest, const TPixel* srcBits, int srcStride, int srcW, int srcH,
                    TRect source, bool transparent, TPixel key, bool alpha, int opacity,
                    bool useCopyMode);
    TRect DeviceRect(const TRect& logical) const {
        return ToDevice(OffsetRect(logical, m_origin.X, m_origin.Y));
    }

    TPixel* m_pixels = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0; // in pixels
    int m_scale = 1;
    TBitmap* m_bitmap = nullptr;
    TPoint m_origin;
    TRegion m_clip;
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    TCopyMode m_copyMode = cmSrcCopy;
    TPoint m_penPos;
    std::vector<State> m_states; // the first m_savedCount are saved; the rest is room
    std::size_t m_savedCount = 0;
    std::vector<TRect> m_lineClips; // DrawTextLine's, kept for their room
};

// Saves the canvas state for a scope: the destructor restores it and drops whatever the scope
// saved and did not restore, also when an exception leaves the scope.
//
//     TCanvasStateGuard saved(canvas);
//     canvas.IntersectClipRect(part);
//     PaintPart(canvas); // may throw
//
// A scope that ends normally with more states saved than its own left a save unrestored: the
// guard drops it and counts it (UnbalancedCanvasStates); debug builds also say so on stderr.
class TCanvasStateGuard {
public:
    explicit TCanvasStateGuard(TCanvas& canvas)
        : m_canvas(canvas), m_depth(canvas.SaveState()), m_exceptions(std::uncaught_exceptions()) {}
    ~TCanvasStateGuard();
    TCanvasStateGuard(const TCanvasStateGuard&) = delete;
    TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

private:
    TCanvas& m_canvas;
    int m_depth;
    int m_exceptions;
};

// How many guarded scopes have ended normally with a save of their own left unrestored.
int UnbalancedCanvasStates();

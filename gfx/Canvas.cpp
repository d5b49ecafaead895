#include "gfx/Canvas.h"

#include <atomic>
#include <cstdio>

#include "gfx/FontFace.h"
#include "gfx/PixelSpans.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// ---- pens and brushes ------------------------------------------------------------------------

void TPen::SetColor(TColor color) {
    if (color == m_color) return;
    m_color = color;
    Changed();
}
void TPen::SetWidth(int width) {
    width = std::max(width, 1);
    if (width == m_width) return;
    m_width = width;
    Changed();
}
void TPen::SetStyle(TPenStyle style) {
    if (style == m_style) return;
    m_style = style;
    Changed();
}
void TPen::SetMode(TPenMode mode) {
    if (mode == m_mode) return;
    m_mode = mode;
    Changed();
}
void TPen::Assign(const TPen& other) {
    m_color = other.m_color;
    m_width = other.m_width;
    m_style = other.m_style;
    m_mode = other.m_mode;
    Changed();
}
void TPen::Assign(const TPersistent* source) {
    if (const auto* pen = dynamic_cast<const TPen*>(source)) return Assign(*pen);
    TPersistent::Assign(source);
}
void TPen::Changed() {
    if (OnChange) OnChange(this);
}

void TBrush::SetColor(TColor color) {
    if (color == m_color && m_style != bsClear) return;
    m_color = color;
    if (m_style == bsClear) m_style = bsSolid;
    Changed();
}
void TBrush::SetStyle(TBrushStyle style) {
    if (style == m_style) return;
    m_style = style;
    Changed();
}
void TBrush::Assign(const TBrush& other) {
    m_color = other.m_color;
    m_style = other.m_style;
    Changed();
}
void TBrush::Assign(const TPersistent* source) {
    if (const auto* brush = dynamic_cast<const TBrush*>(source)) return Assign(*brush);
    TPersistent::Assign(source);
}
void TBrush::Changed() {
    if (OnChange) OnChange(this);
}

// ---- helpers -----------------------------------------------------------------------------------

namespace {

// A picture drawn for a denser screen, reduced to `scale` by averaging each block of device
// pixels: a buffer of a lower scale then keeps a one-device-pixel line as a fainter one
// instead of losing it between two samples. Keyed pictures are not reduced (a mixed pixel
// would no longer match the key), nor scales that do not divide.
bool ReducibleTo(const TBitmap& bitmap, int scale) {
    return bitmap.Scale() > scale && bitmap.Scale() % scale == 0 && !bitmap.Transparent();
}

TBitmap ReducedTo(const TBitmap& bitmap, int scale) {
    const int k = bitmap.Scale() / scale;
    TBitmap out;
    out.SetScale(scale);
    out.SetSize(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < out.DeviceHeight(); ++y) {
        TPixel* dst = out.ScanLine(y);
        for (int x = 0; x < out.DeviceWidth(); ++x) {
            unsigned sum[4] = {0, 0, 0, 0};
            for (int j = 0; j < k; ++j) {
                const TPixel* src = bitmap.ScanLine(y * k + j) + x * k;
                for (int i = 0; i < k; ++i)
                    for (int c = 0; c < 4; ++c) sum[c] += (src[i] >> (8 * c)) & 0xFFu;
            }
            TPixel p = 0;
            for (int c = 0; c < 4; ++c) p |= TPixel((sum[c] + k * k / 2) / (k * k)) << (8 * c);
            dst[x] = p;
        }
    }
    out.SetPixelFormatTag(bitmap.PixelFormat());
    out.SetAlphaFormat(bitmap.AlphaFormat());
    return out;
}

} // namespace

namespace {

inline TPixel Rop2(TPenMode mode, TPixel p, TPixel d) {
    TPixel r;
    switch (mode) {
    case pmBlack:
        r = 0;
        break;
    case pmWhite:
        r = 0xFFFFFF;
        break;
    case pmNop:
        r = d;
        break;
    case pmNot:
        r = ~d;
        break;
    case pmCopy:
        r = p;
        break;
    case pmNotCopy:
        r = ~p;
        break;
    case pmMergePenNot:
        r = p | ~d;
        break;
    case pmMaskPenNot:
        r = p & ~d;
        break;
    case pmMergeNotPen:
        r = ~p | d;
        break;
    case pmMaskNotPen:
        r = ~p & d;
        break;
    case pmMerge:
        r = p | d;
        break;
    case pmNotMerge:
        r = ~(p | d);
        break;
    case pmMask:
        r = p & d;
        break;
    case pmNotMask:
        r = ~(p & d);
        break;
    case pmXor:
        r = p ^ d;
        break;
    case pmNotXor:
        r = ~(p ^ d);
        break;
    default:
        r = p;
        break;
    }
    return (r & 0xFFFFFFu) | 0xFF000000u;
}

inline TPixel CopyOp(TCopyMode mode, TPixel s, TPixel d) {
    TPixel r;
    switch (mode) {
    case cmSrcCopy:
        return s;
    case cmSrcAnd:
        r = s & d;
        break;
    case cmSrcPaint:
        r = s | d;
        break;
    case cmSrcInvert:
        r = s ^ d;
        break;
    case cmSrcErase:
        r = s & ~d;
        break;
    case cmNotSrcCopy:
        r = ~s;
        break;
    case cmNotSrcErase:
        r = ~(s | d);
        break;
    case cmMergePaint:
        r = ~s | d;
        break;
    case cmDstInvert:
        r = ~d;
        break;
    case cmBlackness:
        r = 0;
        break;
    case cmWhiteness:
        r = 0xFFFFFF;
        break;
    default:
        r = s;
        break;
    }
    return (r & 0xFFFFFFu) | 0xFF000000u;
}

// Dash patterns of the cosmetic pen styles, as runs of on and off pixels.
bool PenPatternOn(TPenStyle style, int index) {
    switch (style) {
    case psDot:
        return (index & 1) == 0;
    case psDash:
        return index % 8 < 6;
    case psDashDot: {
        const int i = index % 11; // 6 on, 2 off, 1 on, 2 off
        return i < 6 || i == 8;
    }
    case psDashDotDot: {
        const int i = index % 14; // 6 on, 2 off, 1 on, 2 off, 1 on, 2 off
        return i < 6 || i == 8 || i == 11;
    }
    default:
        return true;
    }
}

bool HatchOn(TBrushStyle style, int x, int y) {
    const bool h = (y & 7) == 0, v = (x & 7) == 0;
    const bool f = ((x - y) & 7) == 0, b = ((x + y) & 7) == 0;
    switch (style) {
    case bsHorizontal:
        return h;
    case bsVertical:
        return v;
    case bsFDiagonal:
        return f;
    case bsBDiagonal:
        return b;
    case bsCross:
        return h || v;
    case bsDiagCross:
        return f || b;
    default:
        return true;
    }
}

struct PointF {
    double x, y;
};

// Even-odd scan conversion at pixel centres; calls span(y, x1, x2) for [x1, x2).
template <class F> void ScanPolygon(const std::vector<PointF>& pts, F&& span) {
    if (pts.size() < 3) return;
    double minY = pts[0].y, maxY = pts[0].y;
    for (const PointF& p : pts) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int y0 = int(std::ceil(minY - 0.5)), y1 = int(std::ceil(maxY - 0.5));
    std::vector<double> xs;
    for (int y = y0; y < y1; ++y) {
        const double py = y + 0.5;
        xs.clear();
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const PointF& a = pts[i];
            const PointF& b = pts[(i + 1) % pts.size()];
            if ((a.y <= py && b.y > py) || (b.y <= py && a.y > py))
                xs.push_back(a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int xa = int(std::ceil(xs[i] - 0.5)), xb = int(std::ceil(xs[i + 1] - 0.5));
            if (xb > xa) span(y, xa, xb);
        }
    }
}

// Row span [l, r) of a rectangle with elliptic corners of cw x ch at row y; false when the row
// lies outside.
bool RoundSpan(const TRect& r, int cw, int ch, int y, int& l, int& rr) {
    if (y < r.Top || y >= r.Bottom || r.IsEmpty()) return false;
    cw = std::min(cw, r.Width());
    ch = std::min(ch, r.Height());
    l = r.Left;
    rr = r.Right;
    if (cw <= 0 || ch <= 0) return true;
    const double a = cw / 2.0, b = ch / 2.0;
    const double py = y + 0.5;
    double dy = 0;
    if (py < r.Top + b)
        dy = r.Top + b - py;
    else if (py > r.Bottom - b)
        dy = py - (r.Bottom - b);
    else
        return true;
    const double t = dy / b;
    if (t >= 1.0) return false;
    const double half = a * std::sqrt(1.0 - t * t);
    const double cl = r.Left + a, cr = r.Right - a;
    l = int(std::ceil(cl - half - 0.5));
    rr = int(std::ceil(cr + half - 0.5));
    return rr > l;
}

} // namespace

struct TCanvas::State {
    TPoint origin;
    TRegion clip;
    TColor penColor = clBlack;
    int penWidth = 1;
    TPenStyle penStyle = psSolid;
    TPenMode penMode = pmCopy;
    TColor brushColor = clWhite;
    TBrushStyle brushStyle = bsSolid;
    TFont font;
    TCopyMode copyMode = cmSrcCopy;
    TPoint penPos;
};

// ---- surface, origin, clip ---------------------------------------------------------------------

TCanvas::TCanvas() = default;

TCanvas::TCanvas(TPixel* pixels, int width, int height, int strideBytes, int scale) {
    SetSurface(pixels, width, height, strideBytes, scale);
}

TCanvas::~TCanvas() = default;

void TCanvas::SetSurface(TPixel* pixels, int width, int height, int strideBytes, int scale) {
    m_bitmap = nullptr;
    m_scale = std::clamp(scale, 1, MaxDeviceScale);
    m_pixels = pixels;
    m_width = pixels ? std::max(width, 0) : 0;
    m_height = pixels ? std::max(height, 0) : 0;
    m_stride = strideBytes / 4;
    m_origin = {};
    ResetClip();
}

void TCanvas::SetSurface(TBitmap* bitmap) {
    if (!bitmap) {
        SetSurface(nullptr, 0, 0, 0);
        return;
    }
    SetSurface(bitmap->Bits(), bitmap->DeviceWidth(), bitmap->DeviceHeight(), bitmap->Stride(),
               bitmap->Scale());
    m_bitmap = bitmap;
}

void TCanvas::ShareSurface(const TCanvas& other) {
    if (&other == this) return;
    m_bitmap = other.m_bitmap;
    m_pixels = other.m_pixels;
    m_width = other.m_width;
    m_height = other.m_height;
    m_stride = other.m_stride;
    m_scale = other.m_scale;
    m_origin = other.m_origin;
    m_clip = other.m_clip;
}

TPixel* TCanvas::SurfaceRow(int y) const {
    return m_pixels + std::ptrdiff_t(y) * m_stride;
}

void TCanvas::SetOrigin(int x, int y) {
    m_origin = {x, y};
}

void TCanvas::SetClipRegion(const TRegion& surfaceRegion) {
    if (m_scale == 1) {
        m_clip = surfaceRegion.Intersected(Rect(0, 0, m_width, m_height));
        return;
    }
    // Scaling every rectangle of a region by a whole factor keeps its bands in order.
    std::vector<TRect> rects;
    rects.reserve(surfaceRegion.Rects().size());
    for (const TRect& r : surfaceRegion.Rects()) rects.push_back(ToDevice(r));
    m_clip = TRegion::FromRects(rects).Intersected(Rect(0, 0, m_width, m_height));
}

void TCanvas::SetClipRect(const TRect& rect) {
    m_clip = TRegion(IntersectRect(DeviceRect(rect), Rect(0, 0, m_width, m_height)));
}

void TCanvas::IntersectClipRect(const TRect& rect) {
    m_clip.Intersect(DeviceRect(rect));
}

void TCanvas::ExcludeClipRect(const TRect& rect) {
    m_clip.Subtract(DeviceRect(rect));
}

void TCanvas::ResetClip() {
    m_clip = TRegion(Rect(0, 0, m_width, m_height));
}

TRect TCanvas::ClipRect() const {
    TRect b = m_clip.Bounds();
    if (m_scale != 1 && !b.IsEmpty()) {
        // Every point the clip touches at all.
        const int s = m_scale;
        b = Rect(b.Left / s, b.Top / s, (b.Right + s - 1) / s, (b.Bottom + s - 1) / s);
    }
    return OffsetRect(b, -m_origin.X, -m_origin.Y);
}

bool TCanvas::IsVisible(const TRect& rect) const {
    return m_clip.Intersects(DeviceRect(rect));
}

// The saved states stay in their slots after a restore, so that saving again (once per cell of
// a grid) copies into the room they left instead of allocating.
int TCanvas::SaveState() {
    if (m_savedCount == m_states.size()) m_states.emplace_back();
    State& s = m_states[m_savedCount];
    s.origin = m_origin;
    s.clip = m_clip;
    s.penColor = m_pen.Color();
    s.penWidth = m_pen.Width();
    s.penStyle = m_pen.Style();
    s.penMode = m_pen.Mode();
    s.brushColor = m_brush.Color();
    s.brushStyle = m_brush.Style();
    s.font = m_font;
    s.copyMode = m_copyMode;
    s.penPos = m_penPos;
    return int(++m_savedCount);
}

void TCanvas::RestoreState() {
    if (m_savedCount == 0) return;
    const State& s = m_states[--m_savedCount];
    m_origin = s.origin;
    // The surface may have changed size since.
    m_clip = s.clip;
    m_clip.Intersect(Rect(0, 0, m_width, m_height));
    m_pen.SetColor(s.penColor);
    m_pen.SetWidth(s.penWidth);
    m_pen.SetStyle(s.penStyle);
    m_pen.SetMode(s.penMode);
    m_brush.SetColor(s.brushColor);
    m_brush.SetStyle(s.brushStyle);
    m_font.Assign(s.font);
    m_copyMode = s.copyMode;
    m_penPos = s.penPos;
}

int TCanvas::SavedStates() const {
    return int(m_savedCount);
}

void TCanvas::ResetTools(const TFont& font, TColor brushColor) {
    m_pen.SetColor(clBlack);
    m_pen.SetStyle(psSolid);
    m_pen.SetMode(pmCopy);
    m_pen.SetWidth(1);
    m_brush.SetColor(brushColor);
    m_brush.SetStyle(bsSolid);
    m_font.Assign(font);
    m_copyMode = cmSrcCopy;
}

void TCanvas::StartPaint(const TCanvas& target, const TFont& font, TColor brushColor) {
    ShareSurface(target);
    ResetTools(font, brushColor);
}

void TCanvas::StartPaint(TBitmap& surface, const TRegion& clip, TPoint origin, const TFont& font,
                         TColor brushColor) {
    SetSurface(&surface);
    SetClipRegion(clip);
    SetOrigin(origin.X, origin.Y);
    ResetTools(font, brushColor);
}

template <class F> void TCanvas::ForEachClip(const TRect& deviceRect, F&& fn) const {
    if (deviceRect.IsEmpty() || !m_pixels) return;
    const std::vector<TRect>& rects = m_clip.Rects();
    auto it = std::partition_point(rects.begin(), rects.end(),
                                   [&](const TRect& r) { return r.Bottom <= deviceRect.Top; });
    for (; it != rects.end() && it->Top < deviceRect.Bottom; ++it) {
        const TRect c = IntersectRect(*it, deviceRect);
        if (!c.IsEmpty()) fn(c);
    }
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

// ---- spans -------------------------------------------------------------------------------------

void TCanvas::RopSpan(int y, int x1, int x2, TPixel pen, TPenMode mode) {
    ForEachClip(Rect(x1, y, x2, y + 1), [&](const TRect& c) {
        TPixel* row = SurfaceRow(y);
        if (mode == pmCopy) {
            FillPixels(row + c.Left, c.Right - c.Left, pen);
        } else {
            for (int x = c.Left; x < c.Right; ++x) row[x] = Rop2(mode, pen, row[x]);
        }
    });
}

void TCanvas::BrushSpan(int y, int x1, int x2, TPenMode mode) {
    const TBrushStyle style = m_brush.Style();
    if (style == bsClear) return;
    const TPixel color = ColorToPixel(m_brush.Color());
    if (style == bsSolid) {
        RopSpan(y, x1, x2, color, mode);
        return;
    }
    ForEachClip(Rect(x1, y, x2, y + 1), [&](const TRect& c) {
        TPixel* row = SurfaceRow(y);
        // The pattern is laid out in points, so a scaled surface shows the same hatch.
        const int s = m_scale;
        for (int x = c.Left; x < c.Right; ++x)
            if (HatchOn(style, x / s, y / s)) row[x] = Rop2(mode, color, row[x]);
    });
}

// ---- lines -------------------------------------------------------------------------------------

// Device coordinates; the end point is not drawn.
void TCanvas::PenLine(int x1, int y1, int x2, int y2) {
    const TPenStyle style = m_pen.Style();
    if (style == psClear) return;
    if (m_scale != 1) {
        ScaledPenLine(x1, y1, x2, y2);
        return;
    }
    const TPixel pen = ColorToPixel(m_pen.Color());
    const TPenMode mode = m_pen.Mode();
    const int w = m_pen.Width();
    if (w > 1) {
        // A wide pen is solid; straight lines are exact rectangles, others a filled quad.
        const int lo = (w - 1) / 2, hi = w / 2;
        if (y1 == y2) {
            const int l = std::min(x1, x2), r = std::max(x1, x2);
            for (int y = y1 - lo; y <= y1 + hi; ++y) RopSpan(y, l, r, pen, mode);
            return;
        }
        if (x1 == x2) {
            const int t = std::min(y1, y2), b = std::max(y1, y2);
            for (int y = t; y < b; ++y) RopSpan(y, x1 - lo, x1 + hi + 1, pen, mode);
            return;
        }
        const double dx = x2 - x1, dy = y2 - y1, len = std::sqrt(dx * dx + dy * dy);
        const double nx = -dy / len * w / 2.0, ny = dx / len * w / 2.0;
        const double ax = x1 + 0.5, ay = y1 + 0.5, bx = x2 + 0.5, by = y2 + 0.5;
        std::vector<PointF> quad = {
            {ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, {ax - nx, ay - ny}};
        ScanPolygon(quad, [&](int y, int l, int r) { RopSpan(y, l, r, pen, mode); });
        return;
    }
    const bool solid = style == psSolid || style == psInsideFrame;
    if (solid && y1 == y2) {
        if (x1 < x2)
            RopSpan(y1, x1, x2, pen, mode);
        else if (x2 < x1)
            RopSpan(y1, x2 + 1, x1 + 1, pen, mode);
        return;
    }
    const TRect box = m_clip.Bounds();
    if (box.IsEmpty()) return;
    if (x1 == x2 || y1 == y2) {
        // Along an axis only the part inside the clip's box is walked, however far the ends
        // lie; the dash pattern keeps its phase from the start point.
        const bool vertical = x1 == x2;
        const int across = vertical ? x1 : y1;
        if (across < (vertical ? box.Left : box.Top) ||
            across >= (vertical ? box.Right : box.Bottom))
            return;
        const long long from = vertical ? y1 : x1, to = vertical ? y2 : x2;
        const int step = to > from ? 1 : -1;
        const long long lo = vertical ? box.Top : box.Left,
                        hi = (vertical ? box.Bottom : box.Right) - 1;
        const long long first = step > 0 ? std::max(from, lo) : std::min(from, hi);
        const long long last = step > 0 ? std::min(to - 1, hi) : std::max(to + 1, lo);
        for (long long v = first; step > 0 ? v <= last : v >= last; v += step) {
            const int index = int((v - from) * step % 616); // every dash pattern repeats in 616
            const int x = vertical ? x1 : int(v), y = vertical ? int(v) : y1;
            if (!PenPatternOn(style, index) || !m_clip.Contains(x, y)) continue;
            TPixel* p = SurfaceRow(y) + x;
            *p = Rop2(mode, pen, *p);
        }
        return;
    }
    // A line whose box misses the clip draws nothing; others go one pixel at a time, each
    // tested against the clip.
    if (std::max(x1, x2) < box.Left || std::min(x1, x2) >= box.Right ||
        std::max(y1, y2) < box.Top || std::min(y1, y2) >= box.Bottom)
        return;
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    const bool singleClip = m_clip.Rects().size() == 1;
    for (int index = 0; x != x2 || y != y2; ++index) {
        if (PenPatternOn(style, index)) {
            const bool inside = singleClip ? box.Contains({x, y}) : m_clip.Contains(x, y);
            if (inside) {
                TPixel* p = SurfaceRow(y) + x;
                *p = Rop2(mode, pen, *p);
            }
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void TCanvas::PlotBlock(int x, int y, TPixel pen, TPenMode mode) {
    const int s = m_scale;
    for (int k = 0; k < s; ++k) RopSpan(y * s + k, x * s, x * s + s, pen, mode);
}

// The 1x line's geometry in points, each point an s x s block: the same pixels as at 1x, s
// times as many of them. Wide slanted lines are scan-converted at device resolution.
void TCanvas::ScaledPenLine(int x1, int y1, int x2, int y2) {
    const TPenStyle style = m_pen.Style();
    const TPixel pen = ColorToPixel(m_pen.Color());
    const TPenMode mode = m_pen.Mode();
    const int s = m_scale;
    const int w = m_pen.Width();
    auto band = [&](int top, int bottom, int left, int right) {
        for (int y = top; y < bottom; ++y) RopSpan(y, left, right, pen, mode);
    };
    if (w > 1) {
        const int lo = (w - 1) / 2, hi = w / 2;
        if (y1 == y2) {
            band((y1 - lo) * s, (y1 + hi + 1) * s, std::min(x1, x2) * s, std::max(x1, x2) * s);
            return;
        }
        if (x1 == x2) {
            band(std::min(y1, y2) * s, std::max(y1, y2) * s, (x1 - lo) * s, (x1 + hi + 1) * s);
            return;
        }
        const double dx = x2 - x1, dy = y2 - y1, len = std::sqrt(dx * dx + dy * dy);
        const double nx = -dy / len * w * s / 2.0, ny = dx / len * w * s / 2.0;
        const double ax = (x1 + 0.5) * s, ay = (y1 + 0.5) * s, bx = (x2 + 0.5) * s,
                     by = (y2 + 0.5) * s;
        std::vector<PointF> quad = {
            {ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, {ax - nx, ay - ny}};
        ScanPolygon(quad, [&](int y, int l, int r) { RopSpan(y, l, r, pen, mode); });
        return;
    }
    const bool solid = style == psSolid || style == psInsideFrame;
    if (solid && y1 == y2) {
        if (x1 < x2)
            band(y1 * s, y1 * s + s, x1 * s, x2 * s);
        else if (x2 < x1)
            band(y1 * s, y1 * s + s, (x2 + 1) * s, (x1 + 1) * s);
        return;
    }
    if (solid && x1 == x2) {
        if (y1 < y2)
            band(y1 * s, y2 * s, x1 * s, x1 * s + s);
        else if (y2 < y1)
            band((y2 + 1) * s, (y1 + 1) * s, x1 * s, x1 * s + s);
        return;
    }
    const TRect deviceBox = m_clip.Bounds();
    if (deviceBox.IsEmpty()) return;
    const TRect box = Rect(deviceBox.Left / s, deviceBox.Top / s, (deviceBox.Right + s - 1) / s,
                           (deviceBox.Bottom + s - 1) / s);
    if (x1 == x2 || y1 == y2) {
        // As at 1x: only the part inside the clip's box is walked, the dashes keep their phase.
        const bool vertical = x1 == x2;
        const int across = vertical ? x1 : y1;
        if (across < (vertical ? box.Left : box.Top) ||
            across >= (vertical ? box.Right : box.Bottom))
            return;
        const long long from = vertical ? y1 : x1, to = vertical ? y2 : x2;
        const int step = to > from ? 1 : -1;
        const long long lo = vertical ? box.Top : box.Left,
                        hi = (vertical ? box.Bottom : box.Right) - 1;
        const long long first = step > 0 ? std::max(from, lo) : std::min(from, hi);
        const long long last = step > 0 ? std::min(to - 1, hi) : std::max(to + 1, lo);
        for (long long v = first; step > 0 ? v <= last : v >= last; v += step) {
            const int index = int((v - from) * step % 616);
            if (PenPatternOn(style, index))
                PlotBlock(vertical ? x1 : int(v), vertical ? int(v) : y1, pen, mode);
        }
        return;
    }
    if (std::max(x1, x2) < box.Left || std::min(x1, x2) >= box.Right ||
        std::max(y1, y2) < box.Top || std::min(y1, y2) >= box.Bottom)
        return;
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    for (int index = 0; x != x2 || y != y2; ++index) {
        if (PenPatternOn(style, index) && box.Contains({x, y})) PlotBlock(x, y, pen, mode);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void TCanvas::LineTo(int x, int y) {
    PenLine(m_penPos.X + m_origin.X, m_penPos.Y + m_origin.Y, x + m_origin.X, y + m_origin.Y);
    m_penPos = {x, y};
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    for (std::size_t i = 1; i < points.size(); ++i)
        PenLine(points[i - 1].X + m_origin.X, points[i - 1].Y + m_origin.Y,
                points[i].X + m_origin.X, points[i].Y + m_origin.Y);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.size() < 2) return;
    std::vector<PointF> pts;
    // Vertices at the centres of their points, in device pixels.
    const double s = m_scale;
    for (const TPoint& p : points)
        pts.push_back({(double(p.X + m_origin.X) + 0.5) * s, (double(p.Y + m_origin.Y) + 0.5) * s});
    const TPenMode mode = m_pen.Mode();
    ScanPolygon(pts, [&](int y, int l, int r) { BrushSpan(y, l, r, mode); });
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        PenLine(a.X + m_origin.X, a.Y + m_origin.Y, b.X + m_origin.X, b.Y + m_origin.Y);
    }
    Changed();
}

// ---- shapes ------------------------------------------------------------------------------------

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    const TRect points =
        OffsetRect(Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)),
                   m_origin.X, m_origin.Y);
    const TRect r = ToDevice(points);
    const int s = m_scale;
    const TPenMode mode = m_pen.Mode();
    const TPenStyle style = m_pen.Style();
    if (style == psClear) {
        // Without an outline the fill stops one point short on the right and at the bottom,
        // exactly where the outline would have been.
        for (int y = r.Top; y < r.Bottom - s; ++y) BrushSpan(y, r.Left, r.Right - s, mode);
        Changed();
        return;
    }
    if (r.IsEmpty()) return;
    const int w = std::min(m_pen.Width(), std::min(points.Width(), points.Height()) / 2 + 1) * s;
    const TRect inner = InflateRect(r, -w, -w);
    for (int y = inner.Top; y < inner.Bottom; ++y) BrushSpan(y, inner.Left, inner.Right, mode);
    if (style == psSolid || style == psInsideFrame || w > s) {
        const TPixel pen = ColorToPixel(m_pen.Color());
        for (int y = r.Top; y < r.Bottom; ++y) {
            if (y < r.Top + w || y >= r.Bottom - w) {
                RopSpan(y, r.Left, r.Right, pen, mode);
            } else {
                RopSpan(y, r.Left, r.Left + w, pen, mode);
                RopSpan(y, r.Right - w, r.Right, pen, mode);
            }
        }
    } else {
        const int R = points.Right - 1, B = points.Bottom - 1;
        PenLine(points.Left, points.Top, R, points.Top);
        PenLine(R, points.Top, R, B);
        PenLine(R, B, points.Left, B);
        PenLine(points.Left, B, points.Left, points.Top);
    }
    Changed();
}

void TCanvas::RoundShape(const TRect& r, int cw, int ch) {
    if (r.IsEmpty()) return;
    const TPenMode mode = m_pen.Mode();
    const bool outline = m_pen.Style() != psClear;
    const int w = outline ? m_pen.Width() * m_scale : 0;
    const TRect innerRect = InflateRect(r, -w, -w);
    const int icw = std::max(0, cw - 2 * w), ich = std::max(0, ch - 2 * w);
    const TPixel pen = ColorToPixel(m_pen.Color());
    for (int y = r.Top; y < r.Bottom; ++y) {
        int l, rr;
        if (!RoundSpan(r, cw, ch, y, l, rr)) continue;
        int il = 0, ir = 0;
        const bool hasInner =
            w == 0 ? (il = l, ir = rr, true) : RoundSpan(innerRect, icw, ich, y, il, ir);
        if (w > 0 && hasInner && w == 1) {
            // Keep the one-pixel outline connected where the curve runs flat: the ring reaches
            // to the span ends of the rows above and below.
            int pl, pr, nl, nr;
            const bool hasPrev = RoundSpan(r, cw, ch, y - 1, pl, pr);
            const bool hasNext = RoundSpan(r, cw, ch, y + 1, nl, nr);
            if (!hasPrev || !hasNext) {
                il = ir = l;
            } else {
                il = std::max(il, std::max(l + 1, std::max(pl, nl)));
                ir = std::min(ir, std::min(rr - 1, std::min(pr, nr)));
            }
        }
        if (!hasInner || ir <= il) {
            if (outline) RopSpan(y, l, rr, pen, mode);
            continue;
        }
        if (outline) {
            RopSpan(y, l, il, pen, mode);
            RopSpan(y, ir, rr, pen, mode);
        }
        BrushSpan(y, il, ir, mode);
    }
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
    RoundShape(
        DeviceRect(Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2))),
        std::abs(cornerWidth) * m_scale, std::abs(cornerHeight) * m_scale);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    const TRect r =
        DeviceRect(Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)));
    RoundShape(r, r.Width(), r.Height());
    Changed();
}

void TCanvas::FillRect(const TRect& rect) {
    if (m_brush.Style() == bsClear) return;
    const TRect r = DeviceRect(rect);
    if (m_brush.Style() == bsSolid) {
        const TPixel color = ColorToPixel(m_brush.Color());
        ForEachClip(r, [&](const TRect& c) {
            for (int y = c.Top; y < c.Bottom; ++y)
                FillPixels(SurfaceRow(y) + c.Left, c.Right - c.Left, color);
        });
    } else {
        for (int y = r.Top; y < r.Bottom; ++y) BrushSpan(y, r.Left, r.Right, pmCopy);
    }
    Changed();
}

void TCanvas::FillRegion(const TRegion& logicalRegion) {
    for (const TRect& r : logicalRegion.Rects()) FillRect(r);
}

void TCanvas::FrameRect(const TRect& rect) {
    if (rect.IsEmpty() || m_brush.Style() == bsClear) return;
    const TRect r = DeviceRect(rect);
    const TPixel color = ColorToPixel(m_brush.Color());
    const int t = m_scale; // one point
    for (int y = r.Top; y < r.Top + t; ++y) RopSpan(y, r.Left, r.Right, color, pmCopy);
    if (r.Height() > t)
        for (int y = r.Bottom - t; y < r.Bottom; ++y) RopSpan(y, r.Left, r.Right, color, pmCopy);
    for (int y = r.Top + t; y < r.Bottom - t; ++y) {
        RopSpan(y, r.Left, r.Left + t, color, pmCopy);
        if (r.Width() > t) RopSpan(y, r.Right - t, r.Right, color, pmCopy);
    }
    Changed();
}

void TCanvas::InvertRect(const TRect& rect) {
    ForEachClip(DeviceRect(rect), [&](const TRect& c) {
        for (int y = c.Top; y < c.Bottom; ++y) {
            TPixel* row = SurfaceRow(y);
            for (int x = c.Left; x < c.Right; ++x) row[x] = (~row[x] & 0xFFFFFFu) | 0xFF000000u;
        }
    });
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    if (rect.IsEmpty()) return;
    if (m_scale != 1) {
        // The 1x dots, each an s x s block, chosen by its point on the surface.
        const TRect p = OffsetRect(rect, m_origin.X, m_origin.Y);
        const int s = m_scale;
        auto dots = [&](int y, int x1, int x2) {
            for (int x = x1; x < x2; ++x) {
                if (((x + y) & 1) != 0) continue;
                ForEachClip(Rect(x * s, y * s, x * s + s, y * s + s), [&](const TRect& c) {
                    for (int py = c.Top; py < c.Bottom; ++py) {
                        TPixel* row = SurfaceRow(py);
                        for (int px = c.Left; px < c.Right; ++px)
                            row[px] = (~row[px] & 0xFFFFFFu) | 0xFF000000u;
                    }
                });
            }
        };
        dots(p.Top, p.Left, p.Right);
        if (p.Height() > 1) dots(p.Bottom - 1, p.Left, p.Right);
        for (int y = p.Top + 1; y < p.Bottom - 1; ++y) {
            dots(y, p.Left, p.Left + 1);
            if (p.Width() > 1) dots(y, p.Right - 1, p.Right);
        }
        Changed();
        return;
    }
    const TRect r = DeviceRect(rect);
    // Every other pixel of the frame, chosen by its surface position so that two draws cancel
    // and neighbouring rectangles line up.
    auto dots = [&](int y, int x1, int x2) {
        ForEachClip(Rect(x1, y, x2, y + 1), [&](const TRect& c) {
            TPixel* row = SurfaceRow(y);
            for (int x = c.Left; x < c.Right; ++x)
                if (((x + y) & 1) == 0) row[x] = (~row[x] & 0xFFFFFFu) | 0xFF000000u;
        });
    };
    dots(r.Top, r.Left, r.Right);
    if (r.Height() > 1) dots(r.Bottom - 1, r.Left, r.Right);
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dots(y, r.Left, r.Left + 1);
        if (r.Width() > 1) dots(y, r.Right - 1, r.Right);
    }
    Changed();
}

void TCanvas::AlphaFillRect(const TRect& rect, TColor color, int alpha) {
    alpha = std::clamp(alpha, 0, 255);
    const TPixel src = ColorToPixel(color);
    ForEachClip(DeviceRect(rect), [&](const TRect& c) {
        for (int y = c.Top; y < c.Bottom; ++y) {
            TPixel* row = SurfaceRow(y);
            for (int x = c.Left; x < c.Right; ++x)
                row[x] = BlendPixel(row[x], src, unsigned(alpha));
        }
    });
    Changed();
}

TColor TCanvas::Pixel(int x, int y) const {
    // A point reads as the top-left pixel of its block.
    const int dx = (x + m_origin.X) * m_scale, dy = (y + m_origin.Y) * m_scale;
    if (!m_pixels || dx < 0 || dy < 0 || dx >= m_width || dy >= m_height) return clNone;
    if (!m_clip.Contains(dx, dy)) return clNone;
    return PixelToColor(SurfaceRow(dy)[dx]);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (m_scale != 1) {
        if (!m_pixels) return;
        PlotBlock(x + m_origin.X, y + m_origin.Y, ColorToPixel(color), pmCopy);
        Changed();
        return;
    }
    const int dx = x + m_origin.X, dy = y + m_origin.Y;
    if (!m_pixels || !m_clip.Contains(dx, dy)) return;
    SurfaceRow(dy)[dx] = ColorToPixel(color);
    Changed();
}

// ---- block transfers ---------------------------------------------------------------------------

void TCanvas::BlitScaled(const TRect& dest, const TPixel* srcBits, int srcStride, int srcW,
                         int srcH, TRect source, bool transparent, TPixel key, bool alpha,
                         int opacity, bool useCopyMode) {
    if (!srcBits || dest.Left == dest.Right || dest.Top == dest.Bottom) return;
    if (source.Left == source.Right || source.Top == source.Bottom) return;
    // Negative extents mirror, as the platform's stretching copy does.
    const bool flipX = (dest.Right < dest.Left) != (source.Right < source.Left);
    const bool flipY = (dest.Bottom < dest.Top) != (source.Bottom < source.Top);
    const TRect d = Rect(std::min(dest.Left, dest.Right), std::min(dest.Top, dest.Bottom),
                         std::max(dest.Left, dest.Right), std::max(dest.Top, dest.Bottom));
    const TRect s = Rect(std::min(source.Left, source.Right), std::min(source.Top, source.Bottom),
                         std::max(source.Left, source.Right), std::max(source.Top, source.Bottom));
    const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    const TCopyMode mode = useCopyMode ? m_copyMode : cmSrcCopy;
    const bool plain = !transparent && !alpha && opacity >= 255 && mode == cmSrcCopy;
    key &= 0xFFFFFFu;
    std::vector<int> xmap;
    ForEachClip(d, [&](const TRect& c) {
        xmap.resize(std::size_t(c.Width()));
        int firstValid = -1, lastValid = -1;
        for (int x = c.Left; x < c.Right; ++x) {
            const long long off = (long long)(x - d.Left) * sw / dw;
            const int sx = flipX ? s.Right - 1 - int(off) : s.Left + int(off);
            xmap[std::size_t(x - c.Left)] = (sx >= 0 && sx < srcW) ? sx : -1;
            if (sx >= 0 && sx < srcW) {
                if (firstValid < 0) firstValid = x;
                lastValid = x;
            }
        }
        if (firstValid < 0) return;
        const bool oneToOne = sw == dw && !flipX;
        for (int y = c.Top; y < c.Bottom; ++y) {
            const long long off = (long long)(y - d.Top) * sh / dh;
            const int sy = flipY ? s.Bottom - 1 - int(off) : s.Top + int(off);
            if (sy < 0 || sy >= srcH) continue;
            const TPixel* srow = srcBits + std::ptrdiff_t(sy) * srcStride;
            TPixel* drow = SurfaceRow(y);
            if (plain && oneToOne) {
                const int sx0 = xmap[std::size_t(firstValid - c.Left)];
                std::memmove(drow + firstValid, srow + sx0,
                             std::size_t(lastValid - firstValid + 1) * sizeof(TPixel));
                continue;
            }
            if (plain) {
                const int* map = xmap.data() - c.Left;
                for (int x = firstValid; x <= lastValid; ++x)
                    if (map[x] >= 0) drow[x] = srow[map[x]] | 0xFF000000u;
                continue;
            }
            for (int x = firstValid; x <= lastValid; ++x) {
                const int sx = xmap[std::size_t(x - c.Left)];
                if (sx < 0) continue;
                const TPixel sp = srow[sx];
                if (transparent && (sp & 0xFFFFFFu) == key) continue;
                if (alpha || opacity < 255) {
                    unsigned a = alpha ? (sp >> 24) : 255u;
                    a = a * unsigned(opacity) / 255u;
                    drow[x] = BlendPixel(drow[x], sp, a);
                } else if (mode == cmSrcCopy) {
                    drow[x] = sp | 0xFF000000u;
                } else {
                    drow[x] = CopyOp(mode, sp, drow[x]);
                }
            }
        }
    });
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    Draw(x, y, bitmap, 255);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap, int opacity) {
    if (bitmap.Empty() || opacity <= 0) return;
    if (ReducibleTo(bitmap, m_scale)) {
        Draw(x, y, ReducedTo(bitmap, m_scale), opacity);
        return;
    }
    // Logical size to logical size: a picture of another scale is resized by whole pixels.
    const TRect dest = DeviceRect(Bounds(x, y, bitmap.Width(), bitmap.Height()));
    BlitScaled(dest, bitmap.Bits(), bitmap.DeviceWidth(), bitmap.DeviceWidth(),
               bitmap.DeviceHeight(), Rect(0, 0, bitmap.DeviceWidth(), bitmap.DeviceHeight()),
               bitmap.Transparent(), ColorToPixel(bitmap.TransparentColor()),
               bitmap.AlphaFormat() == afDefined, std::min(opacity, 255), true);
    Changed();
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    BlitScaled(DeviceRect(dest), bitmap.Bits(), bitmap.DeviceWidth(), bitmap.DeviceWidth(),
               bitmap.DeviceHeight(), Rect(0, 0, bitmap.DeviceWidth(), bitmap.DeviceHeight()),
               bitmap.Transparent(), ColorToPixel(bitmap.TransparentColor()),
               bitmap.AlphaFormat() == afDefined, 255, true);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& src, const TRect& source) {
    if (!src.m_pixels) return;
    const TRect s = src.ToDevice(OffsetRect(source, src.m_origin.X, src.m_origin.Y));
    if (src.m_pixels == m_pixels) {
        // Overlapping copy on one surface: take the source block aside first.
        const TRect n = Rect(std::min(s.Left, s.Right), std::min(s.Top, s.Bottom),
                             std::max(s.Left, s.Right), std::max(s.Top, s.Bottom));
        const TRect clipped = IntersectRect(n, Rect(0, 0, src.m_width, src.m_height));
        if (clipped.IsEmpty()) return;
        std::vector<TPixel> copy(std::size_t(clipped.Width()) * std::size_t(clipped.Height()));
        for (int y = clipped.Top; y < clipped.Bottom; ++y)
            std::memcpy(copy.data() + std::size_t(y - clipped.Top) * clipped.Width(),
                        src.SurfaceRow(y) + clipped.Left, std::size_t(clipped.Width()) * 4);
        // Source coordinates relative to the saved block; pixels outside it are skipped.
        const TRect rel = OffsetRect(s, -clipped.Left, -clipped.Top);
        BlitScaled(DeviceRect(dest), copy.data(), clipped.Width(), clipped.Width(),
                   clipped.Height(), rel, false, 0, false, 255, true);
    } else {
        BlitScaled(DeviceRect(dest), src.m_pixels, src.m_stride, src.m_width, src.m_height, s,
                   false, 0, false, 255, true);
    }
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& src, const TRect& source) {
    if (src.Empty()) return;
    if (ReducibleTo(src, m_scale) && dest.Width() == source.Width() &&
        dest.Height() == source.Height()) {
        CopyRect(dest, ReducedTo(src, m_scale), source);
        return;
    }
    if (src.Bits() == m_pixels) {
        TBitmap copy(src);
        CopyRect(dest, copy, source);
        return;
    }
    const int ss = src.Scale();
    const TRect s =
        ss == 1 ? source
                : Rect(source.Left * ss, source.Top * ss, source.Right * ss, source.Bottom * ss);
    BlitScaled(DeviceRect(dest), src.Bits(), src.DeviceWidth(), src.DeviceWidth(),
               src.DeviceHeight(), s, false, 0, false, 255, true);
    Changed();
}

void TCanvas::BitBlt(int x, int y, int width, int height, const TCanvas& src, int sx, int sy) {
    CopyRect(Bounds(x, y, width, height), src, Bounds(sx, sy, width, height));
}

// ---- text --------------------------------------------------------------------------------------

void TCanvas::DrawTextLine(int x, int y, const std::u16string& text, TColor color,
                           const TRect& clip) {
    if (text.empty() || !m_pixels) return;
    // The line is laid out with the 1x face (advances, ascent) and drawn with the glyphs of the
    // face at the surface's scale, each placed at s times its 1x pen position.
    TFontFace& face = m_font.Face();
    TFontFace& glyphs = m_font.DeviceFace(m_scale);
    const int s = m_scale;
    const TTextMetric& m = face.Metrics();
    const int baseline = (y + m_origin.Y + m.Ascent) * s;
    int penX = x + m_origin.X;
    const TPixel pixel = ColorToPixel(color);

    // The clip rectangles that meet this line, gathered once. The line's extent is bounded
    // generously: glyphs may overhang their advance and the cell.
    const long long reach = (4LL * m.MaxCharWidth * (long long)text.size() + 64) * s;
    const int right = int(std::min<long long>((long long)penX * s + reach, 1 << 29));
    const TRect lineBox = IntersectRect(DeviceRect(clip), Rect(penX * s - 2 * m.MaxCharWidth * s,
                                                               baseline - 4 * m.Height * s, right,
                                                               baseline + 4 * m.Height * s));
    std::vector<TRect>& clips = m_lineClips;
    clips.clear();
    ForEachClip(lineBox, [&](const TRect& c) { clips.push_back(c); });
    if (clips.empty()) return;

    for (std::size_t i = 0; i < text.size();) {
        const char32_t ch = NextCodePoint(text, i);
        const TGlyph& laid = face.Glyph(ch);
        const int advance = laid.advance;
        const TGlyph& g = s == 1 ? laid : glyphs.Glyph(ch);
        if (g.width > 0 && g.height > 0) {
            const TRect box = Bounds(penX * s + g.left, baseline - g.top, g.width, g.height);
            for (const TRect& c : clips) {
                const TRect part = IntersectRect(box, c);
                if (part.IsEmpty()) continue;
                // Right of the glyph its rows hold zeros, which leave pixels as they are: a
                // span that ends with the glyph is blended in whole groups of eight while the
                // surface's row has room.
                int count = part.Right - part.Left;
                if (part.Right == box.Right && part.Left + ((count + 7) & ~7) <= m_width)
                    count = (count + 7) & ~7;
                for (int py = part.Top; py < part.Bottom; ++py) {
                    const std::uint8_t* cov = g.coverage.data() +
                                              std::size_t(py - box.Top) * g.stride +
                                              (part.Left - box.Left);
                    BlendCoverageSpan(SurfaceRow(py) + part.Left, cov, count, pixel);
                }
            }
        }
        penX += advance;
    }
}

void TCanvas::DrawTextDecorations(int x, int y, int width, TColor color, const TRect& clip) {
    const TFontStyles style = m_font.Style();
    if (width <= 0 || (!style.Contains(fsUnderline) && !style.Contains(fsStrikeOut))) return;
    TFontFace& face = m_font.Face();
    const int baseline = y + face.Metrics().Ascent;
    const TPixel pixel = ColorToPixel(color);
    auto line = [&](int top, int thickness) {
        const TRect r = IntersectRect(Rect(x, top, x + width, top + thickness), clip);
        ForEachClip(DeviceRect(r), [&](const TRect& c) {
            for (int py = c.Top; py < c.Bottom; ++py)
                FillPixels(SurfaceRow(py) + c.Left, c.Right - c.Left, pixel);
        });
    };
    if (style.Contains(fsUnderline))
        line(std::min(baseline + face.UnderlineOffset(), y + face.Metrics().Height - 1),
             face.UnderlineThickness());
    if (style.Contains(fsStrikeOut))
        line(baseline + face.StrikeOutOffset(), face.StrikeOutThickness());
}

void TCanvas::TextOut(int x, int y, const std::u16string& text) {
    const TSize size = TextExtent(text);
    const TRect cell = Bounds(x, y, size.cx, size.cy);
    if (m_brush.Style() == bsSolid) {
        const TPixel color = ColorToPixel(m_brush.Color());
        ForEachClip(DeviceRect(cell), [&](const TRect& c) {
            for (int py = c.Top; py < c.Bottom; ++py)
                FillPixels(SurfaceRow(py) + c.Left, c.Right - c.Left, color);
        });
    }
    DrawTextLine(x, y, text, m_font.Color(), UnboundedRect);
    DrawTextDecorations(x, y, size.cx, m_font.Color(), UnboundedRect);
    m_penPos = {x + size.cx, y};
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    TextOut(x, y, AnsiToWide(text));
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::u16string& text) {
    if (m_brush.Style() == bsSolid) {
        const TPixel color = ColorToPixel(m_brush.Color());
        ForEachClip(DeviceRect(rect), [&](const TRect& c) {
            for (int py = c.Top; py < c.Bottom; ++py)
                FillPixels(SurfaceRow(py) + c.Left, c.Right - c.Left, color);
        });
    }
    DrawTextLine(x, y, text, m_font.Color(), rect);
    DrawTextDecorations(x, y, TextWidth(text), m_font.Color(), rect);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    TextRect(rect, x, y, AnsiToWide(text));
}

int TCanvas::TextWidth(const std::u16string& text) const {
    return m_font.Face().TextWidth(text);
}
int TCanvas::TextWidth(const std::string& text) const {
    return TextWidth(AnsiToWide(text));
}
int TCanvas::TextHeight(const std::u16string&) const {
    return m_font.Face().Metrics().Height;
}
int TCanvas::TextHeight(const std::string&) const {
    return m_font.Face().Metrics().Height;
}
TSize TCanvas::TextExtent(const std::u16string& text) const {
    return {TextWidth(text), TextHeight(text)};
}
TSize TCanvas::TextExtent(const std::string& text) const {
    return TextExtent(AnsiToWide(text));
}

namespace {
std::atomic<int> g_unbalancedStates{0};
} // namespace

TCanvasStateGuard::~TCanvasStateGuard() {
    if (m_canvas.SavedStates() > m_depth && std::uncaught_exceptions() == m_exceptions) {
        ++g_unbalancedStates;
#ifndef NDEBUG
        std::fprintf(stderr, "canvas: a paint left %d saved state(s) unrestored\n",
                     m_canvas.SavedStates() - m_depth);
#endif
    }
    while (m_canvas.SavedStates() >= m_depth) m_canvas.RestoreState();
}

int UnbalancedCanvasStates() {
    return g_unbalancedStates.load();
}

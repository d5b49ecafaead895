#pragma once
// TRegion: a set of pixels kept as non-overlapping rectangles in bands (rows of equal top and
// bottom, sorted left to right; equal neighbouring bands merged), so that equal sets have equal
// rectangle lists and every operation is a sweep over the bands.
#include "gfx/Types.h"

#include <cstddef>
#include <utility>
#include <vector>

class TBitmap;

enum TRegionOp { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& rect);
    // Any rectangles, overlapping or not, in any order.
    static TRegion FromRects(const std::vector<TRect>& rects);
    // The pixels of `mask` whose red, green and blue are all 0, placed at (ox, oy).
    static TRegion FromMask(const TBitmap& mask, int ox = 0, int oy = 0);

    bool IsEmpty() const { return m_rects.empty(); }
    // Smallest rectangle holding the region; empty (all zero) for an empty region.
    TRect Bounds() const { return m_bounds; }
    const std::vector<TRect>& Rects() const { return m_rects; }

    bool Contains(TPoint p) const;
    bool Contains(int x, int y) const { return Contains(TPoint{x, y}); }
    // True when some pixel of `rect` lies in the region.
    bool Intersects(const TRect& rect) const;

    void Union(const TRegion& other);
    void Union(const TRect& rect) { Union(TRegion(rect)); }
    void Intersect(const TRegion& other);
    void Intersect(const TRect& rect);
    void Subtract(const TRegion& other);
    void Subtract(const TRect& rect) { Subtract(TRegion(rect)); }
    void Xor(const TRegion& other);
    void Offset(int dx, int dy);
    void Clear();

    TRegion Unioned(const TRegion& other) const;
    TRegion Intersected(const TRegion& other) const;
    TRegion Intersected(const TRect& rect) const;
    TRegion Subtracted(const TRegion& other) const;
    TRegion Offsetted(int dx, int dy) const;

    bool operator==(const TRegion& other) const { return m_rects == other.m_rects; }

private:
    friend class TRegionBuilder;
    static TRegion Combine(const TRegion& a, const TRegion& b, TRegionOp op);
    void UpdateBounds();

    std::vector<TRect> m_rects;
    TRect m_bounds;
};

// Builds a region from spans handed over band by band, top to bottom, in time linear in
// their number: scanners of masks feed it row by row. Spans of one band come left to right;
// touching or overlapping spans are merged. Input out of that order still gives the right
// region, only more slowly.
class TRegionBuilder {
public:
    // Adds [left, right) on the rows [top, bottom).
    void Add(int left, int top, int right, int bottom);
    void Add(const TRect& r) { Add(r.Left, r.Top, r.Right, r.Bottom); }
    // The region of everything added; the builder is empty afterwards.
    TRegion Finish();

private:
    void FlushBand();

    std::vector<TRect> m_rects; // banded, as TRegion keeps them
    std::vector<std::pair<int, int>> m_spans;
    int m_bandTop = 0;
    int m_bandBottom = 0;
    std::size_t m_lastBegin = 0; // first rectangle of the last band in m_rects
    int m_lastBottom = 0;
    std::vector<std::pair<int, int>> m_lastSpans;
    TRegion m_extra; // what came out of order
};

// The platform's combine: dest = a op b (RGN_COPY copies a).
void CombineRgn(TRegion& dest, const TRegion& a, const TRegion& b, TRegionOp op);

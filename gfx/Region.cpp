#include "gfx/Region.h"

#include "gfx/Bitmap.h"

#include <algorithm>
#include <utility>

namespace {

using Span = std::pair<int, int>; // [first, second)

struct BandRef {
    int top;
    int bottom;
    std::size_t begin;
    std::size_t end;
};

std::vector<BandRef> BandsOf(const std::vector<TRect>& rects) {
    std::vector<BandRef> bands;
    std::size_t i = 0;
    while (i < rects.size()) {
        std::size_t j = i + 1;
        while (j < rects.size() && rects[j].Top == rects[i].Top) ++j;
        bands.push_back({rects[i].Top, rects[i].Bottom, i, j});
        i = j;
    }
    return bands;
}

bool Apply(TRegionOp op, bool a, bool b) {
    switch (op) {
    case RGN_AND:
        return a && b;
    case RGN_OR:
        return a || b;
    case RGN_XOR:
        return a != b;
    case RGN_DIFF:
        return a && !b;
    case RGN_COPY:
        return a;
    }
    return false;
}

// Spans of one band combined with the spans of another; both sorted and disjoint.
void CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, TRegionOp op,
                  std::vector<Span>& out) {
    out.clear();
    std::vector<int> xs;
    xs.reserve(2 * (a.size() + b.size()));
    for (const Span& s : a) xs.insert(xs.end(), {s.first, s.second});
    for (const Span& s : b) xs.insert(xs.end(), {s.first, s.second});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::size_t ia = 0, ib = 0;
    for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
        const int x0 = xs[k], x1 = xs[k + 1];
        while (ia < a.size() && a[ia].second <= x0) ++ia;
        while (ib < b.size() && b[ib].second <= x0) ++ib;
        const bool inA = ia < a.size() && a[ia].first <= x0;
        const bool inB = ib < b.size() && b[ib].first <= x0;
        if (!Apply(op, inA, inB)) continue;
        if (!out.empty() && out.back().second == x0)
            out.back().second = x1;
        else
            out.emplace_back(x0, x1);
    }
}

// Appends a band to a banded rectangle list, merging it into the previous band when that one
// ends where this one starts and has the same spans.
class BandBuilder {
public:
    explicit BandBuilder(std::vector<TRect>& out) : m_out(out) {}

    void Add(int top, int bottom, const std::vector<Span>& spans) {
        if (spans.empty() || bottom <= top) return;
        if (m_lastBottom == top && m_lastSpans == spans) {
            for (std::size_t i = m_lastBegin; i < m_out.size(); ++i) m_out[i].Bottom = bottom;
            m_lastBottom = bottom;
            return;
        }
        m_lastBegin = m_out.size();
        for (const Span& s : spans) m_out.push_back({s.first, top, s.second, bottom});
        m_lastBottom = bottom;
        m_lastSpans = spans;
    }

private:
    std::vector<TRect>& m_out;
    std::size_t m_lastBegin = 0;
    int m_lastBottom = 0;
    std::vector<Span> m_lastSpans;
};

void SpansOf(const std::vector<TRect>& rects, const BandRef& band, std::vector<Span>& out) {
    out.clear();
    for (std::size_t i = band.begin; i < band.end; ++i)
        out.emplace_back(rects[i].Left, rects[i].Right);
}

} // namespace

TRegion::TRegion(const TRect& rect) {
    if (!rect.IsEmpty()) m_rects.push_back(rect);
    UpdateBounds();
}

TRegion TRegion::FromRects(const std::vector<TRect>& rects) {
    std::vector<TRect> live;
    for (const TRect& r : rects)
        if (!r.IsEmpty()) live.push_back(r);
    TRegion result;
    if (live.empty()) return result;
    std::vector<int> ys;
    for (const TRect& r : live) ys.insert(ys.end(), {r.Top, r.Bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::sort(live.begin(), live.end(),
              [](const TRect& a, const TRect& b) { return a.Left < b.Left; });
    BandBuilder builder(result.m_rects);
    std::vector<Span> spans;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        const int y0 = ys[k], y1 = ys[k + 1];
        spans.clear();
        for (const TRect& r : live) {
            if (r.Top > y0 || r.Bottom < y1) continue;
            if (!spans.empty() && r.Left <= spans.back().second)
                spans.back().second = std::max(spans.back().second, r.Right);
            else
                spans.emplace_back(r.Left, r.Right);
        }
        builder.Add(y0, y1, spans);
    }
    result.UpdateBounds();
    return result;
}

TRegion TRegion::FromMask(const TBitmap& mask, int ox, int oy) {
    TRegion result;
    if (mask.Empty()) return result;
    BandBuilder builder(result.m_rects);
    std::vector<Span> spans;
    for (int y = 0; y < mask.Height(); ++y) {
        const TPixel* row = mask.ScanLine(y);
        spans.clear();
        int x = 0;
        const int w = mask.Width();
        while (x < w) {
            while (x < w && (row[x] & 0xFFFFFFu) != 0) ++x;
            if (x >= w) break;
            const int start = x;
            while (x < w && (row[x] & 0xFFFFFFu) == 0) ++x;
            spans.emplace_back(start + ox, x + ox);
        }
        builder.Add(y + oy, y + oy + 1, spans);
    }
    result.UpdateBounds();
    return result;
}

bool TRegion::Contains(TPoint p) const {
    auto it = std::partition_point(m_rects.begin(), m_rects.end(),
                                   [&](const TRect& r) { return r.Bottom <= p.Y; });
    for (; it != m_rects.end() && it->Top <= p.Y; ++it)
        if (p.X >= it->Left && p.X < it->Right) return true;
    return false;
}

bool TRegion::Intersects(const TRect& rect) const {
    if (rect.IsEmpty()) return false;
    auto it = std::partition_point(m_rects.begin(), m_rects.end(),
                                   [&](const TRect& r) { return r.Bottom <= rect.Top; });
    for (; it != m_rects.end() && it->Top < rect.Bottom; ++it)
        if (it->Left < rect.Right && it->Right > rect.Left) return true;
    return false;
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, TRegionOp op) {
    TRegion result;
    if (op == RGN_COPY) return a;
    // Quick answers that keep the common paint-time cases cheap.
    if (op == RGN_AND && (a.IsEmpty() || b.IsEmpty())) return result;
    if ((op == RGN_OR || op == RGN_XOR) && a.IsEmpty()) return b;
    if ((op == RGN_OR || op == RGN_XOR || op == RGN_DIFF) && b.IsEmpty()) return a;
    if (op == RGN_DIFF && a.IsEmpty()) return result;

    const std::vector<BandRef> bandsA = BandsOf(a.m_rects);
    const std::vector<BandRef> bandsB = BandsOf(b.m_rects);
    std::vector<int> ys;
    ys.reserve(2 * (bandsA.size() + bandsB.size()));
    for (const BandRef& band : bandsA) ys.insert(ys.end(), {band.top, band.bottom});
    for (const BandRef& band : bandsB) ys.insert(ys.end(), {band.top, band.bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    BandBuilder builder(result.m_rects);
    std::vector<Span> spansA, spansB, combined;
    const std::vector<Span> none;
    std::size_t ia = 0, ib = 0;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        const int y0 = ys[k], y1 = ys[k + 1];
        while (ia < bandsA.size() && bandsA[ia].bottom <= y0) ++ia;
        while (ib < bandsB.size() && bandsB[ib].bottom <= y0) ++ib;
        const bool inA = ia < bandsA.size() && bandsA[ia].top <= y0;
        const bool inB = ib < bandsB.size() && bandsB[ib].top <= y0;
        if (inA) SpansOf(a.m_rects, bandsA[ia], spansA);
        if (inB) SpansOf(b.m_rects, bandsB[ib], spansB);
        CombineSpans(inA ? spansA : none, inB ? spansB : none, op, combined);
        builder.Add(y0, y1, combined);
    }
    result.UpdateBounds();
    return result;
}

void TRegion::Union(const TRegion& other) {
    *this = Combine(*this, other, RGN_OR);
}
void TRegion::Intersect(const TRegion& other) {
    *this = Combine(*this, other, RGN_AND);
}
void TRegion::Intersect(const TRect& rect) {
    // In place for the common cases, as Intersected does them: clipping one cell's paint
    // should not allocate.
    if (m_rects.empty()) return;
    if (m_bounds.Left >= rect.Left && m_bounds.Top >= rect.Top && m_bounds.Right <= rect.Right &&
        m_bounds.Bottom <= rect.Bottom)
        return;
    if (m_rects.size() == 1) {
        const TRect r = IntersectRect(m_rects.front(), rect);
        if (r.IsEmpty())
            m_rects.clear();
        else
            m_rects.front() = r;
        UpdateBounds();
        return;
    }
    *this = Combine(*this, TRegion(rect), RGN_AND);
}
void TRegion::Subtract(const TRegion& other) {
    *this = Combine(*this, other, RGN_DIFF);
}
void TRegion::Xor(const TRegion& other) {
    *this = Combine(*this, other, RGN_XOR);
}

void TRegion::Offset(int dx, int dy) {
    for (TRect& r : m_rects) r = OffsetRect(r, dx, dy);
    UpdateBounds();
}

void TRegion::Clear() {
    m_rects.clear();
    m_bounds = TRect{};
}

TRegion TRegion::Unioned(const TRegion& other) const {
    return Combine(*this, other, RGN_OR);
}
TRegion TRegion::Intersected(const TRegion& other) const {
    return Combine(*this, other, RGN_AND);
}
TRegion TRegion::Intersected(const TRect& rect) const {
    // A region wholly inside the rectangle stays as it is.
    if (!m_rects.empty() && m_bounds.Left >= rect.Left && m_bounds.Top >= rect.Top &&
        m_bounds.Right <= rect.Right && m_bounds.Bottom <= rect.Bottom)
        return *this;
    // One rectangle stays one rectangle: the common case of clipping a paint area.
    if (m_rects.size() == 1) return TRegion(IntersectRect(m_rects.front(), rect));
    return Combine(*this, TRegion(rect), RGN_AND);
}
TRegion TRegion::Subtracted(const TRegion& other) const {
    return Combine(*this, other, RGN_DIFF);
}
TRegion TRegion::Offsetted(int dx, int dy) const {
    TRegion r = *this;
    r.Offset(dx, dy);
    return r;
}

void TRegion::UpdateBounds() {
    if (m_rects.empty()) {
        m_bounds = TRect{};
        return;
    }
    TRect b = m_rects.front();
    for (const TRect& r : m_rects) {
        b.Left = std::min(b.Left, r.Left);
        b.Right = std::max(b.Right, r.Right);
    }
    b.Top = m_rects.front().Top;
    b.Bottom = m_rects.back().Bottom;
    m_bounds = b;
}

void TRegionBuilder::Add(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    const bool inBand = !m_spans.empty() && top == m_bandTop && bottom == m_bandBottom;
    const bool below =
        m_spans.empty() ? top >= m_lastBottom || m_rects.empty() : top >= m_bandBottom;
    if (inBand && left >= m_spans.back().first) {
        if (left <= m_spans.back().second)
            m_spans.back().second = std::max(m_spans.back().second, right);
        else
            m_spans.emplace_back(left, right);
        return;
    }
    if (!inBand && below) {
        FlushBand();
        m_bandTop = top;
        m_bandBottom = bottom;
        m_spans.emplace_back(left, right);
        return;
    }
    m_extra.Union(Rect(left, top, right, bottom));
}

void TRegionBuilder::FlushBand() {
    if (m_spans.empty()) return;
    if (m_lastBottom == m_bandTop && m_lastSpans == m_spans && !m_rects.empty()) {
        for (std::size_t i = m_lastBegin; i < m_rects.size(); ++i) m_rects[i].Bottom = m_bandBottom;
    } else {
        m_lastBegin = m_rects.size();
        for (const auto& s : m_spans)
            m_rects.push_back({s.first, m_bandTop, s.second, m_bandBottom});
        m_lastSpans = m_spans;
    }
    m_lastBottom = m_bandBottom;
    m_spans.clear();
}

TRegion TRegionBuilder::Finish() {
    FlushBand();
    TRegion result;
    result.m_rects.swap(m_rects);
    result.UpdateBounds();
    if (!m_extra.IsEmpty()) result.Union(m_extra);
    *this = TRegionBuilder();
    return result;
}

void CombineRgn(TRegion& dest, const TRegion& a, const TRegion& b, TRegionOp op) {
    switch (op) {
    case RGN_COPY:
        dest = a;
        return;
    case RGN_AND:
        dest = a.Intersected(b);
        return;
    case RGN_OR:
        dest = a.Unioned(b);
        return;
    case RGN_DIFF:
        dest = a.Subtracted(b);
        return;
    case RGN_XOR: {
        TRegion r = a;
        r.Xor(b);
        dest = r;
        return;
    }
    }
}

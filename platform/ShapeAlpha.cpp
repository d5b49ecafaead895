#include "platform/ShapeAlpha.h"

#include <algorithm>
#include <cstring>

ShapeAlpha::ShapeAlpha(const std::vector<DisplayRect>& rects, int scale)
    : m_scale(std::max(1, scale)) {
    int top = 0, bottom = 0;
    bool any = false;
    for (const DisplayRect& r : rects) {
        if (r.w <= 0 || r.h <= 0) continue;
        top = any ? std::min(top, r.y) : r.y;
        bottom = any ? std::max(bottom, r.y + r.h) : r.y + r.h;
        any = true;
    }
    // A list of empty rectangles is still a shape: one that shows nothing.
    m_rectangular = rects.empty();
    if (!any) return;
    m_firstRow = top;
    m_rows.resize(std::size_t(bottom - top));
    for (const DisplayRect& r : rects) {
        if (r.w <= 0 || r.h <= 0) continue;
        for (int y = r.y; y < r.y + r.h; ++y)
            m_rows[std::size_t(y - top)].push_back({r.x * m_scale, (r.x + r.w) * m_scale});
    }
    for (auto& spans : m_rows) {
        std::sort(spans.begin(), spans.end(),
                  [](const Span& a, const Span& b) { return a.left < b.left; });
        std::vector<Span> merged;
        for (const Span& s : spans) {
            if (!merged.empty() && s.left <= merged.back().right)
                merged.back().right = std::max(merged.back().right, s.right);
            else
                merged.push_back(s);
        }
        spans = std::move(merged);
    }
}

const std::vector<ShapeAlpha::Span>& ShapeAlpha::SpansOf(int pointRow) const {
    static const std::vector<Span> none;
    const int index = pointRow - m_firstRow;
    if (index < 0 || index >= int(m_rows.size())) return none;
    return m_rows[std::size_t(index)];
}

void ShapeAlpha::Copy(const uint32_t* from, uint32_t* to, int stride, const DisplayRect& r) const {
    if (r.w <= 0 || r.h <= 0) return;
    const int right = r.x + r.w;
    for (int y = r.y; y < r.y + r.h; ++y) {
        const std::size_t row = std::size_t(y) * std::size_t(stride);
        const uint32_t* src = from + row;
        uint32_t* dst = to + row;
        if (m_rectangular) {
            for (int x = r.x; x < right; ++x) dst[x] = src[x] | 0xFF000000u;
            continue;
        }
        // Floor division: rows above the window's top have no spans either way.
        const int pointRow = y >= 0 ? y / m_scale : -1;
        int x = r.x;
        for (const Span& s : SpansOf(pointRow)) {
            if (s.right <= x) continue;
            if (s.left >= right) break;
            const int start = std::max(s.left, x);
            if (start > x) std::memset(dst + x, 0, std::size_t(start - x) * sizeof(uint32_t));
            const int end = std::min(s.right, right);
            for (int i = start; i < end; ++i) dst[i] = src[i] | 0xFF000000u;
            x = end;
        }
        if (x < right) std::memset(dst + x, 0, std::size_t(right - x) * sizeof(uint32_t));
    }
}

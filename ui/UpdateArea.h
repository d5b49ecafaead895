#pragma once
// A list of rectangles that stays short: past a few entries it folds into their bounding box,
// so thousands of invalidations cost a compare each.
#include <vector>

#include "gfx/Region.h"
#include "gfx/Types.h"

class TUpdateArea {
public:
    void Add(const TRect& r);
    void Clear() { m_rects.clear(); }
    bool Empty() const { return m_rects.empty(); }
    TRect Bounds() const;
    const std::vector<TRect>& Rects() const { return m_rects; }
    TRegion ToRegion() const { return TRegion::FromRects(m_rects); }
    void Offset(int dx, int dy);

private:
    std::vector<TRect> m_rects;
};

#include "ui/UpdateArea.h"

#include <algorithm>

void TUpdateArea::Add(const TRect& r) {
    if (r.IsEmpty()) return;
    for (const TRect& e : m_rects)
        if (e.Left <= r.Left && e.Top <= r.Top && e.Right >= r.Right && e.Bottom >= r.Bottom)
            return;
    m_rects.erase(std::remove_if(m_rects.begin(), m_rects.end(),
                                 [&](const TRect& e) {
                                     return r.Left <= e.Left && r.Top <= e.Top &&
                                            r.Right >= e.Right && r.Bottom >= e.Bottom;
                                 }),
                  m_rects.end());
    m_rects.push_back(r);
    if (m_rects.size() > 8) {
        TRect b = Bounds();
        m_rects.assign(1, b);
    }
}

TRect TUpdateArea::Bounds() const {
    TRect b;
    for (const TRect& r : m_rects) b = UnionRect(b, r);
    return b;
}

void TUpdateArea::Offset(int dx, int dy) {
    for (TRect& r : m_rects) r = OffsetRect(r, dx, dy);
}

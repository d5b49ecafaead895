#include "skin/SkinRegions.h"

#include "skin/RowScanBitmap.h"

#include <vector>

namespace {

// Scans black runs into a bounded list, handing it to the builder whenever it fills.
class MaskScanner {
public:
    explicit MaskScanner(TRegionBuilder& builder) : m_builder(builder) {
        m_list.reserve(MaskRectListCapacity);
    }
    void Scan(const TBitmap& mask, int ox, int oy) {
        if (mask.Empty()) return;
        const TFBitmap bits(mask);
        const int w = bits.Width();
        for (int y = 0; y < bits.Height(); ++y) {
            const std::uint8_t* row = bits.ScanLine(y);
            int x = 0;
            while (x < w) {
                while (x < w && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) != 0) ++x;
                if (x >= w) break;
                const int start = x;
                while (x < w && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0) ++x;
                if (int(m_list.size()) == MaskRectListCapacity) Flush();
                m_list.push_back(Rect(start + ox, y + oy, x + ox, y + oy + 1));
            }
        }
        Flush();
    }

private:
    void Flush() {
        for (const TRect& r : m_list) m_builder.Add(r);
        m_list.clear();
    }
    TRegionBuilder& m_builder;
    std::vector<TRect> m_list;
};

} // namespace

TRegion RegionFromMask(const TBitmap& mask, int ox, int oy) {
    TRegionBuilder builder;
    MaskScanner(builder).Scan(mask, ox, oy);
    return builder.Finish();
}

TRegion RegionFromSlicedMask(const TBitmap& mask, const TspSlicePoints& points,
                             const TspSlicePoints& newPoints, int width, int height) {
    const TspSlicePoints& n = newPoints;
    if (mask.Empty() || n.ClientRect.IsEmpty()) return TRegion();
    if (n.RightTop.X < n.LeftTop.X || n.LeftBottom.Y < n.LeftTop.Y) return TRegion();
    TspBorderStrips strips;
    MakeMaskBorderStrips(strips, mask, points, newPoints, width, height);
    TRegion result(n.ClientRect);
    result.Union(RegionFromMask(strips.Top, 0, 0));
    result.Union(RegionFromMask(strips.Bottom, 0, n.ClientRect.Bottom));
    result.Union(RegionFromMask(strips.Left, 0, n.ClientRect.Top));
    result.Union(RegionFromMask(strips.Right, n.ClientRect.Right, n.ClientRect.Top));
    return result;
}

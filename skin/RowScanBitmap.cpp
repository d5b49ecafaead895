#include "skin/RowScanBitmap.h"

TFBitmap::TFBitmap(const TBitmap& source) {
    if (source.Empty()) return;
    m_width = source.Width();
    m_height = source.Height();
    m_gap = m_width % 4;
    m_rowInc = m_width * 3 + m_gap;
    m_bits.assign(std::size_t(m_rowInc) * std::size_t(m_height), 0);
    m_rows.resize(std::size_t(m_height));
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* row = m_bits.data() + std::size_t(y) * std::size_t(m_rowInc);
        m_rows[std::size_t(y)] = row;
        const TPixel* src = source.ScanLine(y);
        for (int x = 0; x < m_width; ++x) {
            const TPixel p = src[x];
            row[3 * x] = std::uint8_t(p);
            row[3 * x + 1] = std::uint8_t(p >> 8);
            row[3 * x + 2] = std::uint8_t(p >> 16);
        }
    }
}

#pragma once
// TFBitmap: a 24-bit top-down copy of a picture (bytes blue, green, red) with a table of row
// starts, for scanning mask pictures row by row. Rows are 3 x width bytes plus width mod 4
// padding bytes, which rounds every row up to a multiple of 4.
#include "gfx/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TFBitmap {
public:
    explicit TFBitmap(const TBitmap& source);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Bytes from one row to the next, and the padding bytes at the end of each row.
    int RowInc() const { return m_rowInc; }
    int Gap() const { return m_gap; }
    std::size_t Size() const { return m_bits.size(); }
    const std::uint8_t* Bits() const { return m_bits.data(); }
    // Row y (0 = top); y must lie inside the picture.
    const std::uint8_t* ScanLine(int y) const { return m_rows[std::size_t(y)]; }

private:
    int m_width = 0;
    int m_height = 0;
    int m_rowInc = 0;
    int m_gap = 0;
    std::vector<std::uint8_t> m_bits;
    std::vector<const std::uint8_t*> m_rows;
};

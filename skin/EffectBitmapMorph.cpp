// Cross-fades and morphs of TspEffectBmp. These run for every frame of an animation, so the
// mixing is one flat loop over bytes in single precision, which the compiler vectorises; the
// rounding adds and removes 1.5 x 2^23, which leaves the nearest integer with halves going to
// the even neighbour (the default rounding of the floating-point unit).
#include "skin/EffectBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr float kRoundMagic = 12582912.0f; // 1.5 x 2^23

// Wider vectors where the processor has them (chosen once at load time); the arithmetic is
// the same single precision without fused multiply-adds, so every path gives equal bytes.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define BRELVAN_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define BRELVAN_VECTOR_CLONES
#endif

// a[i] = round(a[i] * wa + b[i] * wb) with wa + wb = 1, both in 0..1.
BRELVAN_VECTOR_CLONES void MixConst(std::uint8_t* __restrict a, const std::uint8_t* __restrict b,
                                    std::size_t n, float wa, float wb) {
    for (std::size_t i = 0; i < n; ++i) {
        float v = float(a[i]) * wa + float(b[i]) * wb;
        v = (v + kRoundMagic) - kRoundMagic;
        const int r = int(v);
        a[i] = std::uint8_t(r > 255 ? 255 : r);
    }
}

// The same with a weight per byte.
BRELVAN_VECTOR_CLONES void MixVar(std::uint8_t* __restrict a, const std::uint8_t* __restrict b,
                                  std::size_t n, const float* __restrict wa,
                                  const float* __restrict wb) {
    for (std::size_t i = 0; i < n; ++i) {
        float v = float(a[i]) * wa[i] + float(b[i]) * wb[i];
        v = (v + kRoundMagic) - kRoundMagic;
        const int r = int(v);
        a[i] = std::uint8_t(r > 255 ? 255 : r);
    }
}

double ClampUnit(double k) {
    if (!(k > 0)) return 0; // NaN too
    return k > 1 ? 1 : k;
}

// Round to nearest, halves to even.
int RoundEven(double v) {
    return int(std::nearbyint(v));
}

} // namespace

void TspEffectBmp::Blend(const TspEffectBmp& b, double k) {
    if (!SameSize(b) || Empty()) return;
    k = ClampUnit(k);
    // Rows lie back to back and the padding mixes harmlessly, so this is one run.
    MixConst(m_bits.data(), b.m_bits.data(), m_bits.size(), float(1 - k), float(k));
}

void TspEffectBmp::BlendRect(const TspEffectBmp& b, const TRect& rect, int firstRow,
                             int firstColumn, double k) {
    k = ClampUnit(k);
    // Clip to A, then move the start in B along with it, then clip to B.
    TRect r = IntersectRect(rect, Rect(0, 0, m_width, m_height));
    if (r.IsEmpty()) return;
    int row = firstRow + (r.Top - rect.Top), col = firstColumn + (r.Left - rect.Left);
    if (row < 0) {
        r.Top -= row;
        row = 0;
    }
    if (col < 0) {
        r.Left -= col;
        col = 0;
    }
    r.Right = std::min(r.Right, r.Left + (b.m_width - col));
    r.Bottom = std::min(r.Bottom, r.Top + (b.m_height - row));
    if (r.IsEmpty()) return;
    const float wa = float(1 - k), wb = float(k);
    const std::size_t n = std::size_t(r.Width()) * 3;
    for (int y = r.Top; y < r.Bottom; ++y)
        MixConst(ScanLine(y) + 3 * r.Left, b.ScanLine(row + y - r.Top) + 3 * col, n, wa, wb);
}

// Mixes A and B column by column with the weight of A per column (B takes the rest).
void TspEffectBmp::MixColumns(const TspEffectBmp& b, const std::vector<float>& weightOfA) {
    const std::size_t n = std::size_t(m_width) * 3;
    std::vector<float> wa(n), wb(n);
    for (int x = 0; x < m_width; ++x) {
        const float w = weightOfA[std::size_t(x)];
        for (int c = 0; c < 3; ++c) {
            wa[3 * std::size_t(x) + c] = w;
            wb[3 * std::size_t(x) + c] = float(1.0 - double(w));
        }
    }
    for (int y = 0; y < m_height; ++y) MixVar(ScanLine(y), b.ScanLine(y), n, wa.data(), wb.data());
}

void TspEffectBmp::MorphGradient(const TspEffectBmp& b, double k) {
    if (!SameSize(b) || Empty()) return;
    k = ClampUnit(k);
    // A band in the middle of the longer side turns into B and widens with k; outside it the
    // weight of A grows by 1 / b per line up to 1.
    const bool alongColumns = m_width >= m_height;
    const int n = alongColumns ? m_width : m_height;
    const int a = RoundEven(n * k);
    const int bw = (n - a) / 2;
    const int c = a / 2;
    const int f = n / 2;
    const int bandStart = std::max(f - c, 0), bandEnd = std::min(f + c, n - 1);
    const double step = bw == 0 ? 1.0 : 1.0 / bw;
    std::vector<float> weight(std::size_t(n), 0.0f);
    for (int i = 0; i < n; ++i) {
        int j = 0;
        if (i < bandStart) j = bandStart - i;
        if (i > bandEnd) j = i - bandEnd;
        weight[std::size_t(i)] = float(std::min(1.0, j * step));
    }
    if (alongColumns) {
        MixColumns(b, weight);
        return;
    }
    const std::size_t rowBytes = std::size_t(m_width) * 3;
    for (int y = 0; y < m_height; ++y) {
        const double w = weight[std::size_t(y)];
        MixConst(ScanLine(y), b.ScanLine(y), rowBytes, float(w), float(1.0 - w));
    }
}

void TspEffectBmp::MorphLeftGradient(const TspEffectBmp& b, double k) {
    if (!SameSize(b) || Empty()) return;
    if (m_width < 2) {
        Blend(b, k);
        return;
    }
    k = ClampUnit(k);
    // Columns 0 .. a fade from B at the left edge to A at column a.
    const int a = std::clamp(RoundEven(m_width * k), 1, m_width - 1);
    const double step = 1.0 / a;
    std::vector<float> weight(std::size_t(m_width), 1.0f);
    for (int x = 0; x <= a; ++x) weight[std::size_t(x)] = float(std::min(1.0, x * step));
    MixColumns(b, weight);
}

void TspEffectBmp::MorphRightGradient(const TspEffectBmp& b, double k) {
    if (!SameSize(b) || Empty()) return;
    k = ClampUnit(k);
    // Columns from the last down to a fade from B at the right edge towards A.
    const int a = std::clamp(m_width - RoundEven(m_width * k), 0, m_width - 1);
    const double step = 1.0 / (m_width - a);
    std::vector<float> weight(std::size_t(m_width), 1.0f);
    for (int x = m_width - 1; x >= a; --x)
        weight[std::size_t(x)] = float(std::min(1.0, (m_width - 1 - x) * step));
    MixColumns(b, weight);
}

void TspEffectBmp::MorphLeftSlide(const TspEffectBmp& b, double k) {
    if (!SameSize(b) || Empty()) return;
    k = ClampUnit(k);
    const int n = std::min(std::max(RoundEven(m_width * k), 1), m_width - 1);
    if (n <= 0) return;
    for (int y = 0; y < m_height; ++y)
        std::memcpy(ScanLine(y), b.ScanLine(y) + 3 * (m_width - n), std::size_t(n) * 3);
}

void TspEffectBmp::MorphRightSlide(const TspEffectBmp& b, double k) {
    if (!SameSize(b) || Empty()) return;
    k = ClampUnit(k);
    const int n = std::min(std::max(RoundEven(m_width * k), 1), m_width - 1);
    if (n <= 0) return;
    for (int y = 0; y < m_height; ++y)
        std::memcpy(ScanLine(y) + 3 * (m_width - n), b.ScanLine(y), std::size_t(n) * 3);
}

void TspEffectBmp::MorphPush(const TspEffectBmp& b, double k) {
    if (!SameSize(b) || Empty()) return;
    k = ClampUnit(k);
    // B pushes in from the left: columns 0 .. a show B's last a + 1 columns, A moves right.
    const int a = std::clamp(RoundEven(m_width * k), 0, m_width - 1);
    const std::size_t shown = std::size_t(a + 1) * 3;
    const std::size_t kept = std::size_t(m_width - a - 1) * 3;
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* row = ScanLine(y);
        std::memmove(row + shown, row, kept);
        std::memcpy(row, b.ScanLine(y) + 3 * (m_width - a - 1), shown);
    }
}

void TspEffectBmp::Morph(TspMorphKind kind, const TspEffectBmp& b, double k) {
    switch (kind) {
    case mkGradient:
        MorphGradient(b, k);
        return;
    case mkLeftGradient:
        MorphLeftGradient(b, k);
        return;
    case mkRightGradient:
        MorphRightGradient(b, k);
        return;
    case mkLeftSlide:
        MorphLeftSlide(b, k);
        return;
    case mkRightSlide:
        MorphRightSlide(b, k);
        return;
    case mkPush:
        MorphPush(b, k);
        return;
    case mkDefault:
        break;
    }
    Blend(b, k);
}

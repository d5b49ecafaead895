#include "gfx/Color.h"

#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// A classic light theme; index = system colour index.
constexpr TColor kSystemColors[COLOR_ENDCOLORS + 1] = {
    RGB(200, 200, 200), // scroll bar
    RGB(0, 0, 0),       // desktop background
    RGB(153, 180, 209), // active caption
    RGB(191, 205, 219), // inactive caption
    RGB(240, 240, 240), // menu
    RGB(255, 255, 255), // window
    RGB(100, 100, 100), // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(0, 0, 0),       // caption text
    RGB(180, 180, 180), // active border
    RGB(244, 247, 252), // inactive border
    RGB(171, 171, 171), // application workspace
    RGB(51, 153, 255),  // highlight
    RGB(255, 255, 255), // highlight text
    RGB(240, 240, 240), // button face
    RGB(160, 160, 160), // button shadow
    RGB(109, 109, 109), // grey text
    RGB(0, 0, 0),       // button text
    RGB(67, 78, 84),    // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(105, 105, 105), // 3D dark shadow
    RGB(227, 227, 227), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
    RGB(0, 0, 0),       // (unused index)
    RGB(0, 102, 204),   // hot-tracked item
    RGB(185, 209, 234), // active caption gradient
    RGB(215, 228, 242), // inactive caption gradient
    RGB(51, 153, 255),  // menu highlight
    RGB(240, 240, 240), // menu bar
};

std::uint8_t MixChannel(std::uint8_t a, std::uint8_t b, double weight) {
    // nearbyint rounds halves to even in the default rounding mode.
    double v = std::nearbyint((1.0 - weight) * a + weight * b);
    if (v < 0) v = 0;
    if (v > 255) v = 255;
    return std::uint8_t(v);
}

} // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index > COLOR_ENDCOLORS) return clBlack;
    return kSystemColors[index];
}

TColor ColorToRGB(TColor c) {
    if (IsSystemColor(c)) return GetSysColor(int(c & 0xFF));
    return c & 0xFFFFFF;
}

TPixel ColorToPixel(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return 0xFF000000u | (TPixel(GetRValue(rgb)) << 16) | (TPixel(GetGValue(rgb)) << 8) |
           GetBValue(rgb);
}

TColor BlendColors(TColor a, TColor b, double weight) {
    const TColor ca = ColorToRGB(a);
    const TColor cb = ColorToRGB(b);
    return RGB(MixChannel(GetRValue(ca), GetRValue(cb), weight),
               MixChannel(GetGValue(ca), GetGValue(cb), weight),
               MixChannel(GetBValue(ca), GetBValue(cb), weight));
}

namespace {

#if defined(__SSE2__)
// Blends the opaque colour `src` (its alpha lane 255, two pixels, one channel to a 16-bit lane)
// over four pixels with the four coverages in `covBytes`, pixel for pixel as BlendPixel does.
// Each lane computes s * a + d * (255 - a) + 128, which stays below 65536, and rounds with
// (t + (t >> 8)) >> 8 as BlendPixel does with two channels to a word. With coverage 0 every
// lane comes out as the pixel that was there; a covered pixel turns opaque.
__m128i BlendFour(__m128i dst, std::uint32_t covBytes, __m128i src16) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i cov16 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(covBytes)), zero);
    const __m128i covPairs = _mm_unpacklo_epi16(cov16, cov16); // c0 c0 c1 c1 c2 c2 c3 c3
    auto blend = [&](__m128i d16, __m128i a16) {
        __m128i t = _mm_add_epi16(_mm_mullo_epi16(src16, a16),
                                  _mm_mullo_epi16(d16, _mm_sub_epi16(_mm_set1_epi16(255), a16)));
        t = _mm_add_epi16(t, _mm_set1_epi16(128));
        return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
    };
    const __m128i low = blend(_mm_unpacklo_epi8(dst, zero), _mm_unpacklo_epi32(covPairs, covPairs));
    const __m128i high =
        blend(_mm_unpackhi_epi8(dst, zero), _mm_unpackhi_epi32(covPairs, covPairs));
    const __m128i covered = _mm_andnot_si128(_mm_cmpeq_epi32(_mm_unpacklo_epi16(cov16, zero), zero),
                                             _mm_set1_epi32(int(0xFF000000u)));
    return _mm_or_si128(_mm_packus_epi16(low, high), covered);
}
#endif

} // namespace

void BlendCoverageSpan(TPixel* to, const std::uint8_t* cov, int count, TPixel src) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i src16 =
        _mm_unpacklo_epi8(_mm_set1_epi32(int(src | 0xFF000000u)), _mm_setzero_si128());
    for (; i + 4 <= count; i += 4) {
        std::uint32_t covBytes;
        std::memcpy(&covBytes, cov + i, 4);
        if (covBytes == 0) continue;
        __m128i* at = reinterpret_cast<__m128i*>(to + i);
        _mm_storeu_si128(at, BlendFour(_mm_loadu_si128(at), covBytes, src16));
    }
#endif
    // The rest (the last one to three pixels) one by one.
    for (; i < count; ++i)
        if (cov[i]) to[i] = BlendPixel(to[i], src, cov[i]);
}

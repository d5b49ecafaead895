#include "gfx/PixelSpans.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define BRELVAN_WIDE_SPANS 1
// The wide helpers are always inlined into functions of the same target: no call passes a
// 256-bit value, so the warning about such calls' ABI does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace {

#if defined(BRELVAN_WIDE_SPANS)
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

// Each lane's s * a + d * (255 - a), rounded as above.
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i BlendLanes(__m256i s16, __m256i d16,
                                                                      __m256i a16) {
    __m256i t =
        _mm256_add_epi16(_mm256_mullo_epi16(s16, a16),
                         _mm256_mullo_epi16(d16, _mm256_sub_epi16(_mm256_set1_epi16(255), a16)));
    t = _mm256_add_epi16(t, _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
}

// BlendFour over eight pixels. The 256-bit unpacks work within each 128-bit half, so the
// coverages are spread to match: pixels 0, 1, 4, 5 in the low words, 2, 3, 6, 7 in the high.
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i
BlendEight(__m256i dst, std::uint64_t covBytes, __m256i src16) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i cov32 = _mm256_cvtepu8_epi32(_mm_cvtsi64_si128((long long)covBytes));
    const __m256i covTwice = _mm256_or_si256(cov32, _mm256_slli_epi32(cov32, 16));
    const __m256i low = BlendLanes(src16, _mm256_unpacklo_epi8(dst, zero),
                                   _mm256_unpacklo_epi32(covTwice, covTwice));
    const __m256i high = BlendLanes(src16, _mm256_unpackhi_epi8(dst, zero),
                                    _mm256_unpackhi_epi32(covTwice, covTwice));
    const __m256i covered =
        _mm256_andnot_si256(_mm256_cmpeq_epi32(cov32, zero), _mm256_set1_epi32(int(0xFF000000u)));
    return _mm256_or_si256(_mm256_packus_epi16(low, high), covered);
}

[[gnu::target("avx2")]] void BlendCoverageSpanWide(TPixel* to, const std::uint8_t* cov, int count,
                                                   TPixel src) {
    const __m256i src16 =
        _mm256_unpacklo_epi8(_mm256_set1_epi32(int(src | 0xFF000000u)), _mm256_setzero_si256());
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t covBytes;
        std::memcpy(&covBytes, cov + i, 8);
        if (covBytes == 0) continue;
        __m256i* at = reinterpret_cast<__m256i*>(to + i);
        _mm256_storeu_si256(at, BlendEight(_mm256_loadu_si256(at), covBytes, src16));
    }
    if (i < count) BlendCoverageSpanNarrow(to + i, cov + i, count - i, src);
}

[[gnu::target("avx2")]] void FillPixelsWide(TPixel* to, int count, TPixel color) {
    const __m256i eight = _mm256_set1_epi32(int(color));
    for (; count >= 8; count -= 8, to += 8)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), eight);
    if (count >= 4) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm256_castsi256_si128(eight));
        count -= 4;
        to += 4;
    }
    for (; count > 0; --count) *to++ = color;
}

const bool g_wide = [] {
    __builtin_cpu_init(); // may run before the library's own initialisation
    return __builtin_cpu_supports("avx2") != 0;
}();
#endif

} // namespace

void BlendCoverageSpanNarrow(TPixel* to, const std::uint8_t* cov, int count, TPixel src) {
    int i = 0;
#if defined(BRELVAN_WIDE_SPANS)
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

void BlendCoverageSpan(TPixel* to, const std::uint8_t* cov, int count, TPixel src) {
#if defined(BRELVAN_WIDE_SPANS)
    if (g_wide) return BlendCoverageSpanWide(to, cov, count, src);
#endif
    BlendCoverageSpanNarrow(to, cov, count, src);
}

void FillPixelsNarrow(TPixel* to, int count, TPixel color) {
    struct TQuad {
        TPixel p[4];
    };
    const TQuad quad{{color, color, color, color}};
    for (; count >= 4; count -= 4, to += 4) std::memcpy(to, &quad, sizeof quad);
    for (; count > 0; --count) *to++ = color;
}

void FillPixels(TPixel* to, int count, TPixel color) {
#if defined(BRELVAN_WIDE_SPANS)
    if (g_wide) return FillPixelsWide(to, count, color);
#endif
    FillPixelsNarrow(to, count, color);
}

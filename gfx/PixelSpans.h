#pragma once
// The two loops a paint spends most of its time in: filling runs of pixels with one colour and
// blending a colour over runs of pixels through coverages (text). Each takes the widest
// instructions the processor has, chosen once at run time; the narrow versions are what
// every processor of the architecture runs, kept callable for comparison.
#include "gfx/Color.h"

#include <cstdint>

// BlendPixel over `count` pixels from `to` with the coverages from `cov` (a pixel of coverage 0
// is left as it is), several pixels at a time: blended one by one, glyphs were a third of a
// grid's paint.
void BlendCoverageSpan(TPixel* to, const std::uint8_t* cov, int count, TPixel src);
void BlendCoverageSpanNarrow(TPixel* to, const std::uint8_t* cov, int count, TPixel src);

// `count` pixels from `to` set to `color`.
void FillPixels(TPixel* to, int count, TPixel color);
void FillPixelsNarrow(TPixel* to, int count, TPixel color);

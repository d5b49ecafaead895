#pragma once
// The pictures built into the program: the 103 flag images of the match grids' flag column
// (in the order of LeagueFlagIndex), the two tab images of the page control and the header
// glyph of the flag column. They are generated at build time (tools/flaggen; data/ builds
// the library) from the installed flag package and our own drawings; each is 16 x 16
// pixels of 0xAARRGGBB, rows top to bottom, alpha 0 where the picture is transparent.

#include <cstdint>

constexpr int kFlagImageCount = 103;
constexpr int kTabImageCount = 2;
constexpr int kArtSide = 16;
constexpr int kArtPixels = kArtSide * kArtSide;

extern const uint32_t kFlagImagePixels[kFlagImageCount][kArtPixels];
// The flags drawn again at 2 and 3 pixels a point (32 x 32 and 48 x 48 pixels) from our own
// description of each, the flag in the same 16 x 11 point box: sharp on finer screens, where
// the package's 1x pictures would only be enlarged.
extern const uint32_t kFlagImagePixels2x[kFlagImageCount][kArtPixels * 4];
extern const uint32_t kFlagImagePixels3x[kFlagImageCount][kArtPixels * 9];
extern const uint32_t kTabImagePixels[kTabImageCount][kArtPixels];
// The tab images drawn again at 2 and 3 pixels a point (32 x 32 and 48 x 48 pixels), for
// screens with more than one pixel to a point.
extern const uint32_t kTabImagePixels2x[kTabImageCount][kArtPixels * 4];
extern const uint32_t kTabImagePixels3x[kTabImageCount][kArtPixels * 9];
extern const uint32_t kFlagHeaderGlyphPixels[kArtPixels];
// The header glyph drawn again at 2 and 3 pixels a point.
extern const uint32_t kFlagHeaderGlyphPixels2x[kArtPixels * 4];
extern const uint32_t kFlagHeaderGlyphPixels3x[kArtPixels * 9];

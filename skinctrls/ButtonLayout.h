#pragma once
// Where a button puts its glyph and its caption, and which cell of the glyph strip it shows.
#include "gfx/Types.h"

enum TspButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The 1-based cell of a strip of numGlyphs images: 3 for (f1 and f2) with more than two
// cells, 4 for f2 with four, 1 when enabled (or a single cell), else 2 (the disabled cell).
int ButtonGlyphNumber(bool f1, bool f2, int numGlyphs, bool enabled);

struct TspGlyphCaptionPlace {
    TPoint glyph;
    TPoint text;
};

// Glyph (gw x gh, both 0 without a glyph) and caption (tw x th) laid out in r: centred
// together when margin is -1, else the glyph `margin` pixels from its side; `spacing`
// between them. With pressed every coordinate moves one pixel right and down.
TspGlyphCaptionPlace LayoutGlyphAndCaption(const TRect& r, int gw, int gh, int tw, int th,
                                           int spacing, int margin, TspButtonLayout layout,
                                           bool pressed);

#pragma once
// The built-in pictures as the window uses them: the flag images of the grids' flag column,
// the tab images of the page control and the flag column's header glyph.

class TBitmap;
class TImageList;

// Replaces the list's content with the 103 flag images (16 x 16 points), in the order of
// LeagueFlagIndex: 0 a football, 25 the confederations' flag, 15 Colombia's; drawn for
// `scale` pixels a point (1, 2 or 3; others are taken as the nearest).
void LoadFlagImages(TImageList& list, int scale = 1);
// Replaces the list's content with the two tab images: 0 for the login page, 1 for the
// match page, drawn for `scale` pixels a point (1, 2 or 3; others are taken as the nearest).
void LoadTabImages(TImageList& list, int scale = 1);
// Makes `glyph` the 16 x 16 header glyph of the flag column, drawn for `scale` pixels a point
// like the tab images; its bottom-left pixel holds the colour that is drawn transparently.
void LoadFlagHeaderGlyph(TBitmap& glyph, int scale = 1);

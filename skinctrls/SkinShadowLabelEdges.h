#pragma once
// The soft rim of a shadow label's shadow.

#include "gfx/Bitmap.h"

// Every pixel of `back` whose mask pixel is not white and that has a white mask pixel at one
// of its four diagonal neighbours takes the per-channel mean (sum / 4) of the four diagonal
// pixels of `back`. Rows run top to bottom and pixels left to right, in place: a rim pixel
// already softened feeds the ones after it. Diagonals beyond the picture's edges are read
// from the nearest edge pixel, and a mask beyond them counts as not white. Nothing happens
// when the mask is smaller than `back`.
void SoftenShadowEdges(TBitmap& back, const TBitmap& mask);

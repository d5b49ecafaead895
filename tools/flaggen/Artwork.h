#pragma once
// The pictures we draw ourselves: the football of "no country", the flag that the
// flag package lacks, the two tab images and the flag column's header glyph.

#include "tools/flaggen/Image16.h"

namespace flaggen {

Image16 DrawFootball();
// 16 x 11 flag picture placed like the package's flags (rows 2 to 12).
Image16 DrawKosovoFlag();
// The same two drawn at 1, 2 or 3 pixels a point.
ScaledImage DrawFootball(int scale);
ScaledImage DrawKosovoFlag(int scale);
// The tab images at 1, 2 or 3 pixels a point.
ScaledImage DrawLoginTabImage(int scale);
ScaledImage DrawFootballTabImage(int scale);
ScaledImage DrawFlagHeaderGlyph(int scale);

} // namespace flaggen

#pragma once
// Every flag of the flag column, by image index (the order of LeagueFlagIndex): the file of
// the installed package that gives its 1x picture, and our own drawing of it for finer
// screens.

#include "tools/flaggen/Image16.h"

namespace flaggen {

constexpr int kFlagCount = 103;

// The package's file name (without ".png") for the index, or nullptr where we draw even the
// 1x picture ourselves (0, the football of "no country", and 98, Kosovo).
const char* FlagFile(int index);

// The flag drawn by us at `scale` pixels a point, in the same box of the 16 x 16 picture
// that the package's picture fills at 1x (16 x 11 points, rows 2 to 12, for most).
ScaledImage DrawFlag(int index, int scale);

} // namespace flaggen

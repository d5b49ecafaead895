#pragma once
// What a column's footer shows: its caption, or the value of its formula over the visible
// rows, framed by the footer's text before and after.
#include "rtl/Strings.h"

class TNxCustomGrid;
class TNxCustomColumn;

// The formula's value over the visible rows of `column`. False when the footer has no
// formula to compute (none or custom) or when an average, maximum or minimum has no number
// to work on. Cells whose text is not a number are left out of sums, averages and extremes.
bool FooterFormulaValue(TNxCustomGrid& grid, TNxCustomColumn* column, double& value);

// The footer's whole text: text before, the formula value (formatted with the footer's mask
// when its mask kind is float) or else the caption, text after.
WideString FooterText(TNxCustomGrid& grid, TNxCustomColumn* column);

#pragma once
// The range filter: copies the rows of the full match grid whose odds, percentages and count
// lie within the ten ranges into the filtered grid.

#include "table/FilterRanges.h"

#include <string_view>

class TNxCustomGrid;

// The value an odds range reads from a cell text: a decimal with either "." or "," as its
// mark, whatever the locale; 1.0 when the text is not a number.
double FilterOddsValue(std::u16string_view text);
// The value an integer range reads: a decimal integer, 1 when the text is not one.
int FilterIntegerValue(std::u16string_view text);
// The same for a number cell holding `value`, without writing the value out as text first:
// what FilterIntegerValue gives for the value's shortest text.
int FilterIntegerValue(double value);

// Empties `filtered` and fills it, in `full`'s order, with a copy of every row of `full`
// that lies within all ten ranges of `bounds` (f1 to f20, both ends included; the integer
// ranges compare with their bounds rounded to the nearest integer, halves to even). A copy
// carries the texts, the flag image and its hint, and the cell colours. `full` is not
// changed. Both grids are built by CreateMatchColumns.
void ApplyRangeFilter(TNxCustomGrid& full, TNxCustomGrid& filtered, const TFilterValues& bounds);

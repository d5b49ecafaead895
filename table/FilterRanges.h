#pragma once
// The filter's twenty bounds f1 to f20: a lower and an upper bound for each of the ten
// ranges (three odds, six percentages and the count), their limits, steps and starting
// values, and which grid column each range tests.

#include <array>

constexpr int kFilterValueCount = 20;
constexpr int kFilterRangeCount = 10;

// One spin edit of the filter panel.
struct TFilterEditSetting {
    bool Decimal; // odds edits hold decimals; the others integers
    double MinValue;
    double MaxValue;
    double Increment;
    double StartValue; // also the CLEAR value and the preset file's default
};

// Index 0 is f1, 19 is f20.
extern const std::array<TFilterEditSetting, kFilterValueCount> kFilterEdits;

// One range: values f(2k+1) and f(2k+2) bound the grid column.
struct TFilterRange {
    int Column;
    bool Decimal;
};
extern const std::array<TFilterRange, kFilterRangeCount> kFilterRanges;

// The twenty bound values, f1 first.
using TFilterValues = std::array<double, kFilterValueCount>;

// The starting values of f1 to f20.
TFilterValues FilterStartValues();

// The value an edit keeps when given `value`: brought within its minimum and maximum.
double ClampFilterValue(int index, double value);

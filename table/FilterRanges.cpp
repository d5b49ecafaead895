#include "table/FilterRanges.h"

#include <algorithm>

namespace {

constexpr TFilterEditSetting kOddsLower{true, 0.01, 1000, 0.01, 1.01};
constexpr TFilterEditSetting kOddsUpper{true, 0.01, 1000, 0.01, 1000};
constexpr TFilterEditSetting kPercentLower{false, 0, 100, 1, 0};
constexpr TFilterEditSetting kPercentUpper{false, 1, 100, 1, 100};
constexpr TFilterEditSetting kCountLower{false, 0, 100, 1, 0};
constexpr TFilterEditSetting kCountUpper{false, 1, 1000, 1, 1000};

} // namespace

const std::array<TFilterEditSetting, kFilterValueCount> kFilterEdits = {
    kOddsLower,    kOddsUpper,    kOddsLower,    kOddsUpper,    kOddsLower,
    kOddsUpper,    kPercentLower, kPercentUpper, kPercentLower, kPercentUpper,
    kPercentLower, kPercentUpper, kPercentLower, kPercentUpper, kPercentLower,
    kPercentUpper, kPercentLower, kPercentUpper, kCountLower,   kCountUpper,
};

const std::array<TFilterRange, kFilterRangeCount> kFilterRanges = {{
    {5, true},   // odds on a home win
    {6, true},   // odds on a draw
    {7, true},   // odds on an away win
    {8, false},  // percentage for a home win
    {9, false},  // percentage for a draw
    {10, false}, // percentage for an away win
    {11, false}, // over 0.5 goals
    {12, false}, // over 1.5 goals
    {13, false}, // over 2.5 goals
    {15, false}, // the count
}};

TFilterValues FilterStartValues() {
    TFilterValues values{};
    for (int i = 0; i < kFilterValueCount; ++i) values[i] = kFilterEdits[i].StartValue;
    return values;
}

double ClampFilterValue(int index, double value) {
    const TFilterEditSetting& edit = kFilterEdits.at(index);
    return std::clamp(value, edit.MinValue, edit.MaxValue);
}

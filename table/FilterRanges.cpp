#include "table/FilterRanges.h"

#include "table/MatchColumns.h"

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
    {mcOdds1, true},
    {mcOddsX, true},
    {mcOdds2, true},
    {mcPercent1, false},
    {mcPercentX, false},
    {mcPercent2, false},
    {mcOver05, false},
    {mcOver15, false},
    {mcOver25, false},
    {mcCount, false},
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

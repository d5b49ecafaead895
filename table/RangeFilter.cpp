#include "table/RangeFilter.h"

#include "grid/NxColumnClasses.h"
#include "grid/NxCustomGrid.h"
#include "rtl/NumberText.h"
#include "table/DecimalText.h"
#include "table/MatchColumns.h"

#include <cmath>
#include <limits>
#include <vector>

double FilterOddsValue(std::u16string_view text) {
    double value = 0;
    return TryReadDecimal(text, value) ? value : 1.0;
}

int FilterIntegerValue(std::u16string_view text) {
    return StrToIntDef(text, 1);
}

int FilterIntegerValue(double value) {
    // The shortest text of a whole number below 1E15 is its digits; anything else (a
    // fraction, the exponent form, NAN, INF) or a number beyond the integer range does not
    // read as an integer.
    constexpr double kIntMin = std::numeric_limits<int>::min();
    constexpr double kIntMax = std::numeric_limits<int>::max();
    if (!(value >= kIntMin && value <= kIntMax) || value != std::trunc(value)) return 1;
    return int(value);
}

namespace {

struct TIntegerRange {
    int Column;
    int64_t Lower, Upper;
};

struct TDecimalRange {
    int Column;
    double Lower, Upper;
};

} // namespace

void ApplyRangeFilter(TNxCustomGrid& full, TNxCustomGrid& filtered, const TFilterValues& bounds) {
    std::array<TDecimalRange, 3> decimals{};
    std::array<TIntegerRange, kFilterRangeCount - 3> integers{};
    int decimalCount = 0, integerCount = 0;
    for (int k = 0; k < kFilterRangeCount; ++k) {
        const TFilterRange& range = kFilterRanges[k];
        const double lower = bounds[2 * k], upper = bounds[2 * k + 1];
        if (range.Decimal)
            decimals[decimalCount++] = {range.Column, lower, upper};
        else
            integers[integerCount++] = {range.Column, Round(lower), Round(upper)};
    }

    // Number cells give their values directly, without writing them out as text.
    std::array<bool, kMatchColumnCount> numeric{};
    for (int column = 0; column < kMatchColumnCount; ++column)
        numeric[column] = dynamic_cast<TNxNumberColumn*>(full.Columns()->Item(column)) != nullptr;

    std::vector<int> passing;
    const int rowCount = full.RowCount();
    WideString scratch; // holds a text only for cells that do not keep one
    for (int row = 0; row < rowCount; ++row) {
        bool passes = true;
        for (const TDecimalRange& range : decimals) {
            const double value =
                FilterOddsValue(full.CellObject(range.Column, row)->TextView(scratch));
            if (!(range.Lower <= value && value <= range.Upper)) {
                passes = false;
                break;
            }
        }
        for (int k = 0; passes && k < integerCount; ++k) {
            const int column = integers[k].Column;
            const int value =
                numeric[column]
                    ? FilterIntegerValue(full.CellObject(column, row)->FloatValue())
                    : FilterIntegerValue(full.CellObject(column, row)->TextView(scratch));
            if (value < integers[k].Lower || value > integers[k].Upper) passes = false;
        }
        if (passes) passing.push_back(row);
    }

    // The filtered grid is rebuilt whole: repaint it once at the end, not row by row.
    filtered.SuspendRefresh();
    struct TResume {
        TNxCustomGrid& grid;
        ~TResume() { grid.ResumeRefresh(); }
    } resume{filtered};
    filtered.ReplaceRowsFrom(full, passing);
}

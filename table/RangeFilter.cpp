#include "table/RangeFilter.h"

#include "grid/NxColumnClasses.h"
#include "grid/NxCustomGrid.h"
#include "rtl/NumberText.h"
#include "table/DecimalText.h"
#include "table/MatchColumns.h"

#include <cmath>
#include <limits>

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

// Copies a cell's text through one reused buffer, so that long texts do not each build and
// free a string of their own on the way.
struct TTextCopier {
    WideString buffer, scratch;
    void Copy(const TCell* source, TCell* target) {
        buffer.assign(source->TextView(scratch));
        target->SetTextValue(buffer);
    }
};

void CopyRow(TNxCustomGrid& full, int row, TNxCustomGrid& filtered,
             const std::array<bool, kMatchColumnCount>& numeric, TTextCopier& texts) {
    filtered.AddRows(1);
    const int copy = filtered.RowCount() - 1;
    // Both rows exist: their cells are addressed once each, without the grid's bounds checks
    // that CellText repeats for every access.
    texts.Copy(full.CellObject(mcId, row), filtered.CellObject(mcId, copy));

    const TCell* flag = full.CellObject(mcFlag, row);
    TCell* flagCopy = filtered.CellObject(mcFlag, copy);
    flagCopy->SetIntValue(flag->IntValue());
    flagCopy->SetHint(flag->Hint());

    for (int column = mcTime; column < kMatchColumnCount; ++column) {
        const TCell* source = full.CellObject(column, row);
        TCell* target = filtered.CellObject(column, copy);
        if (numeric[column]) {
            // A number cell's text is its value written out; copying the value gives the
            // same text without writing and reading it back.
            target->SetFloatValue(source->FloatValue());
        } else {
            texts.Copy(source, target);
        }
        // New cells already hold their column's colour, the same in both grids; only
        // highlights need setting, which spares the grid a change notice per cell.
        if (source->Color() != target->Color()) target->SetColor(source->Color());
    }
}

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

    // Number columns in both grids can pass their values on directly.
    std::array<bool, kMatchColumnCount> numeric{};
    for (int column = 0; column < kMatchColumnCount; ++column)
        numeric[column] =
            dynamic_cast<TNxNumberColumn*>(full.Columns()->Item(column)) != nullptr &&
            dynamic_cast<TNxNumberColumn*>(filtered.Columns()->Item(column)) != nullptr;

    // The filtered grid is rebuilt whole: repaint it once at the end, not cell by cell.
    filtered.SuspendRefresh();
    struct TResume {
        TNxCustomGrid& grid;
        ~TResume() { grid.ResumeRefresh(); }
    } resume{filtered};

    filtered.ClearRows();
    const int rowCount = full.RowCount();
    WideString scratch; // holds a text only for cells that do not keep one
    TTextCopier texts;
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
        if (passes) CopyRow(full, row, filtered, numeric, texts);
    }
}

#include "grid/NxFooterFormula.h"
#include "grid/NxCellClasses.h"

#include "grid/NxCustomGrid.h"
#include "rtl/NumberText.h"

#include <algorithm>
#include <unordered_set>

namespace {

// A number cell gives its value; a text cell only when its text reads as a number.
bool CellNumber(TCell* cell, double& value) {
    if (dynamic_cast<TStringCell*>(cell)) {
        WideString scratch;
        return TryStrToFloat(cell->TextView(scratch), value);
    }
    value = cell->FloatValue();
    return true;
}

} // namespace

bool FooterFormulaValue(TNxCustomGrid& grid, TNxCustomColumn* column, double& value) {
    const TFormulaKind kind = column->Footer()->FormulaKind();
    if (kind == fkNone || kind == fkCustom) return false;
    const int index = column->Index();
    int count = 0, numbers = 0;
    double sum = 0, low = 0, high = 0;
    std::unordered_set<WideString> distinct;
    for (int row = 0; row < grid.RowCount(); ++row) {
        if (!grid.RowIsVisible(row)) continue;
        ++count;
        TCell* cell = grid.CellObject(index, row);
        if (kind == fkDistinct) {
            WideString scratch;
            distinct.emplace(cell->TextView(scratch));
            continue;
        }
        if (kind == fkCount) continue;
        double v = 0;
        if (!CellNumber(cell, v)) continue;
        low = numbers == 0 ? v : std::min(low, v);
        high = numbers == 0 ? v : std::max(high, v);
        sum += v;
        ++numbers;
    }
    switch (kind) {
    case fkCount:
        value = count;
        return true;
    case fkDistinct:
        value = double(distinct.size());
        return true;
    case fkSum:
        value = sum;
        return true;
    case fkAverage:
        if (numbers == 0) return false;
        value = sum / numbers;
        return true;
    case fkMaximum:
        if (numbers == 0) return false;
        value = high;
        return true;
    case fkMinimum:
        if (numbers == 0) return false;
        value = low;
        return true;
    default:
        return false;
    }
}

WideString FooterText(TNxCustomGrid& grid, TNxCustomColumn* column) {
    TColumnFooter* footer = column->Footer();
    WideString middle = footer->Caption();
    double value = 0;
    if (FooterFormulaValue(grid, column, value)) {
        if (footer->FormatMaskKind() == mkFloat && !footer->FormatMask().empty())
            middle = AnsiToWide(FormatFloat(footer->FormatMask(), value));
        else
            middle = FloatToWideStr(value);
    } else if (footer->FormulaKind() != fkNone && footer->FormulaKind() != fkCustom) {
        middle.clear(); // nothing to compute over
    }
    return footer->TextBefore() + middle + footer->TextAfter();
}

#include "table/MatchRows.h"

#include "grid/NxCustomGrid.h"
#include "service/MatchList.h"
#include "table/Highlights.h"
#include "table/LeagueFlags.h"
#include "table/MatchColumns.h"

#include <array>

namespace {

// Field indexes of MatchEntry (the order of its tag names).
enum TMatchField { mfId, mfDate, mfTime, mfHome, mfAway, mfLiga };

// The field a column from mcTime on is filled from: time, home and away, then (after liga)
// kf1 to count.
int FieldOfColumn(int column) {
    return column <= mcAway ? column : column + 1;
}

// The row AddMatchRow made last. An answer may keep one value (however long) over thousands of
// entries; the parser says which fields hold the previous entry's very text, and a row that
// follows the row made from that entry then takes those cells from it, sharing the text,
// instead of converting and storing the same text again.
struct TLastRow {
    const TNxCustomGrid* Grid = nullptr;
    const MatchEntry* Entry = nullptr;
    int Row = -1;
    std::array<int, kHighlightRuleCount> Values{};
};
TLastRow g_lastRow;

} // namespace

void AddMatchRow(TNxCustomGrid& grid, const MatchEntry& entry) {
    grid.AddRows(1);
    const int row = grid.RowCount() - 1;
    const bool follows =
        g_lastRow.Grid == &grid && g_lastRow.Entry == &entry && g_lastRow.Row == row - 1;
    const std::array<int, kHighlightRuleCount> previousValues = g_lastRow.Values;
    g_lastRow = {}; // until this row is complete
    auto kept = [&](int field) { return follows && entry.SameAsPrevious(field); };
    auto takeFromAbove = [&](int column) {
        grid.CellObject(column, row)->AssignValue(*grid.CellObject(column, row - 1));
    };
    auto put = [&](int column, int field) {
        if (kept(field))
            takeFromAbove(column);
        else
            grid.SetCellText(column, row, AnsiToWide(entry.Field(field)));
    };

    put(mcId, mfId);
    if (kept(mfLiga)) {
        takeFromAbove(mcFlag);
        grid.CellObject(mcFlag, row)->AssignHint(*grid.CellObject(mcFlag, row - 1));
    } else {
        grid.CellObject(mcFlag, row)->SetIntValue(LeagueFlagIndex(entry.liga));
        grid.CellObject(mcFlag, row)->SetHint(AnsiToWide(entry.liga));
    }

    // Columns 2 to 15 in order; `date` has no column.
    for (int column = mcTime; column <= mcCount; ++column) put(column, FieldOfColumn(column));

    // The fields the highlight rules test, in rule order.
    std::array<int, kHighlightRuleCount> values{};
    for (int i = 0; i < kHighlightRuleCount; ++i) {
        const THighlightRule& rule = kHighlightRules[i];
        const int field = FieldOfColumn(rule.Column);
        values[i] = kept(field) ? previousValues[i] : HighlightValue(entry.Field(field));
        if (values[i] > rule.Threshold) grid.CellObject(rule.Column, row)->SetColor(rule.Highlight);
    }
    // Certainty overrides the highlight of the same cell.
    for (int i = 0; i < kHighlightRuleCount; ++i) {
        const THighlightRule& rule = kHighlightRules[i];
        if (values[i] == 100) grid.CellObject(rule.Column, row)->SetColor(rule.Certainty);
    }
    g_lastRow = {&grid, &entry, row, values};
}

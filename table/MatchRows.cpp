#include "table/MatchRows.h"

#include "grid/NxCustomGrid.h"
#include "service/MatchList.h"
#include "table/Highlights.h"
#include "table/LeagueFlags.h"
#include "table/MatchColumns.h"

#include <array>

void AddMatchRow(TNxCustomGrid& grid, const MatchEntry& entry) {
    grid.AddRows(1);
    const int row = grid.RowCount() - 1;

    grid.SetCellText(mcId, row, AnsiToWide(entry.id));
    grid.CellObject(mcFlag, row)->SetIntValue(LeagueFlagIndex(entry.liga));
    grid.CellObject(mcFlag, row)->SetHint(AnsiToWide(entry.liga));

    // Columns 2 to 15 in order; `date` has no column.
    const std::array<const AnsiString*, 14> texts = {
        &entry.time, &entry.home, &entry.away, &entry.kf1, &entry.kf2, &entry.kf3, &entry.p1,
        &entry.x,    &entry.p2,   &entry.t05,  &entry.t15, &entry.t25, &entry.oz,  &entry.count,
    };
    for (int i = 0; i < int(texts.size()); ++i)
        grid.SetCellText(mcTime + i, row, AnsiToWide(*texts[i]));

    // The fields the highlight rules test, in rule order.
    const std::array<const AnsiString*, kHighlightRuleCount> tested = {
        &entry.p1, &entry.x, &entry.p2, &entry.t05, &entry.t15, &entry.t25, &entry.oz,
    };
    std::array<int, kHighlightRuleCount> values{};
    for (int i = 0; i < kHighlightRuleCount; ++i) {
        values[i] = HighlightValue(*tested[i]);
        const THighlightRule& rule = kHighlightRules[i];
        if (values[i] > rule.Threshold) grid.CellObject(rule.Column, row)->SetColor(rule.Highlight);
    }
    // Certainty overrides the highlight of the same cell.
    for (int i = 0; i < kHighlightRuleCount; ++i) {
        const THighlightRule& rule = kHighlightRules[i];
        if (values[i] == 100) grid.CellObject(rule.Column, row)->SetColor(rule.Certainty);
    }
}

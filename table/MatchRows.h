#pragma once
// One match of the service's answer as one row of the match grid.

struct MatchEntry;
class TNxCustomGrid;

// Appends a row to `grid` (built by CreateMatchColumns): the entry's texts, the flag of its
// league with the league text as the flag cell's hint, and the highlight colours of its
// percentages. A percentage that is not a number stops at its number column with the
// conversion error ("'%s' is not a valid floating point value"); the row then stays as far
// as it was filled, without highlights, and the caller decides whether to go on.
void AddMatchRow(TNxCustomGrid& grid, const MatchEntry& entry);

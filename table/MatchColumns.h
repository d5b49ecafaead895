#pragma once
// The sixteen columns of the match grids. The full grid and its filtered copy are built by
// the same code, so their columns can never drift apart; only the column names differ.

#include <array>

class TBitmap;
class TComponent;
class TImageList;
class TNxCustomGrid;

// Which of the window's two grids the columns are for; it decides only their names.
enum TMatchGrid { mgFull, mgFiltered };

// Column indexes as the rows and the filter address them.
enum TMatchColumn {
    mcId,
    mcFlag,
    mcTime,
    mcHome,
    mcAway,
    mcOdds1,
    mcOddsX,
    mcOdds2,
    mcPercent1,
    mcPercentX,
    mcPercent2,
    mcOver05,
    mcOver15,
    mcOver25,
    mcBtts,
    mcCount
};
constexpr int kMatchColumnCount = 16;

constexpr unsigned kMatchHeaderColor = 0xDCA166;
constexpr unsigned kCountColumnColor = 0xCCE3E0;

// The component name of each column in the given grid.
const std::array<const char*, kMatchColumnCount>& MatchColumnNames(TMatchGrid which);

// Adds the sixteen columns, owned by `owner`, to a grid that has none yet. The flag column
// draws its cells from `flagImages` and shows `flagGlyph` alone in its header; either may be
// null (no images, caption only).
void CreateMatchColumns(TNxCustomGrid& grid, TComponent* owner, TMatchGrid which,
                        TImageList* flagImages, const TBitmap* flagGlyph);

// The grid settings both match grids share: grid lines, header style and options.
void ApplyMatchGridSettings(TNxCustomGrid& grid);

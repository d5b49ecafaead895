#include "table/MatchColumns.h"

#include "gfx/Bitmap.h"
#include "grid/NxColumnClasses.h"
#include "grid/NxCustomGrid.h"
#include "table/LeagueFlags.h"

namespace {

enum TKind { kText, kNumber, kImage };

// Options that differ from the column class's own.
enum TOptionsRule { orClassDefault, orNumberWithFitHint, orTextWithoutFitHint };

struct TColumnDef {
    TKind Kind;
    const char16_t* Caption;
    int Width;    // 0: the class's default
    bool Centred; // else the class's alignment
    TColor Color; // clDefault: the class's colour
    TColor FontColor;
    bool Bold;
    TOptionsRule Options;
    TSortType SortType;
    const char16_t* DefaultValue; // nullptr: the class's default value
    bool Visible;
};

// clang-format off
const std::array<TColumnDef, kMatchColumnCount> kColumns = {{
    {kText,   u"ID",    0,   false, clDefault,         clBtnText, false, orClassDefault,       stAlphabetic, nullptr, false},
    {kImage,  u"Fl",    30,  true,  clDefault,         clBtnText, false, orClassDefault,       stNumeric,    u"0",    true},
    {kText,   u"Time",  36,  true,  clDefault,         clBtnText, false, orClassDefault,       stAlphabetic, nullptr, true},
    {kText,   u"Home",  146, false, clDefault,         clBtnText, false, orClassDefault,       stAlphabetic, nullptr, true},
    {kText,   u"Away",  139, false, clDefault,         clBtnText, false, orClassDefault,       stAlphabetic, nullptr, true},
    {kText,   u"1",     35,  true,  clNavy,            clYellow,  true,  orClassDefault,       stAlphabetic, nullptr, true},
    {kText,   u"X",     40,  true,  clNavy,            clYellow,  true,  orClassDefault,       stAlphabetic, nullptr, true},
    {kText,   u"2",     38,  true,  clNavy,            clYellow,  true,  orClassDefault,       stAlphabetic, nullptr, true},
    {kNumber, u"1",     35,  true,  clSilver,          clBtnText, false, orNumberWithFitHint,  stNumeric,    u"0",    true},
    {kNumber, u"X",     35,  true,  clDefault,         clBtnText, false, orNumberWithFitHint,  stNumeric,    u"0",    true},
    {kNumber, u"2",     35,  true,  clSilver,          clBtnText, false, orNumberWithFitHint,  stNumeric,    u"0",    true},
    {kNumber, u"0.5",   35,  true,  clDefault,         clBtnText, false, orNumberWithFitHint,  stNumeric,    u"0",    true},
    {kNumber, u"1.5",   35,  true,  clSilver,          clBtnText, false, orNumberWithFitHint,  stNumeric,    u"0",    true},
    {kNumber, u"2.5",   35,  true,  clDefault,         clBtnText, false, orNumberWithFitHint,  stNumeric,    u"0",    true},
    {kText,   u"BTTS",  40,  true,  clSilver,          clBtnText, false, orTextWithoutFitHint, stAlphabetic, u"0",    true},
    {kNumber, u"Count", 64,  true,  kCountColumnColor, clBtnText, true,  orClassDefault,       stNumeric,    u"0",    true},
}};

const std::array<const char*, kMatchColumnCount> kFullNames = {
    "NxTextColumn1",  "NxImageColumn1", "NxTextColumn2",  "NxTextColumn3",
    "NxTextColumn4",  "NxTextColumn5",  "NxTextColumn7",  "NxTextColumn9",
    "NxTextColumn6",  "NxTextColumn8",  "NxTextColumn10", "NxTextColumn12",
    "NxTextColumn14", "NxTextColumn16", "NxNumberColumn1", "NxNumberColumn2",
};
const std::array<const char*, kMatchColumnCount> kFilteredNames = {
    "NxTextColumn11",  "NxImageColumn2",  "NxTextColumn13",  "NxTextColumn15",
    "NxTextColumn17",  "NxTextColumn18",  "NxTextColumn19",  "NxTextColumn20",
    "NxNumberColumn3", "NxNumberColumn4", "NxNumberColumn5", "NxNumberColumn6",
    "NxNumberColumn7", "NxNumberColumn8", "NxTextColumn21",  "NxNumberColumn9",
};
// clang-format on

const TColumnOptions kPlainOptions{coCanClick, coCanInput, coCanSort, coPublicUsing};

TNxCustomColumn* MakeColumn(TKind kind, TComponent* owner, TImageList* flagImages) {
    switch (kind) {
    case kNumber: {
        auto* number = new TNxNumberColumn(owner);
        number->SetPrecision(0);
        number->SetIncrement(1);
        return number;
    }
    case kImage: {
        auto* image = new TNxImageColumn(owner);
        image->SetImages(flagImages);
        return image;
    }
    case kText:
        break;
    }
    return new TNxTextColumn(owner);
}

} // namespace

const std::array<const char*, kMatchColumnCount>& MatchColumnNames(TMatchGrid which) {
    return which == mgFull ? kFullNames : kFilteredNames;
}

void CreateMatchColumns(TNxCustomGrid& grid, TComponent* owner, TMatchGrid which,
                        TImageList* flagImages, const TBitmap* flagGlyph) {
    const auto& names = MatchColumnNames(which);
    for (int i = 0; i < kMatchColumnCount; ++i) {
        const TColumnDef& def = kColumns[i];
        TNxCustomColumn* column = MakeColumn(def.Kind, owner, flagImages);
        column->SetName(names[i]);

        TFont font;
        font.SetName("Arial");
        font.SetHeight(14);
        font.SetColor(def.FontColor);
        font.SetStyle(def.Bold ? TFontStyles{fsBold} : TFontStyles{});
        column->SetFont(font);
        column->SetParentFont(false);

        if (def.Width > 0) column->SetWidth(def.Width);
        if (def.Centred) column->SetAlignment(taCenter);
        if (def.Color != clDefault) column->SetColor(def.Color);
        if (def.Options == orNumberWithFitHint)
            column->SetOptions(kPlainOptions + coShowTextFitHint);
        else if (def.Options == orTextWithoutFitHint)
            column->SetOptions(kPlainOptions);
        column->SetSortType(def.SortType);
        if (def.DefaultValue) column->SetDefaultValue(def.DefaultValue);
        column->SetVisible(def.Visible);

        TColumnHeader* header = column->Header();
        header->SetCaption(def.Caption);
        header->SetColor(kMatchHeaderColor);
        header->SetAlignment(taCenter);
        if (def.Kind == kImage && flagGlyph) {
            header->SetGlyph(*flagGlyph);
            header->SetDisplayMode(dmImageOnly);
        }
        grid.Columns()->Add(column);
    }
}

void ApplyMatchGridSettings(TNxCustomGrid& grid) {
    grid.SetGridLinesColor(cl3DDkShadow);
    grid.SetGridLinesStyle(lsActiveRows);
    grid.SetHeaderStyle(hsFlatBorders);
    grid.SetOptions(TGridOptions{goGrid, goHeader});
    // A flag is read out as its country; a league without one as the league's text.
    grid.OnCellAccessibleText = [](TObject*, int column, int, WideString& text) {
        if (column != mcFlag) return;
        const AnsiString liga = WideToAnsi(text);
        const std::string_view country = LeagueCountry(liga);
        if (!country.empty()) text = AnsiToWide(country);
    };
}

// Scenes of the match grid: "grid" (forty rows, highlights, sorted by Home, a current cell
// and a hint over a long team name) and "grid-empty" (the same grid without rows).
#include "tools/shots/Scene.h"

#include "gfx/Bitmap.h"
#include "gfx/ImageList.h"
#include "grid/NxGrid.h"
#include "platform/HeadlessDisplay.h"
#include "service/MatchList.h"
#include "table/ImageLists.h"
#include "table/MatchColumns.h"
#include "table/MatchRows.h"
#include "ui/Forms.h"
#include "ui/Snapshot.h"

#include <cstdio>

namespace {

struct TSample {
    const char* time;
    const char* home;
    const char* away;
    const char* liga;
    const char* kf[3];
    int p[7]; // p1, x, p2, t05, t15, t25, oz
    int count;
};

// clang-format off
const TSample kSamples[] = {
    {"18:30", "Arsenal", "Chelsea", "England.Premier League", {"1,85", "3,40", "4,20"}, {48, 27, 25, 92, 74, 52, 55}, 12},
    {"21:00", "Real Madrid", "Sevilla", "Spain.La Liga", {"1,45", "4,50", "6,80"}, {66, 20, 14, 95, 83, 64, 48}, 18},
    {"20:45", "Juventus", "Atalanta", "Italy.Serie A", {"2,10", "3,30", "3,50"}, {41, 31, 28, 89, 71, 49, 57}, 9},
    {"15:30", "Bayern Munich", "Borussia Moenchengladbach", "Germany.Bundesliga", {"1,30", "5,75", "9,00"}, {74, 16, 10, 97, 88, 73, 61}, 21},
    {"19:00", "Ajax", "PSV Eindhoven", "Holland.Eredivisie", {"2,25", "3,60", "2,90"}, {39, 26, 35, 93, 81, 62, 67}, 14},
    {"17:00", "Celtic", "Rangers", "Scotland.Premiership", {"1,95", "3,50", "3,80"}, {45, 28, 27, 90, 76, 55, 66}, 25},
    {"21:45", "Benfica", "Porto", "Portugal.Primeira Liga", {"2,40", "3,20", "2,95"}, {37, 34, 29, 86, 64, 41, 52}, 11},
    {"16:00", "Galatasaray", "Fenerbahce", "Turkey.Super Lig", {"2,05", "3,70", "3,30"}, {43, 24, 33, 94, 80, 60, 64}, 17},
    {"18:00", "Olympique Lyonnais", "Marseille", "France.Ligue 1", {"2,30", "3,40", "3,00"}, {40, 29, 31, 91, 75, 53, 59}, 8},
    {"14:00", "Zenit", "Spartak Moscow", "Russia.Premier League", {"1,70", "3,80", "4,90"}, {55, 26, 19, 88, 70, 47, 50}, 13},
    {"20:00", "Shakhtar Donetsk", "Dynamo Kyiv", "Ukraine.Premier League", {"1,90", "3,45", "4,00"}, {100, 0, 0, 100, 90, 72, 100}, 30},
    {"19:30", "Club Brugge", "Anderlecht", "Belgium.First Division", {"1,80", "3,75", "4,10"}, {51, 25, 24, 92, 78, 58, 63}, 15},
    {"13:30", "Red Bull Salzburg", "Rapid Wien", "Austria.Bundesliga", {"1,40", "4,80", "6,50"}, {69, 19, 12, 96, 85, 71, 62}, 19},
    {"18:15", "Young Boys", "Basel", "Switzerland.Super League", {"2,00", "3,60", "3,40"}, {44, 27, 29, 93, 79, 57, 60}, 10},
    {"17:30", "Copenhagen", "Midtjylland", "Denmark.Superliga", {"2,15", "3,40", "3,25"}, {42, 30, 28, 87, 68, 45, 54}, 7},
    {"16:30", "Malmo", "AIK", "Sweden.Allsvenskan", {"1,75", "3,90", "4,40"}, {53, 25, 22, 90, 72, 51, 56}, 12},
    {"15:00", "Rosenborg", "Molde", "Norway.Eliteserien", {"2,35", "3,55", "2,85"}, {38, 26, 36, 95, 84, 66, 68}, 16},
    {"19:45", "Legia Warsaw", "Lech Poznan", "Poland.Ekstraklasa", {"1,88", "3,35", "4,15"}, {47, 31, 22, 85, 63, 40, 49}, 9},
    {"20:30", "Sparta Prague", "Slavia Prague", "Czech Rep.First League", {"2,60", "3,30", "2,60"}, {34, 32, 34, 89, 71, 50, 58}, 20},
    {"18:45", "Dinamo Zagreb", "Hajduk Split", "Croatia.HNL", {"1,55", "4,10", "5,80"}, {61, 23, 16, 91, 77, 56, 53}, 11},
    {"21:15", "Olympiacos", "Panathinaikos", "Greece.Super League", {"1,65", "3,70", "5,40"}, {58, 27, 15, 84, 60, 36, 44}, 14},
    {"14:30", "Boca Juniors", "River Plate", "Argentina.Primera Division", {"2,50", "3,10", "2,90"}, {35, 36, 29, 83, 58, 33, 46}, 27},
    {"22:00", "Flamengo", "Palmeiras", "Brazil.Serie A", {"2,20", "3,25", "3,30"}, {41, 30, 29, 88, 69, 46, 51}, 22},
    {"23:00", "Club America", "Guadalajara", "Mexico.Liga MX", {"1,95", "3,45", "3,85"}, {46, 29, 25, 90, 74, 54, 58}, 13},
    {"12:00", "Urawa Reds", "Kashima Antlers", "Japan.J1 League", {"2,30", "3,20", "3,10"}, {39, 33, 28, 86, 66, 44, 50}, 6},
    {"11:30", "Ulsan Hyundai", "Jeonbuk Motors", "South Korea.K League 1", {"2,10", "3,30", "3,45"}, {43, 31, 26, 87, 67, 43, 52}, 8},
    {"16:45", "Al Hilal", "Al Nassr", "Saudi Arabia.Pro League", {"1,90", "3,80", "3,70"}, {48, 24, 28, 94, 82, 63, 65}, 18},
    {"19:15", "Maccabi Haifa", "Hapoel Beer Sheva", "Israel.Premier League", {"1,85", "3,50", "4,10"}, {50, 28, 22, 89, 72, 50, 55}, 10},
    {"17:45", "Ferencvaros", "Ujpest", "Hungary.NB I", {"1,35", "5,00", "8,00"}, {72, 18, 10, 93, 81, 61, 48}, 12},
    {"18:20", "Steaua Bucharest", "CFR Cluj", "Romania.Liga I", {"2,45", "3,15", "2,95"}, {36, 35, 29, 82, 57, 35, 45}, 9},
    {"15:45", "Ludogorets", "CSKA Sofia", "Bulgaria.First League", {"1,60", "3,90", "5,50"}, {59, 25, 16, 90, 73, 52, 54}, 11},
    {"20:15", "Red Star Belgrade", "Partizan", "Serbia.SuperLiga", {"1,75", "3,60", "4,60"}, {54, 27, 19, 88, 71, 49, 57}, 23},
    {"13:00", "Shamrock Rovers", "Bohemians", "Ireland.Premier Division", {"1,80", "3,55", "4,30"}, {52, 26, 22, 89, 70, 48, 52}, 7},
    {"14:45", "HJK Helsinki", "KuPS", "Finland.Veikkausliiga", {"1,70", "3,75", "4,80"}, {56, 25, 19, 91, 76, 54, 58}, 8},
    {"16:15", "Qarabag", "Neftchi Baku", "Azerbaijan.Premier League", {"1,50", "4,00", "6,20"}, {63, 22, 15, 86, 64, 42, 47}, 10},
    {"21:30", "Manchester City", "Liverpool", "England.Premier League", {"1,75", "4,00", "4,20"}, {54, 24, 22, 96, 86, 70, 71}, 29},
    {"20:05", "Internazionale", "AC Milan", "Italy.Serie A", {"2,05", "3,35", "3,60"}, {44, 29, 27, 90, 74, 53, 60}, 26},
    {"19:05", "Paris Saint-Germain", "Monaco", "France.Ligue 1", {"1,38", "5,20", "7,50"}, {70, 17, 13, 97, 89, 75, 63}, 24},
    {"18:35", "Atletico Madrid", "Villarreal", "Spain.La Liga", {"1,90", "3,30", "4,40"}, {49, 31, 20, 84, 61, 38, 46}, 15},
    {"17:15", "Borussia Dortmund", "RB Leipzig", "Germany.Bundesliga", {"2,00", "3,80", "3,40"}, {45, 23, 32, 98, 91, 77, 73}, 28},
};
// clang-format on

struct TSceneGrid {
    TForm* form = nullptr;
    TNxGrid* grid = nullptr;
    TImageList* flags = nullptr;
    TBitmap glyph;

    TSceneGrid() {
        form = Application->CreateForm<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetBounds(40, 40, 801, 546);
        flags = new TImageList(form);
        LoadFlagImages(*flags, CurrentDisplay().DeviceScale());
        LoadFlagHeaderGlyph(glyph);
        grid = new TNxGrid(form);
        grid->SetName("FG");
        grid->SetParent(form);
        grid->SetAlign(alClient);
        ApplyMatchGridSettings(*grid);
        CreateMatchColumns(*grid, form, mgFull, flags, &glyph);
        form->Show();
        Application->ProcessMessages();
    }

    void AddSamples() {
        int id = 40211;
        for (const TSample& s : kSamples) {
            MatchEntry e;
            e.id = std::to_string(id++);
            e.date = "2026-12-09";
            e.time = s.time;
            e.home = s.home;
            e.away = s.away;
            e.liga = s.liga;
            e.kf1 = s.kf[0];
            e.kf2 = s.kf[1];
            e.kf3 = s.kf[2];
            AnsiString* percents[7] = {&e.p1, &e.x, &e.p2, &e.t05, &e.t15, &e.t25, &e.oz};
            for (int i = 0; i < 7; ++i) *percents[i] = std::to_string(s.p[i]);
            e.count = std::to_string(s.count);
            AddMatchRow(*grid, e);
        }
    }

    // What the screen shows over the form, the hint window included.
    void Write(const std::string& path) {
        Application->ProcessMessages();
        WriteScreenPng(form->BoundsRect(), path);
    }
};

void RenderGridScene(const std::string& pngPath) {
    TSceneGrid s;
    s.AddSamples();
    TNxCustomColumn* home = s.grid->Columns()->Item(mcHome);
    home->SetSorted(true);
    s.grid->SetFocus();
    s.grid->SelectCell(mcHome, 6);
    Application->ProcessMessages();
    // Hover a team name too long for its column: the whole name shows in a hint.
    for (int r = 0; r < s.grid->RowCount(); ++r) {
        if (s.grid->CellText(mcAway, r) != u"Borussia Moenchengladbach") continue;
        const TRect cell = s.grid->CellBounds(mcAway, r);
        const TPoint p = s.grid->ClientToScreen({cell.Left + 20, cell.Top + 6});
        if (auto* display = dynamic_cast<HeadlessDisplay*>(&CurrentDisplay())) {
            display->MouseMove(p.X, p.Y);
            Application->ProcessMessages();
        }
        break;
    }
    s.Write(pngPath);
}

void RenderEmptyGridScene(const std::string& pngPath) {
    TSceneGrid s;
    s.Write(pngPath);
}

SceneRegistrar regGrid("grid", &RenderGridScene);
SceneRegistrar regGridEmpty("grid-empty", &RenderEmptyGridScene);

} // namespace

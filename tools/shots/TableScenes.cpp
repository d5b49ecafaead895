// Scenes "table" and "table-filtered": the match grid filled from a service answer of thirty
// matches, with flags, highlights and certainty colours, and the range filter's copy of it.

#include "gfx/Bitmap.h"
#include "gfx/ImageList.h"
#include "grid/NxGrid.h"
#include "platform/Display.h"
#include "rtl/FormatSettings.h"
#include "service/MatchList.h"
#include "table/ImageLists.h"
#include "table/MatchColumns.h"
#include "table/MatchRows.h"
#include "table/RangeFilter.h"
#include "tools/shots/Scene.h"
#include "ui/Forms.h"
#include "ui/Snapshot.h"

#include <string>

namespace {

struct SampleMatch {
    const char *time, *home, *away, *liga, *kf1, *kf2, *kf3;
    const char *p1, *x, *p2, *t05, *t15, *t25, *oz, *count;
};

// clang-format off
const SampleMatch kMatches[] = {
    {"13:30", "Everton", "Fulham", "England.Premier League", "2.10", "3.30", "3.60", "46", "28", "26", "92", "74", "51", "58", "14"},
    {"16:00", "Liverpool", "Brentford", "England.Premier League", "1.28", "6.00", "10.50", "78", "14", "8", "100", "88", "71", "49", "22"},
    {"18:30", "Newcastle", "Aston Villa", "England.Premier League", "1.95", "3.60", "3.80", "51", "25", "24", "94", "79", "60", "67", "18"},
    {"14:00", "Celtic", "Hibernian", "Scotland.Premiership", "1.22", "6.50", "12.00", "81", "12", "7", "96", "84", "66", "44", "9"},
    {"15:30", "Bayern", "Augsburg", "Germany.Bundesliga", "1.15", "8.00", "15.00", "100", "0", "0", "100", "100", "78", "52", "27"},
    {"15:30", "Freiburg", "Mainz", "Germany.Bundesliga", "2.05", "3.40", "3.55", "44", "30", "26", "89", "70", "48", "61", "11"},
    {"21:00", "Real Madrid", "Sevilla", "Spain.Primera", "1.40", "4.75", "7.50", "70", "18", "12", "93", "77", "59", "55", "31"},
    {"18:15", "Villarreal", "Getafe", "Spain.Primera", "1.75", "3.50", "5.00", "58", "26", "16", "85", "62", "39", "41", "7"},
    {"20:45", "Inter", "Torino", "Italy.Serie A", "1.45", "4.40", "7.00", "66", "21", "13", "91", "71", "46", "50", "16"},
    {"18:00", "Atalanta", "Lecce", "Italy.Serie A", "1.38", "5.00", "8.00", "69", "19", "12", "97", "83", "64", "68", "12"},
    {"21:00", "Lyon", "Nantes", "France.Ligue 1", "1.62", "4.00", "5.25", "61", "22", "17", "90", "72", "50", "57", "10"},
    {"20:00", "PSV", "Heerenveen", "Holland.Eredivisie", "1.25", "6.25", "10.00", "80", "12", "8", "100", "92", "81", "71", "19"},
    {"19:30", "Benfica", "Vizela", "Portugal.Primeira Liga", "1.18", "7.00", "13.00", "84", "10", "6", "95", "80", "62", "38", "15"},
    {"17:00", "Galatasaray", "Konyaspor", "Turkey.Super Lig", "1.33", "5.25", "8.50", "72", "17", "11", "93", "81", "63", "60", "13"},
    {"19:00", "Zenit", "Rostov", "Russia.Premier League", "1.50", "4.20", "6.00", "64", "22", "14", "88", "69", "47", "52", "20"},
    {"17:30", "Shakhtar", "Vorskla", "Ukraine.Premier League", "1.30", "5.20", "9.50", "74", "16", "10", "92", "75", "52", "48", "8"},
    {"21:00", "Man City", "Copenhagen", "UEFA.Champions League", "1.12", "9.50", "19.00", "90", "7", "3", "100", "96", "85", "56", "24"},
    {"18:45", "Ajax", "Brann", "UEFA.Europa League", "1.70", "3.90", "4.50", "55", "25", "20", "91", "76", "55", "66", "6"},
    {"02:00", "Boca Juniors", "Lanus", "Argentina.Primera", "1.80", "3.25", "4.80", "54", "30", "16", "82", "58", "33", "40", "12"},
    {"00:30", "Flamengo", "Bahia", "Brazil.Serie A", "1.55", "4.00", "6.00", "63", "23", "14", "90", "70", "45", "53", "17"},
    {"03:00", "LA Galaxy", "Portland", "United States.MLS", "1.90", "3.80", "3.70", "49", "24", "27", "95", "84", "65", "72", "9"},
    {"11:00", "Urawa", "Kashima", "Japan.J-League", "2.40", "3.20", "3.00", "37", "31", "32", "86", "63", "38", "51", "5"},
    {"09:30", "Melbourne City", "Sydney FC", "Australia.A-League", "2.00", "3.75", "3.40", "45", "24", "31", "97", "86", "68", "70", "10"},
    {"16:00", "Al Hilal", "Al Ahli", "Saudi Arabia.Pro League", "1.60", "4.10", "5.00", "60", "22", "18", "94", "80", "61", "64", "11"},
    {"19:00", "Dinamo Zagreb", "Osijek", "Croatia.HNL", "1.44", "4.50", "6.50", "67", "20", "13", "89", "68", "44", "47", "6"},
    {"18:00", "Ballkani", "Drita", "Kosovo.Superliga", "1.85", "3.40", "4.00", "52", "51", "20", "87", "64", "41", "45", "3"},
    {"20:00", "Dudelange", "Hesperange", "Luxemburg.National Division", "1.65", "3.90", "4.60", "59", "23", "18", "93", "78", "58", "65", "4"},
    {"19:45", "Barcelona SC", "Emelec", "Ecuador.Serie A", "1.75", "3.50", "4.70", "57", "27", "16", "85", "61", "36", "43", "8"},
    {"22:00", "Comunicaciones", "Municipal", "Guatemala.Liga Nacional", "2.20", "3.10", "3.30", "41", "33", "26", "80", "55", "30", "39", "2"},
    {"14:00", "Al Ahly", "Zamalek", "CAF.Champions League", "2.00", "3.00", "4.10", "48", "34", "18", "84", "57", "31", "100", "21"},
};
// clang-format on

std::string SampleAnswer() {
    std::string answer = "<PODPISKA>VIP 31.12.2026</PODPISKA>\r\n";
    int id = 560210;
    for (const SampleMatch& m : kMatches) {
        auto tag = [&](const char* name, const char* value) {
            answer += std::string("<") + name + ">" + value + "</" + name + ">";
        };
        answer += "<match>";
        tag("id", std::to_string(id++).c_str());
        tag("date", "09.12.2026");
        tag("time", m.time);
        tag("home", m.home);
        tag("away", m.away);
        tag("liga", m.liga);
        tag("kf1", m.kf1);
        tag("kf2", m.kf2);
        tag("kf3", m.kf3);
        tag("p1", m.p1);
        tag("x", m.x);
        tag("p2", m.p2);
        tag("t05", m.t05);
        tag("t15", m.t15);
        tag("t25", m.t25);
        tag("oz", m.oz);
        tag("count", m.count);
        answer += "</match>\r\n";
    }
    return answer;
}

// The match page's grid area: 801 x 546 below the page's tool bar.
constexpr int kGridWidth = 801;
constexpr int kGridHeight = 546;

void RenderMatchGrid(const std::string& pngPath, bool filtered) {
    const TFormatSettings savedSettings = FormatSettings;
    FormatSettings.DecimalSeparator = ','; // the odds are stored with ","

    TForm* form = Application->CreateForm<TForm>();
    form->SetClientWidth(kGridWidth);
    form->SetClientHeight(kGridHeight);

    auto* flags = new TImageList(form);
    LoadFlagImages(*flags, CurrentDisplay().DeviceScale());
    TBitmap glyph;
    LoadFlagHeaderGlyph(glyph);

    auto* fg = new TNxGrid(form);
    auto* fg5 = new TNxGrid(form);
    for (auto [grid, which] : {std::pair{fg, mgFull}, std::pair{fg5, mgFiltered}}) {
        grid->SetParent(form);
        grid->SetBounds(0, 0, kGridWidth, kGridHeight);
        ApplyMatchGridSettings(*grid);
        CreateMatchColumns(*grid, form, which, flags, &glyph);
    }
    ParseMatchList(SampleAnswer(), [&](const MatchEntry& e) { AddMatchRow(*fg, e); });

    if (filtered) {
        TFilterValues bounds = FilterStartValues();
        bounds[1] = 1.8; // home win odds up to 1.80
        bounds[12] = 90; // over 0.5 goals at least 90 %
        ApplyRangeFilter(*fg, *fg5, bounds);
        fg->SetVisible(false);
    } else {
        fg5->SetVisible(false);
    }
    form->Show();
    Application->ProcessMessages();
    WriteWindowPngDevice(filtered ? static_cast<TControl*>(fg5) : fg, pngPath);

    FormatSettings = savedSettings; // the form goes with the tool's reset before the next scene
}

void RenderTable(const std::string& pngPath) {
    RenderMatchGrid(pngPath, false);
}
void RenderTableFiltered(const std::string& pngPath) {
    RenderMatchGrid(pngPath, true);
}

SceneRegistrar tableScene("table", &RenderTable);
SceneRegistrar tableFilteredScene("table-filtered", &RenderTableFiltered);

} // namespace

#include "MatchGenerator.h"

#include "rtl/Strings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

struct League {
    const char* name;        // country part (as the client's flag table spells it), ".", league
    const char* prefixes[3]; // club name styles of the country: "{}" stands for the town
    const char* towns[10];
};

// Invented clubs in plausible local styles.
const League kLeagues[] = {
    {"England.Premier League",
     {"{} United", "{} City", "{} Rovers"},
     {"Ashbourne", "Kingsbridge", "Harwood", "Millford", "Eastleigh", "Stanmoor", "Redcliffe",
      "Whitby Vale", "Carrowfield", "Brackenham"}},
    {"England.Championship",
     {"{} Town", "{} Athletic", "{} Albion"},
     {"Thornbury", "Oakhampton", "Ravensworth", "Pendle", "Saltmarsh", "Greyfield", "Wexcombe",
      "Linford", "Brampton Lea", "Coldharbour"}},
    {"Spain.Primera Division",
     {"Real {}", "CD {}", "{} CF"},
     {"Almanzora", "Vallesur", "Castellar", "Montoro", "Sierra Alta", "Puerto Blanco", "Villaluz",
      "San Anselmo", "Riomar", "Torrebella"}},
    {"Germany.Bundesliga",
     {"FC {}", "SV {}", "{} 04"},
     {"Kaltenbach", "Wernburg", "Lindenau", "Ostheim", "Rabenstein", "Hollfeld", "Marienau",
      "Steinfurt", "Bergdorf", "Eschenwald"}},
    {"Italy.Serie A",
     {"AC {}", "{} Calcio", "US {}"},
     {"Valdoria", "Montecorvo", "Sanfelice", "Portolano", "Castelverde", "Roccabianca", "Lucerna",
      "Fiorano Alto", "Belmonte", "Torrenova"}},
    {"France.Ligue 1",
     {"FC {}", "AS {}", "Olympique {}"},
     {"Saint-Aubin", "Valmont", "Beaurivage", "Montclair", "Rochefort-sur-Lys", "Clermont-Val",
      "Lussac", "Villeneuve-Ouest", "Pontarles", "Chateaubrun"}},
    {"Holland.Eredivisie",
     {"{} FC", "SC {}", "VV {}"},
     {"Zeeveld", "Dorrewijk", "Hoogmeer", "Brakeldam", "Lindhoven", "Oosterbeek-Zuid", "Waalstad",
      "Veenhorst", "Kampervliet", "Amstelburg"}},
    {"Portugal.Primeira Liga",
     {"SC {}", "FC {}", "CD {}"},
     {"Vila Serra", "Porto Alto", "Almadena", "Rio Claro", "Bragal", "Santa Luzia", "Monte Verde",
      "Castelo Novo", "Faroal", "Guimarela"}},
    {"Russia.Premier League",
     {"{}", "FC {}", "Dinamo {}"},
     {"Volzhsk", "Severograd", "Kamensk", "Belozersk", "Uralets", "Zarechny", "Krasnoborsk",
      "Novodvinsk", "Ozyorsk", "Tikhoretsk"}},
    {"Scotland.Premiership",
     {"{} FC", "{} Thistle", "{} Academical"},
     {"Glenbrae", "Kilmorran", "Ardlochy", "Dunvarrick", "Inverallan", "Strathmuir", "Balcairn",
      "Loch Ewan", "Craigford", "Port Elrick"}},
    {"Turkey.Super Lig",
     {"{}spor", "{} Belediyespor", "{} FK"},
     {"Karadeniz", "Yesilova", "Akcakale", "Denizli Yeni", "Bozdag", "Kumkoy", "Altinova", "Ilgaz",
      "Sarikaya", "Koprulu"}},
    {"Brazil.Serie A",
     {"{} EC", "{} FC", "Atletico {}"},
     {"Serra Azul", "Vale do Sol", "Campo Belo", "Rio Preto", "Morro Alto", "Boa Vista do Sul",
      "Porto Real", "Santa Ines", "Agua Clara", "Tres Pontes"}},
    {"Argentina.Primera Division",
     {"Club {}", "Atletico {}", "Deportivo {}"},
     {"San Telmo Sur", "Villa Cordillera", "Rio Tercero", "Puerto Lobos", "La Pampa Alta",
      "Banfield Norte", "General Roca", "Los Andes", "Santa Fe Oeste", "Mar Chiquito"}},
    {"UEFA.Champions League",
     {"{}", "FC {}", "Sporting {}"},
     {"Kingsbridge", "Valdoria", "Kaltenbach", "Almanzora", "Beaurivage", "Zeeveld", "Porto Alto",
      "Glenbrae", "Volzhsk", "Yesilova"}},
    {"Belgium.Pro League",
     {"KV {}", "RSC {}", "{} FC"},
     {"Hasselt-Noord", "Lierdonk", "Waterval", "Brugdijk", "Meerhout", "Sint-Aldegonde",
      "Dendermonde-Oost", "Oudeland", "Vlaskamp", "Zonhove"}},
    {"Czech Rep.First League",
     {"FK {}", "SK {}", "Banik {}"},
     {"Horni Lhota", "Rybnik", "Dolany", "Kamenice", "Bystrice", "Lipovec", "Stare Mesto", "Vranov",
      "Zlata Hora", "Novy Dvur"}},
    {"Norway.Eliteserien",
     {"{} IL", "{} FK", "{} BK"},
     {"Fjellstad", "Nordvik", "Skogheim", "Havoy", "Lyngdal Nord", "Breivik", "Stavnes", "Solvang",
      "Tromfjord", "Eidsvag"}},
    {"Japan.J1 League",
     {"{} FC", "{} United", "Sporting {}"},
     {"Minamihara", "Kitasato", "Aokawa", "Higashiyama", "Shiromori", "Nishinomura", "Kawabe",
      "Tsurugaoka", "Yamanobe", "Hoshizora"}},
    {"United States.MLS",
     {"{} FC", "{} SC", "Real {}"},
     {"Cedar Falls", "Harbor City", "Red Mesa", "Pine Ridge", "Lakeport", "Silver Bay",
      "Granite Springs", "Fort Calder", "Bluewater", "Summit Valley"}},
    {"Mexico.Liga MX",
     {"Club {}", "Deportivo {}", "Atletico {}"},
     {"Sierra Madre", "Valle Hermoso", "Puerto Escondido Norte", "San Lorenzo", "Tierra Blanca",
      "Ciudad Laguna", "Los Mochis Sur", "Agua Prieta", "Rio Bravo", "Monteverde"}},
};

std::string ClubName(const League& league, int town, int style) {
    std::string name = league.prefixes[style % 3];
    std::size_t at = name.find("{}");
    name.replace(at, 2, league.towns[town]);
    return name;
}

std::string Fixed2(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

int Percent(double probability) {
    return std::clamp(static_cast<int>(std::lround(probability * 100.0)), 0, 100);
}

// Probability of more than `goals` goals when the total follows a Poisson law of mean lambda.
double Over(double lambda, int goals) {
    double term = std::exp(-lambda), atMost = 0;
    for (int k = 0; k <= goals; ++k) {
        atMost += term;
        term *= lambda / (k + 1);
    }
    return 1.0 - atMost;
}

void AppendElement(std::string& out, const char* name, const std::string& value) {
    out.append("<").append(name).append(">").append(value).append("</").append(name).append(">");
}

} // namespace

std::string ComposeMatchListAnswer(const MatchListOptions& options) {
    std::mt19937 random(options.seed);
    auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    auto pick = [&random](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };

    std::string subscription = options.subscription.empty()
                                   ? Utf8ToAnsi("Демо-подписка до 31.12.2026")
                                   : options.subscription;
    std::string out = "<PODPISKA>" + subscription + "</PODPISKA>\r\n";

    const int leagueCount = static_cast<int>(std::size(kLeagues));
    int minutes = 11 * 60; // kick-offs from late morning on, in order
    for (int i = 0; i < options.matchCount; ++i) {
        const League& league = kLeagues[pick(leagueCount)];
        int home = pick(10), away = pick(9);
        if (away >= home) ++away;
        int style = pick(3);

        // Strength difference decides the outcome probabilities; the draw share shrinks as the
        // difference grows.
        double edge = uniform(-1.6, 2.0);
        double draw = std::clamp(0.30 - 0.08 * std::fabs(edge), 0.05, 0.32);
        double homeWin = (1.0 - draw) / (1.0 + std::exp(-1.4 * edge));
        double awayWin = 1.0 - draw - homeWin;
        double homeGoals = uniform(0.7, 2.6), awayGoals = uniform(0.5, 2.0);
        double lambda = homeGoals + awayGoals;
        double btts = (1.0 - std::exp(-homeGoals)) * (1.0 - std::exp(-awayGoals));
        int p1 = Percent(homeWin), x = Percent(draw), p2 = 100 - p1 - x;
        int t05 = Percent(Over(lambda, 0)), t15 = Percent(Over(lambda, 1));
        int t25 = Percent(Over(lambda, 2)), oz = Percent(btts);

        // Now and then the service is certain of something.
        int certainty = pick(12);
        if (certainty == 0) {
            p1 = 100, x = 0, p2 = 0, homeWin = 0.995, draw = 0.004, awayWin = 0.001;
        } else if (certainty == 1) {
            t05 = 100;
        } else if (certainty == 2) {
            oz = 100, t05 = 100, t15 = std::max(t15, 90);
        }

        const double margin = 1.06;
        auto odds = [margin](double probability) {
            return Fixed2(std::clamp(1.0 / (std::max(probability, 0.001) * margin), 1.01, 51.0));
        };
        minutes += pick(4) * 15;
        if (minutes > 23 * 60 + 45) minutes = 23 * 60 + 45;
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d", minutes / 60, minutes % 60);

        out += "<match>";
        AppendElement(out, "id", std::to_string(4100231 + i * 7));
        AppendElement(out, "date", options.date);
        AppendElement(out, "time", time);
        AppendElement(out, "home", ClubName(league, home, style));
        AppendElement(out, "away", ClubName(league, away, style + 1));
        AppendElement(out, "liga", league.name);
        AppendElement(out, "kf1", odds(homeWin));
        AppendElement(out, "kf2", odds(draw));
        AppendElement(out, "kf3", odds(awayWin));
        AppendElement(out, "p1", std::to_string(p1));
        AppendElement(out, "x", std::to_string(x));
        AppendElement(out, "p2", std::to_string(std::max(p2, 0)));
        AppendElement(out, "t05", std::to_string(t05));
        AppendElement(out, "t15", std::to_string(t15));
        AppendElement(out, "t25", std::to_string(t25));
        AppendElement(out, "oz", std::to_string(oz));
        AppendElement(out, "count", std::to_string(8 + pick(33)));
        out += "</match>\r\n";
    }
    return out;
}

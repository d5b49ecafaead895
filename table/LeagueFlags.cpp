#include "table/LeagueFlags.h"

// clang-format off
const std::array<TCountryFlag, kCountryFlagCount> kCountryFlags = {{
    {"Argentina", 1}, {"Armenia", 2}, {"Australia", 3}, {"Austria", 4}, {"Bahrain", 5},
    {"Belarus", 6}, {"Belgium", 7}, {"Bosnia", 8}, {"Brazil", 9}, {"Bulgaria", 10},
    {"Cameroon", 11}, {"Canada", 12}, {"Chile", 13}, {"China", 14}, {"Colombia", 15},
    {"Ecuador", 15}, {"Costa Rica", 16}, {"Croatia", 17}, {"Cyprus", 18}, {"Czech Rep", 19},
    {"Denmark", 20}, {"Egypt", 21}, {"El Salvador", 22}, {"England", 23}, {"Estonia", 24},
    {"UEFA", 25}, {"Finland", 26}, {"France", 27}, {"Georgia", 28}, {"Germany", 29},
    {"Greece", 30}, {"Guatemala", 31}, {"Honduras", 32}, {"Hong Kong", 33}, {"Hungary", 34},
    {"Iceland", 35}, {"India", 36}, {"Indonesia", 37}, {"Iran", 38}, {"Iraq", 39},
    {"Ireland", 40}, {"Israel", 41}, {"Italy", 42}, {"Japan", 43}, {"Jordan", 44},
    {"Kazakhstan", 45}, {"Kuwait", 46}, {"Lebanon", 47}, {"Lithuania", 48}, {"Luxemburg", 49},
    {"Malaysia", 50}, {"Mexico", 51}, {"Moldova", 52}, {"Montenegro", 53}, {"Morocco", 54},
    {"Holland", 55}, {"New Zealand", 56}, {"Norway", 57}, {"Paraguay", 58}, {"Peru", 59},
    {"Philippines", 60}, {"Poland", 61}, {"Portugal", 62}, {"Qatar", 63}, {"Romania", 64},
    {"Russia", 65}, {"Saudi Arabia", 66}, {"Scotland", 67}, {"Senegal", 68}, {"Serbia", 69},
    {"Singapoure", 70}, {"Slovakia", 71}, {"Slovenia", 72}, {"South Africa", 73},
    {"South Korea", 74}, {"Spain", 75}, {"Sweden", 76}, {"Switzerland", 77}, {"Thailand", 78},
    {"Tunisia", 79}, {"Turkey", 80}, {"Ukraine", 81}, {"UAE", 82}, {"United States", 83},
    {"Uruguay", 84}, {"Uzbekistan", 85}, {"Venezuela", 86}, {"Vietnam", 87}, {"Wales", 88},
    {"Yemen", 89}, {"Andorra", 90}, {"Nigeria", 91}, {"Swaziland", 92}, {"Algeria", 93},
    {"Syria", 94}, {"Malta", 95}, {"Macedonia FYR", 96}, {"Albania", 97}, {"Kosovo", 98},
    {"Azerbaijan", 99}, {"Uganda", 100}, {"Latvia", 101}, {"Luxemburg", 102}, {"AFC", 25},
    {"CAF", 25}, {"CONCACAF", 25}, {"CONMEBOL", 25}, {"FIFA", 25},
}};
// clang-format on

std::string_view LeagueCountry(std::string_view liga) {
    const size_t dot = liga.find('.');
    if (dot == std::string_view::npos) return {};
    const std::string_view country = liga.substr(0, dot);
    for (const TCountryFlag& flag : kCountryFlags)
        if (country == flag.Name) return country;
    return {};
}

int LeagueFlagIndex(std::string_view liga) {
    const size_t dot = liga.find('.');
    // Without a "." there is no country part at all, even when the text is a country name.
    const std::string_view country =
        dot == std::string_view::npos ? std::string_view{} : liga.substr(0, dot);
    int result = 0;
    for (const TCountryFlag& flag : kCountryFlags)
        if (country == flag.Name) result = flag.ImageIndex;
    return result;
}

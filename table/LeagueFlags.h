#pragma once
// Which flag image a league text shows: the country part of the league (the text before
// its first ".") looked up in a fixed table of country names.

#include <array>
#include <string_view>

struct TCountryFlag {
    std::string_view Name;
    int ImageIndex;
};

constexpr int kCountryFlagCount = 108;
// In lookup order; names are compared byte for byte, case included. Several names share an
// image (the confederations, Colombia and Ecuador) and "Luxemburg" stands twice.
extern const std::array<TCountryFlag, kCountryFlagCount> kCountryFlags;

// Image index 0 to 102 in the flag image list; 0 (a football) when the league text has no
// "." or its country part names no country. Every equal name in the table overrides the
// ones before it, so the last match wins.
int LeagueFlagIndex(std::string_view liga);
// The country whose flag the league text shows: its country part when the table knows it,
// else empty (the football).
std::string_view LeagueCountry(std::string_view liga);

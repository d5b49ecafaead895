#pragma once
// Process-wide number and date text settings. Filled once from the user's locale
// (LC_ALL, LC_NUMERIC / LC_TIME, LANG) without touching the C library's global locale; tests
// set the fields directly.
#include <string>

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    // Date and time patterns: d, dd, m, mm, yy, yyyy, h, hh, n, nn, s, ss; "/" and ":" stand
    // for the two separators.
    std::string ShortDateFormat = "mm/dd/yyyy";
    std::string LongTimeFormat = "hh:nn:ss";
};

extern TFormatSettings FormatSettings;

// The settings the environment's locale asks for ("." and "," for a locale that cannot be
// loaded). FormatSettings starts as this value.
TFormatSettings LocaleFormatSettings();

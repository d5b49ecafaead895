#pragma once
// Date and time values as days since 30 December 1899 (the fraction is the time of day), and
// their text under FormatSettings.
#include "rtl/FormatSettings.h"
#include "rtl/Strings.h"
#include <string_view>

using TDateTime = double;

// Raises EConvertError "Invalid argument to date encode" / "... time encode".
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& value);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Local time now; today with time 0; now's time of day.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Text: the date, then a blank and the time unless the value is exactly midnight.
AnsiString DateTimeToStr(TDateTime value);
AnsiString DateToStr(TDateTime value);
AnsiString TimeToStr(TDateTime value);
// Formats with a pattern: d, dd, m, mm, yy, yyyy, h, hh, n, nn, s, ss, z, zzz,
// "/" and ":" as the separators, "..." and '...' literal; other characters copied.
AnsiString FormatDateTime(std::string_view pattern, TDateTime value);

// Parsing: a date in ShortDateFormat's field order (day, month and year numbers separated by
// DateSeparator; a missing year means this year, a 2-digit year is the one within 50 years back and
// 49 years ahead of this year), optionally
// followed by a time "h:n[:s]"; or a time alone. Blanks around are accepted. Failures raise
// EConvertError "'%s' is not a valid date and time" / "... date" / "... time".
TDateTime StrToDateTime(std::string_view s);
TDateTime StrToDateTime(std::u16string_view s);
TDateTime StrToDate(std::string_view s);
TDateTime StrToTime(std::string_view s);
bool TryStrToDateTime(std::string_view s, TDateTime& value);
bool TryStrToDateTime(std::u16string_view s, TDateTime& value);
bool TryStrToDate(std::string_view s, TDateTime& value);
bool TryStrToTime(std::string_view s, TDateTime& value);

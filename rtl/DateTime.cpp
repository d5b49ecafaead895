// Dates as day numbers from 30 December 1899, and their text.
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/NumberText.h"
#include "rtl/Strings.h"

#include <cmath>
#include <ctime>
#include <sys/time.h>
#include <vector>

namespace {

constexpr double kMsPerDay = 86400000.0;
// Day number of 1899-12-30 counting 0001-01-01 (proleptic Gregorian) as day 0.
constexpr long kDeltaDays = 693593;

long DaysBeforeYear(long y) { // y >= 1: days from 0001-01-01 to y-01-01
    --y;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

void DaysToCivil(long dayNumber, int& year, int& month, int& day) {
    // dayNumber counts from 0001-01-01 == 0.
    long n = dayNumber;
    long y400 = n / 146097;
    n %= 146097;
    long y100 = std::min(n / 36524, 3L);
    n -= y100 * 36524;
    long y4 = n / 1461;
    n %= 1461;
    long y1 = std::min(n / 365, 3L);
    n -= y1 * 365;
    year = static_cast<int>(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
    month = 1;
    while (n >= DaysInMonth(year, month)) n -= DaysInMonth(year, month++);
    day = static_cast<int>(n + 1);
}

// Splits into whole days and milliseconds of the day; the time part of a negative value is
// its absolute fraction, as the platform counts it.
void Split(TDateTime value, long& days, long& ms) {
    double whole = std::trunc(value);
    double frac = std::fabs(value - whole);
    days = static_cast<long>(whole);
    ms = static_cast<long>(std::llround(frac * kMsPerDay));
    if (ms >= 86400000) ms = 86399999;
}

std::string Pad(int v, int width) {
    std::string s = std::to_string(v);
    while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
    return s;
}

// Reads unsigned numbers separated by `sep`; returns false on anything else.
bool ReadNumbers(std::string_view s, char sep, std::vector<int>& out, std::vector<int>& widths) {
    out.clear();
    widths.clear();
    size_t i = 0;
    while (true) {
        size_t start = i;
        long v = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            v = v * 10 + (s[i] - '0');
            if (v > 100000) return false;
            ++i;
        }
        if (i == start) return false;
        out.push_back(static_cast<int>(v));
        widths.push_back(static_cast<int>(i - start));
        if (i == s.size()) return true;
        if (s[i] != sep) return false;
        ++i;
    }
}

bool ParseDate(std::string_view s, TDateTime& value) {
    std::vector<int> n, w;
    if (!ReadNumbers(s, FormatSettings.DateSeparator, n, w)) return false;
    if (n.size() < 2 || n.size() > 3) return false;
    // Field order from the pattern: the order in which d, m and y first appear.
    const std::string& p = FormatSettings.ShortDateFormat;
    size_t pd = p.find_first_of("dD"), pm = p.find_first_of("mM"), py = p.find_first_of("yY");
    if (pd == std::string::npos) pd = 0;
    if (pm == std::string::npos) pm = 1;
    if (py == std::string::npos) py = 2;
    int y, m, d;
    int nowYear, nowMonth, nowDay;
    DecodeDate(Date(), nowYear, nowMonth, nowDay);
    if (n.size() == 2) {
        // No year: this year, day and month in the pattern's order.
        y = nowYear;
        if (pd < pm)
            d = n[0], m = n[1];
        else
            m = n[0], d = n[1];
    } else {
        int order[3]; // index into n for d, m, y
        int rd = (pd > pm) + (pd > py), rm = (pm > pd) + (pm > py), ry = (py > pd) + (py > pm);
        order[0] = rd, order[1] = rm, order[2] = ry;
        d = n[static_cast<size_t>(order[0])];
        m = n[static_cast<size_t>(order[1])];
        y = n[static_cast<size_t>(order[2])];
        if (w[static_cast<size_t>(order[2])] <= 2) {
            // Two digits: the year within the 100 years starting 50 years back.
            int windowStart = nowYear - 50;
            y += windowStart / 100 * 100;
            if (y < windowStart) y += 100;
        }
    }
    return TryEncodeDate(y, m, d, value);
}

bool ParseTime(std::string_view s, TDateTime& value) {
    std::vector<int> n, w;
    if (!ReadNumbers(s, FormatSettings.TimeSeparator, n, w)) return false;
    if (n.size() < 2 || n.size() > 3) return false;
    return TryEncodeTime(n[0], n[1], n.size() > 2 ? n[2] : 0, 0, value);
}

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    long n = DaysBeforeYear(year);
    for (int m = 1; m < month; ++m) n += DaysInMonth(year, m);
    n += day - 1;
    value = static_cast<double>(n - kDeltaDays);
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& value) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 ||
        msec > 999)
        return false;
    value = ((hour * 3600.0 + min * 60.0 + sec) * 1000.0 + msec) / kMsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime v;
    if (!TryEncodeDate(year, month, day, v)) throw EConvertError("Invalid argument to date encode");
    return v;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime v;
    if (!TryEncodeTime(hour, min, sec, msec, v))
        throw EConvertError("Invalid argument to time encode");
    return v;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    long days, ms;
    Split(value, days, ms);
    long n = days + kDeltaDays;
    if (n < 0) {
        year = month = day = 0;
        return;
    }
    DaysToCivil(n, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec) {
    long days, ms;
    Split(value, days, ms);
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

TDateTime Now() {
    timeval tv;
    gettimeofday(&tv, nullptr);
    time_t t = tv.tv_sec;
    tm local;
    localtime_r(&t, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                      static_cast<int>(tv.tv_usec / 1000));
}

TDateTime Date() {
    return std::trunc(Now());
}
TDateTime Time() {
    TDateTime n = Now();
    return n - std::trunc(n);
}

AnsiString FormatDateTime(std::string_view pattern, TDateTime value) {
    int y, mo, d, h, mi, s, ms;
    DecodeDate(value, y, mo, d);
    DecodeTime(value, h, mi, s, ms);
    std::string out;
    size_t i = 0;
    auto run = [&](char c) {
        size_t n = 0;
        while (i + n < pattern.size() && (pattern[i + n] | 0x20) == c) ++n;
        return n;
    };
    while (i < pattern.size()) {
        char c = pattern[i];
        char lc = static_cast<char>(c | 0x20);
        if (c == '"' || c == '\'') {
            size_t e = pattern.find(c, i + 1);
            if (e == std::string_view::npos) e = pattern.size();
            out.append(pattern.substr(i + 1, e - i - 1));
            i = e + 1;
        } else if (c == '/') {
            out += FormatSettings.DateSeparator;
            ++i;
        } else if (c == ':') {
            out += FormatSettings.TimeSeparator;
            ++i;
        } else if (lc == 'd' || lc == 'm' || lc == 'h' || lc == 'n' || lc == 's') {
            size_t n = run(lc);
            int v = lc == 'd' ? d : lc == 'm' ? mo : lc == 'h' ? h : lc == 'n' ? mi : s;
            out += Pad(v, n >= 2 ? 2 : 1);
            i += n;
        } else if (lc == 'y') {
            size_t n = run('y');
            out += n <= 2 ? Pad(y % 100, 2) : Pad(y, 4);
            i += n;
        } else if (lc == 'z') {
            size_t n = run('z');
            out += Pad(ms, n >= 3 ? 3 : 1);
            i += n;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

AnsiString DateToStr(TDateTime value) {
    return FormatDateTime(FormatSettings.ShortDateFormat, value);
}
AnsiString TimeToStr(TDateTime value) {
    return FormatDateTime(FormatSettings.LongTimeFormat, value);
}

AnsiString DateTimeToStr(TDateTime value) {
    long days, ms;
    Split(value, days, ms);
    if (ms == 0) return DateToStr(value);
    return DateToStr(value) + " " + TimeToStr(value);
}

bool TryStrToDate(std::string_view s, TDateTime& value) {
    return ParseDate(TrimView(s), value);
}
bool TryStrToTime(std::string_view s, TDateTime& value) {
    return ParseTime(TrimView(s), value);
}

bool TryStrToDateTime(std::string_view text, TDateTime& value) {
    std::string_view s = TrimView(text);
    size_t blank = s.find(' ');
    if (blank == std::string_view::npos) {
        if (ParseDate(s, value)) return true;
        return ParseTime(s, value);
    }
    TDateTime date, time;
    if (!ParseDate(s.substr(0, blank), date) || !ParseTime(TrimView(s.substr(blank)), time))
        return false;
    value = date < 0 ? date - time : date + time;
    return true;
}

TDateTime StrToDate(std::string_view s) {
    TDateTime v;
    if (!TryStrToDate(s, v))
        throw EConvertError(Format("'%s' is not a valid date", AnsiToUtf8(s).c_str()));
    return v;
}

TDateTime StrToTime(std::string_view s) {
    TDateTime v;
    if (!TryStrToTime(s, v))
        throw EConvertError(Format("'%s' is not a valid time", AnsiToUtf8(s).c_str()));
    return v;
}

TDateTime StrToDateTime(std::string_view s) {
    TDateTime v;
    if (!TryStrToDateTime(s, v))
        throw EConvertError(Format("'%s' is not a valid date and time", AnsiToUtf8(s).c_str()));
    return v;
}

bool TryStrToDateTime(std::u16string_view s, TDateTime& value) {
    return TryStrToDateTime(WideAsciiToString(s), value);
}

TDateTime StrToDateTime(std::u16string_view s) {
    TDateTime v;
    if (!TryStrToDateTime(s, v))
        throw EConvertError(Format("'%s' is not a valid date and time", WideToUtf8(s).c_str()));
    return v;
}

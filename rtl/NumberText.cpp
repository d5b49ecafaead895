// Number text: parsing and formatting of floats and integers under FormatSettings, using
// std::from_chars / std::to_chars so the C library's locale never takes part.
#include "rtl/NumberText.h"
#include "rtl/DecimalDigits.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Validates the accepted grammar and rewrites it into from_chars form ("-123.45e-6").
bool ParseFloat(std::string_view text, char decimalSeparator, double& value) {
    std::string_view s = TrimView(text);
    char small[128];
    std::string large;
    char* buf = small;
    if (s.size() + 2 > sizeof small) {
        large.resize(s.size() + 2);
        buf = large.data();
    }
    size_t n = 0, i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (negative) buf[n++] = '-';
    size_t intStart = i;
    while (i < s.size() && IsDigit(s[i])) buf[n++] = s[i++];
    size_t intDigits = i - intStart;
    size_t fracDigits = 0;
    size_t fracStart = i;
    if (i < s.size() && s[i] == decimalSeparator) {
        ++i;
        buf[n++] = '.';
        fracStart = i;
        while (i < s.size() && IsDigit(s[i])) buf[n++] = s[i++];
        fracDigits = i - fracStart;
    }
    if (intDigits + fracDigits == 0) return false;
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        buf[n++] = 'e';
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            expNegative = s[i] == '-';
            buf[n++] = s[i++];
        }
        size_t expStart = i;
        while (i < s.size() && IsDigit(s[i])) {
            if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
            buf[n++] = s[i++];
        }
        if (i == expStart) return false;
        if (expNegative) exponent = -exponent;
    }
    if (i != s.size()) return false;
    double v = 0;
    auto [end, ec] = std::from_chars(buf, buf + n, v, std::chars_format::general);
    if (end != buf + n) return false;
    if (ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large is not a number a user can mean.
        long lead = 0;
        size_t k = intStart;
        while (k < intStart + intDigits && s[k] == '0') ++k;
        if (k < intStart + intDigits) {
            lead = static_cast<long>(intStart + intDigits - k);
        } else {
            size_t f = fracStart;
            while (f < fracStart + fracDigits && s[f] == '0') ++f;
            lead = -static_cast<long>(f - fracStart);
        }
        if (lead + exponent > 0) return false;
        v = negative ? -0.0 : 0.0;
    } else if (ec != std::errc()) {
        return false;
    }
    value = v;
    return true;
}

std::string NarrowNumberText(std::u16string_view s) {
    return WideAsciiToString(s);
}

bool ParseInt64(std::string_view text, int64_t& value, bool hexWrapsAt32) {
    std::string_view s = TrimView(text);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size()) return false;
    uint64_t magnitude = 0;
    const uint64_t limit = base == 16
                               ? std::numeric_limits<uint64_t>::max()
                               : static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1;
    for (; i < s.size(); ++i) {
        char c = s[i];
        int d;
        if (IsDigit(c))
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (magnitude > (limit - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base))
            return false;
        magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    }
    if (base == 16) {
        // Hexadecimal text is a bit pattern: $FFFFFFFF is -1 for a 32-bit integer.
        if (hexWrapsAt32) {
            if (magnitude > 0xFFFFFFFFull) return false;
            int32_t bits = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
            value = negative ? -static_cast<int64_t>(bits) : bits;
        } else {
            int64_t bits = static_cast<int64_t>(magnitude);
            if (negative && bits == std::numeric_limits<int64_t>::min()) return false;
            value = negative ? -bits : bits;
        }
        return true;
    }
    if (!negative && magnitude > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
        return false;
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

bool ParseInt32(std::string_view s, int& value) {
    int64_t v;
    if (!ParseInt64(s, v, true)) return false;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

bool TryStrToFloat(std::string_view s, double& value, const TFormatSettings& fs) {
    return ParseFloat(s, fs.DecimalSeparator, value);
}

bool TryStrToFloat(std::string_view s, double& value) {
    return ParseFloat(s, FormatSettings.DecimalSeparator, value);
}

bool TryStrToFloat(std::u16string_view s, double& value) {
    return ParseFloat(NarrowNumberText(s), FormatSettings.DecimalSeparator, value);
}

double StrToFloat(std::string_view s, const TFormatSettings& fs) {
    double v;
    if (!ParseFloat(s, fs.DecimalSeparator, v)) InvalidFloatError(AnsiToUtf8(s));
    return v;
}

double StrToFloat(std::string_view s) {
    return StrToFloat(s, FormatSettings);
}

double StrToFloat(std::u16string_view s) {
    double v;
    if (!TryStrToFloat(s, v)) InvalidFloatError(WideToUtf8(s));
    return v;
}

double StrToFloatDef(std::string_view s, double def) {
    double v;
    return TryStrToFloat(s, v) ? v : def;
}

AnsiString FloatToStr(double value, const TFormatSettings& fs) {
    return FloatToStrF(value, ffGeneral, 15, 0, fs);
}

AnsiString FloatToStr(double value) {
    return FloatToStrF(value, ffGeneral, 15, 0, FormatSettings);
}

WideString FloatToWideStr(double value) {
    // Whole numbers below 10^15 read as their digits in the general form (-0 as "0"); grids
    // show thousands of them at every paint.
    if (value == std::trunc(value) && std::fabs(value) < 1e15) return IntToWideStr(int64_t(value));
    return StringAsciiToWide(FloatToStr(value));
}

AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
    return FloatToStrF(value, format, precision, digits, FormatSettings);
}

AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                       const TFormatSettings& fs) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    precision = std::clamp(precision, 1, kMaxDecimalDigits);
    switch (format) {
    case ffGeneral: {
        DecimalDigits d = ToDecimalDigits(value, precision, kUnlimitedDecimals);
        if (d.count == 0) return "0";
        if (d.exponent > precision || d.exponent < -3)
            return ExponentText(d, fs.DecimalSeparator, false, std::clamp(digits, 0, 4));
        return FixedText(d, fs.DecimalSeparator, 0, -1);
    }
    case ffExponent: {
        DecimalDigits d = ToDecimalDigits(value, precision, kUnlimitedDecimals);
        d.PadTo(precision);
        return ExponentText(d, fs.DecimalSeparator, true, std::clamp(digits, 0, 4));
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        digits = std::clamp(digits, 0, 18);
        DecimalDigits d = ToDecimalDigits(value, precision, digits);
        if (d.exponent > precision) return FloatToStrF(value, ffGeneral, precision, 0, fs);
        char thousands = format == ffFixed ? 0 : fs.ThousandSeparator;
        return FixedText(d, fs.DecimalSeparator, thousands, digits);
    }
    }
    return {};
}

bool TryStrToInt64(std::string_view s, int64_t& value) {
    return ParseInt64(s, value, false);
}
bool TryStrToInt64(std::u16string_view s, int64_t& value) {
    return ParseInt64(NarrowNumberText(s), value, false);
}
bool TryStrToInt(std::string_view s, int& value) {
    return ParseInt32(s, value);
}
bool TryStrToInt(std::u16string_view s, int& value) {
    return ParseInt32(NarrowNumberText(s), value);
}

int StrToInt(std::string_view s) {
    int v;
    if (!ParseInt32(s, v)) InvalidIntegerError(AnsiToUtf8(s));
    return v;
}

int StrToInt(std::u16string_view s) {
    int v;
    if (!TryStrToInt(s, v)) InvalidIntegerError(WideToUtf8(s));
    return v;
}

int64_t StrToInt64(std::string_view s) {
    int64_t v;
    if (!ParseInt64(s, v, false)) InvalidIntegerError(AnsiToUtf8(s));
    return v;
}

int64_t StrToInt64(std::u16string_view s) {
    int64_t v;
    if (!TryStrToInt64(s, v)) InvalidIntegerError(WideToUtf8(s));
    return v;
}

int StrToIntDef(std::string_view s, int def) {
    int v;
    return ParseInt32(s, v) ? v : def;
}

int StrToIntDef(std::u16string_view s, int def) {
    int v;
    return TryStrToInt(s, v) ? v : def;
}

AnsiString IntToStr(int64_t value) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    return AnsiString(buf, r.ptr);
}

WideString IntToWideStr(int64_t value) {
    // Written wide from the last digit back: grids are filled with such texts by the million.
    char16_t buf[20];
    char16_t* const end = buf + 20;
    char16_t* p = end;
    uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
    do {
        *--p = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--p = u'-';
    return WideString(p, end);
}

int64_t Round(double value) {
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (!(value > -9223372036854775808.0 && value < 9223372036854775808.0))
        throw EInvalidOperation("Invalid floating point operation");
    double floor = std::floor(value);
    double diff = value - floor;
    int64_t r = static_cast<int64_t>(floor);
    if (diff > 0.5 || (diff == 0.5 && (r & 1) != 0)) ++r;
    return r;
}

int64_t Trunc(double value) {
    if (!(value > -9223372036854775808.0 && value < 9223372036854775808.0))
        throw EInvalidOperation("Invalid floating point operation");
    return static_cast<int64_t>(value);
}

bool TryStrToBool(std::string_view s, bool& value) {
    if (SameText(s, "True")) {
        value = true;
        return true;
    }
    if (SameText(s, "False")) {
        value = false;
        return true;
    }
    double d;
    if (TryStrToFloat(s, d)) {
        value = d != 0;
        return true;
    }
    return false;
}

bool StrToBool(std::string_view s) {
    bool v;
    if (!TryStrToBool(s, v))
        throw EConvertError(Format("'%s' is not a valid boolean value", AnsiToUtf8(s).c_str()));
    return v;
}

bool TryStrToBool(std::u16string_view s, bool& value) {
    return TryStrToBool(NarrowNumberText(s), value);
}

bool StrToBool(std::u16string_view s) {
    bool v;
    if (!TryStrToBool(s, v))
        throw EConvertError(Format("'%s' is not a valid boolean value", WideToUtf8(s).c_str()));
    return v;
}

bool StrToBoolDef(std::string_view s, bool def) {
    bool v;
    return TryStrToBool(s, v) ? v : def;
}

AnsiString BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs) return value ? "True" : "False";
    return value ? "-1" : "0";
}

#pragma once
// Numbers as text, independent of the C library's locale: every routine reads
// FormatSettings (or the settings passed) for the decimal separator.
#include "rtl/FormatSettings.h"
#include "rtl/Strings.h"
#include <cstdint>
#include <string_view>

// Floats. Accepted: blanks (code <= 32) around, an optional sign, digits with at most one
// decimal separator (digits on at least one side), an optional exponent "e"/"E" with an
// optional sign and digits. "INF"/"NAN" are rejected. Anything else raises EConvertError
// "'%s' is not a valid floating point value".
double StrToFloat(std::string_view s);
double StrToFloat(std::u16string_view s);
double StrToFloat(std::string_view s, const TFormatSettings& fs);
bool TryStrToFloat(std::string_view s, double& value);
bool TryStrToFloat(std::u16string_view s, double& value);
bool TryStrToFloat(std::string_view s, double& value, const TFormatSettings& fs);
double StrToFloatDef(std::string_view s, double def);

// Shortest general form with 15 significant digits: 1.01 -> "1,01" under ",", 1000 -> "1000",
// 0.5 -> "0,5", 1E15 -> "1E15", 1.5E-5 -> "1,5E-5", 0.0001 -> "0,0001"; NAN, INF, -INF.
AnsiString FloatToStr(double value);
AnsiString FloatToStr(double value, const TFormatSettings& fs);
WideString FloatToWideStr(double value);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
// ffGeneral: shortest form with `precision` significant digits; exponent form when the value
//   needs more than `precision` integer digits or is below 0.0001; `digits` is the minimum
//   number of exponent digits.
// ffExponent: d.ddd E+dddd with `precision` digits in all, `digits` exponent digits (0-4).
// ffFixed: `digits` decimals (0-18), falls back to ffExponent when the value has more than
//   `precision` integer digits.
// ffNumber: as ffFixed with thousand separators. ffCurrency: as ffNumber.
AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits);
AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                       const TFormatSettings& fs);

// Mask formatting: sections ";"-separated (positive;negative;zero), "0" digit or zero,
// "#" digit or nothing, "." decimal separator, "," thousand separators, "E+"/"E-"/"e+"/"e-"
// scientific, '...' and "..." literal text; anything else is copied.
AnsiString FormatFloat(std::string_view mask, double value);
AnsiString FormatFloat(std::string_view mask, double value, const TFormatSettings& fs);

// Integers: decimal with an optional sign, or hexadecimal with "$", "0x" or "0X" (after the
// sign); blanks around are accepted. Overflow and anything else raise EConvertError
// "'%s' is not a valid integer value".
int StrToInt(std::string_view s);
int StrToInt(std::u16string_view s);
int64_t StrToInt64(std::string_view s);
int64_t StrToInt64(std::u16string_view s);
int StrToIntDef(std::string_view s, int def);
int StrToIntDef(std::u16string_view s, int def);
bool TryStrToInt(std::string_view s, int& value);
bool TryStrToInt(std::u16string_view s, int& value);
bool TryStrToInt64(std::string_view s, int64_t& value);
bool TryStrToInt64(std::u16string_view s, int64_t& value);
AnsiString IntToStr(int64_t value);
WideString IntToWideStr(int64_t value);

// Rounding to nearest with ties to the even neighbour: Round(2.5) == 2, Round(3.5) == 4.
// Values outside the int64 range raise EInvalidOperation "Invalid floating point operation".
int64_t Round(double value);
// Toward zero.
int64_t Trunc(double value);

// Booleans: "True"/"False" (any case) and integers (non-zero is true); anything else raises
// EConvertError "'%s' is not a valid boolean value".
bool StrToBool(std::string_view s);
bool StrToBool(std::u16string_view s);
bool TryStrToBool(std::string_view s, bool& value);
bool TryStrToBool(std::u16string_view s, bool& value);
bool StrToBoolDef(std::string_view s, bool def);
// "True"/"False" with useBoolStrs, else "-1"/"0".
AnsiString BoolToStr(bool value, bool useBoolStrs = true);

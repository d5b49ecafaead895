#pragma once
// Text types and conversions. AnsiString holds 8-bit text in the system code page, which is
// 1251 here; WideString holds UTF-16. Exception messages and file names are UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

using AnsiString = std::string;
using WideString = std::u16string;

// Code page 1251 <-> UTF-16. Every byte maps to one code unit (the one byte the code page
// leaves undefined, 0x98, maps to U+0098), so AnsiToWide / WideToAnsi round-trip all bytes.
// Characters the code page cannot hold become '?'.
WideString AnsiToWide(std::string_view ansi);
AnsiString WideToAnsi(std::u16string_view wide);
// One character of the code page; AnsiCharToWide(0xC0) == u'\u0410'.
char16_t AnsiCharToWide(unsigned char c);
// The code page byte of a character, or '?' when the code page has none.
char WideCharToAnsi(char16_t c);

// UTF-8 <-> code page 1251 and UTF-16. Malformed UTF-8 becomes U+FFFD (or '?' in 1251).
std::string AnsiToUtf8(std::string_view ansi);
AnsiString Utf8ToAnsi(std::string_view utf8);
std::string WideToUtf8(std::u16string_view wide);
WideString Utf8ToWide(std::string_view utf8);

// printf-style formatting into a new string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Case: UpperCase / LowerCase change A-Z only; the Ansi* versions also change the Cyrillic
// letters of code page 1251; the Wide* versions change Latin-1 and Cyrillic letters.
AnsiString UpperCase(std::string_view s);
AnsiString LowerCase(std::string_view s);
AnsiString AnsiUpperCase(std::string_view s);
AnsiString AnsiLowerCase(std::string_view s);
WideString WideUpperCase(std::u16string_view s);
WideString WideLowerCase(std::u16string_view s);

// Comparison: < 0, 0, > 0. CompareStr is ordinal by byte (unsigned). CompareText folds A-Z
// only; AnsiCompareText folds the code page's letters too. SameText == (CompareText == 0).
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
int WideCompareStr(std::u16string_view a, std::u16string_view b);
int WideCompareText(std::u16string_view a, std::u16string_view b);

// Trimming removes every character with a code of 32 or less.
AnsiString Trim(std::string_view s);
AnsiString TrimLeft(std::string_view s);
AnsiString TrimRight(std::string_view s);
WideString Trim(std::u16string_view s);
WideString TrimLeft(std::u16string_view s);
WideString TrimRight(std::u16string_view s);
// Trim without a copy, for parsers that keep views into their input.
inline std::string_view TrimView(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
    return s;
}

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
// Replaces the first (or with rfReplaceAll every) occurrence of `from`; rfIgnoreCase folds
// A-Z. An empty `from` changes nothing.
AnsiString StringReplace(std::string_view s, std::string_view from, std::string_view to,
                         unsigned flags = rfReplaceAll);
WideString StringReplace(std::u16string_view s, std::u16string_view from, std::u16string_view to,
                         unsigned flags = rfReplaceAll);

bool StartsText(std::string_view prefix, std::string_view s); // A-Z folded
bool StartsStr(std::string_view prefix, std::string_view s);
bool EndsStr(std::string_view suffix, std::string_view s);

// Upper-case hexadecimal, at least `digits` digits: IntToHex(255, 4) == "00FF".
AnsiString IntToHex(uint64_t value, int digits);

// Text of a wide string's characters as a narrow string of the same code units when all are
// below 128 (the digits, signs and separators of number text). Others become '?'.
std::string WideAsciiToString(std::u16string_view s);
WideString StringAsciiToWide(std::string_view s);

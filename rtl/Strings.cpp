// Case, comparison, trimming, replacing and printf-style formatting of strings.
#include "rtl/Strings.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>

namespace {

inline char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Historic and extended Cyrillic letters come in upper/lower pairs at even/odd codes.
inline bool IsCyrillicPair(char16_t c) {
    return (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF);
}

char16_t WideUpperChar(char16_t c) {
    if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 32);
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs: upper case at the even (or, in two runs, odd) code.
        bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if (oddUpper) return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;
        return (c % 2 == 1) ? static_cast<char16_t>(c - 1) : c;
    }
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
    if (IsCyrillicPair(c) && (c % 2 == 1)) return static_cast<char16_t>(c - 1);
    return c;
}

char16_t WideLowerChar(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 32);
    if (c == 0x178) return 0xFF;
    if (c >= 0x100 && c <= 0x17F) {
        bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if (oddUpper) return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
        return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
    }
    if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
    if (IsCyrillicPair(c) && (c % 2 == 0)) return static_cast<char16_t>(c + 1);
    return c;
}

// Code page case tables derived from the wide mapping, so the two never disagree.
struct AnsiCaseTables {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
    AnsiCaseTables() {
        for (int b = 0; b < 256; ++b) {
            upper[b] = lower[b] = static_cast<unsigned char>(b);
            if (b < 128) {
                upper[b] = static_cast<unsigned char>(AsciiUpper(static_cast<char>(b)));
                lower[b] = static_cast<unsigned char>(AsciiLower(static_cast<char>(b)));
                continue;
            }
            char16_t w = AnsiCharToWide(static_cast<unsigned char>(b));
            char u = WideCharToAnsi(WideUpperChar(w));
            char l = WideCharToAnsi(WideLowerChar(w));
            if (WideUpperChar(w) != w && u != '?') upper[b] = static_cast<unsigned char>(u);
            if (WideLowerChar(w) != w && l != '?') lower[b] = static_cast<unsigned char>(l);
        }
    }
};

const AnsiCaseTables& CaseTables() {
    static const AnsiCaseTables tables;
    return tables;
}

inline bool IsBlank(unsigned c) {
    return c <= 32;
}

template <class View> View TrimEnds(View s, bool left, bool right) {
    size_t b = 0, e = s.size();
    if (left)
        while (b < e && IsBlank(static_cast<std::make_unsigned_t<typename View::value_type>>(s[b])))
            ++b;
    if (right)
        while (e > b &&
               IsBlank(static_cast<std::make_unsigned_t<typename View::value_type>>(s[e - 1])))
            --e;
    return s.substr(b, e - b);
}

template <class Str, class View, class Fold>
Str ReplaceImpl(View s, View from, View to, unsigned flags, Fold fold) {
    if (from.empty()) return Str(s);
    Str out;
    size_t i = 0;
    while (i < s.size()) {
        bool match = i + from.size() <= s.size();
        if (match) {
            for (size_t k = 0; k < from.size(); ++k) {
                auto a = s[i + k], b = from[k];
                if ((flags & rfIgnoreCase) ? fold(a) != fold(b) : a != b) {
                    match = false;
                    break;
                }
            }
        }
        if (match) {
            out.append(to);
            i += from.size();
            if (!(flags & rfReplaceAll)) {
                out.append(s.substr(i));
                return out;
            }
        } else {
            out += s[i++];
        }
    }
    return out;
}

template <class View, class Fold> int CompareImpl(View a, View b, Fold fold) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto x = fold(a[i]), y = fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace

std::string Format(const char* fmt, ...) {
    char small[256];
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        va_end(copy);
        return out;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else {
        out.resize(static_cast<size_t>(n));
        std::vsnprintf(out.data(), out.size() + 1, fmt, copy);
    }
    va_end(copy);
    return out;
}

AnsiString UpperCase(std::string_view s) {
    AnsiString out(s);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

AnsiString LowerCase(std::string_view s) {
    AnsiString out(s);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

AnsiString AnsiUpperCase(std::string_view s) {
    const auto& t = CaseTables().upper;
    AnsiString out(s);
    for (char& c : out) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
    return out;
}

AnsiString AnsiLowerCase(std::string_view s) {
    const auto& t = CaseTables().lower;
    AnsiString out(s);
    for (char& c : out) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
    return out;
}

WideString WideUpperCase(std::u16string_view s) {
    WideString out(s);
    for (char16_t& c : out) c = WideUpperChar(c);
    return out;
}

WideString WideLowerCase(std::u16string_view s) {
    WideString out(s);
    for (char16_t& c : out) c = WideLowerChar(c);
    return out;
}

int CompareStr(std::string_view a, std::string_view b) {
    return CompareImpl(a, b, [](char c) { return static_cast<unsigned char>(c); });
}

int CompareText(std::string_view a, std::string_view b) {
    return CompareImpl(a, b, [](char c) { return static_cast<unsigned char>(AsciiLower(c)); });
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
    const auto& t = CaseTables().lower;
    return CompareImpl(a, b, [&t](char c) { return t[static_cast<unsigned char>(c)]; });
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

int WideCompareStr(std::u16string_view a, std::u16string_view b) {
    return CompareImpl(a, b, [](char16_t c) { return c; });
}

int WideCompareText(std::u16string_view a, std::u16string_view b) {
    return CompareImpl(a, b, [](char16_t c) { return WideLowerChar(c); });
}

AnsiString Trim(std::string_view s) {
    return AnsiString(TrimEnds(s, true, true));
}
AnsiString TrimLeft(std::string_view s) {
    return AnsiString(TrimEnds(s, true, false));
}
AnsiString TrimRight(std::string_view s) {
    return AnsiString(TrimEnds(s, false, true));
}
WideString Trim(std::u16string_view s) {
    return WideString(TrimEnds(s, true, true));
}
WideString TrimLeft(std::u16string_view s) {
    return WideString(TrimEnds(s, true, false));
}
WideString TrimRight(std::u16string_view s) {
    return WideString(TrimEnds(s, false, true));
}

AnsiString StringReplace(std::string_view s, std::string_view from, std::string_view to,
                         unsigned flags) {
    return ReplaceImpl<AnsiString>(s, from, to, flags, AsciiLower);
}

WideString StringReplace(std::u16string_view s, std::u16string_view from, std::u16string_view to,
                         unsigned flags) {
    return ReplaceImpl<WideString>(s, from, to, flags, WideLowerChar);
}

bool StartsText(std::string_view prefix, std::string_view s) {
    return s.size() >= prefix.size() && CompareText(s.substr(0, prefix.size()), prefix) == 0;
}

bool StartsStr(std::string_view prefix, std::string_view s) {
    return s.starts_with(prefix);
}
bool EndsStr(std::string_view suffix, std::string_view s) {
    return s.ends_with(suffix);
}

AnsiString IntToHex(uint64_t value, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    AnsiString out;
    do {
        out += hex[value & 15];
        value >>= 4;
    } while (value);
    while (static_cast<int>(out.size()) < digits) out += '0';
    std::reverse(out.begin(), out.end());
    return out;
}

std::string WideAsciiToString(std::u16string_view s) {
    std::string out(s.size(), '\0');
    for (size_t i = 0; i < s.size(); ++i) out[i] = s[i] < 0x80 ? static_cast<char>(s[i]) : '?';
    return out;
}

WideString StringAsciiToWide(std::string_view s) {
    WideString out(s.size(), u'\0');
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        out[i] = c < 0x80 ? c : u'?';
    }
    return out;
}

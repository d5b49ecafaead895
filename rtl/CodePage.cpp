// Code page 1251 <-> UTF-16 through a table that iconv fills once, and UTF-8 <-> UTF-16.
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace {

struct CodePageTables {
    std::array<char16_t, 256> toWide{};
    // Indexed by code unit; 0 means "not in the code page" except for U+0000 itself.
    std::unique_ptr<std::array<unsigned char, 65536>> fromWide;

    CodePageTables() : fromWide(std::make_unique<std::array<unsigned char, 65536>>()) {
        fromWide->fill(0);
        for (int b = 0; b < 128; ++b) toWide[b] = static_cast<char16_t>(b);
        iconv_t cd = iconv_open("UTF-16LE", "CP1251");
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw EOutOfResources("The code page 1251 converter is not available");
        for (int b = 128; b < 256; ++b) {
            char in = static_cast<char>(b);
            unsigned char out[4] = {};
            char* inPtr = &in;
            char* outPtr = reinterpret_cast<char*>(out);
            size_t inLeft = 1, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
            // The code page leaves 0x98 undefined: keep it as the C1 control of the same
            // number so that every byte survives a round trip.
            if (r == static_cast<size_t>(-1) || outLeft != 2)
                toWide[b] = static_cast<char16_t>(b);
            else
                toWide[b] = static_cast<char16_t>(out[0] | (out[1] << 8));
        }
        iconv_close(cd);
        for (int b = 1; b < 256; ++b) (*fromWide)[toWide[b]] = static_cast<unsigned char>(b);
    }
};

const CodePageTables& Tables() {
    static const CodePageTables tables;
    return tables;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16(WideString& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

// Decodes one code point at `i` and advances; malformed sequences give U+FFFD and advance
// by one byte so that the rest of the text is kept.
char32_t NextUtf8(std::string_view s, size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int extra;
    char32_t cp;
    char32_t minimum;
    if ((c & 0xE0) == 0xC0) {
        extra = 1, cp = c & 0x1F, minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2, cp = c & 0x0F, minimum = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3, cp = c & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + extra >= s.size()) { // truncated at the end
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        unsigned char cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += extra + 1;
    return cp;
}

} // namespace

char16_t AnsiCharToWide(unsigned char c) {
    return Tables().toWide[c];
}

char WideCharToAnsi(char16_t c) {
    if (c < 0x80) return static_cast<char>(c);
    unsigned char b = (*Tables().fromWide)[c];
    return b ? static_cast<char>(b) : '?';
}

WideString AnsiToWide(std::string_view ansi) {
    const auto& t = Tables().toWide;
    WideString out(ansi.size(), u'\0');
    for (size_t i = 0; i < ansi.size(); ++i) out[i] = t[static_cast<unsigned char>(ansi[i])];
    return out;
}

AnsiString WideToAnsi(std::u16string_view wide) {
    const auto& t = *Tables().fromWide;
    AnsiString out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        char16_t c = wide[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        // A surrogate pair is one character: one '?'.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF)
            ++i;
        unsigned char b = t[c];
        out += b ? static_cast<char>(b) : '?';
    }
    return out;
}

std::string WideToUtf8(std::u16string_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a lone surrogate
        }
        AppendUtf8(out, c);
    }
    return out;
}

WideString Utf8ToWide(std::string_view utf8) {
    WideString out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) AppendUtf16(out, NextUtf8(utf8, i));
    return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
    const auto& t = Tables().toWide;
    std::string out;
    out.reserve(ansi.size() * 2);
    for (char c : ansi) AppendUtf8(out, t[static_cast<unsigned char>(c)]);
    return out;
}

AnsiString Utf8ToAnsi(std::string_view utf8) {
    const auto& t = *Tables().fromWide;
    AnsiString out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = NextUtf8(utf8, i);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else {
            unsigned char b = cp < 0x10000 ? t[cp] : 0;
            out += b ? static_cast<char>(b) : '?';
        }
    }
    return out;
}

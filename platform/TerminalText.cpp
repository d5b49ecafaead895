#include "platform/TerminalText.h"

#include <cerrno>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace {

bool SameName(std::string_view a, std::string_view b) {
    // Encoding names are compared without case and without "-" or "_" ("utf8" is "UTF-8").
    auto next = [](std::string_view& s) {
        while (!s.empty() && (s.front() == '-' || s.front() == '_')) s.remove_prefix(1);
        if (s.empty()) return '\0';
        const char c = s.front();
        s.remove_prefix(1);
        return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    };
    for (;;) {
        const char x = next(a), y = next(b);
        if (x != y) return false;
        if (!x) return true;
    }
}

// One open conversion, closed however the caller leaves.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(::iconv_open(to, from)) {}
    ~Converter() {
        if (Ok()) ::iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // Converts as much as it can; returns 0 or the errno that stopped it, with `in` left at
    // the first byte not converted.
    int Convert(std::string_view& in, std::string& out) {
        char buffer[256];
        while (!in.empty()) {
            char* inPtr = const_cast<char*>(in.data());
            std::size_t inLeft = in.size();
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t done = ::iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            const int error = done == static_cast<std::size_t>(-1) ? errno : 0;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            in.remove_prefix(in.size() - inLeft);
            if (error && error != E2BIG) return error;
        }
        return 0;
    }

private:
    iconv_t m_cd;
};

// The first character of `text` in UTF-8, empty when it is not one.
std::string FirstCharacter(std::string_view text, const std::string& encoding) {
    for (std::size_t n = 1; n <= text.size() && n <= 8; ++n) {
        Converter toUtf8("UTF-8", encoding.c_str());
        std::string_view part = text.substr(0, n);
        std::string out;
        if (toUtf8.Ok() && toUtf8.Convert(part, out) == 0 && part.empty() && !out.empty())
            return out;
    }
    return {};
}

} // namespace

std::string TerminalEncoding() {
    std::string name;
    if (locale_t locale = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0))) {
        if (const char* codeset = ::nl_langinfo_l(CODESET, locale)) name = codeset;
        ::freelocale(locale);
    }
    if (name.empty() || SameName(name, "ANSI_X3.4-1968") || SameName(name, "ASCII") ||
        SameName(name, "US-ASCII"))
        return "UTF-8";
    return name;
}

bool TerminalTextToAnsi(std::string_view text, const std::string& encoding, AnsiString& ansi,
                        std::string& error) {
    ansi.clear();
    error.clear();
    if (SameName(encoding, "CP1251") || SameName(encoding, "WINDOWS-1251")) {
        ansi = AnsiString(text);
        return true;
    }
    Converter toAnsi("CP1251", encoding.c_str());
    if (!toAnsi.Ok()) {
        error = "the terminal's encoding " + encoding + " cannot be converted to code page 1251";
        return false;
    }
    std::string_view rest = text;
    const int failure = toAnsi.Convert(rest, ansi);
    if (!failure) return true;
    ansi.clear();
    if (failure == EILSEQ) {
        // Either the bytes are not text in that encoding or the character has no place in the
        // code page: whether the character at the stop reads as one tells which.
        const std::string character = FirstCharacter(rest, encoding);
        if (!character.empty()) {
            error = "\"" + character + "\" has no place in code page 1251";
            return false;
        }
    }
    error = "the text is not valid " + encoding + " (the terminal's encoding)";
    return false;
}

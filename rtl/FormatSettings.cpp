// Reads the user's number and date conventions once, without changing the global locale.
#include "rtl/FormatSettings.h"

#include <clocale>
#include <langinfo.h>
#include <locale.h>
#include <string_view>

namespace {

// A single-byte separator from the locale's text; multi-byte ones (a no-break space in UTF-8)
// become a plain blank.
char SeparatorChar(const char* text, char fallback) {
    if (!text || !*text) return fallback;
    if (static_cast<unsigned char>(text[0]) < 0x80 && text[1] == '\0') return text[0];
    return ' ';
}

// Translates a strftime date pattern ("%d.%m.%Y") into ours ("dd.mm.yyyy").
bool DatePattern(std::string_view fmt, std::string& pattern, char& separator) {
    std::string out;
    char sep = 0;
    for (size_t i = 0; i < fmt.size(); ++i) {
        char c = fmt[i];
        if (c == '%' && i + 1 < fmt.size()) {
            char f = fmt[++i];
            while ((f == '-' || f == '0' || f == 'E' || f == 'O') && i + 1 < fmt.size())
                f = fmt[++i];
            switch (f) {
            case 'd':
            case 'e':
                out += "dd";
                break;
            case 'm':
                out += "mm";
                break;
            case 'y':
                out += "yy";
                break;
            case 'Y':
            case 'C':
                out += "yyyy";
                break;
            case 'D':
                out += "mm/dd/yy", sep = '/';
                break;
            case 'F':
                out += "yyyy/mm/dd", sep = '-';
                break;
            default:
                return false;
            }
        } else if (c == '.' || c == '/' || c == '-') {
            if (!sep) sep = c;
            out += '/';
        } else {
            return false;
        }
    }
    if (out.find('d') == std::string::npos || out.find('m') == std::string::npos) return false;
    pattern = out;
    separator = sep ? sep : '/';
    return true;
}

TFormatSettings Initial() {
    return LocaleFormatSettings();
}

} // namespace

TFormatSettings LocaleFormatSettings() {
    TFormatSettings fs;
    if (locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0))) {
        fs.DecimalSeparator = SeparatorChar(nl_langinfo_l(RADIXCHAR, loc), '.');
        if (fs.DecimalSeparator == ' ') fs.DecimalSeparator = '.';
        char defaultThousand = fs.DecimalSeparator == ',' ? ' ' : ',';
        fs.ThousandSeparator = SeparatorChar(nl_langinfo_l(THOUSEP, loc), defaultThousand);
        if (fs.ThousandSeparator == fs.DecimalSeparator) fs.ThousandSeparator = defaultThousand;
        freelocale(loc);
    }
    if (locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0))) {
        const char* dfmt = nl_langinfo_l(D_FMT, loc);
        std::string pattern;
        char sep;
        // The C locale's "%m/%d/%y" keeps our four-digit default.
        if (dfmt && std::string_view(dfmt) != "%m/%d/%y" && DatePattern(dfmt, pattern, sep)) {
            fs.ShortDateFormat = pattern;
            fs.DateSeparator = sep;
        }
        freelocale(loc);
    }
    return fs;
}

TFormatSettings FormatSettings = Initial();

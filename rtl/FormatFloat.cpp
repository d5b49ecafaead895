// FormatFloat: a float through a picture mask of digit placeholders and literal text.
#include "rtl/DecimalDigits.h"
#include "rtl/NumberText.h"

#include <cmath>
#include <vector>

namespace {

// Splits at ';' outside quotes.
std::vector<std::string_view> Sections(std::string_view mask) {
    std::vector<std::string_view> out;
    size_t start = 0;
    char quote = 0;
    for (size_t i = 0; i < mask.size(); ++i) {
        char c = mask[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            out.push_back(mask.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(mask.substr(start));
    return out;
}

struct MaskInfo {
    int intPlaceholders = 0; // '0' and '#' before the point
    int intZeros = 0;        // placeholders from the first '0' up to the point
    int fracMax = 0;         // placeholders after the point
    int fracMin = 0;         // up to the last '0' after the point
    bool thousands = false;
    bool scientific = false;
    int expDigits = 0;
};

MaskInfo Analyse(std::string_view m) {
    MaskInfo info;
    bool afterPoint = false;
    bool seenZero = false;
    char quote = 0;
    for (size_t i = 0; i < m.size(); ++i) {
        char c = m[i];
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
        } else if ((c == 'E' || c == 'e') && i + 1 < m.size() &&
                   (m[i + 1] == '+' || m[i + 1] == '-')) {
            info.scientific = true;
            i += 2;
            while (i < m.size() && m[i] == '0') ++info.expDigits, ++i;
            --i;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c == ',' && !afterPoint) {
            info.thousands = true;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                ++info.fracMax;
                if (c == '0') info.fracMin = info.fracMax;
            } else {
                ++info.intPlaceholders;
                if (c == '0') seenZero = true;
                if (seenZero) ++info.intZeros;
            }
        }
    }
    return info;
}

} // namespace

AnsiString FormatFloat(std::string_view mask, double value) {
    return FormatFloat(mask, value, FormatSettings);
}

AnsiString FormatFloat(std::string_view mask, double value, const TFormatSettings& fs) {
    if (std::isnan(value) || std::isinf(value) || mask.empty()) return FloatToStr(value, fs);
    auto sections = Sections(mask);
    std::string_view section = sections[0];
    bool writeSign = true;
    if (value < 0 && sections.size() > 1 && !sections[1].empty()) {
        section = sections[1];
        writeSign = false;
    }
    MaskInfo info = Analyse(section);

    DecimalDigits d;
    int shownExponent = 0;
    if (info.scientific) {
        int significant = std::max(1, info.intPlaceholders) + info.fracMax;
        d = ToDecimalDigits(value, std::min(significant, kMaxDecimalDigits), kUnlimitedDecimals);
        if (!d.IsZero()) {
            int intWanted = std::max(1, info.intPlaceholders);
            shownExponent = d.exponent - intWanted;
            d.exponent = intWanted;
        }
    } else {
        d = ToDecimalDigits(value, kMaxDecimalDigits, info.fracMax);
    }
    if (d.IsZero() && sections.size() > 2 && !sections[2].empty()) {
        section = sections[2];
        info = Analyse(section);
        d = DecimalDigits{};
        writeSign = false;
    }

    // Integer digits (at least intZeros of them) and fraction digits (trimmed to fracMin).
    std::string intDigits;
    for (int i = 0; i < d.exponent; ++i) intDigits += i < d.count ? d.digits[i] : '0';
    while (static_cast<int>(intDigits.size()) < info.intZeros)
        intDigits.insert(intDigits.begin(), '0');
    std::string fracDigits;
    for (int k = 0; k < info.fracMax; ++k) {
        int i = d.exponent + k;
        fracDigits += (i >= 0 && i < d.count) ? d.digits[i] : '0';
    }
    while (static_cast<int>(fracDigits.size()) > info.fracMin && fracDigits.back() == '0')
        fracDigits.pop_back();

    std::string out;
    if (writeSign && d.negative && !d.IsZero()) out += '-';
    bool afterPoint = false;
    int intSeen = 0; // integer placeholders passed
    size_t fracPos = 0;
    char quote = 0;
    const int total = static_cast<int>(intDigits.size());
    auto emitIntDigit = [&](int fromRight) {
        // fromRight counts digit positions from the units place (0).
        out += intDigits[static_cast<size_t>(total - 1 - fromRight)];
        if (info.thousands && fromRight > 0 && fromRight % 3 == 0) out += fs.ThousandSeparator;
    };
    for (size_t i = 0; i < section.size(); ++i) {
        char c = section[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                out += c;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
        } else if ((c == 'E' || c == 'e') && i + 1 < section.size() &&
                   (section[i + 1] == '+' || section[i + 1] == '-')) {
            bool plus = section[i + 1] == '+';
            out += c;
            if (shownExponent < 0)
                out += '-';
            else if (plus)
                out += '+';
            std::string e = std::to_string(std::abs(shownExponent));
            while (static_cast<int>(e.size()) < info.expDigits) e.insert(e.begin(), '0');
            out += e;
            i += 2;
            while (i < section.size() && section[i] == '0') ++i;
            --i;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
            if (!fracDigits.empty()) out += fs.DecimalSeparator;
        } else if (c == ',' && !afterPoint) {
            // only switches grouping on
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                if (fracPos < fracDigits.size()) out += fracDigits[fracPos];
                ++fracPos;
            } else {
                int place = info.intPlaceholders - 1 - intSeen; // this placeholder's place
                if (intSeen == 0)
                    for (int k = total - 1; k > place; --k) emitIntDigit(k); // extra digits
                if (place < total) emitIntDigit(place);
                ++intSeen;
            }
        } else {
            out += c;
        }
    }
    return out;
}

#include "table/DecimalText.h"

#include "rtl/NumberText.h"

namespace {

// Plain decimals ("185", "1,85", "10.5"): up to 15 digits with at most one mark between
// them. The digits form an integer that a double holds exactly, and one division by an
// exact power of ten rounds correctly, so the result equals the general reader's. Anything
// else (blanks, signs, exponents, longer numbers) is left to the general reader.
template <typename Char>
bool TryReadPlainDecimal(std::basic_string_view<Char> text, double& value) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr size_t kMaxDigits = 15;
    if (text.empty() || text.size() > kMaxDigits + 1) return false;
    int64_t digits = 0;
    size_t digitCount = 0;
    size_t markAt = text.size();
    for (size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + (c - '0');
            ++digitCount;
        } else if ((c == '.' || c == ',') && markAt == text.size()) {
            markAt = i;
        } else {
            return false;
        }
    }
    if (digitCount == 0 || digitCount > kMaxDigits) return false;
    const size_t decimals = markAt == text.size() ? 0 : text.size() - markAt - 1;
    value = double(digits) / kPowersOfTen[decimals];
    return true;
}

} // namespace

bool TryReadDecimal(std::string_view text, double& value) {
    if (TryReadPlainDecimal(text, value)) return true;
    if (TryStrToFloat(text, value, FormatSettings)) return true;
    TFormatSettings settings = FormatSettings;
    for (char mark : {'.', ','}) {
        if (mark == FormatSettings.DecimalSeparator) continue;
        settings.DecimalSeparator = mark;
        if (TryStrToFloat(text, value, settings)) return true;
    }
    return false;
}

bool TryReadDecimal(std::u16string_view text, double& value) {
    if (TryReadPlainDecimal(text, value)) return true;
    // Characters outside ASCII become '?', which no number holds, so nothing is lost. Short
    // texts are narrowed on the stack.
    char buffer[64];
    if (text.size() <= sizeof buffer) {
        for (size_t i = 0; i < text.size(); ++i) buffer[i] = text[i] < 0x80 ? char(text[i]) : '?';
        return TryReadDecimal(std::string_view(buffer, text.size()), value);
    }
    return TryReadDecimal(WideAsciiToString(text), value);
}

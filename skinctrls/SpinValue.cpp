#include "skinctrls/SpinValue.h"

#include <algorithm>
#include <cmath>

#include "rtl/NumberText.h"

double TspSpinRange::Limit(double x) const {
    if (!Limited()) return x;
    if (x < minValue) return minValue;
    if (x > maxValue) return maxValue;
    return x;
}

AnsiString FormatSpinValue(double value, TspValueType type, int decimals) {
    if (!std::isfinite(value)) value = 0;
    if (type == vtFloat) return FloatToStrF(value, ffFixed, 15, std::clamp(decimals, 0, 18));
    double rounded = std::nearbyint(value); // the default rounding mode: ties to even
    if (std::fabs(rounded) < 9.0e18) return IntToStr(int64_t(rounded));
    return FloatToStrF(rounded, ffFixed, 15, 0);
}

bool SpinTextPassesCheck(const AnsiString& text, TspValueType type) {
    if (text.empty() || text == "-") return false;
    char sep = FormatSettings.DecimalSeparator;
    int seps = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') continue;
        if (c == '-') {
            if (i != 0) return false;
            continue;
        }
        if (type == vtFloat && c == sep) {
            if (i == 0 || ++seps > 1) return false;
            continue;
        }
        return false;
    }
    return true;
}

double ConvertSpinText(const AnsiString& text, TspValueType type) {
    if (type == vtFloat) return StrToFloat(text);
    return double(StrToInt(text));
}

bool SpinTextNeedsRewrite(double typed, double limited, const TspSpinRange& range) {
    double p = typed, x = limited;
    if (x < p && (x >= 0 || p >= 0)) return true;
    if (x < 0 && p < 0 && x > p) return true;
    if (range.minValue > 0 && p < 0) return true;
    if (range.maxValue < 0 && p > 0) return true;
    return false;
}

bool SpinKeyAllowed(char key, const AnsiString& text, TspValueType type, bool editorEnabled) {
    auto u = static_cast<unsigned char>(key);
    if (!editorEnabled && (u == 8 || u >= 32)) return false;
    if (u < 32) return u != 13;
    if (key >= '0' && key <= '9') return true;
    if (key == '-') return text.find('-') == AnsiString::npos;
    if (type == vtFloat && key == FormatSettings.DecimalSeparator)
        return text.find(key) == AnsiString::npos;
    return false;
}

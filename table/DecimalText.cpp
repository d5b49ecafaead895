#include "table/DecimalText.h"

#include "rtl/NumberText.h"

bool TryReadDecimal(std::string_view text, double& value) {
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
    // Characters outside ASCII become '?', which no number holds, so nothing is lost. Short
    // texts (every odds value) are narrowed on the stack: the filter reads three per row.
    char buffer[64];
    if (text.size() <= sizeof buffer) {
        for (size_t i = 0; i < text.size(); ++i) buffer[i] = text[i] < 0x80 ? char(text[i]) : '?';
        return TryReadDecimal(std::string_view(buffer, text.size()), value);
    }
    return TryReadDecimal(WideAsciiToString(text), value);
}

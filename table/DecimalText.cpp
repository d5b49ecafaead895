#include "table/DecimalText.h"

#include "rtl/NumberText.h"

bool TryReadDecimal(std::string_view text, double& value) {
    TFormatSettings settings = FormatSettings;
    if (TryStrToFloat(text, value, settings)) return true;
    for (char mark : {'.', ','}) {
        if (mark == FormatSettings.DecimalSeparator) continue;
        settings.DecimalSeparator = mark;
        if (TryStrToFloat(text, value, settings)) return true;
    }
    return false;
}

bool TryReadDecimal(std::u16string_view text, double& value) {
    // Characters outside ASCII become '?', which no number holds, so nothing is lost.
    return TryReadDecimal(WideAsciiToString(text), value);
}

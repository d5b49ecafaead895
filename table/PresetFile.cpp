#include "table/PresetFile.h"

#include "rtl/FileUtils.h"
#include "rtl/NumberText.h"
#include "rtl/StringList.h"
#include "table/DecimalText.h"

AnsiString FormatPresetText(const TFilterValues& values) {
    TStringList lines;
    for (double value : values) lines.Add(FloatToStr(value));
    return lines.Text();
}

void SavePresetFile(const std::string& fileName, const TFilterValues& values) {
    WriteFileAtomically(fileName, FormatPresetText(values));
}

double ReadPresetLine(int index, std::string_view line) {
    double value = 0;
    if (TryReadDecimal(line, value)) return value;
    return kFilterEdits.at(index).StartValue;
}

void LoadPresetFile(const std::string& fileName,
                    const std::function<void(int index, double value)>& apply) {
    TStringList lines;
    lines.LoadFromFile(fileName);
    for (int i = 0; i < kFilterValueCount; ++i) {
        // Strings() raises the list's index error at the first missing line.
        apply(i, ReadPresetLine(i, lines.Strings(i)));
    }
}

#include "table/PresetFile.h"

#include "rtl/Exceptions.h"
#include "rtl/FileUtils.h"
#include "rtl/NumberText.h"
#include "rtl/StringList.h"
#include "table/DecimalText.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

AnsiString FormatPresetText(const TFilterValues& values) {
    TStringList lines;
    for (double value : values) lines.Add(FloatToStr(value));
    return lines.Text();
}

namespace {

// Writes `bytes` to a file that must not exist yet; returns 0 or the errno of the failure.
int WriteNewFile(const std::string& fileName, const AnsiString& bytes) {
    FILE* file = std::fopen(fileName.c_str(), "wbx");
    if (!file) return errno;
    int error = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fflush(file))
        error = errno ? errno : EIO;
    if (!error && ::fsync(fileno(file)) != 0 && errno != EINVAL) error = errno;
    if (std::fclose(file) != 0 && !error) error = errno ? errno : EIO;
    return error;
}

} // namespace

void SavePresetFile(const std::string& fileName, const TFilterValues& values) {
    const AnsiString text = FormatPresetText(values);
    const std::string temp = fileName + ".~" + std::to_string(::getpid()) + ".tmp";
    errno = 0;
    if (const int error = WriteNewFile(temp, text)) {
        DeleteFile(temp);
        FileCreateError(fileName, error);
    }
    if (std::rename(temp.c_str(), fileName.c_str()) != 0) {
        const int error = errno;
        DeleteFile(temp);
        FileCreateError(fileName, error);
    }
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

// Text the program reads from files: preset files, the credentials file, lines of any text
// file, and numbers written as text. What is read and written back must read the same again.
#include "fuzz/FuzzTargets.h"
#include "rtl/Exceptions.h"
#include "rtl/NumberText.h"
#include "rtl/StringList.h"
#include "table/DecimalText.h"
#include "table/Highlights.h"
#include "table/PresetFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>

namespace {

// One file of this process, rewritten for every input: the readers take file names.
const std::string& ScratchFile() {
    static const std::string path =
        (std::filesystem::temp_directory_path() /
         ("brelvan-fuzz-" + std::to_string(std::random_device{}()) + ".txt"))
            .string();
    return path;
}

const std::string& WriteScratch(const std::uint8_t* data, std::size_t size) {
    std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return ScratchFile();
}

bool HasLineBreakOrZero(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Reads a preset file; the values applied and whether it was short.
std::vector<double> LoadPreset(const std::string& path, bool& shortFile, int& missingLine) {
    std::vector<double> values;
    shortFile = false;
    try {
        LoadPresetFile(path, [&values](int index, double value) {
            FuzzCheck(index == static_cast<int>(values.size()), "preset values out of order");
            values.push_back(value);
        });
    } catch (const EListError& e) {
        shortFile = true;
        missingLine = static_cast<int>(values.size());
        FuzzCheck(e.Message() == "List index out of bounds (" + std::to_string(missingLine) + ")",
                  "a short preset file raised: " + e.Message());
    }
    return values;
}

} // namespace

int FuzzPreset(const std::uint8_t* data, std::size_t size) {
    bool shortFile = false;
    int missing = -1;
    const std::vector<double> values = LoadPreset(WriteScratch(data, size), shortFile, missing);
    TStringList lines;
    lines.SetText(std::string_view(reinterpret_cast<const char*>(data), size));
    FuzzCheck(shortFile == (lines.Count() < kFilterValueCount), "a preset file's length misread");
    if (shortFile) FuzzCheck(missing == lines.Count(), "the wrong missing line was named");
    if (shortFile) return 0;
    for (double v : values)
        if (!std::isfinite(v)) return 0; // written as text no reader takes back
    // Written and read twice: the second reading gives what the first wrote.
    TFilterValues first{};
    std::copy(values.begin(), values.end(), first.begin());
    const AnsiString text = FormatPresetText(first);
    const std::vector<double> again =
        LoadPreset(WriteScratch(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                   shortFile, missing);
    TFilterValues second{};
    std::copy(again.begin(), again.end(), second.begin());
    const AnsiString text2 = FormatPresetText(second);
    FuzzCheck(text == text2, "a preset written back reads differently: " + text + " / " + text2);
    return 0;
}

// The credentials file: the login on its first line, the password on its second, read as
// the window reads any text file.
int FuzzCredentials(const std::uint8_t* data, std::size_t size) {
    TStringList lines;
    lines.LoadFromFile(WriteScratch(data, size));
    AnsiString login, password;
    try {
        login = lines.Strings(0);
        password = lines.Strings(1);
    } catch (const EListError& e) {
        FuzzCheck(lines.Count() < 2 && e.Message() == "List index out of bounds (" +
                                                          std::to_string(lines.Count()) + ")",
                  "the credentials file raised: " + e.Message());
        return 0;
    }
    FuzzCheck(!HasLineBreakOrZero(login) && !HasLineBreakOrZero(password),
              "a line holds a line break");
    // Written as the window writes it and read again: the same two lines.
    const AnsiString written = login + "\r\n" + password + "\r\n";
    TStringList again;
    again.LoadFromFile(
        WriteScratch(reinterpret_cast<const std::uint8_t*>(written.data()), written.size()));
    FuzzCheck(again.Count() == 2 && again[0] == login && again[1] == password,
              "the credentials written back read differently");
    return 0;
}

int FuzzStringList(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TStringList lines;
    lines.SetText(text);
    std::size_t breaks = 0;
    for (char c : text.substr(0, text.find('\0'))) breaks += c == '\n' || c == '\r';
    FuzzCheck(static_cast<std::size_t>(lines.Count()) <= breaks + 1, "more lines than breaks");
    for (int i = 0; i < lines.Count(); ++i)
        FuzzCheck(!HasLineBreakOrZero(lines[i]), "a line holds a line break");
    TStringList again;
    again.SetText(lines.Text());
    FuzzCheck(again.Equals(lines), "the lines written back read differently");
    TStringList fromComma;
    fromComma.SetCommaText(lines.CommaText());
    FuzzCheck(fromComma.Equals(lines) || lines.Count() == 0,
              "the lines as comma text read back differently: " + lines.CommaText());
    return 0;
}

// Numbers: whatever reader takes a text, the others agree with it, and a number written out
// reads back as itself.
int FuzzNumbers(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    TFormatSettings settings;
    settings.DecimalSeparator = data[0] & 1 ? ',' : '.';
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    double value = 0;
    const bool isFloat = TryStrToFloat(text, value, settings);
    try {
        const double strict = StrToFloat(text, settings);
        FuzzCheck(isFloat && (strict == value || (std::isnan(strict) && std::isnan(value))),
                  "StrToFloat and TryStrToFloat disagree");
    } catch (const EConvertError&) {
        FuzzCheck(!isFloat, "StrToFloat refused what TryStrToFloat took");
    }
    if (isFloat && std::isfinite(value)) {
        const AnsiString once = FloatToStr(value, settings);
        double back = 0;
        FuzzCheck(TryStrToFloat(once, back, settings), "FloatToStr wrote unreadable " + once);
        FuzzCheck(FloatToStr(back, settings) == once, "FloatToStr does not read back: " + once);
    }

    int integer = 0;
    const bool isInt = TryStrToInt(text, integer);
    FuzzCheck(StrToIntDef(text, -12345) == (isInt ? integer : -12345), "StrToIntDef disagrees");
    if (isInt) FuzzCheck(StrToInt(IntToStr(integer)) == integer, "IntToStr does not read back");
    int64_t wide = 0;
    if (TryStrToInt64(text, wide)) {
        FuzzCheck(StrToInt64(IntToStr(wide)) == wide, "IntToStr does not read back (64 bits)");
        // Hexadecimal text is a bit pattern, so $FFFFFFFF is -1 in 32 bits; decimals agree.
        const bool hex = text.find_first_of("$xX") != std::string_view::npos;
        if (isInt)
            FuzzCheck(hex ? std::uint32_t(wide) == std::uint32_t(integer) : wide == integer,
                      "the 32- and 64-bit readers disagree");
    }

    double decimal = 0;
    if (TryReadDecimal(text, decimal) && std::isfinite(decimal)) {
        double back = 0;
        FuzzCheck(TryReadDecimal(FloatToStr(decimal), back) &&
                      FloatToStr(back) == FloatToStr(decimal),
                  "a decimal written out does not read back");
    }
    (void)HighlightValue(text);
    bool flag = false;
    if (TryStrToBool(text, flag))
        FuzzCheck(StrToBool(text) == flag, "the boolean readers disagree");
    return 0;
}

#include "table/PresetFile.h"

#include "rtl/Exceptions.h"
#include "rtl/FileUtils.h"
#include "tests/rtl/FileSizeLimit.h"
#include "tests/rtl/Unprivileged.h"
#include "tests/table/TableTestSupport.h"

#include <filesystem>
#include <vector>

namespace {

struct Applied {
    std::vector<int> indexes;
    TFilterValues values = FilterStartValues();
};

Applied Load(const std::string& fileName) {
    Applied result;
    LoadPresetFile(fileName, [&](int index, double value) {
        result.indexes.push_back(index);
        result.values[index] = value;
    });
    return result;
}

TFilterValues SampleValues() {
    return {1.5, 2.75, 1.01, 999.99, 3.25, 7,  10, 90, 0, 55,
            5,   50.5, 60,   100,    0,    81, 12, 77, 3, 400};
}

} // namespace

TEST(PresetFile, StartValuesUnderACommaLocale) {
    DecimalSeparatorScope comma(',');
    std::string expected;
    for (int i = 0; i < 3; ++i) expected += "1,01\r\n1000\r\n";
    for (int i = 0; i < 6; ++i) expected += "0\r\n100\r\n";
    expected += "0\r\n1000\r\n";
    EXPECT_EQ(FormatPresetText(FilterStartValues()), expected);
}

TEST(PresetFile, ShortestFormWithTheLocaleMark) {
    TFilterValues values = FilterStartValues();
    values[0] = 0.1 + 0.2; // needs all fifteen digits
    values[1] = 12.5;
    {
        DecimalSeparatorScope point('.');
        EXPECT_EQ(FormatPresetText(values).substr(0, 23), "0.3\r\n12.5\r\n1.01\r\n1000\r\n");
    }
    DecimalSeparatorScope comma(',');
    EXPECT_EQ(FormatPresetText(values).substr(0, 11), "0,3\r\n12,5\r\n");
}

TEST(PresetFile, RoundTripsUnderEitherSeparator) {
    ScratchFolder folder;
    for (char separator : {',', '.'}) {
        DecimalSeparatorScope scope(separator);
        const std::string path = folder.File(std::string("preset") + separator + ".brelvan");
        SavePresetFile(path, SampleValues());
        const Applied loaded = Load(path);
        EXPECT_EQ(loaded.values, SampleValues()) << separator;
        EXPECT_EQ(loaded.indexes.size(), 20u);
        EXPECT_EQ(loaded.indexes.front(), 0);
        EXPECT_EQ(loaded.indexes.back(), 19);
    }
}

TEST(PresetFile, SavedUnderOneLocaleLoadsUnderTheOther) {
    ScratchFolder folder;
    const std::string path = folder.File("moved.brelvan");
    {
        DecimalSeparatorScope comma(',');
        SavePresetFile(path, SampleValues());
    }
    DecimalSeparatorScope point('.');
    EXPECT_EQ(Load(path).values, SampleValues());
}

TEST(PresetFile, UnreadableLinesTakeTheirEditsStartValue) {
    DecimalSeparatorScope comma(',');
    ScratchFolder folder;
    const std::string path = folder.File("odd.brelvan");
    // Line 1 empty, line 2 text, line 8 a blank, line 20 a thousands-style number; mixed
    // line ends; two extra lines that must be ignored.
    std::string text = "\r\nabc\n1.5\r2,5\r\n3\r\n4\r\n5\r\n \r\n7\r\n8\r\n";
    text += "9\r\n10\r\n11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n17\r\n1.000.000\r\nextra\r\n5\r\n";
    WriteFileBytes(path, text);
    const Applied loaded = Load(path);
    EXPECT_EQ(loaded.values[0], 1.01);
    EXPECT_EQ(loaded.values[1], 1000);
    EXPECT_EQ(loaded.values[2], 1.5);
    EXPECT_EQ(loaded.values[3], 2.5);
    EXPECT_EQ(loaded.values[7], 100);
    EXPECT_EQ(loaded.values[18], 17);
    EXPECT_EQ(loaded.values[19], 1000);
    EXPECT_EQ(loaded.indexes.size(), 20u);
}

TEST(PresetFile, ValuesOutsideTheEditsAreKeptForTheEditToBound) {
    // The reader hands on what the file says; bringing it into range is the edit's part.
    EXPECT_EQ(ReadPresetLine(0, "0"), 0);
    EXPECT_EQ(ReadPresetLine(7, "250"), 250);
    EXPECT_EQ(ReadPresetLine(7, "50.5"), 50.5);
    EXPECT_EQ(ClampFilterValue(0, 0), 0.01);
    EXPECT_EQ(ClampFilterValue(7, 250), 100);
    EXPECT_EQ(ClampFilterValue(7, 0), 1);
    EXPECT_EQ(ClampFilterValue(19, 1001), 1000);
    EXPECT_EQ(ClampFilterValue(11, 50.5), 50.5);
}

TEST(PresetFile, ShortFileAppliesTheLinesItHasThenFails) {
    ScratchFolder folder;
    const std::string path = folder.File("short.brelvan");
    WriteFileBytes(path, "2\r\n3\r\n4\r\n5\r\n6\r\n");
    Applied applied;
    try {
        LoadPresetFile(path, [&](int index, double value) {
            applied.indexes.push_back(index);
            applied.values[index] = value;
        });
        FAIL() << "a five-line file must not load completely";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (5)");
    }
    EXPECT_EQ(applied.indexes, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(applied.values[4], 6);
    EXPECT_EQ(applied.values[5], 1000); // untouched

    WriteFileBytes(path, "");
    try {
        Load(path);
        FAIL() << "an empty file must fail";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (0)");
    }
}

TEST(PresetFile, MissingFileFailsBeforeApplyingAnything) {
    ScratchFolder folder;
    int calls = 0;
    try {
        LoadPresetFile(folder.File("absent.brelvan"), [&](int, double) { ++calls; });
        FAIL() << "no file, no load";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("Cannot open file \""), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("absent.brelvan"), std::string::npos);
    }
    EXPECT_EQ(calls, 0);
}

TEST(PresetFile, SaveReplacesAndKeepsTheNameAsGiven) {
    ScratchFolder folder;
    const std::string path = folder.File("noextension");
    WriteFileBytes(path, std::string(4000, 'x'));
    SavePresetFile(path, FilterStartValues());
    EXPECT_EQ(ReadFileBytes(path), FormatPresetText(FilterStartValues()));
    // Nothing else is left in the folder.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(PresetFile, SaveIntoAMissingFolderReportsTheTarget) {
    ScratchFolder folder;
    const std::string path = folder.File("no/such/folder/p.brelvan");
    try {
        SavePresetFile(path, FilterStartValues());
        FAIL() << "cannot save there";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot create file \"", 0), 0u) << e.Message();
        EXPECT_NE(e.Message().find("p.brelvan\". "), std::string::npos) << e.Message();
    }
}

TEST(PresetFile, FailedWriteLeavesTheEarlierFileWhole) {
    ScratchFolder folder;
    const std::string path = folder.File("kept.brelvan");
    const std::string earlier = "1,5\r\nearlier preset\r\n";
    WriteFileBytes(path, earlier);

    // A file size limit makes the write fail part-way, as a full disk would.
    bool failed = false;
    {
        TFileSizeLimit limit(16);
        ASSERT_TRUE(limit.Set());
        try {
            SavePresetFile(path, SampleValues());
        } catch (const EFCreateError&) {
            failed = true;
        }
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(ReadFileBytes(path), earlier);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(PresetFile, SavingOverAReadOnlyPresetIsRefusedAndKeepsIt) {
    ScratchFolder folder;
    const std::string path = folder.File("locked.brelvan");
    const std::string earlier = "1,5\r\nlocked preset\r\n";
    WriteFileBytes(path, earlier);
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    const std::string answer = RunUnprivileged(folder.Path().string(), [&]() -> std::string {
        try {
            SavePresetFile(path, SampleValues());
        } catch (const EFCreateError& e) {
            return e.Message();
        }
        return "saved";
    });
    EXPECT_EQ(answer, "Cannot create file \"" + path + "\". Permission denied");
    EXPECT_EQ(ReadFileBytes(path), earlier);
}

TEST(PresetFile, SavingOverAPresetKeepsItsMode) {
    ScratchFolder folder;
    const std::string path = folder.File("shared.brelvan");
    WriteFileBytes(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms(0664));
    SavePresetFile(path, SampleValues());
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0664));
    EXPECT_EQ(Load(path).values, SampleValues());
}

// Every file of every fuzz corpus, replayed through the target's own entry: the inputs the
// fuzzers found interesting, and the reproducers of every fault they found, stay covered by
// the ordinary test run.
#include "fuzz/FuzzTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

class CorpusReplay : public ::testing::TestWithParam<TFuzzTarget> {};

std::vector<fs::path> CorpusFiles(const std::string& name) {
    std::vector<fs::path> files;
    const fs::path folder = fs::path(BRELVAN_SOURCE_DIR) / "fuzz" / "corpus" / name;
    if (fs::is_directory(folder))
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST_P(CorpusReplay, EveryFileKeepsItsPromises) {
    const TFuzzTarget target = GetParam();
    const std::vector<fs::path> files = CorpusFiles(target.name);
    ASSERT_FALSE(files.empty()) << "no corpus for " << target.name;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        try {
            target.entry(bytes.data(), bytes.size());
        } catch (const TFuzzViolation& e) {
            ADD_FAILURE() << file.filename() << ": " << e.what();
        } catch (const std::exception& e) {
            ADD_FAILURE() << file.filename() << " let an exception escape: " << e.what();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay,
                         ::testing::ValuesIn(kFuzzTargets, kFuzzTargets + kFuzzTargetCount),
                         [](const ::testing::TestParamInfo<TFuzzTarget>& info) {
                             return std::string(info.param.name);
                         });

TEST(FuzzTargets, EachTextFormatHasADictionary) {
    for (const char* text :
         {"answer", "http", "proxy", "skinini", "preset", "credentials", "numbers", "stringlist"})
        EXPECT_TRUE(fs::exists(fs::path(BRELVAN_SOURCE_DIR) / "fuzz" / "dict" /
                               (std::string(text) + ".dict")))
            << text;
}

} // namespace

// flaggen as the build runs it: the source it writes holds every flag at 1, 2 and 3 pixels a
// point, and a flag folder that lacks a picture stops it with the file named and nothing
// half-written left behind.
#include "platform/Process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Quote(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string Slurp(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// The pictures of one array in the generated source, and the values in each.
struct ArrayShape {
    int pictures = 0;
    int smallest = 0, largest = 0;
};

ArrayShape ShapeOf(const std::string& source, const std::string& name) {
    ArrayShape shape;
    const std::size_t start = source.find("const uint32_t " + name + "[");
    if (start == std::string::npos) return shape;
    const std::size_t end = source.find("\n};", start);
    std::size_t open = source.find("{\n", source.find('=', start));
    while (open != std::string::npos && open < end) {
        const std::size_t close = source.find('}', open);
        int values = 0;
        for (std::size_t p = source.find("0x", open); p < close; p = source.find("0x", p + 1))
            ++values;
        shape.smallest = shape.pictures == 0 ? values : std::min(shape.smallest, values);
        shape.largest = std::max(shape.largest, values);
        ++shape.pictures;
        open = source.find("{\n", close);
    }
    return shape;
}

class Flaggen : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("brelvan-flaggen-" + std::to_string(ProcessId()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    TCommandResult Run(const fs::path& flags, const fs::path& output) {
        const std::string binary = std::string(BRELVAN_BINARY_DIR) + "/tools/flaggen/flaggen";
        return RunShellCommand(Quote(binary) + " " + Quote(flags.string()) + " " +
                               Quote(output.string()) + " 2>&1 </dev/null");
    }

    fs::path m_dir;
};

} // namespace

TEST_F(Flaggen, WritesEveryFlagAtEachScale) {
    const fs::path output = m_dir / "FlagArt.cpp";
    const TCommandResult run = Run(BRELVAN_FLAG_DIR, output);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string source = Slurp(output);
    const struct {
        const char* name;
        int pictures, values;
    } expected[] = {{"kFlagImagePixels", 103, 256},    {"kFlagImagePixels2x", 103, 1024},
                    {"kFlagImagePixels3x", 103, 2304}, {"kTabImagePixels", 2, 256},
                    {"kTabImagePixels2x", 2, 1024},    {"kTabImagePixels3x", 2, 2304}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const ArrayShape shape = ShapeOf(source, e.name);
        EXPECT_EQ(shape.pictures, e.pictures);
        EXPECT_EQ(shape.smallest, e.values);
        EXPECT_EQ(shape.largest, e.values);
    }
    EXPECT_FALSE(fs::exists(m_dir / "FlagArt.cpp.tmp"));

    // The same input gives the same source, byte for byte: the build's output is stable.
    const fs::path again = m_dir / "again.cpp";
    ASSERT_EQ(Run(BRELVAN_FLAG_DIR, again).exitCode, 0);
    EXPECT_TRUE(Slurp(again) == source);
}

TEST_F(Flaggen, AMissingFlagIsNamedAndNothingIsWritten) {
    // A copy of the package's folder without Germany's picture.
    const fs::path flags = m_dir / "flags";
    fs::create_directories(flags);
    for (const auto& entry : fs::directory_iterator(BRELVAN_FLAG_DIR))
        if (entry.path().filename() != "de.png")
            fs::copy_file(entry.path(), flags / entry.path().filename());
    const fs::path output = m_dir / "FlagArt.cpp";
    const TCommandResult run = Run(flags, output);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("de.png"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(output));
    EXPECT_FALSE(fs::exists(m_dir / "FlagArt.cpp.tmp"));
}

// Every command-line program, run as it is built: --help and --version answer on stdout with
// exit code 0, an unknown option is refused on one line of stderr, and an argument starting
// with "-" is never taken for a path (no folder named "--help" appears).
#include "platform/Process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Tool {
    const char* name;
    int usageExit;
};

// brelvan-cli keeps 1 for a usage error: 2 tells scripts that the program needs an update.
const Tool kTools[] = {{"brelvan", 2}, {"brelvan-cli", 1}, {"tipsd", 2},  {"skinpack", 2},
                       {"skingen", 2}, {"shots", 2},       {"flaggen", 2}};

// The window program is built in app/, the tools each in their folder of tools/.
std::string BinaryOf(const std::string& tool) {
    const std::string dir = tool == "brelvan" ? "/app/" : "/tools/" + tool + "/";
    return std::string(BRELVAN_BINARY_DIR) + dir + tool;
}

std::string Quote(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A fresh, empty working folder for each run, so that whatever a program writes shows.
class ToolOptions : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("brelvan-tools-" + std::to_string(ProcessId()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    ToolRun Start(const std::string& tool, const std::vector<std::string>& args) {
        const std::string binary = BinaryOf(tool);
        const std::filesystem::path err =
            m_dir.parent_path() / (m_dir.filename().string() + ".err");
        std::string command = "cd " + Quote(m_dir.string()) + " && " + Quote(binary);
        for (const std::string& arg : args) command += " " + Quote(arg);
        command += " 2>" + Quote(err.string()) + " </dev/null";
        const TCommandResult result = RunShellCommand(command);
        ToolRun run;
        run.exitCode = result.exitCode;
        run.out = result.output;
        std::ostringstream text;
        text << std::ifstream(err).rdbuf();
        run.err = text.str();
        std::filesystem::remove(err);
        return run;
    }
    int EntriesWritten() const {
        int entries = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_dir))
            ++entries;
        return entries;
    }

    std::filesystem::path m_dir;
};

} // namespace

TEST_F(ToolOptions, HelpPrintsTheUsageWithItsExitCodesAndWritesNothing) {
    for (const Tool& tool : kTools) {
        SCOPED_TRACE(tool.name);
        const ToolRun run = Start(tool.name, {"--help"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out.rfind(std::string("usage: ") + tool.name + " ", 0), 0u) << run.out;
        EXPECT_NE(run.out.find("--version"), std::string::npos);
        EXPECT_NE(run.out.find("xit codes"), std::string::npos);
        EXPECT_NE(run.out.find(std::to_string(tool.usageExit) + "  usage error"), std::string::npos)
            << run.out;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(EntriesWritten(), 0);
    }
}

TEST_F(ToolOptions, VersionPrintsTheNameAndTheBuiltVersion) {
    for (const Tool& tool : kTools) {
        const ToolRun run = Start(tool.name, {"--version"});
        EXPECT_EQ(run.exitCode, 0) << tool.name;
        EXPECT_EQ(run.out, std::string(tool.name) + " " + BRELVAN_VERSION + "\n");
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(ToolOptions, AnUnknownOptionIsRefusedOnOneLine) {
    for (const Tool& tool : kTools) {
        SCOPED_TRACE(tool.name);
        const ToolRun run = Start(tool.name, {"--no-such-option"});
        EXPECT_EQ(run.exitCode, tool.usageExit);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string(tool.name) + ": unknown option --no-such-option (" +
                               tool.name + " --help lists the options)\n");
        EXPECT_EQ(EntriesWritten(), 0);
    }
}

TEST_F(ToolOptions, AnArgumentStartingWithADashIsNeverAPath) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> runs = {
        {"brelvan", {"-startup-only"}},         {"shots", {"-out"}},
        {"shots", {"out", "--bogus"}},          {"skingen", {"-out"}},
        {"skingen", {"--preview", "-x.png"}},   {"skinpack", {"build", "-skin.ini", "out"}},
        {"skinpack", {"dump", "-x"}},           {"flaggen", {"-flags", "out.cpp"}},
        {"tipsd", {"--answer", "--verbose"}},   {"brelvan-cli", {"parse", "-answer"}},
        {"brelvan-cli", {"get", "-http://x/"}},
    };
    for (const auto& [tool, args] : runs) {
        SCOPED_TRACE(tool + " " + args.front() + " " + args.back());
        const ToolRun run = Start(tool, args);
        EXPECT_EQ(run.exitCode, tool == "brelvan-cli" ? 1 : 2);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(EntriesWritten(), 0);
    }
}

TEST_F(ToolOptions, TheShotsUsageNamesItsScenes) {
    const ToolRun run = Start("shots", {"--help"});
    EXPECT_NE(run.out.find("\nScenes:\n"), std::string::npos);
    // A scene listed can be rendered.
    const std::size_t first = run.out.find("\nScenes:\n  ") + 11;
    const std::string scene = run.out.substr(first, run.out.find('\n', first) - first);
    const ToolRun shot = Start("shots", {"out", scene});
    EXPECT_EQ(shot.exitCode, 0) << shot.err;
    EXPECT_TRUE(std::filesystem::exists(m_dir / "out" / (scene + ".png"))) << scene;
}

// The window's scenes work in a folder of their own; a relative OUTDIR still means the
// folder the tool was started in.
TEST_F(ToolOptions, ShotsWritesARelativeOutdirWhereItWasStarted) {
    const ToolRun shot = Start("shots", {"pictures/new", "login"});
    EXPECT_EQ(shot.exitCode, 0) << shot.err;
    EXPECT_TRUE(std::filesystem::exists(m_dir / "pictures" / "new" / "login.png")) << shot.err;
}

// PNG width and height from the header of the file (0 x 0 when it is no PNG).
std::pair<int, int> PngSize(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (!in || header[1] != 'P' || header[2] != 'N' || header[3] != 'G') return {0, 0};
    auto be = [&](int at) {
        return int(header[at]) << 24 | int(header[at + 1]) << 16 | int(header[at + 2]) << 8 |
               int(header[at + 3]);
    };
    return {be(16), be(20)};
}

// --scale draws at that many device pixels a point, named so that the 1x names stay; the
// scale comes from BRELVAN_SCALE when not given; anything but 1, 2 or 3 is a usage error.
TEST_F(ToolOptions, ShotsDrawsAtTheScaleAskedFor) {
    ASSERT_EQ(Start("shots", {"one", "widgets"}).exitCode, 0);
    const ToolRun two = Start("shots", {"--scale", "2", "two", "widgets"});
    ASSERT_EQ(two.exitCode, 0) << two.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "two" / "widgets.png"));
    const auto one = PngSize(m_dir / "one" / "widgets.png");
    const auto doubled = PngSize(m_dir / "two" / "widgets@2x.png");
    ASSERT_GT(one.first, 0);
    EXPECT_EQ(doubled.first, 2 * one.first);
    EXPECT_EQ(doubled.second, 2 * one.second);

    setenv("BRELVAN_SCALE", "3", 1);
    const ToolRun fromEnvironment = Start("shots", {"three", "widgets"});
    setenv("BRELVAN_SCALE", "1.5", 1);
    const ToolRun badEnvironment = Start("shots", {"bad"});
    unsetenv("BRELVAN_SCALE");
    EXPECT_EQ(fromEnvironment.exitCode, 0) << fromEnvironment.err;
    EXPECT_EQ(PngSize(m_dir / "three" / "widgets@3x.png").first, 3 * one.first);
    EXPECT_EQ(badEnvironment.exitCode, 2);

    // The option may stand anywhere among the arguments.
    const ToolRun after = Start("shots", {"late", "widgets", "--scale", "2"});
    EXPECT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(PngSize(m_dir / "late" / "widgets@2x.png").first, 2 * one.first);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--scale", "4", "bad", "widgets"},
          std::vector<std::string>{"--scale", "two", "bad"},
          std::vector<std::string>{"bad", "--scale"}}) {
        const ToolRun refused = Start("shots", args);
        EXPECT_EQ(refused.exitCode, 2) << refused.err;
        EXPECT_FALSE(std::filesystem::exists(m_dir / "bad"));
    }
    EXPECT_NE(badEnvironment.err.find("BRELVAN_SCALE"), std::string::npos);
}

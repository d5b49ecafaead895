// The options every program answers alike: --help and --version end it with 0, anything else
// that starts with "-" and is not the program's own is refused on one line.
#include "rtl/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const TCommandLineTool kTool{"tool", "usage: tool OUTDIR\n", 2};

struct Outcome {
    std::optional<int> stop;
    std::string out;
    std::string err;
};

Outcome Check(std::vector<const char*> args, std::initializer_list<TCommandLineOption> options = {},
              bool freeAfterFirstOperand = false) {
    args.insert(args.begin(), "tool");
    Outcome outcome;
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    outcome.stop = CheckCommandLine(kTool, static_cast<int>(args.size()), args.data(), options,
                                    freeAfterFirstOperand);
    outcome.out = ::testing::internal::GetCapturedStdout();
    outcome.err = ::testing::internal::GetCapturedStderr();
    return outcome;
}

} // namespace

TEST(CommandLine, HelpAndVersionAnswerOnStdoutAndEndWithZero) {
    Outcome help = Check({"OUT", "--help"});
    EXPECT_EQ(help.stop, 0);
    EXPECT_EQ(help.out, "usage: tool OUTDIR\n");
    EXPECT_EQ(help.err, "");

    Outcome version = Check({"--version"});
    EXPECT_EQ(version.stop, 0);
    EXPECT_EQ(version.out, std::string("tool ") + ProgramVersion() + "\n");
    EXPECT_STRNE(ProgramVersion(), "unknown");
    EXPECT_NE(std::string(ProgramVersion()).find('.'), std::string::npos);
}

TEST(CommandLine, AnUnknownOptionOrAPathThatLooksLikeOneIsRefusedOnOneLine) {
    for (const char* arg : {"--bogus", "-x", "-", "--help=1", "--HELP"}) {
        Outcome refused = Check({"OUT", arg});
        EXPECT_EQ(refused.stop, 2) << arg;
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err, "tool: unknown option " + std::string(arg) +
                                   " (tool --help lists the options)\n");
    }
}

TEST(CommandLine, TheProgramsOwnOptionsAndTheirValuesPass) {
    const std::initializer_list<TCommandLineOption> options = {{"--timeout", true}, {"--quiet"}};
    Outcome ok = Check({"--timeout", "-5", "--quiet", "OUT", "scene"}, options);
    EXPECT_EQ(ok.stop, std::nullopt);
    EXPECT_EQ(ok.out + ok.err, "");
    // A value is taken as one, even when it reads as --help.
    EXPECT_EQ(Check({"--timeout", "--help"}, options).stop, std::nullopt);
    EXPECT_EQ(Check({"--quiet", "--bogus"}, options).stop, 2);
}

TEST(CommandLine, ACommandsOwnArgumentsCanBeLeftToTheProgram) {
    EXPECT_EQ(Check({"matches", "host", "-login-", "--help"}, {}, true).stop, std::nullopt);
    EXPECT_EQ(Check({"matches", "host", "-login-"}, {}, false).stop, 2);
    EXPECT_EQ(Check({"--bogus", "matches"}, {}, true).stop, 2); // before the command: checked
}

TEST(CommandLine, UsageErrorsSayWhereTheUsageIs) {
    ::testing::internal::CaptureStderr();
    const int code = UsageError(kTool, "no OUTDIR given");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tool: no OUTDIR given (tool --help shows the usage)\n");
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(IsOptionArgument("-"));
    EXPECT_FALSE(IsOptionArgument("out-dir"));
    EXPECT_FALSE(IsOptionArgument(""));
}

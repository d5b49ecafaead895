// Opening URLs: the argument reaches the program untouched, no shell interprets it, the call
// does not wait, and a missing program is reported.
#include "platform/Shell.h"
#include "platform/OwnEnvironment.h"
#include "rtl/SysUtils.h"
#include "tests/rtl/TempDir.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {

// A stand-in for the desktop's opener that records its arguments after a delay.
std::string WriteRecorder(const TempDir& dir, int delaySeconds) {
    std::string script = dir.File("opener.sh");
    WriteFileBytes(script, "#!/bin/sh\nsleep " + std::to_string(delaySeconds) +
                               "\nprintf '%s|%s' \"$#\" \"$1\" > '" + dir.File("args.txt") + "'\n");
    ::chmod(script.c_str(), 0755);
    return script;
}

bool WaitForFile(const std::string& name) {
    for (int i = 0; i < 300 && !FileExists(name); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return FileExists(name);
}

struct ProgramScope {
    explicit ProgramScope(const std::string& p) { SetOpenUrlProgram(p); }
    ~ProgramScope() { SetOpenUrlProgram(""); }
};

} // namespace

TEST(Shell, PassesTheUrlAsOneArgumentWithoutAShell) {
    TempDir dir;
    ProgramScope program(WriteRecorder(dir, 0));
    std::string url =
        "http://host/index.php?option=a b&id=3;$(touch " + dir.File("pwned") + ")`id`";
    EXPECT_TRUE(OpenUrl(url));
    ASSERT_TRUE(WaitForFile(dir.File("args.txt")));
    EXPECT_EQ(ReadFileBytes(dir.File("args.txt")), "1|" + url);
    EXPECT_FALSE(FileExists(dir.File("pwned")));
}

TEST(Shell, DoesNotWaitForTheProgram) {
    TempDir dir;
    ProgramScope program(WriteRecorder(dir, 1));
    EXPECT_TRUE(ShellExecute("open", "http://x/"));
    // The opener writes its record only after a second: we are back before it finished.
    EXPECT_FALSE(FileExists(dir.File("args.txt")));
    EXPECT_TRUE(WaitForFile(dir.File("args.txt")));
}

TEST(Shell, ReportsFailures) {
    ProgramScope program("/nonexistent/opener");
    EXPECT_FALSE(OpenUrl("http://x/"));
    EXPECT_FALSE(ShellExecute("print", "http://x/"));
    EXPECT_FALSE(OpenUrl(""));
}

TEST(Shell, HandlerReplacesTheProgram) {
    std::vector<std::string> seen;
    SetOpenUrlHandler([&](const std::string& url) {
        seen.push_back(url);
        return true;
    });
    EXPECT_TRUE(ShellExecute("OPEN", "http://a/"));
    EXPECT_TRUE(ShellExecute("", "http://b/"));
    SetOpenUrlHandler(nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"http://a/", "http://b/"}));
}

// What the program sets for its own libraries stays its own: the opener sees the user's
// environment, and nothing the user set is overridden.
TEST(Shell, TheOpenerGetsTheUsersEnvironmentWithoutTheProgramsOwnSettings) {
    ::unsetenv("BRELVAN_TEST_OWN_SETTING");
    ::setenv("BRELVAN_TEST_USER_SETTING", "the user's", 1);
    SetOwnEnvironment("BRELVAN_TEST_OWN_SETTING", "ours");
    SetOwnEnvironment("BRELVAN_TEST_USER_SETTING", "ours");
    EXPECT_STREQ(std::getenv("BRELVAN_TEST_OWN_SETTING"), "ours");
    EXPECT_STREQ(std::getenv("BRELVAN_TEST_USER_SETTING"), "the user's");

    TempDir dir;
    const std::string script = dir.File("opener.sh");
    WriteFileBytes(script, "#!/bin/sh\nprintf '%s|%s' \"${BRELVAN_TEST_OWN_SETTING-unset}\" "
                           "\"$BRELVAN_TEST_USER_SETTING\" > '" +
                               dir.File("env.txt") + "'\n");
    ::chmod(script.c_str(), 0755);
    ProgramScope program(script);
    EXPECT_TRUE(OpenUrl("http://x/"));
    ASSERT_TRUE(WaitForFile(dir.File("env.txt")));
    EXPECT_EQ(ReadFileBytes(dir.File("env.txt")), "unset|the user's");
    ::unsetenv("BRELVAN_TEST_OWN_SETTING");
    ::unsetenv("BRELVAN_TEST_USER_SETTING");
}

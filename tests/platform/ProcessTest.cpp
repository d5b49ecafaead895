// The process's own executable, as the application names itself after it.
#include "platform/Process.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <thread>

#include <filesystem>

TEST(Process, ExecutablePathIsThisTestProgramWithLinksResolved) {
    const std::filesystem::path built =
        std::filesystem::path(BRELVAN_BINARY_DIR) / "tests/platform/platform_tests";
    EXPECT_EQ(ExecutablePath(), std::filesystem::canonical(built).string());
}

TEST(Process, ProcessIdIsTheOneTheSystemGivesThisProcess) {
    // /proc/self is a link named after the id of whoever reads it.
    const std::string self = std::filesystem::read_symlink("/proc/self").string();
    EXPECT_EQ(std::to_string(ProcessId()), self);
    EXPECT_GT(ProcessId(), 0);
}

TEST(Process, AShellCommandGivesItsOutputAndExitCode) {
    const TCommandResult ended = RunShellCommand("printf 'one\\ntwo'; exit 3");
    EXPECT_EQ(ended.output, "one\ntwo");
    EXPECT_EQ(ended.exitCode, 3);
    // Ended by a signal rather than by exiting: no exit code to give.
    EXPECT_EQ(RunShellCommand("kill -TERM $$").exitCode, -1);
    EXPECT_EQ(RunShellCommand("true").exitCode, 0);
}

TEST(Process, AChildProcessRunsUntilStoppedAndAMissingProgramDoesNotStart) {
    TChildProcess child;
    // Stop waits for the program: were it not ended, this test would hang.
    ASSERT_TRUE(child.Start({"/bin/sleep", "3600"}));
    EXPECT_TRUE(child.Running());
    EXPECT_FALSE(child.Start({"/bin/sleep", "3600"})) << "one program at a time";
    child.Stop();
    EXPECT_FALSE(child.Running());

    TChildProcess missing;
    EXPECT_FALSE(missing.Start({"/nonexistent/brelvan-no-such-program"}));
    EXPECT_FALSE(missing.Running());
    EXPECT_FALSE(missing.Start({}));
}

TEST(Process, OnlyTheCallingThreadIsLowered) {
    const int before = ::getpriority(PRIO_PROCESS, 0);
    int inThread = -100;
    std::thread worker([&] {
        LowerThisThreadsPriority(before + 5 > 19 ? 19 : before + 5);
        inThread = ::getpriority(PRIO_PROCESS, 0);
    });
    worker.join();
    EXPECT_EQ(inThread, before + 5 > 19 ? 19 : before + 5);
    EXPECT_EQ(::getpriority(PRIO_PROCESS, 0), before);
}

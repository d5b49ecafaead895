// The process's own executable, as the application names itself after it.
#include "platform/Process.h"

#include <gtest/gtest.h>

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

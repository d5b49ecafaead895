// The process's own executable, as the application names itself after it.
#include "platform/Process.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(Process, ExecutablePathIsThisTestProgramWithLinksResolved) {
    const std::filesystem::path built =
        std::filesystem::path(BRELVAN_BINARY_DIR) / "tests/platform/platform_tests";
    EXPECT_EQ(ExecutablePath(), std::filesystem::canonical(built).string());
}

// When the program goes onto the accessibility bus at all: never without a session bus or
// with NO_AT_BRIDGE=1 (nothing is loaded then), and where it looks for the module.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "app/AccessibilityModule.h"

namespace {
// Sets an environment variable for the scope and puts the old value back.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~TScopedEnv() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};
} // namespace

TEST(AccessibilityModule, NotWantedWithoutABusOrWhenSwitchedOff) {
    {
        TScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", nullptr);
        TScopedEnv off("NO_AT_BRIDGE", nullptr);
        EXPECT_EQ(AccessibilityUnwanted(), "no session bus is named");
        std::string reason;
        EXPECT_FALSE(StartAccessibility(reason));
        EXPECT_EQ(reason, "no session bus is named");
    }
    {
        // What the program's own start sets where no bus is named.
        TScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        EXPECT_EQ(AccessibilityUnwanted(), "no session bus is named");
    }
    {
        TScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus");
        TScopedEnv off("NO_AT_BRIDGE", "1");
        EXPECT_EQ(AccessibilityUnwanted(), "NO_AT_BRIDGE is set");
        TScopedEnv on("NO_AT_BRIDGE", "0");
        EXPECT_EQ(AccessibilityUnwanted(), "");
    }
}

TEST(AccessibilityModule, LooksBesideTheProgramWhereThePackageAndTheBuildPutIt) {
    const auto paths = AccessibilityModulePaths("/usr/bin/brelvan");
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0].rfind("/usr/bin/", 0), 0u);
    EXPECT_NE(paths[0].find("/brelvan/libbrelvan-atkbridge.so"), std::string::npos);
    EXPECT_NE(paths[1].find("atkbridge/libbrelvan-atkbridge.so"), std::string::npos);
}

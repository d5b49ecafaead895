// The tray module opened for real where the desktop has no status area: no icon, and a reason
// that names what is missing for each protocol. (tests/app/tray-check.sh shows icons on a
// session bus and an X tray of its own.)
#include "platform/TrayIcon.h"

#include "ScopedEnv.h"

#include <gtest/gtest.h>

namespace {
TrayIconContent Content() {
    TrayIconContent c;
    c.id = "platform_tests";
    c.title = "Tray";
    c.pictures.push_back({2, 2, std::vector<uint32_t>(4, 0xFF102030u)});
    c.menu = {{1, "&Restore", true}, {2, "-", true}, {3, "&Close", true}};
    return c;
}
} // namespace

TEST(TrayIcon, WithoutABusOrAnXScreenThereIsNoIconAndTheReasonSaysWhatIsMissing) {
    ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    int events = 0;
    {
        ScopedEnv display("DISPLAY", nullptr);
        std::string why;
        EXPECT_EQ(ShowTrayIcon(
                      Content(), [&](const TrayEvent&) { ++events; }, why),
                  nullptr);
        EXPECT_NE(why.find("no session bus"), std::string::npos) << why;
        EXPECT_NE(why.find("no X display"), std::string::npos) << why;
    }
    {
        // A display that cannot be reached is told apart from none.
        ScopedEnv display("DISPLAY", ":9999");
        std::string why;
        EXPECT_EQ(ShowTrayIcon(
                      Content(), [&](const TrayEvent&) { ++events; }, why),
                  nullptr);
        EXPECT_NE(why.find("the X display :9999 cannot be opened"), std::string::npos) << why;
    }
    EXPECT_EQ(events, 0);
}

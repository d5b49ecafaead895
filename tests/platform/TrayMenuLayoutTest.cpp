// The icon's menu as the bus's menu interface lays it out.
#include "platform/TrayMenuLayout.h"

#include <gtest/gtest.h>

TEST(TrayMenuLayout, AcceleratorMarksBecomeUnderscoresAndPlainOnesAreKept) {
    EXPECT_EQ(MnemonicLabel("&Restore"), "_Restore");
    EXPECT_EQ(MnemonicLabel("Mi&nimize"), "Mi_nimize");
    EXPECT_EQ(MnemonicLabel("Save && Close"), "Save & Close");
    EXPECT_EQ(MnemonicLabel("snake_case"), "snake__case");
    EXPECT_EQ(MnemonicLabel("End&"), "End");
    EXPECT_EQ(MnemonicLabel("&Закрыть"), "_Закрыть");
    EXPECT_EQ(MnemonicLabel(""), "");
}

TEST(TrayMenuLayout, TheTrayMenuIsRestoreASeparatorAndClose) {
    const std::vector<TrayMenuItemLayout> items =
        TrayMenuLayout({{1, "&Restore", true}, {2, "-", true}, {3, "&Close", true}});
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].id, 1);
    EXPECT_EQ(items[0].label, "_Restore");
    EXPECT_FALSE(items[0].separator);
    EXPECT_TRUE(items[0].enabled);
    EXPECT_TRUE(items[1].separator);
    EXPECT_TRUE(items[1].label.empty());
    EXPECT_FALSE(items[1].enabled) << "a separator cannot be chosen";
    EXPECT_EQ(items[2].label, "_Close");
    EXPECT_EQ(FindTrayMenuItem(items, 3), &items[2]);
    EXPECT_EQ(FindTrayMenuItem(items, 0), nullptr) << "0 is the root, not an item";
    EXPECT_EQ(FindTrayMenuItem(items, 4), nullptr);
}

TEST(TrayMenuLayout, EntriesTheStatusAreaCouldNotNameBackAreLeftOut) {
    const std::vector<TrayMenuItemLayout> items = TrayMenuLayout(
        {{0, "root?", true}, {-1, "negative", true}, {5, "&Five", false}, {5, "again", true}});
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, 5);
    EXPECT_EQ(items[0].label, "_Five");
    EXPECT_FALSE(items[0].enabled);
}

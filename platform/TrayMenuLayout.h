#pragma once
// The icon's menu as the session bus's menu interface lays it out: a root item (id 0) whose
// children are the entries, in order, under their own ids.
#include <string>
#include <string_view>
#include <vector>

#include "platform/TrayIcon.h"

struct TrayMenuItemLayout {
    int id = 0;
    bool separator = false;
    std::string label; // with "_" before the accelerator letter
    bool enabled = true;
};

// "&Restore" -> "_Restore": "&" marks the accelerator, "&&" is a plain "&", and a plain "_"
// is doubled so that it is not taken for a mark.
std::string MnemonicLabel(std::string_view caption);

// The menu's items in order; entries without a positive id of their own (zero, negative or
// already used) are left out, since the status area could not name them back.
std::vector<TrayMenuItemLayout> TrayMenuLayout(const std::vector<TrayMenuEntry>& entries);

// The item with that id, or nullptr.
const TrayMenuItemLayout* FindTrayMenuItem(const std::vector<TrayMenuItemLayout>& items, int id);

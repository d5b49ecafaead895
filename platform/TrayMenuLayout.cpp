#include "platform/TrayMenuLayout.h"

#include <algorithm>

std::string MnemonicLabel(std::string_view caption) {
    std::string label;
    label.reserve(caption.size() + 1);
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char c = caption[i];
        if (c == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                label += '&';
                ++i;
            } else if (i + 1 < caption.size()) {
                label += '_';
            }
            // A "&" at the very end marks nothing and is dropped.
        } else if (c == '_') {
            label += "__";
        } else {
            label += c;
        }
    }
    return label;
}

std::vector<TrayMenuItemLayout> TrayMenuLayout(const std::vector<TrayMenuEntry>& entries) {
    std::vector<TrayMenuItemLayout> items;
    for (const TrayMenuEntry& e : entries) {
        if (e.id <= 0 || FindTrayMenuItem(items, e.id)) continue;
        TrayMenuItemLayout item;
        item.id = e.id;
        item.separator = e.caption == "-";
        if (!item.separator) item.label = MnemonicLabel(e.caption);
        item.enabled = e.enabled && !item.separator;
        items.push_back(std::move(item));
    }
    return items;
}

const TrayMenuItemLayout* FindTrayMenuItem(const std::vector<TrayMenuItemLayout>& items, int id) {
    auto it = std::find_if(items.begin(), items.end(),
                           [id](const TrayMenuItemLayout& i) { return i.id == id; });
    return it == items.end() ? nullptr : &*it;
}

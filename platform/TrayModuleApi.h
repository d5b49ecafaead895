#pragma once
// The entries of the tray module (libbrelvan-tray.so), in plain C so that the program and the
// module agree on them without sharing any C++ runtime state. platform/TrayIcon.cpp opens the
// module and calls them; platform/TrayModule.cpp implements them.
#include <cstddef>
#include <cstdint>

// The module shows nothing else: its own code never binds to the program's symbols.
#define BRELVAN_TRAY_ENTRY __attribute__((visibility("default")))

extern "C" {
struct BrelvanTrayPicture {
    int width;
    int height;
    const uint32_t* argb; // 0xAARRGGBB, rows top to bottom
};

struct BrelvanTrayEntry {
    int id;
    const char* caption; // UTF-8; "-" alone is a separator
    int enabled;
};

struct BrelvanTrayContent {
    const char* id;
    const char* title;
    const char* toolTip;
    const BrelvanTrayPicture* pictures;
    int pictureCount;
    const BrelvanTrayEntry* entries;
    int entryCount;
};

// An event of an icon, on the module's thread: action as TrayAction (platform/TrayIcon.h).
typedef void (*BrelvanTrayEventFn)(void* context, int action, int item, int x, int y);

// Shows an icon; null when the desktop has no status area, with the reason in `why`
// (NUL-terminated, cut to `whySize`). The content is copied.
BRELVAN_TRAY_ENTRY void* brelvan_tray_show(const BrelvanTrayContent* content,
                                           BrelvanTrayEventFn onEvent, void* context, char* why,
                                           size_t whySize);
// Takes the icon away; its events have all been delivered when this returns.
BRELVAN_TRAY_ENTRY void brelvan_tray_remove(void* icon);
// "status notifier" or "X tray".
BRELVAN_TRAY_ENTRY const char* brelvan_tray_protocol(void* icon);
}

#pragma once
// An icon in the desktop's status area that stands for a hidden window. Two protocols reach
// a status area: the status notifier item on the session bus (current desktops), and the
// XEmbed system tray of an X screen (older panels). The code that speaks them lives in a
// shared module of its own (libbrelvan-tray.so), opened the first time an icon is wanted,
// so that a start never maps GIO or connects to a bus for it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// One size of the icon's picture: width x height pixels 0xAARRGGBB, rows top to bottom.
struct TrayPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
};

// One line of the icon's menu: "&" marks the accelerator letter, "-" alone is a separator.
// Ids are positive and unique within a menu.
struct TrayMenuEntry {
    int id = 0;
    std::string caption; // UTF-8
    bool enabled = true;
};

struct TrayIconContent {
    std::string id;                    // the application's name, the same on every run
    std::string title;                 // UTF-8
    std::string toolTip;               // UTF-8
    std::vector<TrayPicture> pictures; // several sizes; the status area takes what fits
    std::vector<TrayMenuEntry> menu;
};

enum class TrayAction {
    Activate,    // the icon was clicked: the window is wanted back
    ContextMenu, // the status area asks for the program's own menu, at (x, y) on the screen
    MenuItem,    // the status area's own menu chose the entry `item`
    Lost,        // the status area went away and took the icon with it
};

struct TrayEvent {
    TrayAction action = TrayAction::Activate;
    int item = 0;
    int x = 0;
    int y = 0;
};

// Called on the tray's own thread, never on the UI thread: hand the event over and return.
using TrayEventHandler = std::function<void(const TrayEvent&)>;

class TrayIcon {
public:
    // Takes the icon out of the status area; no event arrives once it returns.
    virtual ~TrayIcon() = default;
    // Which protocol shows it: "status notifier" or "X tray".
    virtual std::string Protocol() const = 0;
};

// Puts the icon into the desktop's status area: a status notifier watcher with a host on the
// session bus first, else the X screen's tray manager. Waits for the answers (each bounded by
// a short time-out). Nothing, with the reason in `why`, where the desktop has no status area
// or the module cannot be opened.
std::unique_ptr<TrayIcon> ShowTrayIcon(const TrayIconContent& content, TrayEventHandler onEvent,
                                       std::string& why);

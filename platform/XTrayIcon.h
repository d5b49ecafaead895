#pragma once
// Inside the tray module: the icon as a small window of ours docked in the X screen's system
// tray (the XEmbed tray protocol): it paints the icon, a left click activates it and a right
// click asks for the program's menu. The connection is one of its own, served on the
// module's thread.
#include <memory>
#include <string>

#include "platform/TrayBackend.h"

// The docked icon; nothing with the reason in `why` without an X display or a tray manager.
std::unique_ptr<TTrayBackend> MakeXTrayIcon(const TrayIconContent& content, TTrayEmit emit,
                                            std::string& why);

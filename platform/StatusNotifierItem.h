#pragma once
// Inside the tray module: the icon as a status notifier item on the session bus. The item has
// a connection of its own (so that each icon has its own name and the usual object paths),
// registers with the watcher, and answers the host's questions and clicks.
#include <memory>
#include <string>

#include "platform/TrayBackend.h"

// The item, registered; nothing with the reason in `why` where the session has no bus, no
// watcher, or a watcher that no host shows items for.
std::unique_ptr<TTrayBackend> MakeStatusNotifierItem(const TrayIconContent& content, TTrayEmit emit,
                                                     std::string& why);

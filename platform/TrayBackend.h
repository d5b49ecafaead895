#pragma once
// Inside the tray module: one icon as one protocol shows it. Made, used and destroyed on the
// module's thread, whose GLib context is the thread default there.
#include <functional>

#include "platform/TrayIcon.h"

using TTrayEmit = std::function<void(const TrayEvent&)>;

class TTrayBackend {
public:
    virtual ~TTrayBackend() = default;
    virtual const char* Protocol() const = 0;
};

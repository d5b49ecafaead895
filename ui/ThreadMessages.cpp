#include "ui/ThreadMessages.h"

#include <mutex>
#include <vector>

#include "ui/WindowSystem.h"

namespace {

struct Pending {
    TWinControl* target;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Made once and never destroyed: a worker may post while the process is ending.
struct Mailbox {
    std::mutex mutex;
    std::vector<Pending> pending;
};

Mailbox& TheMailbox() {
    static Mailbox* mailbox = new Mailbox;
    return *mailbox;
}

} // namespace

void PostMessageFromThread(TWinControl* target, UINT msg, WPARAM wParam, LPARAM lParam) {
    Mailbox& box = TheMailbox();
    {
        std::lock_guard lock(box.mutex);
        box.pending.push_back({target, msg, wParam, lParam});
    }
    if (HasDisplay()) CurrentDisplay().Wake();
}

bool TakeMessagesFromThreads() {
    Mailbox& box = TheMailbox();
    std::vector<Pending> taken;
    {
        std::lock_guard lock(box.mutex);
        if (box.pending.empty()) return false;
        taken.swap(box.pending);
    }
    TWindowSystem& ws = TWindowSystem::Get();
    for (const Pending& p : taken) ws.Post(p.target, p.msg, p.wParam, p.lParam);
    return true;
}

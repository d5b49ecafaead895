#pragma once
// What the loop sends on its own: posted messages, in order, and timers.
#include <cstdint>
#include <deque>
#include <vector>

#include "rtl/Classes.h"
#include "ui/Messages.h"

class TWinControl;
class TWindowRegistry;

class TMessageQueue {
public:
    explicit TMessageQueue(const TWindowRegistry& registry) : m_registry(registry) {}

    // False for a window that does not live.
    bool Post(TWinControl* w, UINT msg, WPARAM wp, LPARAM lp);
    bool HasPosted() const { return !m_posted.empty(); }
    // Sends the messages posted before this call; those they post wait for the next one.
    void RunPosted();

    // Sets (or resets) w's timer id to fire every ms from now; returns the id (1 for id 0),
    // 0 for a window that does not live.
    uintptr_t SetTimer(TWinControl* w, uintptr_t id, unsigned ms);
    bool KillTimer(TWinControl* w, uintptr_t id);
    uint64_t NextTimerDue() const; // UINT64_MAX without timers
    // One WM_TIMER for each timer due now.
    void RunTimers();

    void Forget(const TWinControl* w); // its timers and posted messages
    void Clear();

private:
    bool HasTimer(const TWinControl* w, uintptr_t id) const;

    struct Posted {
        TWinControl* wnd;
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };
    struct Timer {
        TWinControl* wnd;
        uintptr_t id;
        unsigned interval;
        uint64_t due;
    };
    const TWindowRegistry& m_registry;
    std::deque<Posted> m_posted;
    std::vector<Timer> m_timers;
};

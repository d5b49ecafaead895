#include "ui/MessageQueue.h"

#include <algorithm>

#include "platform/Display.h"
#include "ui/Application.h"
#include "ui/WindowRegistry.h"

bool TMessageQueue::Post(TWinControl* w, UINT msg, WPARAM wp, LPARAM lp) {
    if (!w || !m_registry.Alive(w)) return false;
    m_posted.push_back({w, msg, wp, lp});
    return true;
}

void TMessageQueue::RunPosted() {
    size_t n = m_posted.size();
    for (size_t i = 0; i < n && !m_posted.empty(); ++i) {
        Posted p = m_posted.front();
        m_posted.pop_front();
        if (!m_registry.Alive(p.wnd)) continue;
        try {
            p.wnd->Perform(p.msg, p.wp, p.lp);
        } catch (...) {
            Application->HandleException(p.wnd);
        }
    }
}

uintptr_t TMessageQueue::SetTimer(TWinControl* w, uintptr_t id, unsigned ms) {
    if (!w || !m_registry.Alive(w)) return 0;
    if (ms == 0) ms = 1;
    uint64_t due = CurrentDisplay().Now() + ms;
    for (Timer& t : m_timers)
        if (t.wnd == w && t.id == id) {
            t.interval = ms;
            t.due = due;
            return id ? id : 1;
        }
    m_timers.push_back({w, id, ms, due});
    return id ? id : 1;
}

bool TMessageQueue::KillTimer(TWinControl* w, uintptr_t id) {
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [&](const Timer& t) { return t.wnd == w && t.id == id; });
    if (it == m_timers.end()) return false;
    m_timers.erase(it);
    return true;
}

uint64_t TMessageQueue::NextTimerDue() const {
    uint64_t next = UINT64_MAX;
    for (const Timer& t : m_timers) next = std::min(next, t.due);
    return next;
}

bool TMessageQueue::HasTimer(const TWinControl* w, uintptr_t id) const {
    return std::any_of(m_timers.begin(), m_timers.end(),
                       [&](const Timer& t) { return t.wnd == w && t.id == id; });
}

void TMessageQueue::RunTimers() {
    if (m_timers.empty()) return;
    uint64_t now = CurrentDisplay().Now();
    std::vector<std::pair<TWinControl*, uintptr_t>> due;
    for (Timer& t : m_timers)
        if (t.due <= now) {
            due.push_back({t.wnd, t.id});
            // A late loop gets one message, not a burst, as the platform does.
            t.due = now + t.interval;
        }
    for (auto& [w, id] : due) {
        // An earlier handler may have killed this timer or destroyed its window.
        if (!HasTimer(w, id) || !m_registry.Alive(w)) continue;
        try {
            w->Perform(WM_TIMER, id, 0);
        } catch (...) {
            Application->HandleException(w);
        }
    }
}

void TMessageQueue::Forget(const TWinControl* w) {
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                  [w](const Timer& t) { return t.wnd == w; }),
                   m_timers.end());
    m_posted.erase(std::remove_if(m_posted.begin(), m_posted.end(),
                                  [w](const Posted& p) { return p.wnd == w; }),
                   m_posted.end());
}

void TMessageQueue::Clear() {
    m_posted.clear();
    m_timers.clear();
}

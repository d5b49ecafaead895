// TTimer: a notice every interval from the message loop.
#include "ui/Timer.h"

#include "platform/Display.h"
#include "ui/Forms.h"

namespace {
// The hidden window that receives the timer's messages.
class TTimerWindow : public TWinControl {
public:
    TTimerWindow(TTimer* timer) : TWinControl(nullptr), m_timer(timer) {}
    void WMTimer(TWMTimer&) override {
        if (m_timer->OnTimer) m_timer->OnTimer(m_timer);
    }

private:
    TTimer* m_timer;
};
} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner), m_window(new TTimerWindow(this)) {
    Update();
}

TTimer::~TTimer() {
    KillTimer(m_window.get(), 1);
}

void TTimer::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    Update();
}

void TTimer::SetInterval(unsigned value) {
    if (value == m_interval) return;
    m_interval = value;
    Update();
}

void TTimer::Update() {
    KillTimer(m_window.get(), 1);
    // Without a display (a program that never opened one) there is no loop to fire it.
    if (m_enabled && m_interval > 0 && HasDisplay()) SetTimer(m_window.get(), 1, m_interval);
}

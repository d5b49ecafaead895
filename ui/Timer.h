#pragma once
#include <memory>

#include "ui/WinControl.h"

// OnTimer every Interval milliseconds while Enabled, from the message loop.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    unsigned Interval() const { return m_interval; }
    void SetInterval(unsigned value);
    TNotifyEvent OnTimer;

private:
    void Update();
    bool m_enabled = true;
    unsigned m_interval = 1000;
    std::unique_ptr<TWinControl> m_window;
};

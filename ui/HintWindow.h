#pragma once
#include "ui/CustomControl.h"

// The hint window: a borderless top-level window in the application's hint colour.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    ~THintWindow() override;
    // Size the text needs, limited to maxWidth (wraps words beyond it), from (0, 0).
    virtual TRect CalcHintRect(int maxWidth, const AnsiString& hint);
    // Shows the hint at rect (screen coordinates).
    virtual void ActivateHint(const TRect& rect, const AnsiString& hint);
    void ReleaseHandle(); // hides it
    bool Active() const { return m_shown; }
    bool Showing() const override { return m_shown; }
    TPoint ClientOrigin() const override;
    int DisplayWindow() const;

protected:
    void Paint() override;
    bool m_shown = false;
};

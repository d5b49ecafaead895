#pragma once
#include "ui/CustomControl.h"

// A push button in the classic look. Default buttons take Enter, cancel buttons Escape;
// a non-zero ModalResult closes a modal form with that result.
class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* owner);
    bool Default() const { return m_default; }
    void SetDefault(bool value);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }
    void Click() override;
    void DescribeAccessible(TAccessibleInfo& info) const override;

protected:
    void Paint() override;
    void CMDialogKey(TWMKey& m) override;
    void CMDialogChar(TWMChar& m) override;
    void CMFocusChanged(TCMFocusChanged& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMGetDlgCode(TWMGetDlgCode& m) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;

    bool m_default = false;
    bool m_cancel = false;
    bool m_active = false; // takes Enter now
    bool m_pressed = false;
    bool m_mouseDown = false;
    bool m_spaceDown = false;
    int m_modalResult = 0;
};

// TButton: the classic push button.
#include "ui/Button.h"

#include "gfx/DrawText.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/WindowSystem.h"

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
    m_width = 75;
    m_height = 25;
    m_tabStop = true;
    m_controlStyle &= ~csDoubleClicks;
}

void TButton::SetDefault(bool value) {
    m_default = value;
    if (TCustomForm* form = GetParentForm(this)) {
        TWinControl* focused = form->ActiveControl();
        m_active = focused == this || (m_default && !dynamic_cast<TButton*>(focused));
    }
    Invalidate();
}

void TButton::Click() {
    if (m_modalResult != 0)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(m_modalResult);
    TCustomControl::Click();
}

void TButton::Paint() {
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    bool down = m_pressed;
    bool strong = m_active && m_enabled;
    if (strong) {
        c.Brush()->SetColor(cl3DDkShadow);
        c.FrameRect(r);
        r = InflateRect(r, -1, -1);
    }
    NonClient::DrawEdge3D(c, r, true, down);
    TRect text = InflateRect(r, -4, -4);
    if (down) text = OffsetRect(text, 1, 1);
    c.SetFont(m_font);
    c.Brush()->SetStyle(bsClear);
    unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (!m_enabled) {
        TRect shadow = OffsetRect(text, 1, 1);
        c.Font()->SetColor(clBtnHighlight);
        DrawText(c, m_text, shadow, flags);
        c.Font()->SetColor(clBtnShadow);
    }
    DrawText(c, m_text, text, flags);
    c.Brush()->SetStyle(bsSolid);
    if (Focused()) c.DrawFocusRect(InflateRect(r, -3, -3));
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && m_enabled) {
        if (CanFocus() && !Focused()) SetFocus();
        m_mouseDown = true;
        m_pressed = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y) {
    if (m_mouseDown) {
        bool inside = ClientRect().Contains({x, y});
        if (inside != m_pressed) {
            m_pressed = inside;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && m_mouseDown) {
        m_mouseDown = false;
        m_pressed = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        m_spaceDown = true;
        m_pressed = true;
        Invalidate();
    }
}

void TButton::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE && m_spaceDown) {
        m_spaceDown = false;
        m_pressed = false;
        Invalidate();
        Click();
    }
}

// Enter for the active (default or focused) button, Escape for the cancel button.
void TButton::CMDialogKey(TWMKey& m) {
    if (((m.CharCode == VK_RETURN && m_active) || (m.CharCode == VK_ESCAPE && m_cancel)) &&
        m_enabled && Showing()) {
        Click();
        m.Result = 1;
    }
}

// Alt+letter of the accelerator focuses and clicks the button.
void TButton::CMDialogChar(TWMChar& m) {
    char key = m.CharCode;
    const AnsiString& t = m_text;
    for (size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i] == '&' && t[i + 1] != '&' &&
            tolower(static_cast<unsigned char>(t[i + 1])) ==
                tolower(static_cast<unsigned char>(key))) {
            if (CanFocus()) {
                SetFocus();
                Click();
                m.Result = 1;
            }
            return;
        }
}

// The button that takes Enter follows the focus: the focused button, else the default one.
void TButton::CMFocusChanged(TCMFocusChanged& m) {
    auto* focused = m.Sender;
    bool active = focused == this || (m_default && !dynamic_cast<TButton*>(focused));
    if (active != m_active) {
        m_active = active;
        Invalidate();
    }
}

void TButton::WMSetFocus(TWMFocus& m) {
    Invalidate();
    TCustomControl::WMSetFocus(m);
}

void TButton::WMKillFocus(TWMFocus& m) {
    if (m_spaceDown) {
        m_spaceDown = false;
        m_pressed = false;
    }
    Invalidate();
    TCustomControl::WMKillFocus(m);
}

void TButton::WMGetDlgCode(TWMGetDlgCode& m) {
    m.Result = 0;
}

void TButton::DescribeAccessible(TAccessibleInfo& info) const {
    TCustomControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::PushButton;
    if (m_default) info.States |= asDefault;
    auto* self = const_cast<TButton*>(this);
    info.Actions.push_back({"click", info.Description, "", [self] { self->Click(); }});
}

#include "skinctrls/SkinUpDown.h"

#include <algorithm>

#include "skin/SkinData.h"
#include "skinctrls/SkinArrows.h"
#include "skinctrls/SkinBuiltInLook.h"
#include "skinctrls/SkinPictureParts.h"

namespace {
constexpr uintptr_t RepeatTimer = 1;
constexpr unsigned FirstRepeatDelay = 400;
constexpr unsigned RepeatInterval = 100;
} // namespace

TspSkinUpDown::TspSkinUpDown(TComponent* owner) : TCustomControl(owner) {
    m_width = 40;
    m_height = 20;
}

TspSkinUpDown::~TspSkinUpDown() {
    StopRepeat();
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
}

void TspSkinUpDown::SetSkinData(TspSkinData* value) {
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = value;
    if (m_skinData) m_skinData->FreeNotification(this);
    Invalidate();
}

void TspSkinUpDown::SetSkinDataName(const std::string& value) {
    m_skinDataName = value;
    Invalidate();
}

void TspSkinUpDown::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == m_skinData) {
        m_skinData = nullptr;
        Invalidate();
    }
}

void TspSkinUpDown::SetRange(int minValue, int maxValue) {
    m_min = minValue;
    m_max = std::max(minValue, maxValue);
    SetPosition(m_position);
    Invalidate();
}

void TspSkinUpDown::SetPosition(int value) {
    value = std::clamp(value, m_min, m_max);
    if (value == m_position) return;
    m_position = value;
    Invalidate();
}

TspDataSkinUpDownControl* TspSkinUpDown::LookUpSkinRecord() const {
    if (!m_skinData || m_skinData->SkinEmpty()) return nullptr;
    return dynamic_cast<TspDataSkinUpDownControl*>(
        m_skinData->ControlRecord(m_skinData->FindControlRecord(m_skinDataName)));
}

TRect TspSkinUpDown::ButtonRect(int button) const {
    TRect c = ClientRect();
    int half = c.Width() / 2;
    return button == 0 ? Rect(0, 0, half, c.Height()) : Rect(half, 0, c.Width(), c.Height());
}

int TspSkinUpDown::ButtonAt(int x, int y) const {
    for (int b = 0; b < 2; ++b)
        if (ButtonRect(b).Contains({x, y})) return b;
    return -1;
}

void TspSkinUpDown::Paint() {
    TCanvas& c = *Canvas();
    TspDataSkinUpDownControl* r = LookUpSkinRecord();
    const TBitmap* picture = r ? m_skinData->ActivePicture(r->pictureindex) : nullptr;
    for (int b = 0; b < 2; ++b) {
        TRect rect = ButtonRect(b);
        bool hot = m_hot == b, pressed = m_pressed == b && hot;
        bool enabled = m_enabled && (b == 0 ? m_position > m_min : m_position < m_max);
        if (picture) {
            const TRect& normal = b == 0 ? r->upbuttonrect : r->downbuttonrect;
            const TRect& active = b == 0 ? r->activeupbuttonrect : r->activedownbuttonrect;
            const TRect& down = b == 0 ? r->downupbuttonrect : r->downdownbuttonrect;
            TRect part = normal;
            if (enabled && pressed && !down.IsEmpty())
                part = down;
            else if (enabled && hot && !active.IsEmpty())
                part = active;
            if (!part.IsEmpty()) {
                StretchPart(c, *picture, part, rect);
                continue;
            }
        }
        // The built-in look: a face-coloured button, framed while hot.
        c.Brush()->SetStyle(bsSolid);
        if (enabled && (hot || pressed)) {
            c.Brush()->SetColor(clNavy);
            c.FrameRect(rect);
            c.Brush()->SetColor(pressed ? BuiltInPressedFill : BuiltInHotFill);
            c.FillRect(InflateRect(rect, -1, -1));
        } else {
            c.Brush()->SetColor(clBtnShadow);
            c.FrameRect(rect);
            c.Brush()->SetColor(clBtnFace);
            c.FillRect(InflateRect(rect, -1, -1));
        }
        DrawSkinArrow(c, rect, b == 0 ? TspArrowDirection::Left : TspArrowDirection::Right,
                      enabled ? clBlack : clBtnShadow);
    }
}

void TspSkinUpDown::Step(int button) {
    int before = m_position;
    SetPosition(m_position + (button == 0 ? -1 : 1));
    if (m_position != before && OnChange) OnChange(this);
}

void TspSkinUpDown::StopRepeat() {
    if (m_repeating && HandleAllocated()) KillTimer(this, RepeatTimer);
    m_repeating = false;
}

void TspSkinUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        m_pressed = ButtonAt(x, y);
        m_hot = m_pressed;
        if (m_pressed >= 0) {
            std::shared_ptr<bool> alive = m_alive;
            Step(m_pressed);
            if (!*alive) return;
            m_repeating = true;
            SetTimer(this, RepeatTimer, FirstRepeatDelay);
        }
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TspSkinUpDown::MouseMove(TShiftState shift, int x, int y) {
    int hot = ButtonAt(x, y);
    if (m_pressed >= 0 && hot != m_pressed) hot = -1;
    if (hot != m_hot) {
        m_hot = hot;
        Invalidate();
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TspSkinUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        StopRepeat();
        m_pressed = -1;
        m_hot = ButtonAt(x, y);
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TspSkinUpDown::WMTimer(TWMTimer& m) {
    if (m.TimerID != RepeatTimer) {
        TCustomControl::WMTimer(m);
        return;
    }
    if (m_pressed < 0 || !m_repeating) {
        StopRepeat();
        return;
    }
    SetTimer(this, RepeatTimer, RepeatInterval);
    if (m_hot == m_pressed) Step(m_pressed);
}

void TspSkinUpDown::CMMouseLeave(TCMMouseEnterLeave& m) {
    TCustomControl::CMMouseLeave(m);
    if (m_pressed < 0 && m_hot != -1) {
        m_hot = -1;
        Invalidate();
    }
}

void TspSkinUpDown::WMEraseBkgnd(TWMEraseBkgnd& m) {
    m.Result = 1; // the paint covers every pixel
}

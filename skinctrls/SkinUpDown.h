#pragma once
// TspSkinUpDown: a pair of arrow buttons (left and right) that step a position within a
// range, drawn from an "updown" record of the skin; the page control scrolls its tabs with
// it when they overflow.
#include <string>

#include "ui/Controls.h"

class TspSkinData;
class TspDataSkinUpDownControl;

class TspSkinUpDown : public TCustomControl {
public:
    explicit TspSkinUpDown(TComponent* owner);
    ~TspSkinUpDown() override;

    TspSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TspSkinData* value);
    const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    void SetRange(int minValue, int maxValue);
    int Position() const { return m_position; }
    // Kept within the range; OnChange fires only when the user steps.
    void SetPosition(int value);
    TNotifyEvent OnChange;

    // The button under a client point: 0 the left (back) one, 1 the right one, -1 none.
    int ButtonAt(int x, int y) const;
    TRect ButtonRect(int button) const;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMTimer(TWMTimer& m) override;
    void WMEraseBkgnd(TWMEraseBkgnd& m) override;
    void CMMouseLeave(TCMMouseEnterLeave& m) override;
    TspDataSkinUpDownControl* LookUpSkinRecord() const;
    void Step(int button);
    void StopRepeat();

    TspSkinData* m_skinData = nullptr;
    std::string m_skinDataName;
    int m_min = 0;
    int m_max = 0;
    int m_position = 0;
    int m_hot = -1;
    int m_pressed = -1;
    bool m_repeating = false;
};

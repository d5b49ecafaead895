#pragma once
// TspSkinSpinEdit: a skinned number field with an up and a down button, and its inner edit
// TspSkinNumEdit through which the user types. The box keeps the value within its range,
// shows it in a fixed format, reads what is typed as soon as it is a number, and steps by
// the buttons (repeating while held), the arrow keys and the wheel.
#include <algorithm>

#include "skinctrls/SkinCustomControl.h"
#include "skinctrls/SkinCustomEdit.h"
#include "skinctrls/SpinValue.h"

class TspSkinSpinEdit;

class TspSkinNumEdit : public TspCustomEdit {
public:
    explicit TspSkinNumEdit(TspSkinSpinEdit* box);
    TspSkinData* MenuSkinData() const override;
    // Draw the box's picture behind the text instead of a colour of its own.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);

protected:
    void KeyPress(char& key) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void EraseBackground(TCanvas& canvas) override;
    void CMMouseEnter(TCMMouseEnterLeave& m) override;
    void CMMouseLeave(TCMMouseEnterLeave& m) override;

    TspSkinSpinEdit* m_box;
    bool m_transparent = false;
};

class TspSkinSpinEdit : public TspSkinCustomControl {
public:
    explicit TspSkinSpinEdit(TComponent* owner);
    ~TspSkinSpinEdit() override;

    TspValueType ValueType() const { return m_valueType; }
    // Turning to integers rounds the increment (0 becomes 1).
    void SetValueType(TspValueType value);
    int Decimal() const { return m_decimal; }
    void SetDecimal(int value) { m_decimal = std::clamp(value, 0, 255); }
    double MinValue() const { return m_range.minValue; }
    void SetMinValue(double value);
    double MaxValue() const { return m_range.maxValue; }
    void SetMaxValue(double value);
    double Value() const { return m_value; }
    // Limits, shows the value formatted and fires OnChange (also for the same value).
    void SetValue(double value);
    double Increment() const { return m_increment; }
    void SetIncrement(double value) { m_increment = value; }
    bool EditorEnabled() const { return m_editorEnabled; }
    void SetEditorEnabled(bool value);
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value);
    TColor DefaultColor() const { return m_defaultColor; }
    void SetDefaultColor(TColor value);
    bool UseSkinSize() const { return m_useSkinSize; }
    void SetUseSkinSize(bool value);

    void StepUp() { SetValue(m_value + m_increment); }
    void StepDown() { SetValue(m_value - m_increment); }

    TspSkinNumEdit* Edit() const { return m_edit; }

    // What a screen reader calls the box, and the label that names it (kept until the label
    // goes away).
    const AnsiString& AccessibleName() const { return m_accessibleName; }
    void SetAccessibleName(const AnsiString& name) { m_accessibleName = name; }
    TControl* AccessibleLabel() const { return m_accessibleLabel; }
    void SetAccessibleLabel(TControl* label);
    // A spin button with a value (minimum, maximum, current) that can be set; the inner edit
    // is part of it, not a child of its own.
    void DescribeAccessible(TAccessibleInfo& info) const override;
    void Notification(TComponent* component, TOperation operation) override;
    // Button rectangles (0 up, 1 down) in client coordinates, and their states.
    TRect ButtonRect(int button) const { return m_buttons[button].rect; }
    bool ButtonHot(int button) const { return m_buttons[button].hot; }
    bool ButtonPressed(int button) const { return m_buttons[button].pressed; }
    bool RepeatTimerRunning() const { return m_timerRunning; }
    bool Hovered() const { return m_hovered; }
    bool EditFocused() const { return m_editFocused; }

    TNotifyEvent OnChange;
    TKeyEvent OnEditKeyDown;
    TKeyEvent OnEditKeyUp;
    TKeyPressEvent OnEditKeyPress;
    TNotifyEvent OnEditEnter;
    TNotifyEvent OnEditExit;

    void LookUpSkinRecord() override;
    void ApplySkinChange() override;
    void AdjustToSkinSize(int& width, int& height) override;
    void UpdateRegion() override;

    static constexpr uintptr_t RepeatTimerId = 0x5353;

protected:
    friend class TspSkinNumEdit;
    // The inner edit's events, forwarded.
    virtual void EditKeyDown(WORD& key, TShiftState shift);
    virtual void EditKeyUp(WORD& key, TShiftState shift);
    virtual void EditKeyPress(char& key);
    virtual void EditEnter();
    virtual void EditExit();
    // OnChange, with the programmatic-text flag set so that nested value changes only
    // rewrite the text.
    virtual void Change();

    // The inner edit's text changed: read it as a number.
    void EditTextChanged();
    // Reads the inner edit's text: a number changes the value (limited), and a text that
    // typing on could never bring into range is put right.
    void ReadTypedText();
    // Puts a text in the inner edit without reading it back.
    void ShowText(const AnsiString& text);
    void Layout();
    void UpdateEditLook();
    // DefaultFont is the inner edit's font while no record's font is used.
    void DefaultFontChanged() override;
    void UpdateHover();
    int ButtonAt(int x, int y) const;
    void StartTimer(unsigned interval);
    void StopTimer();

    void PaintSkinned(TBitmap& bitmap) override;
    void PaintDefault(TBitmap& bitmap) override;
    void DrawButtons(TCanvas& canvas);

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMTimer(TWMTimer& m) override;
    void WMSize(TWMSize& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void CMMouseEnter(TCMMouseEnterLeave& m) override;
    void CMMouseLeave(TCMMouseEnterLeave& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMTextChanged(TWMNoParams& m) override;

    TspSkinNumEdit* m_edit = nullptr;
    AnsiString m_accessibleName;
    TControl* m_accessibleLabel = nullptr;
    TspValueType m_valueType = vtInteger;
    int m_decimal = 2;
    TspSpinRange m_range;
    double m_value = 0;
    double m_increment = 1;
    bool m_editorEnabled = true;
    int m_maxLength = 0;
    TColor m_defaultColor = clWindow;
    bool m_useSkinSize = true;

    struct Button {
        TRect rect;
        bool hot = false;
        bool pressed = false;
    } m_buttons[2];
    int m_pressedButton = -1;
    int m_direction = 0; // 0 none, 1 down, 2 up
    bool m_firstDelay = false;
    bool m_timerRunning = false;
    bool m_hovered = false;
    bool m_editFocused = false;
    bool m_programmaticText = false;
    bool m_textFromEdit = false;
    TRect m_textRect;

    struct Looks {
        bool valid = false;
        TRect activeskinrect;
        std::string fontname = "Arial";
        int fontheight = 14;
        TspSkinFontStyles fontstyle = 0;
        TColor fontcolor = 0, activefontcolor = 0, disabledfontcolor = 0;
        TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
        TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
        int leftWidth = 0, rightWidth = 0;
    } m_looks;
};

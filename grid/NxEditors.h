#pragma once
// In-place editors: a single-line text editor shown over a cell, and its numeric variant
// with spin steps. The grid shows one over the cell being edited, gives it the cell's colour,
// font and text, and takes the text back when the edit ends.
#include "ui/Controls.h"

#include <functional>

class TNxInplaceEdit : public TCustomControl {
public:
    explicit TNxInplaceEdit(TComponent* owner);

    const WideString& EditText() const { return m_text; }
    void SetEditText(const WideString& text);
    void SelectAll();
    void CaretToEnd();
    bool AllSelected() const { return m_selectAll; }
    int CaretPos() const { return m_caret; }
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value) { m_maxLength = value; }
    // Which typed characters the editor takes (all printable ones when unset).
    std::function<bool(char16_t)> AcceptChar;

    // Enter (true) or Escape / focus loss (false for Escape).
    std::function<void(TNxInplaceEdit* sender, bool accept)> OnFinish;

protected:
    void Paint() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    virtual void InsertChar(char16_t c);
    void WMChar(TWMChar& m) override;
    void WMGetDlgCode(TWMGetDlgCode& m) override;

    WideString m_text;
    int m_caret = 0;
    bool m_selectAll = false;
    int m_maxLength = 0;
};

class TNxSpinEdit : public TNxInplaceEdit {
public:
    explicit TNxSpinEdit(TComponent* owner) : TNxInplaceEdit(owner) {}
    double Increment = 1.0;
    double Min = 0;
    double Max = 0; // Min == Max: no bounds
    int Precision = 0;
    // Steps the value by count increments (Up / Down keys).
    void Step(int count);

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
};

#pragma once
// The three column kinds the grid offers: text, number and image columns.
#include "grid/NxColumns.h"

class TImageList;

class TNxTextColumn : public TNxCustomColumn {
public:
    explicit TNxTextColumn(TComponent* owner);

    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value) { m_maxLength = value; }
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool value);
    char16_t PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char16_t value);
    const WideString& TextAfter() const { return m_textAfter; }
    void SetTextAfter(const WideString& value);
    const WideString& TextBefore() const { return m_textBefore; }
    void SetTextBefore(const WideString& value);

    int KindCapabilities() const override { return 42; }
    bool HasOwnEditor() const override { return true; }
    int TextWidthOf(TCanvas& canvas, const WideString& text) const override;
    bool IsMultiLine() const override { return m_multiLine; }
    WideString DisplayText(const TCellValues& values) const override;
    bool AcceptsChar(char16_t c) const override { return c > 32; }

private:
    int m_maxLength = 0;
    bool m_multiLine = false;
    char16_t m_passwordChar = 0;
    WideString m_textAfter;
    WideString m_textBefore;
};

class TNxNumberColumn : public TNxCustomColumn {
public:
    explicit TNxNumberColumn(TComponent* owner);

    double Increment() const { return m_increment; }
    void SetIncrement(double value) { m_increment = value; }
    // Passed to the spin editor only; the display text ignores it.
    int Precision() const { return m_precision; }
    void SetPrecision(int value) { m_precision = value; }
    bool SpinButtons() const { return m_spinButtons; }
    void SetSpinButtons(bool value) { m_spinButtons = value; }
    TNxNumberEditOptions EditOptions() const { return m_editOptions; }
    void SetEditOptions(TNxNumberEditOptions value) { m_editOptions = value; }
    const WideString& EmptyCaption() const { return m_emptyCaption; }
    void SetEmptyCaption(const WideString& value);
    const std::string& FormatMask() const { return m_formatMask; }
    void SetFormatMask(const std::string& value);
    bool HideWhenEmpty() const { return m_hideWhenEmpty; }
    void SetHideWhenEmpty(bool value);
    double Max() const { return m_max; }
    void SetMax(double value) { m_max = value; }
    double Min() const { return m_min; }
    void SetMin(double value) { m_min = value; }
    const WideString& TextAfter() const { return m_textAfter; }
    void SetTextAfter(const WideString& value);
    const WideString& TextBefore() const { return m_textBefore; }
    void SetTextBefore(const WideString& value);

    int KindCapabilities() const override { return 42; }
    bool HasOwnEditor() const override { return true; }
    WideString DisplayText(const TCellValues& values) const override;
    bool AcceptsChar(char16_t c) const override;

private:
    double m_increment = 1.0;
    int m_precision = 0;
    bool m_spinButtons = true;
    TNxNumberEditOptions m_editOptions{eoAllowFloat};
    WideString m_emptyCaption;
    std::string m_formatMask;
    bool m_hideWhenEmpty = false;
    double m_max = 0;
    double m_min = 0;
    WideString m_textAfter;
    WideString m_textBefore;
};

class TNxImageColumn : public TNxCustomColumn {
public:
    explicit TNxImageColumn(TComponent* owner);
    ~TNxImageColumn() override;

    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);

    int KindCapabilities() const override { return 8; }
    void Notification(TComponent* component, TOperation operation) override;

private:
    TImageList* m_images = nullptr;
    bool m_transparent = true;
};

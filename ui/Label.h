#pragma once
#include "ui/GraphicControl.h"
#include "ui/LabelLink.h"
#include "ui/WinControl.h"

// A windowless text label. The text is drawn with the accelerator prefix ("&x" underlines x),
// word wrap, alignment and layout; AutoSize fits the bounds to the text.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    TWinControl* FocusControl() const { return m_focusLink.Control(); }
    void SetFocusControl(TWinControl* control) { m_focusLink.SetControl(control); }

    // Fits the size to the text (when AutoSize), keeping the anchored edge for right and
    // centred alignment.
    virtual void AdjustBounds();
    // With AutoSize the position is taken and the size comes from the text (the width too,
    // unless the label wraps words).
    void SetBounds(int left, int top, int width, int height) override;
    void Notification(TComponent* component, TOperation operation) override;
    // A label, naming its FocusControl.
    void DescribeAccessible(TAccessibleInfo& info) const override;

protected:
    void Paint() override;
    void CMTextChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void CMDialogChar(TWMChar& m) override;
    virtual AnsiString GetLabelText() const { return GetText(); }
    // Draws (or with DT_CALCRECT measures) the text in rect with the label's flags added.
    virtual void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags);
    unsigned TextFlags() const;

    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
    bool m_transparent = false;
    TLabelFocusLink m_focusLink{this};
    bool m_adjusting = false;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

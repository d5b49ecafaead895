#pragma once
// TspSkinShadowLabel: text with a soft shadow over whatever lies beneath it. The shadow is
// the caption's shape twice, one and two pixels down-right, darkening the background by 30%
// with its edges smoothed.
#include "skinctrls/GraphicSkinControl.h"
#include "ui/Controls.h"
#include "ui/LabelLink.h"

class TspSkinShadowLabel : public TspGraphicSkinControl {
public:
    explicit TspSkinShadowLabel(TComponent* owner);
    void DescribeAccessible(TAccessibleInfo& info) const override;

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return m_focusLink.Control(); }
    void SetFocusControl(TWinControl* control) { m_focusLink.SetControl(control); }
    bool UseSkinColor() const { return m_useSkinColor; }
    void SetUseSkinColor(bool value);

    // Measures the caption and takes its size plus 3 (the right edge stays for right
    // alignment).
    void AdjustBounds();
    void SetBounds(int left, int top, int width, int height) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    unsigned TextFlags() const;
    // The caption's size plus 3 each way (broken at `width` with WordWrap).
    TSize MeasuredSize(int width) const;
    // The shadow label's whole picture: background, shadow, caption.
    void PaintShadowed(TBitmap& bitmap);
    void PaintSkinned(TBitmap& bitmap) override { PaintShadowed(bitmap); }
    void PaintDefault(TBitmap& bitmap) override { PaintShadowed(bitmap); }
    void DrawControlImage(TBitmap& bitmap) override { PaintShadowed(bitmap); }
    void CMTextChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void CMDialogChar(TWMChar& m) override;

    bool m_autoSize = true;
    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
    TLabelFocusLink m_focusLink{this};
    bool m_useSkinColor = true;
    bool m_adjusting = false;
};

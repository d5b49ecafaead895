#pragma once
// TspSkinEdit: the framework's edit window inside a frame drawn from the skin's "edit"
// record. The window edits and draws the text; the control paints the frame (the window's
// non-client area) and the background under the text, and follows hover and focus with the
// record's active picture and colours.
#include <string>

#include "skin/SkinAware.h"
#include "skinctrls/SkinCustomEdit.h"
#include "skinctrls/SkinFontDefaults.h"

class TspSkinData;
class TspDataSkinEditControl;

class TspSkinCustomEdit : public TspCustomEdit, public TspSkinAware, public TspSkinFontDefaults {
public:
    explicit TspSkinCustomEdit(TComponent* owner);
    ~TspSkinCustomEdit() override;

    TspSkinData* SkinData() const override { return m_skinData; }
    TspSkinData* MenuSkinData() const override { return m_skinData; }
    void SetSkinData(TspSkinData* value);
    const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    TColor DefaultColor() const { return m_defaultColor; }
    void SetDefaultColor(TColor value);
    bool ButtonMode() const { return m_buttonMode; }
    void SetButtonMode(bool value);
    bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool value);
    int AlphaBlendValue() const { return m_alphaBlendValue; }
    void SetAlphaBlendValue(int value);
    // Changing the alignment makes the window again.
    void SetAlignment(TAlignment value);
    TNotifyEvent OnButtonClick;

    bool Hovered() const { return m_hovered; }
    // The text area (the window's client area) in window coordinates for a size.
    TRect TextArea(int width, int height) const;
    // The push button of ButtonMode in window coordinates (empty without it).
    TRect ButtonRect() const;

    void PrepareSkinChange() override { m_index = -1; }
    void ApplySkinChange() override;

    void SetBounds(int left, int top, int width, int height) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    // A new DefaultFont is taken again where it shows (no record, or UseSkinFont off); a
    // change of UseSkinFont chooses the font and fits the height again.
    bool HasSkinRecord() const override { return LookUpSkinRecord() != nullptr; }
    void AfterDefaultFontChange() override;
    void AfterUseSkinFontChange() override { ApplySkinChange(); }
    TspDataSkinEditControl* LookUpSkinRecord() const;
    // The height the field takes for a requested one: the record's, or the font's text
    // height with the frame around it.
    int FittedHeight(int requested) const;
    // The text colour for the state: record colours, DefaultFont's, or the grey of disabled.
    void UpdateFontColor();
    // Draws the frame (the whole window, text area included) into `frame`.
    void PaintFrame(TBitmap& frame);
    // Blends a picture of the window's area with what lies under the window.
    void BlendWithParent(TBitmap& picture, const TRect& areaInWindow);
    void RedrawFrame();

    void Paint() override;
    void EraseBackground(TCanvas& canvas) override;
    void WMNCCalcSize(TWMNCCalcSize& m) override;
    void WMNCPaint(TWMNCPaint& m) override;
    void WMNCHitTest(TWMNCHitTest& m) override;
    void WMNCLButtonDown(TWMNCMouse& m) override;
    void WMMouseMove(TWMMouse& m) override;
    void WMLButtonUp(TWMMouse& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void CMMouseEnter(TCMMouseEnterLeave& m) override;
    void CMMouseLeave(TCMMouseEnterLeave& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;

    TspSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "edit";
    TColor m_defaultColor = clWindow;
    bool m_buttonMode = false;
    bool m_alphaBlend = false;
    int m_alphaBlendValue = 200;
    int m_index = -1;
    bool m_hovered = false;
    bool m_buttonDown = false;
    bool m_buttonHot = false;
};

class TspSkinEdit : public TspSkinCustomEdit {
public:
    explicit TspSkinEdit(TComponent* owner) : TspSkinCustomEdit(owner) {}
};

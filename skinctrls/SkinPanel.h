#pragma once
// TspSkinPanel and TspSkinGroupBox: skinned containers. The frame comes from a "panel" or
// "groupbox" record (painted from border strips with the client picture tiled inside), an
// optional caption bar may carry a check box or a roll-up arrow, and aligned children are
// placed inside the record's client area.
#include <vector>

#include "gfx/Bitmap.h"
#include "skinctrls/SkinCustomControl.h"
#include "skinctrls/SkinPanelConstraints.h"
#include "ui/ExtCtrls.h"

class TspSkinPanel : public TspSkinCustomControl {
public:
    explicit TspSkinPanel(TComponent* owner);
    // A panel, named by its caption (a group box's title).
    void DescribeAccessible(TAccessibleInfo& info) const override;

    TBevelCut BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBevelCut value);
    bool CaptionMode() const { return m_captionMode; }
    virtual void SetCaptionMode(bool value);
    int DefaultCaptionHeight() const { return m_defaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int value);
    TAlignment DefaultAlignment() const { return m_defaultAlignment; }
    void SetDefaultAlignment(TAlignment value);
    TBitmap* Glyph() { return &m_glyph; }
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int value);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int value);
    bool CheckedMode() const { return m_checkedMode; }
    void SetCheckedMode(bool value);
    bool Checked() const { return m_checked; }
    // In checked mode with AutoEnabledControls every child follows; OnChecked fires.
    void SetChecked(bool value);
    bool AutoEnabledControls() const { return m_autoEnabledControls; }
    void SetAutoEnabledControls(bool value) { m_autoEnabledControls = value; }
    bool RollUpMode() const { return m_rollUpMode; }
    void SetRollUpMode(bool value);
    bool RollUpState() const { return m_rollUpState; }
    // With RollUpMode: rolls the panel up to its caption (children hidden, size limits put
    // aside) or back down (limits restored). Without it: a panel left rolled up when the mode
    // was switched off unrolls, the limits come back and the state stays false.
    void SetRollUpState(bool value);
    const TspPanelConstraints& Constraints() const { return m_constraints; }
    // Stores the limits and brings the current size within them.
    void SetConstraints(const TspPanelConstraints& value);
    // The height before rolling up; -1 while not rolled up.
    int RealHeight() const { return m_realHeight; }
    TNotifyEvent OnChecked;
    TNotifyEvent OnChangeRollUpState;

    // Where aligned children go.
    TRect PanelClientRect();
    // The caption area at the current size (where a click toggles check and roll-up).
    TRect CaptionArea();

    void LookUpSkinRecord() override;
    void ApplySkinChange() override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    // The whole panel is one tiled picture: the client part (no border, no caption) or the
    // record's background picture.
    bool TilesWholePanel() const;
    // The record's caption rectangle mapped to the current size by the slice mode.
    TRect MapCaptionRect() const;
    void DrawSkinCaption(TCanvas& canvas);
    void DrawDefaultCaption(TCanvas& canvas);
    // Glyph (when there is one) and caption text in `area`, by `alignment`.
    void DrawCaptionText(TCanvas& canvas, const TRect& area, TAlignment alignment, int top,
                         int textHeight);
    void Roll(bool up);
    int RolledHeight(int fullHeight);

    bool PaintDirect() override;
    void PaintSkinned(TBitmap& bitmap) override;
    void PaintDefault(TBitmap& bitmap) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMTextChanged(TWMNoParams& m) override;
    void CMControlListChange(TCMControlChange& m) override;

    TBevelCut m_borderStyle = bvFrame;
    bool m_captionMode = false;
    int m_defaultCaptionHeight = 22;
    TAlignment m_defaultAlignment = taLeftJustify;
    TBitmap m_glyph;
    int m_numGlyphs = 1;
    int m_spacing = 2;
    bool m_checkedMode = false;
    bool m_checked = false;
    bool m_autoEnabledControls = true;
    bool m_rollUpMode = false;
    bool m_rollUpState = false;
    int m_realHeight = -1;
    TspPanelConstraints m_constraints;
    // The limits put aside by a roll-up, until they are restored.
    TspPanelConstraints m_savedConstraints;
    bool m_constraintsSaved = false;
    // Children that were visible when the panel rolled up.
    std::vector<TControl*> m_hiddenByRollUp;

    struct Looks {
        bool valid = false;
        TRect captionrect;
        TAlignment alignment = taCenter;
        std::string fontname = "Arial";
        int fontheight = 14;
        TspSkinFontStyles fontstyle = 0;
        TColor fontcolor = 0;
        int bgpictureindex = -1;
        TRect checkimagerect, uncheckimagerect, markframerect, framerect, frametextrect;
        int frameleftoffset = 0, framerightoffset = 0;
    } m_looks;
};

class TspSkinGroupBox : public TspSkinPanel {
public:
    explicit TspSkinGroupBox(TComponent* owner);
};

#pragma once
// TspSkinButton: the skinned push button, and with a non-zero GroupIndex a toggle button of
// a group. It draws its normal, active (mouse over or focused), pressed and disabled looks
// from a "button" record, fades between normal and active with the record's morph, can
// repeat its click while held, and clicks once on release over it.
#include "gfx/Bitmap.h"
#include "skinctrls/ButtonLayout.h"
#include "skinctrls/SkinCustomControl.h"

class TspDataSkinButtonControl;

class TspSkinButton : public TspSkinCustomControl {
public:
    explicit TspSkinButton(TComponent* owner);
    ~TspSkinButton() override;

    bool UseSkinSize() const { return m_useSkinSize; }
    void SetUseSkinSize(bool value);
    bool UseSkinFontColor() const { return m_useSkinFontColor; }
    void SetUseSkinFontColor(bool value);
    bool RepeatMode() const { return m_repeatMode; }
    void SetRepeatMode(bool value) { m_repeatMode = value; }
    int RepeatInterval() const { return m_repeatInterval; }
    void SetRepeatInterval(int value);
    bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool value) { m_allowAllUp = value; }
    // Whether the button takes the keyboard focus; also its TabStop.
    bool Down() const { return m_down; }
    void SetDown(bool value);
    int GroupIndex() const { return m_groupIndex; }
    // A group button never takes the focus.
    void SetGroupIndex(int value);
    TBitmap* Glyph() { return &m_glyph; }
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int value);
    int Margin() const { return m_margin; }
    // Values below -1 are ignored.
    void SetMargin(int value);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int value);
    TspButtonLayout Layout() const { return m_layout; }
    void SetLayout(TspButtonLayout value);
    bool Default() const { return m_default; }
    void SetDefault(bool value);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }

    // The mouse is over the button (or it is the highlighted default button).
    // Enter would click it.
    bool ActiveDefault() const { return m_activeDefault; }
    bool RepeatTimerRunning() const { return m_repeatTimer; }
    bool AnimationRunning() const { return m_animTimer; }

    // The click: the form's modal result (when the button takes the focus), then OnClick.
    virtual void RunClick();
    // A push button with the action "click"; its hint is its description.
    void DescribeAccessible(TAccessibleInfo& info) const override;

    void LookUpSkinRecord() override;
    void ApplySkinChange() override;
    void AdjustToSkinSize(int& width, int& height) override;

    static constexpr uintptr_t RepeatTimerId = 0x5351;
    static constexpr uintptr_t AnimationTimerId = 0x5352;

protected:
    // One look of the button from the state rectangle `state` into `bitmap`.
    virtual void DrawState(TBitmap& bitmap, const TRect& state, bool active, bool down);
    // Glyph and caption in `r`: glyph cell by (f1, f2), one pixel down-right when pressed.
    void DrawGlyphAndCaption(TCanvas& canvas, const TRect& r, bool f1, bool f2, bool pressed);
    // Pressed as the pictures show it.
    bool ShowsPressed() const;

    void PaintSkinned(TBitmap& bitmap) override;
    void PaintDefault(TBitmap& bitmap) override;
    bool RecordMorphing() const override;
    TspMorphKind RecordMorphKind() const override;
    bool MorphTarget() const override;
    bool HasLooks() const override { return m_looks.valid; }
    bool ClickToFocus() const override { return m_canFocused; }

    void CreateHandle() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void WMLButtonUp(TWMMouse& m) override;
    void WMTimer(TWMTimer& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void CMMouseEnter(TCMMouseEnterLeave& m) override;
    void CMMouseLeave(TCMMouseEnterLeave& m) override;
    void CMDialogKey(TWMKey& m) override;
    void CMDialogChar(TWMChar& m) override;
    void CMFocusChanged(TCMFocusChanged& m) override;

    void StartRepeat();
    void StopRepeat();
    // The focus animation: frames of the record's animation strip, forward (towards the
    // active look) or backward.
    bool AnimationAvailable() const;
    void StartAnimation(bool forward);
    void StopAnimation();
    TRect AnimationFrame(int frame) const;
    // The two looks a hover fade blends, kept while the fade runs: a step then only mixes
    // them. Anything that changes how the looks are drawn makes them again.
    void LooksChanged() { ++m_looksGeneration; }
    void DefaultFontChanged() override { LooksChanged(); }
    // The mouse-over look starts (forward) or ends: animation and morph.
    void HoverChanged(bool forward);
    bool HoverRule() const;

    bool m_useSkinSize = true;
    bool m_useSkinFontColor = true;
    bool m_repeatMode = false;
    int m_repeatInterval = 100;
    bool m_allowAllUp = false;
    bool m_down = false;
    int m_groupIndex = 0;
    TBitmap m_glyph;
    int m_numGlyphs = 1;
    int m_margin = -1;
    int m_spacing = 1;
    TspButtonLayout m_layout = blGlyphLeft;
    bool m_default = false;
    bool m_cancel = false;
    int m_modalResult = 0;

    bool m_mousePressed = false;
    bool m_activeDefault = false;
    bool m_pressedWhileDown = false;
    bool m_repeatTimer = false;
    bool m_animTimer = false;
    bool m_animForward = true;
    int m_animFrame = 0;
    unsigned m_looksGeneration = 0;
    const TBitmap* m_fadePicture = nullptr;
    struct FadeLooks {
        unsigned generation = ~0u;
        int width = 0, height = 0;
        AnsiString caption;
        bool focused = false;
        TBitmap normal, active;
    } m_fade;

    // The record's fields this button uses.
    struct Looks {
        bool valid = false;
        std::string fontname = "Arial";
        int fontheight = 14;
        TspSkinFontStyles fontstyle = 0;
        TColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0, disabledfontcolor = 0;
        TRect skinrect, activeskinrect, downskinrect, disabledskinrect;
        bool morphing = false;
        TspMorphKind morphkind = mkDefault;
        TRect animateskinrect;
        int framecount = 0;
        int animateinterval = 25;
        bool showfocus = false;
    } m_looks;
};

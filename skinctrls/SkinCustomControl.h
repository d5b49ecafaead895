#pragma once
// TspSkinCustomControl: the windowed base of the skinned controls whose picture is sliced
// (see TspSkinCustomBase for the record cache, the size fitting and the font rule). Having a
// window, it also takes the shape of the record's mask, paints large containers from border
// strips, and carries two mechanisms its buttons and check boxes share:
//
// - the hover morph: a control whose record has `morphing` fades between its normal and its
//   active look in steps of 0.2 on a 20 ms timer instead of switching at once. A derived
//   control tells the base what its record says (RecordMorphing, RecordMorphKind) and when
//   it should look active (MorphTarget), calls RefreshMorph when that changes, and paints
//   the two looks through DrawMorphed while MorphRunning is true;
// - click-to-focus: a left press on a control whose ClickToFocus is true first focuses it,
//   and is dropped when the focus did not move there; its accelerator does the same through
//   FocusForAccelerator.
//
// Buttons and check boxes also share their lit state here: highlighted (the pointer is over
// it) and CanFocused (it takes the keyboard focus), lit being either highlighted or focused
// while it may be.
#include "skin/SkinIni.h"
#include "skinctrls/SkinControl.h"
#include "skinctrls/SkinCustomBase.h"

#include <functional>

class TspSkinCustomControl : public TspSkinCustomBase<TspSkinControl> {
public:
    explicit TspSkinCustomControl(TComponent* owner);
    ~TspSkinCustomControl() override;

    void ApplySkinChange() override;
    // The window's shape from the record's mask picture, or none.
    virtual void UpdateRegion();

    // The hover morph's factor: 0 the normal look, 1 the active one.
    double MorphFactor() const { return m_morphFactor; }

    // Whether the control takes the keyboard focus (buttons and check boxes); setting it also
    // sets TabStop.
    bool CanFocused() const { return m_canFocused; }
    void SetCanFocused(bool value);
    bool Highlighted() const { return m_highlighted; }

    static constexpr uintptr_t MorphTimerId = 0x5350;
    static constexpr unsigned MorphInterval = 20;

protected:
    void FitRegion() override { UpdateRegion(); }
    bool PaintDirect() override;
    void CreateHandle() override;

    // --- hover morph ---
    virtual bool RecordMorphing() const { return false; }
    virtual TspMorphKind RecordMorphKind() const { return mkDefault; }
    // True while the control should show its active look (hot, or focused when it takes
    // the focus).
    virtual bool MorphTarget() const { return m_mouseInControl; }
    // The record asks for it, the store holds a skin and allows effects.
    bool MorphAvailable() const;
    // Between the two looks right now: paint through DrawMorphed.
    bool MorphRunning() const;
    // After a change of the target: start the timer (morph) or repaint (no morph).
    void RefreshMorph();
    void StopMorph();
    void SetMorphFactor(double value) { m_morphFactor = value; }
    // `normal` and `active` combined by the record's morph kind at the current factor.
    void DrawMorphed(TBitmap& result, const TBitmap& normal, const TBitmap& active) const;
    // One tick of the morph timer.
    virtual void MorphStep();

    // --- click-to-focus ---
    virtual bool ClickToFocus() const { return false; }
    // True while a click's focus request runs.
    bool FocusingByClick() const { return m_focusingByClick; }
    // A dialog character that is the caption's accelerator, on a control that can take the
    // focus: focuses the control and, unless focusing ended it, runs `act` and marks the
    // message taken. False, with nothing done, for any other character.
    bool FocusForAccelerator(TWMChar& m, const std::function<void()>& act);

    // --- lit state ---
    bool FocusedWithFocus() const { return m_canFocused && Focused(); }
    bool Lit() const { return m_highlighted || FocusedWithFocus(); }
    // The control has read its looks from a record (buttons and check boxes say so).
    virtual bool HasLooks() const { return false; }
    // After a change of skin: a lit control with looks shows its active look at once
    // instead of fading into it.
    void ShowLitLookAtOnce();

    void WMTimer(TWMTimer& m) override;
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonDblClk(TWMMouse& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    // The caption is part of the picture wherever the control draws it itself.
    void CMTextChanged(TWMNoParams& m) override;

    // Containers tile the client part of their picture (set by them).
    bool m_clientTiling = true;
    bool m_highlighted = false;
    bool m_canFocused = true;

private:
    bool FocusBeforeClick();

    double m_morphFactor = 0.0;
    bool m_morphTimer = false;
    bool m_focusingByClick = false;
    bool m_hasRegion = false;
};

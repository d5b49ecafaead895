#include "skinctrls/SkinButton.h"

#include <algorithm>

#include "gfx/DrawText.h"
#include "skin/SkinData.h"
#include "skin/SkinDrawing.h"
#include "skinctrls/SkinBuiltInLook.h"
#include "skinctrls/SkinFontRule.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

TspSkinButton::TspSkinButton(TComponent* owner) : TspSkinCustomControl(owner) {
    m_width = 75;
    m_height = 25;
    SetSkinDataName("button");
    // The button clicks through RunClick; the framework's own click never fires.
    m_controlStyle &= ~csClickEvents;
    m_tabStop = true;
}

TspSkinButton::~TspSkinButton() {
    StopRepeat();
    StopAnimation();
}

// --- properties ---

void TspSkinButton::SetUseSkinSize(bool value) {
    if (value == m_useSkinSize) return;
    m_useSkinSize = value;
    ApplySkinChange();
}

void TspSkinButton::SetUseSkinFontColor(bool value) {
    m_useSkinFontColor = value;
    LooksChanged();
    Invalidate();
}

void TspSkinButton::SetRepeatInterval(int value) {
    m_repeatInterval = std::max(1, value);
}

void TspSkinButton::SetGroupIndex(int value) {
    m_groupIndex = value;
    if (value != 0) SetCanFocused(false);
}

void TspSkinButton::SetGlyph(const TBitmap& glyph) {
    m_glyph = glyph;
    LooksChanged();
    Invalidate();
}

void TspSkinButton::SetNumGlyphs(int value) {
    m_numGlyphs = std::clamp(value, 1, 4);
    LooksChanged();
    Invalidate();
}

void TspSkinButton::SetMargin(int value) {
    if (value < -1 || value == m_margin) return;
    m_margin = value;
    LooksChanged();
    Invalidate();
}

void TspSkinButton::SetSpacing(int value) {
    if (value == m_spacing) return;
    m_spacing = value;
    LooksChanged();
    Invalidate();
}

void TspSkinButton::SetLayout(TspButtonLayout value) {
    if (value == m_layout) return;
    m_layout = value;
    LooksChanged();
    Invalidate();
}

void TspSkinButton::SetDefault(bool value) {
    m_default = value;
    if (!HandleAllocated() || !m_canFocused || (ComponentState() & csDesigning)) return;
    // Every button of the form works out again whether Enter is its key.
    if (TCustomForm* form = GetParentForm(this)) {
        std::vector<TWinControl*> all;
        form->GetTabOrderList(all);
        std::shared_ptr<bool> alive = m_alive;
        for (TWinControl* w : all) {
            w->Perform(CM_FOCUSCHANGED, 0, LPARAM(form->ActiveControl()));
            if (!*alive) return;
        }
    }
}

void TspSkinButton::SetDown(bool value) {
    m_down = value;
    if (MorphAvailable()) {
        SetMorphFactor(1);
        if (value)
            StopMorph();
        else
            RefreshMorph();
    }
    Invalidate();
    if (m_groupIndex == 0 || !value || m_allowAllUp || !m_parent) return;
    for (int i = 0; i < m_parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TspSkinButton*>(m_parent->Controls(i));
        if (other && other != this && other->m_groupIndex == m_groupIndex && other->m_down)
            other->SetDown(false);
    }
}

// --- the record ---

void TspSkinButton::LookUpSkinRecord() {
    TspSkinCustomControl::LookUpSkinRecord();
    Looks before = std::move(m_looks);
    m_looks = Looks{};
    auto* r = dynamic_cast<TspDataSkinButtonControl*>(SkinRecord());
    if (!r || !m_cache.IsSliced) {
        if (before.valid) LooksChanged();
        return;
    }
    Looks& l = m_looks;
    l.valid = true;
    l.fontname = r->fontname;
    l.fontheight = r->fontheight;
    l.fontstyle = r->fontstyle;
    l.fontcolor = TColor(r->fontcolor);
    l.activefontcolor = TColor(r->activefontcolor);
    l.downfontcolor = TColor(r->downfontcolor);
    l.disabledfontcolor = TColor(r->disabledfontcolor);
    l.skinrect = r->skinrect;
    l.activeskinrect = r->activeskinrect.IsEmpty() ? r->skinrect : r->activeskinrect;
    l.downskinrect = r->downskinrect.IsEmpty() ? l.activeskinrect : r->downskinrect;
    l.disabledskinrect = r->disabledskinrect;
    l.morphing = r->morphing;
    l.morphkind = r->morphkind;
    l.animateskinrect = r->animateskinrect;
    l.framecount = r->framecount;
    l.animateinterval = r->animateinterval;
    l.showfocus = r->showfocus;
    // A picture stretched to any size has no shape of its own.
    if (!m_useSkinSize) m_cache.MaskPicture = nullptr;
    // While the focus animation runs its frame stands in for one of the two looks.
    if (m_animTimer && m_animFrame >= 1 && m_animFrame <= l.framecount) {
        TRect frame = AnimationFrame(m_animFrame);
        if (m_animForward)
            l.activeskinrect = frame;
        else
            l.skinrect = frame;
    }
    // A new record, skin or animation frame draws the looks differently.
    if (before.valid != l.valid || before.skinrect != l.skinrect ||
        before.activeskinrect != l.activeskinrect || before.fontname != l.fontname ||
        before.fontheight != l.fontheight || before.fontstyle != l.fontstyle ||
        before.fontcolor != l.fontcolor || before.activefontcolor != l.activefontcolor ||
        before.showfocus != l.showfocus || m_fadePicture != m_cache.Picture) {
        m_fadePicture = m_cache.Picture;
        LooksChanged();
    }
}

void TspSkinButton::AdjustToSkinSize(int& width, int& height) {
    if (m_useSkinSize || SliceMode() == smFourCorner)
        TspSkinCustomControl::AdjustToSkinSize(width, height);
}

void TspSkinButton::ApplySkinChange() {
    LooksChanged();
    StopAnimation();
    StopMorph();
    TspSkinCustomControl::ApplySkinChange();
    ShowLitLookAtOnce();
}

bool TspSkinButton::RecordMorphing() const {
    return m_looks.valid && m_looks.morphing;
}

TspMorphKind TspSkinButton::RecordMorphKind() const {
    return m_looks.morphkind;
}

bool TspSkinButton::MorphTarget() const {
    return Lit();
}

// --- painting ---

bool TspSkinButton::ShowsPressed() const {
    return m_down &&
           (m_highlighted || m_groupIndex != 0 || (FocusedWithFocus() && !m_mousePressed));
}

void TspSkinButton::DrawGlyphAndCaption(TCanvas& c, const TRect& r, bool f1, bool f2,
                                        bool pressed) {
    int gw = 0, gh = 0;
    if (!m_glyph.Empty()) {
        gw = m_glyph.Width() / m_numGlyphs;
        gh = m_glyph.Height();
    }
    AnsiString caption = Caption();
    int tw = 0, th = 0;
    if (!caption.empty()) {
        TRect calc;
        DrawText(c, caption, calc, DT_CALCRECT);
        tw = calc.Width();
        th = calc.Height();
    }
    TspGlyphCaptionPlace p =
        LayoutGlyphAndCaption(r, gw, gh, tw, th, m_spacing, m_margin, m_layout, pressed);
    if (gw > 0)
        DrawGlyphFromStrip(c, p.glyph.X, p.glyph.Y,
                           ButtonGlyphNumber(f1, f2, m_numGlyphs, m_enabled), m_numGlyphs, m_glyph);
    if (!caption.empty()) {
        TRect text = Bounds(p.text.X, p.text.Y, tw + 2, th);
        c.Brush()->SetStyle(bsClear);
        DrawText(c, caption, text, DT_CENTER);
        c.Brush()->SetStyle(bsSolid);
    }
}

void TspSkinButton::DrawState(TBitmap& bitmap, const TRect& state, bool active, bool down) {
    int w = Width(), h = Height();
    TRect textRect;
    if (m_useSkinSize || SliceMode() == smFourCorner) {
        m_cache.DrawPicture(bitmap, state, w, h, false);
        textRect = m_cache.NewClRect;
    } else {
        // The picture stretched to any size.
        bitmap.SetSize(w, h);
        if (SliceMode() == smFixed)
            bitmap.Canvas()->CopyRect(bitmap.BoundsRect(), *m_cache.Picture, state);
        else if (SliceMode() == smHorizontal || SliceMode() == smVertical)
            DrawClientRectSliced(bitmap, m_cache.Picture, state, m_cache.clientrect, w, h, true);
        textRect = m_cache.clientrect;
        textRect.Right += w - state.Width();
        textRect.Bottom += h - state.Height();
    }
    TCanvas& c = *bitmap.Canvas();
    TFont font;
    ChooseSkinFont(font, m_looks.fontname, m_looks.fontheight, m_looks.fontstyle);
    if (m_enabled && !m_useSkinFontColor)
        font.SetColor(DefaultFont()->Color());
    else if (!m_enabled)
        font.SetColor(m_looks.disabledfontcolor);
    else if (active && down)
        font.SetColor(m_looks.downfontcolor);
    else if (active)
        font.SetColor(m_looks.activefontcolor);
    else
        font.SetColor(m_looks.fontcolor);
    c.SetFont(font);
    if (m_looks.showfocus && Focused()) {
        c.Brush()->SetColor(SkinData()->SkinColors().cbtnface);
        c.DrawFocusRect(textRect);
    }
    DrawGlyphAndCaption(c, textRect, down, active, active && down);
}

void TspSkinButton::PaintSkinned(TBitmap& bitmap) {
    if (!m_looks.valid || !m_cache.Picture) {
        PaintDefault(bitmap);
        return;
    }
    const Looks& l = m_looks;
    if (MorphRunning() && m_enabled) {
        FadeLooks& f = m_fade;
        AnsiString caption = Caption();
        bool focused = Focused();
        if (f.generation != m_looksGeneration || f.width != Width() || f.height != Height() ||
            f.caption != caption || f.focused != focused) {
            f.normal.SetSize(bitmap.Width(), bitmap.Height());
            f.active.SetSize(bitmap.Width(), bitmap.Height());
            DrawState(f.normal, l.skinrect, false, false);
            DrawState(f.active, l.activeskinrect, true, false);
            f.generation = m_looksGeneration;
            f.width = Width();
            f.height = Height();
            f.caption = caption;
            f.focused = focused;
        }
        DrawMorphed(bitmap, f.normal, f.active);
        return;
    }
    if (!m_enabled && !l.disabledskinrect.IsEmpty())
        DrawState(bitmap, l.disabledskinrect, false, false);
    else if (ShowsPressed())
        DrawState(bitmap, l.downskinrect, true, true);
    else if (Lit())
        DrawState(bitmap, l.activeskinrect, true, false);
    else if (!MorphAvailable() || MorphFactor() != 1)
        DrawState(bitmap, l.skinrect, false, false);
    else // the first moment of a fade-out
        DrawState(bitmap, l.activeskinrect, true, false);
}

void TspSkinButton::PaintDefault(TBitmap& bitmap) {
    TspSkinCustomControl::PaintDefault(bitmap);
    TCanvas& c = *bitmap.Canvas();
    TRect r = ClientRect();
    bool pressed = ShowsPressed();
    c.Brush()->SetStyle(bsSolid);
    if (pressed || m_highlighted || FocusedWithFocus()) {
        c.Brush()->SetColor(clNavy);
        c.FrameRect(r);
        c.Brush()->SetColor(pressed ? BuiltInPressedFill : BuiltInHotFill);
    } else {
        c.Brush()->SetColor(clBtnShadow);
        c.FrameRect(r);
        c.Brush()->SetColor(clBtnFace);
    }
    c.FillRect(InflateRect(r, -1, -1));
    TFont font;
    font.Assign(*DefaultFont());
    font.SetCharset(SkinCharset(SkinData(), font.Charset()));
    if (!m_enabled) font.SetColor(clBtnShadow);
    c.SetFont(font);
    DrawGlyphAndCaption(c, r, m_down, m_highlighted, pressed);
}

void TspSkinButton::CreateHandle() {
    TspSkinCustomControl::CreateHandle();
    m_activeDefault = m_default;
}

// --- the click ---

void TspSkinButton::RunClick() {
    if (m_canFocused)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(m_modalResult);
    if (OnClick) OnClick(this);
}

void TspSkinButton::StartRepeat() {
    if (!HandleAllocated()) return;
    // Made again each time it starts.
    KillTimer(this, RepeatTimerId);
    SetTimer(this, RepeatTimerId, unsigned(m_repeatInterval));
    m_repeatTimer = true;
}

void TspSkinButton::StopRepeat() {
    if (!m_repeatTimer) return;
    m_repeatTimer = false;
    KillTimer(this, RepeatTimerId);
}

// --- focus animation ---

bool TspSkinButton::AnimationAvailable() const {
    TspSkinData* store = SkinData();
    return m_looks.valid && store && !store->SkinEmpty() && store->EnableSkinEffects() &&
           !m_looks.animateskinrect.IsEmpty() && m_looks.framecount > 0;
}

TRect TspSkinButton::AnimationFrame(int frame) const {
    const TRect& strip = m_looks.animateskinrect;
    int n = std::max(1, m_looks.framecount);
    // Side by side when one look is narrower than the strip, else stacked.
    if (m_looks.skinrect.Width() < strip.Width()) {
        int w = strip.Width() / n;
        return Rect(strip.Left + (frame - 1) * w, strip.Top, strip.Left + frame * w, strip.Bottom);
    }
    int h = strip.Height() / n;
    return Rect(strip.Left, strip.Top + (frame - 1) * h, strip.Right, strip.Top + frame * h);
}

void TspSkinButton::StartAnimation(bool forward) {
    StopAnimation();
    if (!HandleAllocated() || !AnimationAvailable()) return;
    m_animForward = forward;
    m_animFrame = forward ? 1 : m_looks.framecount;
    m_animTimer = true;
    SetTimer(this, AnimationTimerId, unsigned(std::max(1, m_looks.animateinterval)));
    Invalidate();
}

void TspSkinButton::StopAnimation() {
    if (!m_animTimer) return;
    m_animTimer = false;
    KillTimer(this, AnimationTimerId);
}

void TspSkinButton::HoverChanged(bool forward) {
    if (AnimationAvailable()) StartAnimation(forward);
    RefreshMorph();
}

bool TspSkinButton::HoverRule() const {
    if (m_groupIndex != 0) return !m_down;
    return !FocusedWithFocus() || m_down;
}

void TspSkinButton::WMTimer(TWMTimer& m) {
    if (m.TimerID == RepeatTimerId) {
        if (!m_repeatTimer) {
            KillTimer(this, RepeatTimerId);
            return;
        }
        RunClick();
        return;
    }
    if (m.TimerID == AnimationTimerId) {
        if (!m_animTimer) {
            KillTimer(this, AnimationTimerId);
            return;
        }
        m_animFrame += m_animForward ? 1 : -1;
        if (m_animFrame > m_looks.framecount || m_animFrame < 1 || !AnimationAvailable())
            StopAnimation();
        Invalidate();
        return;
    }
    TspSkinCustomControl::WMTimer(m);
}

// --- mouse ---

void TspSkinButton::CMMouseEnter(TCMMouseEnterLeave& m) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::CMMouseEnter(m);
    if (!*alive || (ComponentState() & csDesigning)) return;
    m_highlighted = true;
    if (HoverRule()) {
        if (m_down) {
            if (MorphAvailable()) SetMorphFactor(1);
            Invalidate();
        } else {
            HoverChanged(true);
        }
    }
    if (m_down && m_repeatMode && m_groupIndex == 0) StartRepeat();
}

void TspSkinButton::CMMouseLeave(TCMMouseEnterLeave& m) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::CMMouseLeave(m);
    if (!*alive || (ComponentState() & csDesigning)) return;
    // The highlighted default button stays lit while the focus is elsewhere.
    if (!(m_canFocused && m_default && m_activeDefault && !Focused())) m_highlighted = false;
    if (HoverRule()) HoverChanged(false);
    if (m_down && m_repeatMode && m_repeatTimer && m_groupIndex == 0) StopRepeat();
}

void TspSkinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::MouseDown(button, shift, x, y);
    if (!*alive || button != mbLeft) return;
    StopAnimation();
    m_mousePressed = true;
    if (!m_down) {
        m_highlighted = true;
        SetDown(true);
        if (m_repeatMode && m_groupIndex == 0)
            StartRepeat();
        else if (m_groupIndex != 0)
            RunClick();
        if (!*alive) return;
        m_pressedWhileDown = false;
    } else if (m_groupIndex != 0) {
        m_pressedWhileDown = true;
    }
}

void TspSkinButton::WMLButtonUp(TWMMouse& m) {
    std::shared_ptr<bool> alive = m_alive;
    bool wasDown = m_down;
    m_mousePressed = false;
    if (m_groupIndex == 0) {
        if (m_highlighted) {
            SetDown(false);
            StopRepeat();
            if (wasDown) RunClick();
        } else {
            // Released outside: no click; the button is already drawn up.
            m_down = false;
            StopRepeat();
        }
    } else if (wasDown && m_allowAllUp && m_pressedWhileDown && m_highlighted) {
        SetDown(false);
        RunClick();
    }
    // The click handler may have hidden or freed the button.
    if (!*alive || !HandleAllocated() || !Visible()) return;
    TspSkinCustomControl::WMLButtonUp(m);
}

// --- keyboard ---

void TspSkinButton::KeyDown(WORD& key, TShiftState shift) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::KeyDown(key, shift);
    if (!*alive || !m_canFocused) return;
    if (key == VK_SPACE) {
        SetDown(true);
        if (m_repeatMode) RunClick();
    } else if (key == VK_RETURN) {
        RunClick();
    }
}

void TspSkinButton::KeyUp(WORD& key, TShiftState shift) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::KeyUp(key, shift);
    if (!*alive || !m_canFocused || key != VK_SPACE) return;
    SetDown(false);
    RunClick();
}

void TspSkinButton::CMDialogKey(TWMKey& m) {
    if (m_canFocused) {
        TShiftState shift = KeyboardShiftState();
        if (m.CharCode == VK_RETURN && m_activeDefault && m_enabled) {
            RunClick();
            m.Result = 1;
            return;
        }
        if (m.CharCode == VK_ESCAPE && m_cancel && !(shift & (ssShift | ssCtrl | ssAlt)) &&
            CanFocus()) {
            RunClick();
            m.Result = 1;
            return;
        }
    }
    TspSkinCustomControl::CMDialogKey(m);
}

void TspSkinButton::CMDialogChar(TWMChar& m) {
    if (m_canFocused && FocusForAccelerator(m, [this] { RunClick(); })) return;
    TspSkinCustomControl::CMDialogChar(m);
}

void TspSkinButton::CMFocusChanged(TCMFocusChanged& m) {
    TspSkinCustomControl::CMFocusChanged(m);
    auto* target = m.Sender;
    auto* button = dynamic_cast<TspSkinButton*>(target);
    m_activeDefault = button ? button == this : m_default;
    if (!m_canFocused || !m_default) return;
    if (button) {
        if (button != this) {
            m_highlighted = false;
            RefreshMorph();
        }
    } else {
        m_highlighted = true;
        if (MorphAvailable()) SetMorphFactor(1);
        Invalidate();
    }
}

void TspSkinButton::WMSetFocus(TWMFocus& m) {
    TspSkinCustomControl::WMSetFocus(m);
    if (!m_canFocused) return;
    if (AnimationAvailable()) StartAnimation(true);
    RefreshMorph();
}

void TspSkinButton::WMKillFocus(TWMFocus& m) {
    TspSkinCustomControl::WMKillFocus(m);
    StopRepeat();
    if (m_groupIndex == 0 && m_down) m_down = false;
    if (!m_canFocused) return;
    if (AnimationAvailable()) StartAnimation(false);
    RefreshMorph();
}

void TspSkinButton::DescribeAccessible(TAccessibleInfo& info) const {
    TspSkinCustomControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::PushButton;
    if (m_default) info.States |= asDefault;
    if (m_canFocused && m_groupIndex == 0 && CanFocus())
        info.States |= asFocusable;
    else
        info.States &= ~asFocusable;
    if (m_groupIndex != 0) {
        info.States |= asCheckable;
        if (m_down) info.States |= asChecked;
    }
    auto* self = const_cast<TspSkinButton*>(this);
    info.Actions.push_back({"click", info.Description, "", [self] { self->RunClick(); }});
}

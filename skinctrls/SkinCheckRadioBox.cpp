#include "skinctrls/SkinCheckRadioBox.h"

#include <algorithm>

#include "gfx/DrawText.h"
#include "skin/ParentImage.h"
#include "skin/SkinData.h"
#include "skinctrls/SkinBuiltInLook.h"
#include "skinctrls/SkinFontRule.h"
#include "skinctrls/SkinPictureParts.h"
#include "ui/StdCtrls.h"

TspSkinCheckRadioBox::TspSkinCheckRadioBox(TComponent* owner) : TspSkinCustomControl(owner) {
    m_width = 150;
    m_height = 25;
    SetSkinDataName("checkbox");
    // OnClick comes from the Checked and State setters, not from the framework's click.
    m_controlStyle &= ~csClickEvents;
    m_tabStop = false;
}

// --- properties ---

void TspSkinCheckRadioBox::SetAllowGrayed(bool value) {
    m_allowGrayed = value;
    Invalidate();
}

void TspSkinCheckRadioBox::SetRadio(bool value) {
    m_radio = value;
    if (ComponentState() & csDesigning) {
        SetSkinDataName(value ? "radiobox" : "checkbox");
        m_groupIndex = value ? 1 : 0;
    }
    Invalidate();
}

void TspSkinCheckRadioBox::SetFlat(bool value) {
    if (value == m_flat) return;
    m_flat = value;
    ApplySkinChange();
}

void TspSkinCheckRadioBox::SetImages(TImageList* images) {
    if (m_images) m_images->RemoveFreeNotification(this);
    m_images = images;
    if (m_images) m_images->FreeNotification(this);
    Invalidate();
}

void TspSkinCheckRadioBox::SetImageIndex(int value) {
    m_imageIndex = value;
    Invalidate();
}

void TspSkinCheckRadioBox::Notification(TComponent* component, TOperation operation) {
    TspSkinCustomControl::Notification(component, operation);
    if (operation == opRemove && component == m_images) {
        m_images = nullptr;
        Invalidate();
    }
}

void TspSkinCheckRadioBox::SetChecked(bool value) {
    std::shared_ptr<bool> alive = m_alive;
    bool wasChecked = m_state == cbChecked;
    m_checked = value;
    // Unchecking a grayed box leaves it grayed.
    if (value || wasChecked) m_state = value ? cbChecked : cbUnchecked;
    Invalidate();
    NotifyAccessible(*this, TAccessibleChange::States);
    if (m_checked && m_groupIndex != 0 && m_parent) {
        for (int i = 0; i < m_parent->ControlCount(); ++i) {
            auto* other = dynamic_cast<TspSkinCheckRadioBox*>(m_parent->Controls(i));
            if (other && other != this && other->m_groupIndex == m_groupIndex && other->m_checked) {
                other->SetChecked(false);
                if (!*alive) return;
            }
        }
    }
    if ((!m_radio || m_checked) && OnClick) OnClick(this);
}

void TspSkinCheckRadioBox::SetState(TspCheckBoxState value) {
    m_state = value;
    m_checked = value == cbChecked;
    Invalidate();
    NotifyAccessible(*this, TAccessibleChange::States);
    if (OnClick) OnClick(this);
}

void TspSkinCheckRadioBox::Toggle() {
    if (!m_radio)
        SetChecked(!m_checked);
    else if (!m_checked)
        SetChecked(true);
}

// --- the record ---

void TspSkinCheckRadioBox::LookUpSkinRecord() {
    TspSkinCustomControl::LookUpSkinRecord();
    m_looks = Looks{};
    auto* r = dynamic_cast<TspDataSkinCheckRadioControl*>(SkinRecord());
    if (!r || !m_cache.IsSliced || !m_cache.Picture) return;
    Looks& l = m_looks;
    l.valid = true;
    l.fontname = r->fontname;
    l.fontheight = r->fontheight;
    l.fontstyle = r->fontstyle;
    l.fontcolor = TColor(r->fontcolor);
    l.activefontcolor = TColor(r->activefontcolor);
    l.framefontcolor = TColor(r->framefontcolor);
    l.unenabledfontcolor = TColor(r->unenabledfontcolor);
    l.activeskinrect = r->activeskinrect.IsEmpty() ? r->skinrect : r->activeskinrect;
    l.morphing = r->morphing && !m_flat;
    l.morphkind = r->morphkind;
    l.checkimagearea = r->checkimagearea;
    l.textarea = r->textarea;
    l.checkimagerect = r->checkimagerect;
    l.uncheckimagerect = r->uncheckimagerect;
    auto orElse = [](const TRect& a, const TRect& b) { return a.IsEmpty() ? b : a; };
    l.activecheckimagerect = orElse(r->activecheckimagerect, r->checkimagerect);
    l.activeuncheckimagerect = orElse(r->activeuncheckimagerect, r->uncheckimagerect);
    l.unenabledcheckimagerect = orElse(r->unenabledcheckimagerect, r->checkimagerect);
    l.unenableduncheckimagerect = orElse(r->unenableduncheckimagerect, r->uncheckimagerect);
    // The flat box lies over its parent: no shape of its own.
    if (m_flat) m_cache.MaskPicture = nullptr;
}

bool TspSkinCheckRadioBox::RecordMorphing() const {
    return m_looks.valid && m_looks.morphing;
}

bool TspSkinCheckRadioBox::MorphTarget() const {
    return Lit();
}

void TspSkinCheckRadioBox::AdjustToSkinSize(int& width, int& height) {
    // The flat box keeps whatever size it is given.
    if (m_flat) return;
    TspSkinCustomControl::AdjustToSkinSize(width, height);
    PlaceFramedParts();
}

void TspSkinCheckRadioBox::PlaceFramedParts() {
    const Looks& l = m_looks;
    if (!l.valid) return;
    int dx = Width() - m_cache.SkinWidth();
    m_textRect = l.textarea;
    m_textRect.Right += dx;
    TRect area = l.checkimagearea;
    // A box on the right side moves with the width.
    if (l.textarea.Right < l.checkimagearea.Right) area = OffsetRect(area, dx, 0);
    int w = l.checkimagerect.Width(), h = l.checkimagerect.Height();
    int x = area.Left + (area.Width() - w) / 2, y = area.Top + (area.Height() - h) / 2;
    m_checkImageRect = Bounds(x, y, w, h);
}

void TspSkinCheckRadioBox::ApplySkinChange() {
    StopMorph();
    if (m_flat) {
        LookUpSkinRecord();
        Invalidate();
        return;
    }
    TspSkinCustomControl::ApplySkinChange();
    PlaceFramedParts();
    ShowLitLookAtOnce();
}

void TspSkinCheckRadioBox::SetBounds(int left, int top, int width, int height) {
    bool moved = left != Left() || top != Top();
    TspSkinCustomControl::SetBounds(left, top, width, height);
    PlaceFramedParts();
    // What lies beneath shows through the flat box.
    if (moved && m_flat) Invalidate();
}

// --- painting ---

TRect TspSkinCheckRadioBox::ChooseImage(bool& lightened) const {
    const Looks& l = m_looks;
    lightened = m_state == cbGrayed;
    if (!m_enabled)
        return m_state == cbUnchecked ? l.unenableduncheckimagerect : l.unenabledcheckimagerect;
    if (m_highlighted)
        return m_state == cbUnchecked ? l.activeuncheckimagerect : l.activecheckimagerect;
    return m_state == cbUnchecked ? l.uncheckimagerect : l.checkimagerect;
}

void TspSkinCheckRadioBox::DrawCaption(TCanvas& c, int captionLeft, TColor focusBrush) {
    int h = Height();
    AnsiString caption = Caption();
    int th = c.TextHeight(caption.empty() ? AnsiString(" ") : caption);
    TRect text = Rect(captionLeft, (h - th) / 2, Width() - 2, (h - th) / 2 + th);
    TRect image;
    if (m_images && m_imageIndex >= 0 && m_imageIndex < m_images->Count()) {
        int iw = m_images->Width(), ih = m_images->Height();
        image = Bounds(text.Left, (h - ih) / 2, iw, ih);
        m_images->Draw(c, image.Left, image.Top, m_imageIndex, m_enabled);
        text.Left += iw + 5;
    }
    if (!caption.empty() && text.Right > text.Left) {
        c.Brush()->SetStyle(bsClear);
        TRect r = text;
        DrawText(c, caption, r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        c.Brush()->SetStyle(bsSolid);
    }
    if (!FocusedWithFocus()) return;
    c.Brush()->SetColor(focusBrush);
    if (!caption.empty()) {
        TRect calc;
        DrawText(c, caption, calc, DT_CALCRECT | DT_SINGLELINE);
        TRect focus = Rect(text.Left - 2, text.Top - 1,
                           std::min(text.Right, text.Left + calc.Width()) + 3, text.Bottom + 1);
        c.DrawFocusRect(focus);
    } else if (!image.IsEmpty()) {
        c.DrawFocusRect(InflateRect(image, 1, 1));
    }
}

void TspSkinCheckRadioBox::DrawBuiltInBox(TCanvas& c, int height) {
    int mid = height / 2;
    TRect box = Rect(3, mid - 7, 17, mid + 7);
    c.Brush()->SetColor(m_highlighted ? clNavy : clBtnShadow);
    c.FrameRect(box);
    if (m_state == cbGrayed && !m_radio) {
        DrawBuiltInCheckMark(c, 7, mid - 4, clGrayText);
    } else if (m_checked) {
        TColor color = m_enabled ? clBlack : clBtnShadow;
        if (m_radio) {
            c.Brush()->SetColor(color);
            c.FillRect(Bounds(7, mid - 3, 6, 6));
        } else {
            DrawBuiltInCheckMark(c, 7, mid - 4, color);
        }
    }
}

void TspSkinCheckRadioBox::PaintFlat(TBitmap& bitmap) {
    bitmap.SetSize(Width(), Height());
    TCanvas& c = *bitmap.Canvas();
    CaptureParentImageGraphic(this, c);
    int h = Height();
    TFont font;
    if (m_looks.valid) {
        bool lightened = false;
        TRect image = ChooseImage(lightened);
        DrawTransparentPart(c, *m_cache.Picture, image, 3,
                            (h - m_looks.checkimagerect.Height()) / 2, lightened);
        ChooseSkinFont(font, m_looks.fontname, m_looks.fontheight, m_looks.fontstyle);
        font.SetColor(m_enabled ? m_looks.framefontcolor : m_looks.unenabledfontcolor);
        c.SetFont(font);
        DrawCaption(c, m_looks.checkimagerect.Width() + 7, SkinData()->SkinColors().cbtnface);
        return;
    }
    DrawBuiltInBox(c, h);
    font.Assign(*DefaultFont());
    font.SetCharset(SkinCharset(SkinData(), font.Charset()));
    if (!m_enabled) font.SetColor(clBtnShadow);
    c.SetFont(font);
    DrawCaption(c, 22, clBtnFace);
}

void TspSkinCheckRadioBox::PaintFramed(TBitmap& bitmap, const TRect& source, bool active) {
    m_cache.DrawPicture(bitmap, source, Width(), Height(), false);
    TCanvas& c = *bitmap.Canvas();
    bool lightened = false;
    TRect image = ChooseImage(lightened);
    DrawTransparentPart(c, *m_cache.Picture, image, m_checkImageRect.Left, m_checkImageRect.Top,
                        lightened);
    TFont font;
    ChooseSkinFont(font, m_looks.fontname, m_looks.fontheight, m_looks.fontstyle);
    font.SetColor(!m_enabled ? m_looks.unenabledfontcolor
                  : active   ? m_looks.activefontcolor
                             : m_looks.fontcolor);
    c.SetFont(font);
    c.Brush()->SetStyle(bsClear);
    TRect text = m_textRect;
    DrawText(c, Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    c.Brush()->SetStyle(bsSolid);
}

void TspSkinCheckRadioBox::PaintSkinned(TBitmap& bitmap) {
    if (m_flat) {
        PaintFlat(bitmap);
        return;
    }
    if (!m_looks.valid) {
        PaintDefault(bitmap);
        return;
    }
    PlaceFramedParts();
    if (MorphRunning() && m_enabled) {
        TBitmap normal, active;
        PaintFramed(normal, m_cache.skinrect, false);
        PaintFramed(active, m_looks.activeskinrect, true);
        DrawMorphed(bitmap, normal, active);
        return;
    }
    bool lit = Lit();
    PaintFramed(bitmap, lit ? m_looks.activeskinrect : m_cache.skinrect, lit);
}

void TspSkinCheckRadioBox::PaintDefault(TBitmap& bitmap) {
    // The built-in flat look is drawn whatever DrawDefault says.
    if (m_flat) {
        PaintFlat(bitmap);
        return;
    }
    TspSkinCustomControl::PaintDefault(bitmap);
    TCanvas& c = *bitmap.Canvas();
    if (Focused() || m_highlighted) {
        c.Brush()->SetColor(clBtnShadow);
        c.FrameRect(ClientRect());
    }
    DrawBuiltInBox(c, Height());
    TFont font;
    font.Assign(*DefaultFont());
    font.SetCharset(SkinCharset(SkinData(), font.Charset()));
    if (!m_enabled) font.SetColor(clBtnShadow);
    c.SetFont(font);
    c.Brush()->SetStyle(bsClear);
    TRect text = Rect(19, 0, Width(), Height());
    DrawText(c, Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    c.Brush()->SetStyle(bsSolid);
}

// --- mouse and keys ---

void TspSkinCheckRadioBox::CMMouseEnter(TCMMouseEnterLeave& m) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::CMMouseEnter(m);
    if (!*alive) return;
    m_highlighted = true;
    RefreshMorph();
}

void TspSkinCheckRadioBox::CMMouseLeave(TCMMouseEnterLeave& m) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::CMMouseLeave(m);
    if (!*alive) return;
    m_highlighted = false;
    RefreshMorph();
}

void TspSkinCheckRadioBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!m_highlighted) {
        m_highlighted = true;
        RefreshMorph();
    }
    TspSkinCustomControl::MouseDown(button, shift, x, y);
}

void TspSkinCheckRadioBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::MouseUp(button, shift, x, y);
    if (!*alive || button != mbLeft || !m_highlighted) return;
    // With AllowGrayed the mouse goes unchecked, grayed, checked, unchecked.
    if (m_allowGrayed && !m_radio && m_state == cbUnchecked)
        SetState(cbGrayed);
    else
        Toggle();
}

void TspSkinCheckRadioBox::KeyUp(WORD& key, TShiftState shift) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::KeyUp(key, shift);
    if (*alive && key == VK_SPACE && m_canFocused && Focused()) Toggle();
}

void TspSkinCheckRadioBox::CMDialogChar(TWMChar& m) {
    if (m_canFocused && FocusForAccelerator(m, [this] { Toggle(); })) return;
    TspSkinCustomControl::CMDialogChar(m);
}

void TspSkinCheckRadioBox::WMSetFocus(TWMFocus& m) {
    TspSkinCustomControl::WMSetFocus(m);
    RefreshMorph();
}

void TspSkinCheckRadioBox::WMKillFocus(TWMFocus& m) {
    TspSkinCustomControl::WMKillFocus(m);
    RefreshMorph();
}

void TspSkinCheckRadioBox::DescribeAccessible(TAccessibleInfo& info) const {
    TspSkinCustomControl::DescribeAccessible(info);
    info.Role = m_radio ? TAccessibleRole::RadioButton : TAccessibleRole::CheckBox;
    info.States |= asCheckable;
    if (m_checked) info.States |= asChecked;
    if (m_canFocused && CanFocus())
        info.States |= asFocusable;
    else
        info.States &= ~asFocusable;
    auto* self = const_cast<TspSkinCheckRadioBox*>(this);
    info.Actions.push_back({"click", info.Description, "", [self] { self->Toggle(); }});
}

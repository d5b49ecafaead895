#include "skinctrls/SkinEdit.h"

#include <algorithm>

#include "skin/EffectBitmap.h"
#include "skin/ParentImage.h"
#include "skin/SkinData.h"
#include "skin/SkinSlicing.h"
#include "skinctrls/SkinBuiltInLook.h"
#include "skinctrls/SkinFontRule.h"
#include "skinctrls/SkinPictureParts.h"
#include "ui/Forms.h"

namespace {
constexpr int ButtonHit = HTOBJECT;
} // namespace

TspSkinCustomEdit::TspSkinCustomEdit(TComponent* owner)
    : TspCustomEdit(owner), TspSkinFontDefaults(*this, clBlack) {
    m_height = 20;
    // The frame is ours: no border and no sunken edge of the window's own.
    SetBorderStyle(bsNone);
    m_font.Assign(*DefaultFont());
    m_parentFont = false;
    Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
}

TspSkinCustomEdit::~TspSkinCustomEdit() {
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
}

void TspSkinCustomEdit::SetSkinData(TspSkinData* value) {
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = value;
    if (m_skinData) m_skinData->FreeNotification(this);
    if (!(ComponentState() & csDesigning)) ApplySkinChange();
}

void TspSkinCustomEdit::Notification(TComponent* component, TOperation operation) {
    TspCustomEdit::Notification(component, operation);
    if (operation == opRemove && component == m_skinData) {
        m_skinData = nullptr;
        ApplySkinChange();
    }
}

void TspSkinCustomEdit::SetDefaultColor(TColor value) {
    m_defaultColor = value;
    if (!LookUpSkinRecord()) {
        Invalidate();
        RedrawFrame();
    }
}

void TspSkinCustomEdit::AfterDefaultFontChange() {
    if (!LookUpSkinRecord() || !UseSkinFont()) ApplySkinChange();
}

void TspSkinCustomEdit::SetButtonMode(bool value) {
    if (value == m_buttonMode) return;
    m_buttonMode = value;
    if (HandleAllocated()) RecreateWnd();
}

void TspSkinCustomEdit::SetAlphaBlend(bool value) {
    m_alphaBlend = value;
    Invalidate();
    RedrawFrame();
}

void TspSkinCustomEdit::SetAlphaBlendValue(int value) {
    m_alphaBlendValue = std::clamp(value, 0, 255);
    Invalidate();
    RedrawFrame();
}

void TspSkinCustomEdit::SetAlignment(TAlignment value) {
    if (value == Alignment()) return;
    TspCustomEdit::SetAlignment(value);
    if (HandleAllocated()) RecreateWnd();
}

TspDataSkinEditControl* TspSkinCustomEdit::LookUpSkinRecord() const {
    if (!m_skinData || m_skinData->SkinEmpty()) return nullptr;
    int index = m_skinData->FindControlRecord(m_skinDataName);
    auto* record = dynamic_cast<TspDataSkinEditControl*>(m_skinData->ControlRecord(index));
    // A record without its picture is drawn the built-in way.
    if (record && !m_skinData->ActivePicture(record->pictureindex)) return nullptr;
    return record;
}

TRect TspSkinCustomEdit::TextArea(int width, int height) const {
    TRect area;
    if (TspDataSkinEditControl* r = LookUpSkinRecord()) {
        area = r->clientrect;
        area.Right += width - r->skinrect.Width();
        if (!UseSkinFont()) area.Bottom += height - r->skinrect.Height();
    } else {
        area = Rect(2, 2, width - 2, height - 2);
    }
    if (m_buttonMode) area.Right = std::min(area.Right, width - height - 2);
    area.Right = std::max(area.Left, area.Right);
    area.Bottom = std::max(area.Top, area.Bottom);
    return area;
}

TRect TspSkinCustomEdit::ButtonRect() const {
    if (!m_buttonMode) return {};
    return Rect(std::max(0, m_width - m_height), 0, m_width, m_height);
}

int TspSkinCustomEdit::FittedHeight(int requested) const {
    TspDataSkinEditControl* r = LookUpSkinRecord();
    if (UseSkinFont()) return r ? r->skinrect.Height() : requested;
    // The font decides: its text height plus the frame around the text.
    TBitmap scratch(1, 1);
    TCanvas c;
    c.SetSurface(&scratch);
    c.SetFont(m_font);
    return c.TextHeight("Wg") + (r ? r->skinrect.Height() - r->clientrect.Height() : 4);
}

void TspSkinCustomEdit::SetBounds(int left, int top, int width, int height) {
    if (width != m_width || height != m_height) height = FittedHeight(height);
    TspCustomEdit::SetBounds(left, top, width, height);
}

void TspSkinCustomEdit::UpdateFontColor() {
    TspDataSkinEditControl* r = LookUpSkinRecord();
    TColor color;
    if (!m_enabled)
        color = r ? TColor(r->disabledfontcolor) : clGrayText;
    else if (!r)
        color = DefaultFont()->Color();
    else
        color = TColor(m_hovered || Focused() ? r->activefontcolor : r->fontcolor);
    if (m_font.Color() != color) m_font.SetColor(color);
}

void TspSkinCustomEdit::ApplySkinChange() {
    TspDataSkinEditControl* r = LookUpSkinRecord();
    m_index = r ? m_skinData->FindControlRecord(m_skinDataName) : -1;
    TFont font;
    font.Assign(m_font);
    ChooseRuleFont(font, r && UseSkinFont(), r ? r->fontname : std::string(), r ? r->fontheight : 0,
                   r ? r->fontstyle : 0, *DefaultFont(), m_skinData);
    m_font.Assign(font);
    if (!r) {
        TakeDefaultSize();
    } else {
        TspCustomEdit::SetBounds(m_left, m_top, m_width, FittedHeight(m_height));
    }
    UpdateFontColor();
    if (HandleAllocated()) RecreateWnd();
    Invalidate();
}

void TspSkinCustomEdit::RedrawFrame() {
    if (HandleAllocated()) RedrawWindow(this, nullptr, RDW_FRAME);
}

void TspSkinCustomEdit::PaintFrame(TBitmap& frame) {
    frame.SetSize(m_width, m_height);
    TCanvas& c = *frame.Canvas();
    TspDataSkinEditControl* r = LookUpSkinRecord();
    if (r) {
        const TBitmap* picture = m_skinData->ActivePicture(r->pictureindex);
        TRect source = (m_hovered || Focused()) && !r->activeskinrect.IsEmpty() ? r->activeskinrect
                                                                                : r->skinrect;
        int sw = r->skinrect.Width();
        TBitmap row;
        DrawHorizontalSliced(row, picture, source, r->lefttoppoint.X, sw - r->righttoppoint.X,
                             m_width, r->stretcheffect);
        if (row.Height() == m_height)
            c.Draw(0, 0, row);
        else
            c.StretchDraw(Rect(0, 0, m_width, m_height), row);
    } else {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(m_defaultColor);
        c.FillRect(frame.BoundsRect());
        c.Brush()->SetColor(clBtnShadow);
        c.FrameRect(frame.BoundsRect());
        c.Brush()->SetColor(clBtnFace);
        c.FrameRect(InflateRect(frame.BoundsRect(), -1, -1));
    }
    if (!m_buttonMode) return;
    // The push button at the right end.
    TRect b = ButtonRect();
    bool pressed = m_buttonDown && m_buttonHot;
    const TBitmap* picture = r ? m_skinData->ActivePicture(r->pictureindex) : nullptr;
    TRect part;
    if (r) {
        part = !m_enabled    ? r->unenabledbuttonrect
               : pressed     ? r->downbuttonrect
               : m_buttonHot ? r->activebuttonrect
                             : r->buttonrect;
        if (part.IsEmpty()) part = r->buttonrect;
    }
    if (picture && !part.IsEmpty()) {
        StretchPart(c, *picture, part, b);
        return;
    }
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(pressed || m_buttonHot ? clNavy : clBtnShadow);
    c.FrameRect(b);
    c.Brush()->SetColor(pressed ? BuiltInPressedFill : m_buttonHot ? BuiltInHotFill : clBtnFace);
    c.FillRect(InflateRect(b, -1, -1));
    c.Font()->Assign(m_font);
    c.Font()->SetColor(m_enabled ? clBlack : clBtnShadow);
    c.Brush()->SetStyle(bsClear);
    TSize dots = c.TextExtent("...");
    int shift = pressed ? 1 : 0;
    c.TextOut(b.Left + (b.Width() - dots.cx) / 2 + shift,
              b.Top + (b.Height() - dots.cy) / 2 + shift, "...");
}

void TspSkinCustomEdit::BlendWithParent(TBitmap& picture, const TRect& areaInWindow) {
    if (!m_alphaBlend || !m_parent) return;
    // At the picture's scale, so that the two blend pixel for pixel.
    TBitmap under;
    under.SetScale(picture.Scale());
    under.SetSize(m_width, m_height);
    CaptureParentImage(this, *under.Canvas());
    TBitmap part;
    part.SetScale(picture.Scale());
    part.SetSize(picture.Width(), picture.Height());
    part.Canvas()->CopyRect(part.BoundsRect(), under, areaInWindow);
    TspEffectBmp mine(picture), back(part);
    mine.Blend(back, 1.0 - m_alphaBlendValue / 255.0);
    mine.AssignTo(picture);
}

void TspSkinCustomEdit::WMNCCalcSize(TWMNCCalcSize& m) {
    auto& p = m.Params;
    TRect w = p.rgrc[0];
    TRect a = TextArea(w.Width(), w.Height());
    p.rgrc[0] = Rect(w.Left + a.Left, w.Top + a.Top, w.Left + a.Right, w.Top + a.Bottom);
}

void TspSkinCustomEdit::WMNCPaint(TWMNCPaint& m) {
    auto* canvas = m.Canvas;
    if (!canvas || m_width <= 0 || m_height <= 0) return;
    TBitmap frame;
    frame.SetScale(canvas->Scale()); // the skin's pictures keep their device pixels
    PaintFrame(frame);
    BlendWithParent(frame, frame.BoundsRect());
    TCanvasStateGuard state(*canvas);
    canvas->ExcludeClipRect(TextArea(m_width, m_height));
    canvas->Draw(0, 0, frame);
}

void TspSkinCustomEdit::EraseBackground(TCanvas& canvas) {
    TRect area = ClientRect();
    if (area.IsEmpty()) return;
    TspDataSkinEditControl* r = LookUpSkinRecord();
    TBitmap back;
    back.SetScale(canvas.Scale());
    back.SetSize(area.Width(), area.Height());
    if (r) {
        const TBitmap* picture = m_skinData->ActivePicture(r->pictureindex);
        TRect source = (m_hovered || Focused()) && !r->activeskinrect.IsEmpty() ? r->activeskinrect
                                                                                : r->skinrect;
        const TRect& cl = r->clientrect;
        TRect part = OffsetRect(cl, source.Left, source.Top);
        int left = std::max(0, r->lefttoppoint.X - cl.Left);
        int right = std::max(0, cl.Right - r->righttoppoint.X);
        TBitmap row;
        DrawHorizontalSliced(row, picture, part, left, right, area.Width(), r->stretcheffect);
        if (row.Height() == area.Height())
            back.Canvas()->Draw(0, 0, row);
        else
            back.Canvas()->StretchDraw(back.BoundsRect(), row);
    } else {
        back.Fill(m_defaultColor);
    }
    BlendWithParent(back, OffsetRect(back.BoundsRect(), TextArea(m_width, m_height).Left,
                                     TextArea(m_width, m_height).Top));
    canvas.Draw(0, 0, back);
}

void TspSkinCustomEdit::Paint() {
    if (m_enabled) {
        TspCustomEdit::Paint();
        return;
    }
    // A disabled field writes its text itself, in the record's disabled colour.
    TCanvas& c = *Canvas();
    TRect area = ClientRect();
    c.SetFont(m_font);
    c.Brush()->SetStyle(bsClear);
    AnsiString shown = DisplayText();
    int w = c.TextWidth(shown);
    int x = 2;
    if (Alignment() == taRightJustify)
        x = area.Width() - w - 1;
    else if (Alignment() == taCenter)
        x = area.Width() / 2 - w / 2;
    c.TextRect(area, x, 0, shown);
    c.Brush()->SetStyle(bsSolid);
}

void TspSkinCustomEdit::WMNCHitTest(TWMNCHitTest& m) {
    TRect wr = WindowRectOnScreen();
    TPoint p = m.Pos;
    TPoint local{p.X - wr.Left, p.Y - wr.Top};
    if (m_buttonMode && ButtonRect().Contains(local)) {
        m.Result = ButtonHit;
        return;
    }
    // The frame belongs to the field: clicks there act as in the text.
    m.Result = HTCLIENT;
}

void TspSkinCustomEdit::WMNCLButtonDown(TWMNCMouse& m) {
    if (m.HitTest != ButtonHit || !m_enabled) {
        TspCustomEdit::WMNCLButtonDown(m);
        return;
    }
    m_buttonDown = true;
    m_buttonHot = true;
    SetCapture(this);
    RedrawFrame();
}

void TspSkinCustomEdit::WMMouseMove(TWMMouse& m) {
    if (m_buttonDown) {
        // While the button is held the pointer is followed in window coordinates.
        TPoint p = m.Pos;
        TRect client = ClientRectInWindow();
        bool hot = ButtonRect().Contains({p.X + client.Left, p.Y + client.Top});
        if (hot != m_buttonHot) {
            m_buttonHot = hot;
            RedrawFrame();
        }
        return;
    }
    TspCustomEdit::WMMouseMove(m);
}

void TspSkinCustomEdit::WMLButtonUp(TWMMouse& m) {
    if (!m_buttonDown) {
        TspCustomEdit::WMLButtonUp(m);
        return;
    }
    bool click = m_buttonHot;
    m_buttonDown = false;
    m_buttonHot = false;
    if (GetCapture() == this) ReleaseCapture();
    RedrawFrame();
    if (click && OnButtonClick) OnButtonClick(this);
}

void TspSkinCustomEdit::WMSetFocus(TWMFocus& m) {
    TspCustomEdit::WMSetFocus(m);
    UpdateFontColor();
    RedrawFrame();
    Invalidate();
}

void TspSkinCustomEdit::WMKillFocus(TWMFocus& m) {
    TspCustomEdit::WMKillFocus(m);
    UpdateFontColor();
    RedrawFrame();
    Invalidate();
}

void TspSkinCustomEdit::CMMouseEnter(TCMMouseEnterLeave& m) {
    m_hovered = true;
    if (LookUpSkinRecord()) {
        UpdateFontColor();
        RedrawFrame();
        Invalidate();
    }
    TspCustomEdit::CMMouseEnter(m);
}

void TspSkinCustomEdit::CMMouseLeave(TCMMouseEnterLeave& m) {
    m_hovered = false;
    if (LookUpSkinRecord()) {
        UpdateFontColor();
        RedrawFrame();
        Invalidate();
    }
    TspCustomEdit::CMMouseLeave(m);
}

void TspSkinCustomEdit::CMEnabledChanged(TWMNoParams& m) {
    TspCustomEdit::CMEnabledChanged(m);
    UpdateFontColor();
    RedrawFrame();
}

void TspSkinCustomEdit::CMFontChanged(TWMNoParams& m) {
    TspCustomEdit::CMFontChanged(m);
    Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
}

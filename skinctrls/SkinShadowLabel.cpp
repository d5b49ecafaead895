#include "skinctrls/SkinShadowLabel.h"

#include "gfx/DrawText.h"
#include "skin/EffectBitmap.h"
#include "skin/ParentImage.h"
#include "skin/SkinData.h"
#include "skinctrls/SkinShadowLabelEdges.h"
#include "ui/StdCtrls.h"

TspSkinShadowLabel::TspSkinShadowLabel(TComponent* owner) : TspGraphicSkinControl(owner) {
    m_width = 65;
    m_height = 17;
    SetSkinDataName("stdlabel");
    m_controlStyle |= csOpaque;
    m_controlStyle &= ~csCaptureMouse;
    m_parentFont = false;
    m_font.SetName("Arial");
    m_font.SetHeight(16);
    m_font.SetStyle({fsBold});
    m_parentFont = false;
}

void TspSkinShadowLabel::SetAutoSize(bool value) {
    if (value == m_autoSize) return;
    m_autoSize = value;
    AdjustBounds();
}

void TspSkinShadowLabel::SetAlignment(TAlignment value) {
    if (value == m_alignment) return;
    m_alignment = value;
    Invalidate();
}

void TspSkinShadowLabel::SetLayout(TTextLayout value) {
    if (value == m_layout) return;
    m_layout = value;
    Invalidate();
}

void TspSkinShadowLabel::SetWordWrap(bool value) {
    if (value == m_wordWrap) return;
    m_wordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TspSkinShadowLabel::SetShowAccelChar(bool value) {
    if (value == m_showAccelChar) return;
    m_showAccelChar = value;
    Invalidate();
}

void TspSkinShadowLabel::SetUseSkinColor(bool value) {
    m_useSkinColor = value;
    Invalidate();
}

void TspSkinShadowLabel::Notification(TComponent* component, TOperation operation) {
    TspGraphicSkinControl::Notification(component, operation);
    m_focusLink.Notification(component, operation);
}

unsigned TspSkinShadowLabel::TextFlags() const {
    return LabelTextFlags(m_alignment, m_wordWrap, m_showAccelChar);
}

TSize TspSkinShadowLabel::MeasuredSize(int width) const {
    TBitmap scratch(1, 1);
    TCanvas& c = *scratch.Canvas();
    c.SetFont(m_font);
    AnsiString text = Caption().empty() ? AnsiString(" ") : Caption();
    TRect r = Rect(0, 0, m_wordWrap ? width : 0, 0);
    DrawText(c, text, r, TextFlags() | DT_CALCRECT);
    return {r.Width() + 3, r.Height() + 3};
}

void TspSkinShadowLabel::AdjustBounds() {
    if (!m_autoSize || m_adjusting || Loading()) return;
    TSize size = MeasuredSize(Width());
    int left = m_alignment == taRightJustify ? Left() + Width() - size.cx : Left();
    m_adjusting = true;
    TspGraphicSkinControl::SetBounds(left, Top(), size.cx, size.cy);
    m_adjusting = false;
}

void TspSkinShadowLabel::SetBounds(int left, int top, int width, int height) {
    bool moved = left != Left() || top != Top();
    if (m_autoSize && !m_adjusting && !Loading()) {
        // The place is taken; the size comes from the caption.
        TSize size = MeasuredSize(width);
        width = size.cx;
        height = size.cy;
    }
    TspGraphicSkinControl::SetBounds(left, top, width, height);
    // The background beneath is part of the picture.
    if (moved) Invalidate();
}

void TspSkinShadowLabel::PaintShadowed(TBitmap& bitmap) {
    int w = Width(), h = Height();
    bitmap.SetSize(w, h);
    unsigned flags = TextFlags();
    AnsiString text = Caption();
    TRect textRect = Rect(0, 0, w - 3, h - 3);
    TBitmap mask;
    mask.SetScale(bitmap.Scale());
    mask.SetSize(w, h);
    TCanvas& m = *mask.Canvas();
    m.SetFont(m_font);
    if (m_layout != tlTop) {
        TRect calc = textRect;
        DrawText(m, text, calc, flags | DT_CALCRECT);
        int free = textRect.Height() - calc.Height();
        textRect = OffsetRect(textRect, 0, m_layout == tlBottom ? free : free / 2);
    }
    // The shadow's shape: the caption in black, once and twice down-right.
    mask.Fill(clWhite);
    m.Font()->SetColor(clBlack);
    m.Brush()->SetStyle(bsClear);
    for (int offset = 1; offset <= 2; ++offset) {
        TRect r = OffsetRect(textRect, offset, offset);
        DrawText(m, text, r, flags);
    }
    TCanvas& c = *bitmap.Canvas();
    CaptureParentImageGraphic(this, c);
    TspEffectBmp back(bitmap);
    back.MaskedTint(mask, clBlack, 0.3);
    back.AssignTo(bitmap);
    SoftenShadowEdges(bitmap, mask);
    TColor color = m_font.Color();
    if (m_useSkinColor)
        if (auto* r = dynamic_cast<TspDataSkinStdLabelControl*>(SkinRecord()))
            color = TColor(r->fontcolor);
    c.SetFont(m_font);
    c.Font()->SetColor(color);
    c.Brush()->SetStyle(bsClear);
    TRect r = textRect;
    DrawText(c, text, r, flags);
    c.Brush()->SetStyle(bsSolid);
}

void TspSkinShadowLabel::CMTextChanged(TWMNoParams& m) {
    TspGraphicSkinControl::CMTextChanged(m);
    AdjustBounds();
    Invalidate();
}

void TspSkinShadowLabel::CMFontChanged(TWMNoParams& m) {
    TspGraphicSkinControl::CMFontChanged(m);
    AdjustBounds();
}

void TspSkinShadowLabel::CMDialogChar(TWMChar& m) {
    if (m_focusLink.FocusByAccelerator(m, Caption(), m_showAccelChar, Enabled())) return;
    TspGraphicSkinControl::CMDialogChar(m);
}

void TspSkinShadowLabel::DescribeAccessible(TAccessibleInfo& info) const {
    TspGraphicSkinControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::Label;
}

// TCustomLabel: text on the parent's canvas.
#include "ui/Label.h"

#include "gfx/DrawText.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    m_width = 65;
    m_height = 17;
    m_parentColor = true;
    m_controlStyle |= csOpaque | csReplicatable;
    m_controlStyle &= ~csCaptureMouse;
}

unsigned TCustomLabel::TextFlags() const {
    return LabelTextFlags(m_alignment, m_wordWrap, m_showAccelChar);
}

void TCustomLabel::DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) {
    AnsiString text = GetLabelText();
    bool calc = (flags & DT_CALCRECT) != 0;
    // An empty caption (or a lone prefix character) still measures one line.
    if (calc && (text.empty() || (m_showAccelChar && text == "&"))) text.assign(1, ' ');
    canvas.SetFont(m_font);
    canvas.Brush()->SetStyle(bsClear);
    if (!m_enabled && !calc) {
        TRect shifted = OffsetRect(rect, 1, 1);
        canvas.Font()->SetColor(clBtnHighlight);
        DrawText(canvas, text, shifted, flags);
        canvas.Font()->SetColor(clBtnShadow);
        DrawText(canvas, text, rect, flags);
    } else {
        DrawText(canvas, text, rect, flags);
    }
    canvas.Brush()->SetStyle(bsSolid);
}

void TCustomLabel::Paint() {
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    if (!m_transparent) {
        c.Brush()->SetColor(m_color);
        c.Brush()->SetStyle(bsSolid);
        c.FillRect(r);
    }
    unsigned flags = TextFlags();
    if (m_layout != tlTop) {
        TRect calc = r;
        DoDrawText(c, calc, flags | DT_CALCRECT);
        int h = calc.Height();
        r.Top = m_layout == tlBottom ? r.Bottom - h : r.Top + (r.Height() - h) / 2;
    }
    DoDrawText(c, r, flags);
}

void TCustomLabel::AdjustBounds() {
    if (!m_autoSize || m_adjusting) return;
    TBitmap scratch(1, 1);
    TCanvas c;
    c.SetSurface(&scratch);
    TRect r = Rect(0, 0, m_wordWrap ? m_width : 0, 0);
    DoDrawText(c, r, TextFlags() | DT_CALCRECT);
    int left = m_left;
    if (m_alignment == taRightJustify)
        left = m_left + m_width - r.Width();
    else if (m_alignment == taCenter)
        left = m_left + (m_width - r.Width()) / 2;
    m_adjusting = true;
    TGraphicControl::SetBounds(left, m_top, r.Width(), r.Height());
    m_adjusting = false;
}

void TCustomLabel::SetBounds(int left, int top, int width, int height) {
    if (!m_autoSize || m_adjusting) {
        TGraphicControl::SetBounds(left, top, width, height);
        return;
    }
    TBitmap scratch(1, 1);
    TCanvas c;
    c.SetSurface(&scratch);
    TRect r = Rect(0, 0, m_wordWrap ? width : 0, 0);
    DoDrawText(c, r, TextFlags() | DT_CALCRECT);
    m_adjusting = true;
    TGraphicControl::SetBounds(left, top, r.Width(), r.Height());
    m_adjusting = false;
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (value == m_alignment) return;
    m_alignment = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (value == m_layout) return;
    m_layout = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
    if (value == m_autoSize) return;
    m_autoSize = value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (value == m_wordWrap) return;
    m_wordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (value == m_showAccelChar) return;
    m_showAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (value == m_transparent) return;
    m_transparent = value;
    if (value)
        m_controlStyle &= ~csOpaque;
    else
        m_controlStyle |= csOpaque;
    Invalidate();
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    m_focusLink.Notification(component, operation);
}

void TCustomLabel::CMTextChanged(TWMNoParams&) {
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::CMFontChanged(TWMNoParams&) {
    AdjustBounds();
    Invalidate();
}

// Alt+letter of the accelerator focuses the FocusControl.
void TCustomLabel::CMDialogChar(TWMChar& m) {
    m_focusLink.FocusByAccelerator(m, GetLabelText(), m_showAccelChar, m_enabled);
}

void TCustomLabel::DescribeAccessible(TAccessibleInfo& info) const {
    TGraphicControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::Label;
    AnsiString text = GetLabelText();
    if (!m_showAccelChar) {
        // Every '&' is a plain one here.
        AnsiString doubled;
        for (char c : text) {
            doubled += c;
            if (c == '&') doubled += '&';
        }
        text = doubled;
    }
    info.Name = AccessibleCaption(text);
    if (TWinControl* control = FocusControl()) info.LabelFor.push_back(control);
}

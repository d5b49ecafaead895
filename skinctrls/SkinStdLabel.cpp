#include "skinctrls/SkinStdLabel.h"

#include "gfx/DrawText.h"
#include "skin/SkinData.h"
#include "skinctrls/SkinFontRule.h"

TspSkinStdLabel::TspSkinStdLabel(TComponent* owner) : TCustomLabel(owner) {
    SetTransparent(true);
    m_defaultFont.OnChange = [this](TObject*) {
        AdjustBounds();
        Invalidate();
    };
}

TspSkinStdLabel::~TspSkinStdLabel() {
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
}

void TspSkinStdLabel::SetSkinData(TspSkinData* value) {
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = value;
    if (m_skinData) m_skinData->FreeNotification(this);
    ApplySkinChange();
}

void TspSkinStdLabel::SetUseSkinFont(bool value) {
    if (value == m_useSkinFont) return;
    m_useSkinFont = value;
    AdjustBounds();
    Invalidate();
}

void TspSkinStdLabel::SetUseSkinColor(bool value) {
    if (value == m_useSkinColor) return;
    m_useSkinColor = value;
    Invalidate();
}

void TspSkinStdLabel::ApplySkinChange() {
    LookUpSkinRecord();
    AdjustBounds();
    Invalidate();
}

void TspSkinStdLabel::Notification(TComponent* component, TOperation operation) {
    TCustomLabel::Notification(component, operation);
    if (operation == opRemove && component == m_skinData) {
        m_skinData = nullptr;
        m_index = -1;
        Invalidate();
    }
}

TspDataSkinStdLabelControl* TspSkinStdLabel::LookUpSkinRecord() {
    m_index = -1;
    if (!m_skinData || m_skinData->SkinEmpty()) return nullptr;
    m_index = m_skinData->FindControlRecord(m_skinDataName);
    return dynamic_cast<TspDataSkinStdLabelControl*>(m_skinData->ControlRecord(m_index));
}

void TspSkinStdLabel::ChooseFont(TFont& font, TspDataSkinStdLabelControl* record) {
    if (!record) {
        font.Assign(m_useSkinFont ? m_defaultFont : m_font);
        font.SetCharset(SkinCharset(m_skinData, font.Charset()));
        return;
    }
    font.Assign(m_font);
    if (m_useSkinFont)
        AssignSkinFont(font, record->fontname, record->fontheight, record->fontstyle, m_skinData,
                       m_defaultFont.Charset());
    else
        font.SetCharset(SkinCharset(m_skinData, m_defaultFont.Charset()));
    if (m_useSkinColor) font.SetColor(TColor(record->fontcolor));
}

void TspSkinStdLabel::DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) {
    TspDataSkinStdLabelControl* record = LookUpSkinRecord();
    AnsiString text = GetLabelText();
    bool calc = (flags & DT_CALCRECT) != 0;
    // An empty caption (or a lone prefix character) still measures one line.
    if (calc && (text.empty() || (m_showAccelChar && text == "&"))) text.assign(1, ' ');
    TFont font;
    ChooseFont(font, record);
    canvas.SetFont(font);
    canvas.Brush()->SetStyle(bsClear);
    if (!m_enabled && !calc) {
        TColor light = clBtnHighlight, dark = clBtnShadow;
        if (record) {
            light = m_skinData->SkinColors().cbtnhighlight;
            dark = m_skinData->SkinColors().cbtnshadow;
        }
        TRect shifted = OffsetRect(rect, 1, 1);
        canvas.Font()->SetColor(light);
        DrawText(canvas, text, shifted, flags);
        canvas.Font()->SetColor(dark);
        DrawText(canvas, text, rect, flags);
    } else {
        DrawText(canvas, text, rect, flags);
    }
    canvas.Brush()->SetStyle(bsSolid);
}

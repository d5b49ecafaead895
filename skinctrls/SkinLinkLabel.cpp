#include "skinctrls/SkinLinkLabel.h"

#include "platform/Shell.h"
#include "skin/SkinData.h"
#include "skinctrls/SkinFontRule.h"

TspSkinLinkLabel::TspSkinLinkLabel(TComponent* owner) : TspSkinStdLabel(owner) {
    m_defaultFont.SetName("Arial");
    m_defaultFont.SetHeight(14);
    TFontStyles underlined;
    underlined.Include(fsUnderline);
    m_defaultFont.SetStyle(underlined);
    m_font.Assign(m_defaultFont);
    m_cursor = crHandPoint;
}

void TspSkinLinkLabel::SetUseUnderLine(bool value) {
    if (value == m_useUnderLine) return;
    m_useUnderLine = value;
    Invalidate();
}

void TspSkinLinkLabel::SetDefaultActiveFontColor(TColor value) {
    if (value == m_defaultActiveFontColor) return;
    m_defaultActiveFontColor = value;
    if (m_hovered) Invalidate();
}

void TspSkinLinkLabel::Click() {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinStdLabel::Click();
    if (!*alive) return;
    // The handler receives the address as one argument: no command line is ever built.
    if (!m_url.empty()) ShellExecute("open", m_url);
}

void TspSkinLinkLabel::ChooseFont(TFont& font, TspDataSkinStdLabelControl* record) {
    if (!record) {
        font.Assign(m_useSkinFont ? m_defaultFont : m_font);
        font.SetCharset(SkinCharset(m_skinData, font.Charset()));
        if (m_hovered) font.SetColor(m_defaultActiveFontColor);
    } else {
        font.Assign(m_font);
        if (m_useSkinFont)
            AssignSkinFont(font, record->fontname, record->fontheight, record->fontstyle,
                           m_skinData, m_defaultFont.Charset());
        else
            font.SetCharset(SkinCharset(m_skinData, m_defaultFont.Charset()));
        font.SetColor(TColor(m_hovered ? record->activefontcolor : record->fontcolor));
    }
    if (m_enabled) {
        TFontStyles style = font.Style();
        if (m_useUnderLine)
            style.Include(fsUnderline);
        else
            style.Exclude(fsUnderline);
        font.SetStyle(style);
    }
}

void TspSkinLinkLabel::CMMouseEnter(TCMMouseEnterLeave& m) {
    TspSkinStdLabel::CMMouseEnter(m);
    if (ComponentState() & csDesigning) return;
    m_hovered = true;
    Invalidate();
}

void TspSkinLinkLabel::CMMouseLeave(TCMMouseEnterLeave& m) {
    TspSkinStdLabel::CMMouseLeave(m);
    if (ComponentState() & csDesigning) return;
    m_hovered = false;
    Invalidate();
}

void TspSkinLinkLabel::DescribeAccessible(TAccessibleInfo& info) const {
    TspSkinStdLabel::DescribeAccessible(info);
    info.Role = TAccessibleRole::Link;
    info.Description = m_url;
    auto* self = const_cast<TspSkinLinkLabel*>(this);
    info.Actions.push_back({"jump", "Opens " + m_url, "", [self] { self->Click(); }});
}

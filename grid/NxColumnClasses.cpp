#include "grid/NxColumnClasses.h"

#include "gfx/Canvas.h"
#include "gfx/ImageList.h"
#include "grid/NxColumnDisplays.h"
#include "rtl/FormatSettings.h"
#include "rtl/NumberText.h"

#include <algorithm>

// ---- TNxTextColumn ------------------------------------------------------------------------

TNxTextColumn::TNxTextColumn(TComponent* owner) : TNxCustomColumn(owner) {
    m_options.Include(coShowTextFitHint);
    SetValueKind(vkString);
    SetDisplay(std::make_unique<TTextColumnDisplay>(this));
}

void TNxTextColumn::SetMultiLine(bool value) {
    m_multiLine = value;
    Changed(ccRepaint);
}
void TNxTextColumn::SetPasswordChar(char16_t value) {
    m_passwordChar = value;
    Changed(ccRepaint);
}
void TNxTextColumn::SetTextAfter(const WideString& value) {
    m_textAfter = value;
    Changed(ccRepaint);
}
void TNxTextColumn::SetTextBefore(const WideString& value) {
    m_textBefore = value;
    Changed(ccRepaint);
}

int TNxTextColumn::TextWidthOf(TCanvas& canvas, const WideString& text) const {
    return std::max(8, canvas.TextWidth(text) + 5);
}

WideString TNxTextColumn::DisplayText(const TCellValues& values) const {
    WideString text = m_textBefore + values.Text + m_textAfter;
    if (m_passwordChar != 0) text.assign(text.size(), m_passwordChar);
    return text;
}

// ---- TNxNumberColumn ----------------------------------------------------------------------

TNxNumberColumn::TNxNumberColumn(TComponent* owner) : TNxCustomColumn(owner) {
    m_alignment = taRightJustify;
    m_sortType = stNumeric;
    m_defaultValue = u"0";
    SetValueKind(vkFloat);
    SetDisplay(std::make_unique<TNumberColumnDisplay>(this));
}

void TNxNumberColumn::SetEmptyCaption(const WideString& value) {
    m_emptyCaption = value;
    Changed(ccRepaint);
}
void TNxNumberColumn::SetFormatMask(const std::string& value) {
    m_formatMask = value;
    Changed(ccRepaint);
}
void TNxNumberColumn::SetHideWhenEmpty(bool value) {
    m_hideWhenEmpty = value;
    Changed(ccRepaint);
}
void TNxNumberColumn::SetTextAfter(const WideString& value) {
    m_textAfter = value;
    Changed(ccRepaint);
}
void TNxNumberColumn::SetTextBefore(const WideString& value) {
    m_textBefore = value;
    Changed(ccRepaint);
}

WideString TNxNumberColumn::DisplayText(const TCellValues& values) const {
    if (m_hideWhenEmpty && values.Float == 0) return m_emptyCaption;
    if (!m_formatMask.empty())
        return m_textBefore + AnsiToWide(FormatFloat(m_formatMask, values.Float)) + m_textAfter;
    if (m_textBefore.empty() && m_textAfter.empty()) return FloatToWideStr(values.Float);
    return m_textBefore + FloatToWideStr(values.Float) + m_textAfter;
}

bool TNxNumberColumn::AcceptsChar(char16_t c) const {
    if (c >= u'0' && c <= u'9') return true;
    if ((c == u'-' || c == u'+') && m_editOptions.Contains(eoAllowSigns)) return true;
    return m_editOptions.Contains(eoAllowFloat) && c == char16_t(FormatSettings.DecimalSeparator);
}

// ---- TNxImageColumn -----------------------------------------------------------------------

TNxImageColumn::TNxImageColumn(TComponent* owner) : TNxCustomColumn(owner) {
    m_sortType = stNumeric;
    m_defaultValue = u"0";
    SetValueKind(vkInteger);
    SetDisplay(std::make_unique<TImageColumnDisplay>(this));
}

TNxImageColumn::~TNxImageColumn() {
    if (m_images) m_images->RemoveFreeNotification(this);
}

void TNxImageColumn::SetImages(TImageList* images) {
    if (m_images == images) return;
    if (m_images) m_images->RemoveFreeNotification(this);
    m_images = images;
    if (m_images) m_images->FreeNotification(this);
    Changed(ccRepaint);
}

void TNxImageColumn::SetTransparent(bool value) {
    m_transparent = value;
    Changed(ccRepaint);
}

void TNxImageColumn::Notification(TComponent* component, TOperation operation) {
    TNxCustomColumn::Notification(component, operation);
    if (operation == opRemove && component == m_images) m_images = nullptr;
}

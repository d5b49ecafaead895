// Value conversions of the cell classes. Text conversions follow FormatSettings (the user's
// locale); parse failures raise EConvertError and leave the cell as it was.
#include "grid/NxCells.h"

#include "rtl/DateTime.h"
#include "rtl/NumberText.h"

#include <cmath>
#include <limits>

namespace {

int ClampToInt(int64_t v) {
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return int(v);
}

WideString DateText(double value) {
    return AnsiToWide(DateTimeToStr(value));
}

bool IsTrueText(const WideString& text) {
    if (text == u"1") return true;
    if (text.size() != 4) return false;
    static const char16_t word[] = u"true";
    for (size_t i = 0; i < 4; ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
        if (c != word[i]) return false;
    }
    return true;
}

} // namespace

// ---- TStringCell --------------------------------------------------------------------------

bool TStringCell::BoolValue() const {
    return StrToBool(WideToAnsi(m_value.View()));
}

double TStringCell::DateValue() const {
    if (m_value.Empty()) return 0;
    return StrToDateTime(WideToAnsi(m_value.View()));
}

double TStringCell::FloatValue() const {
    return StrToFloat(m_value.View());
}
int TStringCell::IntValue() const {
    return StrToInt(m_value.View());
}

void TStringCell::SetBoolValue(bool value) {
    m_value.Assign(value ? u"True" : u"False");
    TCell::SetBoolValue(value);
}

void TStringCell::SetDateValue(double value) {
    m_value.Assign(DateText(value));
    TCell::SetDateValue(value);
}

void TStringCell::SetFloatValue(double value) {
    m_value.Assign(FloatToWideStr(value));
    TCell::SetFloatValue(value);
}

void TStringCell::SetIntValue(int value) {
    m_value.Assign(IntToWideStr(value));
    TCell::SetIntValue(value);
}

void TStringCell::SetTextValue(const WideString& value) {
    m_value.Assign(value);
    TCell::SetTextValue(value);
}

void TStringCell::Clear() {
    m_value.Clear();
    TCell::Clear();
}

size_t TStringCell::HeapBytes() const {
    return TCell::HeapBytes() + m_value.HeapBytes();
}

// ---- TIntegerCell -------------------------------------------------------------------------

WideString TIntegerCell::TextValue() const {
    return IntToWideStr(m_value);
}

void TIntegerCell::SetBoolValue(bool value) {
    m_value = value ? 1 : 0;
    TCell::SetBoolValue(value);
}

void TIntegerCell::SetDateValue(double value) {
    m_value = 0;
    TCell::SetDateValue(value);
}

void TIntegerCell::SetFloatValue(double value) {
    m_value = ClampToInt(Round(value));
    TCell::SetFloatValue(value);
}

void TIntegerCell::SetIntValue(int value) {
    m_value = value;
    TCell::SetIntValue(value);
}

void TIntegerCell::SetTextValue(const WideString& value) {
    m_value = value.empty() ? 0 : StrToInt(value);
    TCell::SetTextValue(value);
}

void TIntegerCell::Clear() {
    m_value = 0;
    TCell::Clear();
}

// ---- TFloatCell ---------------------------------------------------------------------------

int TFloatCell::IntValue() const {
    return ClampToInt(Round(m_value));
}
WideString TFloatCell::TextValue() const {
    return FloatToWideStr(m_value);
}

void TFloatCell::SetBoolValue(bool value) {
    m_value = 0;
    TCell::SetBoolValue(value);
}

void TFloatCell::SetDateValue(double value) {
    m_value = value;
    TCell::SetDateValue(value);
}

void TFloatCell::SetFloatValue(double value) {
    m_value = value;
    TCell::SetFloatValue(value);
}

void TFloatCell::SetIntValue(int value) {
    m_value = value;
    TCell::SetIntValue(value);
}

void TFloatCell::SetTextValue(const WideString& value) {
    m_value = StrToFloat(std::u16string_view(value));
    TCell::SetTextValue(value);
}

void TFloatCell::Clear() {
    m_value = 0;
    TCell::Clear();
}

// ---- TBooleanCell -------------------------------------------------------------------------

void TBooleanCell::SetBoolValue(bool value) {
    m_value = value;
    TCell::SetBoolValue(value);
}

void TBooleanCell::SetDateValue(double value) {
    m_value = false;
    TCell::SetDateValue(value);
}

void TBooleanCell::SetFloatValue(double value) {
    m_value = value != 0;
    TCell::SetFloatValue(value);
}

void TBooleanCell::SetIntValue(int value) {
    m_value = value != 0;
    TCell::SetIntValue(value);
}

void TBooleanCell::SetTextValue(const WideString& value) {
    m_value = IsTrueText(value);
    TCell::SetTextValue(value);
}

void TBooleanCell::Clear() {
    m_value = false;
    TCell::Clear();
}

// ---- TDateTimeCell ------------------------------------------------------------------------

int TDateTimeCell::IntValue() const {
    return ClampToInt(Trunc(m_value));
}
WideString TDateTimeCell::TextValue() const {
    return DateText(m_value);
}

void TDateTimeCell::SetBoolValue(bool value) {
    m_value = Date();
    TCell::SetBoolValue(value);
}

void TDateTimeCell::SetDateValue(double value) {
    m_value = value;
    TCell::SetDateValue(value);
}

void TDateTimeCell::SetFloatValue(double value) {
    m_value = value;
    TCell::SetFloatValue(value);
}

void TDateTimeCell::SetIntValue(int value) {
    m_value = value;
    TCell::SetIntValue(value);
}

void TDateTimeCell::SetTextValue(const WideString& value) {
    double parsed = 0;
    if (!value.empty() && !TryStrToDateTime(WideToAnsi(value), parsed)) parsed = 0;
    m_value = parsed;
    TCell::SetTextValue(value);
}

void TDateTimeCell::Clear() {
    m_value = 0;
    TCell::Clear();
}

// ---- TIncrementCell -----------------------------------------------------------------------

WideString TIncrementCell::TextValue() const {
    return IntToWideStr(Row() + 1);
}

// ---- TGuidCell ----------------------------------------------------------------------------

TGuidCell::TGuidCell() : m_value(NewGuid()) {}

WideString TGuidCell::TextValue() const {
    return AnsiToWide(GuidToString(m_value));
}
bool TGuidCell::BoolValue() const {
    return StrToBool(GuidToString(m_value));
}
double TGuidCell::DateValue() const {
    return StrToDateTime(GuidToString(m_value));
}
double TGuidCell::FloatValue() const {
    return StrToFloat(GuidToString(m_value));
}
int TGuidCell::IntValue() const {
    return StrToInt(GuidToString(m_value));
}

void TGuidCell::SetBoolValue(bool value) {
    SetTextValue(value ? u"True" : u"False");
}
void TGuidCell::SetDateValue(double value) {
    SetTextValue(DateText(value));
}
void TGuidCell::SetFloatValue(double value) {
    SetTextValue(FloatToWideStr(value));
}
void TGuidCell::SetIntValue(int value) {
    SetTextValue(IntToWideStr(value));
}

void TGuidCell::SetTextValue(const WideString& value) {
    m_value = StringToGuid(WideToAnsi(value));
    TCell::SetTextValue(value);
}

// ---- TVirtualCell -------------------------------------------------------------------------

WideString TVirtualCell::TextValue() const {
    TCells* owner = Owner();
    return owner->OnVirtualGetText ? owner->OnVirtualGetText(Column(), Row()) : WideString();
}

bool TVirtualCell::BoolValue() const {
    return StrToBool(WideToAnsi(TextValue()));
}

double TVirtualCell::DateValue() const {
    const WideString text = TextValue();
    return text.empty() ? 0 : StrToDateTime(WideToAnsi(text));
}

double TVirtualCell::FloatValue() const {
    return StrToFloat(std::u16string_view(TextValue()));
}
int TVirtualCell::IntValue() const {
    return StrToInt(std::u16string_view(TextValue()));
}

void TVirtualCell::SetTextValue(const WideString& value) {
    TCells* owner = Owner();
    if (owner->OnVirtualSetText) owner->OnVirtualSetText(Column(), Row(), value);
    TCell::SetTextValue(value);
}

void TVirtualCell::SetBoolValue(bool value) {
    SetTextValue(value ? u"True" : u"False");
}
void TVirtualCell::SetDateValue(double value) {
    SetTextValue(DateText(value));
}
void TVirtualCell::SetFloatValue(double value) {
    SetTextValue(FloatToWideStr(value));
}
void TVirtualCell::SetIntValue(int value) {
    SetTextValue(IntToWideStr(value));
}

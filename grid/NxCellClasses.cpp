// Value conversions of the cell classes. Text conversions follow FormatSettings (the user's
// locale); parse failures raise EConvertError and leave the cell as it was.
#include "grid/NxCellClasses.h"

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

bool TextToBool(std::u16string_view text) {
    return StrToBool(WideToAnsi(text));
}

// Empty text is day 0.
double TextToDate(std::u16string_view text) {
    return text.empty() ? 0 : StrToDateTime(WideToAnsi(text));
}

} // namespace

// ---- value kinds --------------------------------------------------------------------------

bool TStringValue::ToBool(const Value& v) {
    return TextToBool(v.View());
}
double TStringValue::ToDate(const Value& v) {
    return TextToDate(v.View());
}
double TStringValue::ToFloat(const Value& v) {
    return StrToFloat(v.View());
}
int TStringValue::ToInt(const Value& v) {
    return StrToInt(v.View());
}
TStringValue::Value TStringValue::FromDate(double d) {
    return Text(DateText(d));
}
TStringValue::Value TStringValue::FromFloat(double f) {
    return Text(FloatToWideStr(f));
}
TStringValue::Value TStringValue::FromInt(int i) {
    return Text(IntToWideStr(i));
}

WideString TIntegerValue::ToText(Value v) {
    return IntToWideStr(v);
}
TIntegerValue::Value TIntegerValue::FromFloat(double f) {
    return ClampToInt(Round(f));
}
TIntegerValue::Value TIntegerValue::FromText(const WideString& t) {
    return t.empty() ? 0 : StrToInt(t);
}

int TFloatValue::ToInt(Value v) {
    return ClampToInt(Round(v));
}
WideString TFloatValue::ToText(Value v) {
    return FloatToWideStr(v);
}
TFloatValue::Value TFloatValue::FromText(const WideString& t) {
    // Plain digits (what the service sends) are read here; a double holds up to 15 of them
    // exactly, as the general reader would give them.
    constexpr size_t kMaxDigits = 15;
    if (!t.empty() && t.size() <= kMaxDigits) {
        int64_t digits = 0;
        size_t i = 0;
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i)
            digits = digits * 10 + (t[i] - u'0');
        if (i == t.size()) return double(digits);
    }
    return StrToFloat(std::u16string_view(t));
}

TBooleanValue::Value TBooleanValue::FromText(const WideString& t) {
    return IsTrueText(t);
}

int TDateTimeValue::ToInt(Value v) {
    return ClampToInt(Trunc(v));
}
WideString TDateTimeValue::ToText(Value v) {
    return DateText(v);
}
TDateTimeValue::Value TDateTimeValue::FromBool(bool) {
    return Date();
}
TDateTimeValue::Value TDateTimeValue::FromText(const WideString& t) {
    double parsed = 0;
    if (!t.empty() && !TryStrToDateTime(WideToAnsi(t), parsed)) parsed = 0;
    return parsed;
}

template class TValueCell<TStringValue>;
template class TValueCell<TIntegerValue>;
template class TValueCell<TFloatValue>;
template class TValueCell<TBooleanValue>;
template class TValueCell<TDateTimeValue>;

// ---- TIncrementCell -----------------------------------------------------------------------

WideString TIncrementCell::TextValue() const {
    return IntToWideStr(Row() + 1);
}

// ---- cells that keep their value as text ---------------------------------------------------

bool TTextViewCell::BoolValue() const {
    return TextToBool(TextValue());
}
double TTextViewCell::DateValue() const {
    return TextToDate(TextValue());
}
double TTextViewCell::FloatValue() const {
    return StrToFloat(std::u16string_view(TextValue()));
}
int TTextViewCell::IntValue() const {
    return StrToInt(std::u16string_view(TextValue()));
}
void TTextViewCell::SetBoolValue(bool value) {
    SetTextValue(value ? u"True" : u"False");
}
void TTextViewCell::SetDateValue(double value) {
    SetTextValue(DateText(value));
}
void TTextViewCell::SetFloatValue(double value) {
    SetTextValue(FloatToWideStr(value));
}
void TTextViewCell::SetIntValue(int value) {
    SetTextValue(IntToWideStr(value));
}

TGuidCell::Value TGuidCell::InitialValue() {
    return NewGuid();
}

WideString TGuidCell::TextValue() const {
    return AnsiToWide(GuidToString(Guid()));
}

void TGuidCell::SetTextValue(const WideString& value) {
    *static_cast<TGUID*>(ValueAddress()) = StringToGuid(WideToAnsi(value));
    TCell::SetTextValue(value);
}

WideString TVirtualCell::TextValue() const {
    TCells* owner = Owner();
    return owner->OnVirtualGetText ? owner->OnVirtualGetText(Column(), Row()) : WideString();
}

void TVirtualCell::SetTextValue(const WideString& value) {
    TCells* owner = Owner();
    if (owner->OnVirtualSetText) owner->OnVirtualSetText(Column(), Row(), value);
    TCell::SetTextValue(value);
}

#pragma once
// The cell classes, one per value kind a column can give its cells. Five of them keep one
// value and differ only in how that value reads as, and is written from, each of the five
// views (boolean, date-time, float, integer, text): each such kind is a small table of
// conversions (a "value" struct below) and TValueCell makes the cell class from it. The row
// number cell holds nothing; the GUID and virtual cells go through their text for every view.
#include "grid/NxCells.h"

// A cell that keeps one value. `Kind` gives `Value` and, for each view V of Bool, Date,
// Float, Int and Text, `ToV(value)` (reading) and `FromV(view)` (writing). A writer
// converts first and stores after, so a text that does not parse raises and leaves the cell
// as it was; then the change is notified.
template <class Kind> class TValueCell : public TCell {
public:
    using Value = typename Kind::Value;
    static Value InitialValue() { return Value{}; }

    bool BoolValue() const override { return Kind::ToBool(Stored()); }
    double DateValue() const override { return Kind::ToDate(Stored()); }
    double FloatValue() const override { return Kind::ToFloat(Stored()); }
    int IntValue() const override { return Kind::ToInt(Stored()); }
    WideString TextValue() const override { return Kind::ToText(Stored()); }

    void SetBoolValue(bool value) override {
        Stored() = Kind::FromBool(value);
        TCell::SetBoolValue(value);
    }
    void SetDateValue(double value) override {
        Stored() = Kind::FromDate(value);
        TCell::SetDateValue(value);
    }
    void SetFloatValue(double value) override {
        Stored() = Kind::FromFloat(value);
        TCell::SetFloatValue(value);
    }
    void SetIntValue(int value) override {
        Stored() = Kind::FromInt(value);
        TCell::SetIntValue(value);
    }
    void SetTextValue(const WideString& value) override {
        Stored() = Kind::FromText(value);
        TCell::SetTextValue(value);
    }
    void AssignValue(const TCell& source) override {
        if (auto* same = dynamic_cast<const TValueCell*>(&source)) {
            Stored() = same->Stored();
            TCell::NotifyChanged();
        } else {
            TCell::AssignValue(source);
        }
    }
    // Empty text, 0, 0.0, false or 0, as the kind's value starts.
    void Clear() override {
        Stored() = Value{};
        TCell::Clear();
    }

    std::u16string_view TextView(WideString& scratch) const override {
        if constexpr (requires(const Value& v) { Kind::View(v); })
            return Kind::View(Stored());
        else
            return TCell::TextView(scratch);
    }
    static size_t HeapBytes(const Value& value) { return Kind::HeapBytes(value); }

protected:
    Value& Stored() const { return *static_cast<Value*>(ValueAddress()); }
};

// Text cells: every view is the text, read or written in the user's locale.
struct TStringValue {
    using Value = TCompactText;
    static bool ToBool(const Value& v);
    static double ToDate(const Value& v); // 0 for empty text
    static double ToFloat(const Value& v);
    static int ToInt(const Value& v);
    static WideString ToText(const Value& v) { return WideString(v.View()); }
    static Value FromBool(bool b) { return Text(b ? u"True" : u"False"); }
    static Value FromDate(double d);
    static Value FromFloat(double f);
    static Value FromInt(int i);
    static Value FromText(const WideString& t) { return Text(t); }
    static std::u16string_view View(const Value& v) { return v.View(); }
    static size_t HeapBytes(const Value& v) { return v.HeapBytes(); }

private:
    static Value Text(std::u16string_view text) {
        Value value;
        value.Assign(text);
        return value;
    }
};

struct TIntegerValue {
    using Value = int32_t;
    static bool ToBool(Value v) { return v > 0; }
    static double ToDate(Value) { return 0; }
    static double ToFloat(Value v) { return v; }
    static int ToInt(Value v) { return v; }
    static WideString ToText(Value v);
    static Value FromBool(bool b) { return b ? 1 : 0; }
    static Value FromDate(double) { return 0; }
    static Value FromFloat(double f); // rounded, halves to even
    static Value FromInt(int i) { return i; }
    static Value FromText(const WideString& t); // 0 for empty text
    static size_t HeapBytes(Value) { return 0; }
};

struct TFloatValue {
    using Value = double;
    static bool ToBool(Value) { return false; }
    static double ToDate(Value v) { return v; }
    static double ToFloat(Value v) { return v; }
    static int ToInt(Value v); // rounded, halves to even
    static WideString ToText(Value v);
    static Value FromBool(bool) { return 0; }
    static Value FromDate(double d) { return d; }
    static Value FromFloat(double f) { return f; }
    static Value FromInt(int i) { return i; }
    static Value FromText(const WideString& t); // raises on empty text too
    static size_t HeapBytes(Value) { return 0; }
};

struct TBooleanValue {
    using Value = bool;
    static bool ToBool(Value v) { return v; }
    static double ToDate(Value) { return 0; }
    static double ToFloat(Value v) { return v ? 1 : 0; }
    static int ToInt(Value v) { return v ? 1 : 0; }
    static WideString ToText(Value v) { return v ? u"True" : u"False"; }
    static Value FromBool(bool b) { return b; }
    static Value FromDate(double) { return false; }
    static Value FromFloat(double f) { return f != 0; }
    static Value FromInt(int i) { return i != 0; }
    // "1" or "true" in any case; anything else is false, never an error.
    static Value FromText(const WideString& t);
    static size_t HeapBytes(Value) { return 0; }
};

struct TDateTimeValue {
    using Value = double; // days
    static bool ToBool(Value) { return false; }
    static double ToDate(Value v) { return v; }
    static double ToFloat(Value v) { return v; }
    static int ToInt(Value v); // truncated toward zero
    static WideString ToText(Value v);
    static Value FromBool(bool); // today's date, whatever the boolean
    static Value FromDate(double d) { return d; }
    static Value FromFloat(double f) { return f; }
    static Value FromInt(int i) { return i; }
    static Value FromText(const WideString& t); // 0 for empty or unreadable text
    static size_t HeapBytes(Value) { return 0; }
};

using TStringCell = TValueCell<TStringValue>;
using TIntegerCell = TValueCell<TIntegerValue>;
using TFloatCell = TValueCell<TFloatValue>;
using TBooleanCell = TValueCell<TBooleanValue>;
using TDateTimeCell = TValueCell<TDateTimeValue>;

extern template class TValueCell<TStringValue>;
extern template class TValueCell<TIntegerValue>;
extern template class TValueCell<TFloatValue>;
extern template class TValueCell<TBooleanValue>;
extern template class TValueCell<TDateTimeValue>;

// Shows its row number (row + 1); holds no value. Writes change nothing but notify.
class TIncrementCell : public TCell {
public:
    using Value = TNoValue;
    static Value InitialValue() { return {}; }
    static size_t HeapBytes(const Value&) { return 0; }
    bool BoolValue() const override { return false; }
    double DateValue() const override { return 0; }
    double FloatValue() const override { return Row() + 1; }
    int IntValue() const override { return Row() + 1; }
    WideString TextValue() const override;
    void SetBoolValue(bool) override { TCell::NotifyChanged(); }
    void SetDateValue(double) override { TCell::NotifyChanged(); }
    void SetFloatValue(double) override { TCell::NotifyChanged(); }
    void SetIntValue(int) override { TCell::NotifyChanged(); }
    void SetTextValue(const WideString&) override { TCell::NotifyChanged(); }
    void Clear() override {}
};

// A cell whose every view goes through its text: reading parses it (and raises where it does
// not parse), writing writes the value's text.
class TTextViewCell : public TCell {
public:
    bool BoolValue() const override;
    double DateValue() const override; // 0 for empty text
    double FloatValue() const override;
    int IntValue() const override;
    void SetBoolValue(bool value) override;
    void SetDateValue(double value) override;
    void SetFloatValue(double value) override;
    void SetIntValue(int value) override;
    // Keeps the value: only notifies.
    void Clear() override { TCell::NotifyChanged(); }
};

// A GUID, a new one at creation; text written into it must be a GUID.
class TGuidCell : public TTextViewCell {
public:
    using Value = TGUID;
    static Value InitialValue();
    static size_t HeapBytes(const Value&) { return 0; }
    WideString TextValue() const override;
    void SetTextValue(const WideString& value) override;
    const TGUID& Guid() const { return *static_cast<const TGUID*>(ValueAddress()); }
};

// Reads and writes go to the store's virtual text handlers (the column's text events).
class TVirtualCell : public TTextViewCell {
public:
    using Value = TNoValue;
    static Value InitialValue() { return {}; }
    static size_t HeapBytes(const Value&) { return 0; }
    WideString TextValue() const override;
    void SetTextValue(const WideString& value) override;
};

// ---- the columns of each cell class ---------------------------------------------------------

// Copies a value between cells of different classes through its text. The target cell is
// written silently; a text it cannot read leaves it empty.
void CopyValueAcross(TCell& from, TCell& to);

template <class Cell> class TCellColumnOf final : public TCellColumn {
public:
    using Value = typename Cell::Value;
    using TCellColumn::TCellColumn;
    ~TCellColumnOf() override { Clear(); }

    TCell* View(int slot) override {
        Cell& view = m_views[m_nextView ^= 1];
        Bind(view, slot, &m_values[slot]);
        return &view;
    }
    void MakeSlots(int first, int count, const TCellTemplate& tpl) override {
        const int end = first + count;
        m_values.Reserve(Pool(), end);
        MakeLooks(first, count, tpl); // may throw: the values are made last
        m_values.ForEachRun(first, end, [&](Value* values, int firstSlot, int n) {
            for (int i = 0; i < n; ++i) {
                if (firstSlot + i < m_slots)
                    values[i] = Cell::InitialValue();
                else
                    ::new (static_cast<void*>(values + i)) Value(Cell::InitialValue());
            }
        });
        m_slots = std::max(m_slots, end);
    }
    void ReleaseSlot(int slot) override {
        m_values[slot] = Value{};
        ReleaseLook(slot);
    }
    void CopyRows(TCellColumn& source, int sourceColumn, const std::vector<int>& rows,
                  const std::vector<int>& slots, const TCellTemplate& tpl,
                  THintTranslator& hints) override {
        TCells& from = *source.Owner();
        auto* same = dynamic_cast<TCellColumnOf*>(&source);
        for (size_t i = 0; i < rows.size(); ++i) {
            const int slot = slots[i];
            const int sourceSlot = from.SlotOf(rows[i]);
            if (same) {
                m_values[slot] = same->m_values[sourceSlot];
            } else {
                m_values[slot] = Cell::InitialValue();
                // Written while still being made, so nobody hears of it.
                SetFlags(slot, MakeFlags(tpl.FontStyle, TCell::StateInitializing));
                // Reading through the store records the position that row numbers and
                // virtual texts depend on.
                TCell& cell = *from.Cell(sourceColumn, rows[i]);
                CopyValueAcross(cell, *View(slot));
            }
            CopyLook(source, sourceSlot, slot, tpl, hints);
        }
    }
    void Clear() override {
        for (int slot = 0; slot < m_slots; ++slot) m_values[slot].~Value();
        m_values.Release(Pool());
        ClearLook();
        m_slots = 0;
    }
    size_t ValueBytes() const override {
        size_t bytes = m_values.MemoryBytes();
        for (int slot = 0; slot < m_slots; ++slot) bytes += Cell::HeapBytes(m_values[slot]);
        return bytes;
    }

private:
    TSlotArray<Value> m_values;
    Cell m_views[2];
    unsigned m_nextView = 0;
};

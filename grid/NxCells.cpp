#include "grid/NxCells.h"
#include "grid/NxCellClasses.h"

#include "rtl/Exceptions.h"

#include <algorithm>
#include <cstring>

// ---- TCell --------------------------------------------------------------------------------

int TCell::Row() const {
    return Owner()->LastRow();
}
int TCell::Column() const {
    return Owner()->LastColumn();
}

TColor TCell::PaintedBackground() const {
    TCells* owner = Owner();
    if (owner->OnPaintedBackground) return owner->OnPaintedBackground(Column(), Row());
    return Color();
}

TColor TCell::PaintedTextColor() const {
    TCells* owner = Owner();
    if (owner->OnPaintedTextColor) return owner->OnPaintedTextColor(Column(), Row());
    return clWindowText;
}

void TCell::NotifyChanged() {
    // A cell being made is nobody's news yet.
    if (!(State() & StateInitializing)) Owner()->CellChanged();
}
void TCell::SetBoolValue(bool) {
    NotifyChanged();
}
void TCell::SetDateValue(double) {
    NotifyChanged();
}
void TCell::SetFloatValue(double) {
    NotifyChanged();
}
void TCell::SetIntValue(int) {
    NotifyChanged();
}
void TCell::SetTextValue(const WideString&) {
    NotifyChanged();
}
void TCell::Clear() {
    NotifyChanged();
}

void TCell::AssignValue(const TCell& source) {
    SetTextValue(source.TextValue());
}

void TCell::AssignHint(const TCell& source) {
    const WideString* hint = source.m_column->SharedHint(source.m_slot);
    if (hint && source.Owner() != Owner()) hint = Owner()->InternHint(*hint);
    m_column->SetSharedHint(m_slot, hint);
    NotifyChanged();
}

void TCell::SetColor(TColor value) {
    m_column->SetColor(m_slot, value);
    NotifyChanged();
}

const WideString& TCell::Hint() const {
    static const WideString none;
    const WideString* hint = m_column->SharedHint(m_slot);
    return hint ? *hint : none;
}

void TCell::SetHint(const WideString& value) {
    m_column->SetSharedHint(m_slot, value.empty() ? nullptr : Owner()->InternHint(value));
    NotifyChanged();
}

void* TCell::ObjectReference() const {
    return m_column->ObjectReference(m_slot);
}

void TCell::SetObjectReference(void* object) {
    m_column->SetObjectReference(m_slot, object);
}

void TCell::SetFontStyle(TFontStyles style) {
    m_column->SetFlags(m_slot, TCellColumn::MakeFlags(style, State()));
}

void TCell::SetState(uint8_t state) {
    m_column->SetFlags(m_slot, TCellColumn::MakeFlags(FontStyle(), state));
}

std::u16string_view TCell::TextView(WideString& scratch) const {
    scratch = TextValue();
    return scratch;
}

void CopyValueAcross(TCell& from, TCell& to) {
    if (dynamic_cast<TVirtualCell*>(&to)) return; // its column's events supply the text
    try {
        to.SetTextValue(from.TextValue());
    } catch (const EConvertError&) {
        to.Clear();
    }
}

const WideString* THintTranslator::Translate(const WideString* hint) {
    if (hint == m_lastFrom) return m_lastTo;
    auto [it, added] = m_known.try_emplace(hint, nullptr);
    if (added) it->second = m_target.InternHint(*hint);
    m_lastFrom = hint;
    m_lastTo = it->second;
    return m_lastTo;
}

// ---- TCellColumn --------------------------------------------------------------------------

TCellColumn::~TCellColumn() {
    ClearLook();
}

TCellChunkPool& TCellColumn::Pool() const {
    return m_owner->Pool();
}

void TCellColumn::MakeLooks(int first, int count, const TCellTemplate& tpl) {
    const int end = first + count;
    if (end > m_colors.Capacity()) {
        m_colors.Reserve(Pool(), end);
        m_flags.Reserve(Pool(), end);
        if (m_extras.Allocated()) m_extras.Reserve(Pool(), end);
    }
    const uint8_t flags = MakeFlags(tpl.FontStyle, 0);
    m_colors.ForEachRun(first, end,
                        [&](TColor* colors, int, int n) { std::fill_n(colors, n, tpl.Color); });
    m_flags.ForEachRun(first, end, [&](uint8_t* f, int, int n) { std::fill_n(f, n, flags); });
    if (m_extras.Allocated())
        for (int slot = first; slot < end; ++slot) {
            if (slot < m_slots)
                SetExtra(slot, 0);
            else
                m_extras[slot] = 0;
        }
}

void TCellColumn::ReleaseLook(int slot) {
    SetExtra(slot, 0);
}

void TCellColumn::ClearLook() {
    if (m_extras.Allocated()) {
        for (int slot = 0; slot < m_slots; ++slot)
            if (m_extras[slot] & ExtraTag) delete ExtraOf(m_extras[slot]);
        m_extras.Release(Pool());
    }
    m_colors.Release(Pool());
    m_flags.Release(Pool());
}

void TCellColumn::CopyLook(const TCellColumn& source, int sourceSlot, int slot,
                           const TCellTemplate& tpl, THintTranslator& hints) {
    m_colors[slot] = source.m_colors[sourceSlot];
    m_flags[slot] = MakeFlags(tpl.FontStyle, 0);
    const WideString* hint = source.SharedHint(sourceSlot);
    SetExtra(slot, reinterpret_cast<uintptr_t>(hint ? hints.Translate(hint) : nullptr));
}

void TCellColumn::SetExtra(int slot, uintptr_t extra) {
    if (!m_extras.Allocated()) {
        if (extra == 0) return;
        m_extras.Reserve(Pool(), m_colors.Capacity());
        for (int s = 0; s < m_slots; ++s) m_extras[s] = 0;
    }
    const uintptr_t old = m_extras[slot];
    if (old & ExtraTag) delete ExtraOf(old);
    m_extras[slot] = extra;
}

const WideString* TCellColumn::SharedHint(int slot) const {
    const uintptr_t extra = Extra(slot);
    return (extra & ExtraTag) ? ExtraOf(extra)->Hint : reinterpret_cast<const WideString*>(extra);
}

void TCellColumn::SetSharedHint(int slot, const WideString* hint) {
    const uintptr_t extra = Extra(slot);
    if (extra & ExtraTag)
        ExtraOf(extra)->Hint = hint;
    else
        SetExtra(slot, reinterpret_cast<uintptr_t>(hint));
}

void* TCellColumn::ObjectReference(int slot) const {
    const uintptr_t extra = Extra(slot);
    return (extra & ExtraTag) ? ExtraOf(extra)->Object : nullptr;
}

void TCellColumn::SetObjectReference(int slot, void* object) {
    const uintptr_t extra = Extra(slot);
    if (extra & ExtraTag) {
        if (object) {
            ExtraOf(extra)->Object = object;
        } else {
            const WideString* hint = ExtraOf(extra)->Hint;
            SetExtra(slot, reinterpret_cast<uintptr_t>(hint)); // frees the TExtra
        }
    } else if (object) {
        auto* added = new TExtra{SharedHint(slot), object};
        try {
            SetExtra(slot, reinterpret_cast<uintptr_t>(added) | ExtraTag);
        } catch (...) {
            delete added;
            throw;
        }
    }
}

size_t TCellColumn::MemoryBytes() const {
    size_t bytes = sizeof(*this) + ValueBytes() + m_colors.MemoryBytes() + m_flags.MemoryBytes() +
                   m_extras.MemoryBytes();
    if (m_extras.Allocated())
        for (int slot = 0; slot < m_slots; ++slot)
            if (m_extras[slot] & ExtraTag) bytes += sizeof(TExtra);
    return bytes;
}

// ---- TCells -------------------------------------------------------------------------------

TCells::TCells() = default;

TCells::~TCells() {
    ClearAll();
}

std::unique_ptr<TCellColumn> TCells::MakeColumn(int valueKind) {
    switch (valueKind) {
    case vkRowNumber:
        return std::make_unique<TCellColumnOf<TIncrementCell>>(this);
    case vkBoolean:
        return std::make_unique<TCellColumnOf<TBooleanCell>>(this);
    case vkDateTime:
        return std::make_unique<TCellColumnOf<TDateTimeCell>>(this);
    case vkFloat:
        return std::make_unique<TCellColumnOf<TFloatCell>>(this);
    case vkGuid:
        return std::make_unique<TCellColumnOf<TGuidCell>>(this);
    case vkInteger:
        return std::make_unique<TCellColumnOf<TIntegerCell>>(this);
    case vkVirtual:
        return std::make_unique<TCellColumnOf<TVirtualCell>>(this);
    default:
        return std::make_unique<TCellColumnOf<TStringCell>>(this);
    }
}

const std::vector<TCellTemplate>& TCells::Templates() {
    if (!m_templatesValid || m_templates.size() != m_columns.size()) {
        m_templates.assign(m_columns.size(), TCellTemplate{});
        if (TemplateOf)
            for (size_t i = 0; i < m_templates.size(); ++i) m_templates[i] = TemplateOf(int(i));
        m_templatesValid = true;
        ++m_templateGeneration;
    }
    return m_templates;
}

TCell* TCells::Cell(int column, int row) {
    CheckListIndex(column, ColumnCount());
    CheckListIndex(row, RowCount());
    return CellAt(column, row);
}

TRow* TCells::Row(int row) const {
    CheckListIndex(row, RowCount());
    return &const_cast<TSlotArray<TRow>&>(m_rows)[m_order[size_t(row)]];
}

int TCells::IndexOfRow(const TRow* row) const {
    for (int r = 0; r < RowCount(); ++r)
        if (&m_rows[m_order[size_t(r)]] == row) return r;
    return -1;
}

int TCells::NewSlot(const std::vector<TCellTemplate>& tpl) {
    int slot;
    if (!m_freeSlots.empty()) {
        slot = m_freeSlots.back();
        for (size_t i = 0; i < m_columns.size(); ++i) m_columns[i]->MakeSlots(slot, 1, tpl[i]);
        m_freeSlots.pop_back();
    } else {
        if (m_fresh == m_slots || m_spareGeneration != m_templateGeneration) MakeSpares(tpl);
        slot = m_fresh++;
    }
    TRow& row = m_rows[slot];
    row = TRow{};
    row.Height = m_defaultRowHeight;
    return slot;
}

void TCells::MakeSpares(const std::vector<TCellTemplate>& tpl) {
    // Spares made with older templates are made again. New ones double the store, from 8 up
    // to the end of the arrays' chunk, so a small grid stays small.
    constexpr int perChunk = TSlotArray<TRow>::SlotsPerChunk;
    const int chunkEnd = (m_fresh / perChunk + 1) * perChunk;
    const int end = std::max(m_slots, std::min(chunkEnd, m_fresh + std::max(8, m_fresh)));
    m_rows.Reserve(m_pool, end);
    for (size_t i = 0; i < m_columns.size(); ++i)
        m_columns[i]->MakeSlots(m_fresh, end - m_fresh, tpl[i]);
    m_slots = std::max(m_slots, end);
    m_spareGeneration = m_templateGeneration;
}

void TCells::FreeSlot(int slot) {
    for (auto& column : m_columns) column->ReleaseSlot(slot);
    m_freeSlots.push_back(slot);
}

void TCells::AppendRows(int count) {
    if (count < 1) return;
    const std::vector<TCellTemplate>& tpl = Templates();
    // Reserving keeps growth geometric: never reserve just the few rows asked for.
    if (m_order.capacity() < m_order.size() + size_t(count))
        m_order.reserve(std::max(m_order.size() + size_t(count), m_order.capacity() * 2));
    for (int n = 0; n < count; ++n) {
        m_order.push_back(NewSlot(tpl)); // cannot throw after the reserve
        ++m_visibleRowCount;
    }
    m_sorted = false;
}

void TCells::InsertRow(int index) {
    index = std::clamp(index, 0, RowCount());
    const std::vector<TCellTemplate>& tpl = Templates();
    const int slot = NewSlot(tpl);
    try {
        m_order.insert(m_order.begin() + index, slot);
    } catch (...) {
        FreeSlot(slot);
        throw;
    }
    ++m_visibleRowCount;
    m_sorted = false;
}

void TCells::DeleteRow(int index) {
    CheckListIndex(index, RowCount());
    const int slot = m_order[size_t(index)];
    if (m_rows[slot].Visible) --m_visibleRowCount;
    m_order.erase(m_order.begin() + index);
    FreeSlot(slot);
}

void TCells::MoveRow(int from, int to) {
    CheckListIndex(from, RowCount());
    CheckListIndex(to, RowCount());
    if (from == to) return;
    const auto first = m_order.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    m_sorted = false;
}

void TCells::ExchangeRows(int a, int b) {
    CheckListIndex(a, RowCount());
    CheckListIndex(b, RowCount());
    std::swap(m_order[size_t(a)], m_order[size_t(b)]);
}

void TCells::PermuteRows(const std::vector<int>& order) {
    if (order.size() != m_order.size()) return;
    std::vector<int> slots(m_order.size());
    for (size_t i = 0; i < slots.size(); ++i) slots[i] = m_order[size_t(order[i])];
    m_order.swap(slots);
    m_sorted = false;
}

const WideString* TCells::InternHint(const WideString& hint) {
    // Rows of one league follow each other: most hints are the last one again.
    if (m_lastHint && m_lastHint->size() == hint.size() &&
        std::memcmp(m_lastHint->data(), hint.data(), hint.size() * sizeof(char16_t)) == 0)
        return m_lastHint;
    m_lastHint = &*m_hints.insert(hint).first;
    return m_lastHint;
}

void TCells::CheckCopySource(const TCells& source, const std::vector<int>& rows) const {
    if (source.ColumnCount() != ColumnCount())
        throw EListError("Cannot copy rows between grids of different columns");
    const int sourceRows = source.RowCount();
    for (const int row : rows) CheckListIndex(row, sourceRows);
}

void TCells::AppendRowsFrom(TCells& source, const std::vector<int>& rows) {
    CheckCopySource(source, rows);
    if (rows.empty()) return;
    const std::vector<TCellTemplate>& tpl = Templates();
    const size_t oldCount = m_order.size();
    if (m_order.capacity() < oldCount + rows.size())
        m_order.reserve(std::max(oldCount + rows.size(), m_order.capacity() * 2));
    // Room for the rollback below, which must not fail.
    m_freeSlots.reserve(m_freeSlots.size() + rows.size());
    THintTranslator hints(*this);
    try {
        for (size_t n = 0; n < rows.size(); ++n) m_order.push_back(NewSlot(tpl));
        const std::vector<int> slots(m_order.begin() + std::ptrdiff_t(oldCount), m_order.end());
        for (size_t i = 0; i < m_columns.size(); ++i)
            m_columns[i]->CopyRows(*source.m_columns[i], int(i), rows, slots, tpl[i], hints);
    } catch (...) {
        // All or nothing: the new rows go again.
        while (m_order.size() > oldCount) {
            FreeSlot(m_order.back());
            m_order.pop_back();
        }
        throw;
    }
    m_visibleRowCount += int(rows.size());
    m_sorted = false;
}

void TCells::ReplaceRowsFrom(TCells& source, const std::vector<int>& rows) {
    if (&source == this) throw EListError("A grid cannot replace its rows with its own");
    CheckCopySource(source, rows);
    ClearRows();
    try {
        AppendRowsFrom(source, rows);
    } catch (...) {
        ClearRows();
        throw;
    }
}

void TCells::ClearRows() {
    for (auto& column : m_columns) column->Clear();
    m_hints.clear(); // no cell is left to show one
    m_lastHint = nullptr;
    m_rows.Release(m_pool);
    m_slots = 0;
    m_fresh = 0;
    m_freeSlots.clear();
    m_order.clear();
    m_order.shrink_to_fit();
    m_visibleRowCount = 0;
    m_sorted = false;
}

void TCells::SetRowVisible(int row, bool visible) {
    TRow* r = Row(row);
    if (r->Visible == visible) return;
    r->Visible = visible;
    m_visibleRowCount += visible ? 1 : -1;
}

void TCells::AddColumn(const TCellTemplate& tpl) {
    InsertColumn(ColumnCount(), tpl);
}

void TCells::InsertColumn(int index, const TCellTemplate& tpl) {
    if (ColumnCount() >= MaxColumns)
        throw EListError("Too many columns: a grid holds at most 1025");
    index = std::clamp(index, 0, ColumnCount());
    auto column = MakeColumn(tpl.ValueKind);
    if (m_slots > 0) column->MakeSlots(0, m_slots, tpl);
    m_columns.insert(m_columns.begin() + index, std::move(column));
    m_templatesValid = false;
    m_sorted = false;
}

void TCells::DeleteColumn(int index) {
    CheckListIndex(index, ColumnCount());
    m_columns.erase(m_columns.begin() + index);
    m_templatesValid = false;
    if (m_columns.empty()) ClearRows();
}

void TCells::MoveColumn(int from, int to) {
    CheckListIndex(from, ColumnCount());
    CheckListIndex(to, ColumnCount());
    auto column = std::move(m_columns[size_t(from)]);
    m_columns.erase(m_columns.begin() + from);
    m_columns.insert(m_columns.begin() + to, std::move(column));
    m_templatesValid = false;
}

void TCells::ClearAll() {
    ClearRows();
    m_columns.clear();
    m_templatesValid = false;
}

void TCells::CellChanged() {
    if (!m_changeCallbackMuted && OnCellChange) OnCellChange(this, m_lastColumn, m_lastRow);
    m_sorted = false;
}

size_t TCells::MemoryBytes() const {
    size_t bytes = sizeof(*this) + m_columns.capacity() * sizeof(void*);
    for (const auto& column : m_columns) bytes += column->MemoryBytes();
    bytes += m_order.capacity() * sizeof(int) + m_freeSlots.capacity() * sizeof(int) +
             m_rows.MemoryBytes();
    for (const WideString& hint : m_hints)
        bytes += sizeof(void*) * 3 + sizeof(WideString) + hint.capacity() * sizeof(char16_t);
    return bytes;
}

#include "grid/NxCells.h"

#include "grid/NxCellList.h"
#include "platform/MemoryMap.h"
#include "rtl/Exceptions.h"

#include <algorithm>

// ---- TCell -------------------------------------------------------------------------------

TCells* TCell::Owner() const {
    return CellChunkOwner(this);
}
int TCell::Row() const {
    return Owner()->LastRow();
}
int TCell::Column() const {
    return Owner()->LastColumn();
}

TColor TCell::PaintedBackground() const {
    TCells* owner = Owner();
    if (owner->OnPaintedBackground) return owner->OnPaintedBackground(Column(), Row());
    return m_color;
}

TColor TCell::PaintedTextColor() const {
    TCells* owner = Owner();
    if (owner->OnPaintedTextColor) return owner->OnPaintedTextColor(Column(), Row());
    return clWindowText;
}

void TCell::NotifyChanged() {
    // A cell being made is nobody's news yet.
    if (!(m_state & StateInitializing)) Owner()->CellChanged();
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

void TCell::SetColor(TColor value) {
    m_color = value;
    NotifyChanged();
}

const WideString& TCell::Hint() const {
    static const WideString none;
    const WideString* hint = SharedHint();
    return hint ? *hint : none;
}

void TCell::SetHint(const WideString& value) {
    SetSharedHint(value.empty() ? nullptr : Owner()->InternHint(value));
    NotifyChanged();
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

void TCell::SetObjectReference(void* object) {
    if (m_extra & ExtraTag) {
        if (object) {
            Extra()->Object = object;
        } else {
            const WideString* hint = Extra()->Hint;
            delete Extra();
            m_extra = reinterpret_cast<uintptr_t>(hint);
        }
    } else if (object) {
        auto* extra = new TExtra{SharedHint(), object};
        m_extra = reinterpret_cast<uintptr_t>(extra) | ExtraTag;
    }
}

std::u16string_view TCell::TextView(WideString& scratch) const {
    scratch = TextValue();
    return scratch;
}

size_t TCell::HeapBytes() const {
    return HoldsHeap() ? sizeof(TExtra) : 0;
}

// ---- TCells ------------------------------------------------------------------------------

TCells::TCells() = default;

TCells::~TCells() {
    ClearAll();
    for (const TSlab& slab : m_slabs) {
        if (slab.MappedBytes)
            UnmapMemory(slab.Memory, slab.MappedBytes);
        else
            std::free(slab.Memory);
    }
}

namespace {
// Small grids take small slabs; a long list moves on to 2 MiB slabs that the kernel may back
// with huge pages, which saves most of the page faults of filling 100,000 rows.
constexpr size_t SmallSlabChunks = 16;
constexpr size_t LargeSlabChunks = 128;
constexpr size_t SmallSlabs = 4;

// `bytes` of fresh memory aligned to `bytes` (a power of two), mapped exactly.
void* MapAligned(size_t bytes) {
    void* slab = MapAlignedMemory(bytes, bytes);
    if (slab) AdviseHugePages(slab, bytes);
    return slab;
}
} // namespace

void* TCells::AllocChunk() {
    if (m_freeChunks.empty()) {
        const bool large = m_slabs.size() >= SmallSlabs;
        const size_t chunks = large ? LargeSlabChunks : SmallSlabChunks;
        const size_t bytes = CellChunkBytes * chunks;
        void* slab = large ? MapAligned(bytes) : std::aligned_alloc(CellChunkBytes, bytes);
        if (!slab) throw std::bad_alloc();
        m_slabs.push_back({slab, large ? bytes : 0});
        for (size_t i = chunks; i-- > 0;)
            m_freeChunks.push_back(static_cast<char*>(slab) + i * CellChunkBytes);
    }
    void* chunk = m_freeChunks.back();
    m_freeChunks.pop_back();
    return chunk;
}

void TCells::FreeChunk(void* chunk) {
    m_freeChunks.push_back(chunk);
}

TRow* TCells::NewRow() {
    if (m_freeRows.empty()) {
        // Blocks grow with the store, so a small grid keeps little and a large one few blocks.
        const size_t count = std::clamp<size_t>(m_pooledRows, 64, 4096);
        m_rowBlocks.push_back(std::make_unique<TRow[]>(count));
        m_pooledRows += count;
        TRow* block = m_rowBlocks.back().get();
        for (size_t i = count; i-- > 0;) m_freeRows.push_back(block + i);
    }
    TRow* row = m_freeRows.back();
    m_freeRows.pop_back();
    RenewRow(*row);
    return row;
}

void TCells::RenewRow(TRow& row) const {
    row = TRow{};
    row.Height = m_defaultRowHeight;
}

std::unique_ptr<TCellList> TCells::MakeList(int valueKind) {
    switch (valueKind) {
    case vkRowNumber:
        return std::make_unique<TCellArray<TIncrementCell>>(this);
    case vkBoolean:
        return std::make_unique<TCellArray<TBooleanCell>>(this);
    case vkDateTime:
        return std::make_unique<TCellArray<TDateTimeCell>>(this);
    case vkFloat:
        return std::make_unique<TCellArray<TFloatCell>>(this);
    case vkGuid:
        return std::make_unique<TCellArray<TGuidCell>>(this);
    case vkInteger:
        return std::make_unique<TCellArray<TIntegerCell>>(this);
    case vkVirtual:
        return std::make_unique<TCellArray<TVirtualCell>>(this);
    default:
        return std::make_unique<TCellArray<TStringCell>>(this);
    }
}

const std::vector<TCellTemplate>& TCells::Templates() {
    if (!m_templatesValid || m_templates.size() != m_columns.size()) {
        m_templates.assign(m_columns.size(), TCellTemplate{});
        if (TemplateOf)
            for (size_t i = 0; i < m_templates.size(); ++i) m_templates[i] = TemplateOf(int(i));
        m_templatesValid = true;
    }
    return m_templates;
}

TCell* TCells::Cell(int column, int row) {
    CheckListIndex(column, ColumnCount());
    TCellList& list = *m_columns[size_t(column)];
    CheckListIndex(row, list.Count());
    m_lastColumn = column;
    m_lastRow = row;
    return list.At(row);
}

TRow* TCells::Row(int row) const {
    CheckListIndex(row, RowCount());
    return m_rows[size_t(row)];
}

int TCells::IndexOfRow(const TRow* row) const {
    auto it = std::find(m_rows.begin(), m_rows.end(), row);
    return it == m_rows.end() ? -1 : int(it - m_rows.begin());
}

void TCells::AppendRows(int count) {
    if (count < 1) return;
    const std::vector<TCellTemplate>& tpl = Templates();
    // Reserving keeps growth geometric: never reserve just the few rows asked for.
    if (m_rows.capacity() < m_rows.size() + size_t(count))
        m_rows.reserve(std::max(m_rows.size() + size_t(count), m_rows.capacity() * 2));
    for (int n = 0; n < count; ++n) {
        m_rows.push_back(NewRow());
        ++m_visibleRowCount;
        for (size_t i = 0; i < m_columns.size(); ++i) m_columns[i]->Append(tpl[i]);
    }
    m_sorted = false;
}

void TCells::InsertRow(int index) {
    index = std::clamp(index, 0, RowCount());
    const std::vector<TCellTemplate> tpl = Templates();
    for (size_t i = 0; i < m_columns.size(); ++i) m_columns[i]->Insert(index, tpl[i]);
    m_rows.insert(m_rows.begin() + index, NewRow());
    ++m_visibleRowCount;
    m_sorted = false;
}

void TCells::DeleteRow(int index) {
    CheckListIndex(index, RowCount());
    for (auto& list : m_columns) list->Delete(index);
    TRow* row = m_rows[size_t(index)];
    if (row->Visible) --m_visibleRowCount;
    m_rows.erase(m_rows.begin() + index);
    m_freeRows.push_back(row);
}

void TCells::MoveRow(int from, int to) {
    CheckListIndex(from, RowCount());
    CheckListIndex(to, RowCount());
    if (from == to) return;
    for (auto& list : m_columns) list->Move(from, to);
    TRow* row = m_rows[size_t(from)];
    m_rows.erase(m_rows.begin() + from);
    m_rows.insert(m_rows.begin() + to, row);
    m_sorted = false;
}

void TCells::ExchangeRows(int a, int b) {
    CheckListIndex(a, RowCount());
    CheckListIndex(b, RowCount());
    if (a == b) return;
    for (auto& list : m_columns) list->Exchange(a, b);
    std::swap(m_rows[size_t(a)], m_rows[size_t(b)]);
}

void TCells::PermuteRows(const std::vector<int>& order) {
    if (order.size() != m_rows.size()) return;
    for (auto& list : m_columns) list->Permute(order);
    std::vector<TRow*> rows(m_rows.size());
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = m_rows[size_t(order[i])];
    m_rows.swap(rows);
    m_sorted = false;
}

const WideString* TCells::InternHint(const WideString& hint) {
    return &*m_hints.insert(hint).first;
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
    const int oldCount = RowCount();
    if (m_rows.capacity() < m_rows.size() + rows.size())
        m_rows.reserve(std::max(m_rows.size() + rows.size(), m_rows.capacity() * 2));
    THintTranslator hints(*this);
    try {
        for (size_t n = 0; n < rows.size(); ++n) m_rows.push_back(NewRow());
        for (size_t i = 0; i < m_columns.size(); ++i)
            m_columns[i]->CopyRows(*source.m_columns[i], int(i), rows, oldCount, tpl[i], hints);
    } catch (...) {
        // All or nothing: the lists and the row records stay the same length.
        for (auto& list : m_columns) list->Truncate(oldCount);
        while (RowCount() > oldCount) {
            m_freeRows.push_back(m_rows.back());
            m_rows.pop_back();
        }
        throw;
    }
    m_visibleRowCount += int(rows.size());
    m_sorted = false;
}

void TCells::ReplaceRowsFrom(TCells& source, const std::vector<int>& rows) {
    if (&source == this) throw EListError("A grid cannot replace its rows with its own");
    CheckCopySource(source, rows);
    const std::vector<TCellTemplate>& tpl = Templates();
    const size_t count = rows.size();
    // The old hints stay alive (a moved set keeps its elements in place) until every cell
    // that showed one has been overwritten or dropped.
    const std::unordered_set<WideString> oldHints = std::move(m_hints);
    m_hints.clear();
    try {
        while (m_rows.size() > count) {
            m_freeRows.push_back(m_rows.back());
            m_rows.pop_back();
        }
        for (TRow* row : m_rows) RenewRow(*row);
        m_rows.reserve(count);
        while (m_rows.size() < count) m_rows.push_back(NewRow());
        THintTranslator hints(*this);
        for (size_t i = 0; i < m_columns.size(); ++i) {
            m_columns[i]->CopyRows(*source.m_columns[i], int(i), rows, 0, tpl[i], hints);
            m_columns[i]->Truncate(int(count));
        }
    } catch (...) {
        ClearRows();
        throw;
    }
    m_visibleRowCount = int(count);
    m_sorted = false;
}

void TCells::ClearRows() {
    for (auto& list : m_columns) list->Clear();
    m_hints.clear(); // no cell is left to show one
    m_freeRows.insert(m_freeRows.end(), m_rows.rbegin(), m_rows.rend());
    m_rows.clear();
    m_rows.shrink_to_fit();
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
    auto list = MakeList(tpl.ValueKind);
    for (size_t r = 0; r < m_rows.size(); ++r) list->Append(tpl);
    m_columns.insert(m_columns.begin() + index, std::move(list));
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
    auto list = std::move(m_columns[size_t(from)]);
    m_columns.erase(m_columns.begin() + from);
    m_columns.insert(m_columns.begin() + to, std::move(list));
    m_templatesValid = false;
}

void TCells::ClearAll() {
    m_columns.clear();
    m_hints.clear();
    m_templatesValid = false;
    m_freeRows.insert(m_freeRows.end(), m_rows.rbegin(), m_rows.rend());
    m_rows.clear();
    m_visibleRowCount = 0;
}

void TCells::CellChanged() {
    if (OnCellChange) OnCellChange(this, m_lastColumn, m_lastRow);
    m_sorted = false;
}

size_t TCells::MemoryBytes() const {
    size_t bytes = sizeof(*this) + m_columns.capacity() * sizeof(void*);
    for (const auto& list : m_columns) bytes += sizeof(TCellList) + list->MemoryBytes();
    bytes += m_slabs.capacity() * sizeof(TSlab) + m_freeChunks.capacity() * sizeof(void*);
    bytes += m_rows.capacity() * sizeof(TRow*) + m_pooledRows * sizeof(TRow) +
             m_rowBlocks.capacity() * sizeof(void*) + m_freeRows.capacity() * sizeof(TRow*);
    for (const WideString& hint : m_hints)
        bytes += sizeof(void*) * 3 + sizeof(WideString) + hint.capacity() * sizeof(char16_t);
    return bytes;
}

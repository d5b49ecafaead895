#pragma once
// One column's cells, stored by value in fixed-size chunks. Each chunk is aligned to its own
// size and starts with a pointer to the store, so a cell finds its store from its address
// instead of carrying a pointer of its own; appending never moves existing cells.
#include "grid/NxCells.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

inline constexpr size_t CellChunkBytes = 16384;

struct TCellChunkHeader {
    TCells* Owner;
};

inline TCells* CellChunkOwner(const void* cell) {
    const auto base = reinterpret_cast<uintptr_t>(cell) & ~uintptr_t(CellChunkBytes - 1);
    return reinterpret_cast<const TCellChunkHeader*>(base)->Owner;
}

class TCellList {
public:
    explicit TCellList(TCells* owner) : m_owner(owner) {}
    virtual ~TCellList() = default;
    int Count() const { return m_count; }
    TCells* Owner() const { return m_owner; }
    // Unchecked: callers test the index first.
    virtual TCell* At(int index) = 0;
    // A new cell made from the template, at the end or before `index`.
    virtual void Append(const TCellTemplate& tpl) = 0;
    virtual void Insert(int index, const TCellTemplate& tpl) = 0;
    // Makes the cells from `at` on (at <= Count()) copies of `source`'s cells at `rows`
    // (all within `source`): the value, colour and hint, the rest as in a new cell from the
    // template. Cells already there are reused, missing ones made, later ones kept.
    virtual void CopyRows(TCellList& source, int sourceColumn, const std::vector<int>& rows, int at,
                          const TCellTemplate& tpl, THintTranslator& hints) = 0;
    // Drops the cells from `count` on.
    virtual void Truncate(int count) = 0;
    virtual void Delete(int index) = 0;
    virtual void Move(int from, int to) = 0;
    virtual void Exchange(int a, int b) = 0;
    virtual void Permute(const std::vector<int>& order) = 0;
    virtual void Clear() = 0;
    virtual size_t MemoryBytes() const = 0;

protected:
    TCells* m_owner;
    int m_count = 0;
};

// A value between cells of different classes goes through its text. The new cell is still
// initialising, so its setters notify nobody; a text it cannot read leaves it empty.
void CopyValueAcross(TCell& from, TCell& to);

template <class C> class TCellArray final : public TCellList {
public:
    explicit TCellArray(TCells* owner) : TCellList(owner) {}
    ~TCellArray() override { Clear(); }

    TCell* At(int index) override { return Slot(index); }

    void Append(const TCellTemplate& tpl) override {
        C* cell = Made(tpl);
        cell->SetState(uint8_t(cell->State() & ~TCell::StateInitializing));
    }
    void CopyRows(TCellList& source, int sourceColumn, const std::vector<int>& rows, int at,
                  const TCellTemplate& tpl, THintTranslator& hints) override {
        m_chunks.reserve((size_t(at) + rows.size() + PerChunk - 1) / PerChunk);
        int index = at;
        if (auto* same = dynamic_cast<TCellArray*>(&source)) {
            for (const int row : rows) {
                const C& from = *same->Slot(row);
                C* cell = ReadyAt(index++, tpl);
                cell->AssignValue(from);
                cell->CopyLookFrom(from, hints);
                cell->SetState(uint8_t(cell->State() & ~TCell::StateInitializing));
            }
            return;
        }
        for (const int row : rows) {
            // Reading through the store records the position that row numbers and virtual
            // texts depend on.
            TCell& from = *source.Owner()->Cell(sourceColumn, row);
            C* cell = ReadyAt(index++, tpl);
            CopyValueAcross(from, *cell);
            cell->CopyLookFrom(from, hints);
            cell->SetState(uint8_t(cell->State() & ~TCell::StateInitializing));
        }
    }
    void Truncate(int count) override {
        while (m_count > count) Drop(Slot(--m_count));
        TrimChunks();
    }
    void Insert(int index, const TCellTemplate& tpl) override {
        Append(tpl);
        for (int i = m_count - 1; i > index; --i) std::swap(*Slot(i), *Slot(i - 1));
    }
    void Delete(int index) override {
        for (int i = index; i < m_count - 1; ++i) std::swap(*Slot(i), *Slot(i + 1));
        Slot(m_count - 1)->~C();
        --m_count;
        TrimChunks();
    }
    void Move(int from, int to) override {
        if (from < to)
            for (int i = from; i < to; ++i) std::swap(*Slot(i), *Slot(i + 1));
        else
            for (int i = from; i > to; --i) std::swap(*Slot(i), *Slot(i - 1));
    }
    void Exchange(int a, int b) override {
        if (a != b) std::swap(*Slot(a), *Slot(b));
    }
    void Permute(const std::vector<int>& order) override {
        std::vector<void*> fresh;
        fresh.reserve(m_chunks.size());
        for (size_t i = 0; i < m_chunks.size(); ++i) fresh.push_back(NewChunk());
        for (int i = 0; i < m_count; ++i)
            ::new (static_cast<void*>(SlotIn(fresh, i))) C(std::move(*Slot(order[size_t(i)])));
        for (int i = 0; i < m_count; ++i) Drop(Slot(i));
        for (void* chunk : m_chunks) m_owner->FreeChunk(chunk);
        m_chunks = std::move(fresh);
    }
    void Clear() override {
        for (int i = 0; i < m_count; ++i) Drop(Slot(i));
        for (void* chunk : m_chunks) m_owner->FreeChunk(chunk);
        m_chunks.clear();
        m_count = 0;
    }
    size_t MemoryBytes() const override {
        size_t bytes = m_chunks.size() * CellChunkBytes + m_chunks.capacity() * sizeof(void*);
        for (int i = 0; i < m_count; ++i)
            bytes += const_cast<TCellArray*>(this)->Slot(i)->HeapBytes();
        return bytes;
    }

private:
    static constexpr size_t Offset =
        (sizeof(TCellChunkHeader) + alignof(C) - 1) / alignof(C) * alignof(C);
    static constexpr size_t PerChunk = (CellChunkBytes - Offset) / sizeof(C);

    void* NewChunk() {
        void* chunk = m_owner->AllocChunk();
        static_cast<TCellChunkHeader*>(chunk)->Owner = m_owner;
        return chunk;
    }
    static C* SlotIn(const std::vector<void*>& chunks, int index) {
        const size_t i = size_t(index);
        return reinterpret_cast<C*>(static_cast<char*>(chunks[i / PerChunk]) + Offset) +
               i % PerChunk;
    }
    C* Slot(int index) { return SlotIn(m_chunks, index); }
    void TrimChunks() {
        while (m_chunks.size() > (size_t(m_count) + PerChunk - 1) / PerChunk) {
            m_owner->FreeChunk(m_chunks.back());
            m_chunks.pop_back();
        }
    }
    // Ends a cell's life, skipping the destructor of one that holds nothing to free.
    static void Drop(C* cell) {
        if (cell->HoldsHeap()) cell->~C();
    }
    // The cell at `index` (at most Count()) ready to take a copy: a reused one renewed, or
    // a new one. Either is still initialising.
    C* ReadyAt(int index, const TCellTemplate& tpl) {
        if (index < m_count) {
            C* cell = Slot(index);
            cell->Renew(tpl.FontStyle, tpl.Color);
            return cell;
        }
        return Made(tpl);
    }
    // A new cell at the end, from the template, still initialising (its writes are silent).
    C* Made(const TCellTemplate& tpl) {
        if (size_t(m_count) == m_chunks.size() * PerChunk) m_chunks.push_back(NewChunk());
        C* cell = ::new (static_cast<void*>(Slot(m_count))) C();
        ++m_count;
        cell->SetInitialLook(tpl.FontStyle, tpl.Color);
        return cell;
    }

    std::vector<void*> m_chunks;
};

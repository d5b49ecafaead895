#pragma once
// Storage under the cell store: arrays indexed by a row's slot, kept in chunks of a fixed
// number of slots so that growing never moves what is stored, and the pool the chunks come
// from. A long list takes its chunks from large slabs that the system may back with huge
// pages, which saves most of the page faults of filling 100,000 rows; a small grid takes
// little.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

class TCellChunkPool {
public:
    TCellChunkPool() = default;
    ~TCellChunkPool();
    TCellChunkPool(const TCellChunkPool&) = delete;
    TCellChunkPool& operator=(const TCellChunkPool&) = delete;

    // `bytes` (a multiple of 64) of uninitialised memory, aligned to 64; throws bad_alloc.
    void* Alloc(size_t bytes);
    // Keeps the chunk for the next Alloc of the same size.
    void Free(void* chunk, size_t bytes) noexcept;
    // Bytes taken from the system.
    size_t ReservedBytes() const { return m_reserved; }

private:
    struct TSlab {
        void* Memory;
        size_t Bytes;
        bool Mapped;
    };
    struct TFreeList {
        size_t Bytes;
        std::vector<void*> Chunks;
    };
    std::vector<TSlab> m_slabs;
    std::vector<TFreeList> m_free;
    char* m_next = nullptr; // unused part of the newest slab
    size_t m_left = 0;
    size_t m_reserved = 0;
};

// What a cell class keeps per slot when it keeps nothing.
struct TNoValue {};

// Values of type T by slot. The array only holds memory: constructing and destroying the
// values in it is its user's business.
template <class T> class TSlotArray {
public:
    static constexpr int ChunkShift = 10;
    static constexpr int SlotsPerChunk = 1 << ChunkShift;
    static constexpr size_t ChunkBytes = ((SlotsPerChunk * sizeof(T)) + 63) / 64 * 64;

    TSlotArray() = default;
    TSlotArray(const TSlotArray&) = delete;
    TSlotArray& operator=(const TSlotArray&) = delete;

    T& operator[](int slot) {
        return static_cast<T*>(m_chunks[size_t(slot) >> ChunkShift])[slot & (SlotsPerChunk - 1)];
    }
    const T& operator[](int slot) const {
        return static_cast<const T*>(
            m_chunks[size_t(slot) >> ChunkShift])[slot & (SlotsPerChunk - 1)];
    }
    int Capacity() const { return int(m_chunks.size()) * SlotsPerChunk; }
    // Calls fn(values, firstSlot, count) for each stretch of slots first .. end - 1 that lies
    // in one chunk (all within the capacity): loops over many slots run without the per-slot
    // chunk lookup.
    template <class F> void ForEachRun(int first, int end, F&& fn) {
        while (first < end) {
            const int offset = first & (SlotsPerChunk - 1);
            const int count = std::min(end - first, SlotsPerChunk - offset);
            fn(static_cast<T*>(m_chunks[size_t(first) >> ChunkShift]) + offset, first, count);
            first += count;
        }
    }
    // Room for slots 0 .. slots - 1.
    void Reserve(TCellChunkPool& pool, int slots) {
        while (Capacity() < slots) {
            if (m_chunks.size() == m_chunks.capacity())
                m_chunks.reserve(m_chunks.empty() ? 4 : 2 * m_chunks.capacity());
            m_chunks.push_back(pool.Alloc(ChunkBytes)); // cannot throw after the reserve
        }
    }
    // Gives every chunk back; the values must be gone already.
    void Release(TCellChunkPool& pool) {
        for (void* chunk : m_chunks) pool.Free(chunk, ChunkBytes);
        m_chunks.clear();
    }
    bool Allocated() const { return !m_chunks.empty(); }
    size_t MemoryBytes() const {
        return m_chunks.size() * ChunkBytes + m_chunks.capacity() * sizeof(void*);
    }

private:
    std::vector<void*> m_chunks;
};

// Cells that keep nothing take no room.
template <> class TSlotArray<TNoValue> {
public:
    TNoValue& operator[](int) { return m_none; }
    const TNoValue& operator[](int) const { return m_none; }
    // One slot at a time: there is only the one nothing.
    template <class F> void ForEachRun(int first, int end, F&& fn) {
        for (int slot = first; slot < end; ++slot) fn(&m_none, slot, 1);
    }
    void Reserve(TCellChunkPool&, int) {}
    void Release(TCellChunkPool&) {}
    size_t MemoryBytes() const { return 0; }

private:
    TNoValue m_none;
};

#include "grid/NxCellStorage.h"

#include "platform/MemoryMap.h"

#include <algorithm>
#include <cstdlib>

namespace {
// Slabs grow with what the store has taken, from a small first one to the size of a huge page,
// from which on they are mapped on their own and advised to use huge pages.
constexpr size_t kFirstSlab = 64 * 1024;
constexpr size_t kHugeSlab = 2 * 1024 * 1024;
constexpr size_t kAlign = 64;
} // namespace

TCellChunkPool::~TCellChunkPool() {
    for (const TSlab& slab : m_slabs) {
        if (slab.Mapped)
            UnmapMemory(slab.Memory, slab.Bytes);
        else
            std::free(slab.Memory);
    }
}

void* TCellChunkPool::Alloc(size_t bytes) {
    for (TFreeList& list : m_free) {
        if (list.Bytes != bytes || list.Chunks.empty()) continue;
        void* chunk = list.Chunks.back();
        list.Chunks.pop_back();
        return chunk;
    }
    if (m_left < bytes) {
        size_t size = std::clamp(m_reserved, kFirstSlab, kHugeSlab);
        while (size < bytes) size *= 2;
        const bool mapped = size >= kHugeSlab;
        void* memory =
            mapped ? MapAlignedMemory(size, kHugeSlab) : std::aligned_alloc(kAlign, size);
        if (!memory) throw std::bad_alloc();
        if (mapped) AdviseHugePages(memory, size);
        try {
            m_slabs.push_back({memory, size, mapped});
        } catch (...) {
            if (mapped)
                UnmapMemory(memory, size);
            else
                std::free(memory);
            throw;
        }
        // What was left of the previous slab stays unused.
        m_next = static_cast<char*>(memory);
        m_left = size;
        m_reserved += size;
    }
    void* chunk = m_next;
    m_next += bytes;
    m_left -= bytes;
    return chunk;
}

void TCellChunkPool::Free(void* chunk, size_t bytes) noexcept {
    try {
        for (TFreeList& list : m_free) {
            if (list.Bytes != bytes) continue;
            list.Chunks.push_back(chunk);
            return;
        }
        m_free.push_back({bytes, {chunk}});
    } catch (...) {
        // Out of memory for the list: the chunk stays unused until the pool goes.
    }
}

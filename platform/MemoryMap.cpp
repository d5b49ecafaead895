#include "platform/MemoryMap.h"

#include <cstdint>
#include <sys/mman.h>

void* MapAlignedMemory(std::size_t bytes, std::size_t alignment) {
    if (bytes == 0 || alignment == 0 || (alignment & (alignment - 1)) != 0) return nullptr;
    // Map enough to contain an aligned run of `bytes`, then give back the ends around it.
    const std::size_t mapped = bytes + alignment;
    void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + alignment - 1) & ~std::uintptr_t(alignment - 1);
    if (aligned > start) ::munmap(raw, aligned - start);
    const std::uintptr_t end = start + mapped;
    if (end > aligned + bytes)
        ::munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
    return reinterpret_cast<void*>(aligned);
}

void UnmapMemory(void* memory, std::size_t bytes) {
    if (memory && bytes) ::munmap(memory, bytes);
}

void AdviseHugePages(void* memory, std::size_t bytes) {
    if (memory && bytes) ::madvise(memory, bytes, MADV_HUGEPAGE);
}

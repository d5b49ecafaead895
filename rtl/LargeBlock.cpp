#include "rtl/LargeBlock.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

std::size_t RoundUp(std::size_t n, std::size_t to) {
    return (n + to - 1) / to * to;
}

// What is mapped for a block: whole huge pages when that wastes at most a quarter of the
// block (the part never written costs nothing, but a huge page is filled whole), otherwise
// the block's own pages, the huge ones covering what they can.
std::size_t MappedSize(std::size_t bytes) {
    const std::size_t huge = RoundUp(bytes, kHugePage);
    if (huge - bytes <= bytes / 4) return huge;
    return RoundUp(bytes, 4096);
}

} // namespace

void* AllocateLargeBlock(std::size_t bytes) {
    if (bytes < kLargeBlockThreshold) {
        void* p = std::malloc(bytes ? bytes : 1);
        if (!p) throw std::bad_alloc();
        return p;
    }
    const std::size_t size = MappedSize(bytes);
    if (size < bytes) throw std::bad_alloc(); // wrapped around
    // Mapped with a huge page's worth to spare, so that the block can start on a huge-page
    // boundary; the spare ends are given back at once.
    const std::size_t span = size + kHugePage;
    if (span < size) throw std::bad_alloc();
    void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = RoundUp(start, kHugePage);
    if (aligned > start) munmap(raw, aligned - start);
    const std::uintptr_t end = aligned + size;
    if (start + span > end) munmap(reinterpret_cast<void*>(end), start + span - end);
    // Only advice: where the system has no huge pages the block is an ordinary mapping.
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void FreeLargeBlock(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (bytes < kLargeBlockThreshold) {
        std::free(block);
        return;
    }
    munmap(block, MappedSize(bytes));
}

#pragma once
// Memory for big buffers (window surfaces, decoded pictures, inflated data). Blocks of a
// megabyte or more are mapped on their own and backed by the system's huge pages where it
// offers them: every fresh 4 KB page costs a fault when first written, and a picture the size
// of the window is five hundred of them, which is most of what opening a window costs on a
// machine where faults are slow. Smaller blocks come from the ordinary heap.
#include <cstddef>
#include <new>

// Raw blocks; a null result never comes back (std::bad_alloc is raised instead).
void* AllocateLargeBlock(std::size_t bytes);
void FreeLargeBlock(void* block, std::size_t bytes) noexcept;

// From this size on blocks are mapped on their own.
constexpr std::size_t kLargeBlockThreshold = std::size_t(1) << 20;

// A standard allocator over those blocks, for std::vector and friends.
template <typename T> struct TLargeBlockAllocator {
    using value_type = T;
    TLargeBlockAllocator() noexcept = default;
    template <typename U> TLargeBlockAllocator(const TLargeBlockAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(AllocateLargeBlock(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { FreeLargeBlock(p, n * sizeof(T)); }

    template <typename U> bool operator==(const TLargeBlockAllocator<U>&) const noexcept {
        return true;
    }
    template <typename U> bool operator!=(const TLargeBlockAllocator<U>&) const noexcept {
        return false;
    }
};

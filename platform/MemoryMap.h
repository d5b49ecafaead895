#pragma once
// Memory straight from the system, for allocators that want whole, aligned slabs.
#include <cstddef>

// `bytes` of fresh zero-filled memory starting at a multiple of `alignment` (a power of two,
// at least the page size, and `bytes` a multiple of the page size), or nullptr when the
// system has none. Only the `bytes` asked stay mapped; give them back with UnmapMemory.
void* MapAlignedMemory(std::size_t bytes, std::size_t alignment);
void UnmapMemory(void* memory, std::size_t bytes);
// Asks the system to back the range with huge pages where it can (fewer page faults when a
// large slab is filled); only a hint, which the system may ignore.
void AdviseHugePages(void* memory, std::size_t bytes);

// Slabs straight from the system: aligned as asked, zero-filled, writable throughout, and no
// more than the bytes asked left mapped.
#include "platform/MemoryMap.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace {
bool Mapped(const void* address) {
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    unsigned char resident = 0;
    void* start = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(address) & ~(page - 1));
    return ::mincore(start, page, &resident) == 0 || errno != ENOMEM;
}
} // namespace

TEST(MemoryMap, AlignedZeroFilledAndOnlyTheBytesAskedStayMapped) {
    for (const std::size_t alignment : {std::size_t(1) << 16, std::size_t(2) << 20}) {
        const std::size_t bytes = 2 * alignment;
        auto* slab = static_cast<unsigned char*>(MapAlignedMemory(bytes, alignment));
        ASSERT_NE(slab, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(slab) % alignment, 0u);
        AdviseHugePages(slab, bytes);
        bool zero = true;
        for (std::size_t i = 0; i < bytes; i += 997) zero = zero && slab[i] == 0;
        EXPECT_TRUE(zero);
        slab[0] = 1;
        slab[bytes - 1] = 2;
        EXPECT_EQ(slab[0] + slab[bytes - 1], 3);
        // The slack mapped to find an aligned start always lies past the end; it is given back.
        EXPECT_TRUE(Mapped(slab + bytes - 1));
        EXPECT_FALSE(Mapped(slab + bytes)) << "slack after the slab left mapped";
        UnmapMemory(slab, bytes);
        EXPECT_FALSE(Mapped(slab));
    }
}

TEST(MemoryMap, AnAlignmentThatIsNoPowerOfTwoGetsNothing) {
    EXPECT_EQ(MapAlignedMemory(1 << 16, 3 << 12), nullptr);
    EXPECT_EQ(MapAlignedMemory(1 << 16, 0), nullptr);
    EXPECT_EQ(MapAlignedMemory(0, 1 << 16), nullptr);
    UnmapMemory(nullptr, 0); // nothing to give back is no fault
}

// Big buffers mapped on their own: every byte of a block of any size around and above the
// threshold is usable and nothing next to it is touched, growing containers keep their
// contents across blocks, and sizes the system cannot map fail as allocation failures.
#include "rtl/LargeBlock.h"
#include "rtl/Classes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

TEST(LargeBlock, EveryByteOfBlocksAroundTheThresholdAndHugePagesIsUsable) {
    const std::size_t mb = std::size_t(1) << 20;
    const std::size_t sizes[] = {1,
                                 4095,
                                 kLargeBlockThreshold - 1,
                                 kLargeBlockThreshold,
                                 kLargeBlockThreshold + 1,
                                 2 * mb - 1,
                                 2 * mb,
                                 2 * mb + 1,
                                 3 * mb + 12345,
                                 5 * mb};
    std::vector<std::pair<unsigned char*, std::size_t>> blocks;
    for (std::size_t size : sizes) {
        auto* block = static_cast<unsigned char*>(AllocateLargeBlock(size));
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u);
        std::memset(block, static_cast<int>(size & 0xFF), size);
        blocks.emplace_back(block, size);
    }
    // Written all at once and checked after: a block that overlapped another shows here.
    for (auto [block, size] : blocks) {
        const auto fill = static_cast<unsigned char>(size & 0xFF);
        EXPECT_EQ(block[0], fill);
        EXPECT_EQ(block[size / 2], fill);
        EXPECT_EQ(block[size - 1], fill);
    }
    for (auto [block, size] : blocks) FreeLargeBlock(block, size);
    FreeLargeBlock(nullptr, 5 * mb); // nothing
}

TEST(LargeBlock, AbsurdSizesFailAsAllocationFailures) {
    EXPECT_THROW(AllocateLargeBlock(std::size_t(-1)), std::bad_alloc);
    EXPECT_THROW(AllocateLargeBlock(std::size_t(1) << 62), std::bad_alloc);
    TLargeBlockAllocator<std::uint32_t> allocator;
    EXPECT_THROW(allocator.allocate(std::size_t(-1) / 2), std::bad_array_new_length);
}

TEST(LargeBlock, ContainersGrowAcrossTheThresholdKeepingTheirContents) {
    std::vector<std::uint32_t, TLargeBlockAllocator<std::uint32_t>> values;
    for (std::uint32_t i = 0; i < 3u << 20; ++i) values.push_back(i * 2654435761u);
    for (std::uint32_t i = 0; i < values.size(); i += 4099) ASSERT_EQ(values[i], i * 2654435761u);
    auto copy = values;
    values.clear();
    values.shrink_to_fit();
    EXPECT_EQ(copy.back(), ((3u << 20) - 1) * 2654435761u);

    // The memory stream keeps its bytes in such blocks too.
    TMemoryStream stream;
    std::vector<unsigned char> chunk(70000);
    for (int round = 0; round < 40; ++round) {
        std::memset(chunk.data(), round, chunk.size());
        stream.WriteBuffer(chunk.data(), static_cast<int64_t>(chunk.size()));
    }
    ASSERT_EQ(stream.Size(), 40 * 70000);
    const auto* bytes = static_cast<const unsigned char*>(stream.Memory());
    for (int round = 0; round < 40; ++round) {
        EXPECT_EQ(bytes[round * 70000], round);
        EXPECT_EQ(bytes[round * 70000 + 69999], round);
    }
}

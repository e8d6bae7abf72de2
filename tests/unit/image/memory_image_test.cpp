#include "image/memory_image.h"

#include <gtest/gtest.h>

#include <array>

namespace r605 {
namespace {

TEST(MemoryImage, IsSparseReadsZeroAndSpansPages) {
    MemoryImage image;
    EXPECT_EQ(image.read(0x7FFFFFF), 0);
    const std::array<std::uint8_t, 4> bytes{1, 2, 3, 4};
    image.write(0x2680FFE, bytes); // crosses a page boundary
    std::array<std::uint8_t, 6> out{};
    image.read(0x2680FFD, out);
    EXPECT_EQ(out, (std::array<std::uint8_t, 6>{0, 1, 2, 3, 4, 0}));
    EXPECT_LT(image.allocatedBytes(), 1u << 20);
    // Addresses outside the image read 0 and are never written.
    image.write(0x7FFFFFE, bytes);
    EXPECT_EQ(image.read(0x7FFFFFE), 1);
    EXPECT_EQ(image.read(0x7FFFFFF), 2);
    EXPECT_EQ(image.read(0x8000000), 0);
    EXPECT_FALSE(MemoryImage::contains(0x7FFFFF0, 17));
    EXPECT_TRUE(MemoryImage::contains(0x7FFFFF0, 16));

    MemoryImage copy = image;
    EXPECT_TRUE(copy == image);
    image.clear();
    EXPECT_EQ(image.read(0x2680FFE), 0);
    EXPECT_FALSE(copy == image);
    EXPECT_EQ(copy.read(0x2680FFE), 1);
}

TEST(BlockMap, MarksRangesAndFindsMarkedBlocksInOrder) {
    BlockMap map;
    map.markRange(0x24C1500, 32, 1);   // two blocks
    map.markRange(0x800000, 64, 1);    // four blocks
    map.markRange(0x2640000, 1250, 3); // 79 blocks: 1250 bytes end inside block 78
    map.markRange(0x12345, 0, 1);      // nothing
    EXPECT_EQ(map.count(1), 6u);
    EXPECT_EQ(map.count(3), 79u);
    EXPECT_EQ(map.nextWithValue(0, 1), 0x800000 / 16);
    EXPECT_EQ(map.nextWithValue(0x800000 / 16 + 4, 1), 0x24C1500 / 16);
    EXPECT_EQ(map.nextWithValue(0x24C1500 / 16 + 2, 1), -1);
    EXPECT_EQ(map.nextWithValue(0, 3), 0x2640000 / 16);
    map.markRange(0x7FFFFF0, 64, 2); // runs off the end of the image: only the last block
    EXPECT_EQ(map.count(2), 1u);
    map.clear();
    EXPECT_EQ(map.nextWithValue(0, 1), -1);
}

} // namespace
} // namespace r605

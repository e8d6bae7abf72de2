#include "image/hex_lines.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

TEST(HexLines, WritesMarkedBlocksAscendingAndReadsThemBack) {
    MemoryImage image;
    BlockMap blocks;
    image.write(0x24C1500, 0x01);
    image.write(0x800000, 0x43);
    image.write(0x800001, 0x85);
    image.write(0x900000, 0x77); // not marked: not listed
    blocks.markRange(0x24C1500, 32, 1);
    blocks.markRange(0x800000, 16, 1);
    const std::string text = WriteHexLines(image, blocks);
    EXPECT_EQ(text, "00800000: 43850000000000000000000000000000\n"
                    "024C1500: 01000000000000000000000000000000\n"
                    "024C1510: 00000000000000000000000000000000\n");
    const auto read = ReadHexLines(text);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->read(0x800001), 0x85);
    EXPECT_EQ(read->read(0x24C1500), 0x01);
    EXPECT_EQ(read->read(0x900000), 0x00);

    const auto tolerant = ReadHexLines("\r\n  024c1500: 0a0B0c0d0e0f10111213141516171819 \r\n\n");
    ASSERT_TRUE(tolerant.ok());
    EXPECT_EQ(tolerant->read(0x24C1501), 0x0B);
}

TEST(HexLines, RejectsMalformedLinesWithTheirNumber) {
    const auto expectError = [](std::string_view text, std::string_view message) {
        const auto read = ReadHexLines(text);
        ASSERT_FALSE(read.ok()) << text;
        EXPECT_EQ(read.error().text, message) << text;
    };
    const std::string good = "00800000: 43850000000000000000000000000000\n";
    expectError(good + "00800010 43850000000000000000000000000000\n",
                "line 2: expected \"AAAAAAAA: \" and 32 hexadecimal digits");
    expectError(good + "\n0080001G: 43850000000000000000000000000000",
                "line 3: the address is not hexadecimal");
    expectError("00800008: 43850000000000000000000000000000",
                "line 1: the address is not a block address of the image");
    expectError("08000000: 43850000000000000000000000000000",
                "line 1: the address is not a block address of the image");
    expectError(good + good, "line 2: the block is given twice");
    expectError("00800000: 4385000000000000000000000000000Z",
                "line 1: the data is not hexadecimal");
    expectError("00800000: 438500", "line 1: expected \"AAAAAAAA: \" and 32 hexadecimal digits");
}

} // namespace
} // namespace r605

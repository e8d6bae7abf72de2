#include "image/field_codecs.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace r605 {
namespace {

using test::hex;

template <std::size_t N> std::vector<std::uint8_t> vec(const std::array<std::uint8_t, N>& bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(FieldCodecs, ReferencesAreZeroBasedBytesWithFFForNone) {
    // {value, max}: 1-based references below max become 0-based bytes, the rest 0xFF.
    EXPECT_EQ(test::mapped<int>([](auto c) { return IndexToByte(c.first, c.second); },
                                {std::pair{1, 255}, {250, 255}, {0, 255}, {-3, 255}, {17, 16}}),
              (std::vector<int>{0, 249, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(test::mapped([](auto c) { return ByteToIndex(std::uint8_t(c.first), c.second); },
                           {std::pair{0, 15}, {15, 15}, {16, 15}, {249, 249}, {0xFF, 249}}),
              (std::vector<int>{1, 16, 0, 250, 0}));
}

TEST(FieldCodecs, TextsArePaddedWithZeroAndCutBetweenCharacters) {
    std::array<std::uint8_t, 8> field{};
    PutText(field, "A");
    EXPECT_EQ(hex(vec(field)), "41 00 00 00 00 00 00 00");
    PutText(field, "ABCDEFGH"); // fills the field: no terminator
    EXPECT_EQ(hex(vec(field)), "41 42 43 44 45 46 47 48");
    PutText(field, "Repeater 12"); // 11 characters: the first 8 bytes
    EXPECT_EQ(GetText(field, 8), "Repeater");
    PutText(field, "AB  ");
    EXPECT_EQ(hex(vec(field)), "41 42 00 00 00 00 00 00");
    PutText(field, std::string("AB\0CD", 5));
    EXPECT_EQ(GetText(field, 8), "AB");
    // Code page 936: two bytes per Chinese character, never half a character in the field.
    PutText(field, "中文");
    EXPECT_EQ(hex(vec(field)), "D6 D0 CE C4 00 00 00 00");
    EXPECT_EQ(GetText(field, 8), "中文");
    PutText(field, "A中文频道");
    EXPECT_EQ(hex(vec(field)), "41 D6 D0 CE C4 C6 B5 00");
    EXPECT_EQ(GetText(field, 8), "A中文频");
    // Reading stops at 0x00 or 0xFF and keeps at most the record field's length.
    const std::array<std::uint8_t, 6> erased{0x41, 0x42, 0xFF, 0x43, 0x44, 0x00};
    EXPECT_EQ(GetText(erased, 6), "AB");
    const std::array<std::uint8_t, 6> blanks{0x20, 0x41, 0x20, 0x20, 0x00, 0x43};
    EXPECT_EQ(GetText(blanks, 6), " A"); // trailing blanks are padding
    const std::array<std::uint8_t, 5> longer{0x41, 0xD6, 0xD0, 0x42, 0x43};
    EXPECT_EQ(GetText(longer, 2), "A"); // the Chinese character would not fit whole
    EXPECT_EQ(GetText(longer, 4), "A中B");
}

TEST(FieldCodecs, FrequenciesAndIdsAreEightBcdDigits) {
    std::array<std::uint8_t, 4> field{};
    ASSERT_TRUE(PutFreq(field, 438.5));
    EXPECT_EQ(hex(vec(field)), "43 85 00 00");
    EXPECT_EQ(GetFreq(field), 438.5);
    ASSERT_TRUE(PutFreq(field, 5.0));
    EXPECT_EQ(hex(vec(field)), "00 50 00 00");
    ASSERT_TRUE(PutFreq(field, 146.52345));
    EXPECT_EQ(hex(vec(field)), "14 65 23 45");
    EXPECT_EQ(GetFreq(field), 146.52345);
    EXPECT_FALSE(PutFreq(field, 1000.0)); // nine digits do not fit
    EXPECT_FALSE(PutFreq(field, -1.0));

    ASSERT_TRUE(PutBcd8(field, 1234567));
    EXPECT_EQ(hex(vec(field)), "01 23 45 67");
    EXPECT_EQ(GetBcd8(field), 1234567);
    EXPECT_FALSE(PutBcd8(field, 100000000));
    const std::array<std::uint8_t, 4> erased{0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_FALSE(GetFreq(erased).has_value());
    const std::array<std::uint8_t, 4> badNibble{0x43, 0x8A, 0x00, 0x00};
    EXPECT_FALSE(GetBcd8(badNibble).has_value());
}

TEST(FieldCodecs, HexKeysPackTwoDigitsPerByteAndAnOddLastDigitAlone) {
    std::array<std::uint8_t, 5> field{};
    ASSERT_TRUE(PutHexCode(field, "0123456789"));
    EXPECT_EQ(hex(vec(field)), "01 23 45 67 89");
    EXPECT_EQ(GetHexCode(field, 10), "0123456789");
    field.fill(0);
    ASSERT_TRUE(PutHexCode(field, " 12345678a "));
    EXPECT_EQ(hex(vec(field)), "12 34 56 78 0A");
    EXPECT_EQ(GetHexCode(field, 9), "12345678A");
    EXPECT_EQ(GetHexCode(field, 10), "123456780A"); // read back as ten digits it is not the key
    EXPECT_FALSE(PutHexCode(field, "12G4"));
    EXPECT_FALSE(PutHexCode(field, "0123456789A")); // six bytes
    field.fill(0x55);
    ASSERT_TRUE(PutHexCode(field, "")); // an empty key writes nothing
    EXPECT_EQ(hex(vec(field)), "55 55 55 55 55");
}

TEST(FieldCodecs, DigitStringsAreOneDigitPerByteEndedByFF) {
    std::array<std::uint8_t, 16> field{};
    ASSERT_TRUE(PutDigits(field, "12A", 3));
    EXPECT_EQ(hex(vec(field)), "01 02 0A FF FF FF FF FF FF FF FF FF FF FF FF FF");
    DigitString read = GetDigits(field);
    EXPECT_EQ(read.digits, "12A");
    EXPECT_EQ(read.count, 3);
    ASSERT_TRUE(PutDigits(field, "0123456789ABCDEF", 16));
    EXPECT_EQ(hex(vec(field)), "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
    EXPECT_EQ(GetDigits(field).count, 16);
    ASSERT_TRUE(PutDigits(field, "", 0));
    EXPECT_EQ(GetDigits(field).count, 0);
    EXPECT_FALSE(PutDigits(field, "1*", 2));
    field.fill(0x10);
    EXPECT_EQ(GetDigits(field).count, 0);
}

TEST(FieldCodecs, BitmapsAndByteOrders) {
    MemoryImage image;
    OrBitmapBit(image, 0x24C1500, 200, true);
    OrBitmapBit(image, 0x24C1500, 201, false);
    EXPECT_EQ(image.read(0x24C1519), 0x01);
    EXPECT_TRUE(BitmapBit(image, 0x24C1500, 200));
    EXPECT_FALSE(BitmapBit(image, 0x24C1500, 201));
    image.write(0x2640000, 0xFF);
    ClearBitmapBit(image, 0x2640000, 2);
    EXPECT_EQ(image.read(0x2640000), 0xFB);

    std::array<std::uint8_t, 2> two{};
    PutBe16(two, 0x1234);
    EXPECT_EQ(hex(vec(two)), "12 34");
    EXPECT_EQ(GetBe16(two), 0x1234);
    PutLe16(two, -1);
    EXPECT_EQ(hex(vec(two)), "FF FF");
    std::array<std::uint8_t, 4> four{};
    PutLe32(four, 0x01020304);
    EXPECT_EQ(hex(vec(four)), "04 03 02 01");
    EXPECT_EQ(GetLe32(four), 0x01020304u);
}

} // namespace
} // namespace r605

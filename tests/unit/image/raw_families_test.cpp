#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/field_codecs.h"
#include "image_test_util.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using test::emptyCodeplug;
using test::imageHex;

template <std::size_t N> void pattern(std::array<std::uint8_t, N>& bytes, std::uint8_t start) {
    for (std::size_t i = 0; i < N; ++i)
        bytes[i] = static_cast<std::uint8_t>(start + i);
}

TEST(RawFamilies, AreasGoBackByteForByteAndOnlyReadCodesAreMarked) {
    Codeplug codeplug = emptyCodeplug();
    pattern(codeplug.Option.Area2500000, 1);
    pattern(codeplug.Option.Area2501080, 2);
    pattern(codeplug.FiveTone.Codes, 3);
    codeplug.FiveTone.Bitmap.fill(0);
    codeplug.FiveTone.Bitmap[0] = 0x05;  // codes 0 and 2
    codeplug.FiveTone.Bitmap[12] = 0x08; // code 99
    pattern(codeplug.FiveTone.Area24C1000, 4);
    pattern(codeplug.TwoTone.Codes, 5);
    codeplug.TwoTone.Area24C1280.fill(0);
    codeplug.TwoTone.Area24C1280[2] = 0x80; // code 23
    codeplug.TwoTone.DecodeBitmap.fill(0);
    codeplug.TwoTone.DecodeBitmap[1] = 0x80; // decode entry 15
    pattern(codeplug.Alarm.Area24C1D00, 6);
    pattern(codeplug.OneKey.Area25C0B00, 7);
    codeplug.Settings.ProgramPassword = "1234";

    CommImage image;
    const std::array<std::uint8_t, 16> info{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7,
                                            0xFF, 0xFF, 0xFF, 0xFF, 0xAC, 0xAD, 0xAE, 0xAF};
    image.CommData.write(address::kRadioInfoBlock, info); // as read from the radio in pass 3
    SetCommDataByOption(codeplug, image);
    SetCommDataBy5Tone(codeplug, image);
    SetCommDataBy2Tone(codeplug, image);
    SetCommDataByAlarm(codeplug, image);
    SetCommDataByOneKey(codeplug, image);
    EXPECT_TRUE(image.EncodeOK);

    EXPECT_EQ(imageHex(image.CommData, 0x2500000, 3), "01 02 03");
    EXPECT_EQ(imageHex(image.CommData, address::kRadioInfoBlock, 16),
              "A0 A1 A2 A3 A4 A5 A6 A7 31 32 33 34 AC AD AE AF");
    const BlockMap& marks = image.WriteBlockMap;
    EXPECT_EQ(marks.get(address::kRadioInfoBlock / 16), 1);
    EXPECT_EQ(marks.get(0x25000F0 / 16), 1);
    EXPECT_EQ(marks.get(0x2501070 / 16), 0); // between the option areas
    // 5-tone: codes 0, 2 and 99 only, their bitmap, 0x24C0D00 and 0x24C1000 areas.
    EXPECT_EQ(marks.get(0x24C0000 / 16), 1);
    EXPECT_EQ(marks.get(0x24C0020 / 16), 0);
    EXPECT_EQ(marks.get(0x24C0040 / 16), 1);
    EXPECT_EQ(marks.get(0x24C0C60 / 16), 1);
    EXPECT_EQ(marks.get(0x24C0C80 / 16), 1);
    EXPECT_EQ(marks.get(0x24C0C90 / 16), 0);
    EXPECT_EQ(marks.get(0x24C0EF0 / 16), 1);
    EXPECT_EQ(marks.get(0x24C1070 / 16), 1);
    // 2-tone: code 23 only, 0x24C1280 to 0x24C1297, decode entry 15, its bitmap.
    EXPECT_EQ(marks.get(0x24C1100 / 16), 0);
    EXPECT_EQ(marks.get(0x24C1270 / 16), 1);
    EXPECT_EQ(marks.get(0x24C1290 / 16), 1);
    EXPECT_EQ(marks.get(0x24C25E0 / 16), 1);
    EXPECT_EQ(marks.get(0x24C25C0 / 16), 0);
    EXPECT_EQ(marks.get(0x24C2600 / 16), 1);
    // Alarm and one-key calls: their ranges.
    EXPECT_EQ(marks.get(0x24C1D90 / 16), 1);
    EXPECT_EQ(marks.get(0x24C1460 / 16), 1);
    EXPECT_EQ(marks.get(0x25C0610 / 16), 1);
    EXPECT_EQ(marks.get(0x25C0B00 / 16), 1);

    Codeplug decoded = emptyCodeplug();
    GetOptionFromCommData(image, decoded);
    Get5ToneFromCommData(image, decoded);
    Get2ToneFromCommData(image, decoded);
    GetAlarmFromCommData(image, decoded);
    GetOneKeyFromCommData(image, decoded);
    EXPECT_EQ(decoded.Option, codeplug.Option);
    EXPECT_EQ(decoded.FiveTone, codeplug.FiveTone);
    EXPECT_EQ(decoded.TwoTone, codeplug.TwoTone);
    EXPECT_EQ(decoded.Alarm, codeplug.Alarm);
    EXPECT_EQ(decoded.OneKey, codeplug.OneKey);
    EXPECT_EQ(decoded.Settings.ProgramPassword, "1234");
}

TEST(RawFamilies, AShortPasswordIsPaddedWithZero) {
    Codeplug codeplug = emptyCodeplug();
    codeplug.Settings.ProgramPassword = "12";
    CommImage image;
    image.CommData.fill(address::kRadioInfoBlock, 16, 0xEE);
    SetCommDataByOption(codeplug, image);
    EXPECT_EQ(imageHex(image.CommData, address::kRadioInfoBlock + 7, 6), "EE 31 32 00 00 EE");
}

} // namespace
} // namespace r605

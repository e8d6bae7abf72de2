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
    codeplug.Settings.ProgramPassword = "123"; // padded with zero

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
              "A0 A1 A2 A3 A4 A5 A6 A7 31 32 33 00 AC AD AE AF");
    // The option areas but not the bytes between them; 5-tone codes 0, 2 and 99 only, their
    // bitmap, the 0x24C0D00 and 0x24C1000 areas; 2-tone code 23 only, 0x24C1280 to 0x24C1297,
    // decode entry 15 and its bitmap; the alarm and one-key ranges.
    const auto marked = [&image](std::uint32_t address) {
        return image.WriteBlockMap.get(address / 16) == 1;
    };
    EXPECT_EQ(test::mapped(marked, {address::kRadioInfoBlock, 0x25000F0u, 0x24C0000u, 0x24C0040u,
                                    0x24C0C60u, 0x24C0C80u, 0x24C0EF0u, 0x24C1070u, 0x24C1270u,
                                    0x24C1290u, 0x24C25E0u, 0x24C2600u, 0x24C1D90u, 0x24C1460u,
                                    0x25C0610u, 0x25C0B00u}),
              std::vector<bool>(16, true));
    EXPECT_EQ(test::mapped(marked, {0x2501070u, 0x24C0020u, 0x24C0C90u, 0x24C1100u, 0x24C25C0u}),
              std::vector<bool>(5, false));

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
    EXPECT_EQ(decoded.Settings.ProgramPassword, "123");
}

} // namespace
} // namespace r605

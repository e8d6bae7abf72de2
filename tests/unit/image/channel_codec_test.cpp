#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/field_codecs.h"
#include "image_test_util.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using test::emptyCodeplug;
using test::imageHex;

ChannelRec sampleChannel() {
    ChannelRec c;
    c.RxFreq = 438.5;
    c.Offset = 5;
    c.Used = c.ChType = c.RxToneType = c.Flag9_5 = c.Flag9_7 = c.Flag33_0 = c.Flag33_5 = 1;
    c.Flag33_7 = c.Flag56_0 = c.Flag56_5 = 1;
    c.OffsetDir = c.Power = c.TxToneType = c.Field33_2 = 2;
    c.Bandwidth = c.Nibble25Lo = c.OptSignal = 3;
    c.Nibble26Lo = c.DtmfId = 15;
    c.TxCtcss = 12;
    c.RxCtcss = 51;
    c.TxDcs = 531; // D023I
    c.RxDcs = 19;
    c.CustomCtcss = 2511;
    c.TwoToneDecode = 16;
    c.Contact = 0x1234;
    c.RadioId = 249;
    c.Nibble25Hi = 12;
    c.RxGroup = 0;
    c.TwoToneId = 23;
    c.FiveToneId = 99;
    c.Byte32 = 0xAB;
    c.Byte34 = 0x34;
    c.ScanLists = {2, 5, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    c.Name = "Repeater 12";
    c.Byte52 = 0x52;
    c.Byte55 = 0x55;
    c.Byte57 = 0x157; // only the low byte is stored
    c.Byte58 = 0x58;
    c.Byte59 = 0x59;
    return c;
}

TEST(ChannelCodec, PacksEveryFieldAtItsByteAndBit) {
    MemoryImage image;
    image.fill(0x800000, 64, 0xEE); // bytes the layout does not name keep their value
    ASSERT_TRUE(SetChannelToCommData(sampleChannel(), image, 0x800000));
    // 438.5 MHz receive and a 5 MHz offset.
    EXPECT_EQ(imageHex(image, 0x800000, 8), "43 85 00 00 00 50 00 00");
    // Byte 8: ChType 1 + 4 x Power 2 + 16 x Bandwidth 3 + 64 x OffsetDir 2 = 0xB9.
    // Byte 9: RxToneType 1 + 4 x TxToneType 2 + 32 (Flag9_5) + 128 (Flag9_7) = 0xA9.
    EXPECT_EQ(imageHex(image, 0x800008, 10), "B9 A9 0C 33 13 02 13 00 CF 09");
    // Byte 18: decode entry 16 as 0x0F; 19 untouched; 20-23 contact; 24 radio ID.
    EXPECT_EQ(imageHex(image, 0x800012, 7), "0F EE 34 12 00 00 F9");
    // 25: 3 + 16 x 12; 26: 15 + 16 x 3; 27 untouched; 28 RxGroup none; 29-32.
    EXPECT_EQ(imageHex(image, 0x800019, 8), "C3 3F EE FF 17 63 0F AB");
    // 33: bit 0, Field33_2 = 2 at bits 2-3, bit 5, bit 7 = 0xA9; 34; scan lists.
    EXPECT_EQ(imageHex(image, 0x800021, 10), "A9 34 02 05 FF FF FF FF FF FF");
    // Name: the first 8 bytes of "Repeater 12", then byte 51 = 0.
    EXPECT_EQ(imageHex(image, 0x80002B, 9), "52 65 70 65 61 74 65 72 00");
    EXPECT_EQ(imageHex(image, 0x800034, 12), "52 00 00 55 21 57 58 59 EE EE EE EE");

    ChannelRec decoded;
    decoded.Used = 1;
    ASSERT_TRUE(GetChannelRecFromCommData(decoded, image, 0x800000));
    ChannelRec expected = sampleChannel();
    expected.Name = "Repeater";
    expected.Byte57 = 0x57;
    expected.ContactRaw = expected.Contact;
    EXPECT_EQ(decoded, expected);
}

TEST(ChannelCodec, DecodesNoneAndKeepsReferencesBeyondTheirTables) {
    MemoryImage image;
    ChannelRec channel = sampleChannel();
    channel.RxGroup = 250;
    ASSERT_TRUE(SetChannelToCommData(channel, image, 0x800000));
    EXPECT_EQ(image.read(0x80001C), 249);

    image.write(0x800012, 0xFF); // no decode table entry
    image.write(0x80001C, 0xFF); // no receive group list
    const std::array<std::uint8_t, 4> none{0xFF, 0xFF, 0xFF, 0xFF};
    image.write(0x800014, none); // no contact
    image.write(0x800018, 0xFF); // radio ID gone
    ChannelRec decoded;
    // TwoToneDecode, RxGroup, Contact, ContactRaw, RadioId, the first two scan lists.
    const auto references = [&decoded] {
        return std::vector<int>{decoded.TwoToneDecode, decoded.RxGroup, decoded.Contact,
                                decoded.ContactRaw,    decoded.RadioId, decoded.ScanLists[0],
                                decoded.ScanLists[1]};
    };
    ASSERT_TRUE(GetChannelRecFromCommData(decoded, image, 0x800000));
    EXPECT_EQ(references(), (std::vector<int>{0, 0, 0, -1, -1, 2, 5}));
    // Bytes beyond their tables (damaged data, or a radio that knows more) are kept as they
    // came, so that a write gives them back; they name none wherever they are used.
    image.write(0x800012, 0x10);
    image.write(0x80001C, 0xFC);
    const std::array<std::uint8_t, 4> beyond{0x10, 0x27, 0x00, 0x00}; // contact entry 10000
    image.write(0x800014, beyond);
    image.write(0x800018, 0xFA);
    const std::array<std::uint8_t, 2> lists{0x10, 0xFE};
    image.write(0x800023, lists);
    ASSERT_TRUE(GetChannelRecFromCommData(decoded, image, 0x800000));
    EXPECT_EQ(references(), (std::vector<int>{17, 253, 10000, 10000, 250, 0x10, 0xFE}));
    MemoryImage written;
    ASSERT_TRUE(SetChannelToCommData(decoded, written, 0x800000));
    EXPECT_EQ(imageHex(written, 0x800000, 60), imageHex(image, 0x800000, 60));
    // An erased slot has no frequency: the record must not be used.
    image.fill(0x800000, 4, 0xFF);
    EXPECT_FALSE(GetChannelRecFromCommData(decoded, image, 0x800000));
}

TEST(ChannelCodec, TableUsesBanksBitmapAndMarks) {
    EXPECT_EQ(address::ChannelSlot(128), 0x840000u);
    EXPECT_EQ(address::ChannelSlot(200), 0x841200u);

    Codeplug codeplug = emptyCodeplug();
    codeplug.Channel[0] = sampleChannel();
    CommImage image;
    SetCommDataByChannel(codeplug, image);
    // Only channel 1: the 32-byte bitmap (2 blocks) and its 64-byte slot (4 blocks).
    EXPECT_EQ(image.WriteBlockMap.count(1), 6u);
    EXPECT_EQ(image.WriteBlockMap.nextWithValue(0, 1), 0x800000 / 16);
    EXPECT_EQ(image.WriteBlockMap.nextWithValue(0x800040 / 16, 1), 0x24C1500 / 16);
    EXPECT_EQ(image.CommData.read(0x24C1500), 0x01);

    codeplug.Channel[200] = sampleChannel();
    codeplug.Channel[128] = sampleChannel();
    codeplug.Channel[5].Name = "not in use"; // unused: only its bitmap bit (0) is written
    CommImage second;
    SetCommDataByChannel(codeplug, second);
    EXPECT_EQ(second.CommData.read(0x24C1519), 0x01); // bit 0 of byte 0x24C1519 is entry 200
    EXPECT_EQ(second.CommData.read(0x24C1510), 0x01); // entry 128
    EXPECT_EQ(imageHex(second.CommData, 0x841200, 4), "43 85 00 00");
    EXPECT_EQ(imageHex(second.CommData, 0x840000, 4), "43 85 00 00");
    EXPECT_EQ(imageHex(second.CommData, 0x802000, 4), "00 00 00 00");
    EXPECT_EQ(imageHex(second.CommData, address::ChannelSlot(5), 64),
              imageHex(MemoryImage(), 0, 64));
    EXPECT_TRUE(second.EncodeOK);
}

TEST(ChannelCodec, DecodeResetsTheTableAndNamesNamelessChannels) {
    Codeplug codeplug = emptyCodeplug();
    codeplug.Channel[0] = sampleChannel();
    codeplug.Channel[1] = sampleChannel();
    codeplug.Channel[1].Name = "";
    codeplug.Channel[2] = sampleChannel();
    codeplug.Channel[2].Name = " ";
    codeplug.Channel[3] = sampleChannel();
    CommImage image;
    SetCommDataByChannel(codeplug, image);
    image.CommData.fill(address::ChannelSlot(3), 4, 0xFF); // erased frequency

    Codeplug decoded = emptyCodeplug();
    decoded.Channel[7].Used = 1; // stale: not in the bitmap any more
    decoded.Channel[7].ContactRaw = 77;
    GetChannelFromCommData(image, decoded);
    // Channel 3 is numbered past the name just given to channel 2.
    EXPECT_EQ(test::mapped([&](int n) { return decoded.Channel[n].Name; }, {0, 1, 2}),
              (std::vector<std::string>{"Repeater", "Channel 1", "Channel 2"}));
    EXPECT_EQ(test::mapped<int>([&](int n) { return decoded.Channel[n].Used; }, {1, 3, 7}),
              (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(decoded.Channel[7].ContactRaw, -1);
    EXPECT_EQ(decoded.Channel[7].Unencoded4, -1);
}

} // namespace
} // namespace r605

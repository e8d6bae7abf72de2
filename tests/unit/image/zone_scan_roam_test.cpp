#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/field_codecs.h"
#include "image_test_util.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using test::emptyCodeplug;
using test::imageHex;

TEST(ZoneCodec, NamesAndMembersLieInTwoAreas) {
    Codeplug codeplug = emptyCodeplug();
    ZoneRec& zone = codeplug.Zone[1];
    zone.Used = 1;
    zone.Name = "Downtown";
    zone.Count = 3;
    test::setFront(zone.Members, {2, 255, 7});
    codeplug.Zone[4].Used = 1; // used but without members
    codeplug.Zone[4].Name = "Empty";
    CommImage image;
    SetZoneToCommData(codeplug, image);

    EXPECT_EQ(GetText(image.CommData, 0x2540020, 17, 16), "Downtown");
    EXPECT_EQ(imageHex(image.CommData, 0x1000200, 8), "02 00 FF 00 07 00 FF FF");
    EXPECT_EQ(imageHex(image.CommData, 0x1000800, 32), test::hex(test::Bytes(32, 0xFF))); // none
    EXPECT_EQ(imageHex(image.CommData, address::kZoneBitmap, 2), "12 00");
    EXPECT_EQ(image.WriteBlockMap.get(0x2540030 / 16), 1); // 32 name bytes
    EXPECT_EQ(image.WriteBlockMap.get(0x1000210 / 16), 1); // 32 member bytes

    Codeplug decoded = emptyCodeplug();
    GetZoneFromCommData(image, decoded);
    EXPECT_EQ(decoded.Zone[1], zone);
    EXPECT_EQ(decoded.Zone[4].Used, 0); // no members: not in use
    // A used zone whose name was lost gets the default zone name.
    image.CommData.fill(0x2540020, 16, 0);
    GetZoneFromCommData(image, decoded);
    EXPECT_EQ(decoded.Zone[1].Name, "Zone 1");
}

TEST(ScanListCodec, ScanList3LiesAt0x1080600WithPrioritiesStoredMinusOne) {
    EXPECT_EQ(address::ScanListSlot(3), 0x1080600u);
    Codeplug codeplug = emptyCodeplug();
    ScanListRec& list = codeplug.ScanList[3];
    list.Used = 1;
    list.Name = "Marine";
    list.Byte38 = 0x38;
    list.Byte39 = 0x39;
    list.Priority1 = 0; // none: FF FF
    list.Priority2 = 1; // channel entry 0: 00 00
    list.Byte44 = 0x44;
    list.Byte45 = 0x45;
    list.Byte46 = 0x46;
    list.Byte47 = 0x47;
    list.Byte48 = 0x48;
    list.Count = 2;
    test::setFront(list.Members, {10, 300 - 256}); // 44
    test::setFront(list.MemberZones, {3, -1});
    CommImage image;
    SetCommDataByScan(codeplug, image);

    EXPECT_EQ(imageHex(image.CommData, 0x1080600, 15),
              "38 39 FF FF 00 00 45 00 46 00 47 00 48 00 44");
    EXPECT_EQ(GetText(image.CommData, 0x108060F, 17, 16), "Marine");
    EXPECT_EQ(imageHex(image.CommData, 0x1080620, 6), "0A 00 2C 00 FF FF"); // members
    EXPECT_EQ(imageHex(image.CommData, 0x1080684, 3), "03 FF FF");          // member zones
    EXPECT_EQ(imageHex(image.CommData, address::kScanListBitmap, 2), "08 00");
    EXPECT_EQ(image.WriteBlockMap.get(0x1080650 / 16), 1); // 0x60 bytes from the start
    EXPECT_EQ(image.WriteBlockMap.get(0x1080660 / 16), 0);
    EXPECT_EQ(image.WriteBlockMap.get(0x10806A0 / 16), 1); // 0x20 bytes from byte 132
    EXPECT_EQ(image.WriteBlockMap.get(0x10806B0 / 16), 0);

    Codeplug decoded = emptyCodeplug();
    GetScanFromCommData(image, decoded);
    EXPECT_EQ(decoded.ScanList[3], list);
    // Nameless lists get the default name; a zone byte beyond the 16 zones and a priority
    // beyond the channels name none, but are kept for the radio.
    image.CommData.fill(0x108060F, 16, 0);
    image.CommData.write(0x1080684, 0x20);
    image.CommData.write(0x1080603, 0x01); // FF 01: 0x01FF
    GetScanFromCommData(image, decoded);
    EXPECT_EQ(decoded.ScanList[3].Name, "Scan List 1");
    EXPECT_EQ(decoded.ScanList[3].MemberZones[0], 0x20);
    EXPECT_EQ(decoded.ScanList[3].Priority1, 0x200);
}

TEST(MembershipCheck, RemovesMembersThatNameNoUsedChannel) {
    Codeplug codeplug = emptyCodeplug();
    codeplug.Channel[2].Used = 1;
    codeplug.Channel[9].Used = 1;
    ZoneRec& zone = codeplug.Zone[0];
    zone.Used = 1;
    zone.Count = 3;
    zone.Members = {2, 7, 9};
    ScanListRec& list = codeplug.ScanList[0];
    list.Used = 1;
    list.Count = 3;
    std::copy_n(std::array{7, 9, 2}.begin(), 3, list.Members.begin());
    std::copy_n(std::array{5, 0, 1}.begin(), 3, list.MemberZones.begin());
    CheckZoneAndScanMembers(codeplug);
    EXPECT_EQ(zone.Count, 2);
    EXPECT_EQ(test::first(zone.Members, 3), (std::vector<int>{2, 9, -1}));
    EXPECT_EQ(list.Count, 2);
    EXPECT_EQ(test::first(list.Members, 3), (std::vector<int>{9, 2, -1}));
    EXPECT_EQ(test::first(list.MemberZones, 2), (std::vector<int>{0, 1})); // they move along
}

TEST(RoamCodec, ChannelsAndZonesWithTheirBitmaps) {
    Codeplug codeplug = emptyCodeplug();
    RoamChannelRec& channel = codeplug.RoamChannel[9];
    channel = RoamChannelRec{1, 440.0, 439.9, 0x20, 0x21, "Hilltop"};
    RoamZoneRec& zone = codeplug.RoamZone[63];
    zone.Used = 1;
    zone.Name = "Valley";
    zone.Count = 2;
    test::setFront(zone.Members, {9, 249});
    CommImage image;
    SetRoamToCommData(codeplug, image);

    EXPECT_EQ(imageHex(image.CommData, 0x1040120, 10), "44 00 00 00 43 99 00 00 20 21");
    EXPECT_EQ(GetText(image.CommData, 0x104012A, 16, 16), "Hilltop");
    EXPECT_EQ(imageHex(image.CommData, 0x1042001, 1), "02");
    EXPECT_EQ(imageHex(image.CommData, 0x1043000 + 0x80 * 63, 4), "09 F9 FF FF");
    EXPECT_EQ(GetText(image.CommData, 0x1043000 + 0x80 * 63 + 64, 16, 16), "Valley");
    EXPECT_EQ(imageHex(image.CommData, 0x1042087, 1), "80");
    EXPECT_EQ(image.WriteBlockMap.get(0x1042000 / 16 + 1), 1); // 32 bitmap bytes
    EXPECT_EQ(image.WriteBlockMap.get(0x1042080 / 16), 1);

    Codeplug decoded = emptyCodeplug();
    GetRoamFromCommData(image, decoded);
    EXPECT_EQ(decoded.RoamChannel[9], channel);
    EXPECT_EQ(decoded.RoamZone[63], zone);
    // A first member byte of 0xFA or more: no members. An erased frequency: not in use.
    image.CommData.write(0x1043000 + 0x80 * 63, 0xFA);
    image.CommData.fill(0x1040120, 4, 0xFF);
    GetRoamFromCommData(image, decoded);
    EXPECT_EQ(decoded.RoamZone[63].Count, 0);
    EXPECT_EQ(decoded.RoamChannel[9].Used, 0);
}

} // namespace
} // namespace r605

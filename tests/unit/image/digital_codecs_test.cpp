#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/field_codecs.h"
#include "image_test_util.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using test::emptyCodeplug;
using test::imageHex;

ContactRec contact(int id, std::string name) {
    ContactRec c;
    c.Used = 1;
    c.CallType = 1;
    c.Id = id;
    c.Byte80 = 2;
    c.Name = std::move(name);
    c.City = "Shenzhen";
    c.Callsign = "BG7ABC";
    c.State = "Guangdong";
    c.Country = "China";
    c.Remarks = "net control";
    return c;
}

TEST(RadioIdCodec, StoresTheIdAsBcdWithItsNameAndBitmapBit) {
    Codeplug codeplug = emptyCodeplug();
    codeplug.Person[3] = PersonRec{4, 1, 1234567, 0x42, "Base station 1"};
    CommImage image;
    SetCommDataByPerson(codeplug, image);
    const std::uint32_t slot = address::PersonSlot(3);
    EXPECT_EQ(slot, 0x2580060u);
    EXPECT_EQ(imageHex(image.CommData, slot, 5), "01 23 45 67 42");
    EXPECT_EQ(GetText(image.CommData, slot + 5, 16, 16), "Base station 1");
    EXPECT_EQ(image.CommData.read(address::kPersonBitmap), 0x08);
    EXPECT_EQ(image.WriteBlockMap.count(1), 2u + 2u); // the slot and the 32-byte bitmap

    Codeplug decoded = emptyCodeplug();
    GetPersonFromCommData(image, decoded);
    EXPECT_EQ(decoded.Person[3], codeplug.Person[3]);
    EXPECT_EQ(decoded.Person[2].Used, 0);
    // An ID whose digits are not decimal is damaged: that ID is not taken as in use.
    image.CommData.write(slot, 0xFA);
    GetPersonFromCommData(image, decoded);
    EXPECT_EQ(decoded.Person[3].Used, 0);
}

TEST(ContactCodec, Contact1234LiesInTheSecondBankWithAnInvertedBitmapBit) {
    Codeplug codeplug = emptyCodeplug();
    for (int i = 0; i <= 1234; ++i)
        codeplug.Contact[static_cast<std::size_t>(i)] = contact(i + 1, 'C' + std::to_string(i));
    codeplug.Contact[1234] = contact(2345678, "Dispatch");
    codeplug.Contact[1234].Number = 1235;
    CommImage image;
    SetCommDataByContact(codeplug, image);

    EXPECT_EQ(address::ContactSlot(1234), 0x26C5B68u);
    EXPECT_EQ(imageHex(image.CommData, address::ContactIndexEntry(1234), 4), "D2 04 00 00");
    // Bit 2 of byte 0x264009A: 0 means in use; 1235 onwards are free.
    EXPECT_EQ(image.CommData.read(0x264009A), 0xF8);
    EXPECT_EQ(image.CommData.read(0x2640099), 0x00);
    EXPECT_EQ(image.CommData.read(0x26404E2), 0xFF); // all 1251 bitmap bytes were set first
    EXPECT_EQ(imageHex(image.CommData, address::ContactIndexEntry(1235), 4), "FF FF FF FF");
    const std::uint32_t slot = 0x26C5B68;
    EXPECT_EQ(image.CommData.read(slot), 1); // CallType
    EXPECT_EQ(GetText(image.CommData, slot + 1, 18, 16), "Dispatch");
    EXPECT_EQ(imageHex(image.CommData, slot + 35, 5), "02 34 56 78 02");
    EXPECT_EQ(GetText(image.CommData, slot + 40, 9, 8), "BG7ABC");
    EXPECT_EQ(GetText(image.CommData, slot + 83, 17, 16), "net control");
    EXPECT_EQ(image.WriteBlockMap.get(slot / 16), 1);

    Codeplug decoded = emptyCodeplug();
    GetContactFromCommData(image, decoded);
    EXPECT_EQ(decoded.Contact[1234], codeplug.Contact[1234]);
    EXPECT_EQ(decoded.Contact[1235].Used, 0);
}

TEST(ContactCodec, AnEmptyTableWritesFreeEntriesAndUntrustedIndexesAreNoContact) {
    Codeplug codeplug = emptyCodeplug();
    CommImage image;
    SetCommDataByContact(codeplug, image);
    for (std::size_t i = 0; i < kContactCount; i += 997)
        EXPECT_EQ(imageHex(image.CommData, address::ContactIndexEntry(i), 4), "FF FF FF FF");
    EXPECT_EQ(image.CommData.read(0x2640000), 0xFF);
    EXPECT_EQ(image.CommData.read(0x26404E2), 0xFF);
    // Index and bitmap are marked even for free entries: 40000 index bytes and the bitmap.
    EXPECT_EQ(image.WriteBlockMap.count(1), 2500u + 79u);
    // Entry 0 in use in the bitmap but with an index of 10000 (beyond the records) or with a
    // top byte of 0x80: no contact, and no read outside the contact records.
    image.CommData.write(0x2640000, 0xFC);
    const std::array<std::uint8_t, 4> beyond{0x10, 0x27, 0x00, 0x00};
    const std::array<std::uint8_t, 4> flagged{0x05, 0x00, 0x00, 0x80};
    image.CommData.write(address::ContactIndexEntry(0), beyond);
    image.CommData.write(address::ContactIndexEntry(1), flagged);
    Codeplug decoded = emptyCodeplug();
    decoded.Contact[0].Used = 1;
    GetContactFromCommData(image, decoded);
    EXPECT_EQ(decoded.Contact[0].Used, 0);
    EXPECT_EQ(decoded.Contact[1].Used, 0);
}

TEST(ContactCompaction, UsedContactsMoveToTheFrontAndEveryReferenceFollows) {
    Codeplug codeplug = emptyCodeplug();
    codeplug.Contact[0] = contact(100, "Zero");
    codeplug.Contact[5] = contact(105, "Five");
    codeplug.Contact[9] = contact(109, "Nine");
    codeplug.Channel[0].Used = 1;
    codeplug.Channel[0].Contact = 5;
    codeplug.Channel[1].Used = 1;
    codeplug.Channel[1].Contact = 9;
    codeplug.Channel[2].Used = 0; // not in use: left alone
    codeplug.Channel[2].Contact = 9;
    codeplug.RxGroup[0].Used = 1;
    codeplug.RxGroup[0].Count = 3;
    test::setFront(codeplug.RxGroup[0].Members, {9, 0, 5, 9}); // the last beyond Count
    codeplug.QuickCall[0] = QuickCallRec{2, 6, 1};             // contact 6 = entry 5
    codeplug.QuickCall[1] = QuickCallRec{2, 10, 1};            // entry 9
    codeplug.QuickCall[2] = QuickCallRec{1, 10, 1};            // another kind: not a contact

    CompactContacts(codeplug);
    const auto& c = codeplug;
    EXPECT_EQ(test::mapped([&c](int i) { return c.Contact[i].Name; }, {0, 1, 2}),
              (std::vector<std::string>{"Zero", "Five", "Nine"}));
    // Entries keep their Number; the ones moved away are free.
    EXPECT_EQ((std::vector<int>{c.Contact[1].Number, c.Contact[2].Number, c.Contact[5].Number,
                                c.Contact[5].Used, c.Contact[9].Used}),
              (std::vector<int>{2, 3, 6, 0, 0}));
    const auto references = [&c] {
        return std::vector<int>{c.Channel[0].Contact,    c.Channel[1].Contact,
                                c.Channel[2].Contact,    c.RxGroup[0].Members[0],
                                c.RxGroup[0].Members[1], c.RxGroup[0].Members[2],
                                c.RxGroup[0].Members[3], c.QuickCall[0].Contact,
                                c.QuickCall[1].Contact,  c.QuickCall[2].Contact};
    };
    EXPECT_EQ(references(), (std::vector<int>{1, 2, 9, 2, 0, 1, 9, 2, 3, 10}));

    ReplaceContactRef(codeplug, 7, 2);
    EXPECT_EQ(references(), (std::vector<int>{1, 7, 9, 7, 0, 1, 9, 2, 8, 10}));
}

TEST(RxGroupCodec, MembersAsLittleEndianEntriesAndANameReadBackCutTo20Bytes) {
    Codeplug codeplug = emptyCodeplug();
    RxGroupRec& full = codeplug.RxGroup[0];
    full.Used = 1;
    full.Name = "Regional talk groups of the south"; // 33 bytes
    full.Count = 64;
    for (std::size_t j = 0; j < kRxGroupMembers; ++j)
        full.Members[j] = static_cast<std::int32_t>(9999 - j);
    RxGroupRec& small = codeplug.RxGroup[2];
    small.Used = 1;
    small.Name = "TG";
    small.Count = 2;
    test::setFront(small.Members, {258, 3});
    CommImage image;
    SetRxGroupToCommData(codeplug, image);

    EXPECT_EQ(imageHex(image.CommData, 0x2980000, 4), "0F 27 00 00");
    EXPECT_EQ(imageHex(image.CommData, 0x29800FC, 4), "D0 26 00 00"); // 64 members, no FF entry
    EXPECT_EQ(GetText(image.CommData, 0x2980100, 36, 35), "Regional talk groups of the south");
    EXPECT_EQ(imageHex(image.CommData, 0x2980400, 12), "02 01 00 00 03 00 00 00 FF FF FF FF");
    EXPECT_EQ(image.CommData.read(address::kRxGroupBitmap), 0x05);
    EXPECT_EQ(image.WriteBlockMap.get(0x2980120 / 16), 1); // 0x124 bytes marked
    EXPECT_EQ(image.WriteBlockMap.get(0x2980130 / 16), 0);

    image.CommData.write(0x2980400 + 4, std::array<std::uint8_t, 4>{0x10, 0x27, 0x00, 0x00});
    Codeplug decoded = emptyCodeplug();
    GetRxGroupFromCommData(image, decoded);
    EXPECT_EQ(decoded.RxGroup[0].Count, 64);
    EXPECT_EQ(decoded.RxGroup[0].Members, full.Members);
    EXPECT_EQ(decoded.RxGroup[0].Name, "Regional talk groups");
    EXPECT_EQ(decoded.RxGroup[2].Count, 1); // a member of 10000 ends the list
    EXPECT_EQ(decoded.RxGroup[2].Members[0], 258);
    EXPECT_EQ(decoded.RxGroup[1].Used, 0);
}

} // namespace
} // namespace r605

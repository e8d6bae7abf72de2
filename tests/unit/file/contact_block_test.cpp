// The packed contact block: the bytes of an entry in both text forms, the closing byte, the
// limits, and a block that ends too early.
#include "file/contact_block.h"
#include "random_codeplug.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace r605 {
namespace {

ContactRec contactAB() {
    ContactRec contact;
    contact.Number = 1;
    contact.Used = 1;
    contact.Id = 1;
    contact.CallType = 0;
    contact.Byte80 = 0;
    contact.Name = "AB";
    return contact;
}

TEST(ContactBlock, EntriesHaveTheirPinnedBytesInBothTextForms) {
    std::string sevenBit;
    PackContact(sevenBit, contactAB(), ContactTextForm::SevenBit);
    EXPECT_EQ(test::hex(test::bytesOf(sevenBit)), "01 00 00 01 00 00 41 21 00 00 00 00 00");

    std::string gbk;
    PackContact(gbk, contactAB(), ContactTextForm::Gbk);
    EXPECT_EQ(test::hex(test::bytesOf(gbk)), "01 00 00 01 00 00 41 42 00 00 00 00 00 00");
    // Six empty texts: 6 bytes and six 7-bit zero codes, 42 bits rounded up to 6 bytes.
    ContactRec empty = contactAB();
    empty.Name.clear();
    std::string emptyEntry;
    PackContact(emptyEntry, empty, ContactTextForm::SevenBit);
    EXPECT_EQ(emptyEntry.size(), 12u);
    // Fixed bytes: Id low byte first, Number's bits 16-19 with CallType and Byte80 in byte 5;
    // values too large for their bits lose the high ones.
    ContactRec wide = contactAB();
    wide.Id = 0x12345678;
    wide.Number = 0x1ABCDE;
    wide.CallType = 6;
    wide.Byte80 = 1;
    std::string wideEntry;
    PackContact(wideEntry, wide, ContactTextForm::SevenBit);
    EXPECT_EQ(test::hex(test::bytesOf(wideEntry.substr(0, 6))), "78 56 34 DE BC 6A");
    // A text is cut at its NUL and loses trailing blanks before packing.
    ContactRec padded = contactAB();
    padded.Name = std::string("AB  \0XY", 7);
    std::string paddedEntry;
    PackContact(paddedEntry, padded, ContactTextForm::SevenBit);
    EXPECT_EQ(paddedEntry, sevenBit);
}

TEST(ContactBlock, PackingTheTableClosesTheBlockWithOneZeroByte) {
    Table<ContactRec, kContactCount> contacts;
    const PackedContacts none = PackContacts(contacts, ContactTextForm::SevenBit);
    EXPECT_EQ(none.count, 0u);
    EXPECT_EQ(none.block, std::string(1, '\0'));

    contacts[3] = contactAB();
    contacts[3].Number = 4;
    contacts[7] = contactAB();
    contacts[7].Number = 8;
    contacts[7].Used = 0; // not packed
    const PackedContacts one = PackContacts(contacts, ContactTextForm::Gbk);
    EXPECT_EQ(one.count, 1u);
    EXPECT_EQ(one.block.size(), 15u);
    EXPECT_EQ(one.block.back(), '\0');
}

TEST(ContactBlock, UnpackingGivesBackContactsWithTheirLosses) {
    ContactRec contact = contactAB();
    contact.Number = 77;
    contact.Id = 16777215;
    contact.CallType = 2;
    contact.Byte80 = 3;
    contact.Name = "Zhang 张三";
    contact.City = "Beijing";
    contact.Callsign = "BA1ABC";
    contact.State = "State";
    contact.Country = "China 中国";
    contact.Remarks = "Remarks of 16 ch";

    for (const ContactTextForm form : {ContactTextForm::SevenBit, ContactTextForm::Gbk}) {
        std::string block;
        PackContact(block, contact, form);
        block.push_back('\0');
        const UnpackedContacts unpacked = UnpackContacts(block, 1, form);
        ASSERT_TRUE(unpacked.complete);
        ASSERT_EQ(unpacked.contacts.size(), 1u);
        ContactRec expected = contact;
        if (form == ContactTextForm::SevenBit) {
            // Each character outside 7-bit ASCII is one "?".
            expected.Name = "Zhang ??";
            expected.Country = "China ??";
        }
        EXPECT_EQ(unpacked.contacts[0], expected);
    }
}

TEST(ContactBlock, ABlockTooShortKeepsOnlyTheEntriesBeforeItsEnd) {
    std::string block;
    for (int i = 1; i <= 3; ++i) {
        ContactRec contact = contactAB();
        contact.Number = i;
        PackContact(block, contact, ContactTextForm::SevenBit);
    }
    const std::string complete = block + std::string(1, '\0');
    EXPECT_TRUE(UnpackContacts(complete, 3, ContactTextForm::SevenBit).complete);
    // More bytes than the entries need are ignored.
    EXPECT_TRUE(UnpackContacts(complete + "garbage", 3, ContactTextForm::SevenBit).complete);
    // Without the closing byte the third entry reaches the end of the block: it is lost.
    const UnpackedContacts open = UnpackContacts(block, 3, ContactTextForm::SevenBit);
    EXPECT_FALSE(open.complete);
    EXPECT_EQ(open.contacts.size(), 2u);
    // A count larger than the block holds.
    const UnpackedContacts tooMany = UnpackContacts(complete, 5, ContactTextForm::SevenBit);
    EXPECT_FALSE(tooMany.complete);
    EXPECT_EQ(tooMany.contacts.size(), 3u);
    // A block of length 1 holds no contact and says nothing.
    const UnpackedContacts empty = UnpackContacts(std::string(1, '\0'), 0, ContactTextForm::Gbk);
    EXPECT_TRUE(empty.complete);
    EXPECT_TRUE(empty.contacts.empty());
    // Every shorter piece of a block is read without reading past its end (the sanitizers of
    // the fuzz build watch this) and gives fewer contacts.
    for (const ContactTextForm form : {ContactTextForm::SevenBit, ContactTextForm::Gbk}) {
        for (std::size_t length = 0; length < complete.size(); ++length) {
            const UnpackedContacts part = UnpackContacts(complete.substr(0, length), 3, form);
            EXPECT_LT(part.contacts.size(), 3u) << length;
        }
    }
}

TEST(ContactBlock, ContactsThatDoNotFitTheBlockAreLeftOut) {
    // Full double-byte texts take 98 bytes a contact in GBK: 9081 of them fit 890001 bytes. A
    // shorter entry after the first that did not fit still goes in.
    Table<ContactRec, kContactCount> contacts;
    test::FillWithChineseContacts(contacts);
    contacts[9999].Name = "AB";
    contacts[9999].City = contacts[9999].Callsign = contacts[9999].State = "";
    contacts[9999].Country = contacts[9999].Remarks = "";
    const PackedContacts gbk = PackContacts(contacts, ContactTextForm::Gbk);
    EXPECT_EQ(gbk.count, 9082u);
    ASSERT_EQ(gbk.leftOut.size(), 918u);
    EXPECT_EQ(gbk.leftOut.front(), 9081u);
    EXPECT_EQ(gbk.leftOut.back(), 9998u);
    EXPECT_LE(gbk.block.size(), kContactBlockCapacity);
    const UnpackedContacts back = UnpackContacts(gbk.block, gbk.count, ContactTextForm::Gbk);
    ASSERT_TRUE(back.complete);
    EXPECT_EQ(back.contacts[9080].Number, 9081);
    EXPECT_EQ(back.contacts[9081].Number, 10000);
    EXPECT_EQ(back.contacts[9081].Name, "AB");
    // The same list in 7-bit form fits: at most 88 bytes a contact.
    const PackedContacts sevenBit = PackContacts(contacts, ContactTextForm::SevenBit);
    EXPECT_TRUE(sevenBit.leftOut.empty());
    EXPECT_EQ(sevenBit.count, kContactCount);
}

} // namespace
} // namespace r605

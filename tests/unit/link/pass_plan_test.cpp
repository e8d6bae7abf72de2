#include "image/field_codecs.h"
#include "link/boot_image_transfer.h"
#include "link/pass_plan.h"
#include "link/radio_password.h"
#include "link/transfer_progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace r605 {
namespace {

void putLittleEndian32(MemoryImage& image, std::uint32_t address, std::uint32_t value) {
    std::array<std::uint8_t, 4> bytes{};
    PutLe32(bytes, value);
    image.write(address, bytes);
}

// A radio with no contacts: its contact bitmap is all ones (1 = slot free).
MemoryImage radioWithoutContacts() {
    MemoryImage image;
    image.fill(kContactBitmap, kContactBitmapLength, 0xFF);
    return image;
}

std::vector<std::int64_t> blocksOfPass(const BlockMap& map, int pass) {
    std::vector<std::int64_t> blocks;
    for (std::int64_t address = NextMarkedBlock(map, 0, pass); address >= 0;
         address = NextMarkedBlock(map, address + 16, pass))
        blocks.push_back(address);
    return blocks;
}

TEST(PassPlan, InitialMarksByKind) {
    BlockMap map;
    map.set(5, 1); // left over from an earlier transfer
    MarkInitialPasses(map, OperationKind::ReadCodeplug);
    EXPECT_EQ(map.get(5), 0);
    EXPECT_EQ(CountPassBlocks(map, 3), 1u + 79u); // information block and the 1250-byte bitmap
    EXPECT_EQ(NextMarkedBlock(map, -16 + 16, 3), kContactBitmap);
    EXPECT_EQ(map.get(kRadioInfoBlock / 16), 3);

    MarkInitialPasses(map, OperationKind::WriteCodeplug);
    EXPECT_EQ(blocksOfPass(map, 3), (std::vector<std::int64_t>{kRadioInfoBlock}));
    MarkInitialPasses(map, OperationKind::ReadRadioInfo);
    EXPECT_EQ(blocksOfPass(map, 3), (std::vector<std::int64_t>{kRadioInfoBlock}));
    MarkPass2(map, MemoryImage{}, OperationKind::ReadRadioInfo);
    EXPECT_EQ(CountPassBlocks(map, 2), 0u);
    EXPECT_EQ(CountPassBlocks(map, 1), 16u); // the 256-byte information area, read in pass 1
    EXPECT_EQ(NextMarkedBlock(map, 0, 1), kRadioInfoArea);
    EXPECT_EQ(NextMarkedBlock(map, 0, 0), -16);
    EXPECT_EQ(NextMarkedBlock(map, 0x7FFFFF0 + 16, 1), -16);
}

TEST(PassPlan, Pass2ReadsTheFixedRangesAndTheIndexEntriesOfContactsInUse) {
    BlockMap map;
    MemoryImage image = radioWithoutContacts();
    MarkPass2(map, image, OperationKind::ReadCodeplug);
    // Only the fixed ranges: no contact index entry.
    const std::size_t fixedBlocks = CountPassBlocks(map, 2);
    EXPECT_EQ(fixedBlocks, 1579u);                          // the 28 fixed ranges, counted by hand
    EXPECT_EQ(NextMarkedBlock(map, kContactIndex, 2), -16); // nothing at or above the index
    EXPECT_EQ(NextMarkedBlock(map, 0, 2), 0x01042000);
    EXPECT_EQ(map.get(0x024C4000 / 16 + 0x3FF), 2); // the last block of the AES keys
    EXPECT_EQ(map.get(0x024C8FF0 / 16), 0);         // 0xFF0 bytes end before it
    // Contacts 0, 3 and 9999 in use: their index entries (four contacts share a block).
    ClearBitmapBit(image, kContactBitmap, 0);
    ClearBitmapBit(image, kContactBitmap, 3);
    ClearBitmapBit(image, kContactBitmap, 9999);
    BlockMap withContacts;
    MarkPass2(withContacts, image, OperationKind::ReadCodeplug);
    EXPECT_EQ(CountPassBlocks(withContacts, 2), fixedBlocks + 2);
    EXPECT_EQ(NextMarkedBlock(withContacts, kContactIndex, 2), kContactIndex);
    EXPECT_EQ(NextMarkedBlock(withContacts, kContactIndex + 16, 2),
              kContactIndex + 4 * 9999 / 16 * 16);
    // Other kinds mark nothing in pass 2.
    BlockMap write;
    MarkPass2(write, image, OperationKind::WriteCodeplug);
    EXPECT_EQ(CountPassBlocks(write, 2), 0u);
}

TEST(PassPlan, Pass1MarksExactlyTheRecordsInUse) {
    MemoryImage image = radioWithoutContacts();
    BlockMap map;
    MarkPass1(map, image);
    EXPECT_EQ(CountPassBlocks(map, 1), 0u); // no bit set anywhere: nothing to read
    // Contact slot 2 names record 1001, slot 7 an unused entry (top byte 0x80), slot 8 a record
    // far beyond the address space: only record 1001 is read.
    ClearBitmapBit(image, kContactBitmap, 2);
    putLittleEndian32(image, kContactIndex + 8, 1001);
    ClearBitmapBit(image, kContactBitmap, 7);
    putLittleEndian32(image, kContactIndex + 28, 0x80000005);
    ClearBitmapBit(image, kContactBitmap, 8);
    putLittleEndian32(image, kContactIndex + 32, 0x7FFFFFFF);
    // Channel 128 lies at 0x840000, not at 0x802000.
    OrBitmapBit(image, 0x024C1500, 128, true);
    // Scan list 1: 0x60 bytes at its start and 0x20 bytes at +0x84.
    OrBitmapBit(image, 0x024C1340, 1, true);
    // Zone 15: member list and name.
    OrBitmapBit(image, 0x024C1300, 15, true);
    // Receive group list 249: 0x124 bytes.
    OrBitmapBit(image, 0x025C0B10, 249, true);
    MarkPass1(map, image);

    const std::uint32_t contact = 0x02680000 + 0x40000 + 1 * 100; // record 1001
    std::vector<std::int64_t> expected;
    auto addRange = [&expected](std::uint32_t address, std::uint32_t length) {
        for (std::uint32_t block = address / 16; block <= (address + length - 1) / 16; ++block)
            expected.push_back(std::int64_t{block} * 16);
    };
    addRange(0x840000, 0x40);
    addRange(0x01000000 + 15 * 0x200, 0x20);
    addRange(0x01080200, 0x60);
    addRange(0x01080284, 0x20);
    addRange(0x02540000 + 15 * 0x20, 0x20);
    addRange(contact, 100);
    addRange(0x02980000 + 249 * 0x200, 0x124);
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(blocksOfPass(map, 1), expected);

    EXPECT_EQ(ContactRecordAddress(9999), 0x02680000u + 9 * 0x40000 + 999 * 100);
    EXPECT_FALSE(ContactRecordAddress(0x80000000));
    EXPECT_FALSE(ContactRecordAddress(0x7FFFFFFF));
}

TEST(TransferProgress, RoundsHalvesToEvenAndShowsOnlyChanges) {
    EXPECT_EQ(ProgressPercent(3, 8), 38); // 37.5
    EXPECT_EQ(ProgressPercent(1, 8), 12); // 12.5
    EXPECT_EQ(ProgressPercent(1, 3), 33);
    EXPECT_EQ(ProgressPercent(9, 8), 100);
    EXPECT_EQ(ProgressPercent(0, 0), 0);

    TransferProgress progress;
    progress.startPass(400);
    std::vector<int> shown;
    for (int i = 0; i < 400; ++i) {
        if (auto percent = progress.blockDone())
            shown.push_back(*percent);
    }
    ASSERT_EQ(shown.size(), 100u); // every percentage once, 1 .. 100
    EXPECT_EQ(shown.front(), 1);
    EXPECT_EQ(shown.back(), 100);
    // A following pass of a single block still shows its 100 %.
    progress.startPass(1);
    EXPECT_EQ(progress.blockDone(), 100);
}

TEST(RadioPassword, ReadsBytes8To11AndAcceptsKnownPasswords) {
    std::array<std::uint8_t, 16> block{};
    EXPECT_EQ(RadioPasswordFromBlock(block), "");
    std::copy_n("12\xFF"
                "9",
                4, block.begin() + 8);
    EXPECT_EQ(RadioPasswordFromBlock(block), "12");
    std::copy_n(" AB ", 4, block.begin() + 8);
    EXPECT_EQ(RadioPasswordFromBlock(block), "AB");

    EXPECT_TRUE(PasswordAccepted("", "x", "y"));
    EXPECT_TRUE(PasswordAccepted("1234", "1234", ""));
    EXPECT_TRUE(PasswordAccepted("1234", "", "1234 "));
    EXPECT_FALSE(PasswordAccepted("1234", "", ""));
    EXPECT_FALSE(PasswordAccepted("1234", "4321", "123"));
}

TEST(BootImageTransfer, ProgressTruncatesAndTheImageComesFromItsAddress) {
    EXPECT_EQ(BootImageProgressPercent(-16), 0);
    EXPECT_EQ(BootImageProgressPercent(400), 0);
    EXPECT_EQ(BootImageProgressPercent(20480), 50);
    EXPECT_EQ(BootImageProgressPercent(40944), 99);
    EXPECT_EQ(BootImageProgressPercent(81920), 100);

    MemoryImage image;
    image.write(kBootImageAddress - 1, 0x11);
    image.write(kBootImageAddress, 0x22);
    image.write(kBootImageAddress + 40959, 0x33);
    image.write(kBootImageAddress + 40960, 0x44);
    const BootImageBytes bytes = CopyImageFromCommData(image);
    EXPECT_EQ(bytes.front(), 0x22);
    EXPECT_EQ(bytes.back(), 0x33);
}

} // namespace
} // namespace r605

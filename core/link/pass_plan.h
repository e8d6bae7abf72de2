#pragma once
// Which 16-byte blocks a transfer moves, and in which pass. A read first fetches small index
// areas (pass 3: the radio information block and the contact bitmap; pass 2: used-slot bitmaps,
// index entries and fixed settings areas) and then, from what they say, exactly the records in use
// (pass 1). A write reads the information block in pass 3 and sends in pass 1 every block that
// encode-all marked. The pass of each block is kept in the block map (WriteBlockMap).

#include "image/memory_image.h"
#include "link/operation_kind.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace r605 {

// The radio information block: bytes 8..11 hold the radio's programming password.
inline constexpr std::uint32_t kRadioInfoBlock = 0x02FA0020;
// The radio information area shown by the radio-information view.
inline constexpr std::uint32_t kRadioInfoArea = 0x02FA0000;
inline constexpr std::uint32_t kRadioInfoAreaLength = 0x100;
// Digital contacts: the used-slot bitmap (bit 0 = in use) and the index of record numbers.
inline constexpr std::uint32_t kContactBitmap = 0x02640000;
inline constexpr std::uint32_t kContactBitmapLength = 1250;
inline constexpr std::uint32_t kContactIndex = 0x02600000;
inline constexpr std::uint32_t kContactRecords = 0x02680000;
inline constexpr std::uint32_t kContactRecordLength = 100;
inline constexpr int kContactSlots = 10000;

// Sets the entries of the blocks from address div 16 to (address + length - 1) div 16 to `pass`.
void MarkRange(BlockMap& map, std::uint32_t address, std::uint32_t length, int pass);

// InitTransfer's marks: every entry 0, then the pass-3 blocks of the kind (the information block
// always; for a read also the contact bitmap).
void MarkInitialPasses(BlockMap& map, OperationKind kind);

// The pass-2 marks of a read (index entries of the contacts in use and the fixed index and
// settings ranges) and of the radio-information read (its 256 bytes, marked for pass 1).
void MarkPass2(BlockMap& map, const MemoryImage& image, OperationKind kind);

// The pass-1 marks of a read: the records the bitmaps and the contact index say are in use.
void MarkPass1(BlockMap& map, const MemoryImage& image);

// The address of the first block at or after `address` marked for `pass`; -16 when none is left.
std::int64_t NextMarkedBlock(const BlockMap& map, std::int64_t address, int pass);

// The number of blocks marked for `pass`.
std::size_t CountPassBlocks(const BlockMap& map, int pass);

// Bit n of a used-slot bitmap: bit (n mod 8) of the byte at base + n div 8.
bool BitmapBit(const MemoryImage& image, std::uint32_t base, std::uint32_t n);

// The record address of the contact whose index entry holds `entry`; none when the entry is
// unused (top byte 0x80 or more) or names a record beyond the radio's address space.
std::optional<std::uint32_t> ContactRecordAddress(std::uint32_t entry);

} // namespace r605

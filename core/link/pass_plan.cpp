#include "link/pass_plan.h"

#include <array>
#include <optional>

namespace r605 {

namespace {

struct Range {
    std::uint32_t address;
    std::uint32_t length;
};

// The fixed ranges read in pass 2: bitmaps and index areas of every family, the settings areas
// and the key tables. Marked in this order; the order does not change the order of transfer.
constexpr std::array<Range, 28> kPass2Ranges{{
    {0x01042000, 0x20},  {0x01042080, 0x8},   {0x024C0C80, 0x10}, {0x024C0D00, 0x200},
    {0x024C1000, 0x80},  {0x024C1080, 0x10},  {0x024C1090, 0x40}, {0x024C1280, 0x10},
    {0x024C1290, 0x10},  {0x024C2600, 0x10},  {0x024C1300, 0x2},  {0x024C1320, 0x20},
    {0x024C1340, 0x2},   {0x024C1400, 0x20},  {0x024C1440, 0x30}, {0x024C1D00, 0xA0},
    {0x024C1700, 0x40},  {0x024C1800, 0x500}, {0x024C1500, 0x20}, {0x024C4000, 0x4000},
    {0x024C8000, 0xFF0}, {0x02500000, 0x100}, {0x02501000, 0x60}, {0x02501080, 0x40},
    {0x02500500, 0x100}, {0x025C0000, 0x620}, {0x025C0B00, 0x4},  {0x025C0B10, 0x20},
}};

// A record slot n of a family lies at base + (n div group) x groupStride + (n mod group) x stride
// (group 0: no grouping).
struct SlotArea {
    std::uint32_t base = 0;
    std::uint32_t group = 0;
    std::uint32_t groupStride = 0;
    std::uint32_t stride = 0;
    std::uint32_t length = 0;

    std::uint32_t address(std::uint32_t n) const {
        if (group == 0)
            return base + n * stride;
        return base + (n / group) * groupStride + (n % group) * stride;
    }
};

struct Pass1Family {
    std::uint32_t bitmap = 0;
    std::uint32_t slots = 0;
    std::array<SlotArea, 2> areas{};
    int areaCount = 1;
};

// The table families whose used-slot bitmaps pass 2 has read (bit 1 = in use), in marking order.
constexpr std::array<Pass1Family, 10> kPass1Families{{
    // 5-tone codes
    {0x024C0C80, 100, {{{0x024C0000, 0, 0, 0x20, 0x20}}}, 1},
    // 2-tone codes
    {0x024C1280, 24, {{{0x024C1100, 0, 0, 0x10, 0x10}}}, 1},
    // 2-tone decode table (16 entries)
    {0x024C2600, 16, {{{0x024C2400, 0, 0, 0x20, 0x20}}}, 1},
    // zones: member list and name
    {0x024C1300, 16, {{{0x01000000, 0, 0, 0x200, 0x20}, {0x02540000, 0, 0, 0x20, 0x20}}}, 2},
    // radio IDs
    {0x024C1320, 250, {{{0x02580000, 0, 0, 0x20, 0x20}}}, 1},
    // scan lists: two parts of each list
    {0x024C1340,
     16,
     {{{0x01080000, 16, 0x40000, 0x200, 0x60}, {0x01080084, 16, 0x40000, 0x200, 0x20}}},
     2},
    // channels
    {0x024C1500, 256, {{{0x00800000, 128, 0x40000, 0x40, 0x40}}}, 1},
    // receive group lists
    {0x025C0B10, 250, {{{0x02980000, 0, 0, 0x200, 0x124}}}, 1},
    // roaming channels
    {0x01042000, 250, {{{0x01040000, 0, 0, 0x20, 0x20}}}, 1},
    // roaming zones
    {0x01042080, 64, {{{0x01043000, 0, 0, 0x80, 0x80}}}, 1},
}};

std::uint32_t readLittleEndian32(const MemoryImage& image, std::uint32_t address) {
    std::array<std::uint8_t, 4> bytes{};
    image.read(address, bytes);
    return std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
           (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
}

} // namespace

void MarkRange(BlockMap& map, std::uint32_t address, std::uint32_t length, int pass) {
    map.markRange(address, length, static_cast<std::uint8_t>(pass));
}

bool BitmapBit(const MemoryImage& image, std::uint32_t base, std::uint32_t n) {
    return ((image.read(base + n / 8) >> (n % 8)) & 1) != 0;
}

std::optional<std::uint32_t> ContactRecordAddress(std::uint32_t entry) {
    if ((entry >> 24) >= 0x80)
        return std::nullopt;
    // The entry comes from the radio: computed wide so that no value can wrap into the image.
    const std::uint64_t address = std::uint64_t{kContactRecords} +
                                  std::uint64_t{entry / 1000} * 0x40000 +
                                  std::uint64_t{entry % 1000} * kContactRecordLength;
    if (!MemoryImage::contains(address, kContactRecordLength))
        return std::nullopt;
    return static_cast<std::uint32_t>(address);
}

void MarkInitialPasses(BlockMap& map, OperationKind kind) {
    map.clear();
    MarkRange(map, kRadioInfoBlock, 16, 3);
    if (kind == OperationKind::ReadCodeplug)
        MarkRange(map, kContactBitmap, kContactBitmapLength, 3);
}

void MarkPass2(BlockMap& map, const MemoryImage& image, OperationKind kind) {
    if (kind == OperationKind::ReadRadioInfo) {
        MarkRange(map, kRadioInfoArea, kRadioInfoAreaLength, 1);
        return;
    }
    if (kind != OperationKind::ReadCodeplug)
        return;
    for (std::uint32_t slot = 0; slot < kContactSlots; ++slot) {
        if (!BitmapBit(image, kContactBitmap, slot))
            MarkRange(map, kContactIndex + 4 * slot, 4, 2);
    }
    for (const Range& range : kPass2Ranges)
        MarkRange(map, range.address, range.length, 2);
}

void MarkPass1(BlockMap& map, const MemoryImage& image) {
    for (std::uint32_t slot = 0; slot < kContactSlots; ++slot) {
        if (BitmapBit(image, kContactBitmap, slot))
            continue;
        const auto record =
            ContactRecordAddress(readLittleEndian32(image, kContactIndex + 4 * slot));
        if (record)
            MarkRange(map, *record, kContactRecordLength, 1);
    }
    for (const Pass1Family& family : kPass1Families) {
        for (std::uint32_t n = 0; n < family.slots; ++n) {
            if (!BitmapBit(image, family.bitmap, n))
                continue;
            for (int part = 0; part < family.areaCount; ++part) {
                const SlotArea& area = family.areas[static_cast<std::size_t>(part)];
                MarkRange(map, area.address(n), area.length, 1);
            }
        }
    }
}

std::int64_t NextMarkedBlock(const BlockMap& map, std::int64_t address, int pass) {
    if (address < 0)
        address = 0;
    if (pass < 1 || address >= std::int64_t{MemoryImage::kSize})
        return -16;
    const std::int64_t block = map.nextWithValue(static_cast<std::uint32_t>(address / 16),
                                                 static_cast<std::uint8_t>(pass));
    return block < 0 ? -16 : block * 16;
}

std::size_t CountPassBlocks(const BlockMap& map, int pass) {
    if (pass < 1)
        return 0;
    return map.count(static_cast<std::uint8_t>(pass));
}

} // namespace r605

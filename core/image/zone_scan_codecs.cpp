// Zones, scan lists and the membership check that follows decode-all.
#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/slot_layout.h"
#include "schema/default_names.h"
#include "text/trim.h"

#include <algorithm>
#include <array>

namespace r605 {

namespace {

constexpr std::size_t kZoneNameSize = 32;
constexpr std::size_t kZoneMembersSize = 32;

// Scan list slot: options, priorities and name in bytes 0 to 31 (7, 9, 11 and 13 never
// written), members in 32 to 95, the members' zones in 132 to 163.
using SF = SlotField<ScanListRec>;
constexpr std::array kScanListHeader{
    SF::byteAt(0, &ScanListRec::Byte38),
    SF::byteAt(1, &ScanListRec::Byte39),
    SF::priorityAt(2, &ScanListRec::Priority1),
    SF::priorityAt(4, &ScanListRec::Priority2),
    SF::byteAt(6, &ScanListRec::Byte45),
    SF::byteAt(8, &ScanListRec::Byte46),
    SF::byteAt(10, &ScanListRec::Byte47),
    SF::byteAt(12, &ScanListRec::Byte48),
    SF::byteAt(14, &ScanListRec::Byte44),
    SF::textAt(15, 16, 17, &ScanListRec::Name),
    SF::zeroAt(31),
};
constexpr std::size_t kScanMembersByte = 32;
constexpr std::size_t kScanZonesByte = 132;
constexpr std::size_t kScanSlotSize = kScanZonesByte + kScanListMembers;

std::size_t boundedCount(int count, std::size_t capacity) {
    return static_cast<std::size_t>(std::clamp<int>(count, 0, static_cast<int>(capacity)));
}

bool isUsedChannel(const Codeplug& codeplug, int entry) {
    return entry >= 0 && static_cast<std::size_t>(entry) < kChannelCount &&
           codeplug.Channel[static_cast<std::size_t>(entry)].Used >= 1;
}

} // namespace

void SetZoneToCommData(const Codeplug& codeplug, CommImage& image) {
    const bool mark = image.NeedMark(image.Changed.Zone);
    for (std::size_t z = 0; z < kZoneCount; ++z) {
        const ZoneRec& zone = codeplug.Zone[z];
        OrBitmapBit(image.CommData, address::kZoneBitmap, z, zone.Used >= 1);
        if (zone.Used < 1)
            continue;
        std::array<std::uint8_t, 17> name{};
        PutText(std::span(name).first<16>(), zone.Name);
        image.CommData.write(address::ZoneName(z), name);

        std::array<std::uint8_t, 2 * kZoneMembers> members{};
        const std::size_t count = boundedCount(zone.Count, kZoneMembers);
        for (std::size_t k = 0; k < kZoneMembers; ++k)
            PutLe16(std::span(members).subspan(2 * k).first<2>(), k < count ? zone.Members[k] : -1);
        image.CommData.write(address::ZoneMembers(z), members);
        if (mark) {
            image.MarkBlocksToWrite(kZoneNameSize, address::ZoneName(z));
            image.MarkBlocksToWrite(kZoneMembersSize, address::ZoneMembers(z));
        }
    }
    image.MarkBlocksToWrite(2, address::kZoneBitmap);
}

void GetZoneFromCommData(CommImage& image, Codeplug& codeplug) {
    for (std::size_t z = 0; z < kZoneCount; ++z) {
        ZoneRec& zone = codeplug.Zone[z];
        zone.Number = static_cast<std::int16_t>(z + 1);
        zone.Used = BitmapBit(image.CommData, address::kZoneBitmap, z) ? 1 : 0;
        if (!zone.Used)
            continue;
        zone.Name = GetText(image.CommData, address::ZoneName(z), 17, 16);
        std::array<std::uint8_t, 2 * kZoneMembers> members{};
        image.CommData.read(address::ZoneMembers(z), members);
        zone.Count = 0;
        for (std::size_t k = 0; k < kZoneMembers; ++k) {
            const std::uint16_t value =
                GetLe16(std::span<const std::uint8_t>(members).subspan(2 * k).first<2>());
            if (value >= 256)
                break;
            zone.Members[static_cast<std::size_t>(zone.Count++)] = static_cast<std::int16_t>(value);
        }
        if (zone.Count == 0) {
            zone.Used = 0;
            continue;
        }
        zone.Name = TrimAtNull(zone.Name);
        if (zone.Name.empty())
            zone.Name = DefaultName(codeplug, Family::Zone, z);
    }
}

void SetCommDataByScan(const Codeplug& codeplug, CommImage& image) {
    const bool mark = image.NeedMark(image.Changed.ScanList);
    for (std::size_t s = 0; s < kScanListCount; ++s) {
        const ScanListRec& list = codeplug.ScanList[s];
        OrBitmapBit(image.CommData, address::kScanListBitmap, s, list.Used >= 1);
        if (list.Used < 1)
            continue;
        const std::uint32_t address = address::ScanListSlot(s);
        std::array<std::uint8_t, kScanSlotSize> slot{};
        image.CommData.read(address, slot);
        if (!EncodeSlot(kScanListHeader, list, slot)) {
            image.EncodeFailed("SetCommDataByScanError");
            return;
        }
        const std::size_t count = boundedCount(list.Count, kScanListMembers);
        for (std::size_t k = 0; k < kScanListMembers; ++k) {
            PutLe16(std::span(slot).subspan(kScanMembersByte + 2 * k).first<2>(),
                    k < count ? list.Members[k] : -1);
            // Only the low byte of a member's zone is stored.
            slot[kScanZonesByte + k] =
                k < count ? static_cast<std::uint8_t>(list.MemberZones[k] & 0xFF) : 0xFF;
        }
        image.CommData.write(address, slot);
        if (mark) {
            image.MarkBlocksToWrite(0x60, address);
            image.MarkBlocksToWrite(0x20, address + static_cast<std::uint32_t>(kScanZonesByte));
        }
    }
    image.MarkBlocksToWrite(2, address::kScanListBitmap);
}

void GetScanFromCommData(CommImage& image, Codeplug& codeplug) {
    for (std::size_t s = 0; s < kScanListCount; ++s) {
        ScanListRec& list = codeplug.ScanList[s];
        list.Number = static_cast<std::int16_t>(s + 1);
        list.Used = BitmapBit(image.CommData, address::kScanListBitmap, s) ? 1 : 0;
        if (!list.Used)
            continue;
        std::array<std::uint8_t, kScanSlotSize> slot{};
        image.CommData.read(address::ScanListSlot(s), slot);
        const std::span<const std::uint8_t> bytes(slot);
        DecodeSlot(kScanListHeader, bytes, list); // no field of the header can fail
        list.Name = TrimAtNull(list.Name);
        if (list.Name.empty())
            list.Name = DefaultName(codeplug, Family::ScanList, s);
        list.Count = 0;
        for (std::size_t k = 0; k < kScanListMembers; ++k) {
            const std::uint16_t value = GetLe16(bytes.subspan(kScanMembersByte + 2 * k).first<2>());
            if (value >= 256)
                break;
            const auto at = static_cast<std::size_t>(list.Count++);
            list.Members[at] = static_cast<std::int16_t>(value);
            // 0xFF is no zone; a byte beyond the 16 zones names none too but is kept, so that
            // the radio gets it back.
            const std::uint8_t zone = bytes[kScanZonesByte + k];
            list.MemberZones[at] = zone == 0xFF ? std::int16_t{-1} : std::int16_t{zone};
        }
        if (list.Count == 0)
            list.Used = 0;
    }
}

void CheckZoneAndScanMembers(Codeplug& codeplug) {
    for (ZoneRec& zone : codeplug.Zone) {
        if (zone.Used < 1)
            continue;
        const std::size_t count = boundedCount(zone.Count, kZoneMembers);
        std::size_t kept = 0;
        for (std::size_t k = 0; k < count; ++k) {
            if (isUsedChannel(codeplug, zone.Members[k]))
                zone.Members[kept++] = zone.Members[k];
        }
        std::fill(zone.Members.begin() + static_cast<std::ptrdiff_t>(kept),
                  zone.Members.begin() + static_cast<std::ptrdiff_t>(count), -1);
        zone.Count = static_cast<std::int16_t>(kept);
    }
    for (ScanListRec& list : codeplug.ScanList) {
        if (list.Used < 1)
            continue;
        const std::size_t count = boundedCount(list.Count, kScanListMembers);
        std::size_t kept = 0;
        for (std::size_t k = 0; k < count; ++k) {
            if (!isUsedChannel(codeplug, list.Members[k]))
                continue;
            list.Members[kept] = list.Members[k];
            list.MemberZones[kept] = list.MemberZones[k];
            ++kept;
        }
        for (std::size_t k = kept; k < count; ++k) {
            list.Members[k] = -1;
            list.MemberZones[k] = -1;
        }
        list.Count = static_cast<std::int16_t>(kept);
    }
}

} // namespace r605

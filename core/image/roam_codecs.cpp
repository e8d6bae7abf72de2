// Roaming channels (frequency pairs) and roaming zones. Both follow the optional settings'
// changed flag when marking.
#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/slot_layout.h"

#include <algorithm>
#include <array>

namespace r605 {

namespace {

using RF = SlotField<RoamChannelRec>;
constexpr std::array kRoamChannelLayout{
    RF::freqAt(0, &RoamChannelRec::RxFreq),        RF::freqAt(4, &RoamChannelRec::TxFreq),
    RF::byteAt(8, &RoamChannelRec::Byte20),        RF::byteAt(9, &RoamChannelRec::Byte21),
    RF::textAt(10, 16, 16, &RoamChannelRec::Name),
};
constexpr std::size_t kRoamChannelSlotSize = 0x20;
constexpr std::size_t kRoamZoneSlotSize = 0x80;
constexpr std::size_t kRoamZoneNameByte = 64;
// Member bytes of 250 or more end a roaming zone's list (0xFF fills the unused ones).
constexpr std::uint8_t kRoamMemberEnd = 250;

} // namespace

void SetRoamToCommData(const Codeplug& codeplug, CommImage& image) {
    const bool mark = image.NeedMark(image.Changed.Option);
    for (std::size_t n = 0; n < kRoamChannelCount; ++n) {
        const RoamChannelRec& channel = codeplug.RoamChannel[n];
        OrBitmapBit(image.CommData, address::kRoamChannelBitmap, n, channel.Used >= 1);
        if (channel.Used < 1)
            continue;
        const std::uint32_t address = address::RoamChannelSlot(n);
        std::array<std::uint8_t, kRoamChannelSlotSize> slot{};
        image.CommData.read(address, slot);
        if (!EncodeSlot(kRoamChannelLayout, channel, slot)) {
            image.EncodeFailed("SetRoamToCommDataError");
            return;
        }
        image.CommData.write(address, slot);
        if (mark)
            image.MarkBlocksToWrite(kRoamChannelSlotSize, address);
    }
    for (std::size_t z = 0; z < kRoamZoneCount; ++z) {
        const RoamZoneRec& zone = codeplug.RoamZone[z];
        OrBitmapBit(image.CommData, address::kRoamZoneBitmap, z, zone.Used >= 1);
        if (zone.Used < 1)
            continue;
        const std::uint32_t address = address::RoamZoneSlot(z);
        std::array<std::uint8_t, kRoamZoneSlotSize> slot{};
        image.CommData.read(address, slot);
        const auto count = static_cast<std::size_t>(
            std::clamp<int>(zone.Count, 0, static_cast<int>(kRoamZoneMembers)));
        for (std::size_t k = 0; k < kRoamZoneMembers; ++k)
            slot[k] = k < count ? static_cast<std::uint8_t>(zone.Members[k] & 0xFF) : 0xFF;
        PutText(std::span(slot).subspan(kRoamZoneNameByte, 16), zone.Name);
        image.CommData.write(address, slot);
        if (mark)
            image.MarkBlocksToWrite(kRoamZoneSlotSize, address);
    }
    image.MarkBlocksToWrite(32, address::kRoamChannelBitmap);
    image.MarkBlocksToWrite(8, address::kRoamZoneBitmap);
}

void GetRoamFromCommData(CommImage& image, Codeplug& codeplug) {
    for (std::size_t n = 0; n < kRoamChannelCount; ++n) {
        RoamChannelRec& channel = codeplug.RoamChannel[n];
        channel.Used = BitmapBit(image.CommData, address::kRoamChannelBitmap, n) ? 1 : 0;
        if (!channel.Used)
            continue;
        std::array<std::uint8_t, kRoamChannelSlotSize> slot{};
        image.CommData.read(address::RoamChannelSlot(n), slot);
        RoamChannelRec decoded = channel;
        // A frequency that is not decimal (an erased slot) leaves the channel unused.
        if (!DecodeSlot(kRoamChannelLayout, std::span<const std::uint8_t>(slot), decoded)) {
            channel.Used = 0;
            image.DecodeSkipped("Roaming channel", n + 1, "its frequencies are not decimal digits",
                                std::span(slot).first<8>());
            continue;
        }
        channel = std::move(decoded);
    }
    for (std::size_t z = 0; z < kRoamZoneCount; ++z) {
        RoamZoneRec& zone = codeplug.RoamZone[z];
        zone.Number = static_cast<std::int16_t>(z + 1);
        zone.Used = BitmapBit(image.CommData, address::kRoamZoneBitmap, z) ? 1 : 0;
        if (!zone.Used)
            continue;
        std::array<std::uint8_t, kRoamZoneSlotSize> slot{};
        image.CommData.read(address::RoamZoneSlot(z), slot);
        zone.Count = 0;
        for (std::size_t k = 0; k < kRoamZoneMembers && slot[k] < kRoamMemberEnd; ++k)
            zone.Members[static_cast<std::size_t>(zone.Count++)] = slot[k];
        zone.Name = GetText(std::span<const std::uint8_t>(slot).subspan(kRoamZoneNameByte, 16), 16);
    }
}

} // namespace r605

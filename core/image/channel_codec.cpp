// Channels: 64-byte slots (60 bytes used) and a 32-byte used-channel bitmap.
#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/slot_layout.h"
#include "schema/default_names.h"
#include "text/trim.h"

#include <array>

namespace r605 {

namespace {

using F = SlotField<ChannelRec>;
using C = ChannelRec;

constexpr std::size_t kSlotSize = 64;
// Reference bytes are decoded with this maximum: every byte but 0xFF (none) comes back as the
// radio held it, also one that names no record, so that a write gives the radio its own byte.
constexpr std::uint8_t kKeepReference = 254;

// Bytes 19, 27 and 60 to 63 are never written.
constexpr std::array kChannelLayout{
    F::freqAt(0, &C::RxFreq),
    F::freqAt(4, &C::Offset),
    F::bitsAt(8, 0, 2, &C::ChType),
    F::bitsAt(8, 2, 2, &C::Power),
    F::bitsAt(8, 4, 2, &C::Bandwidth),
    F::bitsAt(8, 6, 2, &C::OffsetDir),
    F::bitsAt(9, 0, 2, &C::RxToneType),
    F::bitsAt(9, 2, 2, &C::TxToneType),
    F::bitsAt(9, 4, 1, &C::Flag9_4),
    F::bitsAt(9, 5, 1, &C::Flag9_5),
    F::bitsAt(9, 6, 1, &C::Flag9_6),
    F::bitsAt(9, 7, 1, &C::Flag9_7),
    F::byteAt(10, &C::TxCtcss),
    F::byteAt(11, &C::RxCtcss),
    F::le16At(12, &C::TxDcs),
    F::le16At(14, &C::RxDcs),
    F::le16At(16, &C::CustomCtcss),
    F::refAt(18, kKeepReference, &C::TwoToneDecode),
    F::le32At(20, &C::Contact),
    F::byteAt(24, &C::RadioId),
    F::bitsAt(25, 0, 4, &C::Nibble25Lo),
    F::bitsAt(25, 4, 4, &C::Nibble25Hi),
    F::bitsAt(26, 0, 4, &C::Nibble26Lo),
    F::bitsAt(26, 4, 4, &C::OptSignal),
    F::refAt(28, kKeepReference, &C::RxGroup),
    F::byteAt(29, &C::TwoToneId),
    F::byteAt(30, &C::FiveToneId),
    F::byteAt(31, &C::DtmfId),
    F::byteAt(32, &C::Byte32),
    F::bitsAt(33, 0, 1, &C::Flag33_0), // bit 1 is always 0
    F::bitsAt(33, 2, 2, &C::Field33_2),
    F::bitsAt(33, 4, 1, &C::Flag33_4),
    F::bitsAt(33, 5, 1, &C::Flag33_5),
    F::bitsAt(33, 6, 1, &C::Flag33_6),
    F::bitsAt(33, 7, 1, &C::Flag33_7),
    F::byteAt(34, &C::Byte34),
    F::bytesAt(35, &C::ScanLists),
    F::textAt(43, 8, 8, &C::Name),
    F::zeroAt(51),
    F::byteAt(52, &C::Byte52),
    F::byteAt(53, &C::Byte53),
    F::byteAt(54, &C::Byte54),
    F::byteAt(55, &C::Byte55),
    F::bitsAt(56, 0, 1, &C::Flag56_0), // bits 6 and 7 are always 0
    F::bitsAt(56, 1, 1, &C::Flag56_1),
    F::bitsAt(56, 2, 1, &C::Flag56_2),
    F::bitsAt(56, 3, 1, &C::Flag56_3),
    F::bitsAt(56, 4, 1, &C::Flag56_4),
    F::bitsAt(56, 5, 1, &C::Flag56_5),
    F::byteAt(57, &C::Byte57),
    F::byteAt(58, &C::Byte58),
    F::byteAt(59, &C::Byte59),
};

} // namespace

bool SetChannelToCommData(const ChannelRec& channel, MemoryImage& image, std::uint32_t address) {
    std::array<std::uint8_t, kSlotSize> slot{};
    image.read(address, slot);
    if (!EncodeSlot(kChannelLayout, channel, slot))
        return false;
    image.write(address, slot);
    return true;
}

bool GetChannelRecFromCommData(ChannelRec& channel, const MemoryImage& image,
                               std::uint32_t address) {
    std::array<std::uint8_t, kSlotSize> slot{};
    image.read(address, slot);
    if (!DecodeSlot(kChannelLayout, std::span<const std::uint8_t>(slot), channel))
        return false;
    // A top byte of 0x7F or more (FF FF FF FF) means no contact, which the record holds as
    // contact 0 with ContactRaw -1. An entry beyond the contact table is kept as it came and
    // names no contact.
    if (slot[23] >= 0x7F) {
        channel.Contact = 0;
        channel.ContactRaw = -1;
    } else {
        channel.ContactRaw = channel.Contact;
    }
    // The radio-ID byte of a channel whose ID is gone is 0xFF (-1). A byte beyond the table
    // (250 to 254), like scan-list bytes beyond the 16 lists, is kept and names none.
    if (channel.RadioId == 0xFF)
        channel.RadioId = -1;
    return true;
}

void SetCommDataByChannel(const Codeplug& codeplug, CommImage& image) {
    const bool mark = image.NeedMark(image.Changed.Channel);
    if (mark)
        image.MarkBlocksToWrite(32, address::kChannelBitmap);
    for (std::size_t n = 0; n < kChannelCount; ++n) {
        const ChannelRec& channel = codeplug.Channel[n];
        const std::uint32_t slot = address::ChannelSlot(n);
        OrBitmapBit(image.CommData, address::kChannelBitmap, n, channel.Used >= 1);
        if (channel.Used < 1)
            continue;
        if (!SetChannelToCommData(channel, image.CommData, slot)) {
            image.EncodeFailed("SetCommDataByChannelError");
            return;
        }
        if (mark)
            image.MarkBlocksToWrite(kSlotSize, slot);
    }
}

void GetChannelFromCommData(CommImage& image, Codeplug& codeplug) {
    for (std::size_t n = 0; n < kChannelCount; ++n) {
        ChannelRec& channel = codeplug.Channel[n];
        channel.Number = static_cast<std::int16_t>(n + 1);
        channel.Used = 0;
        channel.ContactRaw = -1;
        channel.Unencoded4 = -1;
    }
    for (std::size_t n = 0; n < kChannelCount; ++n) {
        if (!BitmapBit(image.CommData, address::kChannelBitmap, n))
            continue;
        ChannelRec channel = codeplug.Channel[n];
        channel.Used = 1;
        if (!GetChannelRecFromCommData(channel, image.CommData, address::ChannelSlot(n))) {
            // An erased or damaged slot: the channel stays unused.
            std::array<std::uint8_t, 8> frequencies{};
            image.CommData.read(address::ChannelSlot(n), frequencies);
            image.DecodeSkipped("Channel", n + 1, "its frequencies are not decimal digits",
                                frequencies);
            continue;
        }
        channel.Name = TrimAtNull(channel.Name);
        if (channel.Name.empty())
            channel.Name = DefaultName(codeplug, Family::Channel, n);
        codeplug.Channel[n] = std::move(channel);
    }
}

} // namespace r605

// Radio IDs, digital contacts and receive group lists.
#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/slot_layout.h"

#include <algorithm>
#include <array>

namespace r605 {

namespace {

// Radio IDs: 32-byte records, bytes 22 to 31 never written.
constexpr std::array kPersonLayout{
    SlotField<PersonRec>::bcdAt(0, &PersonRec::Id),
    SlotField<PersonRec>::byteAt(4, &PersonRec::Byte4),
    SlotField<PersonRec>::textAt(5, 16, 17, &PersonRec::Name),
    SlotField<PersonRec>::zeroAt(21),
};

using CF = SlotField<ContactRec>;
constexpr std::array kContactLayout{
    CF::byteAt(0, &ContactRec::CallType),
    CF::textAt(1, 16, 18, &ContactRec::Name),
    CF::zeroAt(17),
    CF::zeroAt(18),
    CF::textAt(19, 15, 16, &ContactRec::City),
    CF::zeroAt(34),
    CF::bcdAt(35, &ContactRec::Id),
    CF::byteAt(39, &ContactRec::Byte80),
    CF::textAt(40, 8, 9, &ContactRec::Callsign),
    CF::zeroAt(48),
    CF::textAt(49, 16, 17, &ContactRec::State),
    CF::zeroAt(65),
    CF::textAt(66, 16, 17, &ContactRec::Country),
    CF::zeroAt(82),
    CF::textAt(83, 16, 17, &ContactRec::Remarks),
    CF::zeroAt(99),
};

constexpr std::size_t kPersonSlotSize = 32;
constexpr std::size_t kContactSlotSize = 100;
constexpr std::uint32_t kRxGroupMarked = 0x124;
constexpr std::uint32_t kRxGroupNameByte = 256;

std::size_t boundedCount(int count, std::size_t capacity) {
    return static_cast<std::size_t>(std::clamp<int>(count, 0, static_cast<int>(capacity)));
}

} // namespace

void SetCommDataByPerson(const Codeplug& codeplug, CommImage& image) {
    const bool mark = image.NeedMark(image.Changed.Person);
    for (std::size_t n = 0; n < kPersonCount; ++n) {
        const PersonRec& person = codeplug.Person[n];
        OrBitmapBit(image.CommData, address::kPersonBitmap, n, person.Used >= 1);
        if (person.Used < 1)
            continue;
        const std::uint32_t address = address::PersonSlot(n);
        std::array<std::uint8_t, kPersonSlotSize> slot{};
        image.CommData.read(address, slot);
        if (!EncodeSlot(kPersonLayout, person, slot)) {
            image.EncodeFailed("SetCommDataByPersonError");
            return;
        }
        image.CommData.write(address, slot);
        if (mark)
            image.MarkBlocksToWrite(kPersonSlotSize, address);
    }
    image.MarkBlocksToWrite(32, address::kPersonBitmap);
}

void GetPersonFromCommData(CommImage& image, Codeplug& codeplug) {
    for (std::size_t n = 0; n < kPersonCount; ++n) {
        PersonRec& person = codeplug.Person[n];
        person.Number = static_cast<std::int16_t>(n + 1);
        person.Used = BitmapBit(image.CommData, address::kPersonBitmap, n) ? 1 : 0;
        if (!person.Used)
            continue;
        std::array<std::uint8_t, kPersonSlotSize> slot{};
        image.CommData.read(address::PersonSlot(n), slot);
        PersonRec decoded = person;
        // An ID whose digits are not decimal is damaged data: the ID is not taken as in use.
        if (!DecodeSlot(kPersonLayout, std::span<const std::uint8_t>(slot), decoded)) {
            person.Used = 0;
            image.DecodeSkipped("Radio ID", n + 1, "its ID is not decimal digits",
                                std::span(slot).first<4>());
            continue;
        }
        person = std::move(decoded);
    }
}

void SetCommDataByContact(const Codeplug& codeplug, CommImage& image) {
    if (image.ModelSwitch < 1)
        return;
    const bool mark = image.NeedMark(image.Changed.Contact);
    image.CommData.fill(address::kContactBitmap, address::kContactBitmapLength, 0xFF);
    std::array<std::uint8_t, 4> index{};
    for (std::size_t i = 0; i < kContactCount; ++i) {
        const ContactRec& contact = codeplug.Contact[i];
        const std::uint32_t indexAddress = address::ContactIndexEntry(i);
        const std::uint32_t bitmapByte =
            address::kContactBitmap + static_cast<std::uint32_t>(i / 8);
        if (contact.Used < 1) {
            // A free entry is always written and marked, so that the radio forgets the contact
            // that was there.
            index.fill(0xFF);
            image.CommData.write(indexAddress, index);
            image.MarkBlocksToWrite(4, indexAddress);
            image.MarkBlocksToWrite(1, bitmapByte);
            continue;
        }
        if (mark) {
            image.MarkBlocksToWrite(4, indexAddress);
            image.MarkBlocksToWrite(1, bitmapByte);
        }
        // After the compaction, entry i is slot i.
        PutLe32(index, static_cast<std::int64_t>(i));
        image.CommData.write(indexAddress, index);
        ClearBitmapBit(image.CommData, address::kContactBitmap, i);
        const std::uint32_t slotAddress = address::ContactSlot(i);
        std::array<std::uint8_t, kContactSlotSize> slot{};
        image.CommData.read(slotAddress, slot);
        if (!EncodeSlot(kContactLayout, contact, slot)) {
            image.EncodeFailed("SetCommDataByContactError");
            return;
        }
        image.CommData.write(slotAddress, slot);
        if (mark)
            image.MarkBlocksToWrite(kContactSlotSize, slotAddress);
    }
}

void GetContactFromCommData(CommImage& image, Codeplug& codeplug) {
    if (image.ModelSwitch < 1)
        return;
    std::array<std::uint8_t, 4> index{};
    for (std::size_t i = 0; i < kContactCount; ++i) {
        ContactRec& contact = codeplug.Contact[i];
        contact.Number = static_cast<std::int32_t>(i + 1);
        image.CommData.read(address::ContactIndexEntry(i), index);
        const std::uint32_t slotNumber = GetLe32(index);
        // A top byte of 0x80 or more is no contact.
        contact.Used =
            index[3] < 0x80 && !BitmapBit(image.CommData, address::kContactBitmap, i) ? 1 : 0;
        if (!contact.Used)
            continue;
        // A slot number beyond the table (damaged data) lies outside the contact records.
        if (slotNumber >= kContactCount) {
            contact.Used = 0;
            image.DecodeSkipped("Contact", i + 1, "its index entry names no contact record", index);
            continue;
        }
        std::array<std::uint8_t, kContactSlotSize> slot{};
        image.CommData.read(address::ContactSlot(slotNumber), slot);
        ContactRec decoded = contact;
        if (!DecodeSlot(kContactLayout, std::span<const std::uint8_t>(slot), decoded)) {
            contact.Used = 0; // an ID whose digits are not decimal: damaged data
            image.DecodeSkipped("Contact", i + 1, "its ID is not decimal digits",
                                std::span(slot).subspan<35, 4>());
            continue;
        }
        contact = std::move(decoded);
    }
}

void SetRxGroupToCommData(const Codeplug& codeplug, CommImage& image) {
    const bool mark = image.NeedMark(image.Changed.RxGroup);
    for (std::size_t g = 0; g < kRxGroupCount; ++g) {
        const RxGroupRec& group = codeplug.RxGroup[g];
        OrBitmapBit(image.CommData, address::kRxGroupBitmap, g, group.Used >= 1);
        if (group.Used < 1)
            continue;
        std::array<std::uint8_t, kRxGroupMarked> slot{};
        const std::uint32_t address = address::RxGroupSlot(g);
        image.CommData.read(address, slot);
        const std::size_t count = boundedCount(group.Count, kRxGroupMembers);
        for (std::size_t j = 0; j < kRxGroupMembers; ++j) {
            const auto member = std::span(slot).subspan(4 * j).first<4>();
            PutLe32(member, j < count ? group.Members[j] : -1);
        }
        PutText(std::span(slot).subspan(kRxGroupNameByte, 35), group.Name);
        slot[kRxGroupNameByte + 35] = 0;
        image.CommData.write(address, slot);
        if (mark)
            image.MarkBlocksToWrite(kRxGroupMarked, address);
    }
    image.MarkBlocksToWrite(32, address::kRxGroupBitmap);
}

void GetRxGroupFromCommData(CommImage& image, Codeplug& codeplug) {
    for (std::size_t g = 0; g < kRxGroupCount; ++g) {
        RxGroupRec& group = codeplug.RxGroup[g];
        group.Number = static_cast<std::int16_t>(g + 1);
        group.Used = BitmapBit(image.CommData, address::kRxGroupBitmap, g) ? 1 : 0;
        if (!group.Used)
            continue;
        std::array<std::uint8_t, kRxGroupMarked> slot{};
        image.CommData.read(address::RxGroupSlot(g), slot);
        group.Count = 0;
        for (std::size_t j = 0; j < kRxGroupMembers; ++j) {
            const auto member = std::span<const std::uint8_t>(slot).subspan(4 * j).first<4>();
            const std::uint32_t value = GetLe32(member);
            if (member[3] > 127 || value >= kContactCount)
                break;
            group.Members[static_cast<std::size_t>(group.Count++)] =
                static_cast<std::int32_t>(value);
        }
        // The radio gives back only the first 20 bytes of the name.
        group.Name = GetText(std::span<const std::uint8_t>(slot).subspan(kRxGroupNameByte, 20), 20);
    }
}

} // namespace r605

#pragma once
// Slot layouts as data: each row names a record member, its byte in the slot, and how it is
// stored (codec, bit position and width, text lengths). One generic encoder and decoder walk the
// rows, so a family's layout reads like the radio's own table and is written down once.
//
// Encoding works on a copy of the slot's bytes: bytes no row names keep what the image held, a
// byte holding bit fields is computed from its fields alone (bits no field names are 0).

#include "image/field_codecs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

namespace r605 {

enum class SlotCodec : std::uint8_t {
    Byte,     // the member's low byte
    Bits,     // `width` bits from bit `bit`
    Le16,     // 16-bit little-endian
    Le32,     // 32-bit little-endian
    Freq,     // frequency, 8 BCD digits of 10 Hz
    Bcd8,     // ID, 8 BCD digits
    Ref,      // 1-based reference as a 0-based byte (IndexToByte .., 255 / ByteToIndex .., max)
    Priority, // 1-based channel stored as value - 1, 16-bit (0 gives FF FF); v reads v + 1
    Text,     // `width` bytes written, `readLength` bytes read
    Bytes,    // a byte array as it stands
    Zero,     // a byte that is always 0
};

template <class Rec>
using SlotMember =
    std::variant<std::monostate, std::int16_t Rec::*, std::int32_t Rec::*, std::uint8_t Rec::*,
                 double Rec::*, std::string Rec::*, std::array<std::uint8_t, 8> Rec::*>;

template <class Rec> struct SlotField {
    SlotCodec codec;
    std::uint8_t byte;
    SlotMember<Rec> member{};
    std::uint8_t bit = 0;
    std::uint8_t width = 0;      // Bits: bit count; Text: bytes written; Ref: decode max
    std::uint8_t readLength = 0; // Text: bytes read (0: the same as written)

    static constexpr SlotField byteAt(std::uint8_t byte, SlotMember<Rec> member) {
        return {SlotCodec::Byte, byte, member};
    }
    static constexpr SlotField bitsAt(std::uint8_t byte, std::uint8_t bit, std::uint8_t width,
                                      SlotMember<Rec> member) {
        return {SlotCodec::Bits, byte, member, bit, width};
    }
    static constexpr SlotField le16At(std::uint8_t byte, SlotMember<Rec> member) {
        return {SlotCodec::Le16, byte, member};
    }
    static constexpr SlotField le32At(std::uint8_t byte, SlotMember<Rec> member) {
        return {SlotCodec::Le32, byte, member};
    }
    static constexpr SlotField freqAt(std::uint8_t byte, SlotMember<Rec> member) {
        return {SlotCodec::Freq, byte, member};
    }
    static constexpr SlotField bcdAt(std::uint8_t byte, SlotMember<Rec> member) {
        return {SlotCodec::Bcd8, byte, member};
    }
    static constexpr SlotField refAt(std::uint8_t byte, std::uint8_t decodeMax,
                                     SlotMember<Rec> member) {
        return {SlotCodec::Ref, byte, member, 0, decodeMax};
    }
    static constexpr SlotField priorityAt(std::uint8_t byte, SlotMember<Rec> member) {
        return {SlotCodec::Priority, byte, member};
    }
    static constexpr SlotField textAt(std::uint8_t byte, std::uint8_t length,
                                      std::uint8_t readLength, SlotMember<Rec> member) {
        return {SlotCodec::Text, byte, member, 0, length, readLength};
    }
    static constexpr SlotField bytesAt(std::uint8_t byte, SlotMember<Rec> member) {
        return {SlotCodec::Bytes, byte, member};
    }
    static constexpr SlotField zeroAt(std::uint8_t byte) { return {SlotCodec::Zero, byte}; }
};

namespace detail {

template <class Rec> std::int64_t memberValue(const Rec& record, const SlotMember<Rec>& member) {
    return std::visit(
        [&record](auto pointer) -> std::int64_t {
            using Pointer = decltype(pointer);
            if constexpr (std::is_same_v<Pointer, std::int16_t Rec::*> ||
                          std::is_same_v<Pointer, std::int32_t Rec::*> ||
                          std::is_same_v<Pointer, std::uint8_t Rec::*>)
                return record.*pointer;
            else
                return 0;
        },
        member);
}

template <class Rec>
void setMemberValue(Rec& record, const SlotMember<Rec>& member, std::int64_t value) {
    std::visit(
        [&record, value](auto pointer) {
            using Pointer = decltype(pointer);
            if constexpr (std::is_same_v<Pointer, std::int16_t Rec::*>)
                record.*pointer = static_cast<std::int16_t>(value);
            else if constexpr (std::is_same_v<Pointer, std::int32_t Rec::*>)
                record.*pointer = static_cast<std::int32_t>(value);
            else if constexpr (std::is_same_v<Pointer, std::uint8_t Rec::*>)
                record.*pointer = static_cast<std::uint8_t>(value);
        },
        member);
}

template <class Rec, class T> T Rec::*memberAs(const SlotMember<Rec>& member) {
    const auto* pointer = std::get_if<T Rec::*>(&member);
    return pointer ? *pointer : nullptr;
}

template <std::size_t N>
std::span<std::uint8_t, N> at(std::span<std::uint8_t> slot, std::size_t byte) {
    return slot.subspan(byte).template first<N>();
}
template <std::size_t N>
std::span<const std::uint8_t, N> at(std::span<const std::uint8_t> slot, std::size_t byte) {
    return slot.subspan(byte).template first<N>();
}

} // namespace detail

// Writes the record into the slot bytes. False when a value cannot be stored (a frequency or ID
// of more than eight digits); the slot is then incomplete and must not reach the image.
template <class Rec, std::size_t N>
bool EncodeSlot(const std::array<SlotField<Rec>, N>& layout, const Rec& record,
                std::span<std::uint8_t> slot) {
    for (const SlotField<Rec>& field : layout) {
        if (field.codec == SlotCodec::Bits)
            slot[field.byte] = 0;
    }
    for (const SlotField<Rec>& field : layout) {
        const std::int64_t value = detail::memberValue(record, field.member);
        switch (field.codec) {
        case SlotCodec::Byte:
            slot[field.byte] = static_cast<std::uint8_t>(value & 0xFF);
            break;
        case SlotCodec::Bits:
            // A sum, as the radio's packing is defined; the entry checks keep each value
            // inside its width so that nothing spills into the next field.
            slot[field.byte] = static_cast<std::uint8_t>(slot[field.byte] + (value << field.bit));
            break;
        case SlotCodec::Le16:
            PutLe16(detail::at<2>(slot, field.byte), value);
            break;
        case SlotCodec::Le32:
            PutLe32(detail::at<4>(slot, field.byte), value);
            break;
        case SlotCodec::Freq:
            if (!PutFreq(detail::at<4>(slot, field.byte),
                         record.*detail::memberAs<Rec, double>(field.member)))
                return false;
            break;
        case SlotCodec::Bcd8:
            if (!PutBcd8(detail::at<4>(slot, field.byte), value))
                return false;
            break;
        case SlotCodec::Ref:
            slot[field.byte] = IndexToByte(static_cast<int>(value), 255);
            break;
        case SlotCodec::Priority:
            PutLe16(detail::at<2>(slot, field.byte), value - 1);
            break;
        case SlotCodec::Text:
            PutText(slot.subspan(field.byte, field.width),
                    record.*detail::memberAs<Rec, std::string>(field.member));
            break;
        case SlotCodec::Bytes: {
            const auto& bytes =
                record.*detail::memberAs<Rec, std::array<std::uint8_t, 8>>(field.member);
            std::copy(bytes.begin(), bytes.end(), slot.begin() + field.byte);
            break;
        }
        case SlotCodec::Zero:
            slot[field.byte] = 0;
            break;
        }
    }
    return true;
}

// Fills the record's members from the slot bytes. False when a frequency or ID field does not
// hold decimal digits (an erased slot); the record is then incomplete and must not be used.
template <class Rec, std::size_t N>
bool DecodeSlot(const std::array<SlotField<Rec>, N>& layout, std::span<const std::uint8_t> slot,
                Rec& record) {
    for (const SlotField<Rec>& field : layout) {
        switch (field.codec) {
        case SlotCodec::Byte:
            detail::setMemberValue(record, field.member, slot[field.byte]);
            break;
        case SlotCodec::Bits:
            detail::setMemberValue(record, field.member,
                                   (slot[field.byte] >> field.bit) & ((1 << field.width) - 1));
            break;
        case SlotCodec::Le16:
            detail::setMemberValue(record, field.member, GetLe16(detail::at<2>(slot, field.byte)));
            break;
        case SlotCodec::Le32:
            detail::setMemberValue(record, field.member, GetLe32(detail::at<4>(slot, field.byte)));
            break;
        case SlotCodec::Freq: {
            const auto frequency = GetFreq(detail::at<4>(slot, field.byte));
            if (!frequency)
                return false;
            record.*detail::memberAs<Rec, double>(field.member) = *frequency;
            break;
        }
        case SlotCodec::Bcd8: {
            const auto value = GetBcd8(detail::at<4>(slot, field.byte));
            if (!value)
                return false;
            detail::setMemberValue(record, field.member, *value);
            break;
        }
        case SlotCodec::Ref:
            detail::setMemberValue(record, field.member,
                                   ByteToIndex(slot[field.byte], field.width));
            break;
        case SlotCodec::Priority:
            // Every 16-bit value comes back: FF FF as 0 (none), a value beyond the channels
            // as it came (naming none), 0x7FFF and above wrapping into the negative 16-bit
            // values that write back as the same bytes.
            detail::setMemberValue(record, field.member,
                                   GetLe16(detail::at<2>(slot, field.byte)) + 1);
            break;
        case SlotCodec::Text: {
            const std::uint8_t length = field.readLength ? field.readLength : field.width;
            record.*detail::memberAs<Rec, std::string>(field.member) =
                GetText(slot.subspan(field.byte, length), field.width);
            break;
        }
        case SlotCodec::Bytes: {
            auto& bytes = record.*detail::memberAs<Rec, std::array<std::uint8_t, 8>>(field.member);
            std::copy_n(slot.begin() + field.byte, bytes.size(), bytes.begin());
            break;
        }
        case SlotCodec::Zero:
            break;
        }
    }
    return true;
}

} // namespace r605

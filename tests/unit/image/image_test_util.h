#pragma once
// Small helpers of the image tests: bytes of the image as text, a codeplug to start from.

#include "image/memory_image.h"
#include "schema/new_codeplug.h"
#include "test_support.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

namespace r605::test {

inline std::string imageHex(const MemoryImage& image, std::uint32_t address, std::size_t length) {
    std::vector<std::uint8_t> bytes(length);
    image.read(address, bytes);
    return hex(bytes);
}

inline BandRanges uhfRanges() {
    return bandRangesForCode(0).value();
}

// The new UHF codeplug with every record out of use: tests add exactly what they need.
inline Codeplug emptyCodeplug() {
    Codeplug codeplug = NewCodeplug(0, uhfRanges());
    for (ChannelRec& channel : codeplug.Channel)
        channel.Used = 0;
    for (ContactRec& contact : codeplug.Contact)
        contact.Used = 0;
    codeplug.RoamChannel[0].Used = 0;
    codeplug.RoamZone[0].Used = 0;
    return codeplug;
}

} // namespace r605::test

namespace r605 {

// Records print field by field in test failures.
template <DescribedRecord Record> void PrintTo(const Record& record, std::ostream* out) {
    *out << "{";
    forEachField(record, [out](const Field& field, const auto& member) {
        using T = std::remove_cvref_t<decltype(member)>;
        *out << " " << field.name << "=";
        if constexpr (std::is_same_v<T, std::string>)
            *out << '"' << member << '"';
        else if constexpr (std::is_arithmetic_v<T>)
            *out << +member;
        else if constexpr (DescribedRecord<T>)
            PrintTo(member, out);
        else {
            for (const auto& element : member) {
                if constexpr (DescribedRecord<std::remove_cvref_t<decltype(element)>>)
                    PrintTo(element, out);
                else
                    *out << +element << ",";
            }
        }
    });
    *out << " }";
}

} // namespace r605

#pragma once
// The size of a record written field by field with no padding: 16-bit fields 2 bytes, byte fields
// 1, 32-bit fields 4, doubles 8, texts their fixed length, arrays their elements. This is the
// record layout of codeplug files.

#include "model/field.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace r605 {

namespace detail {

template <class T> std::size_t packedMemberSize(const Field& field, const T& member);

template <DescribedRecord Record> std::size_t packedRecordSize(const Record& record) {
    std::size_t size = 0;
    forEachField(record, [&size](const Field& field, const auto& member) {
        size += packedMemberSize(field, member);
    });
    return size;
}

template <class T> std::size_t packedMemberSize(const Field& field, const T& member) {
    if constexpr (std::is_same_v<T, std::string>) {
        return field.length;
    } else if constexpr (std::is_arithmetic_v<T>) {
        return sizeof(T);
    } else if constexpr (DescribedRecord<T>) {
        return packedRecordSize(member);
    } else {
        std::size_t size = 0;
        for (const auto& element : member)
            size += packedMemberSize(field, element);
        return size;
    }
}

} // namespace detail

template <DescribedRecord Record> std::size_t packedSize() {
    return detail::packedRecordSize(Record{});
}

} // namespace r605

#pragma once
// A record as a flat list of its stored values, by the names its field description gives them
// ("RxFreq", "Codes[3].Digits", "Area2500000+0x0010"): what the comparison lists for the fields
// no column shows and for the families without columns (single records, the raw areas whose
// layout is not known). Byte areas are cut into rows of 16 bytes in hexadecimal, as the image
// command prints them, so that a changed byte costs one line and not the whole area.

#include "model/field.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace r605 {

struct RecordLeaf {
    std::string name;  // the field's path
    std::string field; // the top-level field it belongs to
    std::string text;
};

namespace leaves {

inline constexpr std::size_t kBytesPerRow = 16;

std::string numberText(double value);
std::string textValue(const std::string& value);
std::string byteRow(const std::uint8_t* bytes, std::size_t count);
std::string offsetText(std::size_t offset);

template <class T> struct IsArray : std::false_type {};
template <class T, std::size_t N> struct IsArray<std::array<T, N>> : std::true_type {};

template <class T>
void add(const std::string& path, const std::string& field, const T& value,
         std::vector<RecordLeaf>& out) {
    if constexpr (std::is_same_v<T, std::string>) {
        out.push_back({path, field, textValue(value)});
    } else if constexpr (std::is_floating_point_v<T>) {
        out.push_back({path, field, numberText(value)});
    } else if constexpr (std::is_integral_v<T>) {
        out.push_back({path, field, std::to_string(static_cast<long long>(value))});
    } else if constexpr (IsArray<T>::value) {
        using E = typename T::value_type;
        if constexpr (std::is_same_v<E, std::uint8_t>) {
            for (std::size_t k = 0; k < value.size(); k += kBytesPerRow) {
                const std::size_t count = std::min(kBytesPerRow, value.size() - k);
                out.push_back({path + "+" + offsetText(k), field, byteRow(&value[k], count)});
            }
        } else {
            for (std::size_t k = 0; k < value.size(); ++k)
                add(path + "[" + std::to_string(k) + "]", field, value[k], out);
        }
    } else {
        static_assert(DescribedRecord<T>, "a field of a kind the comparison does not know");
        forEachField(value, [&](const Field& inner, const auto& member) {
            add(path + "." + std::string(inner.name), field, member, out);
        });
    }
}

} // namespace leaves

// The stored values of a record in description order. The record's own number is left out (it
// says where the record is, not what it holds), and so are the fields the radio never holds. A
// value without a field description (the user's five-tone set, an array) is one field named
// `rootName`.
template <class R>
std::vector<RecordLeaf> recordLeaves(const R& record, std::string_view rootName = {}) {
    std::vector<RecordLeaf> out;
    if constexpr (DescribedRecord<R>) {
        forEachField(record, [&](const Field& field, const auto& member) {
            if (field.use == FieldUse::Number || field.use == FieldUse::Unencoded)
                return;
            const std::string name(field.name);
            leaves::add(name, name, member, out);
        });
    } else {
        const std::string name(rootName);
        leaves::add(name, name, record, out);
    }
    return out;
}

// The descriptions of a record type's top-level fields.
template <class R> std::vector<Field> fieldsOf() {
    std::vector<Field> fields;
    R record{};
    if constexpr (DescribedRecord<R>)
        forEachField(record, [&](const Field& field, auto&) { fields.push_back(field); });
    return fields;
}

} // namespace r605

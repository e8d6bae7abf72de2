#pragma once
// The one description of every record field: its name (the name files, JSON and the editors
// use), the values it may hold and what kind of value it is. Each record lists its fields in
// declaration order in a static `describe` function:
//
//     template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
//         visit(Field::number("Number", 256), r.Number);
//         ...
//     }
//
// The visitor receives the description and a reference to the member (int16_t, int32_t,
// uint8_t, double, std::string, std::array of those, a described record or an array of
// described records). The .rdt format writes the members in this order with these widths; the
// JSON form and the editors take names and ranges from here.

#include <cstdint>
#include <limits>
#include <string_view>
#include <type_traits>
#include <utility>

namespace r605 {

enum class FieldUse : std::uint8_t {
    Value,     // a number or a text as the radio or the file holds it
    Number,    // the record's own number (position + 1), set from its place in the table
    Unencoded, // a field without a name of its own that the image never holds (files keep it)
    Frequency, // MHz, checked against the codeplug's band
    HexText,   // a text of hexadecimal digits (keys, DTMF codes)
    DigitText, // a text of decimal digits
};

struct Field {
    std::string_view name;
    double min = 0;
    double max = -1;          // max < min: every value of the member's type
    std::uint16_t length = 0; // fixed-length texts: the field's length in code-page-936 bytes
    FieldUse use = FieldUse::Value;

    bool hasRange() const { return max >= min; }

    static constexpr Field range(std::string_view name, double min, double max) {
        return Field{name, min, max, 0, FieldUse::Value};
    }
    static constexpr Field any(std::string_view name) { return Field{name}; }
    static constexpr Field flag(std::string_view name) { return range(name, 0, 1); }
    static constexpr Field bits(std::string_view name, int width) {
        return range(name, 0, (1 << width) - 1);
    }
    static constexpr Field number(std::string_view name, double count) {
        return Field{name, 1, count, 0, FieldUse::Number};
    }
    static constexpr Field unencoded(std::string_view name) {
        return Field{name, 0, -1, 0, FieldUse::Unencoded};
    }
    static constexpr Field text(std::string_view name, std::uint16_t length) {
        return Field{name, 0, -1, length, FieldUse::Value};
    }
    static constexpr Field hexText(std::string_view name, std::uint16_t length) {
        return Field{name, 0, -1, length, FieldUse::HexText};
    }
    static constexpr Field digitText(std::string_view name, std::uint16_t length) {
        return Field{name, 0, -1, length, FieldUse::DigitText};
    }
    // Frequencies in MHz: eight digits of 10 Hz in the image, so below 1000 MHz.
    static constexpr Field frequency(std::string_view name) {
        return Field{name, 0, 999.99999, 0, FieldUse::Frequency};
    }
};

// A record type with a field description.
template <class T>
concept DescribedRecord = requires(T& record) {
    T::describe(record, [](const Field&, auto&) {});
};

// Calls visit(field, member) for every field of the record, in declaration order.
template <class Record, class Visit> void forEachField(Record& record, Visit&& visit) {
    std::remove_const_t<Record>::describe(record, visit);
}

// The full range of an integer member type, for fields without a range of their own.
template <class T> constexpr double typeMin() {
    return static_cast<double>(std::numeric_limits<T>::min());
}
template <class T> constexpr double typeMax() {
    return static_cast<double>(std::numeric_limits<T>::max());
}

} // namespace r605

#pragma once
// The one description of every record field: its name (the name files, JSON and the editors
// use), the values the editors allow, the values it can store and what kind of value it is. Each
// record lists its fields in declaration order in a static `describe` function:
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

#include <algorithm>
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

// Two ranges describe a number: what the editors let a user enter (min .. max), and what the
// field can store (its member type, narrowed where the image or the file packs it into fewer
// bits). A codeplug read from a radio or a file may hold any value the storage holds; files and
// JSON keep such values (with a warning), the editors keep theirs in range.
struct Field {
    std::string_view name;
    double min = 0;
    double max = -1;          // the editors' range; max < min: every value the field stores
    std::uint16_t length = 0; // fixed-length texts: the field's length in code-page-936 bytes
    FieldUse use = FieldUse::Value;
    double storedMin = 0;
    double storedMax = -1; // what the field stores; max < min: every value of its member type

    constexpr bool hasRange() const { return max >= min; }
    constexpr bool hasStoredRange() const { return storedMax >= storedMin; }

    // The same field, storing only storedMin .. storedMax.
    constexpr Field stored(double low, double high) const {
        Field field = *this;
        field.storedMin = low;
        field.storedMax = high;
        return field;
    }
    // The same field, packed into `width` bits (values 0 .. 2^width - 1; more would spill into
    // the next field).
    constexpr Field packed(int width) const { return stored(0, (1 << width) - 1); }

    static constexpr Field range(std::string_view name, double min, double max) {
        return Field{name, min, max, 0, FieldUse::Value};
    }
    static constexpr Field any(std::string_view name) { return Field{name}; }
    static constexpr Field flag(std::string_view name) { return bits(name, 1); }
    // A bit field of the image or the file: entered and stored in `width` bits.
    static constexpr Field bits(std::string_view name, int width) {
        return range(name, 0, (1 << width) - 1).packed(width);
    }
    // The number of members of a list: at most its capacity, which is also all it can store.
    static constexpr Field count(std::string_view name, double capacity) {
        return range(name, 0, capacity).stored(0, capacity);
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
    // An ID as the image's eight BCD digits: 0 .. 99999999, entered and stored.
    static constexpr Field bcdId(std::string_view name) {
        return range(name, 0, 99999999).stored(0, 99999999);
    }
    // MHz as the image's eight digits of 10 Hz: below 1000 MHz, entered and stored.
    static constexpr Field megahertz(std::string_view name) {
        return range(name, 0, 999.99999).stored(0, 999.99999);
    }
    // A frequency of the band: the editors keep it inside the codeplug's band, on the channel
    // raster; what it stores are the image's eight digits.
    static constexpr Field frequency(std::string_view name) {
        Field field = megahertz(name);
        field.use = FieldUse::Frequency;
        return field;
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

struct ValueRange {
    double min = 0;
    double max = 0;
    bool contains(double value) const { return value >= min && value <= max; }
};

// What a member of type T described by `field` can store.
template <class T> constexpr ValueRange storedRange(const Field& field) {
    ValueRange range{-std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    if constexpr (std::is_integral_v<T>)
        range = {typeMin<T>(), typeMax<T>()};
    if (field.hasStoredRange())
        range = {std::max(range.min, field.storedMin), std::min(range.max, field.storedMax)};
    return range;
}

// What the editors let a user enter into it (always inside what it stores).
template <class T> constexpr ValueRange editorRange(const Field& field) {
    ValueRange range = storedRange<T>(field);
    if (field.hasRange())
        range = {std::max(range.min, field.min), std::min(range.max, field.max)};
    return range;
}

} // namespace r605

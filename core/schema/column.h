#pragma once
// The columns of a family: what each field of its records means, once. A column knows its kind
// (a text of so many bytes, a frequency, an option with its value texts, a reference into
// another family with its base and its "none", on/off, a number range, hexadecimal or digit
// text, a member list, a tone), how to show a record's value as the text of a cell, and how to
// take a cell's text back into a record, checking it as the editors check it. The grids, the
// list files, the JSON form and the editors all take names, ranges and texts from here.

#include "base/result.h"
#include "rules/band.h"
#include "schema/family.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace r605 {

class Language;
struct Codeplug;

enum class ColumnKind : std::uint8_t {
    Number,     // the record's own number (position + 1)
    Text,       // a fixed-length text of `length` code-page-936 bytes
    Frequency,  // MHz with five decimals, inside the band's receive ranges
    Enumerated, // an option: its values shown as interface texts, value 0 first
    OnOff,      // an option shown as Off / On
    Integer,    // a whole number in [min, max]
    Decimal,    // a number with `decimals` places, held as whole tenths (or hundredths ...)
    HexText,    // a text of hexadecimal digits, at most `length`
    DigitText,  // a text of decimal digits, at most `length`
    Reference,  // one record of another family, shown by its name
    Members,    // a list of records of another family, names joined with "|"
    Tone,       // a channel's CTCSS or DCS signalling as the channel grid shows it
};

// A reference field: the family it points into, the value that stands for the target's first
// entry (0 for 0-based fields, 1 for 1-based ones) and the value that stands for none. Values
// that name no in-use record of the target count as none where they are used, but are kept.
struct ReferenceRule {
    Family target;
    int base = 0;
    std::int64_t none = -1;
};

struct ColumnInfo {
    ColumnInfo(std::string_view columnName, ColumnKind columnKind,
               std::string_view fieldName = {})
        : name(columnName), field(fieldName.empty() ? columnName : fieldName), kind(columnKind) {}

    // What the column shows ("BusyLock"), and the record's member that holds it ("Nibble26Lo");
    // the two are the same for fields with a name of their own. Derived values ("TxFreq",
    // "RxTone") name the member they start from.
    std::string_view name;
    std::string_view field;
    ColumnKind kind;
    int length = 0;                        // bytes of a text, digits of a hex or digit text
    std::span<const TextKey> valueTexts{}; // Enumerated: value texts; values past them as numbers
    std::int64_t min = 0;                  // Integer, Enumerated, Decimal (in stored units)
    std::int64_t max = 0;
    int decimals = 0;                       // Decimal
    std::optional<ReferenceRule> reference; // Reference and Members
};

// What showing and reading cells needs besides the codeplug: the language of the value texts
// and the band that frequencies must lie in.
struct ColumnContext {
    const Language& language;
    BandRanges bands;
};

// Where a value was refused: the family, the record (0-based entry) and the column, and for
// files the line and column of the cell.
struct CellPlace {
    Family family;
    std::size_t entry = 0;
    std::string_view column;
    int fileLine = 0;   // 0 when the value does not come from a file
    int fileColumn = 0; // 1-based
};

// "Channel 5, RxFreq" or "line 12, column 3 (Channel 5, RxFreq)".
std::string describePlace(const CellPlace& place);

// The error of a cell that was refused, its place put before its message.
Error placeError(const CellPlace& place, Error error);

} // namespace r605

#pragma once
// The conversions of list cells, both ways: numbers, frequencies, texts of fixed-length fields,
// enumerated options as the interface texts of their values, and member lists joined with "|".
// A cell that does not convert gives a message for the user; the import adds the file, the
// line and the column.

#include "base/result.h"
#include "rules/band.h"
#include "text/language.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

// Members of a zone, scan list or receive group list share one cell, separated by this
// character (which the editors refuse in names).
inline constexpr char kMemberSeparator = '|';

// "#0.00000": MHz with five decimals.
std::string FrequencyCell(double frequency);

// A frequency cell through the band check: a number inside one of the band's receive ranges,
// snapped to the 50 Hz raster and held to 10 Hz. Anything else fails: an out-of-band frequency
// is refused rather than moved to a band limit, since a channel plan for another band would
// otherwise turn into channels on the band edge without a word.
Result<double> ParseFrequencyCell(std::string_view cell, const BandRanges& bands,
                                  const Language& language);

// An integer cell within [min, max].
Result<std::int64_t> ParseIntegerCell(std::string_view cell, std::int64_t min, std::int64_t max);

// A text for a fixed-length field: blanks at either end dropped, then cut to the field's length
// in code-page-936 bytes (as the editors cut a name that is too long), trailing blanks removed.
std::string TextFieldCell(std::string_view cell, std::size_t maxBytes);

// The value texts of an enumerated option in one language, value 0 first.
class ValueTexts {
public:
    ValueTexts(std::span<const TextKey> keys, const Language& language);

    // The text of a value; values without a text of their own (an option the editors do not
    // list) are written as their number, so that nothing a radio holds is lost on the way.
    std::string text(int value) const;
    // A value text (compared exactly, then ignoring the case of Latin letters) or a number in
    // [min, max]; anything else fails, listing the texts that are understood.
    Result<int> parse(std::string_view cell, int min, int max) const;

private:
    std::vector<std::string> m_texts;
};

// Member cells: the names joined, and a cell split at every separator (parts as written; the
// reference resolution trims them and puts back together a name that holds the separator).
std::string JoinMembers(std::span<const std::string> names);
std::vector<std::string_view> SplitMembers(std::string_view cell);

} // namespace r605

#pragma once
// The text of cells, both ways: whole numbers, numbers with decimals, frequencies, texts of
// fixed-length fields, options shown as the interface texts of their values, digit texts and
// member lists joined with "|". The columns of every family show and read their cells through
// these; a text that does not convert gives a message for the user, to which the caller adds the
// place (the record and column, or the file, line and column).

#include "base/result.h"
#include "rules/band.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

class Language;

// Members of a zone, scan list or receive group list share one cell, separated by this
// character (which the editors refuse in names).
inline constexpr char kMemberSeparator = '|';

namespace cells {

// A text between double quotes, as messages quote what the user typed.
std::string quoted(std::string_view text);

// A text field as it is shown, and as names are compared when a reference travels as the
// referenced record's name: cut by TrimAtNull, without blanks at either end.
std::string text(std::string_view value);
// The same text as a view into `value`.
std::string_view textView(std::string_view value);

// A text for a fixed-length field: blanks at either end dropped, then cut to the field's length
// in code-page-936 bytes (as the editors cut a name that is too long), trailing blanks removed.
std::string fixedText(std::string_view text, std::size_t maxBytes);

std::string integerText(std::int64_t value);
// A whole number within [min, max].
Result<std::int64_t> integer(std::string_view text, std::int64_t min, std::int64_t max);

// A number held in units of 10^-decimals ("251.1" for 2511 tenths), both ways; `what` and `unit`
// name it in the refusal ("not a tone from 0.0 to 260.0 Hz").
std::string decimal(std::int64_t value, int decimals);
Result<std::int64_t> decimal(std::string_view text, std::int64_t min, std::int64_t max,
                             int decimals, std::string_view what = "a number",
                             std::string_view unit = {});

// "#0.00000": MHz with five decimals.
std::string frequency(double value);
// A frequency through the band check: a number inside one of the band's receive ranges, snapped
// to the 50 Hz raster and held to 10 Hz. Anything else fails: an out-of-band frequency is
// refused rather than moved to a band limit, since a channel plan for another band would
// otherwise turn into channels on the band edge without a word.
Result<double> frequency(std::string_view text, const BandRanges& bands, const Language& language);

// An option by the interface texts of its values (value 0 first). A value without a text of its
// own (an option the editors do not list, which a radio may hold) is shown as its number, so
// that nothing is lost on the way out and back in. Read back: a value text (compared exactly,
// then ignoring the case of Latin letters) or a number in [min, max]; anything else fails,
// listing the texts that are understood.
std::string option(std::span<const TextKey> texts, std::int64_t value, const Language& language);
Result<std::int64_t> option(std::span<const TextKey> texts, std::string_view text, std::int64_t min,
                            std::int64_t max, const Language& language);

// Texts of hexadecimal (0-9, A-F, kept in upper case) or decimal digits, at most `length`;
// blanks at either end dropped.
Result<std::string> hexDigits(std::string_view text, int length);
Result<std::string> decimalDigits(std::string_view text, int length);

// Member cells: the names joined, and a cell split at every separator (parts as written; the
// reader trims them and puts back together a name that holds the separator).
std::string joinMembers(std::span<const std::string> names);
std::vector<std::string_view> splitMembers(std::string_view text);

// "2026-12-06" and "14:05:09" of a logged moment.
std::string date(int year, int month, int day);
std::string time(int hour, int minute, int second);

} // namespace cells

} // namespace r605

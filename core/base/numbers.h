#pragma once
// Locale-independent number parsing and formatting. Frequencies and tones are always written
// and read with a decimal point, whatever the user's locale says.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace r605 {

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// The radio software rounds this way everywhere (frequencies, percentages, tones).
double roundHalfEven(double value);
std::int64_t roundHalfEvenToInt(double value);

// A decimal number as a user or a file writes it: optional blanks around it, an optional sign,
// digits with an optional point ("438.5", ".5", "12."), an optional exponent. Nothing else.
std::optional<double> parseNumber(std::string_view text);
std::optional<std::int64_t> parseInteger(std::string_view text);
bool isNumeric(std::string_view text);

// Fixed-point text with exactly `decimals` decimals and at least one integer digit, as the
// formats "#0.00000" (decimals 5) and "#0.0" (decimals 1) give it.
std::string formatFixed(double value, int decimals);

// Removes blanks (spaces, tabs) from both ends.
std::string_view trimBlanks(std::string_view text);

} // namespace r605

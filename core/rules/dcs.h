#pragma once
// DCS codes. A channel holds its DCS choice as a number 0..1023: the 9-bit code (three octal
// digits) plus 512 for inverted polarity. Every 9-bit value is offered, not only the codes of
// the DCS standard, because radios in the field use codes outside it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

inline constexpr int kDcsCount = 1024;
inline constexpr int kDcsInvertedOffset = 512;

// The value in octal, cut to its last `width` digits when longer, zero-filled on the left when
// shorter ("" for a width of 0 or less).
std::string OctalDigits(std::uint32_t value, int width);

// "D" + three octal digits + "N" for 0..511, "I" for 512..1023 (D000N ... D777N, D000I ...
// D777I); "" outside 0..1023.
std::string DcsText(int number);

// The inverse of DcsText: "D023N" -> 19, "D023I" -> 531. Blanks around the text are ignored and
// the letters may be in either case, so that a list edited in a spreadsheet still reads.
std::optional<int> DcsPosition(std::string_view text);

// The main window's in-place DCS list: the 512 normal codes written "000N" ... "777N"; the
// entry at index n is code n.
std::vector<std::string> ComboDcsEntries();

} // namespace r605

#pragma once
// CTCSS tones. A channel holds its CTCSS choice as a position in a fixed list of 51 standard
// tones followed by the entry "Define", which stands for the channel's own user-defined tone
// (CustomCtcss, in tenths of a hertz).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace r605 {

inline constexpr int kCtcssCount = 52;
inline constexpr int kCtcssDefinePosition = 51; // "Define": the channel's CustomCtcss

// The user-defined tone: limits in hertz, and what an unreadable entry becomes (251.1 Hz, the
// value a new channel starts with).
inline constexpr double kUserCtcssLow = 50.0;
inline constexpr double kUserCtcssHigh = 260.0;
inline constexpr std::uint16_t kUserCtcssDefault = 2511;

// The 52 entries as the editors list them: "62.5" ... "254.1", "Define". The APRS editor offers
// only the first 51 (no "Define").
std::span<const std::string_view, kCtcssCount> ctcssEntries();

// The entry at a position; "" outside 0..51.
std::string_view CtcssText(int position);
// The position of an entry text (first match, exact text); nothing when the text is no entry.
std::optional<int> CtcssPosition(std::string_view text);

struct UserCtcss {
    std::string text;    // what the field shows, "#0.0"
    std::uint16_t value; // what the channel stores in CustomCtcss: tenths of a hertz
};

// The user-defined CTCSS field after the user leaves it: a number is clamped to 50.0..260.0 Hz,
// anything else becomes 251.1 Hz; the stored value is the shown value x 10, halves to even.
UserCtcss NormaliseUserCtcss(std::string_view text);

} // namespace r605

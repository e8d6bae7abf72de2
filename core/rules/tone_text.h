#pragma once
// The text of a channel's receive or transmit tone as the channel grid, the channel editor and
// the channel list files show it: the no-tone caption, a CTCSS frequency ("67.0", or the
// channel's user-defined tone "251.1"), or a DCS code ("D023N", "D023I"). Also the way back
// from such a text to the record's fields, for lists edited outside the program.

#include "base/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace r605 {

class Language;

// Values of RxToneType and TxToneType.
inline constexpr int kToneTypeNone = 0;
inline constexpr int kToneTypeCtcss = 1;
inline constexpr int kToneTypeDcs = 2;

// One direction's signalling as a channel holds it (RxToneType/RxCtcss/RxDcs or the Tx fields).
struct ToneChoice {
    int toneType = kToneTypeNone;
    int ctcss = 0; // position in the CTCSS list; 51 = the channel's CustomCtcss
    int dcs = 0;   // DCS number: 9-bit code, + 512 when inverted
    bool operator==(const ToneChoice&) const = default;
};

// Type 0 gives `noToneText` (interface text 10050); type 1 the CTCSS entry, the user-defined
// position shown as customCtcss / 10 with one decimal; type 2 "D", the low 9 bits of the code as
// three octal digits and "I" when the code is 512 or more, else "N". An unknown type or a CTCSS
// position outside the list gives "".
std::string ToneText(const ToneChoice& tone, int customCtcss, std::string_view noToneText);
std::string ToneText(const ToneChoice& tone, int customCtcss, const Language& language);

struct ParsedTone {
    ToneChoice tone;                          // fields that the type does not use are 0
    std::optional<std::uint16_t> customCtcss; // set when the text is a non-standard frequency
    bool operator==(const ParsedTone&) const = default;
};

// Reads a tone text back. Accepted: the no-tone text or an empty cell (no tone); a DCS text
// ("D023N", any letter case); a CTCSS frequency compared by value to a tenth of a hertz, so that
// "100" from a spreadsheet that dropped the ".0" still reads as 100.0 Hz; "Define" (position 51
// with the channel's own tone kept). A frequency that is no list entry but lies in 50.0..260.0 Hz
// becomes the user-defined tone. A frequency equal to a list entry reads as that entry, even if
// it was written from the user-defined position: the radio sends the same tone either way.
// Anything else is an error naming the text.
Result<ParsedTone> ParseToneText(std::string_view text, std::string_view noToneText);
Result<ParsedTone> ParseToneText(std::string_view text, const Language& language);

} // namespace r605

#pragma once
// The user-defined five-tone set of a codeplug: the audio frequency of each digit 0..F in tenths
// of a hertz (288.5 Hz is 2885), as signed 16-bit values.

#include <array>
#include <cstdint>

namespace r605 {

using UserToneSet = std::array<std::int16_t, 16>;
static_assert(sizeof(UserToneSet) == 32);

} // namespace r605

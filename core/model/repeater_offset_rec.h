#pragma once
// The automatic repeater offsets: 250 entries of two values, the offset a channel in a repeater
// sub-band gets when the radio sets the offset itself. Their place in the radio's memory is not
// known; they live in the codeplug and its files.
//
// Our layout (the file writes these fields in this order, 8 bytes):
//   Offset     32-bit  the offset in 10 Hz units (600 kHz is 60000)
//   Direction  32-bit  0 simplex, 1 transmit above receive, 2 below

#include "model/field.h"

#include <cstdint>

namespace r605 {

inline constexpr std::size_t kRepeaterOffsetCount = 250;

struct RepeaterOffsetRec {
    std::int32_t Offset = 0;
    std::int32_t Direction = 0;

    bool operator==(const RepeaterOffsetRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::range("Offset", 0, 99999999), r.Offset);
        visit(Field::range("Direction", 0, 2), r.Direction);
    }
};

} // namespace r605

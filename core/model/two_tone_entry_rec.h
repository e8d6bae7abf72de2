#pragma once
// The 2-tone entries: 16 named tone pairs that the 2-tone editor offers. The radio's own 2-tone
// areas are carried byte for byte in TwoToneAreas; these entries live in the codeplug and its
// files.
//
// Our layout (the file writes these fields in this order, 24 bytes):
//   Number      16-bit   entry + 1
//   Used        16-bit   1 = in use
//   FirstTone   16-bit   tenths of a hertz
//   SecondTone  16-bit   tenths of a hertz
//   Name        16 bytes

#include "model/field.h"

#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kTwoToneEntryCount = 16;

struct TwoToneEntryRec {
    std::int16_t Number = 0;
    std::int16_t Used = 0;
    std::int16_t FirstTone = 0;
    std::int16_t SecondTone = 0;
    std::string Name; // 16 bytes

    bool operator==(const TwoToneEntryRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kTwoToneEntryCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::range("FirstTone", 0, 32767), r.FirstTone);
        visit(Field::range("SecondTone", 0, 32767), r.SecondTone);
        visit(Field::text("Name", 16), r.Name);
    }
};

} // namespace r605

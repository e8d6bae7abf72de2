#pragma once
// A radio ID of the Person table (250 entries): an ID with which the radio transmits.

#include "model/field.h"

#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kPersonCount = 250;

struct PersonRec {
    std::int16_t Number = 0;
    std::int16_t Used = 0;
    std::int32_t Id = 0; // at most 8 decimal digits (BCD in the image)
    std::int16_t Byte4 = 0;
    std::string Name; // 16 bytes

    bool operator==(const PersonRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kPersonCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::bcdId("Id"), r.Id);
        visit(Field::range("Byte4", 0, 255), r.Byte4);
        visit(Field::text("Name", 16), r.Name);
    }
};

} // namespace r605

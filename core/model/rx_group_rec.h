#pragma once
// A receive group list of the RxGroup table (250 entries): the group contacts a radio listens to.

#include "model/field.h"
#include "model/table.h"

#include <array>
#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kRxGroupCount = 250;
inline constexpr std::size_t kRxGroupMembers = 64;

struct RxGroupRec {
    std::int16_t Number = 0;
    std::int16_t Used = 0;
    std::string Name; // 35 bytes (the radio gives back only the first 20)
    std::int16_t Count = 0;
    std::array<std::int32_t, kRxGroupMembers> Members =
        filledArray<std::int32_t, kRxGroupMembers>(-1); // 0-based contact entries

    bool operator==(const RxGroupRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kRxGroupCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::text("Name", 35), r.Name);
        visit(Field::count("Count", kRxGroupMembers), r.Count);
        visit(Field::any("Members"), r.Members); // members below Count: 0 .. 9999
    }
};

} // namespace r605

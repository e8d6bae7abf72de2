#pragma once
// A zone of the Zone table (16 entries): up to 16 channels shown together on the radio.

#include "model/field.h"
#include "model/table.h"

#include <array>
#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kZoneCount = 16;
inline constexpr std::size_t kZoneMembers = 16;

struct ZoneRec {
    std::int16_t Number = 0;
    std::int16_t Used = 0;
    std::int16_t Count = 0;
    std::array<std::int16_t, kZoneMembers> Members =
        filledArray<std::int16_t, kZoneMembers>(-1); // 0-based channel entries
    // The zone's two selected channels (0-based channel entries). The image does not hold them;
    // files and lists do, and the channel repair keeps them on members of the zone.
    std::int16_t Selected1 = 0;
    std::int16_t Selected2 = 1;
    std::string Name; // 16 bytes

    bool operator==(const ZoneRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kZoneCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::count("Count", kZoneMembers), r.Count);
        visit(Field::any("Members"), r.Members); // members below Count: used channels
        visit(Field::range("Selected1", 0, 255), r.Selected1);
        visit(Field::range("Selected2", 0, 255), r.Selected2);
        visit(Field::text("Name", 16), r.Name);
    }
};

} // namespace r605

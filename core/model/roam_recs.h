#pragma once
// Roaming: the RoamChannel table (250 frequency pairs) and the RoamZone table (64 zones of up to
// 64 roaming channels).

#include "model/field.h"
#include "model/table.h"

#include <array>
#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kRoamChannelCount = 250;
inline constexpr std::size_t kRoamZoneCount = 64;
inline constexpr std::size_t kRoamZoneMembers = 64;

// Roaming channels carry no number of their own: their place in the table is their number.
struct RoamChannelRec {
    std::int16_t Used = 0;
    double RxFreq = 0;
    double TxFreq = 0;
    std::uint8_t Byte20 = 0;
    std::uint8_t Byte21 = 0;
    std::string Name; // 16 bytes

    bool operator==(const RoamChannelRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::flag("Used"), r.Used);
        visit(Field::frequency("RxFreq"), r.RxFreq);
        visit(Field::frequency("TxFreq"), r.TxFreq);
        visit(Field::any("Byte20"), r.Byte20);
        visit(Field::any("Byte21"), r.Byte21);
        visit(Field::text("Name", 16), r.Name);
    }
};

struct RoamZoneRec {
    std::int16_t Number = 0;
    std::int16_t Used = 0;
    std::string Name; // 16 bytes
    std::int16_t Count = 0;
    std::array<std::int16_t, kRoamZoneMembers> Members{}; // 0-based roaming-channel entries

    bool operator==(const RoamZoneRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kRoamZoneCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::text("Name", 16), r.Name);
        visit(Field::count("Count", kRoamZoneMembers), r.Count);
        visit(Field::any("Members"), r.Members); // below Count: 0 .. 249
    }
};

} // namespace r605

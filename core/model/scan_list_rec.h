#pragma once
// A scan list of the ScanList table (16 entries): up to 32 channels the radio scans.

#include "model/field.h"
#include "model/table.h"

#include <array>
#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kScanListCount = 16;
inline constexpr std::size_t kScanListMembers = 32;

struct ScanListRec {
    std::int16_t Number = 0;
    std::int16_t Used = 0;
    std::string Name; // 16 bytes
    std::uint8_t Byte38 = 0;
    std::uint8_t Byte39 = 0;
    std::int16_t Priority1 = 0; // 1-based channel entry, 0 none (beyond the channels: none too)
    std::int16_t Priority2 = 0;
    std::uint8_t Byte44 = 0;
    std::uint8_t Byte45 = 0;
    std::uint8_t Byte46 = 0;
    std::uint8_t Byte47 = 0;
    std::uint8_t Byte48 = 0;
    std::int16_t Count = 0;
    // Member k's zone: the 0-based entry of an in-use zone holding member k's channel, -1 none
    // (a zone byte of 16 to 254 read from a radio is kept and names none too).
    std::array<std::int16_t, kScanListMembers> MemberZones =
        filledArray<std::int16_t, kScanListMembers>(-1);
    std::array<std::int16_t, kScanListMembers> Members =
        filledArray<std::int16_t, kScanListMembers>(-1); // 0-based channel entries

    bool operator==(const ScanListRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kScanListCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::text("Name", 16), r.Name);
        visit(Field::any("Byte38"), r.Byte38);
        visit(Field::any("Byte39"), r.Byte39);
        visit(Field::range("Priority1", 0, 256), r.Priority1);
        visit(Field::range("Priority2", 0, 256), r.Priority2);
        visit(Field::any("Byte44"), r.Byte44);
        visit(Field::any("Byte45"), r.Byte45);
        visit(Field::any("Byte46"), r.Byte46);
        visit(Field::any("Byte47"), r.Byte47);
        visit(Field::any("Byte48"), r.Byte48);
        visit(Field::count("Count", kScanListMembers), r.Count);
        visit(Field::any("MemberZones"), r.MemberZones); // below Count: -1 .. 15
        visit(Field::any("Members"), r.Members);         // below Count: used channels
    }
};

} // namespace r605

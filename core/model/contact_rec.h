#pragma once
// A digital contact of the Contact table (10000 entries): a call target.

#include "model/field.h"

#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kContactCount = 10000;

struct ContactRec {
    std::int32_t Number = 0; // entry + 1; rewritten by the compaction before a write
    std::int16_t Used = 0;
    std::int16_t CallType = 0; // 1 is a group call (group lists hold only those)
    std::string Name;          // 16 bytes
    std::string City;          // 15 bytes
    std::int32_t Id = 0;
    std::int16_t Byte80 = 0;
    std::string Callsign; // 8 bytes
    std::string State;    // 16 bytes
    std::string Country;  // 16 bytes
    std::string Remarks;  // 16 bytes

    bool operator==(const ContactRec&) const = default;

    // The codeplug file packs contacts (two bits of CallType and Byte80, 24 bits of Id), so
    // that is what a contact may hold without being cut on the next save.
    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kContactCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::bits("CallType", 2), r.CallType);
        visit(Field::text("Name", 16), r.Name);
        visit(Field::text("City", 15), r.City);
        visit(Field::range("Id", 0, 16777215).packed(24), r.Id);
        visit(Field::bits("Byte80", 2), r.Byte80);
        visit(Field::text("Callsign", 8), r.Callsign);
        visit(Field::text("State", 16), r.State);
        visit(Field::text("Country", 16), r.Country);
        visit(Field::text("Remarks", 16), r.Remarks);
    }
};

} // namespace r605

#pragma once
// The phone book of 128 entries (telephone numbers dialled through a DTMF interconnect, edited
// in form Frm_X_CB). Its place in the radio's memory is not known; it lives in the codeplug and
// its files.
//
// Our layout (the file writes these fields in this order, 36 bytes):
//   Number       16-bit   entry + 1
//   Used         16-bit   1 = in use
//   PhoneNumber  16 bytes digits 0-9, * and #
//   Name         16 bytes

#include "model/field.h"

#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kPhoneBookCount = 128;

struct PhoneBookRec {
    std::int16_t Number = 0;
    std::int16_t Used = 0;
    std::string PhoneNumber; // 16 bytes
    std::string Name;        // 16 bytes

    bool operator==(const PhoneBookRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kPhoneBookCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::text("PhoneNumber", 16), r.PhoneNumber);
        visit(Field::text("Name", 16), r.Name);
    }
};

} // namespace r605

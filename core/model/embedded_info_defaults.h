#pragma once
// The dealer and maintenance record of a new codeplug, stamped with the day the program started.
// The date comes from the caller: core reads no clock.

#include "model/embedded_info_rec.h"

#include <string>
#include <string_view>

namespace r605 {

struct CalendarDate {
    int year = 2000;
    int month = 1;
    int day = 1;
};

// "2024-01-05": the short date form when the caller has no locale of its own to format with.
std::string IsoDateText(const CalendarDate& date);

// Serial number "YYYYMMDD00000001"; the four dates `shortDate` followed by a NUL; the code field
// the two-digit month and "-1-E-1"; the description and the other 16-character texts a single
// NUL; the counter 0; the model "R600MK"; the note empty.
void SetEmbeddedInfoDefaults(EmbeddedInfoRec& info, const CalendarDate& date,
                             std::string_view shortDate);

} // namespace r605

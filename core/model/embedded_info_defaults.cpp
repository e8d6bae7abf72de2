#include "model/embedded_info_defaults.h"

#include <cstdio>

namespace r605 {

namespace {

std::string digits(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

} // namespace

std::string IsoDateText(const CalendarDate& date) {
    return digits(date.year, 4) + "-" + digits(date.month, 2) + "-" + digits(date.day, 2);
}

void SetEmbeddedInfoDefaults(EmbeddedInfoRec& info, const CalendarDate& date,
                             std::string_view shortDate) {
    const std::string nul(1, '\0');
    const std::string stamped = std::string(shortDate) + nul;
    info.SerialNumber =
        digits(date.year, 4) + digits(date.month, 2) + digits(date.day, 2) + "00000001";
    info.ProductionDate = stamped;
    info.MaintenanceDate = stamped;
    info.StockDate = stamped;
    info.SellDate = stamped;
    info.Code = digits(date.month, 2) + "-1-E-1";
    info.Description = nul;
    info.Extra1 = nul;
    info.Extra2 = nul;
    info.Counter = 0;
    info.Model = "R600MK";
    info.Note.clear();
}

} // namespace r605

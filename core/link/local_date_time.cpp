#include "link/local_date_time.h"

#include <cstdio>

namespace r605 {

std::string DateStamp(const LocalDateTime& when) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d", when.year, when.month, when.day);
    return text;
}

std::string TimeText(const LocalDateTime& when) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", when.hour, when.minute, when.second);
    return text;
}

std::string DateTimeText(const LocalDateTime& when) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", when.year, when.month,
                  when.day, when.hour, when.minute, when.second);
    return text;
}

} // namespace r605

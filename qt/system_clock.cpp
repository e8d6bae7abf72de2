#include "system_clock.h"

#include <QDateTime>

namespace r605 {

LocalClock SystemLocalClock() {
    return [] {
        const QDateTime now = QDateTime::currentDateTime();
        const QDate date = now.date();
        const QTime time = now.time();
        return LocalDateTime{date.year(), date.month(),  date.day(),
                             time.hour(), time.minute(), time.second()};
    };
}

} // namespace r605

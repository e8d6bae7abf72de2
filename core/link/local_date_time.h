#pragma once
// Dates and times for the communication log and the daily trace. Core never reads a clock: the
// caller hands in a LocalClock (the Qt side reads the system clock; tests give a fixed one).

#include <functional>
#include <string>

namespace r605 {

struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const LocalDateTime&) const = default;
};

using LocalClock = std::function<LocalDateTime()>;

// "20261204": the date in the name of the day's trace file.
std::string DateStamp(const LocalDateTime& when);
// "14:03:22": the time of a step line.
std::string TimeText(const LocalDateTime& when);
// "2026-12-04 14:03:22": the date and time of a trace entry.
std::string DateTimeText(const LocalDateTime& when);

} // namespace r605

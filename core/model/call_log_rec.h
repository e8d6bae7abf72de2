#pragma once
// The radio's call lists: three tables of 256 entries of numbers only (missed, answered and
// dialled calls; the window shows the first with the call ID, the contact's name looked up by
// that ID, and the time). Their place in the radio's memory is not known; they live in the
// codeplug and its files.
//
// Our layout (the file writes these fields in this order, 44 bytes):
//   Number    16-bit  entry + 1
//   Used      16-bit  1 = in use
//   CallId    32-bit  the other party's radio ID
//   CallType  16-bit  as a contact's call type (0 private, 1 group, 2 all call)
//   Channel   16-bit  1-based channel of the call, 0 unknown
//   Year, Month, Day, Hour, Minute, Second  16-bit each: when the call began
//   Duration  32-bit  seconds
//   Repeats   16-bit  how many calls of the same party this entry stands for
//   Reserved  7 x 16-bit  values the radio keeps with the entry, carried as they are

#include "model/field.h"

#include <array>
#include <cstdint>

namespace r605 {

inline constexpr std::size_t kCallLogCount = 256;

struct CallLogRec {
    std::int16_t Number = 0;
    std::int16_t Used = 0;
    std::int32_t CallId = 0;
    std::int16_t CallType = 0;
    std::int16_t Channel = 0;
    std::int16_t Year = 0;
    std::int16_t Month = 0;
    std::int16_t Day = 0;
    std::int16_t Hour = 0;
    std::int16_t Minute = 0;
    std::int16_t Second = 0;
    std::int32_t Duration = 0;
    std::int16_t Repeats = 0;
    std::array<std::int16_t, 7> Reserved{};

    bool operator==(const CallLogRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kCallLogCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::range("CallId", 0, 16777215), r.CallId);
        visit(Field::range("CallType", 0, 3), r.CallType);
        visit(Field::range("Channel", 0, 256), r.Channel);
        visit(Field::range("Year", 0, 9999), r.Year);
        visit(Field::range("Month", 0, 12), r.Month);
        visit(Field::range("Day", 0, 31), r.Day);
        visit(Field::range("Hour", 0, 23), r.Hour);
        visit(Field::range("Minute", 0, 59), r.Minute);
        visit(Field::range("Second", 0, 59), r.Second);
        visit(Field::range("Duration", 0, 2147483647), r.Duration);
        visit(Field::range("Repeats", 0, 32767), r.Repeats);
        visit(Field::any("Reserved"), r.Reserved);
    }
};

} // namespace r605

#pragma once
// The radio's voice recordings: a list of up to 50000 entries that the recording transfers fill
// (the window's recording grid), and beside it a companion table of the same size that says
// where each recording lies in the radio's voice memory. They live in the codeplug and its files.
//
// Our layout of a recording (the file writes these fields in this order, 34 bytes):
//   Number    32-bit  entry + 1 (beyond the 16-bit range: 50000 entries)
//   Used      16-bit  1 = in use
//   Channel   16-bit  1-based channel the call was heard on, 0 unknown
//   CallType  16-bit  as a contact's call type (0 private, 1 group, 2 all call)
//   Year, Month, Day, Hour, Minute, Second  16-bit each: when the recording began
//   CallerId  32-bit  radio ID of the caller
//   CalledId  32-bit  radio ID or group called
//   Duration  32-bit  seconds
// The caller's and the called party's names are not stored: the grid looks them up among the
// contacts by ID.
//
// Our layout of the companion (8 bytes):
//   Number    32-bit  entry + 1
//   Used      16-bit  1 = in use
//   Blocks    16-bit  the recording's length in the radio's voice memory, in memory blocks

#include "model/field.h"

#include <cstdint>

namespace r605 {

inline constexpr std::size_t kRecordingCount = 50000;

struct RecordingRec {
    std::int32_t Number = 0;
    std::int16_t Used = 0;
    std::int16_t Channel = 0;
    std::int16_t CallType = 0;
    std::int16_t Year = 0;
    std::int16_t Month = 0;
    std::int16_t Day = 0;
    std::int16_t Hour = 0;
    std::int16_t Minute = 0;
    std::int16_t Second = 0;
    std::int32_t CallerId = 0;
    std::int32_t CalledId = 0;
    std::int32_t Duration = 0;

    bool operator==(const RecordingRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kRecordingCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::range("Channel", 0, 256), r.Channel);
        visit(Field::range("CallType", 0, 3), r.CallType);
        visit(Field::range("Year", 0, 9999), r.Year);
        visit(Field::range("Month", 0, 12), r.Month);
        visit(Field::range("Day", 0, 31), r.Day);
        visit(Field::range("Hour", 0, 23), r.Hour);
        visit(Field::range("Minute", 0, 59), r.Minute);
        visit(Field::range("Second", 0, 59), r.Second);
        visit(Field::range("CallerId", 0, 16777215), r.CallerId);
        visit(Field::range("CalledId", 0, 16777215), r.CalledId);
        visit(Field::range("Duration", 0, 2147483647), r.Duration);
    }
};

struct RecordingIndexRec {
    std::int32_t Number = 0;
    std::int16_t Used = 0;
    std::int16_t Blocks = 0;

    bool operator==(const RecordingIndexRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kRecordingCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::range("Blocks", 0, 32767), r.Blocks);
    }
};

} // namespace r605

#pragma once
// The radio's text messages: four tables of 100 messages each (received, sent, quick texts and a
// fourth list the radio keeps in its own order). Their place in the radio's memory is not known;
// they live in the codeplug and its files.
//
// Our layout (the file writes these fields in this order, 168 bytes):
//   Number   16-bit  entry + 1
//   Used     16-bit  1 = in use
//   Index    16-bit  the fourth table: the record's own 0-based position; 0 in the others
//   CallId   32-bit  the radio ID of the sender, the receiver or the quick text's contact
//   CallType 16-bit  as a contact's call type (0 private, 1 group, 2 all call)
//   Year, Month, Day, Hour, Minute, Second  16-bit each: when the message was sent or received
//   Text     144 bytes of code-page-936 text, the longest message the radio sends

#include "model/field.h"

#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kTextMessageCount = 100;
inline constexpr std::uint16_t kTextMessageLength = 144;

struct TextMessageRec {
    std::int16_t Number = 0;
    std::int16_t Used = 0;
    std::int16_t Index = 0;
    std::int32_t CallId = 0;
    std::int16_t CallType = 0;
    std::int16_t Year = 0;
    std::int16_t Month = 0;
    std::int16_t Day = 0;
    std::int16_t Hour = 0;
    std::int16_t Minute = 0;
    std::int16_t Second = 0;
    std::string Text; // 144 bytes

    bool operator==(const TextMessageRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kTextMessageCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::range("Index", 0, kTextMessageCount - 1), r.Index);
        visit(Field::range("CallId", 0, 16777215), r.CallId);
        visit(Field::range("CallType", 0, 3), r.CallType);
        visit(Field::range("Year", 0, 9999), r.Year);
        visit(Field::range("Month", 0, 12), r.Month);
        visit(Field::range("Day", 0, 31), r.Day);
        visit(Field::range("Hour", 0, 23), r.Hour);
        visit(Field::range("Minute", 0, 59), r.Minute);
        visit(Field::range("Second", 0, 59), r.Second);
        visit(Field::text("Text", kTextMessageLength), r.Text);
    }
};

} // namespace r605

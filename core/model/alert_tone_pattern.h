#pragma once
// A user-defined alert tone: up to 14 tones played RepeatCount times. The codeplug holds five.

#include "model/field.h"

#include <array>
#include <cstdint>

namespace r605 {

inline constexpr std::size_t kAlertTonePatternCount = 5;
inline constexpr std::size_t kAlertToneSteps = 14;

struct AlertTonePattern {
    std::int16_t RepeatCount = 0;                         // 1 .. 10
    std::int16_t RepeatInterval = 0;                      // 0 .. 255
    std::array<std::int16_t, kAlertToneSteps> ToneFreq{}; // 10 Hz units: 0 silence, 40 .. 255
    std::array<std::int16_t, kAlertToneSteps> ToneDur{};  // 10 ms units, 0 step not used

    bool operator==(const AlertTonePattern&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::range("RepeatCount", 0, 10), r.RepeatCount);
        visit(Field::range("RepeatInterval", 0, 255), r.RepeatInterval);
        visit(Field::range("ToneFreq", 0, 255), r.ToneFreq);
        visit(Field::range("ToneDur", 0, 255), r.ToneDur);
    }
};

} // namespace r605

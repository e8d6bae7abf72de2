#pragma once
// Whole-codeplug values that other parts refer to: the settings' channel and zone references, the
// radio's programming password and the clock choice of a write, and the 18-entry quick-call
// table. Their places in the radio's memory are not known; they live in the codeplug and its
// files, and the password reaches the radio through its information block.

#include "model/field.h"

#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kQuickCallCount = 18;

struct SettingsRec {
    // The first must name an in-use channel of even ChType, the second one of odd ChType
    // (0-based channel entries); the channel repair keeps them so.
    std::int16_t ChannelRef1 = 0;
    std::int16_t ChannelRef2 = 0;
    std::int16_t ZoneRef = 0;    // 0-based zone entry
    std::string ProgramPassword; // 4 characters
    std::int16_t SetRadioClock = 0;

    bool operator==(const SettingsRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::range("ChannelRef1", 0, 255), r.ChannelRef1);
        visit(Field::range("ChannelRef2", 0, 255), r.ChannelRef2);
        visit(Field::range("ZoneRef", 0, 15), r.ZoneRef);
        visit(Field::text("ProgramPassword", 4), r.ProgramPassword);
        visit(Field::flag("SetRadioClock"), r.SetRadioClock);
    }
};

// A quick-call entry. Kind 2 calls a digital contact: Contact is its 1-based entry (0 none) and
// CallMode follows the contact's call type (1 group, 3 for call type 2, 2 otherwise).
struct QuickCallRec {
    std::int16_t Kind = 0;
    std::int32_t Contact = 0;
    std::int16_t CallMode = 0;

    bool operator==(const QuickCallRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::range("Kind", 0, 255), r.Kind);
        visit(Field::range("Contact", 0, 10000), r.Contact);
        visit(Field::range("CallMode", 0, 255), r.CallMode);
    }
};

} // namespace r605

#pragma once
// Names the first member in which two codeplugs differ, for readable test failures.

#include "model/codeplug.h"

#include <string>

namespace r605::test {

template <class TableT>
std::string tableDifference(const char* name, const TableT& a, const TableT& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!(a[i] == b[i]))
            return std::string(name) + "[" + std::to_string(i) + "]";
    }
    return {};
}

inline std::string codeplugDifference(const Codeplug& a, const Codeplug& b) {
#define R605_SINGLE(member)                                                                        \
    if (!(a.member == b.member))                                                                   \
        return #member;
#define R605_TABLE(member)                                                                         \
    if (auto d = tableDifference(#member, a.member, b.member); !d.empty())                         \
        return d;
    R605_SINGLE(Header)
    R605_TABLE(Channel)
    R605_TABLE(Person)
    R605_TABLE(Zone)
    R605_TABLE(ScanList)
    R605_TABLE(Contact)
    R605_TABLE(RxGroup)
    R605_TABLE(RoamChannel)
    R605_TABLE(RoamZone)
    R605_SINGLE(Dtmf)
    R605_TABLE(EMG_Code)
    R605_TABLE(AesKey)
    R605_TABLE(Arc4Key)
    R605_TABLE(QuickCall)
    R605_SINGLE(Settings)
    R605_SINGLE(EmbeddedInfo)
    R605_SINGLE(Aprs)
    R605_TABLE(AlertTonePatterns)
    R605_SINGLE(UserToneSet)
    R605_SINGLE(Option)
    R605_SINGLE(FiveTone)
    R605_SINGLE(TwoTone)
    R605_SINGLE(Alarm)
    R605_SINGLE(OneKey)
    R605_TABLE(PhoneBook)
    R605_TABLE(CallLog1)
    R605_TABLE(CallLog2)
    R605_TABLE(CallLog3)
    R605_TABLE(TextMessage1)
    R605_TABLE(TextMessage2)
    R605_TABLE(TextMessage3)
    R605_TABLE(TextMessage4)
    R605_TABLE(Recording)
    R605_TABLE(RecordingIndex)
    R605_TABLE(RepeaterOffset)
    R605_TABLE(TwoToneEntry)
    R605_SINGLE(AprsCompanion)
#undef R605_SINGLE
#undef R605_TABLE
    return a == b ? std::string() : std::string("(a member this list does not name)");
}

} // namespace r605::test

#include "model/reference_repair.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace r605 {

namespace {

constexpr std::uint8_t kNoScanList = 0xFF;

template <class Record> bool inUse(const Record& record) {
    return record.Used > 0;
}

// The first `count` members of a list, count kept within the array.
template <class Array> std::size_t memberCount(const Array& members, int count) {
    return std::min<std::size_t>(static_cast<std::size_t>(std::max(count, 0)), members.size());
}

template <class TableT> std::optional<std::size_t> firstInUse(const TableT& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (inUse(table[i]))
            return i;
    }
    return std::nullopt;
}

template <class TableT> std::size_t countInUse(const TableT& table) {
    return static_cast<std::size_t>(
        std::count_if(table.begin(), table.end(), [](const auto& r) { return inUse(r); }));
}

// Removes member k: the following members (and their companions) move up, the freed last place
// holds "none" again.
template <class Members>
void removeMemberAt(Members& members, std::size_t k, std::size_t count,
                    typename Members::value_type none) {
    for (std::size_t i = k; i + 1 < count; ++i)
        members[i] = members[i + 1];
    members[count - 1] = none;
}

void removeScanListMember(ScanListRec& list, std::size_t k) {
    const std::size_t count = memberCount(list.Members, list.Count);
    removeMemberAt(list.Members, k, count, std::int16_t{-1});
    removeMemberAt(list.MemberZones, k, count, std::int16_t{-1});
    list.Count = static_cast<std::int16_t>(count - 1);
}

template <class Members, class Value>
std::optional<std::size_t> findMember(const Members& members, std::size_t count, Value value) {
    for (std::size_t k = 0; k < count; ++k) {
        if (members[k] == value)
            return k;
    }
    return std::nullopt;
}

bool isInUseChannelOfParity(const Codeplug& codeplug, int entry, int parity) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= codeplug.Channel.size())
        return false;
    const ChannelRec& channel = codeplug.Channel[static_cast<std::size_t>(entry)];
    return inUse(channel) && (channel.ChType & 1) == parity;
}

// A settings channel reference stays on a qualifying channel, else takes the first one, else 0.
std::int16_t repointChannelRef(const Codeplug& codeplug, std::int16_t ref, int parity) {
    if (isInUseChannelOfParity(codeplug, ref, parity))
        return ref;
    for (std::size_t i = 0; i < codeplug.Channel.size(); ++i) {
        if (isInUseChannelOfParity(codeplug, static_cast<int>(i), parity))
            return static_cast<std::int16_t>(i);
    }
    return 0;
}

// The quick-call mode that goes with a contact's call type: 1 group, 3 all call, 2 private. The
// modes 7 to 9 are the same three calls in the radio's second set and stay in it.
std::int16_t quickCallMode(std::int16_t mode, int callType) {
    const std::int16_t base = callType == 1 ? 1 : callType == 2 ? 3 : 2;
    if (mode >= 1 && mode <= 3)
        return base;
    if (mode >= 7 && mode <= 9)
        return static_cast<std::int16_t>(base + 6);
    return mode;
}

} // namespace

void RepairScanListRefs(Codeplug& codeplug) {
    for (ChannelRec& channel : codeplug.Channel) {
        if (!inUse(channel))
            continue;
        std::array<std::uint8_t, 8> kept;
        kept.fill(kNoScanList);
        std::size_t next = 0;
        for (const std::uint8_t list : channel.ScanLists) {
            if (list < codeplug.ScanList.size() && inUse(codeplug.ScanList[list]))
                kept[next++] = list;
        }
        channel.ScanLists = kept;
    }
}

void RepairRxGroupRefs(Codeplug& codeplug) {
    for (ChannelRec& channel : codeplug.Channel) {
        if (!inUse(channel))
            continue;
        const int group = channel.RxGroup;
        if (group < 1 || static_cast<std::size_t>(group) > codeplug.RxGroup.size() ||
            !inUse(codeplug.RxGroup[static_cast<std::size_t>(group - 1)]))
            channel.RxGroup = 0;
    }
}

void RepairRadioIdRefs(Codeplug& codeplug, int number, int previousUsed) {
    if (number < 1 || static_cast<std::size_t>(number) > codeplug.Person.size())
        return;
    const bool now = inUse(codeplug.Person[static_cast<std::size_t>(number - 1)]);
    if (now == (previousUsed > 0))
        return;
    const auto entry = static_cast<std::int16_t>(number - 1);
    if (now) {
        if (countInUse(codeplug.Person) != 1)
            return;
        for (ChannelRec& channel : codeplug.Channel) {
            if (inUse(channel))
                channel.RadioId = entry;
        }
        return;
    }
    const auto first = firstInUse(codeplug.Person);
    const auto replacement = first ? static_cast<std::int16_t>(*first) : std::int16_t{-1};
    for (ChannelRec& channel : codeplug.Channel) {
        if (inUse(channel) && channel.RadioId == entry)
            channel.RadioId = replacement;
    }
}

void RepairContactRefs(Codeplug& codeplug, int number, int previousUsed, int previousCallType) {
    if (number < 1 || static_cast<std::size_t>(number) > codeplug.Contact.size())
        return;
    const ContactRec& contact = codeplug.Contact[static_cast<std::size_t>(number - 1)];
    const std::int32_t entry = number - 1;
    const bool wasUsed = previousUsed > 0;
    const bool now = inUse(contact);

    // Group lists hold group contacts only.
    if (wasUsed && previousCallType == 1 && !(now && contact.CallType == 1)) {
        for (RxGroupRec& group : codeplug.RxGroup) {
            std::size_t count = memberCount(group.Members, group.Count);
            for (std::size_t k = count; k-- > 0;) {
                if (group.Members[k] != entry)
                    continue;
                removeMemberAt(group.Members, k, count, -1);
                --count;
            }
            group.Count = static_cast<std::int16_t>(count);
        }
        RepairRxGroupRefs(codeplug);
    }

    if (wasUsed) {
        for (QuickCallRec& call : codeplug.QuickCall) {
            if (call.Kind != 2 || call.Contact != number)
                continue;
            if (!now)
                call.Contact = 0;
            else if (contact.CallType != previousCallType)
                call.CallMode = quickCallMode(call.CallMode, contact.CallType);
        }
    }

    if (now == wasUsed)
        return;
    if (now) {
        if (countInUse(codeplug.Contact) != 1)
            return;
        for (ChannelRec& channel : codeplug.Channel) {
            if (inUse(channel))
                channel.Contact = entry;
        }
        return;
    }
    const auto first = firstInUse(codeplug.Contact);
    const auto replacement = first ? static_cast<std::int32_t>(*first) : 0;
    for (ChannelRec& channel : codeplug.Channel) {
        if (inUse(channel) && channel.Contact == entry)
            channel.Contact = replacement;
    }
}

void RepairChannelRefs(Codeplug& codeplug, int number, int previousUsed) {
    SettingsRec& settings = codeplug.Settings;
    settings.ChannelRef1 = repointChannelRef(codeplug, settings.ChannelRef1, 0);
    settings.ChannelRef2 = repointChannelRef(codeplug, settings.ChannelRef2, 1);

    if (number < 1 || static_cast<std::size_t>(number) > codeplug.Channel.size())
        return;
    const bool now = inUse(codeplug.Channel[static_cast<std::size_t>(number - 1)]);
    if (now == (previousUsed > 0) || now)
        return;
    const auto entry = static_cast<std::int16_t>(number - 1);

    for (ZoneRec& zone : codeplug.Zone) {
        if (!inUse(zone))
            continue;
        std::size_t count = memberCount(zone.Members, zone.Count);
        if (const auto k = findMember(zone.Members, count, entry)) {
            removeMemberAt(zone.Members, *k, count, std::int16_t{-1});
            zone.Count = static_cast<std::int16_t>(--count);
        }
        if (zone.Selected1 == entry && count > 0)
            zone.Selected1 = zone.Members[0];
        if (zone.Selected2 == entry) {
            zone.Selected2 = zone.Selected1;
            for (std::size_t k = 0; k < count; ++k) {
                if (zone.Members[k] != zone.Selected1) {
                    zone.Selected2 = zone.Members[k];
                    break;
                }
            }
        }
    }
    for (ScanListRec& list : codeplug.ScanList) {
        const std::size_t count = memberCount(list.Members, list.Count);
        if (const auto k = findMember(list.Members, count, entry))
            removeScanListMember(list, *k);
    }
}

void RepairZoneRefs(Codeplug& codeplug) {
    SettingsRec& settings = codeplug.Settings;
    const int ref = settings.ZoneRef;
    if (ref < 0 || static_cast<std::size_t>(ref) >= codeplug.Zone.size() ||
        !inUse(codeplug.Zone[static_cast<std::size_t>(ref)])) {
        const auto first = firstInUse(codeplug.Zone);
        settings.ZoneRef = first ? static_cast<std::int16_t>(*first) : std::int16_t{0};
    }

    const auto zoneOf = [&codeplug](std::int16_t channel) -> std::int16_t {
        if (channel < 0 || static_cast<std::size_t>(channel) >= codeplug.Channel.size() ||
            !inUse(codeplug.Channel[static_cast<std::size_t>(channel)]))
            return -1;
        for (std::size_t z = 0; z < codeplug.Zone.size(); ++z) {
            const ZoneRec& zone = codeplug.Zone[z];
            if (inUse(zone) &&
                findMember(zone.Members, memberCount(zone.Members, zone.Count), channel))
                return static_cast<std::int16_t>(z);
        }
        return -1;
    };
    for (ScanListRec& list : codeplug.ScanList) {
        const std::size_t count = memberCount(list.Members, list.Count);
        for (std::size_t k = 0; k < count; ++k)
            list.MemberZones[k] = zoneOf(list.Members[k]);
        for (std::size_t k = count; k-- > 0;) {
            if (list.MemberZones[k] == -1)
                removeScanListMember(list, k);
        }
    }
}

void SwapZoneRefs(Codeplug& codeplug, int zoneA, int zoneB) {
    const auto swapped = [zoneA, zoneB](std::int16_t value) -> std::int16_t {
        if (value == zoneA)
            return static_cast<std::int16_t>(zoneB);
        if (value == zoneB)
            return static_cast<std::int16_t>(zoneA);
        return value;
    };
    codeplug.Settings.ZoneRef = swapped(codeplug.Settings.ZoneRef);
    for (ScanListRec& list : codeplug.ScanList) {
        const std::size_t count = memberCount(list.MemberZones, list.Count);
        for (std::size_t k = 0; k < count; ++k)
            list.MemberZones[k] = swapped(list.MemberZones[k]);
    }
}

} // namespace r605

#include "lists/reference_resolution.h"

#include "lists/cell_values.h"
#include "lists/record_names.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <unordered_map>

namespace r605 {

namespace {

using Entry = std::size_t;
using Candidates = std::vector<Entry>;
// Chooses among the in-use records of one name (never called with none).
using Chooser = std::function<Entry(const Candidates&)>;

Entry firstCandidate(const Candidates& candidates) {
    return candidates.front();
}

// The in-use records of a table by name.
class NameIndex {
public:
    template <class Table>
    NameIndex(const Table& table, std::size_t nameBytes) : m_bytes(nameBytes) {
        for (Entry entry = 0; entry < table.size(); ++entry) {
            if (table[entry].Used != 0)
                m_entries[NameKey(table[entry].Name)].push_back(entry);
        }
    }

    // The records named `name`; a name longer than the field is compared as it was cut on import.
    const Candidates* find(std::string_view name) const {
        const auto it = m_entries.find(TextFieldCell(name, m_bytes));
        return it == m_entries.end() || it->second.empty() ? nullptr : &it->second;
    }

private:
    std::size_t m_bytes;
    std::unordered_map<std::string, Candidates> m_entries;
};

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

Error missing(const PendingRef& ref, std::string_view what, std::string_view name) {
    return Error::literal(ref.origin + ": no " + std::string(what) + " named " + inQuotes(name));
}

// The members of one or more member cells. Names are separated by "|"; a name that itself holds
// the separator (possible for a record read from a radio) is found by joining parts again.
Result<std::vector<Entry>> resolveMembers(std::span<const PendingRef> refs, const NameIndex& index,
                                          std::string_view what, const Chooser& choose,
                                          std::size_t capacity) {
    std::vector<Entry> members;
    for (const PendingRef& ref : refs) {
        const std::vector<std::string_view> parts = SplitMembers(ref.text);
        std::size_t i = 0;
        while (i < parts.size()) {
            if (trimBlanks(parts[i]).empty()) {
                ++i;
                continue;
            }
            std::string name;
            const Candidates* found = nullptr;
            std::size_t j = i;
            while (j < parts.size() && !found) {
                if (j > i)
                    name.push_back(kMemberSeparator);
                name += parts[j++];
                found = index.find(trimBlanks(name));
            }
            if (!found)
                return missing(ref, what, trimBlanks(parts[i]));
            if (members.size() == capacity)
                return Error::literal(ref.origin + ": more than " + std::to_string(capacity) +
                                      " members");
            members.push_back(choose(*found));
            i = j;
        }
    }
    return members;
}

// One named reference; nothing for an empty cell (no reference).
Result<std::optional<Entry>> resolveOne(const PendingRef& ref, const NameIndex& index,
                                        std::string_view what, const Chooser& choose) {
    const std::string_view name = trimBlanks(ref.text);
    if (name.empty())
        return std::optional<Entry>();
    const Candidates* found = index.find(name);
    if (!found)
        return missing(ref, what, name);
    return std::optional<Entry>(choose(*found));
}

// Records named in a cell with their radio ID beside them (tool mode): the one with both.
template <class Table>
Result<std::optional<Entry>> resolveWithId(const PendingRef& ref, const Table& table,
                                           const NameIndex& index, std::string_view what) {
    const std::string_view name = trimBlanks(ref.text);
    if (!ref.id)
        return resolveOne(ref, index, what, firstCandidate);
    for (Entry entry = 0; entry < table.size(); ++entry) {
        const auto& record = table[entry];
        if (record.Used == 0 || record.Id != *ref.id)
            continue;
        if (name.empty() || NameKey(record.Name) == TextFieldCell(name, 1000))
            return std::optional<Entry>(entry);
    }
    if (!index.find(name) && !name.empty())
        return missing(ref, what, name);
    return Error::literal(ref.origin + ": no " + std::string(what) +
                          (name.empty() ? "" : " named " + inQuotes(name)) + " with radio ID " +
                          std::to_string(*ref.id));
}

template <class Table> std::optional<Entry> firstInUse(const Table& table) {
    for (Entry entry = 0; entry < table.size(); ++entry) {
        if (table[entry].Used != 0)
            return entry;
    }
    return std::nullopt;
}

// Where the records of an imported table's old version went: old entry -> new entry (nothing
// when it is gone). A record that the file gave by its number is the record of that number,
// renamed or not; otherwise the record of the same name is taken. `choose(old, candidates)`
// picks among new records of one name.
template <class Table, class Numbered, class Choose>
std::vector<std::optional<Entry>> translation(const Table& oldTable, const Table& newTable,
                                              std::size_t nameBytes, Numbered numbered,
                                              Choose choose) {
    const NameIndex index(newTable, nameBytes);
    std::vector<std::optional<Entry>> map(oldTable.size());
    for (Entry entry = 0; entry < oldTable.size(); ++entry) {
        const auto& record = oldTable[entry];
        if (record.Used == 0)
            continue;
        if (newTable[entry].Used != 0 && numbered(entry))
            map[entry] = entry;
        else if (const Candidates* found = index.find(NameKey(record.Name)))
            map[entry] = choose(record, *found);
    }
    return map;
}

std::optional<Entry> mapped(const std::vector<std::optional<Entry>>& map, std::int64_t entry) {
    if (entry < 0 || static_cast<std::uint64_t>(entry) >= map.size())
        return std::nullopt;
    return map[static_cast<std::size_t>(entry)];
}

// The zone's two selected channels on members of the zone, as the channel repair keeps them.
void selectFromMembers(ZoneRec& zone, bool keepFirst, bool keepSecond) {
    if (zone.Count <= 0)
        return;
    const auto members = std::span(zone.Members).first(static_cast<std::size_t>(zone.Count));
    if (!keepFirst)
        zone.Selected1 = members.front();
    if (!keepSecond) {
        const auto other = std::find_if(members.begin(), members.end(),
                                        [&](std::int16_t m) { return m != zone.Selected1; });
        zone.Selected2 = other != members.end() ? *other : zone.Selected1;
    }
}

template <class Array, class Value>
void storeMembers(Array& members, std::int16_t& count, const std::vector<Value>& values,
                  typename Array::value_type none) {
    members.fill(none);
    for (std::size_t k = 0; k < values.size(); ++k)
        members[k] = static_cast<typename Array::value_type>(values[k]);
    count = static_cast<std::int16_t>(values.size());
}

class Resolver {
public:
    Resolver(const Codeplug& original, const ImportWorkSet& work, Codeplug& result)
        : m_old(original), m_work(work), m_new(result), m_channels(m_new.Channel, 16),
          m_persons(m_new.Person, 16), m_scanLists(m_new.ScanList, 16),
          m_contacts(m_new.Contact, 16), m_rxGroups(m_new.RxGroup, 35) {}

    Status run() {
        if (Status status = resolveChannels(); !status)
            return status;
        if (Status status = resolveZones(); !status)
            return status;
        if (Status status = resolveScanLists(); !status)
            return status;
        if (Status status = resolveRxGroups(); !status)
            return status;
        repointUnreadLists();
        if (Status status = assignMemberZones(); !status)
            return status;
        repointSettings();
        return Status::success();
    }

private:
    bool read(ListTable table) const { return m_work.wasRead(table); }
    auto numbered(ListTable table) const {
        return [this, table](Entry entry) { return m_work.wasNumbered(table, entry); };
    }

    // Group lists hold group-call contacts: of several contacts of one name, the group call.
    Entry chooseGroupContact(const Candidates& candidates) const {
        for (const Entry entry : candidates) {
            if (m_new.Contact[entry].CallType == 1)
                return entry;
        }
        return candidates.front();
    }

    Status resolveChannels() {
        if (!read(ListTable::Channels))
            return Status::success();
        for (Entry n = 0; n < kChannelCount; ++n) {
            ChannelRec& channel = m_new.Channel[n];
            if (channel.Used == 0)
                continue;
            const ChannelRefs& refs = m_work.channelRefs[n];
            if (refs.contact) {
                auto contact = resolveWithId(*refs.contact, m_new.Contact, m_contacts, "contact");
                if (!contact)
                    return contact.error();
                channel.Contact = static_cast<std::int32_t>(contact->value_or(0));
            }
            if (refs.radioId) {
                auto person = resolveWithId(*refs.radioId, m_new.Person, m_persons, "radio ID");
                if (!person)
                    return person.error();
                channel.RadioId = *person ? static_cast<std::int16_t>(**person) : -1;
            }
            if (refs.rxGroup) {
                auto group =
                    resolveOne(*refs.rxGroup, m_rxGroups, "receive group list", firstCandidate);
                if (!group)
                    return group.error();
                channel.RxGroup = *group ? static_cast<std::int16_t>(**group + 1) : 0;
            }
            if (!refs.scanLists.empty()) {
                auto lists = resolveMembers(refs.scanLists, m_scanLists, "scan list",
                                            firstCandidate, channel.ScanLists.size());
                if (!lists)
                    return lists.error();
                channel.ScanLists.fill(0xFF);
                std::copy(lists->begin(), lists->end(), channel.ScanLists.begin());
            }
        }
        return Status::success();
    }

    Status resolveZones() {
        if (!read(ListTable::Zones))
            return Status::success();
        for (Entry z = 0; z < kZoneCount; ++z) {
            ZoneRec& zone = m_new.Zone[z];
            if (zone.Used == 0)
                continue;
            const ZoneRefs& refs = m_work.zoneRefs[z];
            auto members =
                resolveMembers(refs.members, m_channels, "channel", firstCandidate, kZoneMembers);
            if (!members)
                return members.error();
            storeMembers(zone.Members, zone.Count, *members, std::int16_t{-1});
            bool keepFirst = false, keepSecond = false;
            for (const auto& [ref, selected, keep] :
                 {std::tuple{&refs.channelA, &zone.Selected1, &keepFirst},
                  std::tuple{&refs.channelB, &zone.Selected2, &keepSecond}}) {
                if (!*ref)
                    continue;
                auto channel = resolveOne(**ref, m_channels, "channel", firstCandidate);
                if (!channel)
                    return channel.error();
                if (*channel) {
                    *selected = static_cast<std::int16_t>(**channel);
                    *keep = true;
                }
            }
            selectFromMembers(zone, keepFirst, keepSecond);
        }
        return Status::success();
    }

    Status resolveScanLists() {
        if (!read(ListTable::ScanLists))
            return Status::success();
        for (Entry s = 0; s < kScanListCount; ++s) {
            ScanListRec& list = m_new.ScanList[s];
            if (list.Used == 0)
                continue;
            const ScanListRefs& refs = m_work.scanListRefs[s];
            auto members = resolveMembers(refs.members, m_channels, "channel", firstCandidate,
                                          kScanListMembers);
            if (!members)
                return members.error();
            storeMembers(list.Members, list.Count, *members, std::int16_t{-1});
            for (const auto& [ref, priority] : {std::pair{&refs.priority1, &list.Priority1},
                                                std::pair{&refs.priority2, &list.Priority2}}) {
                if (!*ref)
                    continue;
                auto channel = resolveOne(**ref, m_channels, "channel", firstCandidate);
                if (!channel)
                    return channel.error();
                *priority = *channel ? static_cast<std::int16_t>(**channel + 1) : 0;
            }
        }
        return Status::success();
    }

    Status resolveRxGroups() {
        if (!read(ListTable::RxGroups))
            return Status::success();
        const Chooser choose = [this](const Candidates& c) { return chooseGroupContact(c); };
        for (Entry g = 0; g < kRxGroupCount; ++g) {
            RxGroupRec& group = m_new.RxGroup[g];
            if (group.Used == 0)
                continue;
            auto members = resolveMembers(m_work.rxGroupRefs[g].members, m_contacts, "contact",
                                          choose, kRxGroupMembers);
            if (!members)
                return members.error();
            group.Members.fill(-1);
            std::copy(members->begin(), members->end(), group.Members.begin());
            group.Count = static_cast<std::int16_t>(members->size());
        }
        return Status::success();
    }

    // References of the lists not read into lists that were: to the record of the same number
    // or name.
    void repointUnreadLists() {
        const auto sameName = [](const auto&, const Candidates& c) { return c.front(); };
        std::vector<std::optional<Entry>> channelMap, contactMap, personMap, scanListMap, groupMap;
        if (read(ListTable::Channels))
            channelMap = translation(m_old.Channel, m_new.Channel, 16,
                                     numbered(ListTable::Channels), sameName);
        if (read(ListTable::Contacts)) {
            // Of several contacts of one name, the one with the same radio ID and call type.
            contactMap = translation(
                m_old.Contact, m_new.Contact, 16, numbered(ListTable::Contacts),
                [this](const ContactRec& old, const Candidates& c) {
                    for (const Entry entry : c) {
                        const ContactRec& candidate = m_new.Contact[entry];
                        if (candidate.Id == old.Id && candidate.CallType == old.CallType)
                            return entry;
                    }
                    return c.front();
                });
        }
        if (read(ListTable::RadioIds)) {
            personMap = translation(m_old.Person, m_new.Person, 16, numbered(ListTable::RadioIds),
                                    [this](const PersonRec& old, const Candidates& c) {
                                        for (const Entry entry : c) {
                                            if (m_new.Person[entry].Id == old.Id)
                                                return entry;
                                        }
                                        return c.front();
                                    });
        }
        if (read(ListTable::ScanLists))
            scanListMap = translation(m_old.ScanList, m_new.ScanList, 16,
                                      numbered(ListTable::ScanLists), sameName);
        if (read(ListTable::RxGroups))
            groupMap = translation(m_old.RxGroup, m_new.RxGroup, 35, numbered(ListTable::RxGroups),
                                   sameName);

        if (!read(ListTable::Channels))
            repointChannels(contactMap, personMap, scanListMap, groupMap);
        if (!read(ListTable::Zones) && read(ListTable::Channels))
            repointZones(channelMap);
        if (!read(ListTable::ScanLists) && read(ListTable::Channels))
            repointScanLists(channelMap);
        if (!read(ListTable::RxGroups) && read(ListTable::Contacts))
            repointRxGroups(contactMap);
        if (read(ListTable::Contacts)) {
            // Quick calls of kind 2 call a contact (1-based, 0 none).
            for (QuickCallRec& call : m_new.QuickCall) {
                if (call.Kind != 2 || call.Contact == 0)
                    continue;
                const auto to = mapped(contactMap, call.Contact - 1);
                call.Contact = to ? static_cast<std::int32_t>(*to + 1) : 0;
            }
        }
        if (read(ListTable::Channels))
            m_channelMap = std::move(channelMap);
    }

    void repointChannels(const std::vector<std::optional<Entry>>& contactMap,
                         const std::vector<std::optional<Entry>>& personMap,
                         const std::vector<std::optional<Entry>>& scanListMap,
                         const std::vector<std::optional<Entry>>& groupMap) {
        const auto firstContact = firstInUse(m_new.Contact);
        const auto firstPerson = firstInUse(m_new.Person);
        for (ChannelRec& channel : m_new.Channel) {
            if (channel.Used == 0)
                continue;
            if (read(ListTable::Contacts)) {
                const auto to = mapped(contactMap, channel.Contact);
                channel.Contact = static_cast<std::int32_t>(to.value_or(firstContact.value_or(0)));
            }
            if (read(ListTable::RadioIds)) {
                const auto to = mapped(personMap, channel.RadioId);
                channel.RadioId = to            ? static_cast<std::int16_t>(*to)
                                  : firstPerson ? static_cast<std::int16_t>(*firstPerson)
                                                : std::int16_t{-1};
            }
            if (read(ListTable::RxGroups) && channel.RxGroup != 0) {
                const auto to = mapped(groupMap, channel.RxGroup - 1);
                channel.RxGroup = to ? static_cast<std::int16_t>(*to + 1) : 0;
            }
            if (read(ListTable::ScanLists)) {
                std::vector<std::uint8_t> kept;
                for (const std::uint8_t list : channel.ScanLists) {
                    if (const auto to = mapped(scanListMap, list == 0xFF ? -1 : list))
                        kept.push_back(static_cast<std::uint8_t>(*to));
                }
                channel.ScanLists.fill(0xFF);
                std::copy(kept.begin(), kept.end(), channel.ScanLists.begin());
            }
        }
    }

    void repointZones(const std::vector<std::optional<Entry>>& channelMap) {
        for (ZoneRec& zone : m_new.Zone) {
            if (zone.Used == 0)
                continue;
            std::vector<std::int16_t> kept;
            const auto count = std::clamp<int>(zone.Count, 0, static_cast<int>(kZoneMembers));
            for (int k = 0; k < count; ++k) {
                if (const auto to = mapped(channelMap, zone.Members[static_cast<std::size_t>(k)]))
                    kept.push_back(static_cast<std::int16_t>(*to));
            }
            storeMembers(zone.Members, zone.Count, kept, std::int16_t{-1});
            const auto first = mapped(channelMap, zone.Selected1);
            const auto second = mapped(channelMap, zone.Selected2);
            if (first)
                zone.Selected1 = static_cast<std::int16_t>(*first);
            if (second)
                zone.Selected2 = static_cast<std::int16_t>(*second);
            selectFromMembers(zone, first.has_value(), second.has_value());
        }
    }

    void repointScanLists(const std::vector<std::optional<Entry>>& channelMap) {
        for (ScanListRec& list : m_new.ScanList) {
            if (list.Used == 0)
                continue;
            std::vector<std::int16_t> kept;
            const auto count = std::clamp<int>(list.Count, 0, static_cast<int>(kScanListMembers));
            for (int k = 0; k < count; ++k) {
                if (const auto to = mapped(channelMap, list.Members[static_cast<std::size_t>(k)]))
                    kept.push_back(static_cast<std::int16_t>(*to));
            }
            storeMembers(list.Members, list.Count, kept, std::int16_t{-1});
            for (std::int16_t* priority : {&list.Priority1, &list.Priority2}) {
                if (*priority == 0)
                    continue;
                const auto to = mapped(channelMap, *priority - 1);
                *priority = to ? static_cast<std::int16_t>(*to + 1) : 0;
            }
        }
    }

    void repointRxGroups(const std::vector<std::optional<Entry>>& contactMap) {
        for (RxGroupRec& group : m_new.RxGroup) {
            if (group.Used == 0)
                continue;
            std::vector<std::int32_t> kept;
            const auto count = std::clamp<int>(group.Count, 0, static_cast<int>(kRxGroupMembers));
            for (int k = 0; k < count; ++k) {
                if (const auto to = mapped(contactMap, group.Members[static_cast<std::size_t>(k)]))
                    kept.push_back(static_cast<std::int32_t>(*to));
            }
            group.Members.fill(-1);
            std::copy(kept.begin(), kept.end(), group.Members.begin());
            group.Count = static_cast<std::int16_t>(kept.size());
        }
    }

    // A scan-list member is a channel of a zone: the first in-use zone that holds it.
    Status assignMemberZones() {
        if (!read(ListTable::Zones) && !read(ListTable::Channels) && !read(ListTable::ScanLists))
            return Status::success();
        const auto zoneOf = [this](std::int16_t channel) -> std::int16_t {
            for (Entry z = 0; z < kZoneCount; ++z) {
                const ZoneRec& zone = m_new.Zone[z];
                if (zone.Used == 0)
                    continue;
                const auto count = std::clamp<int>(zone.Count, 0, static_cast<int>(kZoneMembers));
                const auto members = std::span(zone.Members).first(static_cast<std::size_t>(count));
                if (std::find(members.begin(), members.end(), channel) != members.end())
                    return static_cast<std::int16_t>(z);
            }
            return -1;
        };
        for (Entry s = 0; s < kScanListCount; ++s) {
            ScanListRec& list = m_new.ScanList[s];
            if (list.Used == 0)
                continue;
            std::vector<std::int16_t> members, zones;
            const auto count = std::clamp<int>(list.Count, 0, static_cast<int>(kScanListMembers));
            for (int k = 0; k < count; ++k) {
                const std::int16_t channel = list.Members[static_cast<std::size_t>(k)];
                const std::int16_t zone =
                    UsedRecord(m_new.Channel, channel) ? zoneOf(channel) : std::int16_t{-1};
                if (zone < 0) {
                    if (read(ListTable::ScanLists))
                        return Error::literal(
                            m_work.scanListRefs[s].members.front().origin + ": the channel " +
                            inQuotes(ReferencedName(m_new.Channel, channel)) +
                            " lies in no zone; a scan list holds channels of zones");
                    continue;
                }
                members.push_back(channel);
                zones.push_back(zone);
            }
            storeMembers(list.Members, list.Count, members, std::int16_t{-1});
            storeMembers(list.MemberZones, list.Count, zones, std::int16_t{-1});
        }
        return Status::success();
    }

    // The settings' two channel references name in-use channels of even and odd channel type,
    // and its zone reference an in-use zone, as the repairs keep them.
    void repointSettings() {
        SettingsRec& settings = m_new.Settings;
        if (read(ListTable::Channels)) {
            for (std::int16_t* ref : {&settings.ChannelRef1, &settings.ChannelRef2}) {
                if (const auto to = mapped(m_channelMap, *ref))
                    *ref = static_cast<std::int16_t>(*to);
            }
            const auto qualify = [this](std::int16_t& ref, int parity) {
                const auto fits = [&](std::int64_t n) {
                    const ChannelRec* channel = UsedRecord(m_new.Channel, n);
                    return channel && (channel->ChType & 1) == parity;
                };
                if (fits(ref))
                    return;
                ref = 0;
                for (Entry n = 0; n < kChannelCount; ++n) {
                    if (fits(static_cast<std::int64_t>(n))) {
                        ref = static_cast<std::int16_t>(n);
                        return;
                    }
                }
            };
            qualify(settings.ChannelRef1, 0);
            qualify(settings.ChannelRef2, 1);
        }
        if (read(ListTable::Zones)) {
            const auto zoneMap =
                translation(m_old.Zone, m_new.Zone, 16, numbered(ListTable::Zones),
                            [](const ZoneRec&, const Candidates& c) { return c.front(); });
            if (const auto to = mapped(zoneMap, settings.ZoneRef))
                settings.ZoneRef = static_cast<std::int16_t>(*to);
            if (!UsedRecord(m_new.Zone, settings.ZoneRef))
                settings.ZoneRef = static_cast<std::int16_t>(firstInUse(m_new.Zone).value_or(0));
        }
    }

    const Codeplug& m_old;
    const ImportWorkSet& m_work;
    Codeplug& m_new;
    NameIndex m_channels, m_persons, m_scanLists, m_contacts, m_rxGroups;
    std::vector<std::optional<Entry>> m_channelMap;
};

} // namespace

Status ResolveImportedReferences(const Codeplug& original, const ImportWorkSet& work,
                                 Codeplug& result) {
    return Resolver(original, work, result).run();
}

} // namespace r605

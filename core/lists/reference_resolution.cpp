#include "lists/reference_resolution.h"

#include "base/numbers.h"
#include "schema/cell_text.h"
#include "schema/family_columns.h"

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

// The in-use records of a family's table by name.
class NameIndex {
public:
    template <class Table>
    NameIndex(const Table& table, Family family) : m_bytes(familyInfo(family).nameLimit) {
        for (Entry entry = 0; entry < table.size(); ++entry) {
            if (recordInUse(table[entry]))
                m_entries[cells::text(table[entry].Name)].push_back(entry);
        }
    }

    // The records named `name`; a name longer than the field is compared as it was cut on import.
    const Candidates* find(std::string_view name) const {
        const auto it = m_entries.find(cells::fixedText(name, m_bytes));
        return it == m_entries.end() || it->second.empty() ? nullptr : &it->second;
    }

private:
    std::size_t m_bytes;
    std::unordered_map<std::string, Candidates> m_entries;
};

Error missing(const PendingRef& ref, std::string_view what, std::string_view name) {
    return Error::literal(ref.origin + ": no " + std::string(what) + " named " + cells::quoted(name));
}

// The members of one or more member cells. Names are separated by "|"; a name that itself holds
// the separator (possible for a record read from a radio) is found by joining parts again.
Result<std::vector<Entry>> resolveMembers(std::span<const PendingRef> refs, const NameIndex& index,
                                          std::string_view what, const Chooser& choose,
                                          std::size_t capacity) {
    std::vector<Entry> members;
    for (const PendingRef& ref : refs) {
        const std::vector<std::string_view> parts = cells::splitMembers(ref.text);
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
        if (!recordInUse(record) || record.Id != *ref.id)
            continue;
        if (name.empty() || cells::text(record.Name) == cells::fixedText(name, 1000))
            return std::optional<Entry>(entry);
    }
    if (!index.find(name) && !name.empty())
        return missing(ref, what, name);
    return Error::literal(ref.origin + ": no " + std::string(what) +
                          (name.empty() ? "" : " named " + cells::quoted(name)) + " with radio ID " +
                          std::to_string(*ref.id));
}

// The in-use record at `entry`, or nothing for an entry outside the table or out of use.
template <class Table>
const typename Table::value_type* usedRecord(const Table& table, std::int64_t entry) {
    if (entry < 0 || static_cast<std::uint64_t>(entry) >= table.size())
        return nullptr;
    const auto& record = table[static_cast<std::size_t>(entry)];
    return recordInUse(record) ? &record : nullptr;
}

template <class Table> std::optional<Entry> firstInUse(const Table& table) {
    for (Entry entry = 0; entry < table.size(); ++entry) {
        if (recordInUse(table[entry]))
            return entry;
    }
    return std::nullopt;
}

// Where the records of an imported table's old version went: old entry -> new entry (nothing
// when it is gone). A record that the file gave by its number is the record of that number,
// renamed or not; otherwise the record of the same name is taken. `choose(old, candidates)`
// picks among new records of one name.
template <Family F, class Choose>
std::vector<std::optional<Entry>> translation(const Codeplug& original, const Codeplug& result,
                                              const ImportWorkSet& work, Choose choose) {
    const auto& oldTable = member<F>(original);
    const auto& newTable = member<F>(result);
    const NameIndex index(newTable, F);
    std::vector<std::optional<Entry>> map(oldTable.size());
    for (Entry entry = 0; entry < oldTable.size(); ++entry) {
        const auto& record = oldTable[entry];
        if (!recordInUse(record))
            continue;
        if (recordInUse(newTable[entry]) && work.wasNumbered(F, entry))
            map[entry] = entry;
        else if (const Candidates* found = index.find(cells::text(record.Name)))
            map[entry] = choose(record, *found);
    }
    return map;
}

// How a reference field counts (its base and its none), as the column that shows it says: the
// value for an entry or for nothing, and the entry of a value (-1 for none).
class FieldRule {
public:
    FieldRule(Family family, std::string_view column) {
        const FamilyColumns& columns = *columnsOf(family);
        m_rule = *columns.columns()[*columns.columnNamed(column)].reference;
    }
    std::int64_t value(std::optional<Entry> entry) const {
        return entry ? static_cast<std::int64_t>(*entry) + m_rule.base : m_rule.none;
    }
    std::int64_t entry(std::int64_t value) const {
        return value == m_rule.none ? -1 : value - m_rule.base;
    }

private:
    ReferenceRule m_rule{Family::Channel};
};

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

using EntryMap = std::vector<std::optional<Entry>>;

class Resolver {
public:
    Resolver(const Codeplug& original, const ImportWorkSet& work, Codeplug& result)
        : m_old(original), m_work(work), m_new(result), m_channels(m_new.Channel, Family::Channel),
          m_persons(m_new.Person, Family::Person), m_scanLists(m_new.ScanList, Family::ScanList),
          m_contacts(m_new.Contact, Family::Contact), m_rxGroups(m_new.RxGroup, Family::RxGroup) {}

    Status run() {
        buildMaps();
        if (Status status = channels(); !status)
            return status;
        if (Status status = zones(); !status)
            return status;
        if (Status status = scanLists(); !status)
            return status;
        if (Status status = rxGroups(); !status)
            return status;
        quickCalls();
        assignMemberZones();
        settings();
        return Status::success();
    }

private:
    bool read(Family table) const { return m_work.wasRead(table); }
    template <Family F, class Choose> EntryMap translated(Choose choose) const {
        return read(F) ? translation<F>(m_old, m_new, m_work, choose) : EntryMap();
    }

    // Whether a record's references that no file gives are the codeplug's, to be re-pointed to
    // the imported records: every record of a list not read, and an imported record that
    // started from the codeplug's record of its number (its file lacks some reference columns).
    template <Family F> bool carriesOldReferences(Entry entry) const {
        return !read(F) || m_work.keptRecord<F>(entry) != nullptr;
    }

    // Group lists hold group-call contacts: of several contacts of one name, the group call.
    Entry chooseGroupContact(const Candidates& candidates) const {
        for (const Entry entry : candidates) {
            if (m_new.Contact[entry].CallType == 1)
                return entry;
        }
        return candidates.front();
    }

    // Where the records of the imported lists' old versions went, by number or name.
    void buildMaps() {
        const auto sameName = [](const auto&, const Candidates& c) { return c.front(); };
        m_channelMap = translated<Family::Channel>(sameName);
        // Of several contacts of one name, the one with the same radio ID and call type.
        m_contactMap =
            translated<Family::Contact>([this](const ContactRec& old, const Candidates& c) {
                for (const Entry entry : c) {
                    const ContactRec& candidate = m_new.Contact[entry];
                    if (candidate.Id == old.Id && candidate.CallType == old.CallType)
                        return entry;
                }
                return c.front();
            });
        m_personMap = translated<Family::Person>([this](const PersonRec& old, const Candidates& c) {
            for (const Entry entry : c) {
                if (m_new.Person[entry].Id == old.Id)
                    return entry;
            }
            return c.front();
        });
        m_scanListMap = translated<Family::ScanList>(sameName);
        m_zoneMap = translated<Family::Zone>(sameName);
        m_groupMap = translated<Family::RxGroup>(sameName);
    }

    // Members re-pointed through a map; the members whose record is gone leave the list.
    template <class Array>
    std::vector<typename Array::value_type> repointMembers(const Array& members, int count,
                                                           const EntryMap& map) const {
        std::vector<typename Array::value_type> kept;
        const auto n =
            static_cast<std::size_t>(std::clamp<int>(count, 0, static_cast<int>(members.size())));
        for (std::size_t k = 0; k < n; ++k) {
            if (const auto to = mapped(map, members[k]))
                kept.push_back(static_cast<typename Array::value_type>(*to));
        }
        return kept;
    }

    Status channels() {
        const bool contactsRead = read(Family::Contact);
        const bool personsRead = read(Family::Person);
        const bool groupsRead = read(Family::RxGroup);
        const bool listsRead = read(Family::ScanList);
        const auto firstContact = firstInUse(m_new.Contact);
        const auto firstPerson = firstInUse(m_new.Person);
        for (Entry n = 0; n < kChannelCount; ++n) {
            ChannelRec& channel = m_new.Channel[n];
            if (!recordInUse(channel))
                continue;
            const ChannelRefs* refs = read(Family::Channel) ? &m_work.channelRefs[n] : nullptr;
            const bool repoint = carriesOldReferences<Family::Channel>(n);

            if (refs && refs->contact) {
                auto contact = resolveWithId(*refs->contact, m_new.Contact, m_contacts, "contact");
                if (!contact)
                    return contact.error();
                channel.Contact = static_cast<std::int32_t>(contact->value_or(0));
            } else if (repoint && contactsRead) {
                // A channel always calls a contact: the first still in use when its own is gone.
                const auto to = mapped(m_contactMap, channel.Contact);
                channel.Contact = static_cast<std::int32_t>(to.value_or(firstContact.value_or(0)));
            }

            if (refs && refs->radioId) {
                auto person = resolveWithId(*refs->radioId, m_new.Person, m_persons, "radio ID");
                if (!person)
                    return person.error();
                channel.RadioId = static_cast<std::int16_t>(m_radioIdRule.value(*person));
            } else if (repoint && personsRead) {
                const auto to = mapped(m_personMap, m_radioIdRule.entry(channel.RadioId));
                channel.RadioId =
                    static_cast<std::int16_t>(m_radioIdRule.value(to ? to : firstPerson));
            }

            if (refs && refs->rxGroup) {
                auto group =
                    resolveOne(*refs->rxGroup, m_rxGroups, "receive group list", firstCandidate);
                if (!group)
                    return group.error();
                channel.RxGroup = static_cast<std::int16_t>(m_rxGroupRule.value(*group));
            } else if (repoint && groupsRead) {
                const auto to = mapped(m_groupMap, m_rxGroupRule.entry(channel.RxGroup));
                channel.RxGroup = static_cast<std::int16_t>(m_rxGroupRule.value(to));
            }

            std::vector<Entry> lists;
            if (refs && !refs->scanLists.empty()) {
                auto resolved = resolveMembers(refs->scanLists, m_scanLists, "scan list",
                                               firstCandidate, channel.ScanLists.size());
                if (!resolved)
                    return resolved.error();
                lists = std::move(*resolved);
            } else if (repoint && listsRead) {
                for (const std::uint8_t list : channel.ScanLists) {
                    if (const auto to = mapped(m_scanListMap, m_scanListRule.entry(list)))
                        lists.push_back(*to);
                }
            } else {
                continue;
            }
            channel.ScanLists.fill(static_cast<std::uint8_t>(m_scanListRule.value(std::nullopt)));
            const std::size_t count = std::min(lists.size(), channel.ScanLists.size());
            for (std::size_t k = 0; k < count; ++k)
                channel.ScanLists[k] = static_cast<std::uint8_t>(m_scanListRule.value(lists[k]));
        }
        return Status::success();
    }

    Status zones() {
        const bool channelsRead = read(Family::Channel);
        for (Entry z = 0; z < kZoneCount; ++z) {
            ZoneRec& zone = m_new.Zone[z];
            if (!recordInUse(zone))
                continue;
            const ZoneRefs* refs = read(Family::Zone) ? &m_work.zoneRefs[z] : nullptr;
            const bool repoint = channelsRead && carriesOldReferences<Family::Zone>(z);
            bool changed = false;
            if (refs && !refs->members.empty()) {
                auto members = resolveMembers(refs->members, m_channels, "channel", firstCandidate,
                                              kZoneMembers);
                if (!members)
                    return members.error();
                storeMembers(zone.Members, zone.Count, *members, std::int16_t{-1});
                changed = true;
            } else if (repoint) {
                storeMembers(zone.Members, zone.Count,
                             repointMembers(zone.Members, zone.Count, m_channelMap),
                             std::int16_t{-1});
                changed = true;
            }
            // Each selected channel: named in the file, re-pointed, or (when gone or not given)
            // taken from the members as the channel repair does.
            bool keep[2] = {true, true};
            std::int16_t* selected[2] = {&zone.Selected1, &zone.Selected2};
            const std::optional<PendingRef>* given[2] = {nullptr, nullptr};
            if (refs) {
                given[0] = &refs->channelA;
                given[1] = &refs->channelB;
            }
            for (int i = 0; i < 2; ++i) {
                if (given[i] && *given[i]) {
                    auto channel = resolveOne(**given[i], m_channels, "channel", firstCandidate);
                    if (!channel)
                        return channel.error();
                    keep[i] = channel->has_value();
                    if (*channel)
                        *selected[i] = static_cast<std::int16_t>(**channel);
                    changed = true;
                } else if (repoint) {
                    const auto to = mapped(m_channelMap, *selected[i]);
                    keep[i] = to.has_value();
                    if (to)
                        *selected[i] = static_cast<std::int16_t>(*to);
                } else if (refs && !carriesOldReferences<Family::Zone>(z)) {
                    keep[i] = false; // a new zone without the column
                }
            }
            if (changed || !keep[0] || !keep[1])
                selectFromMembers(zone, keep[0], keep[1]);
        }
        return Status::success();
    }

    Status scanLists() {
        const bool channelsRead = read(Family::Channel);
        for (Entry s = 0; s < kScanListCount; ++s) {
            ScanListRec& list = m_new.ScanList[s];
            if (!recordInUse(list))
                continue;
            const ScanListRefs* refs = read(Family::ScanList) ? &m_work.scanListRefs[s] : nullptr;
            const bool repoint = channelsRead && carriesOldReferences<Family::ScanList>(s);
            if (refs && !refs->members.empty()) {
                auto members = resolveMembers(refs->members, m_channels, "channel", firstCandidate,
                                              kScanListMembers);
                if (!members)
                    return members.error();
                storeMembers(list.Members, list.Count, *members, std::int16_t{-1});
            } else if (repoint) {
                // The member zones travel with their members.
                std::vector<std::int16_t> members, zones;
                const auto count =
                    std::clamp<int>(list.Count, 0, static_cast<int>(kScanListMembers));
                for (int k = 0; k < count; ++k) {
                    const auto index = static_cast<std::size_t>(k);
                    if (const auto to = mapped(m_channelMap, list.Members[index])) {
                        members.push_back(static_cast<std::int16_t>(*to));
                        zones.push_back(list.MemberZones[index]);
                    }
                }
                storeMembers(list.Members, list.Count, members, std::int16_t{-1});
                storeMembers(list.MemberZones, list.Count, zones, std::int16_t{-1});
            }
            const std::optional<PendingRef>* given[2] = {nullptr, nullptr};
            if (refs) {
                given[0] = &refs->priority1;
                given[1] = &refs->priority2;
            }
            std::int16_t* priority[2] = {&list.Priority1, &list.Priority2};
            for (int i = 0; i < 2; ++i) {
                if (given[i] && *given[i]) {
                    auto channel = resolveOne(**given[i], m_channels, "channel", firstCandidate);
                    if (!channel)
                        return channel.error();
                    *priority[i] = static_cast<std::int16_t>(m_priorityRule.value(*channel));
                } else if (repoint) {
                    const auto to = mapped(m_channelMap, m_priorityRule.entry(*priority[i]));
                    *priority[i] = static_cast<std::int16_t>(m_priorityRule.value(to));
                }
            }
        }
        return Status::success();
    }

    Status rxGroups() {
        const bool contactsRead = read(Family::Contact);
        const Chooser choose = [this](const Candidates& c) { return chooseGroupContact(c); };
        for (Entry g = 0; g < kRxGroupCount; ++g) {
            RxGroupRec& group = m_new.RxGroup[g];
            if (!recordInUse(group))
                continue;
            const RxGroupRefs* refs = read(Family::RxGroup) ? &m_work.rxGroupRefs[g] : nullptr;
            std::vector<std::int32_t> members;
            if (refs && !refs->members.empty()) {
                auto resolved =
                    resolveMembers(refs->members, m_contacts, "contact", choose, kRxGroupMembers);
                if (!resolved)
                    return resolved.error();
                members.assign(resolved->begin(), resolved->end());
            } else if (contactsRead && carriesOldReferences<Family::RxGroup>(g)) {
                members = repointMembers(group.Members, group.Count, m_contactMap);
            } else {
                continue;
            }
            group.Members.fill(-1);
            std::copy(members.begin(), members.end(), group.Members.begin());
            group.Count = static_cast<std::int16_t>(members.size());
        }
        return Status::success();
    }

    // Quick calls of kind 2 call a contact (1-based, 0 none).
    void quickCalls() {
        if (!read(Family::Contact))
            return;
        for (QuickCallRec& call : m_new.QuickCall) {
            if (call.Kind != 2 || call.Contact == 0)
                continue;
            const auto to = mapped(m_contactMap, call.Contact - 1);
            call.Contact = to ? static_cast<std::int32_t>(*to + 1) : 0;
        }
    }

    // The zones of the scan-list members. A list file names a member by its channel only, so a
    // member of an imported scan list lies in the first in-use zone that holds its channel (in
    // none when no zone holds it: the file cannot say). A member of a scan list not read keeps
    // its zone while that zone still holds the channel; when the zones were imported and none
    // holds it any more, it leaves the list, as the zone repair does.
    void assignMemberZones() {
        if (!read(Family::Zone) && !read(Family::Channel) && !read(Family::ScanList))
            return;
        const auto holds = [this](std::int64_t z, std::int16_t channel) {
            const ZoneRec* zone = usedRecord(m_new.Zone, z);
            if (!zone)
                return false;
            const auto count = std::clamp<int>(zone->Count, 0, static_cast<int>(kZoneMembers));
            const auto members = std::span(zone->Members).first(static_cast<std::size_t>(count));
            return std::find(members.begin(), members.end(), channel) != members.end();
        };
        const auto firstZoneOf = [&](std::int16_t channel) -> std::int16_t {
            for (Entry z = 0; z < kZoneCount; ++z) {
                if (holds(static_cast<std::int64_t>(z), channel))
                    return static_cast<std::int16_t>(z);
            }
            return -1;
        };
        const bool listsRead = read(Family::ScanList);
        for (ScanListRec& list : m_new.ScanList) {
            if (!recordInUse(list))
                continue;
            std::vector<std::int16_t> members, zones;
            const auto count = std::clamp<int>(list.Count, 0, static_cast<int>(kScanListMembers));
            for (int k = 0; k < count; ++k) {
                const std::int16_t channel = list.Members[static_cast<std::size_t>(k)];
                if (!usedRecord(m_new.Channel, channel))
                    continue;
                std::int16_t zone = list.MemberZones[static_cast<std::size_t>(k)];
                if (!listsRead && read(Family::Zone)) {
                    const auto to = mapped(m_zoneMap, zone);
                    zone = to ? static_cast<std::int16_t>(*to) : std::int16_t{-1};
                }
                if (listsRead || !holds(zone, channel)) {
                    const std::int16_t first = firstZoneOf(channel);
                    if (first < 0 && !listsRead && !read(Family::Zone))
                        zone = list.MemberZones[static_cast<std::size_t>(k)]; // as it was
                    else if (first < 0 && !listsRead)
                        continue;
                    else
                        zone = first;
                }
                members.push_back(channel);
                zones.push_back(zone);
            }
            storeMembers(list.Members, list.Count, members, std::int16_t{-1});
            storeMembers(list.MemberZones, list.Count, zones, std::int16_t{-1});
        }
    }

    // The settings' two channel references name in-use channels of even and odd channel type,
    // and its zone reference an in-use zone, as the repairs keep them.
    void settings() {
        SettingsRec& settings = m_new.Settings;
        if (read(Family::Channel)) {
            for (std::int16_t* ref : {&settings.ChannelRef1, &settings.ChannelRef2}) {
                if (const auto to = mapped(m_channelMap, *ref))
                    *ref = static_cast<std::int16_t>(*to);
            }
            const auto qualify = [this](std::int16_t& ref, int parity) {
                const auto fits = [&](std::int64_t n) {
                    const ChannelRec* channel = usedRecord(m_new.Channel, n);
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
        if (read(Family::Zone)) {
            if (const auto to = mapped(m_zoneMap, settings.ZoneRef))
                settings.ZoneRef = static_cast<std::int16_t>(*to);
            if (!usedRecord(m_new.Zone, settings.ZoneRef))
                settings.ZoneRef = static_cast<std::int16_t>(firstInUse(m_new.Zone).value_or(0));
        }
    }

    const Codeplug& m_old;
    const ImportWorkSet& m_work;
    Codeplug& m_new;
    NameIndex m_channels, m_persons, m_scanLists, m_contacts, m_rxGroups;
    const FieldRule m_radioIdRule{Family::Channel, "RadioId"};
    const FieldRule m_rxGroupRule{Family::Channel, "RxGroup"};
    const FieldRule m_scanListRule{Family::Channel, "ScanLists"};
    const FieldRule m_priorityRule{Family::ScanList, "Priority1"};
    EntryMap m_channelMap, m_contactMap, m_personMap, m_scanListMap, m_zoneMap, m_groupMap;
};

} // namespace

Status ResolveImportedReferences(const Codeplug& original, const ImportWorkSet& work,
                                 Codeplug& result) {
    return Resolver(original, work, result).run();
}

} // namespace r605

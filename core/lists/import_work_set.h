#pragma once
// The import work set: a second set of the record tables into which list files are read before
// anything in the codeplug changes, with the references of the lists read still as names. Only
// when every file has been read and every name resolved does the result replace the codeplug.
// It holds only the tables that lists fill; the rest of the codeplug is copied once, at the end.

#include "model/codeplug.h"
#include "schema/family_tables.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace r605 {

// A reference as a file gives it: the name of the record (for member lists, the names joined
// with "|"), and where it stands for the message when it names nothing.
struct PendingRef {
    std::string text;
    std::optional<std::int64_t> id; // a contact's or radio ID's number given beside the name
    std::string origin;
};

struct ChannelRefs {
    std::optional<PendingRef> contact;
    std::optional<PendingRef> radioId;
    std::optional<PendingRef> rxGroup;
    std::vector<PendingRef> scanLists;
};

struct ZoneRefs {
    std::vector<PendingRef> members;
    std::optional<PendingRef> channelA;
    std::optional<PendingRef> channelB;
};

struct ScanListRefs {
    std::vector<PendingRef> members;
    std::optional<PendingRef> priority1;
    std::optional<PendingRef> priority2;
};

struct RxGroupRefs {
    std::vector<PendingRef> members;
};

// A table of the work set, made when a file of its list is read (a contact table is 10000
// records: an import of channels should not pay for one).
template <class T> class WorkTable {
public:
    // Makes the table (default records) when it does not exist yet.
    T& make() {
        if (!m_table)
            m_table = std::make_unique<T>();
        return *m_table;
    }
    bool exists() const { return m_table != nullptr; }
    T& table() {
        assert(m_table);
        return *m_table;
    }

private:
    std::unique_ptr<T> m_table;
};

template <Family F>
using MemberOf = std::remove_cvref_t<decltype(member<F>(std::declval<Codeplug&>()))>;

// The tables that list files fill, as the import reads them. The DTMF code list fills the codes
// of the DTMF record, which is held whole.
struct ImportTables {
    WorkTable<MemberOf<Family::Channel>> channels;
    WorkTable<MemberOf<Family::Person>> persons;
    WorkTable<MemberOf<Family::Zone>> zones;
    WorkTable<MemberOf<Family::ScanList>> scanLists;
    WorkTable<MemberOf<Family::PhoneBook>> phoneBook;
    WorkTable<MemberOf<Family::Contact>> contacts;
    WorkTable<MemberOf<Family::TextMessage3>> quickTexts;
    WorkTable<MemberOf<Family::RxGroup>> rxGroups;
    WorkTable<MemberOf<Family::Dtmf>> dtmf;
    WorkTable<MemberOf<Family::TwoToneEntry>> twoToneEntries;

    template <Family F> WorkTable<MemberOf<F>>& of() {
        if constexpr (F == Family::Channel)
            return channels;
        else if constexpr (F == Family::Person)
            return persons;
        else if constexpr (F == Family::Zone)
            return zones;
        else if constexpr (F == Family::ScanList)
            return scanLists;
        else if constexpr (F == Family::PhoneBook)
            return phoneBook;
        else if constexpr (F == Family::Contact)
            return contacts;
        else if constexpr (F == Family::TextMessage3)
            return quickTexts;
        else if constexpr (F == Family::RxGroup)
            return rxGroups;
        else if constexpr (F == Family::Dtmf)
            return dtmf;
        else
            return twoToneEntries;
    }
};

struct ImportWorkSet {
    // The codeplug imported into: the tables of the lists not read stay as it has them.
    const Codeplug* base = nullptr;
    ImportTables tables;
    // By family: whether a list of it was read, and the entries whose file line gave their
    // number (such a record is the record of that number, whatever its name now is).
    std::array<bool, kFamilyCount> read{};
    std::array<std::vector<bool>, kFamilyCount> numbered;

    // References of the records read, by entry; filled only for the tables read.
    std::vector<ChannelRefs> channelRefs;
    std::vector<ZoneRefs> zoneRefs;
    std::vector<ScanListRefs> scanListRefs;
    std::vector<RxGroupRefs> rxGroupRefs;

    bool wasRead(Family family) const { return read[static_cast<std::size_t>(family)]; }
    bool wasNumbered(Family family, std::size_t entry) const {
        const auto& flags = numbered[static_cast<std::size_t>(family)];
        return entry < flags.size() && flags[entry];
    }

    // The record an imported line starts from when its line gave the record's number and the
    // codeplug uses that record: the columns of the file change it, the fields the list does not
    // carry stay as the codeplug has them. Nothing otherwise (the line makes a new record).
    template <Family F> const RecordOf<F>* keptRecord(std::size_t entry) const {
        const auto& table = member<F>(*base);
        if (!wasNumbered(F, entry) || entry >= table.size() || !recordInUse(table[entry]))
            return nullptr;
        return &table[entry];
    }

    // Puts the tables read into `codeplug` (a copy of the base), leaving the others.
    void moveReadTablesInto(Codeplug& codeplug) {
        take<Family::Channel>(codeplug);
        take<Family::Person>(codeplug);
        take<Family::Zone>(codeplug);
        take<Family::ScanList>(codeplug);
        take<Family::PhoneBook>(codeplug);
        take<Family::Contact>(codeplug);
        take<Family::TextMessage3>(codeplug);
        take<Family::RxGroup>(codeplug);
        take<Family::TwoToneEntry>(codeplug);
        // Of the DTMF record, the list holds the codes only.
        if (wasRead(Family::Dtmf) && tables.dtmf.exists())
            codeplug.Dtmf.Codes = std::move(tables.dtmf.table().Codes);
    }

private:
    template <Family F> void take(Codeplug& codeplug) {
        if (wasRead(F) && tables.of<F>().exists())
            member<F>(codeplug) = std::move(tables.of<F>().table());
    }
};

} // namespace r605

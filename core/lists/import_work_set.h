#pragma once
// The import work set: a second set of the record tables into which list files are read before
// anything in the codeplug changes, with the references of the lists read still as names. Only
// when every file has been read and every name resolved does the result replace the codeplug.
// It holds only the tables that lists fill; the rest of the codeplug is copied once, at the end.

#include "schema/list_type.h"
#include "model/codeplug.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
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

// The record tables that list files fill. Contacts are one table for list types 5 and 15.
enum class ListTable {
    Channels,
    RadioIds,
    Zones,
    ScanLists,
    PhoneBook,
    Contacts,
    QuickTexts,
    RxGroups,
    DtmfCodes,
    TwoToneCodes,
    None
};

constexpr ListTable tableOf(ListType type) {
    switch (type) {
    case ListType::Channels:
        return ListTable::Channels;
    case ListType::RadioIds:
        return ListTable::RadioIds;
    case ListType::Zones:
        return ListTable::Zones;
    case ListType::ScanLists:
        return ListTable::ScanLists;
    case ListType::PhoneBook:
        return ListTable::PhoneBook;
    case ListType::QuickTexts:
        return ListTable::QuickTexts;
    case ListType::TwoToneCodes:
        return ListTable::TwoToneCodes;
    case ListType::Contacts:
    case ListType::DownloadedContacts:
        return ListTable::Contacts;
    case ListType::RxGroups:
        return ListTable::RxGroups;
    case ListType::DtmfCodes:
        return ListTable::DtmfCodes;
    default:
        return ListTable::None;
    }
}

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
    auto& operator[](std::size_t entry) {
        assert(m_table);
        return (*m_table)[entry];
    }
    T& table() {
        assert(m_table);
        return *m_table;
    }

private:
    std::unique_ptr<T> m_table;
};

// The tables that list files fill, as the import reads them.
struct ImportTables {
    WorkTable<Table<ChannelRec, kChannelCount>> Channel;
    WorkTable<Table<PersonRec, kPersonCount>> Person;
    WorkTable<Table<ZoneRec, kZoneCount>> Zone;
    WorkTable<Table<ScanListRec, kScanListCount>> ScanList;
    WorkTable<Table<PhoneBookRec, kPhoneBookCount>> PhoneBook;
    WorkTable<Table<ContactRec, kContactCount>> Contact;
    WorkTable<Table<TextMessageRec, kTextMessageCount>> TextMessage3;
    WorkTable<Table<RxGroupRec, kRxGroupCount>> RxGroup;
    WorkTable<std::array<DigitCode, kDtmfCodes>> DtmfCodes;
    WorkTable<Table<TwoToneEntryRec, kTwoToneEntryCount>> TwoToneEntry;
};

struct ImportWorkSet {
    // The codeplug imported into: the tables of the lists not read stay as it has them.
    const Codeplug* base = nullptr;
    ImportTables tables;
    std::array<bool, static_cast<std::size_t>(ListTable::None)> read{};
    // Per table read, the entries whose file line gave their number: such a record is the
    // record of that number, whatever its name now is.
    std::array<std::vector<bool>, static_cast<std::size_t>(ListTable::None)> numbered;

    // References of the records read, by entry; filled only for the tables read.
    std::vector<ChannelRefs> channelRefs;
    std::vector<ZoneRefs> zoneRefs;
    std::vector<ScanListRefs> scanListRefs;
    std::vector<RxGroupRefs> rxGroupRefs;

    bool wasRead(ListTable table) const { return read[static_cast<std::size_t>(table)]; }
    bool wasNumbered(ListTable table, std::size_t entry) const {
        const auto& flags = numbered[static_cast<std::size_t>(table)];
        return entry < flags.size() && flags[entry];
    }

    // The record an imported line starts from when its line gave the record's number and the
    // codeplug uses that record: the columns of the file change it, the fields the list does not
    // carry stay as the codeplug has them. Nothing otherwise (the line makes a new record).
    template <class Table>
    const typename Table::value_type* keptRecord(ListTable table, const Table& baseTable,
                                                 std::size_t entry) const {
        if (!wasNumbered(table, entry) || entry >= baseTable.size() || baseTable[entry].Used == 0)
            return nullptr;
        return &baseTable[entry];
    }

    // Puts the tables read into `codeplug` (a copy of the base), leaving the others.
    void moveReadTablesInto(Codeplug& codeplug) {
        const auto take = [&](ListTable table, auto& to, auto& from) {
            if (wasRead(table) && from.exists())
                to = std::move(from.table());
        };
        take(ListTable::Channels, codeplug.Channel, tables.Channel);
        take(ListTable::RadioIds, codeplug.Person, tables.Person);
        take(ListTable::Zones, codeplug.Zone, tables.Zone);
        take(ListTable::ScanLists, codeplug.ScanList, tables.ScanList);
        take(ListTable::PhoneBook, codeplug.PhoneBook, tables.PhoneBook);
        take(ListTable::Contacts, codeplug.Contact, tables.Contact);
        take(ListTable::QuickTexts, codeplug.TextMessage3, tables.TextMessage3);
        take(ListTable::RxGroups, codeplug.RxGroup, tables.RxGroup);
        take(ListTable::DtmfCodes, codeplug.Dtmf.Codes, tables.DtmfCodes);
        take(ListTable::TwoToneCodes, codeplug.TwoToneEntry, tables.TwoToneEntry);
    }
};

} // namespace r605

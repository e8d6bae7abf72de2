#pragma once
// The import work set: a second set of the record tables into which list files are read before
// anything in the codeplug changes, with the references of the lists read still as names. Only
// when every file has been read and every name resolved does the result replace the codeplug.

#include "lists/list_type.h"
#include "model/codeplug.h"

#include <array>
#include <cstdint>
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

struct ImportWorkSet {
    // Starts as a copy of the codeplug: the tables of the lists not read are the codeplug's.
    Codeplug tables;
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
};

} // namespace r605

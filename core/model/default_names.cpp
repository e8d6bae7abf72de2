#include "model/default_names.h"

#include "text/codepage.h"
#include "text/trim.h"

#include <algorithm>

namespace r605 {

namespace {

template <class TableT> bool uniqueIn(TableT& table, std::string_view candidate, int index) {
    for (std::size_t r = 0; r < table.size(); ++r) {
        if (static_cast<int>(r) == index || table[r].Used == 0)
            continue;
        auto& record = table[r];
        record.Name = TrimAtNull(record.Name);
        if (record.Name == candidate)
            return false;
    }
    return true;
}

bool isDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The byte offset where the last `count` UTF-8 characters of the text begin.
std::size_t lastCharactersStart(std::string_view text, std::size_t count) {
    std::size_t pos = text.size();
    while (count > 0 && pos > 0) {
        --pos;
        while (pos > 0 && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            --pos;
        --count;
    }
    return pos;
}

std::size_t firstCharacterLength(std::string_view text) {
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

} // namespace

bool IsNameUnique(Codeplug& codeplug, int family, std::string_view candidate, int index) {
    switch (family) {
    case kFamilyChannel:
        return uniqueIn(codeplug.Channel, candidate, index);
    case kFamilyPerson:
        return uniqueIn(codeplug.Person, candidate, index);
    case kFamilyZone:
        return uniqueIn(codeplug.Zone, candidate, index);
    case kFamilyScanList:
        return uniqueIn(codeplug.ScanList, candidate, index);
    case kFamilyContact:
        return uniqueIn(codeplug.Contact, candidate, index);
    case kFamilyRxGroup:
        return uniqueIn(codeplug.RxGroup, candidate, index);
    default:
        return true;
    }
}

std::string MakeUniqueName(Codeplug& codeplug, int index, std::string_view name, int byteLimit,
                           int family) {
    std::string result = TrimAtNull(name);
    std::size_t digits = 1;
    // Each round tries a new number; a table holds at most 10000 records, so the loop ends long
    // before this bound.
    for (int k = 0; k <= 100000;) {
        if (IsNameUnique(codeplug, family, result, index))
            return result;
        const std::string padding = digits == 1 ? "1" : "0";
        if (utf8Length(result) < digits)
            result += padding;
        const std::size_t tail = lastCharactersStart(result, digits);
        if (!isDigits(std::string_view(result).substr(tail)))
            result += padding;
        if (cp936Length(result) > static_cast<std::size_t>(byteLimit) && !result.empty())
            result.erase(0, firstCharacterLength(result));
        ++k;
        const std::string number = std::to_string(k);
        digits = std::max(digits, number.size());
        result.replace(lastCharactersStart(result, digits), std::string::npos, number);
    }
    return result;
}

std::string DefaultChannelName(Codeplug& codeplug, int index) {
    return MakeUniqueName(codeplug, index, "Channel 1", 16, kFamilyChannel);
}
std::string DefaultRadioIdName(Codeplug& codeplug, int index) {
    return MakeUniqueName(codeplug, index, "Radio 1", 16, kFamilyPerson);
}
std::string DefaultZoneName(Codeplug& codeplug, int index) {
    return MakeUniqueName(codeplug, index, "Zone 1", 16, kFamilyZone);
}
std::string DefaultScanListName(Codeplug& codeplug, int index) {
    return MakeUniqueName(codeplug, index, "Scan List 1", 16, kFamilyScanList);
}
std::string DefaultContactName(Codeplug& codeplug, int index, int currentGrid) {
    // Named from another grid, a contact is not compared with that grid's records: no test.
    const int family = currentGrid == kFamilyContact ? kFamilyContact : -1;
    return MakeUniqueName(codeplug, index, "Contact 1", 16, family);
}
std::string DefaultRoamZoneName(Codeplug& codeplug, int index) {
    return MakeUniqueName(codeplug, index, "Roam Zone 1", 16, kFamilyRoamZone);
}
std::string DefaultRoamChannelName(Codeplug& codeplug, int index) {
    return MakeUniqueName(codeplug, index, "Roam Channel 1", 16, kFamilyRoamChannel);
}
std::string DefaultGroupListName(Codeplug& codeplug, int index) {
    return MakeUniqueName(codeplug, index, "Group List 1", 35, kFamilyRxGroup);
}

} // namespace r605

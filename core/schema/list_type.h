#pragma once
// List types: the numbering of the codeplug's lists in the import and export forms, in list
// files and on the command line.

#include <array>
#include <optional>
#include <string_view>

namespace r605 {

enum class ListType : int {
    Channels = 0,
    RadioIds = 1,
    Zones = 2,
    ScanLists = 3,
    PhoneBook = 4,
    Contacts = 5,
    QuickTexts = 6,
    RadioInfo = 7,
    RxGroups = 8,
    GeneralSettings = 9,
    OptionalSettings = 10,
    DtmfCodes = 11,
    TwoToneCodes = 12,
    FiveToneCodes = 13,
    OneKeyCalls = 14,
    DownloadedContacts = 15,
};

inline constexpr int kListTypeCount = 16;

constexpr bool isListType(int value) {
    return value >= 0 && value < kListTypeCount;
}

// The names the command line takes for the list types, in their numbering.
inline constexpr std::array<std::string_view, kListTypeCount> kListTypeNames{
    "channels",          "radio-ids",    "zones",          "scan-lists",
    "phone-book",        "contacts",     "quick-texts",    "radio-info",
    "rx-groups",         "general",      "optional",       "dtmf-codes",
    "two-tone-codes",    "five-tone-codes", "one-key-calls", "downloaded-contacts"};

constexpr std::string_view listTypeName(ListType type) {
    return kListTypeNames[static_cast<std::size_t>(type)];
}

constexpr std::optional<ListType> listTypeNamed(std::string_view name) {
    for (int type = 0; type < kListTypeCount; ++type) {
        if (kListTypeNames[static_cast<std::size_t>(type)] == name)
            return static_cast<ListType>(type);
    }
    return std::nullopt;
}

// The import passes over the radio information list: it is what a radio reports about itself,
// nothing a file can set. Nothing is read and the file counts as imported.
constexpr bool isSkippedOnImport(ListType type) {
    return type == ListType::RadioInfo;
}

// Contact lists: list types 5 and 15 both fill the contact table.
constexpr bool isContactList(ListType type) {
    return type == ListType::Contacts || type == ListType::DownloadedContacts;
}

} // namespace r605

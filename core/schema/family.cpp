#include "schema/family.h"

#include "model/codeplug.h"

#include <algorithm>
#include <string>

namespace r605 {

namespace {

using F = Family;
using S = FamilyShape;
using U = InUseRule;
using T = TreeBranch;
using L = ListType;

// One line a family, in enumeration order (checked below).
constexpr std::array<FamilyInfo, kFamilyCount> kFamilies{{
    {F::Channel, "Channel", S::Table, kChannelCount, U::UsedFlag, 0, 256, T::Common, L::Channels,
     "Name", "Channel 1", 16, true},
    {F::Person, "Person", S::Table, kPersonCount, U::UsedFlag, 1, 250, T::Digital, L::RadioIds,
     "Name", "Radio 1", 16, true},
    {F::Zone, "Zone", S::Table, kZoneCount, U::UsedFlag, 2, 16, T::Common, L::Zones, "Name",
     "Zone 1", 16, true},
    {F::ScanList, "ScanList", S::Table, kScanListCount, U::UsedFlag, 3, 16, T::Common,
     L::ScanLists, "Name", "Scan List 1", 16, true},
    {F::PhoneBook, "PhoneBook", S::Table, kPhoneBookCount, U::UsedFlag, 4, 128, T::None,
     L::PhoneBook, "Name"},
    {F::Contact, "Contact", S::Table, kContactCount, U::UsedFlag, 5, 10000, T::Digital,
     L::Contacts, "Name", "Contact 1", 16, true},
    {F::RoamZone, "RoamZone", S::Table, kRoamZoneCount, U::UsedFlag, 6, 64, T::Common,
     std::nullopt, "Name", "Roam Zone 1", 16},
    {F::RoamChannel, "RoamChannel", S::Table, kRoamChannelCount, U::UsedFlag, 7, 250, T::Common,
     std::nullopt, "Name", "Roam Channel 1", 16},
    {F::CallLog1, "CallLog1", S::Table, kCallLogCount, U::UsedFlag, 8, 256},
    {F::TextMessage1, "TextMessage1", S::Table, kTextMessageCount, U::UsedFlag, 9, 100},
    {F::Arc4Key, "Arc4Key", S::Table, kArc4KeyCount, U::KeyId, 10, 32, T::Digital},
    {F::TextMessage2, "TextMessage2", S::Table, kTextMessageCount, U::UsedFlag, 11, 100},
    {F::TextMessage3, "TextMessage3", S::Table, kTextMessageCount, U::UsedFlag, 12, 100, T::None,
     L::QuickTexts},
    {F::RadioInfo, "", S::View, 0, U::Always, 13, 0},
    {F::Recording, "Recording", S::Table, kRecordingCount, U::UsedFlag, 14, 1},
    {F::RxGroup, "RxGroup", S::Table, kRxGroupCount, U::UsedFlag, 15, 250, T::Digital,
     L::RxGroups, "Name", "Group List 1", 35, true},
    {F::EmgCode, "EMG_Code", S::Table, kEmgCodeCount, U::Always, 16, 32, T::Digital},
    {F::ContactPage, "", S::View, 0, U::Always, 17, 0},
    {F::RepeaterOffset, "RepeaterOffset", S::Table, kRepeaterOffsetCount, U::Always, 18, 250},
    {F::AesKey, "AesKey", S::Table, kAesKeyCount, U::KeyId, 19, 255, T::Digital},
    {F::Header, "header", S::Single, 1},
    {F::Dtmf, "Dtmf", S::Single, 1, U::Always, -1, 0, T::None, L::DtmfCodes},
    {F::Settings, "Settings", S::Single, 1},
    {F::EmbeddedInfo, "EmbeddedInfo", S::Single, 1},
    {F::Aprs, "Aprs", S::Single, 1},
    {F::AprsCompanion, "AprsCompanion", S::Single, 1},
    {F::UserToneSet, "UserToneSet", S::Single, 1},
    {F::Option, "Option", S::Single, 1},
    {F::FiveTone, "FiveTone", S::Single, 1},
    {F::TwoTone, "TwoTone", S::Single, 1},
    {F::Alarm, "Alarm", S::Single, 1},
    {F::OneKey, "OneKey", S::Single, 1},
    {F::QuickCall, "QuickCall", S::Table, kQuickCallCount},
    {F::AlertTonePatterns, "AlertTonePatterns", S::Table, kAlertTonePatternCount},
    {F::CallLog2, "CallLog2", S::Table, kCallLogCount, U::UsedFlag},
    {F::CallLog3, "CallLog3", S::Table, kCallLogCount, U::UsedFlag},
    {F::TextMessage4, "TextMessage4", S::Table, kTextMessageCount, U::UsedFlag},
    {F::RecordingIndex, "RecordingIndex", S::Table, kRecordingCount, U::UsedFlag},
    {F::TwoToneEntry, "TwoToneEntry", S::Table, kTwoToneEntryCount, U::UsedFlag, -1, 0, T::None,
     L::TwoToneCodes, "Name"},
}};

constexpr bool inEnumerationOrder() {
    for (std::size_t i = 0; i < kFamilies.size(); ++i) {
        if (static_cast<std::size_t>(kFamilies[i].family) != i)
            return false;
    }
    return true;
}
static_assert(inEnumerationOrder(), "kFamilies lists the families in enumeration order");

constexpr bool gridsMatchTheirIndex() {
    for (int grid = 0; grid < kGridCount; ++grid) {
        if (kFamilies[static_cast<std::size_t>(grid)].grid != grid)
            return false;
    }
    return true;
}
static_assert(gridsMatchTheirIndex(), "the first twenty families are the grids in order");

} // namespace

std::span<const FamilyInfo> allFamilies() {
    return kFamilies;
}

const FamilyInfo& familyInfo(Family family) {
    return kFamilies[static_cast<std::size_t>(family)];
}

std::optional<Family> familyOfGrid(int grid) {
    if (grid < 0 || grid >= kGridCount)
        return std::nullopt;
    return static_cast<Family>(grid);
}

std::optional<Family> familyNamed(std::string_view jsonName) {
    const auto found = std::find_if(kFamilies.begin(), kFamilies.end(), [&](const FamilyInfo& info) {
        return !jsonName.empty() && info.jsonName == jsonName;
    });
    if (found == kFamilies.end())
        return std::nullopt;
    return found->family;
}

std::optional<Family> familyOfList(ListType type) {
    // Downloaded contact lists fill the contact table, as contact lists do.
    if (type == ListType::DownloadedContacts)
        return Family::Contact;
    const auto found = std::find_if(kFamilies.begin(), kFamilies.end(),
                                    [&](const FamilyInfo& info) { return info.listType == type; });
    if (found == kFamilies.end())
        return std::nullopt;
    return found->family;
}

std::string treeKey(int grid) {
    return 'N' + std::to_string(grid);
}

TextKey gridCaption(int grid) {
    return TextKey{12000 + grid, Section::Other};
}

TextKey gridHeading(int grid, int column) {
    const int headingGrid = grid == static_cast<int>(Family::ContactPage)
                                ? static_cast<int>(Family::Contact)
                                : grid;
    return TextKey{10000 + 100 * headingGrid + column, Section::Other};
}

} // namespace r605

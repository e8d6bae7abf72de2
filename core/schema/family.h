#pragma once
// The record families the program knows: the twenty grids of the main window, the single
// records (DTMF settings, the settings record, the raw areas whose layout is not known) and the
// tables that only files hold. One constant table describes each family; everything that walks
// the families (the JSON form, the codeplug files, the new codeplug, the list edits, the default
// names, the document's change sets, the window's tree and grids) takes them from here.

#include "base/result.h"
#include "schema/list_type.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace r605 {

// In grid order first (the enumerator's value is the grid index for the twenty grids), then the
// families without a grid.
enum class Family : std::uint8_t {
    Channel,        // grid 0
    Person,         // grid 1: radio IDs
    Zone,           // grid 2
    ScanList,       // grid 3
    PhoneBook,      // grid 4
    Contact,        // grid 5
    RoamZone,       // grid 6
    RoamChannel,    // grid 7
    CallLog1,       // grid 8
    TextMessage1,   // grid 9
    Arc4Key,        // grid 10
    TextMessage2,   // grid 11
    TextMessage3,   // grid 12
    RadioInfo,      // grid 13: what a radio reports about itself, no table of the codeplug
    Recording,      // grid 14
    RxGroup,        // grid 15
    EmgCode,        // grid 16: the encryption codes, short list
    ContactPage,    // grid 17: the contacts shown page by page, a view of Contact
    RepeaterOffset, // grid 18
    AesKey,         // grid 19: the encryption codes, long list
    // Single records.
    Header,
    Dtmf,
    Settings,
    EmbeddedInfo,
    Aprs,
    AprsCompanion,
    UserToneSet,
    Option,
    FiveTone,
    TwoTone,
    Alarm,
    OneKey,
    // Tables without a grid of their own.
    QuickCall,
    AlertTonePatterns,
    CallLog2,
    CallLog3,
    TextMessage4,
    RecordingIndex,
    TwoToneEntry,
};

inline constexpr std::size_t kFamilyCount = static_cast<std::size_t>(Family::TwoToneEntry) + 1;
inline constexpr int kGridCount = 20;

// How a family lives in the codeplug.
enum class FamilyShape : std::uint8_t {
    Table,  // a fixed-size table of records
    Single, // one record
    View,   // no storage of its own (a view of another family, or nothing the codeplug holds)
};

// How a record of a table family says it is in use.
enum class InUseRule : std::uint8_t {
    Always,  // every record counts (single records, the encryption codes, the repeater offsets)
    UsedFlag, // its Used field is 1 or more
    KeyId,   // its KeyId is not 0 (the privacy keys)
};

// The branch of the main window's tree a grid's node hangs under.
enum class TreeBranch : std::uint8_t { None, Common, Digital };

struct FamilyInfo {
    Family family;
    std::string_view jsonName; // the member of the codeplug, and its name in JSON; "" for views
    FamilyShape shape;
    std::size_t count; // records of the table (1 for single records, 0 for views)
    InUseRule inUse = InUseRule::Always;
    int grid = -1;            // the main window's grid index, -1 without a grid
    int gridRows = 0;         // record rows of the grid
    TreeBranch tree = TreeBranch::None;
    std::optional<ListType> listType = std::nullopt;
    std::string_view nameField = {};   // "" for records without a name
    std::string_view defaultName = {}; // the base of default names ("Channel 1"), "" for none
    int nameLimit = 0;                 // bytes of the name field
    // True when the uniqueness test of default names applies (the families whose names the user
    // picks records by).
    bool uniqueNames = false;
};

// Every family, in enumeration order.
std::span<const FamilyInfo> allFamilies();
const FamilyInfo& familyInfo(Family family);

// The family of a grid index (0 to 19), of a JSON name, of a list type.
std::optional<Family> familyOfGrid(int grid);
std::optional<Family> familyNamed(std::string_view jsonName);
std::optional<Family> familyOfList(ListType type);

// "N0": the tree key of a grid.
std::string treeKey(int grid);
// The grid's caption in the tree (text 12000 + grid) and the heading of its column k (text
// 10000 + 100 * g + k, where the contact pages take the contact grid's headings).
TextKey gridCaption(int grid);
TextKey gridHeading(int grid, int column);

} // namespace r605

#include "compare/record_naming.h"

#include "schema/family_columns.h"
#include "schema/grid_layout.h"
#include "text/language.h"

#include <array>
#include <string_view>

namespace r605 {

namespace {

struct ColumnLabel {
    Family family;
    std::string_view column;
    TextKey label;
};

// The columns no grid shows, labelled as the channel and scan list editors and their list files
// label them (the repeater offsets have no editor: their direction has a text of its own).
constexpr TextKey kDtmfCodeHeading{15163};

constexpr std::array kEditorLabels{
    ColumnLabel{Family::Channel, "BusyLock", TextKey{20027}},
    ColumnLabel{Family::Channel, "Scrambler", TextKey{20028}},
    ColumnLabel{Family::Channel, "OptSignal", TextKey{20029}},
    ColumnLabel{Family::Channel, "DtmfId", TextKey{20030}},
    ColumnLabel{Family::Channel, "TwoToneId", TextKey{20031}},
    ColumnLabel{Family::Channel, "FiveToneId", TextKey{20032}},
    ColumnLabel{Family::Channel, "PttId", TextKey{20033}},
    ColumnLabel{Family::Channel, "ColorCode", TextKey{20034}},
    ColumnLabel{Family::Channel, "ScanLists", TextKey{20036}},
    ColumnLabel{Family::Channel, "RxGroup", TextKey{20037}},
    ColumnLabel{Family::Channel, "DualCapacity", TextKey{20039}},
    ColumnLabel{Family::Channel, "RxOnly", TextKey{20040}},
    ColumnLabel{Family::Channel, "Compander", TextKey{20041}},
    ColumnLabel{Family::Channel, "PrivateCallConfirm", TextKey{20042}},
    ColumnLabel{Family::Channel, "EmergencyAlarmAck", TextKey{20043}},
    ColumnLabel{Family::Channel, "Vox", TextKey{20045}},
    ColumnLabel{Family::Channel, "TalkerAlias", TextKey{20046}},
    ColumnLabel{Family::Channel, "AutoScan", TextKey{20047}},
    ColumnLabel{Family::Channel, "Reverse", TextKey{20048}},
    ColumnLabel{Family::Channel, "UserCtcss", TextKey{20002}},
    ColumnLabel{Family::Channel, "AutoRoaming", TextKey{20049}},
    ColumnLabel{Family::ScanList, "DropoutDelay", TextKey{2410}},
    ColumnLabel{Family::ScanList, "Members", TextKey{20303}},
    ColumnLabel{Family::RepeaterOffset, "Direction", TextKey{15060}},
    ColumnLabel{Family::TwoToneEntry, "Number", TextKey{10000}},
    ColumnLabel{Family::TwoToneEntry, "Name", TextKey{10103}},
    ColumnLabel{Family::TwoToneEntry, "FirstTone", TextKey{15164}},
    ColumnLabel{Family::TwoToneEntry, "SecondTone", TextKey{15165}},
};

std::string gridHeadingOf(Family family, std::string_view column, const Language& language) {
    const int grid = familyInfo(family).grid;
    if (grid < 0)
        return {};
    if (column == "Number")
        return language.text(gridHeading(grid, 0));
    const auto layout = gridColumns(grid);
    for (std::size_t k = 0; k < layout.size(); ++k) {
        if (layout[k].column == column)
            return language.text(gridHeading(grid, static_cast<int>(k) + 1));
    }
    return {};
}

} // namespace

std::string familyCaption(Family family, const Language& language) {
    const FamilyInfo& info = familyInfo(family);
    if (info.grid >= 0) {
        if (std::string caption = language.text(gridCaption(info.grid)); !caption.empty())
            return caption;
    }
    if (std::string caption = language.GetLangText(kFamilyCaptionBase + static_cast<int>(family));
        !caption.empty())
        return caption;
    return std::string(info.jsonName);
}

std::string columnHeading(Family family, std::size_t column, const Language& language) {
    const FamilyColumns* columns = columnsOf(family);
    if (columns == nullptr || column >= columns->columns().size())
        return {};
    const std::string_view name = columns->columns()[column].name;
    if (std::string heading = gridHeadingOf(family, name, language); !heading.empty())
        return heading;
    if (family == Family::Dtmf && name.starts_with("Code")) {
        // The DTMF codes "Code0" to "Code15", counted from 1 as the DTMF form counts them.
        std::string heading = language.text(kDtmfCodeHeading);
        const std::string number = std::to_string(std::stoi(std::string(name.substr(4))) + 1);
        if (const auto at = heading.find("%1"); at != std::string::npos)
            heading.replace(at, 2, number);
        return heading;
    }
    for (const ColumnLabel& label : kEditorLabels) {
        if (label.family != family || label.column != name)
            continue;
        if (std::string text = language.text(label.label); !text.empty())
            return text;
    }
    return std::string(name);
}

} // namespace r605

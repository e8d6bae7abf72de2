#include "report/codeplug_report.h"

#include "compare/record_naming.h"
#include "schema/cell_text.h"
#include "schema/family_columns.h"
#include "schema/family_tables.h"
#include "schema/grid_layout.h"
#include "text/language.h"

#include <algorithm>

namespace r605 {

namespace {

constexpr TextKey kTitleText{15120};
constexpr TextKey kModelText{15121};
constexpr TextKey kBandText{15122};
constexpr TextKey kFileText{15123};
constexpr TextKey kPrintedText{15124};
constexpr TextKey kContactsLeftOutText{15126}; // "... (%1 in use)."
constexpr TextKey kKeysNotPrintedText{15127};

// On paper a member list wraps between its names.
constexpr std::string_view kMemberSeparatorOnPaper = " | ";

bool holdsKeys(Family family) {
    return family == Family::EmgCode || family == Family::Arc4Key || family == Family::AesKey;
}

// The columns a family's table shows: the number, the name, what the grid shows, and the members
// of a list.
std::vector<std::size_t> reportColumns(Family family, const FamilyColumns& columns) {
    std::vector<std::size_t> chosen;
    const auto add = [&](std::optional<std::size_t> column) {
        if (column && std::find(chosen.begin(), chosen.end(), *column) == chosen.end())
            chosen.push_back(*column);
    };
    add(columns.columnNamed("Number"));
    add(columns.columnNamed(familyInfo(family).nameField));
    for (const GridColumn& shown : gridColumns(familyInfo(family).grid)) {
        if (shown.widthTwips > 0 && !shown.column.empty())
            add(columns.columnNamed(shown.column));
    }
    add(columns.columnNamed("Members"));
    return chosen;
}

// Whether a record of a family that counts every record holds more than an empty one.
bool holdsSomething(const Codeplug& codeplug, Family family, std::size_t entry) {
    if (familyInfo(family).inUse != InUseRule::Always)
        return true;
    bool holds = true;
    visitFamily(codeplug, family, [&](const auto& member) {
        if constexpr (kIsTable<decltype(member)>) {
            using R = typename std::remove_cvref_t<decltype(member)>::value_type;
            R empty{};
            if constexpr (requires { empty.Number; })
                empty.Number = member[entry].Number;
            holds = !(member[entry] == empty);
        }
    });
    return holds;
}

std::string onPaper(std::string cell, const ColumnInfo& column) {
    if (column.kind != ColumnKind::Members || cell.empty())
        return cell;
    std::string shown;
    for (const std::string_view name : cells::splitMembers(cell)) {
        if (!shown.empty())
            shown += kMemberSeparatorOnPaper;
        shown += name;
    }
    return shown;
}

std::string withArgument(std::string text, const std::string& argument) {
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

ReportTable tableOf(const Codeplug& codeplug, Family family, const FamilyColumns& columns,
                    const ColumnContext& context) {
    ReportTable table{family, familyCaption(family, context.language), {}, {}};
    const std::vector<std::size_t> chosen = reportColumns(family, columns);
    for (const std::size_t column : chosen)
        table.headings.push_back(columnHeading(family, column, context.language));
    for (std::size_t entry = 0; entry < columns.size(); ++entry) {
        if (!columns.inUse(codeplug, entry) || !holdsSomething(codeplug, family, entry))
            continue;
        std::vector<std::string> row;
        row.reserve(chosen.size());
        for (const std::size_t column : chosen)
            row.push_back(onPaper(columns.format(codeplug, entry, column, context),
                                  columns.columns()[column]));
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::size_t contactsInUse(const Codeplug& codeplug) {
    return static_cast<std::size_t>(std::count_if(codeplug.Contact.begin(), codeplug.Contact.end(),
                                                  [](const ContactRec& c) { return c.Used >= 1; }));
}

} // namespace

CodeplugReport buildReport(const Codeplug& codeplug, const ColumnContext& context,
                           const ReportOptions& options) {
    const Language& language = context.language;
    CodeplugReport report;
    report.title = language.text(kTitleText);
    const int band = codeplug.Header.BandCode;
    report.facts = {{language.text(kModelText), ModelNameFor(codeplug.Header.ModelFamily, band)},
                    {language.text(kBandText), BandDisplayText(band)},
                    {language.text(kFileText), options.fileName},
                    {language.text(kPrintedText), options.date}};
    if (!options.contacts)
        report.notes.push_back(withArgument(language.text(kContactsLeftOutText),
                                            std::to_string(contactsInUse(codeplug))));
    report.notes.push_back(language.text(kKeysNotPrintedText));
    for (int grid = 0; grid < kGridCount; ++grid) {
        const Family family = *familyOfGrid(grid);
        const FamilyColumns* columns = columnsOf(family);
        if (columns == nullptr || familyInfo(family).shape != FamilyShape::Table ||
            holdsKeys(family) || (family == Family::Contact && !options.contacts))
            continue;
        ReportTable table = tableOf(codeplug, family, *columns, context);
        if (!table.rows.empty())
            report.tables.push_back(std::move(table));
    }
    return report;
}

} // namespace r605

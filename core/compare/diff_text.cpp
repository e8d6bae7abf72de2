#include "compare/diff_text.h"

#include "compare/record_naming.h"
#include "compare/text_table.h"
#include "schema/cell_text.h"
#include "schema/family_columns.h"
#include "text/language.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

namespace r605 {

namespace {

constexpr std::string_view kArrow = " \u2192 ";
constexpr std::string_view kColon = ": ";
constexpr std::string_view kBar = " | ";

// Texts of the comparison.
constexpr TextKey kAddedText{15100};
constexpr TextKey kRemovedText{15101};
constexpr TextKey kRenumberedText{15102};
constexpr TextKey kSummaryText{15103}; // "%1 changed, %2 added, %3 removed, %4 renumbered"
constexpr TextKey kNoDifferencesText{15104};

std::string_view shown(const std::string& value) {
    return value.empty() ? std::string_view("\"\"") : std::string_view(value);
}

// The texts one after the other, in one allocation.
std::string joined(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (const std::string_view part : parts)
        size += part.size();
    std::string text(size, '\0');
    char* at = text.data();
    for (const std::string_view part : parts) {
        if (!part.empty())
            at = std::copy(part.begin(), part.end(), at);
    }
    return text;
}

std::string withArguments(std::string text, const std::vector<std::string>& arguments) {
    for (std::size_t k = arguments.size(); k > 0; --k) {
        std::string marker(1, '%');
        marker += std::to_string(k);
        for (auto at = text.find(marker); at != std::string::npos;
             at = text.find(marker, at + arguments[k - 1].size()))
            text.replace(at, marker.size(), arguments[k - 1]);
    }
    return text;
}

std::string changeName(RecordChange change) {
    switch (change) {
    case RecordChange::Added:
        return "added";
    case RecordChange::Removed:
        return "removed";
    case RecordChange::Changed:
        break;
    }
    return "changed";
}

bool isMemberList(const FamilyColumns* columns, const FieldDifference& field) {
    return field.columnIndex && columns != nullptr &&
           columns->columns()[*field.columnIndex].kind == ColumnKind::Members;
}

bool isMemberList(Family family, const FieldDifference& field) {
    return isMemberList(columnsOf(family), field);
}

// The members one list has beyond the other (a name twice in one and once in the other counts
// once), in the order of the list that has them. The views point into `list`.
std::vector<std::string_view> membersBeyond(std::string_view list, std::string_view other) {
    // How many of each name of the other list are left to match.
    const std::vector<std::string_view> names = cells::splitMembers(other);
    TextTable left(names.size());
    for (const std::string_view name : names)
        ++left.insert(name, 0);
    std::vector<std::string_view> beyond;
    for (const std::string_view name : cells::splitMembers(list)) {
        if (name.empty())
            continue;
        if (std::uint32_t* const count = left.find(name); count != nullptr && *count > 0)
            --*count;
        else
            beyond.push_back(name);
    }
    return beyond;
}

std::vector<std::string> asStrings(const std::vector<std::string_view>& views) {
    return {views.begin(), views.end()};
}

// A member list that gained or lost members is shown by those ("- Bob | + Eve"); one whose
// members only changed their order is shown whole.
void appendMemberChange(const FieldDifference& field, std::string& text) {
    const auto lost = membersBeyond(field.before, field.after);
    const auto gained = membersBeyond(field.after, field.before);
    if (lost.empty() && gained.empty()) {
        text += shown(field.before);
        text += kArrow;
        text += shown(field.after);
        return;
    }
    bool first = true;
    for (const auto& [sign, names] : {std::pair{std::string_view("- "), &lost},
                                      std::pair{std::string_view("+ "), &gained}}) {
        for (const std::string_view name : *names) {
            if (!first)
                text += kBar;
            first = false;
            text += sign;
            text += name;
        }
    }
}

nlohmann::ordered_json numberOf(const std::optional<std::size_t>& entry, bool single) {
    if (!entry || single)
        return nullptr;
    return *entry + 1;
}

} // namespace

namespace {

std::string labelWith(const RecordDifference& record, std::string_view caption) {
    std::string label;
    label.reserve(caption.size() + record.name.size() + 32);
    label += caption;
    if (!record.single) {
        const std::size_t first = record.entryA ? *record.entryA : *record.entryB;
        label += ' ';
        label += std::to_string(first + 1);
        if (record.renumbered()) {
            label += kArrow;
            label += std::to_string(*record.entryB + 1);
        }
    }
    if (!record.name.empty()) {
        label += " \"";
        label += record.name;
        label += '"';
    }
    return label;
}

// How many lines appendLines gives the record.
std::size_t lineCount(const RecordDifference& record) {
    if (record.change != RecordChange::Changed || record.fields.empty())
        return 1;
    return static_cast<std::size_t>(
        std::count_if(record.fields.begin(), record.fields.end(),
                      [](const FieldDifference& field) { return field.listed; }));
}

void appendLines(const RecordDifference& record, std::string_view caption,
                 const Language& language, std::vector<std::string>& lines) {
    const std::string label = labelWith(record, caption);
    const auto one = [&](TextKey what) {
        lines.push_back(joined({label, kColon, language.text(what)}));
    };
    switch (record.change) {
    case RecordChange::Added:
        return one(kAddedText);
    case RecordChange::Removed:
        return one(kRemovedText);
    case RecordChange::Changed:
        break;
    }
    if (record.fields.empty())
        return one(kRenumberedText);
    const FamilyColumns* columns = columnsOf(record.family);
    for (const FieldDifference& field : record.fields) {
        if (!field.listed)
            continue;
        if (!isMemberList(columns, field)) {
            lines.push_back(joined({label, kColon, field.heading, kColon, shown(field.before),
                                    kArrow, shown(field.after)}));
            continue;
        }
        std::string line = joined({label, kColon, field.heading, kColon});
        appendMemberChange(field, line);
        lines.push_back(std::move(line));
    }
}

} // namespace

std::string recordLabel(const RecordDifference& record, const Language& language) {
    return labelWith(record, familyCaption(record.family, language));
}

std::vector<std::string> recordLines(const RecordDifference& record, const Language& language) {
    std::vector<std::string> lines;
    appendLines(record, familyCaption(record.family, language), language, lines);
    return lines;
}

std::string diffSummary(const DiffCounts& counts, const Language& language) {
    if (counts == DiffCounts{})
        return language.text(kNoDifferencesText);
    return withArguments(language.text(kSummaryText),
                         {std::to_string(counts.changed), std::to_string(counts.added),
                          std::to_string(counts.removed), std::to_string(counts.renumbered)});
}

std::vector<std::string> diffLines(const CodeplugDiff& diff, const Language& language) {
    std::array<std::optional<std::string>, kFamilyCount> captions;
    std::vector<std::string> lines;
    std::size_t count = 1;
    for (const RecordDifference& record : diff.records)
        count += lineCount(record);
    lines.reserve(count);
    for (const RecordDifference& record : diff.records) {
        auto& caption = captions[static_cast<std::size_t>(record.family)];
        if (!caption)
            caption = familyCaption(record.family, language);
        appendLines(record, *caption, language, lines);
    }
    lines.push_back(diffSummary(diff.counts(), language));
    return lines;
}

std::string diffJson(const CodeplugDiff& diff, const Language& language) {
    using Json = nlohmann::ordered_json;
    const DiffCounts counts = diff.counts();
    Json records = Json::array();
    for (const RecordDifference& record : diff.records) {
        Json fields = Json::array();
        for (const FieldDifference& field : record.fields) {
            if (!field.listed)
                continue;
            Json entry = {{"column", field.column},
                          {"heading", field.heading},
                          {"before", field.before},
                          {"after", field.after}};
            if (isMemberList(record.family, field)) {
                entry["membersRemoved"] = asStrings(membersBeyond(field.before, field.after));
                entry["membersAdded"] = asStrings(membersBeyond(field.after, field.before));
            }
            fields.push_back(std::move(entry));
        }
        records.push_back({{"family", std::string(familyInfo(record.family).jsonName)},
                           {"caption", familyCaption(record.family, language)},
                           {"change", changeName(record.change)},
                           {"numberA", numberOf(record.entryA, record.single)},
                           {"numberB", numberOf(record.entryB, record.single)},
                           {"renumbered", record.renumbered()},
                           {"name", record.name},
                           {"fields", std::move(fields)}});
    }
    const Json document = {{"equal", diff.empty()},
                           {"summary",
                            {{"changed", counts.changed},
                             {"added", counts.added},
                             {"removed", counts.removed},
                             {"renumbered", counts.renumbered},
                             {"text", diffSummary(counts, language)}}},
                           {"records", std::move(records)}};
    // Texts from a file may hold bytes that are not UTF-8: replaced, never a refusal.
    return document.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

} // namespace r605

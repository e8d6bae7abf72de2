#include "schema/column_kinds.h"

#include "schema/cell_text.h"
#include "schema/family_columns.h"
#include "schema/family_tables.h"

#include "base/numbers.h"

namespace r605 {

namespace {

// The in-use record `entry` of the rule's family, given to `use`; false when there is none.
template <class Use>
bool withTarget(const Codeplug& codeplug, Family family, std::int64_t entry, Use&& use) {
    bool found = false;
    visitFamily(codeplug, family, [&](const auto& m) {
        if constexpr (kIsTable<decltype(m)>) {
            if (entry < 0 || static_cast<std::size_t>(entry) >= m.size())
                return;
            const auto& record = m[static_cast<std::size_t>(entry)];
            if (!recordInUse(record))
                return;
            found = true;
            use(record);
        }
    });
    return found;
}

template <class R> std::string nameOf(const R& record) {
    if constexpr (requires { record.Name; })
        return cells::text(record.Name);
    else
        return {};
}

} // namespace

std::string describePlace(const CellPlace& place) {
    std::string text = std::string(familyInfo(place.family).jsonName) + " " +
                       std::to_string(place.entry + 1) + ", " + std::string(place.column);
    if (place.fileLine > 0) {
        text = "line " + std::to_string(place.fileLine) + ", column " +
               std::to_string(place.fileColumn) + " (" + text + ")";
    }
    return text;
}

Error placeError(const CellPlace& place, Error error) {
    const std::string where = describePlace(place);
    error.text = error.text.empty() ? where : where + ": " + error.text;
    return error;
}

std::optional<std::size_t> FamilyColumns::columnNamed(std::string_view name) const {
    const auto all = columns();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].name == name)
            return i;
    }
    return std::nullopt;
}

namespace cells {

Result<double> frequency(std::string_view text, const ColumnContext& context) {
    return frequency(text, context.bands, context.language);
}

namespace {
constexpr std::array kOffOnTexts{TextKey{20050}, TextKey{20085}};

std::span<const TextKey> textsOf(const ColumnInfo& info) {
    return info.kind == ColumnKind::OnOff ? std::span<const TextKey>(kOffOnTexts) : info.valueTexts;
}
} // namespace

std::string enumerated(const ColumnInfo& info, std::int64_t value, const ColumnContext& context) {
    return option(textsOf(info), value, context.language);
}

Result<std::int64_t> enumerated(const ColumnInfo& info, std::string_view text,
                                const ColumnContext& context) {
    return option(textsOf(info), text, info.min, info.max, context.language);
}

std::string referenceName(const Codeplug& codeplug, const ReferenceRule& rule, std::int64_t value) {
    std::string name;
    if (value == rule.none)
        return name;
    withTarget(codeplug, rule.target, value - rule.base,
               [&](const auto& record) { name = nameOf(record); });
    return name;
}

Result<std::int64_t> referenceValue(const Codeplug& codeplug, const ReferenceRule& rule,
                                    std::string_view name) {
    const std::string wanted = text(name);
    if (wanted.empty())
        return rule.none;
    const std::size_t count = familyInfo(rule.target).count;
    for (std::size_t entry = 0; entry < count; ++entry) {
        bool matches = false;
        withTarget(codeplug, rule.target, static_cast<std::int64_t>(entry),
                   [&](const auto& record) { matches = nameOf(record) == wanted; });
        if (matches)
            return static_cast<std::int64_t>(entry) + rule.base;
    }
    return Error::literal("no " + std::string(familyInfo(rule.target).jsonName) +
                          " in use is named " + cells::quoted(wanted));
}

std::string memberNames(const Codeplug& codeplug, const ReferenceRule& rule,
                        std::span<const std::int64_t> values) {
    // referenceName() for every member, the family looked up once.
    std::string cell;
    visitFamily(codeplug, rule.target, [&](const auto& m) {
        if constexpr (kIsTable<decltype(m)>) {
            for (const std::int64_t value : values) {
                const std::int64_t entry = value - rule.base;
                if (value == rule.none || entry < 0 || static_cast<std::size_t>(entry) >= m.size())
                    continue;
                const auto& record = m[static_cast<std::size_t>(entry)];
                if constexpr (requires { record.Name; }) {
                    const std::string_view name = textView(record.Name);
                    if (!recordInUse(record) || name.empty())
                        continue;
                    if (!cell.empty())
                        cell.push_back(kMemberSeparator);
                    cell += name;
                }
            }
        }
    });
    return cell;
}

Result<std::vector<std::int64_t>> memberValues(const Codeplug& codeplug, const ReferenceRule& rule,
                                               std::string_view text, std::size_t maxMembers) {
    std::vector<std::int64_t> values;
    if (trimBlanks(text).empty())
        return values;
    for (const std::string_view part : splitMembers(text)) {
        auto value = referenceValue(codeplug, rule, part);
        if (!value)
            return value.error();
        if (*value == rule.none)
            continue;
        if (values.size() == maxMembers)
            return Error::literal("more than " + std::to_string(maxMembers) + " members");
        values.push_back(*value);
    }
    return values;
}

std::string contactNameOfId(const Codeplug& codeplug, std::int64_t id) {
    for (const ContactRec& contact : codeplug.Contact) {
        if (contact.Used > 0 && contact.Id == id)
            return text(contact.Name);
    }
    return {};
}

} // namespace cells

} // namespace r605

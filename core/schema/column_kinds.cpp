// The conversions shared by every column of a kind: numbers, texts of fixed-length fields,
// frequencies through the band check, option texts, digit texts and references by name.
#include "schema/column_builders.h"

#include "base/numbers.h"
#include "schema/cell_text.h"
#include "schema/record_names.h"
#include "text/language.h"

#include <cctype>

namespace r605 {

namespace {

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::int64_t powerOfTen(int decimals) {
    std::int64_t factor = 1;
    for (int i = 0; i < decimals; ++i)
        factor *= 10;
    return factor;
}

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
        return NameKey(record.Name);
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

std::string integerText(std::int64_t value) {
    return std::to_string(value);
}

Result<std::int64_t> integer(std::string_view text, std::int64_t min, std::int64_t max) {
    return ParseIntegerCell(text, min, max);
}

std::string text(std::string_view value) {
    return NameKey(value);
}

Result<std::string> fixedText(std::string_view text, int length) {
    return TextFieldCell(text, static_cast<std::size_t>(length));
}

std::string frequency(double value) {
    return FrequencyCell(value);
}

Result<double> frequency(std::string_view text, const ColumnContext& context) {
    return ParseFrequencyCell(text, context.bands, context.language);
}

namespace {
constexpr std::array kOffOnTexts{TextKey{20050}, TextKey{20085}};

std::span<const TextKey> textsOf(const ColumnInfo& info) {
    return info.kind == ColumnKind::OnOff ? std::span<const TextKey>(kOffOnTexts)
                                          : info.valueTexts;
}
} // namespace

std::string enumerated(const ColumnInfo& info, std::int64_t value, const ColumnContext& context) {
    const auto texts = textsOf(info);
    if (value >= 0 && static_cast<std::size_t>(value) < texts.size()) {
        std::string shown = context.language.text(texts[static_cast<std::size_t>(value)]);
        if (!shown.empty())
            return shown;
    }
    // A value the editors do not list (a radio may hold one): shown as its number, so that
    // nothing is lost on the way out and back in.
    return std::to_string(value);
}

Result<std::int64_t> enumerated(const ColumnInfo& info, std::string_view text,
                                const ColumnContext& context) {
    const ValueTexts texts(textsOf(info), context.language);
    auto value = texts.parse(text, static_cast<int>(info.min), static_cast<int>(info.max));
    if (!value)
        return value.error();
    return static_cast<std::int64_t>(*value);
}

std::string decimal(const ColumnInfo& info, std::int64_t value) {
    return formatFixed(static_cast<double>(value) / static_cast<double>(powerOfTen(info.decimals)),
                       info.decimals);
}

Result<std::int64_t> decimal(const ColumnInfo& info, std::string_view text) {
    const auto number = parseNumber(text);
    const std::int64_t factor = powerOfTen(info.decimals);
    const std::int64_t value =
        number ? roundHalfEvenToInt(*number * static_cast<double>(factor)) : info.min - 1;
    if (value < info.min || value > info.max) {
        return Error::literal("not a number from " + decimal(info, info.min) + " to " +
                              decimal(info, info.max) + ": " + inQuotes(text));
    }
    return value;
}

namespace {
Result<std::string> digits(std::string_view text, int length, bool hex) {
    const std::string_view trimmed = trimBlanks(text);
    std::string result;
    for (const char c : trimmed) {
        const auto u = static_cast<unsigned char>(c);
        if (hex ? !std::isxdigit(u) : !std::isdigit(u))
            return Error::literal(std::string(hex ? "not hexadecimal digits: "
                                                  : "not decimal digits: ") +
                                  inQuotes(trimmed));
        result.push_back(static_cast<char>(std::toupper(u)));
    }
    if (length > 0 && result.size() > static_cast<std::size_t>(length))
        return Error::literal("more than " + std::to_string(length) + " digits: " +
                              inQuotes(trimmed));
    return result;
}
} // namespace

Result<std::string> hexDigits(std::string_view text, int length) {
    return digits(text, length, true);
}

Result<std::string> decimalDigits(std::string_view text, int length) {
    return digits(text, length, false);
}

std::string referenceName(const Codeplug& codeplug, const ReferenceRule& rule,
                          std::int64_t value) {
    std::string name;
    if (value == rule.none)
        return name;
    withTarget(codeplug, rule.target, value - rule.base,
               [&](const auto& record) { name = nameOf(record); });
    return name;
}

Result<std::int64_t> referenceValue(const Codeplug& codeplug, const ReferenceRule& rule,
                                    std::string_view name) {
    const std::string wanted = NameKey(name);
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
    return Error::literal("no " + std::string(familyInfo(rule.target).jsonName) + " in use is named " +
                          inQuotes(wanted));
}

std::string memberNames(const Codeplug& codeplug, const ReferenceRule& rule,
                        std::span<const std::int64_t> values) {
    std::vector<std::string> names;
    for (const std::int64_t value : values) {
        if (std::string name = referenceName(codeplug, rule, value); !name.empty())
            names.push_back(std::move(name));
    }
    return JoinMembers(names);
}

Result<std::vector<std::int64_t>> memberValues(const Codeplug& codeplug, const ReferenceRule& rule,
                                               std::string_view text, std::size_t maxMembers) {
    std::vector<std::int64_t> values;
    if (trimBlanks(text).empty())
        return values;
    for (const std::string_view part : SplitMembers(text)) {
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

namespace {
std::string twoDigits(int value) {
    const std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}
} // namespace

std::string date(int year, int month, int day) {
    return std::to_string(year) + "-" + twoDigits(month) + "-" + twoDigits(day);
}

std::string time(int hour, int minute, int second) {
    return twoDigits(hour) + ":" + twoDigits(minute) + ":" + twoDigits(second);
}

std::string contactNameOfId(const Codeplug& codeplug, std::int64_t id) {
    for (const ContactRec& contact : codeplug.Contact) {
        if (contact.Used > 0 && contact.Id == id)
            return NameKey(contact.Name);
    }
    return {};
}

} // namespace cells

} // namespace r605

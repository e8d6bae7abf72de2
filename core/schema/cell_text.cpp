#include "schema/cell_text.h"

#include "base/numbers.h"
#include "text/codepage.h"
#include "text/trim.h"

#include <algorithm>
#include <cctype>

namespace r605 {

namespace {

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

std::string FrequencyCell(double frequency) {
    return formatFixed(frequency, 5);
}

Result<double> ParseFrequencyCell(std::string_view cell, const BandRanges& bands,
                                  const Language& language) {
    const auto value = parseNumber(cell);
    if (!value)
        return Error::literal("not a frequency: " + inQuotes(cell));
    const FrequencyCheck checked = CheckFrequency(bands, *value, 0);
    if (checked.outOfBand) {
        std::string message = inQuotes(trimBlanks(cell)) + " lies outside the band";
        if (const std::string text = language.GetLangText(2001); !text.empty())
            message += " (" + text + ")";
        return Error::literal(std::move(message));
    }
    // Held to 10 Hz like every frequency of the tables, so that the same text always gives the
    // same value.
    return roundHalfEven(checked.value * 100000.0) / 100000.0;
}

Result<std::int64_t> ParseIntegerCell(std::string_view cell, std::int64_t min, std::int64_t max) {
    const auto value = parseInteger(cell);
    if (!value || *value < min || *value > max)
        return Error::literal("not a number from " + std::to_string(min) + " to " +
                              std::to_string(max) + ": " + inQuotes(cell));
    return *value;
}

std::string TextFieldCell(std::string_view cell, std::size_t maxBytes) {
    const std::string trimmed = TrimAtNull(trimBlanks(cell));
    return TrimAtNull(cp936FitPrefix(trimmed, maxBytes));
}

ValueTexts::ValueTexts(std::span<const TextKey> keys, const Language& language) {
    m_texts.reserve(keys.size());
    for (const TextKey& key : keys)
        m_texts.push_back(language.text(key));
}

std::string ValueTexts::text(int value) const {
    if (value >= 0 && static_cast<std::size_t>(value) < m_texts.size() &&
        !m_texts[static_cast<std::size_t>(value)].empty())
        return m_texts[static_cast<std::size_t>(value)];
    return std::to_string(value);
}

Result<int> ValueTexts::parse(std::string_view cell, int min, int max) const {
    const std::string_view trimmed = trimBlanks(cell);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t value = 0; value < m_texts.size(); ++value) {
            const std::string& text = m_texts[value];
            if (text.empty())
                continue;
            if (pass == 0 ? trimmed == text : equalsIgnoringCase(trimmed, text))
                return static_cast<int>(value);
        }
    }
    if (const auto number = parseInteger(trimmed); number && *number >= min && *number <= max)
        return static_cast<int>(*number);
    std::string message = "unknown value " + inQuotes(trimmed) + "; expected";
    bool first = true;
    for (const std::string& text : m_texts) {
        if (text.empty())
            continue;
        message += (first ? " " : ", ") + inQuotes(text);
        first = false;
    }
    message += (first ? " a number from " : " or a number from ") + std::to_string(min) + " to " +
               std::to_string(max);
    return Error::literal(std::move(message));
}

std::string JoinMembers(std::span<const std::string> names) {
    std::string cell;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            cell.push_back(kMemberSeparator);
        cell += names[i];
    }
    return cell;
}

std::vector<std::string_view> SplitMembers(std::string_view cell) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while (start <= cell.size()) {
        const std::size_t end = std::min(cell.find(kMemberSeparator, start), cell.size());
        names.push_back(cell.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

} // namespace r605

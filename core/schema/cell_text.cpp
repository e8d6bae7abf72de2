#include "schema/cell_text.h"

#include "base/numbers.h"
#include "text/codepage.h"
#include "text/language.h"
#include "text/trim.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace r605::cells {

std::string quoted(std::string_view text) {
    std::string result(1, '"');
    result.append(text);
    result.push_back('"');
    return result;
}

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::int64_t powerOfTen(int decimals) {
    std::int64_t factor = 1;
    for (int i = 0; i < decimals; ++i)
        factor *= 10;
    return factor;
}

Result<std::string> digits(std::string_view text, int length, bool hex) {
    const std::string_view trimmed = trimBlanks(text);
    std::string result;
    for (const char c : trimmed) {
        const auto u = static_cast<unsigned char>(c);
        if (hex ? !std::isxdigit(u) : !std::isdigit(u))
            return Error::literal(std::string(hex ? "not a text of digits 0-9 and A-F: "
                                                  : "not a text of digits 0-9: ") +
                                  cells::quoted(trimmed));
        result.push_back(static_cast<char>(std::toupper(u)));
    }
    if (length > 0 && result.size() > static_cast<std::size_t>(length))
        return Error::literal("more than " + std::to_string(length) +
                              " digits: " + cells::quoted(trimmed));
    return result;
}

std::string twoDigits(int value) {
    const std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

} // namespace

std::string text(std::string_view value) {
    return std::string(textView(value));
}

std::string_view textView(std::string_view value) {
    // TrimAtNull's rule, on the view.
    while (!value.empty() && value.back() == ' ')
        value.remove_suffix(1);
    return trimBlanks(value.substr(0, value.find('\0')));
}

std::string fixedText(std::string_view text, std::size_t maxBytes) {
    const std::string trimmed = TrimAtNull(trimBlanks(text));
    return TrimAtNull(cp936FitPrefix(trimmed, maxBytes));
}

std::string integerText(std::int64_t value) {
    return std::to_string(value);
}

Result<std::int64_t> integer(std::string_view text, std::int64_t min, std::int64_t max) {
    const auto value = parseInteger(text);
    if (!value || *value < min || *value > max)
        return Error::literal("not a number from " + std::to_string(min) + " to " +
                              std::to_string(max) + ": " + cells::quoted(text));
    return *value;
}

std::string decimal(std::int64_t value, int decimals) {
    return formatFixed(static_cast<double>(value) / static_cast<double>(powerOfTen(decimals)),
                       decimals);
}

Result<std::int64_t> decimal(std::string_view text, std::int64_t min, std::int64_t max,
                             int decimals, std::string_view what, std::string_view unit) {
    const auto number = parseNumber(text);
    const double scaled = number ? *number * static_cast<double>(powerOfTen(decimals)) : NAN;
    // Checked before it becomes a whole number: "1e300" must not overflow on the way.
    if (std::isfinite(scaled) && scaled > static_cast<double>(min) - 1.0 &&
        scaled < static_cast<double>(max) + 1.0) {
        const std::int64_t value = roundHalfEvenToInt(scaled);
        if (value >= min && value <= max)
            return value;
    }
    return Error::literal("not " + std::string(what) + " from " + decimal(min, decimals) + " to " +
                          decimal(max, decimals) + std::string(unit) + ": " + cells::quoted(text));
}

std::string frequency(double value) {
    return formatFixed(value, 5);
}

Result<double> frequency(std::string_view text, const BandRanges& bands, const Language& language) {
    const auto value = parseNumber(text);
    if (!value)
        return Error::literal("not a frequency: " + cells::quoted(text));
    const FrequencyCheck checked = CheckFrequency(bands, *value, 0);
    if (checked.outOfBand) {
        std::string message = cells::quoted(trimBlanks(text)) + " lies outside the band";
        if (const std::string bandText = language.GetLangText(2001); !bandText.empty())
            message += " (" + bandText + ")";
        return Error::literal(std::move(message));
    }
    // Held to 10 Hz like every frequency of the tables, so that the same text always gives the
    // same value.
    return roundHalfEven(checked.value * 100000.0) / 100000.0;
}

std::string option(std::span<const TextKey> texts, std::int64_t value, const Language& language) {
    if (value >= 0 && static_cast<std::size_t>(value) < texts.size()) {
        std::string shown = language.text(texts[static_cast<std::size_t>(value)]);
        if (!shown.empty())
            return shown;
    }
    return std::to_string(value);
}

Result<std::int64_t> option(std::span<const TextKey> texts, std::string_view text, std::int64_t min,
                            std::int64_t max, const Language& language) {
    std::vector<std::string> shown;
    for (const TextKey& key : texts)
        shown.push_back(language.text(key));
    const std::string_view trimmed = trimBlanks(text);
    for (const bool exact : {true, false}) {
        for (std::size_t value = 0; value < shown.size(); ++value) {
            if (!shown[value].empty() &&
                (exact ? trimmed == shown[value] : equalsIgnoringCase(trimmed, shown[value])))
                return static_cast<std::int64_t>(value);
        }
    }
    if (const auto number = parseInteger(trimmed); number && *number >= min && *number <= max)
        return *number;
    std::string message = "unknown value " + cells::quoted(trimmed) + "; expected";
    bool first = true;
    for (const std::string& known : shown) {
        if (known.empty())
            continue;
        message += (first ? " " : ", ") + cells::quoted(known);
        first = false;
    }
    message += (first ? " a number from " : " or a number from ") + std::to_string(min) + " to " +
               std::to_string(max);
    return Error::literal(std::move(message));
}

Result<std::string> hexDigits(std::string_view text, int length) {
    return digits(text, length, true);
}

Result<std::string> decimalDigits(std::string_view text, int length) {
    return digits(text, length, false);
}

std::string joinMembers(std::span<const std::string> names) {
    std::string cell;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            cell.push_back(kMemberSeparator);
        cell += names[i];
    }
    return cell;
}

std::vector<std::string_view> splitMembers(std::string_view text) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(kMemberSeparator, start), text.size());
        names.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::string date(int year, int month, int day) {
    return std::to_string(year) + "-" + twoDigits(month) + "-" + twoDigits(day);
}

std::string time(int hour, int minute, int second) {
    return twoDigits(hour) + ":" + twoDigits(minute) + ":" + twoDigits(second);
}

} // namespace r605::cells

#include "base/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace r605 {

double roundHalfEven(double value) {
    return std::nearbyint(value);
}

std::int64_t roundHalfEvenToInt(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default and
    // is never changed by this program.
    const double rounded = std::nearbyint(value);
    // A number from a file may be any size: beyond 64 bits (and NaN) it saturates, and the
    // caller's range check refuses it.
    constexpr double kLimit = 9223372036854775808.0; // 2^63
    if (rounded >= kLimit)
        return std::numeric_limits<std::int64_t>::max();
    if (!(rounded >= -kLimit))
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}

std::string_view trimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the shape of a decimal number: [sign] digits [. digits] [e [sign] digits], with at least
// one digit in the mantissa. from_chars alone accepts "inf", "nan" and hex forms we do not want.
bool hasNumberShape(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    return i == text.size();
}

} // namespace

std::optional<double> parseNumber(std::string_view text) {
    text = trimBlanks(text);
    if (!hasNumberShape(text))
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool isNumeric(std::string_view text) {
    return parseNumber(text).has_value();
}

std::string formatFixed(double value, int decimals) {
    // The largest double has 309 integer digits: every value fits, with its sign and point.
    std::string text(320 + static_cast<std::size_t>(std::max(decimals, 0)), '\0');
    const auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), value,
                                         std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return "0";
    text.resize(static_cast<std::size_t>(end - text.data()));
    // "-0.00000" reads badly in a grid; a value that rounds to zero is shown without a sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

} // namespace r605

#include "rules/ctcss.h"

#include "base/numbers.h"

namespace r605 {

namespace {

constexpr std::array<std::string_view, kCtcssCount> kCtcss = {
    "62.5",  "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",
    "88.5",  "91.5",  "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8",
    "118.8", "123.0", "127.3", "131.8", "136.5", "141.3", "146.2", "151.4", "156.7",
    "159.8", "162.2", "165.5", "167.9", "171.3", "173.8", "177.3", "179.9", "183.5",
    "186.2", "189.9", "192.8", "196.6", "199.5", "203.5", "206.5", "210.7", "218.1",
    "225.7", "229.1", "233.6", "241.8", "250.3", "254.1", "Define"};

} // namespace

std::span<const std::string_view, kCtcssCount> ctcssEntries() {
    return kCtcss;
}

std::string_view CtcssText(int position) {
    if (position < 0 || position >= kCtcssCount)
        return {};
    return kCtcss[static_cast<std::size_t>(position)];
}

std::optional<int> CtcssPosition(std::string_view text) {
    for (std::size_t i = 0; i < kCtcss.size(); ++i) {
        if (kCtcss[i] == text)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

UserCtcss NormaliseUserCtcss(std::string_view text) {
    double value = kUserCtcssDefault / 10.0;
    if (const auto number = parseNumber(text)) {
        value = *number;
        if (value < kUserCtcssLow)
            value = kUserCtcssLow;
        else if (value > kUserCtcssHigh)
            value = kUserCtcssHigh;
    }
    UserCtcss result;
    result.text = formatFixed(value, 1);
    // The field stores what it shows: the one-decimal text read back, so that 100.05 (shown as
    // "100.0" or "100.1" by the binary value's rounding) never stores a tenth the user cannot see.
    const double shown = parseNumber(result.text).value_or(value);
    result.value = static_cast<std::uint16_t>(roundHalfEvenToInt(shown * 10.0));
    return result;
}

} // namespace r605

#include "rules/dcs.h"

#include "base/numbers.h"

namespace r605 {

namespace {

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::string OctalDigits(std::uint32_t value, int width) {
    if (width <= 0)
        return {};
    std::string digits(static_cast<std::size_t>(width), '0');
    for (auto i = digits.size(); i-- > 0 && value != 0;) {
        digits[i] = static_cast<char>('0' + (value & 7u));
        value >>= 3;
    }
    return digits;
}

std::string DcsText(int number) {
    if (number < 0 || number >= kDcsCount)
        return {};
    const bool inverted = number >= kDcsInvertedOffset;
    return 'D' + OctalDigits(static_cast<std::uint32_t>(number) & 511u, 3) + (inverted ? 'I' : 'N');
}

std::optional<int> DcsPosition(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() != 5 || upper(text[0]) != 'D')
        return std::nullopt;
    int code = 0;
    for (char digit : text.substr(1, 3)) {
        if (digit < '0' || digit > '7')
            return std::nullopt;
        code = code * 8 + (digit - '0');
    }
    const char polarity = upper(text[4]);
    if (polarity == 'N')
        return code;
    if (polarity == 'I')
        return code + kDcsInvertedOffset;
    return std::nullopt;
}

std::vector<std::string> ComboDcsEntries() {
    std::vector<std::string> entries;
    entries.reserve(kDcsInvertedOffset);
    for (std::uint32_t code = 0; code < kDcsInvertedOffset; ++code)
        entries.push_back(OctalDigits(code, 3) + "N");
    return entries;
}

} // namespace r605

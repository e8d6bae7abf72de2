#include "compare/record_leaves.h"

#include "base/numbers.h"
#include "text/trim.h"

#include <cmath>

namespace r605::leaves {

std::string numberText(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    // Frequencies and offsets are held to 10 Hz: five decimals of a MHz.
    return formatFixed(value, 5);
}

std::string textValue(const std::string& value) {
    return TrimAtNull(value);
}

std::string byteRow(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 2);
    for (std::size_t k = 0; k < count; ++k) {
        text.push_back(kDigits[bytes[k] >> 4]);
        text.push_back(kDigits[bytes[k] & 0xF]);
    }
    return text;
}

std::string offsetText(std::size_t offset) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04zX", offset);
    return text;
}

} // namespace r605::leaves

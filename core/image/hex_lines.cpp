#include "image/hex_lines.h"

#include "image/field_codecs.h"

#include <array>
#include <cstdint>
#include <unordered_set>

namespace r605 {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::optional<std::uint32_t> parseHex(std::string_view text) {
    std::uint32_t value = 0;
    for (const char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

Error lineError(std::size_t line, std::string_view what) {
    return Error::literal("line " + std::to_string(line) + ": " + std::string(what));
}

} // namespace

std::string WriteHexLines(const MemoryImage& image, const BlockMap& blocks) {
    std::string text;
    std::array<std::uint8_t, 16> bytes{};
    for (std::int64_t block = blocks.nextWithValue(0, 1); block >= 0;
         block = blocks.nextWithValue(static_cast<std::uint32_t>(block) + 1, 1)) {
        const auto address = static_cast<std::uint32_t>(block) * 16;
        image.read(address, bytes);
        for (int shift = 28; shift >= 0; shift -= 4)
            text += kHexDigits[(address >> shift) & 0xF];
        text += ": ";
        for (const std::uint8_t byte : bytes) {
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0xF];
        }
        text += '\n';
    }
    return text;
}

Result<MemoryImage> ReadHexLines(std::string_view text) {
    MemoryImage image;
    std::unordered_set<std::uint32_t> seen;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty())
            continue;
        if (line.size() != 8 + 2 + 32 || line.substr(8, 2) != ": ")
            return lineError(lineNumber, "expected \"AAAAAAAA: \" and 32 hexadecimal digits");
        const auto address = parseHex(line.substr(0, 8));
        if (!address)
            return lineError(lineNumber, "the address is not hexadecimal");
        if (*address % 16 != 0 || !MemoryImage::contains(*address, 16))
            return lineError(lineNumber, "the address is not a block address of the image");
        if (!seen.insert(*address).second)
            return lineError(lineNumber, "the block is given twice");
        std::array<std::uint8_t, 16> bytes{};
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto value = parseHex(line.substr(10 + 2 * i, 2));
            if (!value)
                return lineError(lineNumber, "the data is not hexadecimal");
            bytes[i] = static_cast<std::uint8_t>(*value);
        }
        image.write(*address, bytes);
    }
    return image;
}

} // namespace r605

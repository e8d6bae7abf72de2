#include "hex_image.h"

#include <array>
#include <cstdio>

namespace r605::sim {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string FormatHexImage(const MemoryImage& image) {
    std::string text;
    std::array<std::uint8_t, 16> block{};
    for (std::uint32_t page : image.allocatedPages()) {
        for (std::uint32_t address = page; address < page + MemoryImage::kPageSize; address += 16) {
            image.read(address, block);
            bool empty = true;
            for (std::uint8_t byte : block)
                empty = empty && byte == 0;
            if (empty)
                continue;
            char line[64];
            int length = std::snprintf(line, sizeof line, "%08X: ", address);
            for (std::uint8_t byte : block)
                length += std::snprintf(
                    line + length, sizeof line - static_cast<std::size_t>(length), "%02X", byte);
            text.append(line, static_cast<std::size_t>(length));
            text.push_back('\n');
        }
    }
    return text;
}

Result<MemoryImage> ParseHexImage(std::string_view text) {
    MemoryImage image;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++lineNumber;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const auto bad = [lineNumber](const char* what) {
            return Error::literal("image line " + std::to_string(lineNumber) + ": " + what);
        };
        if (line.size() != 8 + 2 + 32 || line[8] != ':' || line[9] != ' ')
            return bad("expected AAAAAAAA: and 32 hexadecimal digits");
        std::uint32_t address = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            const int digit = hexValue(line[i]);
            if (digit < 0)
                return bad("the address is not hexadecimal");
            address = address * 16 + static_cast<std::uint32_t>(digit);
        }
        if (address % 16 != 0 || !MemoryImage::contains(address, 16))
            return bad("the address is not a block of the radio's address space");
        std::array<std::uint8_t, 16> block{};
        for (std::size_t i = 0; i < 16; ++i) {
            const int high = hexValue(line[10 + 2 * i]);
            const int low = hexValue(line[11 + 2 * i]);
            if (high < 0 || low < 0)
                return bad("the data is not hexadecimal");
            block[i] = static_cast<std::uint8_t>(high * 16 + low);
        }
        image.write(address, block);
    }
    return image;
}

} // namespace r605::sim

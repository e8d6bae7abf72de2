#include "image/field_codecs.h"

#include "rules/band.h"
#include "text/codepage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace r605 {

std::uint8_t IndexToByte(int value, int max) {
    if (value < 1 || value > max)
        return 0xFF;
    return static_cast<std::uint8_t>(value - 1);
}

int ByteToIndex(std::uint8_t byte, int max) {
    return byte > max ? 0 : byte + 1;
}

namespace {

// The number of leading bytes of a code-page-936 text that hold whole characters and fit
// maxBytes (a lead byte 0x81 .. 0xFE starts a two-byte character).
std::size_t gbkFitLength(std::span<const std::uint8_t> bytes, std::size_t maxBytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t width = bytes[pos] >= 0x81 && bytes[pos] <= 0xFE ? 2 : 1;
        if (pos + width > maxBytes || pos + width > bytes.size())
            break;
        pos += width;
    }
    return pos;
}

} // namespace

void PutText(std::span<std::uint8_t> field, std::string_view text) {
    // The trimming rule (TrimAtNull) without a copy: encode-all runs it for 60000 contact texts.
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    text = text.substr(0, text.find('\0'));
    std::size_t length = 0;
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        length = std::min(text.size(), field.size());
        std::copy_n(text.begin(), length, field.begin());
    } else {
        const std::string bytes = toCp936(text);
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        length = gbkFitLength(std::span(data, bytes.size()), field.size());
        std::copy_n(data, length, field.begin());
    }
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(length), field.end(), 0);
}

std::string GetText(std::span<const std::uint8_t> field, std::size_t keepBytes) {
    const auto end = std::find_if(field.begin(), field.end(),
                                  [](std::uint8_t b) { return b == 0x00 || b == 0xFF; });
    const auto text = field.first(static_cast<std::size_t>(end - field.begin()));
    std::size_t kept = gbkFitLength(text, keepBytes);
    // Trailing blanks are the padding of a fixed-length field: the table cannot tell them apart.
    while (kept > 0 && text[kept - 1] == ' ')
        --kept;
    return fromCp936(std::string_view(reinterpret_cast<const char*>(text.data()), kept));
}

void PutText(MemoryImage& image, std::uint32_t address, std::string_view text, std::size_t length) {
    std::vector<std::uint8_t> field(length);
    PutText(field, text);
    image.write(address, field);
}

std::string GetText(const MemoryImage& image, std::uint32_t address, std::size_t length,
                    std::size_t keepBytes) {
    std::vector<std::uint8_t> field(length);
    image.read(address, field);
    return GetText(field, keepBytes);
}

bool PutBcd8(std::span<std::uint8_t, 4> field, std::int64_t value) {
    if (value < 0 || value > 99999999)
        return false;
    for (int i = 3; i >= 0; --i) {
        const auto low = static_cast<std::uint8_t>(value % 10);
        value /= 10;
        const auto high = static_cast<std::uint8_t>(value % 10);
        value /= 10;
        field[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return true;
}

std::optional<std::int64_t> GetBcd8(std::span<const std::uint8_t, 4> field) {
    std::int64_t value = 0;
    for (const std::uint8_t byte : field) {
        const int high = byte >> 4;
        const int low = byte & 0x0F;
        if (high > 9 || low > 9)
            return std::nullopt;
        value = value * 100 + high * 10 + low;
    }
    return value;
}

bool PutFreq(std::span<std::uint8_t, 4> field, double megahertz) {
    if (!std::isfinite(megahertz) || megahertz < 0 || megahertz >= 1000.0)
        return false;
    // The same digits an editor shows: MHz x 100000 rounded half to even.
    const std::string digits = FrequencyDigits(megahertz);
    std::int64_t units = 0;
    for (const char c : digits)
        units = units * 10 + (c - '0');
    return PutBcd8(field, units);
}

std::optional<double> GetFreq(std::span<const std::uint8_t, 4> field) {
    const auto units = GetBcd8(field);
    if (!units)
        return std::nullopt;
    return static_cast<double>(*units) / 100000.0;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool PutHexCode(std::span<std::uint8_t> field, std::string_view digits) {
    while (!digits.empty() && digits.front() == ' ')
        digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == ' ')
        digits.remove_suffix(1);
    if ((digits.size() + 1) / 2 > field.size())
        return false;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = HexDigitValue(digits[i]);
        if (high < 0)
            return false;
        if (i + 1 == digits.size()) {
            field[i / 2] = static_cast<std::uint8_t>(high); // an odd last digit stands alone
            break;
        }
        const int low = HexDigitValue(digits[i + 1]);
        if (low < 0)
            return false;
        field[i / 2] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return true;
}

std::string GetHexCode(std::span<const std::uint8_t> field, std::size_t digitCount) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    for (std::size_t i = 0; i < digitCount && i / 2 < field.size(); i += 2) {
        const std::uint8_t byte = field[i / 2];
        if (i + 1 == digitCount) {
            digits += kHex[byte & 0x0F];
            break;
        }
        digits += kHex[byte >> 4];
        digits += kHex[byte & 0x0F];
    }
    return digits;
}

bool PutDigits(std::span<std::uint8_t, 16> field, std::string_view digits, int count) {
    std::fill(field.begin(), field.end(), 0xFF);
    const std::size_t used =
        std::min<std::size_t>({digits.size(), static_cast<std::size_t>(std::max(count, 0)), 16});
    for (std::size_t k = 0; k < used; ++k) {
        const int value = HexDigitValue(digits[k]);
        if (value < 0)
            return false;
        field[k] = static_cast<std::uint8_t>(value);
    }
    return true;
}

DigitString GetDigits(std::span<const std::uint8_t, 16> field) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    DigitString result;
    for (const std::uint8_t byte : field) {
        if (byte >= 16)
            break;
        result.digits += kHex[byte];
        ++result.count;
    }
    return result;
}

bool BitmapBit(const MemoryImage& image, std::uint32_t base, std::size_t n) {
    const std::uint8_t byte = image.read(base + static_cast<std::uint32_t>(n / 8));
    return (byte >> (n % 8)) & 1;
}

void OrBitmapBit(MemoryImage& image, std::uint32_t base, std::size_t n, bool set) {
    if (!set)
        return;
    const std::uint32_t address = base + static_cast<std::uint32_t>(n / 8);
    image.write(address, static_cast<std::uint8_t>(image.read(address) | 1u << (n % 8)));
}

void ClearBitmapBit(MemoryImage& image, std::uint32_t base, std::size_t n) {
    const std::uint32_t address = base + static_cast<std::uint32_t>(n / 8);
    image.write(address, static_cast<std::uint8_t>(image.read(address) & ~(1u << (n % 8))));
}

void PutLe16(std::span<std::uint8_t, 2> field, std::int64_t value) {
    field[0] = static_cast<std::uint8_t>(value & 0xFF);
    field[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void PutBe16(std::span<std::uint8_t, 2> field, std::int64_t value) {
    field[0] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    field[1] = static_cast<std::uint8_t>(value & 0xFF);
}

void PutLe32(std::span<std::uint8_t, 4> field, std::int64_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        field[i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

std::uint16_t GetLe16(std::span<const std::uint8_t, 2> field) {
    return static_cast<std::uint16_t>(field[0] | field[1] << 8);
}

std::uint16_t GetBe16(std::span<const std::uint8_t, 2> field) {
    return static_cast<std::uint16_t>(field[0] << 8 | field[1]);
}

std::uint32_t GetLe32(std::span<const std::uint8_t, 4> field) {
    return static_cast<std::uint32_t>(field[0]) | static_cast<std::uint32_t>(field[1]) << 8 |
           static_cast<std::uint32_t>(field[2]) << 16 | static_cast<std::uint32_t>(field[3]) << 24;
}

} // namespace r605

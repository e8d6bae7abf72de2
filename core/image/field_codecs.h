#pragma once
// The conversions every record family shares between table values and image bytes: references,
// texts, BCD frequencies and IDs, packed hexadecimal keys, digit strings, bitmaps and little- or
// big-endian numbers. Codec code calls these instead of shifting bytes itself.
//
// The span forms work on a field inside a slot buffer; the image forms on CommData directly.

#include "image/memory_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace r605 {

// A 1-based reference (0 none) as the image's 0-based byte, 0xFF for none: 1 .. max give
// value - 1; 0, negatives and values above max give 0xFF.
std::uint8_t IndexToByte(int value, int max);
// The reverse: a byte above max gives 0 (none); otherwise byte + 1.
int ByteToIndex(std::uint8_t byte, int max);

// Text into a field of field.size() bytes: trailing blanks removed and cut at a NUL, converted
// to code page 936, at most the field's length (cut between characters, never inside a
// double-byte character), the rest 0x00. A text that fills the field has no terminator.
void PutText(std::span<std::uint8_t> field, std::string_view text);
// Text from a field: the bytes up to the first 0x00 or 0xFF, at most field.size(), of which at
// most keepBytes are kept (whole characters) so that the text fits its record field,
// without trailing blanks (in a fixed-length field they cannot be told from its padding).
std::string GetText(std::span<const std::uint8_t> field, std::size_t keepBytes);
void PutText(MemoryImage& image, std::uint32_t address, std::string_view text, std::size_t length);
std::string GetText(const MemoryImage& image, std::uint32_t address, std::size_t length,
                    std::size_t keepBytes);

// Eight BCD digits, most significant first (1234567 is 01 23 45 67). False when the value does
// not fit eight decimal digits.
bool PutBcd8(std::span<std::uint8_t, 4> field, std::int64_t value);
// The digits read back; nothing when a nibble is not a decimal digit (an erased FF FF FF FF).
std::optional<std::int64_t> GetBcd8(std::span<const std::uint8_t, 4> field);

// A frequency in MHz as eight BCD digits of 10 Hz (438.5 MHz is 43 85 00 00), rounded half to
// even. False for a negative frequency or one of more than eight digits.
bool PutFreq(std::span<std::uint8_t, 4> field, double megahertz);
std::optional<double> GetFreq(std::span<const std::uint8_t, 4> field);

// Hexadecimal digits packed two to a byte in text order; an odd last digit is one more byte
// holding its value. False when a character is not a hexadecimal digit or the packed key does
// not fit the field. Blanks around the text are ignored.
bool PutHexCode(std::span<std::uint8_t> field, std::string_view digits);
// digitCount digits from the field: two per byte, upper case; for an odd count the last byte
// gives one digit (its low nibble).
std::string GetHexCode(std::span<const std::uint8_t> field, std::size_t digitCount);

// A digit string one digit per byte (values 0 .. 15), 0xFF for the rest of the 16 bytes. Only
// the first `count` characters are written. False when one of them is not a hexadecimal digit.
bool PutDigits(std::span<std::uint8_t, 16> field, std::string_view digits, int count);
struct DigitString {
    std::string digits; // upper-case hexadecimal characters
    int count = 0;
};
// Digits up to the first byte of 16 or more, at most 16.
DigitString GetDigits(std::span<const std::uint8_t, 16> field);

// Used-slot bitmaps: bit (n mod 8) of the byte at base + n div 8.
bool BitmapBit(const MemoryImage& image, std::uint32_t base, std::size_t n);
void OrBitmapBit(MemoryImage& image, std::uint32_t base, std::size_t n, bool set);
void ClearBitmapBit(MemoryImage& image, std::uint32_t base, std::size_t n);

// Whole numbers in byte order; the value's low 16 or 32 bits are stored.
void PutLe16(std::span<std::uint8_t, 2> field, std::int64_t value);
void PutBe16(std::span<std::uint8_t, 2> field, std::int64_t value);
void PutLe32(std::span<std::uint8_t, 4> field, std::int64_t value);
std::uint16_t GetLe16(std::span<const std::uint8_t, 2> field);
std::uint16_t GetBe16(std::span<const std::uint8_t, 2> field);
std::uint32_t GetLe32(std::span<const std::uint8_t, 4> field);

// A hexadecimal digit's value, or -1.
int HexDigitValue(char c);

} // namespace r605

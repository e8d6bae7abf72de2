#pragma once
// The boot image: the picture the radio shows while it starts. 160 x 128 pixels in RGB565, each
// pixel's word high byte first, stored column by column: pixel (x, y) occupies bytes
// 2 * (x * 128 + y) and 2 * (x * 128 + y) + 1. The radio keeps it at 0x42C0000 upward, byte i
// of the image at radio address 0x42C0000 + i.

#include "bootimage/rgb_picture.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace r605 {

inline constexpr int kBootImageWidth = 160;
inline constexpr int kBootImageHeight = 128;
// Where the radio keeps the image and how many bytes it takes there, two a pixel: the range the
// boot image transfers read and write, and nothing outside it.
inline constexpr std::uint32_t kBootImageAddress = 0x42C0000;
inline constexpr std::size_t kBootImageSize = 40960;
static_assert(kBootImageSize == std::size_t{kBootImageWidth} * kBootImageHeight * 2);
// The image ends at a block boundary: it travels in whole 16-byte blocks, the last at 40944.
static_assert(kBootImageAddress % 16 == 0 && kBootImageSize % 16 == 0);

using BootImageBytes = std::array<std::uint8_t, kBootImageSize>;
using BootImage = BootImageBytes;

// Offset of the high byte of pixel (x, y) in the image.
constexpr std::size_t BootImagePixelOffset(int x, int y) {
    return 2 * (static_cast<std::size_t>(x) * kBootImageHeight + static_cast<std::size_t>(y));
}

// RGB565 word of a colour: (red div 8) * 2048 + (green div 4) * 32 + (blue div 8).
constexpr std::uint16_t PackRgb565(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint16_t>((red / 8) * 2048 + (green / 4) * 32 + blue / 8);
}

// The word of pixel (x, y), high byte first in the image.
std::uint16_t BootImagePixel(const BootImage& image, int x, int y);
void SetBootImagePixel(BootImage& image, int x, int y, std::uint16_t word);

// The 160 x 128 preview of an image: each word unpacked to red = (w div 2048) * 8,
// green = ((w div 32) mod 64) * 4, blue = (w mod 32) * 8.
RgbPicture ShowBootImage(const BootImage& image);

} // namespace r605

#include "bootimage/boot_image.h"

namespace r605 {

std::uint16_t BootImagePixel(const BootImage& image, int x, int y) {
    const std::size_t offset = BootImagePixelOffset(x, y);
    return static_cast<std::uint16_t>(image[offset] * 256 + image[offset + 1]);
}

void SetBootImagePixel(BootImage& image, int x, int y, std::uint16_t word) {
    const std::size_t offset = BootImagePixelOffset(x, y);
    image[offset] = static_cast<std::uint8_t>(word >> 8);
    image[offset + 1] = static_cast<std::uint8_t>(word & 0xFF);
}

RgbPicture ShowBootImage(const BootImage& image) {
    RgbPicture preview{kBootImageWidth, kBootImageHeight,
                       std::vector<std::uint8_t>(kBootImageSize / 2 * 3)};
    for (int x = 0; x < kBootImageWidth; ++x) {
        for (int y = 0; y < kBootImageHeight; ++y) {
            const unsigned word = BootImagePixel(image, x, y);
            const std::size_t offset = preview.offsetOf(x, y);
            preview.rgb[offset] = static_cast<std::uint8_t>((word / 2048) * 8);
            preview.rgb[offset + 1] = static_cast<std::uint8_t>(((word / 32) % 64) * 4);
            preview.rgb[offset + 2] = static_cast<std::uint8_t>((word % 32) * 8);
        }
    }
    return preview;
}

} // namespace r605

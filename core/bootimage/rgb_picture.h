#pragma once
// A picture as plain 8-bit RGB pixels: what the boot image conversion takes and what its
// previews give. Decoding picture files into this form is the platform layer's job.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace r605 {

struct RgbPicture {
    int width = 0;
    int height = 0;
    // Row by row from the top, left to right, three bytes (red, green, blue) per pixel:
    // width * height * 3 bytes.
    std::vector<std::uint8_t> rgb;

    std::size_t offsetOf(int x, int y) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)) *
               3;
    }
    bool operator==(const RgbPicture&) const = default;
};

} // namespace r605

// Boot image data from outside: a .bin file's bytes shown as a picture, and pictures of any
// small size converted. A .bin image shown and converted back must give the same bytes, since
// unpacking keeps every bit of the 16-bit words.
#include "bootimage/boot_image.h"
#include "bootimage/picture_conversion.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= r605::kBootImageSize) {
        r605::BootImage image{};
        std::memcpy(image.data(), data, image.size());
        const auto back = r605::ConvertPictureToBootImage(r605::ShowBootImage(image));
        if (!back.ok() || back->image != image)
            __builtin_trap();
        return 0;
    }
    if (size < 2)
        return 0;
    // A picture of up to 256 x 256 pixels whose bytes repeat the rest of the input.
    r605::RgbPicture picture{1 + data[0], 1 + data[1], {}};
    picture.rgb.resize(std::size_t(picture.width) * std::size_t(picture.height) * 3);
    for (std::size_t i = 0; i < picture.rgb.size(); ++i)
        picture.rgb[i] = size > 2 ? data[2 + i % (size - 2)] : 0;
    const auto conversion = r605::ConvertPictureToBootImage(picture);
    if (!conversion.ok())
        __builtin_trap();
    return 0;
}

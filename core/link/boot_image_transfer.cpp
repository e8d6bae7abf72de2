#include "link/boot_image_transfer.h"

#include <algorithm>

namespace r605 {

int BootImageProgressPercent(std::int64_t offset) {
    if (offset <= 0)
        return 0;
    const std::int64_t percent = offset * 100 / static_cast<std::int64_t>(kBootImageSize);
    return static_cast<int>(std::min<std::int64_t>(percent, 100));
}

BootImageBytes CopyImageFromCommData(const MemoryImage& image) {
    BootImageBytes bytes{};
    image.read(kBootImageAddress, bytes);
    return bytes;
}

} // namespace r605

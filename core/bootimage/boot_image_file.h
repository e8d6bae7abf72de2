#pragma once
// Boot image files (".bin"): the 40960 bytes of the image in order, nothing else.

#include "base/result.h"
#include "bootimage/boot_image.h"

#include <filesystem>

namespace r605 {

// Writes exactly the 40960 bytes, atomically: a failed save leaves the old file as it was.
Status SaveBootImageFile(const std::filesystem::path& path, const BootImage& image);

// Reads the first 40960 bytes of the file into `image`; anything after them is ignored. A
// shorter file is refused with message 99113 and `image` is left as it was.
Status LoadBootImageFile(const std::filesystem::path& path, BootImage& image);

} // namespace r605

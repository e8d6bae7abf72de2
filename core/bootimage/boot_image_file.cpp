#include "bootimage/boot_image_file.h"

#include "base/file_io.h"

#include <fstream>
#include <string_view>
#include <system_error>

namespace r605 {

Status SaveBootImageFile(const std::filesystem::path& path, const BootImage& image) {
    return writeFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}

Status LoadBootImageFile(const std::filesystem::path& path, BootImage& image) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Error::literal("Cannot open file: " + pathText(path));
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Error::literal("Cannot open file: " + pathText(path));
    // Only the image's own bytes are read, however long the file is.
    BootImage loaded{};
    in.read(reinterpret_cast<char*>(loaded.data()), static_cast<std::streamsize>(loaded.size()));
    if (in.gcount() != static_cast<std::streamsize>(loaded.size())) {
        if (in.bad())
            return Error::literal("Cannot read file: " + pathText(path));
        return Error::keyed(99113, pathText(path));
    }
    image = loaded;
    return Status::success();
}

} // namespace r605

#include "settings/view_menu_flags.h"

#include "base/file_io.h"
#include "settings/program_folders.h"

namespace r605 {

namespace {

constexpr std::size_t kFileSize = 8;

} // namespace

ViewMenuValues decodeViewMenuFlags(std::string_view bytes) {
    ViewMenuValues values{};
    const auto byteAt = [&](std::size_t i) -> unsigned {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto word = static_cast<std::uint16_t>(byteAt(2 * i) | (byteAt(2 * i + 1) << 8));
        values[i] = static_cast<std::int16_t>(word);
    }
    return values;
}

std::string encodeViewMenuFlags(const ViewMenuValues& values) {
    std::string bytes;
    bytes.reserve(kFileSize);
    for (std::int16_t value : values) {
        const auto word = static_cast<std::uint16_t>(value);
        bytes += static_cast<char>(word & 0xFF);
        bytes += static_cast<char>(word >> 8);
    }
    return bytes;
}

ViewMenuValues ReadViewMenuFlags(const ProgramFolders& folders) {
    const auto path = folders.readPath(kViewMenuFile);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        // Created empty as the original open for reading and writing did; if even that fails, the
        // close-down write reports it.
        if (const auto target = folders.writePath(kViewMenuFile))
            (void)writeFileAtomically(*target, {});
        return ViewMenuValues{};
    }
    const auto bytes = readFilePrefix(path, kFileSize);
    if (!bytes)
        return ViewMenuValues{1, 1, 1, 1};
    return decodeViewMenuFlags(*bytes);
}

Status WriteViewMenuFlags(const ProgramFolders& folders, const ViewMenuValues& values) {
    const auto target = folders.writePath(kViewMenuFile);
    if (!target)
        return target.error();
    return writeFileAtomically(*target, encodeViewMenuFlags(values));
}

} // namespace r605

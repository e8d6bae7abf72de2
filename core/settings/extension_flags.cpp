#include "settings/extension_flags.h"

#include "base/file_io.h"
#include "settings/program_folders.h"

#include <algorithm>

namespace r605 {

ExtensionFlagBytes ReadExtensionFlags(const ProgramFolders& folders) {
    ExtensionFlagBytes flags{};
    const auto path = folders.readPath(kExtensionFlagFile);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return flags;
    const auto bytes = readFilePrefix(path, flags.size());
    if (!bytes)
        return flags;
    std::transform(bytes->begin(), bytes->end(), flags.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    return flags;
}

Status WriteExtensionFlags(const ProgramFolders& folders, const ExtensionFlagBytes& flags) {
    const auto target = folders.writePath(kExtensionFlagFile);
    if (!target)
        return target.error();
    return writeFileAtomically(*target, std::string(flags.begin(), flags.end()));
}

} // namespace r605

#include "settings/factory_marker.h"

#include "base/file_io.h"
#include "settings/program_folders.h"
#include "text/trim.h"

namespace r605 {

bool ReadFactoryMarker(const ProgramFolders& folders) {
    const auto path = folders.readPath(kFactoryMarkerFile);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return false;
    const auto bytes = readFilePrefix(path, kFactoryMarker.size());
    if (!bytes)
        return false;
    return TrimAtNull(*bytes) == kFactoryMarker;
}

} // namespace r605

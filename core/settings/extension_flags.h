#pragma once
// Init.EXT: 100 feature bytes (0 off, 1 on), read and written whole. The extended-features and
// annex dialogs write it; the menus, editors and list export read single bytes.

#include "base/result.h"
#include "settings/startup_state.h"

#include <string_view>

namespace r605 {

class ProgramFolders;

inline constexpr std::string_view kExtensionFlagFile = "Init.EXT";

// Missing: all 0. Shorter than 100 bytes: the bytes that are there, the rest 0. Longer: the first
// 100. A read error leaves all 0 (the start value), as a missing file does.
ExtensionFlagBytes ReadExtensionFlags(const ProgramFolders& folders);
Status WriteExtensionFlags(const ProgramFolders& folders, const ExtensionFlagBytes& flags);

} // namespace r605

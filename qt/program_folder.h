#pragma once

#include <filesystem>
#include <string>

namespace r605 {

// The program folder: `--home DIR` when given, else the environment variable R605_HOME, else the
// folder of the running executable (the build copies data/ beside the binaries).
std::filesystem::path resolveProgramFolder(const std::string& homeOption);

} // namespace r605

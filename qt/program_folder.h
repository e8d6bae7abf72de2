#pragma once

#include <filesystem>
#include <string>

namespace r605 {

// The program folder: `--home DIR` when given, else the environment variable R605_HOME, else the
// folder of the running executable (the build copies data/ beside the binaries), or, for an
// installed program whose folder holds no language files, share/r605cps beside its bin/.
std::filesystem::path resolveProgramFolder(const std::string& homeOption);

// The folder of an executable's files: `binaryFolder` when it holds language/, else
// ../share/r605cps when that does, else `binaryFolder`.
std::filesystem::path programFolderBeside(const std::filesystem::path& binaryFolder);

} // namespace r605

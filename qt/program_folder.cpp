#include "program_folder.h"

#include <QCoreApplication>
#include <QString>

#include <cstdlib>
#include <system_error>

namespace r605 {

std::filesystem::path programFolderBeside(const std::filesystem::path& binaryFolder) {
    std::error_code error;
    if (std::filesystem::is_directory(binaryFolder / "language", error))
        return binaryFolder;
    const auto installed = binaryFolder.parent_path() / "share" / "r605cps";
    if (std::filesystem::is_directory(installed / "language", error))
        return installed;
    return binaryFolder;
}

std::filesystem::path resolveProgramFolder(const std::string& homeOption) {
    if (!homeOption.empty())
        return std::filesystem::absolute(homeOption);
    if (const char* home = std::getenv("R605_HOME"); home != nullptr && *home != '\0')
        return std::filesystem::absolute(home);
    return programFolderBeside(QCoreApplication::applicationDirPath().toStdString());
}

} // namespace r605

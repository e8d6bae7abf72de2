#include "program_folder.h"

#include <QCoreApplication>
#include <QString>

#include <cstdlib>

namespace r605 {

std::filesystem::path resolveProgramFolder(const std::string& homeOption) {
    if (!homeOption.empty())
        return std::filesystem::absolute(homeOption);
    if (const char* home = std::getenv("R605_HOME"); home != nullptr && *home != '\0')
        return std::filesystem::absolute(home);
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

} // namespace r605

#include "settings/program_folders.h"

#include "base/file_io.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace r605 {

namespace fs = std::filesystem;

ProgramFolders::ProgramFolders(fs::path programFolder, fs::path userFolder,
                               bool programFolderWritable)
    : m_programFolder(std::move(programFolder)), m_userFolder(std::move(userFolder)),
      m_programFolderWritable(programFolderWritable) {}

ProgramFolders ProgramFolders::locate(const fs::path& programFolder) {
#ifdef _WIN32
    // A Windows user's settings live in %APPDATA%, read as UTF-16: user names are often Chinese.
    const wchar_t* appData = ::_wgetenv(L"APPDATA");
    fs::path userFolder =
        appData != nullptr && *appData != L'\0' ? fs::path(appData) / "r605cps" : fs::path();
    return ProgramFolders(programFolder, std::move(userFolder), isFolderWritable(programFolder));
#else
    const auto variable = [](const char* name) -> std::string_view {
        const char* value = std::getenv(name);
        return value == nullptr ? std::string_view{} : std::string_view(value);
    };
    return ProgramFolders(programFolder,
                          userConfigFolder(variable("XDG_CONFIG_HOME"), variable("HOME")),
                          isFolderWritable(programFolder));
#endif
}

fs::path ProgramFolders::readPath(const fs::path& relative) const {
    if (!m_programFolderWritable && !m_userFolder.empty()) {
        std::error_code ec;
        const fs::path user = m_userFolder / relative;
        if (fs::exists(user, ec))
            return user;
    }
    return m_programFolder / relative;
}

Result<fs::path> ProgramFolders::writePath(const fs::path& relative) const {
    if (!m_programFolderWritable && m_userFolder.empty())
        return Error::literal("Cannot write " + pathText(relative) +
                              ": the program folder is not writable and no configuration folder "
                              "is known (set XDG_CONFIG_HOME or HOME)");
    const fs::path target = (m_programFolderWritable ? m_programFolder : m_userFolder) / relative;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    if (ec)
        return Error::literal("Cannot create folder " + pathText(target.parent_path()) + " (" +
                              ec.message() + ")");
    return target;
}

fs::path userConfigFolder(std::string_view xdgConfigHome, std::string_view home) {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    if (!xdgConfigHome.empty() && fs::path(xdgConfigHome).is_absolute())
        return fs::path(xdgConfigHome) / "r605cps";
    if (!home.empty())
        return fs::path(home) / ".config" / "r605cps";
    return {};
}

bool isFolderWritable(const fs::path& folder) {
    std::random_device device;
    const fs::path probe = folder / (".r605-write-probe-" + std::to_string(device()));
    // "x": fail rather than touch a file that happens to exist.
    std::FILE* file = openFile(probe, "wbx");
    if (file == nullptr)
        return false;
    std::fclose(file);
    std::error_code ignored;
    fs::remove(probe, ignored);
    return true;
}

} // namespace r605

#pragma once
// Where the program's own files live. The program folder holds the language files, the initial
// codeplugs and the settings files. An installed program folder is usually not writable: then the
// files the program writes go to the user's configuration folder ($XDG_CONFIG_HOME/r605cps, or
// ~/.config/r605cps; %APPDATA%\r605cps on Windows) under the same relative names, and are read
// from there first, so that the program always reads back what it wrote last.

#include "base/result.h"

#include <filesystem>
#include <string_view>

namespace r605 {

class ProgramFolders {
public:
    ProgramFolders(std::filesystem::path programFolder, std::filesystem::path userFolder,
                   bool programFolderWritable);

    // The folders of a run: the user folder from the process environment, the program folder
    // probed for writing.
    static ProgramFolders locate(const std::filesystem::path& programFolder);

    const std::filesystem::path& programFolder() const { return m_programFolder; }
    const std::filesystem::path& userFolder() const { return m_userFolder; }
    bool programFolderWritable() const { return m_programFolderWritable; }

    // The file to read for a relative name: the user folder's copy when the program folder is
    // not writable and that copy exists, else the program folder's.
    std::filesystem::path readPath(const std::filesystem::path& relative) const;

    // The file to write for a relative name, with the folders leading to it created. An error
    // when the program folder is not writable and no user folder is known, or when a folder
    // cannot be created.
    Result<std::filesystem::path> writePath(const std::filesystem::path& relative) const;

private:
    std::filesystem::path m_programFolder;
    std::filesystem::path m_userFolder;
    bool m_programFolderWritable = true;
};

// $XDG_CONFIG_HOME/r605cps when that variable holds an absolute path, else $HOME/.config/r605cps;
// empty when neither is usable.
std::filesystem::path userConfigFolder(std::string_view xdgConfigHome, std::string_view home);

// Whether a file can be created in the folder, found out by creating and removing one (the
// permission bits alone do not tell: read-only mounts, access lists, a privileged user).
bool isFolderWritable(const std::filesystem::path& folder);

} // namespace r605

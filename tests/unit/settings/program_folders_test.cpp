#include "settings/extension_flags.h"
#include "settings/program_folders.h"
#include "settings/setup_file.h"
#include "settings/startup.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace r605 {
namespace {

namespace fs = std::filesystem;

// The environment variable that names the user's folder, set for one test.
class UserFolderVariable {
public:
    explicit UserFolderVariable(const fs::path& value) { set(value.c_str()); }
    ~UserFolderVariable() { set(nullptr); }

private:
#ifdef _WIN32
    static void set(const wchar_t* value) {
        ::_wputenv_s(L"APPDATA", value ? value : L"");
    }
#else
    static void set(const char* value) {
        value ? ::setenv("XDG_CONFIG_HOME", value, 1) : ::unsetenv("XDG_CONFIG_HOME");
    }
#endif
};

TEST(ProgramFolders, UserConfigFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "the XDG rules are for POSIX systems; Windows keeps the folder in APPDATA";
#endif
    EXPECT_EQ(userConfigFolder("/x/config", "/home/u"), fs::path("/x/config/r605cps"));
    EXPECT_EQ(userConfigFolder("", "/home/u"), fs::path("/home/u/.config/r605cps"));
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    EXPECT_EQ(userConfigFolder("config", "/home/u"), fs::path("/home/u/.config/r605cps"));
    EXPECT_EQ(userConfigFolder("", ""), fs::path());
}

TEST(ProgramFolders, ReadOnlyProgramFolderWritesToTheUserFolder) {
    test::TempDir program;
    test::TempDir config;
    fs::create_directory(program / "language");
    const std::string original = "[language]\r\nIsFirstRun=1\r\nSkin=blue\r\ncomPort=ttyUSB0\r\n";
    test::writeFile(program / "language/mysetup.ini", original);
    const ProgramFolders folders(program.path(), config / "r605cps", false);
    // Start-up reads the program folder's set-up file and creates Setting.ini for the user.
    StartupState state = LoadStartupState(folders, "409");
    EXPECT_TRUE(state.IsFirstRun);
    EXPECT_TRUE(fs::exists(config / "r605cps/Setting.ini"));
    EXPECT_FALSE(fs::exists(program / "Setting.ini"));
    // The user's copy of the set-up file starts from the program folder's, so no key is lost.
    ASSERT_TRUE(RunFirstRun(folders, state, [](FirstRunDialog) {}).ok());
    EXPECT_EQ(test::readFile(program / "language/mysetup.ini"), original);
    const SetupValues values = ReadSetupFile(folders);
    EXPECT_FALSE(values.IsFirstRun);
    EXPECT_EQ(values.Skin, "blue");
    EXPECT_EQ(values.comPort, "ttyUSB0");
    EXPECT_FALSE(LoadStartupState(folders, "409").IsFirstRun);
    // Files written are read back from the user folder first.
    test::writeFile(program / "Init.EXT", std::string(100, '\0'));
    ExtensionFlagBytes flags{};
    flags[7] = 1;
    ASSERT_TRUE(WriteExtensionFlags(folders, flags).ok());
    EXPECT_EQ(test::readFile(program / "Init.EXT"), std::string(100, '\0'));
    EXPECT_EQ(ReadExtensionFlags(folders), flags);

    state.ViewMenuFlags = {1, 0, 1, 0};
    ASSERT_TRUE(CloseDown(folders, state).ok());
    EXPECT_EQ(LoadStartupState(folders, "409").ViewMenuFlags, (ViewMenuValues{1, 0, 1, 0}));
    // With nowhere to write, the writes fail with a message and nothing else breaks.
    const ProgramFolders nowhere(program.path(), {}, false);
    StartupState other = LoadStartupState(nowhere, "409");
    EXPECT_EQ(other.ViewMenuFlags, (ViewMenuValues{0, 0, 0, 0}));
    const Status closed = CloseDown(nowhere, other);
    ASSERT_FALSE(closed.ok());
    EXPECT_NE(closed.error().text.find("not writable"), std::string::npos);
}

TEST(ProgramFolders, WritableProgramFolderIsUsedDirectly) {
    test::TempDir program;
    test::TempDir config;
    fs::create_directory(config / "r605cps");
    test::writeFile(config / "r605cps/Init.EXT", std::string(100, '\x01'));
    const ProgramFolders folders(program.path(), config / "r605cps", true);
    // A stale user copy is not read while the program folder takes the writes.
    EXPECT_EQ(ReadExtensionFlags(folders), ExtensionFlagBytes{});
    ASSERT_TRUE(WriteSetupKey(folders, "comPort", "ttyUSB0").ok());
    EXPECT_EQ(ReadSetupFile(folders).comPort, "ttyUSB0");
    EXPECT_TRUE(fs::exists(program / "language/mysetup.ini"));
}

TEST(ProgramFolders, LocateProbesTheProgramFolder) {
    test::TempDir program;
    test::TempDir config;
    const UserFolderVariable variable(config.path());
    const ProgramFolders writable = ProgramFolders::locate(program.path());
    EXPECT_TRUE(writable.programFolderWritable());
    EXPECT_EQ(writable.userFolder(), config / "r605cps");
    EXPECT_TRUE(fs::is_empty(program.path())); // the probe leaves nothing behind

    EXPECT_FALSE(isFolderWritable(program / "missing"));
    EXPECT_FALSE(ProgramFolders::locate(program / "missing").programFolderWritable());

#ifndef _WIN32
    // Permission bits stop every user but a privileged one; only then can this part run. (A
    // read-only folder on Windows still takes new files.)
    if (::geteuid() != 0) {
        fs::permissions(program.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(ProgramFolders::locate(program.path()).programFolderWritable());
        fs::permissions(program.path(), fs::perms::owner_all);
    }
#endif
}

} // namespace
} // namespace r605

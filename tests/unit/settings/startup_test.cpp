// Start-up and close-down over a temporary program folder.
#include "settings/program_folders.h"
#include "settings/setup_file.h"
#include "settings/startup.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

namespace fs = std::filesystem;

class Startup : public ::testing::Test {
protected:
    Startup() : folders(dir.path(), {}, true) { fs::create_directory(dir / "language"); }

    void setup(std::string_view keys) {
        test::writeFile(dir / "language/mysetup.ini", "[language]\r\n" + std::string(keys));
    }
    void edition(std::string_view content) {
        test::writeFile(dir / "CountryData.ini", std::string(content));
    }
    std::string setupFile() const { return test::readFile(dir / "language/mysetup.ini"); }

    test::TempDir dir;
    ProgramFolders folders;
};

TEST_F(Startup, StartValuesFollowTheBandAndTheProgramFolder) {
    StartupState state = LoadStartupState(folders, "409");
    EXPECT_EQ(state.BandText, "UHF{400 - 480 MHz}");
    EXPECT_EQ(state.ModelName, "R605UHF");
    EXPECT_EQ(state.BandRanges.range[1].rxHigh, 480);
    EXPECT_FALSE(state.FactoryTestMode);
    EXPECT_EQ(state.ExtensionFlags, ExtensionFlagBytes{}); // no Init.EXT

    test::writeFile(dir / "TestData.ini", "R605CPS_FACTORY_TEST_MODE_ENABLE\r\n");
    test::writeFile(dir / "Init.EXT", std::string("\x01\x00\x01", 3));
    state = LoadStartupState(folders, "409");
    EXPECT_TRUE(state.FactoryTestMode);
    EXPECT_EQ(test::first(state.ExtensionFlags, 4), (std::vector<int>{1, 0, 1, 0}));
}

TEST_F(Startup, LanguageFromLocaleAndEdition) {
    struct Case {
        std::string_view lcid;
        std::string_view edition; // "" = no edition file
        int language;
        bool noEdition;
    };
    const Case cases[] = {
        {"804", "Soft_English", 1, false},
        {"409", "Soft_English", 1, false},
        {"404", "Soft_TChina", 3, false},
        {"804", "Soft_China", 2, true},
        {"804", "Soft_TChina", 3, false},
        {"404", "Soft_English", 3, false},
        {"804", "", 2, true},
        {"404", "", 3, true},
        {"409", "Soft_TChina", 1, false},
        {"804", "Soft_English,more", 1, false},
    };
    for (const Case& c : cases) {
        fs::remove(dir / "CountryData.ini");
        if (!c.edition.empty())
            edition(c.edition);
        const StartupState state = LoadStartupState(folders, c.lcid);
        EXPECT_EQ(state.LanguageIndex, c.language) << c.lcid << " " << c.edition;
        EXPECT_EQ(state.NoEdition, c.noEdition) << c.lcid << " " << c.edition;
    }
    edition("Soft_TChina");
    const StartupState state = LoadStartupState(folders, "804");
    EXPECT_EQ(state.LanguageFile, "Tchinese.ini");
    EXPECT_EQ(state.LanguagePath, "language/Tchinese.ini");
}

TEST_F(Startup, ToolModeNeedsAnEdition) {
    setup("IsFirstRun=0\r\nSameName=1\r\n");
    EXPECT_EQ(LoadStartupState(folders, "804").SameName, 0);
    edition("Soft_English");
    EXPECT_EQ(LoadStartupState(folders, "804").SameName, 1);
}

TEST_F(Startup, FirstRunDialogs) {
    std::vector<FirstRunDialog> shown;
    const auto show = [&](FirstRunDialog dialog) { shown.push_back(dialog); };
    // No edition: only the annex dialog; afterwards the key holds 0.
    setup("IsFirstRun=1\r\nSameName=1\r\n");
    StartupState state = LoadStartupState(folders, "409");
    ASSERT_TRUE(RunFirstRun(folders, state, show).ok());
    EXPECT_EQ(shown, std::vector<FirstRunDialog>{FirstRunDialog::Annex});
    EXPECT_FALSE(state.IsFirstRun);
    EXPECT_FALSE(ReadSetupFile(folders).IsFirstRun);
    EXPECT_NE(setupFile().find("IsFirstRun=0"), std::string::npos);
    // With an edition the tool-mode dialog comes first; tool mode starts off and the dialog may
    // switch it on.
    shown.clear();
    edition("Soft_TChina");
    setup("IsFirstRun=1\r\nSameName=1\r\n");
    state = LoadStartupState(folders, "404");
    EXPECT_EQ(FirstRunDialogs(state),
              (std::vector<FirstRunDialog>{FirstRunDialog::ToolMode, FirstRunDialog::Annex}));
    ASSERT_TRUE(RunFirstRun(folders, state, [&](FirstRunDialog dialog) {
                    if (dialog == FirstRunDialog::ToolMode) {
                        EXPECT_EQ(state.SameName, 0);
                        state.SameName = 1;
                    }
                    show(dialog);
                }).ok());
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(state.SameName, 1);
    // Not the first run: nothing shown, nothing written.
    shown.clear();
    const std::string before = setupFile();
    state = LoadStartupState(folders, "404");
    EXPECT_TRUE(FirstRunDialogs(state).empty());
    ASSERT_TRUE(RunFirstRun(folders, state, show).ok());
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(setupFile(), before);
}

TEST_F(Startup, PortCheck) {
    const std::vector<std::string> ports = {"ttyS0", "ttyUSB0"};
    // A port that is gone is replaced by the first present one and written back.
    setup("IsFirstRun=0\r\ncomPort=ttyUSB9\r\nCommHandle=0\r\n");
    StartupState state = LoadStartupState(folders, "409");
    ASSERT_TRUE(StartupPortCheck(folders, state, ports).ok());
    EXPECT_EQ(state.ComPortName, "ttyS0");
    EXPECT_EQ(ReadSetupFile(folders).comPort, "ttyS0");
    // A present port stays, also when stored as a device path.
    setup("comPort=ttyUSB0\r\n");
    state = LoadStartupState(folders, "409");
    ASSERT_TRUE(StartupPortCheck(folders, state, ports).ok());
    EXPECT_EQ(state.ComPortName, "ttyUSB0");
    setup("comPort=/dev/ttyUSB0\r\n");
    state = LoadStartupState(folders, "409");
    ASSERT_TRUE(StartupPortCheck(folders, state, ports).ok());
    EXPECT_EQ(state.ComPortName, "/dev/ttyUSB0");
    // The per-number port list of one old platform version kept the stored port unchecked.
    setup("comPort=ttyUSB9\r\n");
    state = LoadStartupState(folders, "409");
    state.VistaPortListMode = true;
    ASSERT_TRUE(StartupPortCheck(folders, state, ports).ok());
    EXPECT_EQ(state.ComPortName, "ttyUSB9");
    // No port at all: none chosen.
    state = LoadStartupState(folders, "409");
    ASSERT_TRUE(StartupPortCheck(folders, state, {}).ok());
    EXPECT_EQ(state.ComPortName, "");
    EXPECT_EQ(ReadSetupFile(folders).comPort, "");
    // A handle left by an unclean end is forgotten and 0 written; the other keys stay.
    setup("Skin=blue\r\ncomPort=ttyUSB0\r\nCommHandle=1234\r\n");
    state = LoadStartupState(folders, "409");
    EXPECT_EQ(state.PortHandle, 1234);
    ASSERT_TRUE(StartupPortCheck(folders, state, ports).ok());
    EXPECT_EQ(state.PortHandle, 0);
    EXPECT_EQ(setupFile(), "[language]\r\nSkin=blue\r\ncomPort=ttyUSB0\r\nCommHandle=0\r\n");
}

TEST_F(Startup, SettingFileAcrossARun) {
    // No Setting.ini at first start: the view entries are hidden and at exit an 8-byte file of
    // zeros is written.
    StartupState state = LoadStartupState(folders, "409");
    EXPECT_EQ(state.ViewMenuFlags, (ViewMenuValues{0, 0, 0, 0}));
    ASSERT_TRUE(CloseDown(folders, state).ok());
    EXPECT_EQ(test::readFile(dir / "Setting.ini"), std::string(8, '\0'));
    EXPECT_NE(setupFile().find("CommHandle=0"), std::string::npos);
    // What a later start reads comes back at its exit (the file's own test pins the values).
    const std::string file("\0\0\x01\0\0\0\x07\0", 8);
    test::writeFile(dir / "Setting.ini", file);
    ASSERT_TRUE(CloseDown(folders, LoadStartupState(folders, "409")).ok());
    EXPECT_EQ(test::readFile(dir / "Setting.ini"), file);
}

} // namespace
} // namespace r605

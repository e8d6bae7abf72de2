// The configuration files of the program folder, one by one.
#include "settings/edition_file.h"
#include "settings/extension_flags.h"
#include "settings/factory_marker.h"
#include "settings/program_folders.h"
#include "settings/setup_file.h"
#include "settings/view_menu_flags.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

namespace fs = std::filesystem;

ProgramFolders foldersOf(const test::TempDir& dir) {
    return ProgramFolders(dir.path(), {}, true);
}

std::string bytes(std::initializer_list<int> values) {
    std::string text;
    for (int value : values)
        text += static_cast<char>(value);
    return text;
}

TEST(SettingsFiles, ViewMenuFlagsRoundTripAndDefaults) {
    test::TempDir dir;
    const ProgramFolders folders = foldersOf(dir);
    // 0, 1, 0, 7: 5-tone and DTMF hidden, 2-tone shown, the fourth value carried.
    const std::string file = bytes({0, 0, 1, 0, 0, 0, 7, 0});
    test::writeFile(dir / "Setting.ini", file);
    const ViewMenuValues values = ReadViewMenuFlags(folders);
    EXPECT_EQ(values, (ViewMenuValues{0, 1, 0, 7}));
    ASSERT_TRUE(WriteViewMenuFlags(folders, values).ok());
    EXPECT_EQ(test::readFile(dir / "Setting.ini"), file);
    // Signed little-endian values, and bytes beyond the end of a short file read as 0.
    test::writeFile(dir / "Setting.ini", bytes({0xFF, 0xFF, 0x34, 0x12, 0x05}));
    EXPECT_EQ(ReadViewMenuFlags(folders), (ViewMenuValues{-1, 0x1234, 5, 0}));
    EXPECT_EQ(encodeViewMenuFlags({-1, 0x1234, 5, 0}), bytes({0xFF, 0xFF, 0x34, 0x12, 5, 0, 0, 0}));
    // Longer than 8 bytes: only the first 8 count.
    test::writeFile(dir / "Setting.ini", bytes({1, 0, 2, 0, 3, 0, 4, 0, 9, 9}));
    EXPECT_EQ(ReadViewMenuFlags(folders), (ViewMenuValues{1, 2, 3, 4}));
    // Empty: zeros.
    test::writeFile(dir / "Setting.ini", "");
    EXPECT_EQ(ReadViewMenuFlags(folders), (ViewMenuValues{0, 0, 0, 0}));
    // Absent: zeros, and an empty file is created.
    fs::remove(dir / "Setting.ini");
    EXPECT_EQ(ReadViewMenuFlags(folders), (ViewMenuValues{0, 0, 0, 0}));
    ASSERT_TRUE(fs::exists(dir / "Setting.ini"));
    EXPECT_EQ(fs::file_size(dir / "Setting.ini"), 0u);
    // Unreadable (a folder in its place): all four 1.
    fs::remove(dir / "Setting.ini");
    fs::create_directory(dir / "Setting.ini");
    EXPECT_EQ(ReadViewMenuFlags(folders), (ViewMenuValues{1, 1, 1, 1}));
    EXPECT_FALSE(WriteViewMenuFlags(folders, values).ok());
}

TEST(SettingsFiles, ExtensionFlags) {
    test::TempDir dir;
    const ProgramFolders folders = foldersOf(dir);
    EXPECT_EQ(ReadExtensionFlags(folders), ExtensionFlagBytes{}); // missing: all 0

    test::writeFile(dir / "Init.EXT", bytes({1, 0, 1}));
    ExtensionFlagBytes expected{};
    expected[0] = 1;
    expected[2] = 1;
    EXPECT_EQ(ReadExtensionFlags(folders), expected); // short: what is there, the rest 0

    test::writeFile(dir / "Init.EXT", std::string(150, '\x01'));
    ExtensionFlagBytes ones;
    ones.fill(1);
    EXPECT_EQ(ReadExtensionFlags(folders), ones); // long: the first 100

    ExtensionFlagBytes written{};
    written[5] = 1;
    written[99] = 1;
    ASSERT_TRUE(WriteExtensionFlags(folders, written).ok());
    EXPECT_EQ(fs::file_size(dir / "Init.EXT"), 100u);
    EXPECT_EQ(ReadExtensionFlags(folders), written);

    fs::remove(dir / "Init.EXT");
    fs::create_directory(dir / "Init.EXT");
    EXPECT_EQ(ReadExtensionFlags(folders), ExtensionFlagBytes{}); // read error: start value
}

TEST(SettingsFiles, EditionFileFirstField) {
    EXPECT_EQ(test::mapped<std::string>(firstInputField,
                                        {"Soft_English,more", "Soft_English\r\nSoft_TChina",
                                         "  \"Soft_TChina\"  ,x", "\"Soft, English\"",
                                         "Soft_English   \n", "\xEF\xBB\xBFSoft_English", ""}),
              (std::vector<std::string>{"Soft_English", "Soft_English", "Soft_TChina",
                                        "Soft, English", "Soft_English", "Soft_English", ""}));
    EXPECT_EQ(firstInputField(std::string("Soft_English\0junk", 17)), "Soft_English");

    test::TempDir dir;
    const ProgramFolders folders = foldersOf(dir);
    EXPECT_TRUE(ReadEditionFile(folders).NoEdition);
    test::writeFile(dir / "CountryData.ini", "Soft_English,more\r\n");
    Edition edition = ReadEditionFile(folders);
    EXPECT_FALSE(edition.NoEdition);
    EXPECT_EQ(edition.EditionCode, "Soft_English");
    for (std::string_view other : {"Soft_China", "soft_english", "", "Soft_TChinaX"}) {
        test::writeFile(dir / "CountryData.ini", std::string(other));
        edition = ReadEditionFile(folders);
        EXPECT_TRUE(edition.NoEdition) << other;
        EXPECT_EQ(edition.EditionCode, other);
    }
}

TEST(SettingsFiles, FactoryMarker) {
    test::TempDir dir;
    const ProgramFolders folders = foldersOf(dir);
    EXPECT_FALSE(ReadFactoryMarker(folders));
    const std::string marker(kFactoryMarker);
    const auto marked = [&](const std::string& content) {
        test::writeFile(dir / "TestData.ini", content);
        return ReadFactoryMarker(folders);
    };
    EXPECT_EQ(test::mapped(marked, {marker, marker + "\r\nanything after it", marker.substr(0, 31),
                                    " " + marker, std::string()}),
              (std::vector<bool>{true, true, false, false, false}));
}

TEST(SettingsFiles, SetupFileDefaultsAndConversions) {
    test::TempDir dir;
    const ProgramFolders folders = foldersOf(dir);
    // IsFirstRun, Handshaking, StopBit, SameName, CommHandle as the file gives them.
    const auto read = [&](std::string_view content) {
        if (!content.empty())
            test::writeFile(dir / "language/mysetup.ini", content);
        const SetupValues v = ReadSetupFile(folders);
        return std::vector<int>{v.IsFirstRun, v.Handshaking, v.StopBit, v.SameName, v.CommHandle};
    };
    // No file: a fresh installation.
    EXPECT_EQ(read(""), (std::vector<int>{1, 0, 0, 0, 0}));
    EXPECT_EQ(ReadSetupFile(folders).comPort, "");

    EXPECT_EQ(read("[language]\r\nIsFirstRun=False\r\nSkin=blue\r\ncomPort= ttyUSB1 \r\n"
                   "Handshaking=2\r\nStopBit=1\r\nSameName=1\r\nCommHandle=123456\r\n"),
              (std::vector<int>{0, 2, 1, 1, 123456}));
    EXPECT_EQ(ReadSetupFile(folders).Skin, "blue");
    EXPECT_EQ(ReadSetupFile(folders).comPort, "ttyUSB1");
    // Values that do not convert, or do not fit, give the defaults; halves go to even.
    EXPECT_EQ(read("[LANGUAGE]\nisfirstrun=maybe\nSameName=70000\nStopBit=x\nCommHandle=abc\n"),
              (std::vector<int>{1, 0, 0, 0, 0}));
    EXPECT_EQ(read("[language]\nIsFirstRun=0\nSameName=2.5\nHandshaking=-3\nCommHandle=-1\n"),
              (std::vector<int>{0, -3, 0, 2, -1}));
    EXPECT_EQ(read("[language]\nIsFirstRun=TRUE\n")[0], 1);
    // Writing one key keeps the others and their order.
    test::writeFile(dir / "language/mysetup.ini", "; set-up\r\n[language]\r\nSkin=blue\r\n"
                                                  "comPort=ttyS0\r\n");
    ASSERT_TRUE(WriteSetupKey(folders, "comPort", "ttyUSB0").ok());
    ASSERT_TRUE(WriteSetupKey(folders, "IsFirstRun", "0").ok());
    EXPECT_EQ(test::readFile(dir / "language/mysetup.ini"),
              "; set-up\r\n[language]\r\nSkin=blue\r\ncomPort=ttyUSB0\r\nIsFirstRun=0\r\n");
}

} // namespace
} // namespace r605

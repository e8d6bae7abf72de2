#include "text/codepage.h"

#include "base/file_io.h"
#include "settings/program_folders.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

TEST(Codepage, ConvertsChineseToGbkAndBack) {
    const std::string gbk = toCp936("中文");
    EXPECT_EQ(gbk, "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(fromCp936(gbk), "中文");
    EXPECT_EQ(toCp936("Ch 1"), "Ch 1");
    EXPECT_EQ(cp936Length("中文AB"), 6u);
    // Traditional characters that GBK holds survive too.
    EXPECT_EQ(fromCp936(toCp936("頻道")), "頻道");
}

TEST(Codepage, ReplacesWhatGbkCannotHoldByQuestionMarks) {
    // An emoji, broken UTF-8; a byte GBK does not use, the euro at 0x80, a lead byte cut off.
    EXPECT_EQ(test::mapped<std::string>(toCp936, {"a\xF0\x9F\x98\x80"
                                                  "b",
                                                  "a\xFF"
                                                  "b"}),
              (std::vector<std::string>{"a?b", "a?b"}));
    EXPECT_EQ(test::mapped<std::string>(fromCp936, {"a\xFF"
                                                    "b",
                                                    "\x80", "a\xD6"}),
              (std::vector<std::string>{"a?b", "€", "a?"}));
}

TEST(Codepage, MeasuresAndCutsWithoutSplittingCharacters) {
    EXPECT_TRUE(isValidUtf8("中文 ok"));
    EXPECT_FALSE(isValidUtf8("\xD6\xD0"));
    EXPECT_FALSE(isValidUtf8("\xC0\x80")); // overlong NUL
    EXPECT_EQ(utf8Length("中文AB"), 4u);
    EXPECT_EQ(utf8Prefix("中文AB", 3), "中文A");
    EXPECT_EQ(cp936FitPrefix("中文AB", 3), "中");
    EXPECT_EQ(cp936FitPrefix("中文AB", 5), "中文A");
    EXPECT_EQ(cp936FitPrefix("Channel 12345678", 8), "Channel ");
}

// The same bytes on Windows (its own conversion functions) and elsewhere (iconv), in files whose
// folders and names are Chinese and accented: scripts/windows-test runs this under Wine.
TEST(Codepage, ChineseTextsAndFileNamesGiveTheSameBytesOnEverySystem) {
    namespace fs = std::filesystem;
    // 信道1 中继台, then a radio emoji that GBK cannot hold.
    const std::string gbk = std::string("\xD0\xC5\xB5\xC0") + "1 \xD6\xD0\xBC\xCC\xCC\xA8 ?";
    EXPECT_EQ(toCp936("信道1 中继台 \xF0\x9F\x93\xBB"), gbk);
    EXPECT_EQ(fromCp936(gbk), "信道1 中继台 ?");

    test::TempDir dir;
    const fs::path folder = dir.path() / pathFromText("频道 Kanäle");
    fs::create_directory(folder);
    EXPECT_TRUE(isFolderWritable(folder));
    const fs::path file = folder / pathFromText("信道表 ü.rdt");
    ASSERT_TRUE(writeFileAtomically(file, gbk).ok());
    ASSERT_TRUE(appendToFile(file, "\xA3\xA1").ok()); // ！
    EXPECT_EQ(readFileBytes(file).value(), gbk + "\xA3\xA1");
    EXPECT_EQ(readFilePrefix(file, 4).value(), "\xD0\xC5\xB5\xC0");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(pathText(entry.path().filename()));
    EXPECT_EQ(names, std::vector<std::string>{"信道表 ü.rdt"}); // no temporary left behind
    const Result<std::string> missing = readFileBytes(folder / pathFromText("无.rdt"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text.find("频道 Kanäle"), std::string::npos); // named in UTF-8
}

} // namespace
} // namespace r605

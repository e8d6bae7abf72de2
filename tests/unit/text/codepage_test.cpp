#include "text/codepage.h"

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
    EXPECT_EQ(toCp936("a\xF0\x9F\x98\x80" "b"), "a?b"); // an emoji
    EXPECT_EQ(toCp936("a\xFF" "b"), "a?b");              // broken UTF-8
    EXPECT_EQ(fromCp936("a\xFF" "b"), "a?b");            // a byte GBK does not use
    EXPECT_EQ(fromCp936("\x80"), "€");                  // code page 936 has the euro at 0x80
    EXPECT_EQ(fromCp936("a\xD6"), "a?");                 // a lead byte cut off at the end
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

} // namespace
} // namespace r605

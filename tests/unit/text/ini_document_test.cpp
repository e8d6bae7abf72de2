#include "text/ini_document.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

TEST(IniDocument, ReadsWithProfileSemantics) {
    const auto document = IniDocument::parse("\xEF\xBB\xBF; comment\r\n"
                                             "[Language]\r\n"
                                             "  comPort =  3  \r\n"
                                             "Skin=\"blue\"\r\n"
                                             "[other]\n"
                                             "comPort=9\n");
    EXPECT_EQ(document.get("LANGUAGE", "COMPORT"), "3");
    EXPECT_EQ(document.get("language", "skin"), "blue");
    EXPECT_EQ(document.get("other", "comPort"), "9");
    EXPECT_EQ(document.get("language", "missing", "dflt"), "dflt");
    EXPECT_FALSE(document.value("nosuch", "comPort").has_value());
}

TEST(IniDocument, WritingAKeyKeepsEveryOtherLine) {
    auto document = IniDocument::parse("; keep me\n[language]\nIsFirstRun=1\ncomPort=1\n\n[x]\na=b\n");
    document.set("Language", "comport", "5");
    document.set("language", "CommHandle", "0");
    document.set("new", "k", "v");
    EXPECT_EQ(document.serialise(), "; keep me\r\n[language]\r\nIsFirstRun=1\r\ncomport=5\r\n"
                                    "CommHandle=0\r\n\r\n[x]\r\na=b\r\n[new]\r\nk=v\r\n");

    test::TempDir dir;
    const auto file = dir / "mysetup.ini";
    EXPECT_EQ(readProfileString(file, "language", "comPort", "1"), "1"); // no file yet
    ASSERT_TRUE(writeProfileString(file, "language", "comPort", "ttyUSB0").ok());
    ASSERT_TRUE(writeProfileString(file, "language", "SameName", "1").ok());
    EXPECT_EQ(readProfileString(file, "LANGUAGE", "comport"), "ttyUSB0");
    EXPECT_EQ(readProfileString(file, "language", "SameName"), "1");
}

} // namespace
} // namespace r605

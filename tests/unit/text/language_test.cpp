#include "text/language.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

TEST(Language, LooksUpTrimmedTextsByKeyAndSection) {
    const auto language = Language::fromContent("[OTHER]\n90000=  OK  \n2001=Out of band\n"
                                                "[MSG]\n9001=Save changes?\n[OPTION]\n60085=Tone\n");
    EXPECT_EQ(language.GetLangText(90000, Section::Other), "OK");
    EXPECT_EQ(language.GetLangText(9001, Section::Msg), "Save changes?");
    EXPECT_EQ(language.GetLangText(60085, Section::Option), "Tone");
    EXPECT_EQ(language.GetLangText(9001, Section::Other), ""); // wrong section
    EXPECT_EQ(language.GetLangText(12345), "");                // missing key
    EXPECT_EQ(language.describe(Error::keyed(2001, "(500 MHz)")), "Out of band (500 MHz)");
    EXPECT_EQ(language.describe(Error::literal("Band Error!")), "Band Error!");
}

TEST(Language, ChoosesTheFileByLanguageIndex) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "language");
    test::writeFile(dir / "language" / "english.ini", "[OTHER]\n1=English\n");
    test::writeFile(dir / "language" / "Tchinese.ini", "[OTHER]\n1=繁體\n");
    EXPECT_EQ(Language::load(dir.path(), 1).GetLangText(1), "English");
    EXPECT_EQ(Language::load(dir.path(), 3).GetLangText(1), "繁體");
    EXPECT_EQ(Language::load(dir.path(), 7).GetLangText(1), "English"); // unknown index -> 1
    EXPECT_EQ(Language::load(dir.path(), 2).GetLangText(1), "");        // missing file
}

} // namespace
} // namespace r605

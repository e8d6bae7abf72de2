#include "rules/five_tone.h"
#include "text/language.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

Language testLanguage() {
    return Language::fromContent("[OTHER]\n3102=User Defined\n"
                                 "[OPTION]\n60085=Tone\n60086=Period\n60087=Group\n"
                                 "60088=Repeat\n");
}

TEST(FiveTone, NamesAndIndexes) {
    const Language language = testLanguage();
    EXPECT_EQ(FiveToneStandardName(0, language), "ZVEI1");
    EXPECT_EQ(FiveToneStandardName(10, language), "EURO SIGNAL");
    EXPECT_EQ(FiveToneStandardName(14, language), "EIA");
    EXPECT_EQ(FiveToneStandardName(15, language), "User Defined");
    EXPECT_EQ(FiveToneStandardName(16, language), "");
    EXPECT_EQ(FiveToneStandardName(-1, language), "");

    for (int index = 0; index < kFiveToneStandardCount; ++index)
        EXPECT_EQ(FiveToneStandardIndex(FiveToneStandardName(index, language), language), index);
    EXPECT_EQ(FiveToneStandardIndex(" CCIR2 ", language), 7);
    EXPECT_EQ(FiveToneStandardIndex("ccir2", language), std::nullopt);
    EXPECT_EQ(FiveToneStandardIndex("", language), std::nullopt);
    // Without a language file the user-defined name is empty and an empty cell matches nothing.
    EXPECT_EQ(FiveToneStandardIndex("", Language{}), std::nullopt);

    EXPECT_EQ(FiveToneDefaultPeriod(6), 100);
    EXPECT_EQ(FiveToneDefaultPeriod(9), 40);
    EXPECT_EQ(FiveToneDefaultPeriod(14), 33);
    EXPECT_EQ(FiveToneDefaultPeriod(15), 70);
    EXPECT_EQ(FiveToneDefaultPeriod(16), std::nullopt);
}

TEST(FiveTone, TablesAsPrinted) {
    const UserToneSet none{};
    EXPECT_EQ(FiveToneToneTexts(4, none)[10], "825/885"); // DZVEI digit A
    EXPECT_EQ(FiveToneToneTexts(2, none)[11], "");        // ZVEI3 digit B is a dash
    EXPECT_EQ(FiveToneToneTexts(13, none)[0], "400.0");   // CCITT keeps its ".0"
    EXPECT_EQ(FiveToneToneTexts(13, none)[15], "0.0");
    EXPECT_EQ(FiveToneToneTexts(10, none)[14], "1062.9");
    EXPECT_EQ(FiveToneToneTexts(5, none)[15], "");
    EXPECT_EQ(FiveToneToneTexts(16, none)[0], "");

    UserToneSet user{};
    user[0] = 2885;
    user[1] = 31060;
    user[2] = 5;
    EXPECT_EQ(FiveToneToneTexts(15, user)[0], "288.5");
    EXPECT_EQ(FiveToneToneTexts(15, user)[1], "3106.0");
    EXPECT_EQ(FiveToneToneTexts(15, user)[2], ".5"); // "#.0" has no integer digit below 1
    EXPECT_EQ(FiveToneToneTexts(15, user)[3], ".0");
}

TEST(FiveTone, InformationText) {
    const Language language = testLanguage();
    const UserToneSet none{};
    const std::string zvei3 = FiveToneInformationText(2, language, none);
    EXPECT_EQ(zvei3, "Tone(Hz)\r\n0 2200\r\n1 970\r\n2 1060\r\n3 1160\r\n4 1270\r\n5 1400\r\n"
                     "6 1530\r\n7 1670\r\n8 1830\r\n9 2000\r\nA 885\r\nB \r\nC \r\nD \r\n"
                     "E 2400\r\nF \r\nPeriod(ms) 70\r\nGroup A\r\nRepeat E");
    // Standards without the E line end after the A line.
    const std::string dzvei = ShowFiveToneStandard("DZVEI", language, none);
    EXPECT_NE(dzvei.find("\r\nA 825/885\r\n"), std::string::npos);
    EXPECT_TRUE(dzvei.ends_with("\r\nGroup A"));
    EXPECT_TRUE(FiveToneInformationText(0, language, none).ends_with("Group A\r\nRepeat E"));
    EXPECT_TRUE(FiveToneInformationText(6, language, none).find("Period(ms) 100") !=
                std::string::npos);

    UserToneSet user{};
    user.fill(2885);
    const std::string custom = ShowFiveToneStandard("User Defined", language, user);
    EXPECT_NE(custom.find("\r\nF 288.5\r\n"), std::string::npos);
    EXPECT_TRUE(custom.ends_with("Repeat E"));
    EXPECT_EQ(ShowFiveToneStandard("nope", language, user), "");
    EXPECT_EQ(FiveToneInformationText(16, language, user), "");
}

TEST(FiveTone, UserToneBoxes) {
    EXPECT_EQ(NormaliseUserToneText("3200"), "3106.0");
    EXPECT_EQ(NormaliseUserToneText("abc"), "288.5");
    EXPECT_EQ(NormaliseUserToneText(""), "288.5");
    EXPECT_EQ(NormaliseUserToneText("288.4"), "288.5");
    EXPECT_EQ(NormaliseUserToneText("1000"), "1000"); // inside the limits: as typed
    EXPECT_EQ(NormaliseUserToneText("288.5"), "288.5");
    EXPECT_EQ(NormaliseUserToneText("3106"), "3106");
    EXPECT_EQ(NormaliseUserToneText("1000,5"), "288.5"); // no decimal comma

    EXPECT_EQ(StoreUserTone("3200"), 31060);
    EXPECT_EQ(StoreUserTone("abc"), 2885);
    EXPECT_EQ(StoreUserTone("1000.25"), 10002); // 10002.5 -> even
    EXPECT_EQ(StoreUserTone("1000.75"), 10008); // 10007.5 -> even
    EXPECT_EQ(StoreUserTone("1000"), 10000);
}

} // namespace
} // namespace r605

#include "rules/five_tone.h"
#include "test_support.h"
#include "text/language.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using test::setFront;

Language testLanguage() {
    return Language::fromContent("[OTHER]\n3102=User Defined\n"
                                 "[OPTION]\n60085=Tone\n60086=Period\n60087=Group\n"
                                 "60088=Repeat\n");
}

TEST(FiveTone, NamesAndIndexes) {
    const Language language = testLanguage();
    EXPECT_EQ(test::mapped([&](int i) { return FiveToneStandardName(i, language); },
                           {0, 10, 14, 15, 16, -1}),
              (std::vector<std::string>{"ZVEI1", "EURO SIGNAL", "EIA", "User Defined", "", ""}));

    for (int index = 0; index < kFiveToneStandardCount; ++index)
        EXPECT_EQ(FiveToneStandardIndex(FiveToneStandardName(index, language), language), index);
    EXPECT_EQ(FiveToneStandardIndex(" CCIR2 ", language), 7);
    EXPECT_EQ(FiveToneStandardIndex("ccir2", language), std::nullopt);
    EXPECT_EQ(FiveToneStandardIndex("", language), std::nullopt);
    // Without a language file the user-defined name is empty and an empty cell matches nothing.
    EXPECT_EQ(FiveToneStandardIndex("", Language{}), std::nullopt);

    EXPECT_EQ(test::mapped(FiveToneDefaultPeriod, {6, 9, 14, 15, 16}),
              (std::vector<std::optional<int>>{100, 40, 33, 70, std::nullopt}));
}

TEST(FiveTone, TablesAsPrinted) {
    // {standard, digit}: DZVEI digit A, ZVEI3 digit B (a dash), CCITT (keeps its ".0").
    const UserToneSet none{};
    EXPECT_EQ(
        test::mapped([&](auto c) { return FiveToneToneTexts(c.first, none)[c.second]; },
                     {std::pair{4, 10}, {2, 11}, {13, 0}, {13, 15}, {10, 14}, {5, 15}, {16, 0}}),
        (std::vector<std::string>{"825/885", "", "400.0", "0.0", "1062.9", "", ""}));
    // The user's tones; "#.0" has no integer digit below 1.
    UserToneSet user{};
    setFront(user, {2885, 31060, 5});
    EXPECT_EQ(test::first<std::string>(FiveToneToneTexts(15, user), 4),
              (std::vector<std::string>{"288.5", "3106.0", ".5", ".0"}));
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
    // Inside the limits a text stays as typed; no decimal comma.
    EXPECT_EQ(test::mapped<std::string>(NormaliseUserToneText, {"3200", "abc", "", "288.4", "1000",
                                                                "288.5", "3106", "1000,5"}),
              (std::vector<std::string>{"3106.0", "288.5", "288.5", "288.5", "1000", "288.5",
                                        "3106", "288.5"}));
    // Tenths of a hertz, halves to even.
    EXPECT_EQ(test::mapped<int>(StoreUserTone, {"3200", "abc", "1000.25", "1000.75", "1000"}),
              (std::vector<int>{31060, 2885, 10002, 10008, 10000}));
}

} // namespace
} // namespace r605

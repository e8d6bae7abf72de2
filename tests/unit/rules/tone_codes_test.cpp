#include "rules/ctcss.h"
#include "rules/dcs.h"
#include "rules/tone_text.h"
#include "test_support.h"
#include "text/language.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

TEST(ToneCodes, CtcssListPositions) {
    EXPECT_EQ(test::mapped<std::string>(CtcssText, {0, 1, 13, 50, 51, 52, -1}),
              (std::vector<std::string>{"62.5", "67.0", "100.0", "254.1", "Define", "", ""}));
    EXPECT_EQ(ctcssEntries().size(), 52u);
    EXPECT_EQ(CtcssPosition("67"), std::nullopt); // exact entry text only
    // Every entry reads back to its own position, and the list ascends (no typo swapped two).
    for (int position = 0; position < kCtcssCount; ++position)
        EXPECT_EQ(CtcssPosition(CtcssText(position)), position);
    for (int position = 1; position < kCtcssDefinePosition; ++position)
        EXPECT_LT(std::stod(std::string(CtcssText(position - 1))),
                  std::stod(std::string(CtcssText(position))));
}

TEST(ToneCodes, UserCtcssIsClampedAndStoredInTenths) {
    // The text shown and the value stored (what the field shows, never a hidden hundredth); a
    // decimal comma is not a number here, whatever the user's locale says.
    const auto normalised = [](const char* typed) {
        const UserCtcss tone = NormaliseUserCtcss(typed);
        return tone.text + "=" + std::to_string(tone.value);
    };
    EXPECT_EQ(test::mapped(normalised,
                           {"300", "abc", "49.99", "100,5", "", "-5", " 123.46 ", "260", "50"}),
              (std::vector<std::string>{"260.0=2600", "251.1=2511", "50.0=500", "251.1=2511",
                                        "251.1=2511", "50.0=500", "123.5=1235", "260.0=2600",
                                        "50.0=500"}));
}

TEST(ToneCodes, DcsTextsAndOctalDigits) {
    EXPECT_EQ(
        test::mapped(DcsText, {19, 531, 511, 0, 512, 1023, 1024, -1}),
        (std::vector<std::string>{"D023N", "D023I", "D777N", "D000N", "D000I", "D777I", "", ""}));
    // {value, digits}: cut to the last digits.
    EXPECT_EQ(test::mapped([](auto c) { return OctalDigits(c.first, c.second); },
                           {std::pair{8, 3}, {8, 1}, {01234, 3}, {0, 2}, {7, 0}}),
              (std::vector<std::string>{"010", "0", "234", "00", ""}));
    // The inverse, for every number of the list.
    for (int number = 0; number < kDcsCount; ++number)
        ASSERT_EQ(DcsPosition(DcsText(number)), number) << number;
    EXPECT_EQ(DcsPosition(" d023i "), 531);
    for (const char* bad : {"D028N", "D023X", "D23N", "023N"}) // 8 is no octal digit
        EXPECT_EQ(DcsPosition(bad), std::nullopt) << bad;

    const auto combo = ComboDcsEntries();
    ASSERT_EQ(combo.size(), 512u);
    EXPECT_EQ(combo[0], "000N");
    EXPECT_EQ(combo[19], "023N");
    EXPECT_EQ(combo[511], "777N");
}

TEST(ToneCodes, ToneTextAsTheGridShowsIt) {
    const Language english = Language::fromContent("[OTHER]\n10050=Off\n");
    EXPECT_EQ(ToneText({kToneTypeNone, 5, 19}, 2511, english), "Off");
    EXPECT_EQ(ToneText({kToneTypeNone, 0, 0}, 2511, "None"), "None");
    EXPECT_EQ(ToneText({kToneTypeCtcss, 1, 0}, 2511, english), "67.0");
    EXPECT_EQ(ToneText({kToneTypeCtcss, 51, 0}, 2511, english), "251.1");
    EXPECT_EQ(ToneText({kToneTypeCtcss, 51, 0}, 1000, english), "100.0");
    EXPECT_EQ(ToneText({kToneTypeCtcss, 60, 0}, 2511, english), "");
    EXPECT_EQ(ToneText({kToneTypeDcs, 0, 531}, 0, english), "D023I");
    // A damaged record's value beyond the list still shows its low 9 bits, inverted.
    EXPECT_EQ(ToneText({kToneTypeDcs, 0, 1024 + 19}, 0, english), "D023I");
    EXPECT_EQ(ToneText({3, 0, 0}, 0, english), "");
}

TEST(ToneCodes, ToneTextReadsBack) {
    const Language english = Language::fromContent("[OTHER]\n10050=Off\n");
    const auto parse = [&](std::string_view text) { return ParseToneText(text, english); };
    // Every text the grid shows for a valid choice reads back to that choice.
    for (int position = 0; position < kCtcssDefinePosition; ++position) {
        const auto parsed = parse(ToneText({kToneTypeCtcss, position, 0}, 0, english));
        ASSERT_TRUE(parsed.ok()) << position;
        EXPECT_EQ(parsed->tone, (ToneChoice{kToneTypeCtcss, position, 0}));
        EXPECT_FALSE(parsed->customCtcss.has_value());
    }
    for (int number : {0, 19, 511, 512, 531, 1023}) {
        const auto parsed = parse(ToneText({kToneTypeDcs, 0, number}, 0, english));
        ASSERT_TRUE(parsed.ok()) << number;
        EXPECT_EQ(parsed->tone, (ToneChoice{kToneTypeDcs, 0, number}));
    }
    ASSERT_TRUE(parse("Off").ok());
    EXPECT_EQ(parse("Off")->tone, ToneChoice{});
    EXPECT_EQ(parse("")->tone, ToneChoice{});
    // The user-defined tone: its own frequency, inside the limits.
    const auto custom = parse(ToneText({kToneTypeCtcss, 51, 0}, 2511, english));
    ASSERT_TRUE(custom.ok());
    EXPECT_EQ(custom->tone, (ToneChoice{kToneTypeCtcss, 51, 0}));
    EXPECT_EQ(custom->customCtcss, 2511);
    EXPECT_EQ(parse("50")->customCtcss, 500);
    EXPECT_EQ(parse("260.0")->customCtcss, 2600);
    EXPECT_EQ(parse("Define")->tone.ctcss, 51);
    EXPECT_FALSE(parse("Define")->customCtcss.has_value());
    // A spreadsheet that dropped ".0" still gives the list entry.
    EXPECT_EQ(parse("100")->tone, (ToneChoice{kToneTypeCtcss, 13, 0}));
    EXPECT_EQ(parse(" 67 ")->tone, (ToneChoice{kToneTypeCtcss, 1, 0}));

    for (std::string_view bad : {"49.9", "260.1", "abc", "D8", "100,0", "-67", "1e300", "nan"})
        EXPECT_FALSE(parse(bad).ok()) << bad;
    EXPECT_EQ(parse("xyz").error().text, "Invalid tone \"xyz\"");
}

} // namespace
} // namespace r605

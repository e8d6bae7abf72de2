#include "rules/ctcss.h"
#include "rules/dcs.h"
#include "rules/tone_text.h"
#include "text/language.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

TEST(ToneCodes, CtcssListPositions) {
    EXPECT_EQ(CtcssText(0), "62.5");
    EXPECT_EQ(CtcssText(1), "67.0");
    EXPECT_EQ(CtcssText(13), "100.0");
    EXPECT_EQ(CtcssText(50), "254.1");
    EXPECT_EQ(CtcssText(51), "Define");
    EXPECT_EQ(CtcssText(52), "");
    EXPECT_EQ(CtcssText(-1), "");
    EXPECT_EQ(ctcssEntries().size(), 52u);

    EXPECT_EQ(CtcssPosition("62.5"), 0);
    EXPECT_EQ(CtcssPosition("254.1"), 50);
    EXPECT_EQ(CtcssPosition("Define"), 51);
    EXPECT_EQ(CtcssPosition("67"), std::nullopt); // exact entry text only
    // Every entry reads back to its own position, and the list ascends (no typo swapped two).
    for (int position = 0; position < kCtcssCount; ++position)
        EXPECT_EQ(CtcssPosition(CtcssText(position)), position);
    for (int position = 1; position < kCtcssDefinePosition; ++position)
        EXPECT_LT(std::stod(std::string(CtcssText(position - 1))),
                  std::stod(std::string(CtcssText(position))));
}

TEST(ToneCodes, UserCtcssIsClampedAndStoredInTenths) {
    const UserCtcss high = NormaliseUserCtcss("300");
    EXPECT_EQ(high.text, "260.0");
    EXPECT_EQ(high.value, 2600);
    const UserCtcss garbage = NormaliseUserCtcss("abc");
    EXPECT_EQ(garbage.text, "251.1");
    EXPECT_EQ(garbage.value, 2511);
    const UserCtcss low = NormaliseUserCtcss("49.99");
    EXPECT_EQ(low.text, "50.0");
    EXPECT_EQ(low.value, 500);
    // A decimal comma is not a number here, whatever the user's locale says.
    EXPECT_EQ(NormaliseUserCtcss("100,5").text, "251.1");
    EXPECT_EQ(NormaliseUserCtcss("").value, 2511);
    EXPECT_EQ(NormaliseUserCtcss("-5").text, "50.0");
    // The stored value is what the field shows, never a hidden hundredth.
    const UserCtcss odd = NormaliseUserCtcss(" 123.46 ");
    EXPECT_EQ(odd.text, "123.5");
    EXPECT_EQ(odd.value, 1235);
    EXPECT_EQ(NormaliseUserCtcss("260").value, 2600);
    EXPECT_EQ(NormaliseUserCtcss("50").value, 500);
}

TEST(ToneCodes, DcsTextsAndOctalDigits) {
    EXPECT_EQ(DcsText(19), "D023N");
    EXPECT_EQ(DcsText(531), "D023I");
    EXPECT_EQ(DcsText(511), "D777N");
    EXPECT_EQ(DcsText(0), "D000N");
    EXPECT_EQ(DcsText(512), "D000I");
    EXPECT_EQ(DcsText(1023), "D777I");
    EXPECT_EQ(DcsText(1024), "");
    EXPECT_EQ(DcsText(-1), "");

    EXPECT_EQ(OctalDigits(8, 3), "010");
    EXPECT_EQ(OctalDigits(8, 1), "0"); // cut to the last digits
    EXPECT_EQ(OctalDigits(01234, 3), "234");
    EXPECT_EQ(OctalDigits(0, 2), "00");
    EXPECT_EQ(OctalDigits(7, 0), "");

    // The inverse, for every number of the list.
    for (int number = 0; number < kDcsCount; ++number)
        ASSERT_EQ(DcsPosition(DcsText(number)), number) << number;
    EXPECT_EQ(DcsPosition(" d023i "), 531);
    EXPECT_EQ(DcsPosition("D028N"), std::nullopt); // 8 is no octal digit
    EXPECT_EQ(DcsPosition("D023X"), std::nullopt);
    EXPECT_EQ(DcsPosition("D23N"), std::nullopt);
    EXPECT_EQ(DcsPosition("023N"), std::nullopt);

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
    EXPECT_EQ(ToneText({kToneTypeDcs, 0, 19}, 0, english), "D023N");
    EXPECT_EQ(ToneText({kToneTypeDcs, 0, 531}, 0, english), "D023I");
    EXPECT_EQ(ToneText({kToneTypeDcs, 0, 511}, 0, english), "D777N");
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

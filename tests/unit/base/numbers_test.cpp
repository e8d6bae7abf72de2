#include "base/numbers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace r605 {
namespace {

TEST(Numbers, RoundsHalvesToEven) {
    EXPECT_EQ(test::mapped(roundHalfEven, {2.5, 3.5, -2.5, 2.5000001}),
              (std::vector<double>{2.0, 4.0, -2.0, 3.0}));
    EXPECT_EQ(roundHalfEvenToInt(37.5), 38);
    EXPECT_EQ(roundHalfEvenToInt(12.5), 12);
    // Numbers from files beyond 64 bits saturate, so that range checks refuse them.
    EXPECT_EQ(roundHalfEvenToInt(1e301), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(roundHalfEvenToInt(-1e301), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(roundHalfEvenToInt(std::nan("")), std::numeric_limits<std::int64_t>::min());
}

TEST(Numbers, ParsesOnlyPlainDecimalNumbers) {
    EXPECT_EQ(test::mapped<std::optional<double>>(
                  parseNumber, {" 438.5 ", ".5", "12.", "+7", "-1e3", "246.9875"}),
              (std::vector<std::optional<double>>{438.5, 0.5, 12.0, 7.0, -1000.0, 246.9875}));
    for (const char* bad : {"", " ", "abc", "1,5", "1.2.3", "inf", "nan", "0x10", "1e", ".", "-"})
        EXPECT_FALSE(parseNumber(bad).has_value()) << bad;
    EXPECT_EQ(parseInteger(" 42 "), 42);
    EXPECT_FALSE(parseInteger("4.2").has_value());
    EXPECT_FALSE(parseInteger("99999999999999999999").has_value());
}

TEST(Numbers, FormatsWithAPointWhateverTheLocale) {
    // A user whose locale writes a decimal comma still gets points.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {
        EXPECT_EQ(formatFixed(438.5, 5), "438.50000");
        EXPECT_EQ(parseNumber("438.5"), 438.5);
        EXPECT_FALSE(parseNumber("438,5").has_value());
        std::setlocale(LC_ALL, saved.c_str());
    }

    EXPECT_EQ(formatFixed(251.1, 1), "251.1");
    EXPECT_EQ(formatFixed(0.4, 5), "0.40000");
    EXPECT_EQ(formatFixed(-0.000001, 5), "0.00000");
    EXPECT_EQ(formatFixed(-1.5, 1), "-1.5");
    // Any double fits, the largest with its 309 integer digits.
    EXPECT_EQ(formatFixed(1e92, 1), "1000000000000000043377296974619186073290293324951939311791773"
                                    "78933611681288968111094132375552.0");
    EXPECT_EQ(formatFixed(-1.7976931348623157e308, 0).size(), 310u);
}

} // namespace
} // namespace r605

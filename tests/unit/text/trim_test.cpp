#include "text/trim.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

TEST(TrimAtNull, RemovesTrailingBlanksThenCutsAtTheFirstNul) {
    using namespace std::string_literals;
    EXPECT_EQ(TrimAtNull("Channel 1       "), "Channel 1");
    EXPECT_EQ(TrimAtNull("AB\0CD  "s), "AB");
    // Blanks before a NUL are not trailing blanks of the text: they stay.
    EXPECT_EQ(TrimAtNull("AB \0"s), "AB ");
    EXPECT_EQ(TrimAtNull("\0\0\0"s), "");
    EXPECT_EQ(TrimAtNull("  lead"), "  lead");
    EXPECT_EQ(TrimAtNull(""), "");
}

} // namespace
} // namespace r605

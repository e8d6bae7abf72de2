#include "lists/cell_splitter.h"
#include "lists/csv_writer.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using Cells = std::vector<std::string>;

Cells split(std::string_view line) {
    auto cells = SplitCells(line);
    EXPECT_TRUE(cells.ok()) << line;
    return cells.ok() ? *cells : Cells{};
}

TEST(CellSplitter, ReadsQuotedCommasAndDoubledQuotes) {
    EXPECT_EQ(split(R"("Ch 1","438.50000","A, B")"), (Cells{"Ch 1", "438.50000", "A, B"}));
    EXPECT_EQ(split(R"("say ""hi""",x)"), (Cells{"say \"hi\"", "x"}));
    EXPECT_EQ(split(R"("""")"), (Cells{"\""}));
    EXPECT_EQ(split(R"("a"",b",c)"), (Cells{"a\",b", "c"}));
    // Unquoted cells, empty cells, a trailing comma that opens one more empty cell.
    EXPECT_EQ(split("a,,b,"), (Cells{"a", "", "b", ""}));
    EXPECT_EQ(split(""), (Cells{""}));
    EXPECT_EQ(split(R"("",x)"), (Cells{"", "x"}));
    // Blanks belong to the cell; the conversions decide what they mean.
    EXPECT_EQ(split(" a , b"), (Cells{" a ", " b"}));
    // A lone quote in an unquoted cell is dropped and makes the following comma part of the
    // cell: the counting rule applies to every quote, wherever it stands.
    EXPECT_EQ(split(R"(ab"c,d)"), (Cells{"abc,d"}));
}

TEST(CellSplitter, HoldsAtMostOneHundredCells) {
    std::string line = "c0";
    for (int i = 1; i < 100; ++i)
        line += ",c" + std::to_string(i);
    const Cells cells = split(line);
    ASSERT_EQ(cells.size(), 100u);
    EXPECT_EQ(cells.back(), "c99");

    EXPECT_FALSE(SplitCells(line + ",c100").ok());
    const std::string tooLong(100, ','); // 101 empty cells
    EXPECT_EQ(split(tooLong.substr(1)).size(), 100u);
    const auto refused = SplitCells(tooLong);
    ASSERT_FALSE(refused.ok());
    EXPECT_FALSE(refused.error().key.has_value());
    EXPECT_EQ(refused.error().text, "Data Error," + tooLong);
    // Commas inside quotes do not end cells, so they do not count towards the limit.
    EXPECT_EQ(split("\"" + std::string(150, ',') + "\"").size(), 1u);
    // A huge damaged line is echoed only in part.
    const std::string huge(5000, ',');
    const auto hugeRefused = SplitCells(huge);
    ASSERT_FALSE(hugeRefused.ok());
    EXPECT_LT(hugeRefused.error().text.size(), 300u);
    EXPECT_TRUE(hugeRefused.error().text.starts_with("Data Error,,,,"));
}

TEST(CellSplitter, ReusesTheCellVectorWithoutLeftovers) {
    std::vector<std::string> cells;
    ASSERT_TRUE(SplitCells("a,b,c,d", cells).ok());
    ASSERT_TRUE(SplitCells("\"x\"", cells).ok());
    EXPECT_EQ(cells, (Cells{"x"}));
}

TEST(CellSplitter, ReadsBackWhatTheWriterQuoted) {
    const Cells written = {"plain", "comma, inside", "quote \" inside", "\"\"", "", "中文, \"名\"",
                           ",,,",   "end\""};
    CsvWriter writer;
    writer.writeRow(written);
    std::string line = writer.text().substr(3); // without the byte-order mark
    ASSERT_TRUE(line.ends_with("\r\n"));
    line.resize(line.size() - 2);
    EXPECT_EQ(split(line), written);
    EXPECT_EQ(QuoteCell("a\"b"), "\"a\"\"b\"");
    // A line end inside a cell would split the row: it is written as a blank.
    EXPECT_EQ(QuoteCell("two\r\nlines"), "\"two  lines\"");
}

} // namespace
} // namespace r605

#include "lists/cell_splitter.h"
#include "lists/column_codes.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using Texts = std::vector<std::string>;
using Codes = std::vector<int>;

TEST(ColumnCodes, FindsColumnsInAnyOrderAndIgnoresUnknownOnes) {
    const Texts headings = {"No.", "Name", "Receive Frequency", "Transmit Frequency"};
    EXPECT_EQ(
        HeaderToColumnCodes(Texts{"Transmit Frequency", "Comment", "No.", "Name"}, headings, false),
        (Codes{3, -1, 0, 1}));
    // Blanks a spreadsheet or a hand edit added at either end do not hide a column.
    EXPECT_EQ(HeaderToColumnCodes(Texts{" Name", "Receive Frequency  "}, headings, false),
              (Codes{1, 2}));
    // Headings are compared exactly otherwise: another language, another case, nothing.
    EXPECT_EQ(HeaderToColumnCodes(Texts{"名称", "name", ""}, headings, false), (Codes{-1, -1, -1}));
}

TEST(ColumnCodes, KeepsRepeatedHeadingsApartByTrailingBlanks) {
    const Texts headings = {"No.", "Name", "Member", "Member", "Member", ""};
    const Texts written = DistinctHeadings(headings);
    EXPECT_EQ(written, (Texts{"No.", "Name", "Member", "Member ", "Member  ", ""}));
    EXPECT_EQ(HeaderToColumnCodes(Texts{"Member  ", "Member", "Member ", "Name"}, headings, false),
              (Codes{4, 2, 3, 1}));
    // A spreadsheet that trimmed the blanks: the repetitions are taken in order, and a cell
    // that names a column exactly keeps it.
    EXPECT_EQ(HeaderToColumnCodes(Texts{"Member", "Member", "Member"}, headings, false),
              (Codes{2, 3, 4}));
    EXPECT_EQ(HeaderToColumnCodes(Texts{"Member", "Member ", "Member"}, headings, false),
              (Codes{2, 3, 4}));
    // An empty heading (a text missing from the language file) never matches an empty cell.
    EXPECT_EQ(HeaderToColumnCodes(Texts{"", " "}, headings, false), (Codes{-1, -1}));
}

TEST(ColumnCodes, RecognisesTheLiteralEnglishContactHeadingsInEveryLanguage) {
    const Texts chinese = {"序号",     "号码", "名称",  "姓名", "城市",
                           "通话类型", "呼号", "省/州", "国家", "备注"};
    const Texts header = {"Radio ID", "Callsign", "Name",    "City",
                          "State",    "Country",  "Remarks", "Photo"};
    EXPECT_EQ(HeaderToColumnCodes(header, chinese, true), (Codes{1, 2, 3, 4, 5, 6, 7, -1}));
    // Only contact lists know them.
    EXPECT_EQ(HeaderToColumnCodes(header, chinese, false), Codes(8, -1));
    // Interface headings and literal ones may be mixed.
    EXPECT_EQ(HeaderToColumnCodes(Texts{"序号", "Radio ID", "备注"}, chinese, true),
              (Codes{0, 1, 9}));
}

TEST(ColumnCodes, ANumberColumnAloneIsNoHeader) {
    EXPECT_FALSE(IsRecognisedHeader(Codes{0, -1, -1}));
    EXPECT_FALSE(IsRecognisedHeader(Codes{}));
    EXPECT_TRUE(IsRecognisedHeader(Codes{-1, 0, 5}));
    // An exported channel file read under another interface language is not recognised.
    const Texts english = {"No.", "Name", "Receive Frequency"};
    auto header = SplitCells(R"("序号","名称","接收频率")");
    ASSERT_TRUE(header.ok());
    EXPECT_FALSE(IsRecognisedHeader(HeaderToColumnCodes(*header, english, false)));
}

} // namespace
} // namespace r605

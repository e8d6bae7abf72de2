#include "lists/csv_writer.h"
#include "lists/list_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

std::vector<std::string> linesOf(const ListText& text) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < text.size(); ++i)
        lines.emplace_back(text.line(i));
    return lines;
}

TEST(ListText, SplitsLinesAtEveryLineEndAndSkipsEmptyOnes) {
    const ListText text = ListText::fromBytes("h1,h2\r\na,b\r\n\r\nc,d\ne,f\rg,h\n\n");
    EXPECT_EQ(linesOf(text), (std::vector<std::string>{"h1,h2", "a,b", "c,d", "e,f", "g,h"}));
    ASSERT_EQ(text.size(), 5u);
    // Line numbers count the skipped empty line, so messages point at the right place.
    EXPECT_EQ(text.number(0), 1u);
    EXPECT_EQ(text.number(2), 4u);
    EXPECT_EQ(text.where(4), "line 6");
    EXPECT_TRUE(ListText::fromBytes("").empty());
    EXPECT_TRUE(ListText::fromBytes("\r\n\n\r").empty());
    EXPECT_EQ(linesOf(ListText::fromBytes("last line without end")),
              (std::vector<std::string>{"last line without end"}));
}

TEST(ListText, TakesUtf8AsItIsAndReadsAnythingElseAsCodePage936) {
    // With and without a byte-order mark; the mark never sticks to the first heading.
    EXPECT_EQ(DecodeListBytes("\xEF\xBB\xBF\"名称\",x"), "\"名称\",x");
    EXPECT_EQ(DecodeListBytes("\"名称\",x"), "\"名称\",x");
    // A spreadsheet on a Chinese Windows saves GBK: 名称 is C3 FB B3 C6.
    EXPECT_EQ(DecodeListBytes("\xC3\xFB\xB3\xC6,\xD6\xD0\xCE\xC4"), "名称,中文");
    // One stray byte makes the whole file code page 936, not just the broken spot.
    EXPECT_EQ(DecodeListBytes("\xD6\xD0\xCE\xC4 ok"), "中文 ok");
    const ListText gbk = ListText::fromBytes("\xD6\xD0\xCE\xC4\r\n\xC3\xFB\xB3\xC6\r\n");
    EXPECT_EQ(linesOf(gbk), (std::vector<std::string>{"中文", "名称"}));
    EXPECT_EQ(linesOf(ListText::fromBytes("\xEF\xBB\xBF\r\nx")), (std::vector<std::string>{"x"}));
}

TEST(ListText, SplitsDownloadedContactFilesAtBreakTags) {
    const ListText text = ListText::fromCgiBytes(
        "Radio ID,Callsign,Name<br/>1001,AB1CD,Ann<br/>1002,EF2GH,Bob<BR>1003,X,Y<br />"
        "<br/>1004,Z,W\r\n1005,V,U<br/>");
    EXPECT_EQ(linesOf(text),
              (std::vector<std::string>{"Radio ID,Callsign,Name", "1001,AB1CD,Ann",
                                        "1002,EF2GH,Bob", "1003,X,Y", "1004,Z,W", "1005,V,U"}));
    EXPECT_EQ(text.unit(), ListText::Unit::Record);
    EXPECT_EQ(text.where(2), "record 3");
    // "<b>" and a "<" in a name are not record ends.
    EXPECT_EQ(linesOf(ListText::fromCgiBytes("a<b>c,<br,<br/x<br/>d")),
              (std::vector<std::string>{"a<b>c,<br,<br/x", "d"}));
    EXPECT_TRUE(ListText::fromCgiBytes("<br/><br/>  <br/>").empty());
}

TEST(ListText, LoadsFilesAndRefusesMissingOnes) {
    test::TempDir dir;
    test::writeFile(dir / "a.csv", "\xEF\xBB\xBF\"h\"\r\n\"v\"\r\n");
    const auto loaded = ListText::load(dir / "a.csv");
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(linesOf(*loaded), (std::vector<std::string>{"\"h\"", "\"v\""}));
    EXPECT_FALSE(ListText::load(dir / "missing.csv").ok());
    EXPECT_FALSE(ListText::loadCgi(dir / "missing.cgi").ok());

    CsvWriter writer;
    writer.writeRow(std::vector<std::string>{"名称", "a,b"});
    ASSERT_TRUE(writer.save(dir / "out.csv").ok());
    EXPECT_EQ(test::readFile(dir / "out.csv"), "\xEF\xBB\xBF\"名称\",\"a,b\"\r\n");
    // A save into a folder that does not exist fails and leaves nothing behind.
    EXPECT_FALSE(writer.save(dir / "no" / "out.csv").ok());
}

} // namespace
} // namespace r605

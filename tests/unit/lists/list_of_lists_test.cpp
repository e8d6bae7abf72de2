#include "lists/list_of_lists.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using Entries = std::vector<ListFileEntry>;

Result<Entries> read(std::string_view bytes) {
    return ReadListOfLists(ListText::fromBytes(bytes));
}

TEST(ListOfLists, ReadsItsEntriesAndWritesThemBack) {
    const auto entries = read("2\r\n0,\"C:\\lists\\Channel.CSV\"\r\n5,\"/tmp/联系人, 1.CSV\"\r\n");
    ASSERT_TRUE(entries.ok()) << entries.error().text;
    EXPECT_EQ(*entries, (Entries{{0, "C:\\lists\\Channel.CSV"}, {5, "/tmp/联系人, 1.CSV"}}));

    const std::string text = WriteListOfLists(*entries);
    EXPECT_EQ(text, "\xEF\xBB\xBF"
                    "2\r\n0,\"C:\\lists\\Channel.CSV\"\r\n"
                    "5,\"/tmp/联系人, 1.CSV\"\r\n");
    const auto again = read(text);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(*again, *entries);
    // Lines after the N entries are not read.
    const auto firstOnly = read("1\n3,\"a.csv\"\nrubbish\n");
    ASSERT_TRUE(firstOnly.ok());
    EXPECT_EQ(*firstOnly, (Entries{{3, "a.csv"}}));
}

TEST(ListOfLists, ZeroEntriesImportNothingAndDamageIsRefused) {
    const auto none = read("0\r\n0,\"Channel.CSV\"\r\n");
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none->empty());
    const auto negative = read("-3\r\n");
    ASSERT_TRUE(negative.ok());
    EXPECT_TRUE(negative->empty());

    EXPECT_FALSE(read("").ok());
    EXPECT_FALSE(read("two\r\n0,\"a.csv\"\r\n").ok());
    EXPECT_FALSE(read("2\r\n0,\"a.csv\"\r\n").ok()); // ends before its second entry
    EXPECT_FALSE(read("1\r\n16,\"a.csv\"\r\n").ok());
    EXPECT_FALSE(read("1\r\nx,\"a.csv\"\r\n").ok());
    EXPECT_FALSE(read("1\r\n2\r\n").ok());        // no path
    EXPECT_FALSE(read("1\r\n2,\"  \"\r\n").ok()); // blank path
    const auto damaged = read("1\r\n\n\n4\r\n");
    ASSERT_FALSE(damaged.ok());
    EXPECT_EQ(damaged.error().text, "line 4: the entry names no file");
    // A count far beyond the lines the file holds is refused without reserving room for it.
    EXPECT_FALSE(read("999999999999\r\n0,\"a.csv\"\r\n").ok());
}

TEST(ListOfLists, FindsEntryFilesBesideTheListFileWhenTheirFolderIsMissing) {
    test::TempDir dir;
    const auto listFile = dir / "all.LST";
    test::writeFile(dir / "Zone.CSV", "x");
    std::filesystem::create_directory(dir / "sub");
    test::writeFile(dir / "sub" / "Scan.CSV", "x");

    EXPECT_EQ(ResolveListEntryPath(listFile, (dir / "Zone.CSV").string()), dir / "Zone.CSV");
    EXPECT_EQ(ResolveListEntryPath(listFile, "sub/Scan.CSV"), dir / "sub" / "Scan.CSV");
    EXPECT_EQ(ResolveListEntryPath(listFile, "D:\\radio\\lists\\Zone.CSV"), dir / "Zone.CSV");
    EXPECT_EQ(ResolveListEntryPath(listFile, "/elsewhere/Zone.CSV"), dir / "Zone.CSV");
    // Nothing to be found: the path as written, so the error names it (on Windows on the list
    // file's drive).
    EXPECT_EQ(ResolveListEntryPath(listFile, "/elsewhere/Missing.CSV"),
              dir.path() / "/elsewhere/Missing.CSV");
}

} // namespace
} // namespace r605

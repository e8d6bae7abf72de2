// What an export writes: the header row in the interface language and mode, the cells of the
// records in use, and the refusals.
#include "list_test_data.h"
#include "lists/list_export.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

std::string firstLine(const std::string& text) {
    return text.substr(3, text.find("\r\n") - 3); // after the byte-order mark
}

TEST(ListExport, WritesTheHeadingsOfTheLanguageAndMode) {
    const Codeplug codeplug = test::sampleCodeplug();
    ListContext context = test::listContext(1);
    const std::string channels = *ExportListText(codeplug, ListType::Channels, context);
    EXPECT_TRUE(firstLine(channels).starts_with(
        "\"No.\",\"Channel Name\",\"RX Freq (MHz)\",\"TX Freq\",\"Channel Type\",\"Power\","
        "\"Bandwidth\",\"RX CTCSS/DCS\",\"TX CTCSS/DCS\",\"TX Contact\",\"Radio ID\",\"Busy "
        "Lock\","));
    EXPECT_TRUE(firstLine(channels).ends_with(",\"User CTCSS (Hz)\",\"Auto Roaming\""));
    // Records not in use give no line: five channels, five lines after the header.
    EXPECT_EQ(std::count(channels.begin(), channels.end(), '\n'), 6);

    context.toolMode = true;
    const std::string tool = firstLine(*ExportListText(codeplug, ListType::Channels, context));
    EXPECT_NE(tool.find("\"TX Contact\",\"Contact ID\",\"Radio ID\",\"Busy Lock\",\"Radio ID "
                        "No.\",\"Scrambler\""),
              std::string::npos);

    // The contact list writes its field headings in English in every language, and leaves out
    // the fields the model does not support.
    ListContext chinese = test::listContext(2);
    chinese.contactFields.callsign = false;
    chinese.contactFields.remarks = false;
    const std::string contacts = *ExportListText(codeplug, ListType::Contacts, chinese);
    EXPECT_EQ(firstLine(contacts), "\"序号\",\"Radio ID\",\"Name\",\"City\",\"State\",\"Country\","
                                   "\"来电提示音\",\"呼叫类型\"");
    EXPECT_NE(contacts.find("\r\n\"2\",\"460001\",\"Wang, Wei\",\"City \"\"1\"\"\",\"St, 1\","
                            "\"中国\",\"开\",\"单呼\"\r\n"),
              std::string::npos);
}

TEST(ListExport, WritesAtomicallyAndReportsFailures) {
    test::TempDir dir;
    const Codeplug codeplug = test::sampleCodeplug();
    const ListContext context = test::listContext(1);
    test::writeFile(dir / "ids.csv", "previous");
    ASSERT_TRUE(ExportList(codeplug, ListType::RadioIds, dir / "ids.csv", context).ok());
    EXPECT_EQ(test::readFile(dir / "ids.csv"), "\xEF\xBB\xBF\"No.\",\"Radio ID\",\"Name\"\r\n"
                                               "\"1\",\"1234567\",\"Base\"\r\n"
                                               "\"2\",\"99999999\",\"Mobile, 2\"\r\n"
                                               "\"5\",\"0\",\"移动台\"\r\n");

    const auto missingFolder = dir / "missing" / "ids.csv";
    const Status failed = ExportList(codeplug, ListType::RadioIds, missingFolder, context);
    ASSERT_FALSE(failed.ok());
    EXPECT_TRUE(failed.error().text.starts_with("ExportToFileError---1--" + missingFolder.string()))
        << failed.error().text;
    const Status notHeld = ExportList(codeplug, ListType::OneKeyCalls, dir / "k.csv", context);
    ASSERT_FALSE(notHeld.ok());
    EXPECT_EQ(notHeld.error().text, "ExportToFileError---14--" + (dir / "k.csv").string() +
                                        ": this list is not held by this program");
    EXPECT_FALSE(std::filesystem::exists(dir / "k.csv"));

    EXPECT_EQ(ListFileName(ListType::RxGroups, context.language), "RX Group Lists.CSV");
    EXPECT_EQ(ListFileName(ListType::Channels, test::listContext(3).language), "頻道.CSV");
}

} // namespace
} // namespace r605

// What an export writes: the header row in the interface language and mode, the cells of the
// records in use, and the refusals.
#include "list_test_data.h"
#include "lists/list_export.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// A read keeps reference bytes that name no record (so that a write gives the radio its own
// bytes): the lists show them as none and never look past a table.
TEST(ListExport, ReferencesBeyondTheirTablesShowAsNone) {
    Codeplug none = test::sampleCodeplug();
    const auto firstUsed = [](const auto& table) {
        return static_cast<std::size_t>(
            std::find_if(table.begin(), table.end(), [](const auto& r) { return r.Used != 0; }) -
            table.begin());
    };
    const std::size_t channel = firstUsed(none.Channel);
    const std::size_t list = firstUsed(none.ScanList);
    const auto freeContact = std::find_if(none.Contact.begin(), none.Contact.end(),
                                          [](const ContactRec& c) { return c.Used == 0; });
    none.Channel[channel].Contact = static_cast<std::int32_t>(freeContact - none.Contact.begin());
    none.Channel[channel].RadioId = -1;
    none.Channel[channel].RxGroup = 0;
    none.Channel[channel].ScanLists.fill(0xFF);
    none.ScanList[list].Priority1 = 0;
    Codeplug beyond = none;
    beyond.Channel[channel].Contact = 10000;
    beyond.Channel[channel].RadioId = 250;
    beyond.Channel[channel].RxGroup = 253;
    beyond.Channel[channel].ScanLists[0] = 16;
    beyond.ScanList[list].Priority1 = 300;
    const ListContext context = test::listContext(1, true);
    for (const ListType type : {ListType::Channels, ListType::ScanLists})
        EXPECT_EQ(*ExportListText(beyond, type, context), *ExportListText(none, type, context));
}

} // namespace
} // namespace r605

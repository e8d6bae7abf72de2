// Export followed by import gives back the same codeplug, for every list with records, in every
// interface language, with and without tool mode.
#include "list_test_data.h"
#include "lists/list_export.h"
#include "lists/list_import.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

constexpr std::array kListsWithRecords{ListType::Channels,  ListType::RadioIds, ListType::Zones,
                                       ListType::ScanLists, ListType::Contacts, ListType::RxGroups,
                                       ListType::DtmfCodes};

std::string exported(const Codeplug& codeplug, ListType type, const ListContext& context) {
    auto text = ExportListText(codeplug, type, context);
    EXPECT_TRUE(text.ok()) << static_cast<int>(type);
    return text.ok() ? *text : std::string();
}

// Differences table by table, so that a failure says where.
void expectSameLists(const Codeplug& actual, const Codeplug& expected, const std::string& where) {
    EXPECT_TRUE(actual.Channel == expected.Channel) << where;
    for (std::size_t n = 0; n < kChannelCount; ++n)
        EXPECT_TRUE(actual.Channel[n] == expected.Channel[n]) << where << " channel " << n + 1;
    EXPECT_TRUE(actual.Person == expected.Person) << where;
    EXPECT_TRUE(actual.Zone == expected.Zone) << where;
    EXPECT_TRUE(actual.ScanList == expected.ScanList) << where;
    for (std::size_t n = 0; n < kScanListCount; ++n)
        EXPECT_TRUE(actual.ScanList[n] == expected.ScanList[n]) << where << " scan list " << n + 1;
    EXPECT_TRUE(actual.Contact == expected.Contact) << where;
    EXPECT_TRUE(actual.RxGroup == expected.RxGroup) << where;
    EXPECT_TRUE(actual.Dtmf == expected.Dtmf) << where;
    EXPECT_TRUE(actual.Settings == expected.Settings) << where;
    EXPECT_TRUE(actual.PhoneBook == expected.PhoneBook) << where;
    EXPECT_TRUE(actual.TextMessage3 == expected.TextMessage3) << where;
    EXPECT_TRUE(actual.TwoToneEntry == expected.TwoToneEntry) << where;
    EXPECT_TRUE(actual == expected) << where;
}

TEST(ListRoundTrip, EveryListReadsBackAsItWasWrittenInEveryLanguageAndMode) {
    const Codeplug original = test::sampleCodeplug();
    for (const int language : {1, 2, 3}) {
        for (const bool toolMode : {false, true}) {
            const ListContext context = test::listContext(language, toolMode);
            const std::string mode =
                "language " + std::to_string(language) + (toolMode ? ", tool mode" : "");
            // All lists in one import.
            ListImport all(original, context);
            for (const ListType type : kListsWithRecords) {
                const ListText text = ListText::fromBytes(exported(original, type, context));
                const Status status = all.importText(type, text, "list.csv");
                ASSERT_TRUE(status.ok()) << mode << ": " << status.error().text;
            }
            auto result = all.finish();
            ASSERT_TRUE(result.ok()) << mode << ": " << result.error().text;
            expectSameLists(*result, original, mode + ", all lists");

            // Each list on its own: the others keep their references.
            for (const ListType type : kListsWithRecords) {
                ListImport one(original, context);
                const ListText text = ListText::fromBytes(exported(original, type, context));
                ASSERT_TRUE(one.importText(type, text, "list.csv").ok());
                auto single = one.finish();
                ASSERT_TRUE(single.ok()) << single.error().text;
                expectSameLists(*single, original,
                                mode + ", list type " + std::to_string(static_cast<int>(type)));
            }
        }
    }
}

TEST(ListRoundTrip, TheDownloadedContactFormCarriesIdsAndTheFiveTexts) {
    const Codeplug original = test::sampleCodeplug();
    const ListContext context = test::listContext(2);
    const std::string text = exported(original, ListType::DownloadedContacts, context);
    // The header is the number heading and six English headings, every cell followed by a comma.
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF\"" + context.language.GetLangText(10500) +
                                 "\",\"Radio ID\",\"Callsign\",\"Name\",\"City\",\"State\","
                                 "\"Country\",\r\n"))
        << text.substr(0, 120);
    EXPECT_NE(text.find("\"2\",\"460001\",\"BG1\",\"Wang, Wei\",\"City \"\"1\"\"\",\"St, 1\","
                        "\"中国\",\r\n"),
              std::string::npos);

    ListImport import(original, context);
    ASSERT_TRUE(
        import.importText(ListType::DownloadedContacts, ListText::fromBytes(text), "x.csv").ok());
    auto result = import.finish();
    ASSERT_TRUE(result.ok()) << result.error().text;
    // Remarks, call type and call receive tone are not in this form: new-contact values.
    Codeplug expected = original;
    for (ContactRec& contact : expected.Contact) {
        if (contact.Used == 0)
            continue;
        contact.Remarks.clear();
        contact.CallType = 0;
        contact.Byte80 = 0;
    }
    EXPECT_TRUE(result->Contact == expected.Contact);
    // The channels still call the same contacts, the group lists hold the same members.
    EXPECT_TRUE(result->Channel == original.Channel);
    EXPECT_TRUE(result->RxGroup == original.RxGroup);
}

} // namespace
} // namespace r605

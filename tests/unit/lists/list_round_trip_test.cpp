// Export followed by import gives back the same codeplug, for every list with records, in every
// interface language, with and without tool mode.
#include "codeplug_diff.h"
#include "list_test_data.h"
#include "lists/list_export.h"
#include "lists/list_import.h"
#include "schema/sample_codeplug.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

constexpr std::array kListsWithRecords{
    ListType::Channels,  ListType::RadioIds,    ListType::Zones,      ListType::ScanLists,
    ListType::PhoneBook, ListType::Contacts,    ListType::QuickTexts, ListType::RxGroups,
    ListType::DtmfCodes, ListType::TwoToneCodes};

std::string exported(const Codeplug& codeplug, ListType type, const ListContext& context) {
    auto text = ExportListText(codeplug, type, context);
    EXPECT_TRUE(text.ok()) << static_cast<int>(type);
    return text.ok() ? *text : std::string();
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
            EXPECT_EQ(test::codeplugDifference(*result, original), "") << mode + ", all lists";
            // Each list on its own: the others keep their references.
            for (const ListType type : kListsWithRecords) {
                ListImport one(original, context);
                const ListText text = ListText::fromBytes(exported(original, type, context));
                ASSERT_TRUE(one.importText(type, text, "list.csv").ok());
                auto single = one.finish();
                ASSERT_TRUE(single.ok()) << single.error().text;
                EXPECT_EQ(test::codeplugDifference(*single, original), "")
                    << mode + ", list type " + std::to_string(static_cast<int>(type));
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
    // Remarks, call type and call receive tone are not in this form: each contact keeps them, as
    // its line gives its number.
    EXPECT_TRUE(result->Contact == original.Contact);
    // Without numbers the lines make new contacts, which lack them.
    std::string unnumbered;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start) + 2;
        const std::string line = text.substr(start, end - start);
        unnumbered += line.substr(line.find("\",\"") + 2); // the number cell dropped
        start = end;
    }
    ListImport fresh(original, context);
    ASSERT_TRUE(
        fresh.importText(ListType::DownloadedContacts, ListText::fromBytes(unnumbered), "x.csv")
            .ok());
    auto renumbered = fresh.finish();
    ASSERT_TRUE(renumbered.ok()) << renumbered.error().text;
    EXPECT_EQ(renumbered->Contact[3].Name, "全呼");
    EXPECT_EQ(renumbered->Contact[3].CallType, 0);
    EXPECT_EQ(renumbered->Contact[3].Remarks, "");
    EXPECT_EQ(renumbered->Contact[4].Name, "TG 3100");
    EXPECT_EQ(renumbered->Contact[5].Used, 0);
    // The channel that called "TG 3100" (entry 9999) follows it by name to entry 4.
    EXPECT_EQ(renumbered->Channel[2].Contact, 4);
    // The channels still call the same contacts, the group lists hold the same members.
    EXPECT_TRUE(result->Channel == original.Channel);
    EXPECT_TRUE(result->RxGroup == original.RxGroup);
}

TEST(ListRoundTrip, TheLargestCodeplugReadsBackThroughEveryList) {
    // Every table full, random names (some Chinese, some at their full length) and references.
    const BandRanges bands = *bandRangesForCode(0);
    const Codeplug original = SampleFullCodeplug(0, bands, 11);
    ListContext context = test::listContext(2);
    context.bands = bands;
    ListImport import(original, context);
    for (const ListType type : kListsWithRecords) {
        const Status status =
            import.importText(type, ListText::fromBytes(exported(original, type, context)), "x");
        ASSERT_TRUE(status.ok()) << status.error().text;
    }
    auto result = import.finish();
    ASSERT_TRUE(result.ok()) << result.error().text;
    // A list file names scan-list members by channel, not by zone: each member lies in the first
    // zone that holds its channel, none when no zone does.
    Codeplug expected = original;
    for (ScanListRec& list : expected.ScanList) {
        for (int k = 0; k < list.Count; ++k) {
            const auto channel = list.Members[static_cast<std::size_t>(k)];
            std::int16_t zone = -1;
            for (std::size_t z = 0; z < kZoneCount && zone < 0; ++z) {
                const ZoneRec& candidate = expected.Zone[z];
                const auto end = candidate.Members.begin() + candidate.Count;
                if (candidate.Used != 0 &&
                    std::find(candidate.Members.begin(), end, channel) != end)
                    zone = static_cast<std::int16_t>(z);
            }
            list.MemberZones[static_cast<std::size_t>(k)] = zone;
        }
    }
    // The settings' references are kept on qualifying records (the sample does not keep them so):
    // an in-use channel of even and one of odd type, an in-use zone.
    const SettingsRec& settings = result->Settings;
    EXPECT_EQ(result->Channel[static_cast<std::size_t>(settings.ChannelRef1)].ChType % 2, 0);
    EXPECT_EQ(result->Channel[static_cast<std::size_t>(settings.ChannelRef2)].ChType % 2, 1);
    EXPECT_EQ(result->Zone[static_cast<std::size_t>(settings.ZoneRef)].Used, 1);
    expected.Settings = settings;
    EXPECT_EQ(test::codeplugDifference(*result, expected), "") << "largest codeplug";
}

} // namespace
} // namespace r605

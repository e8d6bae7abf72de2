// Importing list files as users bring them: written by spreadsheets, in other languages, as
// downloaded contact files and list files, and damaged.
#include "list_test_data.h"
#include "lists/list_export.h"
#include "lists/list_import.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

Result<Codeplug> importOne(const Codeplug& codeplug, ListType type, std::string_view bytes,
                           const ListContext& context, std::string_view name = "list.csv") {
    ListImport import(codeplug, context);
    if (Status status = import.importText(type, ListText::fromBytes(bytes), name); !status)
        return status.error();
    return import.finish();
}

std::string errorOf(const Result<Codeplug>& result) {
    return result.ok() ? std::string("(no error)") : result.error().text;
}

// The refusal of a file "list.csv" of the list `type`, after the part that names list and file.
std::string refusal(const Codeplug& codeplug, ListType type, std::string_view bytes,
                    const ListContext& context) {
    const std::string error = errorOf(importOne(codeplug, type, bytes, context));
    const std::string prefix = std::string("ImportFromFileError---")
                                   .append(std::to_string(static_cast<int>(type)))
                                   .append("--list.csv: ");
    return error.starts_with(prefix) ? error.substr(prefix.size()) : error;
}

TEST(ListImport, ReadsASpreadsheetFileAsTheUserMeantIt) {
    const Codeplug original = test::sampleCodeplug();
    const ListContext context = test::listContext(1);
    // Another column order, an unknown column, unquoted and quoted cells, a quoted comma, doubled
    // quotes, a byte-order mark, CR LF, no number column, blank rows a spreadsheet leaves behind.
    const std::string file = "\xEF\xBB\xBF"
                             "Comment,RX Freq (MHz),Channel Name,TX Freq,Power,RX CTCSS/DCS,"
                             "TX Contact,Channel Type\r\n"
                             "first,\"431.025\",\"Net, \"\"North\"\"\",436.025,High,D754N,"
                             "\"Wang, Wei\",digital\r\n"
                             "\r\n"
                             "second,  145.5 ,Wrong band,,Low,67,,Analog\r\n"
                             ",,,,,,,\r\n";
    const auto wrongBand = importOne(original, ListType::Channels, file, context);
    EXPECT_EQ(errorOf(wrongBand), "ImportFromFileError---0--list.csv: line 4, column \"RX Freq "
                                  "(MHz)\": \"145.5\" lies outside the band (Frequency out of "
                                  "range!)");

    std::string inBand = file;
    inBand.replace(inBand.find("  145.5 ,Wrong band"), 19, "  438.00001 ,Second");
    const auto result = importOne(original, ListType::Channels, inBand, context);
    ASSERT_TRUE(result.ok()) << errorOf(result);
    const ChannelRec& first = result->Channel[0];
    EXPECT_EQ(first.Used, 1);
    EXPECT_EQ(first.Number, 1);
    EXPECT_EQ(first.Name, "Net, \"North\"");
    EXPECT_DOUBLE_EQ(first.RxFreq, 431.025);
    EXPECT_EQ(first.OffsetDir, 1);
    EXPECT_DOUBLE_EQ(first.Offset, 5.0);
    EXPECT_EQ(first.Power, 2);
    EXPECT_EQ(first.ChType, 1); // "digital": the text in another case
    EXPECT_EQ(first.RxToneType, 2);
    EXPECT_EQ(first.RxDcs, 492); // 754 octal
    EXPECT_EQ(first.Contact, 1);
    // Columns the file lacks keep the default channel's values.
    EXPECT_EQ(first.Bandwidth, 0);
    EXPECT_EQ(first.TxToneType, 0);
    EXPECT_EQ(first.Byte32, 1);
    const ChannelRec& second = result->Channel[1];
    EXPECT_EQ(second.Name, "Second");
    EXPECT_DOUBLE_EQ(second.RxFreq, 438.0); // snapped to the 50 Hz raster
    EXPECT_EQ(second.OffsetDir, 0);         // an empty transmit cell: simplex
    EXPECT_EQ(second.ChType, 0);
    EXPECT_EQ(second.RxToneType, 1);
    EXPECT_EQ(second.RxCtcss, 1); // "67" reads as 67.0 Hz, the second standard tone
    EXPECT_EQ(second.Contact, 0); // no contact named
    for (std::size_t n = 2; n < kChannelCount; ++n)
        EXPECT_EQ(result->Channel[n].Used, 0) << n;
}

TEST(ListImport, RecognisesHeadersOnlyInTheirLanguageButEnglishContactHeadingsEverywhere) {
    const Codeplug original = test::sampleCodeplug();
    const ListContext english = test::listContext(1);
    const std::string channels = *ExportListText(original, ListType::Channels, english);
    // Which headings match in which language is ColumnCodes' (the number column alone too);
    // here the import refuses an unknown header and takes the literal English contact headings.
    const ListContext other = test::listContext(3);
    EXPECT_EQ(errorOf(importOne(original, ListType::Channels, channels, other, "ch.csv")),
              "ImportFromFileError---0--ch.csv: line 1: no heading of this list in the "
              "interface language");
    // A contact file of another program, in the English headings, in any order.
    const auto contacts = importOne(original, ListType::Contacts,
                                    "Name,Remarks,Radio ID,Callsign\n"
                                    "Li,note,1023001,BG1AA\n"
                                    "\"Zhang, San\",,1023002,\n",
                                    other);
    ASSERT_TRUE(contacts.ok()) << errorOf(contacts);
    EXPECT_EQ(test::mapped([&](int i) { return contacts->Contact[i].Name; }, {0, 1}),
              (std::vector<std::string>{"Li", "Zhang, San"}));
    EXPECT_EQ(contacts->Contact[0].Remarks, "note");
    EXPECT_EQ(contacts->Contact[0].Id, 1023001);
    EXPECT_EQ(contacts->Contact[0].Callsign, "BG1AA");
    EXPECT_EQ(contacts->Contact[2].Used, 0);
    EXPECT_EQ(errorOf(importOne(original, ListType::RadioIds, "", english)),
              "ImportFromFileError---1--list.csv: the file is empty");
}

TEST(ListImport, ReadsDownloadedContactFilesAndListFiles) {
    test::TempDir dir;
    const Codeplug original = test::sampleCodeplug();
    const ListContext context = test::listContext(2);
    // All contacts on one physical line, the names in GBK as an old download gives them.
    test::writeFile(dir / "user.cgi", "Radio ID,Callsign,Name,City,State,Country,Remarks<br/>"
                                      "1023001,BG1AA,\xD5\xC5\xC8\xFD,Beijing,Beijing,China,"
                                      "<br/>1023002,BG1AB,Li Si,Very long city name,,China,DMR"
                                      "<br/>");
    ListImport cgi(original, context);
    ASSERT_TRUE(cgi.importFile(ListType::DownloadedContacts, dir / "user.cgi").ok());
    const auto contacts = cgi.finish();
    ASSERT_TRUE(contacts.ok()) << errorOf(contacts);
    EXPECT_EQ(contacts->Contact[0].Name, "张三");
    EXPECT_EQ(contacts->Contact[0].Id, 1023001);
    EXPECT_EQ(contacts->Contact[1].City, "Very long city"); // cut to 15 bytes, blank dropped
    EXPECT_EQ(contacts->Contact[1].Remarks, "DMR");
    EXPECT_EQ(contacts->Contact[2].Used, 0);
    // A list file with no entries imports nothing (and the caller reports nothing).
    test::writeFile(dir / "none.LST", "0\r\n");
    const auto nothing = ImportListOfLists(original, dir / "none.LST", context);
    ASSERT_TRUE(nothing.ok());
    EXPECT_FALSE(nothing->has_value());
    // A list file written on Windows names its CSV files by paths that do not exist here: the
    // files beside it are taken. The zone list comes first in the file but is read after the
    // channels it refers to.
    Codeplug edited = original;
    edited.Zone[0].Name = "Edited zone";
    edited.Channel[0].Name = "Renamed";
    ASSERT_TRUE(ExportList(edited, ListType::Zones, dir / "Zones.CSV", context).ok());
    ASSERT_TRUE(ExportList(edited, ListType::Channels, dir / "Channels.CSV", context).ok());
    test::writeFile(dir / "all.LST",
                    "2\r\n2,\"C:\\radio\\Zones.CSV\"\r\n0,\"C:\\radio\\Channels.CSV\"\r\n");
    const auto both = ImportListOfLists(original, dir / "all.LST", context);
    ASSERT_TRUE(both.ok()) << both.error().text;
    ASSERT_TRUE(both->has_value());
    EXPECT_TRUE((*both)->Zone == edited.Zone);
    EXPECT_TRUE((*both)->Channel == edited.Channel);
    // The list-of-lists export writes the same thing from the program's side.
    const std::vector<ListType> types{ListType::Channels, ListType::Zones, ListType::Contacts};
    ASSERT_TRUE(ExportListOfLists(edited, types, dir / "sub.LST", context).ok());
    const auto again = ImportListOfLists(original, dir / "sub.LST", context);
    ASSERT_TRUE(again.ok()) << again.error().text;
    ASSERT_TRUE(again->has_value());
    EXPECT_TRUE(**again == edited);
}

TEST(ListImport, KeepsTheOtherListsOnTheirRecordsWhenOnlyChannelsAreImported) {
    const Codeplug original = test::sampleCodeplug();
    const ListContext context = test::listContext(1);
    // Channel 1 moves to number 10, "Simplex 6" (zone 1's channel B) is gone, "Last" (in zone 3
    // and scan list 1, a priority channel) is gone.
    const std::string file = "No.,Channel Name,RX Freq (MHz)\r\n"
                             "10,CH 1,438.5\r\n"
                             "2,\"Repeater, \"\"A\"\"\",439.9875\r\n"
                             "3,信道三,400\r\n";
    const auto result = importOne(original, ListType::Channels, file, context);
    ASSERT_TRUE(result.ok()) << errorOf(result);
    const ZoneRec& zone1 = result->Zone[0];
    ASSERT_EQ(zone1.Count, 2);
    EXPECT_EQ(test::first(zone1.Members, 3), (std::vector<int>{9, 1, -1}));
    EXPECT_EQ(zone1.Selected1, 1); // still "Repeater"
    EXPECT_EQ(zone1.Selected2, 9); // "Simplex 6" is gone: the first other member
    const ZoneRec& zone3 = result->Zone[2];
    ASSERT_EQ(zone3.Count, 1);
    EXPECT_EQ(zone3.Members[0], 2);
    EXPECT_EQ(zone3.Selected1, 2);
    EXPECT_EQ(zone3.Selected2, 2);
    const ScanListRec& scan1 = result->ScanList[0];
    ASSERT_EQ(scan1.Count, 2);
    EXPECT_EQ(test::first(scan1.Members, 2), (std::vector<int>{1, 9}));
    EXPECT_EQ(test::first(scan1.MemberZones, 3), (std::vector<int>{0, 0, -1}));
    EXPECT_EQ(scan1.Priority1, 2);
    EXPECT_EQ(scan1.Priority2, 0);
    // Lines that give their number keep what the file does not carry of the channel of that
    // number; "CH 1" comes to a number that was free and starts from the default channel.
    EXPECT_EQ(result->Channel[2].ChType, 2);
    EXPECT_EQ(result->Channel[2].TwoToneId, 5);
    EXPECT_EQ(result->Channel[2].CustomCtcss, 1234);
    EXPECT_EQ(result->Channel[9].ChType, 1);
    EXPECT_EQ(result->Channel[9].RxToneType, 0);
    // The settings' channels: the first followed "CH 1" to channel 10, whose type is odd, so it
    // takes the first channel of even type; the second stays on channel 2.
    EXPECT_EQ(result->Settings.ChannelRef1, 2);
    EXPECT_EQ(result->Settings.ChannelRef2, 1);
    // So does a 2-tone line: a file without the second tone keeps the pair's.
    const auto tones = importOne(original, ListType::TwoToneCodes,
                                 "2-Tone No.,First Tone (Hz)\n3,1000\n", context);
    ASSERT_TRUE(tones.ok()) << errorOf(tones);
    EXPECT_EQ(tones->TwoToneEntry[2].FirstTone, 10000);
    EXPECT_EQ(tones->TwoToneEntry[2].SecondTone, 12345);
    // Lists not read are unchanged where nothing pointed at the channels.
    EXPECT_TRUE(result->Contact == original.Contact);
    EXPECT_TRUE(result->RxGroup == original.RxGroup);
    EXPECT_TRUE(result->Person == original.Person);
    // Contacts imported alone: channels and group lists follow the contacts by name.
    const auto contacts = importOne(original, ListType::Contacts,
                                    "Radio ID,Name,Call Type\n"
                                    "3100,TG 3100,Group Call\n"
                                    "91,\"TG \"\"91\"\"\",Group Call\n"
                                    "92,\"TG \"\"91\"\"\",Private Call\n",
                                    context);
    ASSERT_TRUE(contacts.ok()) << errorOf(contacts);
    EXPECT_EQ(contacts->Channel[2].Contact, 0); // "TG 3100", now entry 0
    EXPECT_EQ(contacts->Channel[1].Contact, 1); // "TG "91"": same ID and call type
    EXPECT_EQ(contacts->Channel[0].Contact, 0); // "All Group" is gone: the first contact
    const RxGroupRec& group2 = contacts->RxGroup[1];
    ASSERT_EQ(group2.Count, 2);
    EXPECT_EQ(test::first(group2.Members, 2), (std::vector<int>{1, 0}));
}

TEST(ListImport, ResolvesMemberNamesAndRefusesNamesOfNoRecord) {
    const Codeplug original = test::sampleCodeplug();
    const ListContext context = test::listContext(1);
    Codeplug withBar = original;
    withBar.Channel[5].Name = "A|B";
    // One member per repeated column, several in a cell, blanks around names, a name holding
    // the separator.
    const auto zones = importOne(withBar, ListType::Zones,
                                 "No.,Zone Name,Channel Member,Channel Member ,Channel Member  \n"
                                 "4,Mixed,CH 1,\" Last | A|B \",信道三\n",
                                 context);
    ASSERT_TRUE(zones.ok()) << errorOf(zones);
    const ZoneRec& zone = zones->Zone[3];
    ASSERT_EQ(zone.Count, 4);
    EXPECT_EQ((std::vector<int>(zone.Members.begin(), zone.Members.begin() + 4)),
              (std::vector<int>{0, 255, 5, 2}));
    EXPECT_EQ(zone.Selected1, 0);
    EXPECT_EQ(zone.Selected2, 255);
    // The other zones are gone, so scan list 1 keeps only its members that lie in the new zone.
    const ScanListRec& scan1 = zones->ScanList[0];
    ASSERT_EQ(scan1.Count, 2);
    EXPECT_EQ(test::first(scan1.Members, 2), (std::vector<int>{255, 0}));
    EXPECT_EQ(test::first(scan1.MemberZones, 2), (std::vector<int>{3, 3}));

    EXPECT_EQ(refusal(original, ListType::Zones, "No.,Zone Name,Channel Member\n1,Z,CH 1|Nowhere\n",
                      context),
              "line 2, column \"Channel Member\": no channel named \"Nowhere\"");
    EXPECT_EQ(refusal(original, ListType::Channels,
                      "Channel Name,RX Freq (MHz),TX Contact\nA,440,Nobody\n", context),
              "line 2, column \"TX Contact\": no contact named \"Nobody\"");
    // Seventeen members for a zone of sixteen.
    std::string many = "Zone Name,Channel Member\nZ,CH 1";
    for (int i = 0; i < 16; ++i)
        many += "|Last";
    EXPECT_EQ(refusal(original, ListType::Zones, many + "\n", context),
              "line 2, column \"Channel Member\": more than 16 members");
    // A file names scan-list members by channel only: a member takes the first zone holding its
    // channel, none when no zone holds it.
    Codeplug outside = original;
    outside.Zone[0].Count = 2; // "Simplex 6" leaves zone 1
    const auto scan = importOne(outside, ListType::ScanLists,
                                "Scan List Name,Scan Channel\nS,Simplex 6|Last\n", context);
    ASSERT_TRUE(scan.ok()) << errorOf(scan);
    ASSERT_EQ(scan->ScanList[0].Count, 2);
    EXPECT_EQ(test::first(scan->ScanList[0].MemberZones, 2), (std::vector<int>{-1, 2}));
    // In tool mode the contact's radio ID tells apart two contacts of one name.
    Codeplug twins = original;
    twins.Contact[3] = twins.Contact[2];
    twins.Contact[3].Number = 4;
    twins.Contact[3].Id = 92;
    const auto toolMode = test::listContext(1, true);
    const auto picked = importOne(twins, ListType::Channels,
                                  "Channel Name,RX Freq (MHz),TX Contact,Contact ID\n"
                                  "A,440,\"TG \"\"91\"\"\",92\nB,440,\"TG \"\"91\"\"\",\n"
                                  "C,440,,91\n",
                                  toolMode);
    ASSERT_TRUE(picked.ok()) << errorOf(picked);
    EXPECT_EQ(picked->Channel[0].Contact, 3);
    EXPECT_EQ(picked->Channel[1].Contact, 2);
    EXPECT_EQ(picked->Channel[2].Contact, 2);
    EXPECT_EQ(refusal(twins, ListType::Channels,
                      "Channel Name,RX Freq (MHz),TX Contact,Contact ID\n"
                      "A,440,\"TG \"\"91\"\"\",93\n",
                      toolMode),
              "line 2, column \"TX Contact\": no contact named \"TG \"91\"\" with radio ID 93");
}

TEST(ListImport, NamesRecordsThatComeWithoutAName) {
    const Codeplug original = test::sampleCodeplug();
    const ListContext context = test::listContext(1);
    const auto channels = importOne(original, ListType::Channels,
                                    "Channel Name,RX Freq (MHz)\n,440\nChannel 1,441\n", context);
    ASSERT_TRUE(channels.ok()) << errorOf(channels);
    EXPECT_EQ(channels->Channel[0].Name, "Channel 2");
    EXPECT_EQ(channels->Channel[1].Name, "Channel 1");
    const auto zones = importOne(original, ListType::Zones, "Channel Member\nCH 1\n", context);
    ASSERT_TRUE(zones.ok()) << errorOf(zones);
    EXPECT_EQ(zones->Zone[0].Name, "Zone 1");
    // Contacts are known by their radio ID and keep an empty name.
    const auto contacts = importOne(original, ListType::Contacts, "Radio ID\n7\n", context);
    ASSERT_TRUE(contacts.ok()) << errorOf(contacts);
    EXPECT_EQ(contacts->Contact[0].Name, "");
}

TEST(ListImport, RefusesDamagedFilesNamingLineAndColumn) {
    const Codeplug original = test::sampleCodeplug();
    const ListContext context = test::listContext(1);
    const auto fails = [&](ListType type, const std::string& file) {
        return refusal(original, type, file, context);
    };
    const std::string head = "Channel Name,RX Freq (MHz),Power,RX CTCSS/DCS,No.\n";
    EXPECT_EQ(fails(ListType::Channels, head + "A,abc,Low,Off\n"),
              "line 2, column \"RX Freq (MHz)\": not a frequency: \"abc\"");
    EXPECT_EQ(fails(ListType::Channels, head + "A,440,Ultra,Off\n"),
              "line 2, column \"Power\": unknown value \"Ultra\"; expected \"Low\", \"Medium\", "
              "\"High\", \"Super High\" or a number from 0 to 3");
    EXPECT_EQ(fails(ListType::Channels, head + "A,440,Low,D999N\n"),
              "line 2, column \"RX CTCSS/DCS\": Invalid tone \"D999N\"");
    // A tone beyond 64 bits was converted to a whole number before it was checked.
    EXPECT_EQ(
        fails(ListType::Channels, "Channel Name,RX Freq (MHz),User CTCSS (Hz)\nA,440,1e300\n"),
        "line 2, column \"User CTCSS (Hz)\": not a tone from 0.0 to 260.0 Hz: \"1e300\"");
    EXPECT_EQ(fails(ListType::Channels, head + "A,440,Low,Off,3\n\nB,440,Low,Off,3\n"),
              "line 4, column \"No.\": record number 3 appears twice");
    EXPECT_EQ(fails(ListType::Channels, head + "A,440,Low,Off,257\n"),
              "line 2, column \"No.\": not a record number from 1 to 256: \"257\"");
    EXPECT_EQ(fails(ListType::Contacts, "Radio ID,Name\n12,A\n,B\n"),
              "line 3, column \"Radio ID\": the contact has no radio ID");
    EXPECT_EQ(fails(ListType::Contacts, "Radio ID,Name\n16777216,A\n"),
              "line 2, column \"Radio ID\": not a number from 0 to 16777215: \"16777216\"");
    EXPECT_EQ(fails(ListType::Channels, "Channel Name,RX CTCSS/DCS,TX CTCSS/DCS\nA,100.5,110.5\n"),
              "line 2, column \"TX CTCSS/DCS\": the receive and transmit tones ask for two "
              "different user-defined tones; a channel holds one");
    EXPECT_EQ(fails(ListType::PhoneBook, "Phone Number\n12a\n"),
              "line 2, column \"Phone Number\": not a telephone number of up to 16 digits, * and "
              "#: \"12a\"");
    EXPECT_EQ(fails(ListType::DtmfCodes, "DTMF Code,Code Value\n1,12G\n"),
              "line 2, column \"Code Value\": not a text of digits 0-9 and A-F: \"12G\"");
    EXPECT_EQ(fails(ListType::Channels, head + "A,440,Low,Off\n" + std::string(100, ',') + "\n"),
              "line 3: Data Error," + std::string(100, ','));
    // A table never takes more records than it holds: the 257th channel, the 10001st contact.
    std::string channels = "Channel Name,RX Freq (MHz)\r\n";
    for (int i = 0; i < 257; ++i)
        channels += 'C' + std::to_string(i) + ",440\r\n";
    EXPECT_EQ(fails(ListType::Channels, channels),
              "line 258: the file holds more records than the list's 256");
    std::string contacts = "Radio ID,Name\n";
    for (int i = 0; i < 10001; ++i)
        contacts += std::to_string(i + 1) + ",N" + std::to_string(i) + "\n";
    EXPECT_EQ(fails(ListType::Contacts, contacts),
              "line 10002: the file holds more records than the list's 10000");
    // Lists that a file cannot set.
    EXPECT_EQ(fails(ListType::OptionalSettings, "a,b\n1,2\n"),
              "this list is not held by this program");
    ListImport skipped(original, context);
    EXPECT_TRUE(skipped.importText(ListType::RadioInfo, ListText::fromBytes("x\n"), "i.csv").ok());
    EXPECT_FALSE(skipped.anyRead());
}

TEST(ListImport, ReportsProgressLineByLine) {
    const Codeplug original = test::sampleCodeplug();
    ListContext context = test::listContext(1);
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    context.progress = [&](std::size_t done, std::size_t total) {
        calls.emplace_back(done, total);
    };
    ListImport import(original, context);
    import.setProgressTotal(7);
    ASSERT_TRUE(import
                    .importText(ListType::RadioIds,
                                ListText::fromBytes("Radio ID,Name\n1,A\n\n2,B\n"), "a.csv")
                    .ok());
    ASSERT_TRUE(
        import.importText(ListType::PhoneBook, ListText::fromBytes("Name\nX\nY\nZ\n"), "b.csv")
            .ok());
    EXPECT_EQ(calls, (std::vector<std::pair<std::size_t, std::size_t>>{
                         {1, 7}, {2, 7}, {3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}}));
}

} // namespace
} // namespace r605

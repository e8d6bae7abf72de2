// The differences between two codeplugs: exactly the lines a change gives (a frequency, a rename,
// a deleted contact, a compaction that renumbers contacts), references by name, fields no column
// shows, the JSON form, and taking differences over into a document until nothing differs.
#include "compare/codeplug_diff.h"
#include "compare/diff_text.h"
#include "compare/record_naming.h"
#include "compare/take_over.h"
#include "document/list_edits.h"
#include "image/family_codecs.h"
#include "schema/family_columns.h"
#include "schema/new_codeplug.h"
#include "schema/sample_codeplug.h"
#include "test_support.h"
#include "text/language.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace r605 {
namespace {

using Lines = std::vector<std::string>;

const Language& english() {
    static const Language language = Language::load(test::sourceDataFolder(), 1);
    return language;
}

ColumnContext context() {
    return ColumnContext{english(), bandRangesForCode(0).value()};
}

ContactRec contact(std::size_t entry, const std::string& name, int id, int callType) {
    ContactRec c;
    c.Number = static_cast<std::int32_t>(entry + 1);
    c.Used = 1;
    c.Name = name;
    c.Id = id;
    c.CallType = static_cast<std::int16_t>(callType);
    return c;
}

// Channel 1 "Home" on 438.5 MHz calling Bob, zone 1 "Town", group list 1 "Local" of the group
// contacts Club and Dan, and the contacts Alice, Bob, Club, Dan and Eve.
Codeplug smallCodeplug() {
    Codeplug cp = NewCodeplug(0).value();
    const std::vector<ContactRec> contacts{contact(0, "Alice", 1001, 0), contact(1, "Bob", 1002, 0),
                                           contact(2, "Club", 91, 1), contact(3, "Dan", 92, 1),
                                           contact(4, "Eve", 1005, 0)};
    for (std::size_t k = 0; k < contacts.size(); ++k)
        cp.Contact[k] = contacts[k];
    ChannelRec& home = cp.Channel[0]; // a simplex channel of the new codeplug
    home.Name = "Home";
    home.RxFreq = 438.5;
    home.Contact = 1;
    cp.Channel[1].Name = "Away";
    cp.Zone[0] = ZoneRec{1, 1, 2, cp.Zone[0].Members, 0, 1, "Town"};
    test::setFront(cp.Zone[0].Members, {0, 1});
    RxGroupRec& local = cp.RxGroup[0];
    local.Used = 1;
    local.Name = "Local";
    local.Count = 2;
    test::setFront(local.Members, {2, 3});
    return cp;
}

Lines linesOf(const Codeplug& a, const Codeplug& b) {
    return diffLines(compareCodeplugs(a, b, context()), english());
}

TEST(CompareCodeplugs, ACodeplugComparedWithItselfHasNoDifferences) {
    const Codeplug full = SampleFullCodeplug(0, bandRangesForCode(0).value(), 5);
    for (const Codeplug& codeplug : {smallCodeplug(), full}) {
        const CodeplugDiff diff = compareCodeplugs(codeplug, Codeplug(codeplug), context());
        EXPECT_TRUE(diff.empty());
        EXPECT_EQ(diffLines(diff, english()), Lines{"No differences"});
    }
}

TEST(CompareCodeplugs, EachChangeGivesExactlyItsLines) {
    const Codeplug a = smallCodeplug();
    {
        Codeplug b = a;
        b.Channel[0].RxFreq = 438.5125; // simplex: the transmit frequency follows
        EXPECT_EQ(linesOf(a, b), (Lines{"Channels 1 \"Home\": RX Freq: 438.50000 → 438.51250",
                                        "Channels 1 \"Home\": TX Freq: 438.50000 → 438.51250",
                                        "1 changed, 0 added, 0 removed, 0 renumbered"}));
    }
    {
        Codeplug b = a;
        b.Zone[0].Name = "City";
        EXPECT_EQ(linesOf(a, b), (Lines{"Zones 1 \"Town\": Zone Name: Town → City",
                                        "1 changed, 0 added, 0 removed, 0 renumbered"}));
    }
    {
        // Deleted as the grid deletes: the group list loses the contact too.
        Document document{Codeplug(a)};
        const std::array dan{std::size_t{3}};
        ASSERT_TRUE(deleteRecords(document, Family::Contact, dan).ok());
        EXPECT_EQ(linesOf(a, document.codeplug()),
                  (Lines{"Digital Contacts 4 \"Dan\": removed",
                         "RX Group Lists 1 \"Local\": Contacts: 2 → 1",
                         "RX Group Lists 1 \"Local\": Members: - Dan",
                         "1 changed, 0 added, 1 removed, 0 renumbered"}));
    }
    {
        // A renamed contact is one line: the channel and the group list that point at it keep
        // pointing at it.
        Codeplug b = a;
        b.Contact[1].Name = "Robert";
        b.Contact[2].Name = "Clubhouse";
        EXPECT_EQ(linesOf(a, b), (Lines{"Digital Contacts 2 \"Bob\": Name: Bob → Robert",
                                        "Digital Contacts 3 \"Club\": Name: Club → Clubhouse",
                                        "2 changed, 0 added, 0 removed, 0 renumbered"}));
        b.Channel[0].Contact = 0;
        EXPECT_EQ(linesOf(a, b).front(), "Channels 1 \"Home\": TX Contact: Bob → Alice");
    }
}

TEST(CompareCodeplugs, AContactCompactionIsReportedAsRenumberingOnly) {
    Codeplug a = smallCodeplug();
    for (std::size_t entry = 0; entry < 5; ++entry)
        a.Contact[entry].Used = 0;
    a.Contact[0] = contact(0, "Contact 1", 1, 1);
    for (std::size_t entry = 100; entry < 200; ++entry)
        a.Contact[entry] = contact(entry, std::string("C").append(std::to_string(entry)),
                                   static_cast<int>(entry), 1);
    a.Channel[0].Contact = 150;
    test::setFront(a.RxGroup[0].Members, {120, 130});
    Codeplug b = a;
    CompactContacts(b);
    ASSERT_EQ(b.Contact[50].Name, "C149"); // the compaction did move them

    Lines expected;
    for (int k = 0; k < 100; ++k)
        expected.push_back("Digital Contacts " + std::to_string(101 + k) + " → " +
                           std::to_string(2 + k) + " \"C" + std::to_string(100 + k) +
                           "\": renumbered");
    expected.push_back("0 changed, 0 added, 0 removed, 100 renumbered");
    EXPECT_EQ(linesOf(a, b), expected);
}

TEST(CompareCodeplugs, FieldsNoColumnShowsAndSingleRecordsCompareByTheirStoredNames) {
    const Codeplug a = smallCodeplug();
    Codeplug b = a;
    b.Channel[0].Byte52 = 7;
    b.Dtmf.Set0 = static_cast<std::int16_t>(a.Dtmf.Set0 == 12 ? 13 : 12);
    b.Option.Area2500000[0x13] = 0xAB;
    // What the radio never holds, and the radio's own copy of the contact number, are no
    // difference.
    b.Channel[1].Unencoded1 = 5;
    b.Channel[1].ContactRaw = 99;
    EXPECT_EQ(
        linesOf(a, b),
        (Lines{"Channels 1 \"Home\": Byte52: 0 → 7",
               "DTMF: Set0: " + std::to_string(a.Dtmf.Set0) + " → " + std::to_string(b.Dtmf.Set0),
               "Optional Settings: Area2500000+0x0010: 00000000000000000000000000000000 → "
               "000000AB000000000000000000000000",
               "3 changed, 0 added, 0 removed, 0 renumbered"}));
}

TEST(CompareCodeplugs, JsonHoldsTheSameDifferences) {
    const Codeplug a = smallCodeplug();
    Codeplug b = a;
    b.RxGroup[0].Members[1] = 0; // Dan gives way to Alice
    b.Contact[9] = contact(9, "Zed", 1010, 0);
    const auto json = nlohmann::json::parse(diffJson(compareCodeplugs(a, b, context()), english()));
    EXPECT_FALSE(json["equal"]);
    EXPECT_EQ(json["summary"]["changed"], 1);
    EXPECT_EQ(json["summary"]["added"], 1);
    EXPECT_EQ(json["summary"]["text"], "1 changed, 1 added, 0 removed, 0 renumbered");
    ASSERT_EQ(json["records"].size(), 2u);
    const auto& added = json["records"][0];
    EXPECT_EQ(added["family"], "Contact");
    EXPECT_EQ(added["change"], "added");
    EXPECT_TRUE(added["numberA"].is_null());
    EXPECT_EQ(added["numberB"], 10);
    const auto& group = json["records"][1];
    EXPECT_EQ(group["caption"], "RX Group Lists");
    EXPECT_EQ(group["fields"][0]["column"], "Members");
    EXPECT_EQ(group["fields"][0]["before"], "Club|Dan");
    EXPECT_EQ(group["fields"][0]["after"], "Club|Alice");
    EXPECT_EQ(group["fields"][0]["membersRemoved"], nlohmann::json::array({"Dan"}));
    EXPECT_EQ(group["fields"][0]["membersAdded"], nlohmann::json::array({"Alice"}));
}

TEST(CompareCodeplugs, TakingEveryDifferenceOverGivesTheOtherCodeplugAndUndoGivesItBack) {
    const Codeplug a = smallCodeplug();
    Codeplug b = a;
    b.Channel[0].RxFreq = 439.0;
    b.Channel[0].Contact = 0;
    b.Channel[0].Byte52 = 3;
    b.Channel[1].Contact = 9; // Zed, whom only b holds
    b.Zone[0].Name = "City";
    b.Contact[4].Used = 0;
    b.Contact[9] = contact(9, "Zed", 1010, 0);
    b.Dtmf.Set0 = static_cast<std::int16_t>(a.Dtmf.Set0 == 12 ? 13 : 12);

    Document document{Codeplug(a)};
    std::vector<ChangeSet> history;
    const CodeplugDiff diff = compareCodeplugs(a, b, context());
    std::vector<const RecordDifference*> later;
    for (const RecordDifference& record : diff.records) {
        auto taken = takeOver(document, b, record, context());
        if (record.family == Family::Channel && record.entryA == 1u) {
            // Zed is taken over after the channel: the channel waits and nothing changed.
            ASSERT_FALSE(taken.ok());
            EXPECT_NE(taken.error().text.find("\"Zed\""), std::string::npos) << taken.error().text;
            later.push_back(&record);
            continue;
        }
        ASSERT_TRUE(taken.ok()) << recordLabel(record, english()) << ": " << taken.error().text;
        history.push_back(std::move(*taken));
    }
    ASSERT_EQ(later.size(), 1u);
    auto taken = takeOver(document, b, *later.front(), context());
    ASSERT_TRUE(taken.ok()) << taken.error().text;
    history.push_back(std::move(*taken));

    EXPECT_EQ(linesOf(document.codeplug(), b), Lines{"No differences"});
    for (auto it = history.rbegin(); it != history.rend(); ++it)
        document.undo(*it);
    EXPECT_EQ(document.codeplug(), a);
}

TEST(CompareCodeplugs, EveryFamilyAndColumnIsNamedInEveryLanguage) {
    for (int index : {1, 2, 3}) {
        const Language language = Language::load(test::sourceDataFolder(), index);
        for (const FamilyInfo& info : allFamilies()) {
            if (info.shape == FamilyShape::View)
                continue;
            EXPECT_NE(familyCaption(info.family, language), info.jsonName) << index;
            const FamilyColumns* columns = columnsOf(info.family);
            if (columns == nullptr)
                continue;
            // A Chinese heading differs from the column's own (English) name.
            for (std::size_t c = 0; c < columns->columns().size(); ++c) {
                const std::string heading = columnHeading(info.family, c, language);
                EXPECT_FALSE(heading.empty());
                if (index > 1) {
                    EXPECT_NE(heading, columns->columns()[c].name) << index << " " << info.jsonName;
                }
            }
        }
    }
}

} // namespace
} // namespace r605

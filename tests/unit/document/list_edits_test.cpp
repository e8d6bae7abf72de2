// The grids' list edits as document edits: the shared clipboard of the text message and ARC4
// grids, paste with unique names and repaired references, the last group contact, zone moves;
// and for each, undo and redo giving back exactly the tables before and after.
#include "document/list_edits.h"
#include "document_edit.h"
#include "schema/family_columns.h"
#include "schema/new_codeplug.h"
#include "test_support.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <array>

namespace r605 {
namespace {

// Applies an edit, then checks that undo gives back the codeplug before it and redo the one
// after it.
void expectUndoable(Document& document, const Result<ChangeSet>& changes, const Codeplug& before) {
    ASSERT_TRUE(changes.ok());
    const Codeplug after = document.codeplug();
    document.undo(*changes);
    EXPECT_TRUE(document.codeplug() == before);
    document.redo(*changes);
    EXPECT_TRUE(document.codeplug() == after);
}

std::array<std::size_t, 1> one(std::size_t entry) {
    return {entry};
}

TEST(ListEdits, PastedRecordsKeepTheirSlotAndGetUniqueNames) {
    Codeplug start = NumberedEmptyCodeplug();
    start.Channel[0].Used = 1;
    start.Channel[0].Name = "Home";
    start.Channel[0].RxFreq = 438.5;
    Document document(start);
    Clipboard clipboard;
    auto nothing = pasteRecords(document, clipboard, Family::Channel, 4);
    ASSERT_TRUE(nothing.ok());
    EXPECT_TRUE(nothing->empty());

    ASSERT_TRUE(clipboard.copy(document.codeplug(), Family::Channel, one(0)));
    ASSERT_TRUE(pasteRecords(document, clipboard, Family::Channel, 4).ok());
    Codeplug before = document.codeplug();
    expectUndoable(document, pasteRecords(document, clipboard, Family::Channel, 5), before);
    const Codeplug& c = document.codeplug();
    EXPECT_EQ(c.Channel[4].Name, "Home1");
    EXPECT_EQ(c.Channel[5].Name, "Home2");
    EXPECT_EQ(c.Channel[4].Number, 5);
    EXPECT_DOUBLE_EQ(c.Channel[5].RxFreq, 438.5);
    EXPECT_TRUE(pasteRecords(document, clipboard, Family::Channel, 256)->empty());
    // Pasting an unused channel over a zone member takes it out of the zone, in one undo step.
    test::change(document, [](Codeplug& cp) {
        cp.Zone[0].Used = 1;
        cp.Zone[0].Count = 2;
        test::setFront(cp.Zone[0].Members, {4, 5});
    });
    ASSERT_TRUE(clipboard.copy(document.codeplug(), Family::Channel, one(99)));
    before = document.codeplug();
    expectUndoable(document, pasteRecords(document, clipboard, Family::Channel, 4), before);
    EXPECT_EQ(document.codeplug().Zone[0].Count, 1);
    EXPECT_EQ(document.codeplug().Zone[0].Members[0], 5);
    // Cut several rows: copied, then deleted; pasted again from row 7 on.
    const std::array<std::size_t, 2> rows{0, 5};
    before = document.codeplug();
    expectUndoable(document, cutRecords(document, clipboard, Family::Channel, rows), before);
    EXPECT_EQ(document.codeplug().Channel[5].Used, 0);
    EXPECT_EQ(document.codeplug().Zone[0].Count, 0);
    EXPECT_EQ(clipboard.size(Family::Channel), 2u);
    ASSERT_TRUE(pasteRecords(document, clipboard, Family::Channel, 6).ok());
    EXPECT_EQ(document.codeplug().Channel[6].Name, "Home");
    EXPECT_EQ(document.codeplug().Channel[7].Name, "Home2");
}

TEST(ListEdits, TextMessagesAndArc4KeysShareOneClipboard) {
    Codeplug start = NumberedEmptyCodeplug();
    start.TextMessage1[0].Used = 1;
    start.TextMessage1[0].Text = "Hello";
    start.Arc4Key[0].KeyId = 3;
    Document document(start);
    Clipboard clipboard;

    ASSERT_TRUE(clipboard.copy(document.codeplug(), Family::TextMessage1, one(0)));
    ASSERT_TRUE(clipboard.copy(document.codeplug(), Family::Arc4Key, one(0)));
    EXPECT_FALSE(clipboard.holds(Family::TextMessage1));
    EXPECT_TRUE(pasteRecords(document, clipboard, Family::TextMessage1, 1)->empty());
    ASSERT_TRUE(pasteRecords(document, clipboard, Family::Arc4Key, 1).ok());
    EXPECT_EQ(document.codeplug().Arc4Key[1].KeyId, 3);

    ASSERT_TRUE(clipboard.copy(document.codeplug(), Family::TextMessage1, one(0)));
    EXPECT_FALSE(clipboard.holds(Family::TextMessage2)); // copied from the first grid only
    ASSERT_TRUE(pasteRecords(document, clipboard, Family::TextMessage1, 2).ok());
    EXPECT_EQ(document.codeplug().TextMessage1[2].Text, "Hello");
    EXPECT_EQ(document.codeplug().TextMessage1[2].Number, 3);
    // Families without a copy, and entries outside the table.
    EXPECT_FALSE(clipboard.copy(document.codeplug(), Family::RoamChannel, one(0)));
    EXPECT_FALSE(clipboard.copy(document.codeplug(), Family::TextMessage1, one(100)));
}

TEST(ListEdits, DeletingRepairsReferencesAndKeepsTheLastGroupContact) {
    Codeplug start = NumberedEmptyCodeplug();
    for (const std::size_t i : {0u, 1u, 2u}) {
        start.Contact[i].Used = 1;
        start.Contact[i].CallType = i == 1 ? 0 : 1;
    }
    start.Channel[0].Used = 1;
    start.Channel[0].Contact = 2; // contact 3
    start.RxGroup[0].Used = 1;
    start.RxGroup[0].Count = 2;
    test::setFront(start.RxGroup[0].Members, {0, 2});
    Document document(start);
    // Contacts 1 and 3 in one delete: the first goes, the second is then the last of call type
    // 1 and stays; channel and group list follow, and one undo brings it all back.
    const std::array<std::size_t, 2> rows{0, 2};
    expectUndoable(document, deleteRecords(document, Family::Contact, rows), start);
    const Codeplug& c = document.codeplug();
    EXPECT_EQ(c.Contact[0].Used, 0);
    EXPECT_EQ(c.Contact[2].Used, 1);
    EXPECT_EQ(c.RxGroup[0].Count, 1);
    EXPECT_EQ(c.RxGroup[0].Members[0], 2);
    EXPECT_EQ(c.Channel[0].Contact, 2);

    EXPECT_TRUE(deleteRecords(document, Family::EmgCode, one(0))->empty());
}

TEST(ListEdits, ZonesMoveWithTheirReferencesWhileSlotsKeepTheirNumbers) {
    Codeplug start = NumberedEmptyCodeplug();
    start.Zone[0].Used = 1;
    start.Zone[0].Name = "First";
    start.Zone[1].Used = 1;
    start.Zone[1].Name = "Second";
    start.Settings.ZoneRef = 0;
    start.ScanList[0].Count = 2;
    test::setFront(start.ScanList[0].MemberZones, {0, 1});
    Document document(start);

    EXPECT_TRUE(moveZone(document, 0, true)->empty());
    EXPECT_TRUE(moveZone(document, 15, false)->empty());

    expectUndoable(document, moveZone(document, 0, false), start);
    const Codeplug& c = document.codeplug();
    EXPECT_EQ(c.Zone[0].Name, "Second");
    EXPECT_EQ(c.Zone[1].Name, "First");
    EXPECT_EQ(c.Zone[0].Number, 1);
    EXPECT_EQ(c.Zone[1].Number, 2);
    EXPECT_EQ(c.Settings.ZoneRef, 1);
    EXPECT_EQ(test::first(c.ScanList[0].MemberZones, 2), (std::vector<int>{1, 0}));
}

TEST(ListEdits, CellEditsRepairTheirFamilysReferences) {
    Codeplug start = NumberedEmptyCodeplug();
    start.Person[0].Used = 1;
    start.Person[0].Name = "Me";
    start.Person[1].Used = 1;
    start.Person[1].Name = "Other";
    start.Channel[0].Used = 1;
    start.Channel[0].RadioId = 0;
    Document document(start);
    const Language language = Language::load(test::sourceDataFolder(), 1);
    const ColumnContext context{language, *bandRangesForCode(0)};

    const std::size_t radioId = *columnsOf(Family::Channel)->columnNamed("RadioId");
    expectUndoable(document, setCell(document, Family::Channel, 0, radioId, "Other", context),
                   start);
    EXPECT_EQ(document.codeplug().Channel[0].RadioId, 1);
    // A refused cell changes nothing and says where.
    const Codeplug before = document.codeplug();
    const std::size_t rx = *columnsOf(Family::Channel)->columnNamed("RxFreq");
    auto refused = setCell(document, Family::Channel, 0, rx, "12", context);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().text.find("Channel 1, RxFreq"), std::string::npos);
    EXPECT_TRUE(document.codeplug() == before);
}

} // namespace
} // namespace r605

// The grids' list-edit commands on the codeplug: the shared clipboard of grids 9 to 12, paste
// with unique names and repaired references, the last group contact, and zone moves.
#include "model/list_edit.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

Codeplug numbered() {
    Codeplug codeplug;
    for (std::size_t i = 0; i < codeplug.Channel.size(); ++i)
        codeplug.Channel[i].Number = static_cast<std::int16_t>(i + 1);
    for (std::size_t i = 0; i < codeplug.Zone.size(); ++i)
        codeplug.Zone[i].Number = static_cast<std::int16_t>(i + 1);
    for (std::size_t i = 0; i < codeplug.Contact.size(); ++i)
        codeplug.Contact[i].Number = static_cast<std::int32_t>(i + 1);
    for (std::size_t i = 0; i < codeplug.TextMessage1.size(); ++i) {
        codeplug.TextMessage1[i].Number = static_cast<std::int16_t>(i + 1);
        codeplug.TextMessage2[i].Number = static_cast<std::int16_t>(i + 1);
    }
    return codeplug;
}

TEST(ListEdit, PastedRecordsKeepTheirSlotAndGetUniqueNames) {
    Codeplug codeplug = numbered();
    codeplug.Channel[0].Used = 1;
    codeplug.Channel[0].Name = "Home";
    codeplug.Channel[0].RxFreq = 438.5;
    ListEditClipboard clipboard;
    EXPECT_FALSE(clipboard.Paste(codeplug, 0, 5)); // nothing copied yet
    EXPECT_EQ(codeplug.Channel[4].Used, 0);

    ASSERT_TRUE(clipboard.Copy(codeplug, 0, 1));
    ASSERT_TRUE(clipboard.Paste(codeplug, 0, 5));
    ASSERT_TRUE(clipboard.Paste(codeplug, 0, 6));
    EXPECT_EQ(codeplug.Channel[4].Name, "Home1");
    EXPECT_EQ(codeplug.Channel[5].Name, "Home2");
    EXPECT_EQ(codeplug.Channel[4].Number, 5);
    EXPECT_DOUBLE_EQ(codeplug.Channel[5].RxFreq, 438.5);
    EXPECT_FALSE(clipboard.Paste(codeplug, 0, 257));

    // Pasting an unused channel over a zone member takes it out of the zone.
    codeplug.Zone[0].Used = 1;
    codeplug.Zone[0].Count = 2;
    codeplug.Zone[0].Members[0] = 4;
    codeplug.Zone[0].Members[1] = 5;
    ASSERT_TRUE(clipboard.Copy(codeplug, 0, 100));
    ASSERT_TRUE(clipboard.Paste(codeplug, 0, 5));
    EXPECT_EQ(codeplug.Zone[0].Count, 1);
    EXPECT_EQ(codeplug.Zone[0].Members[0], 5);

    // Cut: copy, then delete.
    ASSERT_TRUE(clipboard.Cut(codeplug, 0, 6));
    EXPECT_EQ(codeplug.Channel[5].Used, 0);
    EXPECT_EQ(codeplug.Zone[0].Count, 0);
    ASSERT_TRUE(clipboard.Paste(codeplug, 0, 7));
    EXPECT_EQ(codeplug.Channel[6].Name, "Home2");
}

TEST(ListEdit, GridsNineToTwelveShareOneClipboard) {
    Codeplug codeplug = numbered();
    codeplug.TextMessage1[0].Used = 1;
    codeplug.TextMessage1[0].Text = "Hello";
    codeplug.Arc4Key[0].KeyId = 3;
    ListEditClipboard clipboard;

    ASSERT_TRUE(clipboard.Copy(codeplug, 9, 1));
    ASSERT_TRUE(clipboard.Copy(codeplug, 10, 1));
    EXPECT_FALSE(clipboard.isFull(9));
    EXPECT_FALSE(clipboard.Paste(codeplug, 9, 2));
    EXPECT_EQ(codeplug.TextMessage1[1].Used, 0);
    ASSERT_TRUE(clipboard.Paste(codeplug, 10, 2));
    EXPECT_EQ(codeplug.Arc4Key[1].KeyId, 3);

    ASSERT_TRUE(clipboard.Copy(codeplug, 9, 1));
    EXPECT_FALSE(clipboard.Paste(codeplug, 11, 1)); // copied in grid 9 only
    ASSERT_TRUE(clipboard.Paste(codeplug, 9, 3));
    EXPECT_EQ(codeplug.TextMessage1[2].Text, "Hello");
    EXPECT_EQ(codeplug.TextMessage1[2].Number, 3);

    // Grids without a copy, and rows outside the table.
    EXPECT_FALSE(clipboard.Copy(codeplug, 7, 1));
    EXPECT_FALSE(clipboard.Copy(codeplug, 9, 101));
    EXPECT_FALSE(clipboard.Copy(codeplug, 0, 0));
}

TEST(ListEdit, TheLastGroupContactStays) {
    Codeplug codeplug = numbered();
    codeplug.Contact[0].Used = 1;
    codeplug.Contact[0].CallType = 1;
    codeplug.Contact[1].Used = 1;
    codeplug.Contact[1].CallType = 0;

    EXPECT_FALSE(DeleteRecord(codeplug, 5, 1));
    EXPECT_EQ(codeplug.Contact[0].Used, 1);
    EXPECT_TRUE(DeleteRecord(codeplug, 5, 2));
    EXPECT_EQ(codeplug.Contact[1].Used, 0);

    codeplug.Contact[2].Used = 1;
    codeplug.Contact[2].CallType = 1;
    EXPECT_TRUE(DeleteRecord(codeplug, 5, 1));
    EXPECT_EQ(codeplug.Contact[0].Used, 0);
    EXPECT_FALSE(DeleteRecord(codeplug, 5, 3));

    // Grids without records to delete.
    EXPECT_FALSE(DeleteRecord(codeplug, 13, 1));
    EXPECT_FALSE(DeleteRecord(codeplug, 16, 1));
}

TEST(ListEdit, ZonesMoveWithTheirReferencesWhileSlotsKeepTheirNumbers) {
    Codeplug codeplug = numbered();
    codeplug.Zone[0].Used = 1;
    codeplug.Zone[0].Name = "First";
    codeplug.Zone[1].Used = 1;
    codeplug.Zone[1].Name = "Second";
    codeplug.Settings.ZoneRef = 0;
    codeplug.ScanList[0].Count = 2;
    codeplug.ScanList[0].MemberZones[0] = 0;
    codeplug.ScanList[0].MemberZones[1] = 1;

    EXPECT_FALSE(MoveZoneUp(codeplug, 1).has_value());
    EXPECT_FALSE(MoveZoneDown(codeplug, 16).has_value());
    EXPECT_EQ(codeplug.Zone[0].Name, "First");

    EXPECT_EQ(MoveZoneDown(codeplug, 1), 2);
    EXPECT_EQ(codeplug.Zone[0].Name, "Second");
    EXPECT_EQ(codeplug.Zone[1].Name, "First");
    EXPECT_EQ(codeplug.Zone[0].Number, 1);
    EXPECT_EQ(codeplug.Zone[1].Number, 2);
    EXPECT_EQ(codeplug.Settings.ZoneRef, 1);
    EXPECT_EQ(codeplug.ScanList[0].MemberZones[0], 1);
    EXPECT_EQ(codeplug.ScanList[0].MemberZones[1], 0);

    EXPECT_EQ(MoveZoneUp(codeplug, 2), 1);
    EXPECT_EQ(codeplug.Zone[0].Name, "First");
    EXPECT_EQ(codeplug.Settings.ZoneRef, 0);
}

} // namespace
} // namespace r605

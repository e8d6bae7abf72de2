// Unique default names: numbering within a family, the byte limit, a record's own name, and the
// families without a test.
#include "model/default_names.h"

#include <gtest/gtest.h>

#include <string>

namespace r605 {
namespace {

TEST(DefaultNames, NamesAreNumberedUntilNoOtherRecordInUseHasThem) {
    Codeplug codeplug;
    EXPECT_EQ(DefaultZoneName(codeplug, 0), "Zone 1");
    codeplug.Zone[0].Used = 1;
    codeplug.Zone[0].Name = "Zone 1";
    codeplug.Zone[1].Used = 1;
    codeplug.Zone[1].Name = "Zone 2";
    codeplug.Zone[5].Name = "Zone 3"; // not in use: does not count
    EXPECT_EQ(DefaultZoneName(codeplug, 2), "Zone 3");
    // A record's own name never counts against it.
    EXPECT_EQ(DefaultZoneName(codeplug, 0), "Zone 1");

    for (int i = 0; i < 9; ++i) {
        codeplug.Channel[static_cast<std::size_t>(i)].Used = 1;
        codeplug.Channel[static_cast<std::size_t>(i)].Name = "Channel " + std::to_string(i + 1);
    }
    EXPECT_EQ(DefaultChannelName(codeplug, 9), "Channel10");
    codeplug.Channel[9].Used = 1;
    codeplug.Channel[9].Name = "Channel10";
    EXPECT_EQ(DefaultChannelName(codeplug, 10), "Channel11");

    // A name without a trailing number gets one appended without a blank.
    codeplug.Person[0].Used = 1;
    codeplug.Person[0].Name = "Home";
    EXPECT_EQ(MakeUniqueName(codeplug, 1, "Home", 16, kFamilyPerson), "Home1");
    EXPECT_EQ(DefaultRadioIdName(codeplug, 1), "Radio 1");
    EXPECT_EQ(DefaultScanListName(codeplug, 0), "Scan List 1");
    EXPECT_EQ(DefaultGroupListName(codeplug, 0), "Group List 1");
    EXPECT_EQ(DefaultRoamZoneName(codeplug, 0), "Roam Zone 1");
}

TEST(DefaultNames, NamesLongerThanTheirFieldLoseCharactersAtTheFront) {
    Codeplug codeplug;
    const std::string name = "X" + std::string(34, 'A') + "1"; // 36 bytes
    codeplug.RxGroup[0].Used = 1;
    codeplug.RxGroup[0].Name = name;
    EXPECT_EQ(MakeUniqueName(codeplug, 1, name, 35, kFamilyRxGroup), name.substr(1));

    // Double-byte characters count as two bytes.
    const std::string chinese = "频道频道频道频道"; // 16 bytes in code page 936
    codeplug.Channel[0].Used = 1;
    codeplug.Channel[0].Name = chinese;
    EXPECT_EQ(MakeUniqueName(codeplug, 1, chinese, 16, kFamilyChannel), "道频道频道频道1");
}

TEST(DefaultNames, SomeFamiliesHaveNoTest) {
    Codeplug codeplug;
    codeplug.RoamChannel[0].Used = 1;
    codeplug.RoamChannel[0].Name = "Roam Channel 1";
    EXPECT_EQ(DefaultRoamChannelName(codeplug, 1), "Roam Channel 1");

    codeplug.Contact[0].Used = 1;
    codeplug.Contact[0].Name = "Contact 1";
    EXPECT_EQ(DefaultContactName(codeplug, 1), "Contact 2");
    // Named while another grid is shown: no test, whatever that grid's records are called.
    codeplug.Channel[0].Used = 1;
    codeplug.Channel[0].Name = "Contact 1";
    EXPECT_EQ(DefaultContactName(codeplug, 1, 0), "Contact 1");
    EXPECT_EQ(DefaultContactName(codeplug, 1, 17), "Contact 1");

    EXPECT_TRUE(IsNameUnique(codeplug, 4, "anything", 0));
}

TEST(DefaultNames, TheTestTrimsTheNamesItCompares) {
    Codeplug codeplug;
    codeplug.Zone[3].Used = 1;
    codeplug.Zone[3].Name = std::string("North\0old  ", 11);
    EXPECT_FALSE(IsNameUnique(codeplug, kFamilyZone, "North", 0));
    EXPECT_EQ(codeplug.Zone[3].Name, "North");
    EXPECT_TRUE(IsNameUnique(codeplug, kFamilyZone, "North", 3));
}

} // namespace
} // namespace r605

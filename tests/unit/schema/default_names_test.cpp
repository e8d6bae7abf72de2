// Unique default names: numbering within a family, the byte limit, a record's own name, and the
// families without a test.
#include "schema/default_names.h"

#include <gtest/gtest.h>

#include <string>

namespace r605 {
namespace {

TEST(DefaultNames, NamesAreNumberedUntilNoOtherRecordInUseHasThem) {
    Codeplug codeplug;
    EXPECT_EQ(DefaultName(codeplug, Family::Zone, 0), "Zone 1");
    codeplug.Zone[0].Used = 1;
    codeplug.Zone[0].Name = "Zone 1";
    codeplug.Zone[1].Used = 1;
    codeplug.Zone[1].Name = std::string("Zone 2\0old  ", 12); // compared as TrimAtNull cuts it
    codeplug.Zone[5].Name = "Zone 3"; // not in use: does not count
    EXPECT_EQ(DefaultName(codeplug, Family::Zone, 2), "Zone 3");
    // A record's own name never counts against it.
    EXPECT_EQ(DefaultName(codeplug, Family::Zone, 0), "Zone 1");

    for (std::size_t i = 0; i < 9; ++i) {
        codeplug.Channel[i].Used = 1;
        codeplug.Channel[i].Name = "Channel " + std::to_string(i + 1);
    }
    EXPECT_EQ(DefaultName(codeplug, Family::Channel, 9), "Channel10");
    codeplug.Channel[9].Used = 1;
    codeplug.Channel[9].Name = "Channel10";
    EXPECT_EQ(DefaultName(codeplug, Family::Channel, 10), "Channel11");
    // A name without a trailing number gets one appended without a blank.
    codeplug.Person[0].Used = 1;
    codeplug.Person[0].Name = "Home";
    EXPECT_EQ(MakeUniqueName(codeplug, Family::Person, 1, "Home"), "Home1");
    EXPECT_EQ(DefaultName(codeplug, Family::Person, 1), "Radio 1");
    EXPECT_EQ(DefaultName(codeplug, Family::ScanList, 0), "Scan List 1");
    EXPECT_EQ(DefaultName(codeplug, Family::RxGroup, 0), "Group List 1");
    EXPECT_EQ(DefaultName(codeplug, Family::RoamZone, 0), "Roam Zone 1");
}

TEST(DefaultNames, NamesLongerThanTheirFieldLoseCharactersAtTheFront) {
    Codeplug codeplug;
    const std::string name = "X" + std::string(34, 'A') + "1"; // 36 bytes
    codeplug.RxGroup[0].Used = 1;
    codeplug.RxGroup[0].Name = name;
    EXPECT_EQ(MakeUniqueName(codeplug, Family::RxGroup, 1, name), name.substr(1));
    // Double-byte characters count as two bytes.
    const std::string chinese = "频道频道频道频道"; // 16 bytes in code page 936
    codeplug.Channel[0].Used = 1;
    codeplug.Channel[0].Name = chinese;
    EXPECT_EQ(MakeUniqueName(codeplug, Family::Channel, 1, chinese), "道频道频道频道1");
}

TEST(DefaultNames, SomeFamiliesHaveNoTest) {
    Codeplug codeplug;
    codeplug.RoamChannel[0].Used = 1;
    codeplug.RoamChannel[0].Name = "Roam Channel 1";
    EXPECT_EQ(DefaultName(codeplug, Family::RoamChannel, 1), "Roam Channel 1");

    codeplug.Contact[0].Used = 1;
    codeplug.Contact[0].Name = "Contact 1";
    EXPECT_EQ(DefaultName(codeplug, Family::Contact, 1), "Contact 2");
    // Named while another grid is shown: no test.
    EXPECT_EQ(DefaultName(codeplug, Family::Contact, 1, false), "Contact 1");
    EXPECT_TRUE(IsNameUnique(codeplug, Family::PhoneBook, "anything", 0));
}

} // namespace
} // namespace r605

// Reference repair: after deletes, pastes and zone moves no record refers to one that is no
// longer in use, and the settings' references stay on qualifying records.
#include "model/reference_repair.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace r605 {
namespace {

using test::first;

void useChannel(Codeplug& codeplug, int number, int chType = 0) {
    ChannelRec& channel = codeplug.Channel[static_cast<std::size_t>(number - 1)];
    channel.Number = static_cast<std::int16_t>(number);
    channel.Used = 1;
    channel.ChType = static_cast<std::int16_t>(chType);
}

// A zone in use holding the given channels (1-based numbers).
void makeZone(Codeplug& codeplug, int number, std::initializer_list<int> channels) {
    ZoneRec& zone = codeplug.Zone[static_cast<std::size_t>(number - 1)];
    zone.Used = 1;
    zone.Count = 0;
    for (int channel : channels) {
        useChannel(codeplug, channel);
        zone.Members[static_cast<std::size_t>(zone.Count++)] =
            static_cast<std::int16_t>(channel - 1);
    }
}

// A scan list holding the given channels (1-based numbers) with their member zones (0-based).
void makeScanList(Codeplug& codeplug, int number, std::initializer_list<int> channels,
                  std::initializer_list<int> zones) {
    ScanListRec& list = codeplug.ScanList[static_cast<std::size_t>(number - 1)];
    list.Used = 1;
    list.Count = 0;
    auto zone = zones.begin();
    for (int channel : channels) {
        const auto k = static_cast<std::size_t>(list.Count++);
        list.Members[k] = static_cast<std::int16_t>(channel - 1);
        list.MemberZones[k] = static_cast<std::int16_t>(zone != zones.end() ? *zone++ : -1);
    }
}

TEST(ReferenceRepair, DeletedScanListsAndGroupListsLeaveTheChannels) {
    Codeplug codeplug;
    useChannel(codeplug, 1);
    for (int list : {1, 3, 5})
        codeplug.ScanList[static_cast<std::size_t>(list - 1)].Used = 1;
    codeplug.Channel[0].ScanLists = {0, 2, 4, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    codeplug.ScanList[2].Used = 0; // delete scan list 3
    RepairScanListRefs(codeplug);
    EXPECT_EQ(first(codeplug.Channel[0].ScanLists, 8),
              (std::vector<int>{0, 4, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    // Group list 5 in use stays; 6 (not in use) and 251 (out of range) go.
    codeplug.RxGroup[4].Used = 1;
    for (const auto& [number, group] : {std::pair{2, 5}, {3, 6}, {4, 251}}) {
        useChannel(codeplug, number);
        codeplug.Channel[static_cast<std::size_t>(number - 1)].RxGroup =
            static_cast<std::int16_t>(group);
    }
    RepairRxGroupRefs(codeplug);
    EXPECT_EQ(test::mapped<int>([&](int n) { return codeplug.Channel[n].RxGroup; }, {1, 2, 3}),
              (std::vector<int>{5, 0, 0}));
}

TEST(ReferenceRepair, RadioIdsFollowTheirInUseFlag) {
    Codeplug codeplug;
    useChannel(codeplug, 1);
    useChannel(codeplug, 2);
    codeplug.Channel[5].RadioId = 9; // not in use: never touched
    // Radio ID 4 comes into use as the only one: every channel takes it.
    codeplug.Person[3].Used = 1;
    RepairRadioIdRefs(codeplug, 4, 0);
    EXPECT_EQ(codeplug.Channel[0].RadioId, 3);
    EXPECT_EQ(codeplug.Channel[1].RadioId, 3);
    EXPECT_EQ(codeplug.Channel[5].RadioId, 9);
    // A second one coming into use changes nothing; the flag unchanged changes nothing.
    codeplug.Person[1].Used = 1;
    RepairRadioIdRefs(codeplug, 2, 0);
    RepairRadioIdRefs(codeplug, 4, 1);
    EXPECT_EQ(codeplug.Channel[0].RadioId, 3);
    // Deleting the radio ID all channels use moves them to the first one still in use.
    codeplug.Person[3].Used = 0;
    RepairRadioIdRefs(codeplug, 4, 1);
    EXPECT_EQ(codeplug.Channel[0].RadioId, 1);
    EXPECT_EQ(codeplug.Channel[1].RadioId, 1);
    // The last one gone: none (-1).
    codeplug.Person[1].Used = 0;
    RepairRadioIdRefs(codeplug, 2, 1);
    EXPECT_EQ(codeplug.Channel[0].RadioId, -1);

    RepairRadioIdRefs(codeplug, 0, 1);
    RepairRadioIdRefs(codeplug, 251, 1);
    EXPECT_EQ(codeplug.Channel[0].RadioId, -1);
}

TEST(ReferenceRepair, ContactsLeaveGroupListsQuickCallsAndChannels) {
    Codeplug codeplug;
    useChannel(codeplug, 1);
    useChannel(codeplug, 2);
    for (int entry : {0, 4, 7}) {
        codeplug.Contact[static_cast<std::size_t>(entry)].Used = 1;
        codeplug.Contact[static_cast<std::size_t>(entry)].CallType = 1;
    }
    codeplug.Channel[0].Contact = 4;
    codeplug.Channel[1].Contact = 7;
    RxGroupRec& group = codeplug.RxGroup[2];
    group.Used = 1;
    group.Count = 3;
    std::copy_n(std::array{0, 4, 7}.begin(), 3, group.Members.begin());
    codeplug.Channel[0].RxGroup = 3;
    codeplug.QuickCall[0] = QuickCallRec{2, 5, 1};
    codeplug.QuickCall[1] = QuickCallRec{1, 5, 1}; // another kind: not a contact
    codeplug.QuickCall[2] = QuickCallRec{2, 8, 1};
    codeplug.QuickCall[3] = QuickCallRec{2, 8, 7};
    // Contact 5 becomes a private call: it leaves the group list, its quick call follows.
    codeplug.Contact[4].CallType = 0;
    RepairContactRefs(codeplug, 5, 1, 1);
    EXPECT_EQ(group.Count, 2);
    EXPECT_EQ(first(group.Members, 3), (std::vector<int>{0, 7, -1}));
    EXPECT_EQ(codeplug.QuickCall[0].CallMode, 2);
    EXPECT_EQ(codeplug.QuickCall[1].CallMode, 1);
    EXPECT_EQ(codeplug.Channel[0].Contact, 4); // still in use
    // Contact 8 changes to call type 2: group list left, quick-call modes 1 -> 3 and 7 -> 9.
    codeplug.Contact[7].CallType = 2;
    RepairContactRefs(codeplug, 8, 1, 1);
    EXPECT_EQ(group.Count, 1);
    EXPECT_EQ(codeplug.QuickCall[2].CallMode, 3);
    EXPECT_EQ(codeplug.QuickCall[3].CallMode, 9);
    // Contact 5 deleted: its quick call loses it, the channel takes the first contact in use.
    codeplug.Contact[4].Used = 0;
    RepairContactRefs(codeplug, 5, 1, 0);
    EXPECT_EQ(codeplug.QuickCall[0].Contact, 0);
    EXPECT_EQ(codeplug.QuickCall[1].Contact, 5);
    EXPECT_EQ(codeplug.Channel[0].Contact, 0);
    EXPECT_EQ(codeplug.Channel[1].Contact, 7);
    // The last group member deleted: the empty list's channel keeps it as long as it is in use.
    codeplug.Contact[0].Used = 0;
    RepairContactRefs(codeplug, 1, 1, 1);
    EXPECT_EQ(group.Count, 0);
    EXPECT_EQ(codeplug.Channel[0].RxGroup, 3);
    EXPECT_EQ(codeplug.Channel[0].Contact, 7);
    // Deleting a group list's last reference: channels on a deleted list lose it.
    group.Used = 0;
    codeplug.Contact[7].CallType = 1;
    codeplug.Contact[7].Used = 0;
    RepairContactRefs(codeplug, 8, 1, 1);
    EXPECT_EQ(codeplug.Channel[0].RxGroup, 0);
    EXPECT_EQ(codeplug.Channel[1].Contact, 0); // none left in use
    // A contact that comes into use as the only one: every channel calls it.
    codeplug.Contact[20].Used = 1;
    RepairContactRefs(codeplug, 21, 0, 0);
    EXPECT_EQ(codeplug.Channel[0].Contact, 20);
    EXPECT_EQ(codeplug.Channel[1].Contact, 20);
}

TEST(ReferenceRepair, DeletedChannelsLeaveZonesAndScanLists) {
    Codeplug codeplug;
    makeZone(codeplug, 1, {2, 7, 9});
    makeZone(codeplug, 2, {3, 5, 8});
    codeplug.Zone[1].Selected1 = 4; // both selected channels are channel 5
    codeplug.Zone[1].Selected2 = 4;
    makeScanList(codeplug, 4, {1, 7, 5}, {});
    codeplug.ScanList[3].Used = 0; // a scan list not in use is repaired too
    useChannel(codeplug, 1);

    codeplug.Channel[6].Used = 0;
    RepairChannelRefs(codeplug, 7, 1);
    EXPECT_EQ(first(codeplug.Zone[0].Members, 3), (std::vector<int>{1, 8, -1}));
    EXPECT_EQ(codeplug.Zone[0].Count, 2);
    EXPECT_EQ(first(codeplug.ScanList[3].Members, 2), (std::vector<int>{0, 4}));
    EXPECT_EQ(codeplug.ScanList[3].Count, 2);

    codeplug.Channel[4].Used = 0;
    RepairChannelRefs(codeplug, 5, 1);
    EXPECT_EQ(first(codeplug.Zone[1].Members, 2), (std::vector<int>{2, 7}));
    EXPECT_EQ(codeplug.Zone[1].Selected1, 2);
    EXPECT_EQ(codeplug.Zone[1].Selected2, 7);
    EXPECT_EQ(first(codeplug.ScanList[3].Members, 1), (std::vector<int>{0}));
    // A channel whose flag did not change leaves everything where it is.
    RepairChannelRefs(codeplug, 9, 1);
    EXPECT_EQ(codeplug.Zone[0].Count, 2);
    // Numbers outside the table and counts beyond the arrays change nothing and are safe.
    codeplug.Zone[2].Used = 1;
    codeplug.Zone[2].Count = 40;
    codeplug.Channel[1].Used = 0;
    RepairChannelRefs(codeplug, 2, 1);
    RepairChannelRefs(codeplug, 300, 1);
    EXPECT_EQ(first(codeplug.Zone[0].Members, 1), (std::vector<int>{8}));
}

TEST(ReferenceRepair, SettingsChannelReferencesStayOnChannelsOfTheirType) {
    Codeplug codeplug;
    useChannel(codeplug, 1, 0);
    useChannel(codeplug, 2, 1);
    codeplug.Settings.ChannelRef1 = 1;
    codeplug.Settings.ChannelRef2 = 1;
    RepairChannelRefs(codeplug, 2, 1);
    EXPECT_EQ(codeplug.Settings.ChannelRef1, 0);
    EXPECT_EQ(codeplug.Settings.ChannelRef2, 1);

    useChannel(codeplug, 3, 3);
    codeplug.Settings.ChannelRef2 = 2; // odd type: stays
    RepairChannelRefs(codeplug, 3, 0);
    EXPECT_EQ(codeplug.Settings.ChannelRef2, 2);

    codeplug.Channel[1].ChType = 2;
    codeplug.Channel[2].Used = 0;
    RepairChannelRefs(codeplug, 3, 1);
    EXPECT_EQ(codeplug.Settings.ChannelRef1, 0);
    EXPECT_EQ(codeplug.Settings.ChannelRef2, 0); // no in-use channel of odd type
}

TEST(ReferenceRepair, ZonesGoneOrSwappedMoveScanListsAndTheSettings) {
    Codeplug codeplug;
    makeZone(codeplug, 1, {1});
    makeZone(codeplug, 2, {4, 6});
    makeZone(codeplug, 3, {6, 7});
    makeScanList(codeplug, 1, {4, 6, 1, 7}, {1, 1, 0, 2});
    codeplug.Settings.ZoneRef = 1;
    // Deleting zone 2: channel 4 lay only there and leaves; channel 6 stays, now in zone 3.
    codeplug.Zone[1].Used = 0;
    RepairZoneRefs(codeplug);
    const ScanListRec& list = codeplug.ScanList[0];
    EXPECT_EQ(list.Count, 3);
    EXPECT_EQ(first(list.Members, 3), (std::vector<int>{5, 0, 6}));
    EXPECT_EQ(first(list.MemberZones, 3), (std::vector<int>{2, 0, 2}));
    EXPECT_EQ(codeplug.Settings.ZoneRef, 0);
    // Moving zone 1 down: entries 0 and 1 change places everywhere.
    SwapZoneRefs(codeplug, 0, 1);
    EXPECT_EQ(first(list.MemberZones, 3), (std::vector<int>{2, 1, 2}));
    EXPECT_EQ(codeplug.Settings.ZoneRef, 1);
    // No zone in use: the reference becomes 0 and every member leaves.
    for (ZoneRec& zone : codeplug.Zone)
        zone.Used = 0;
    RepairZoneRefs(codeplug);
    EXPECT_EQ(codeplug.Settings.ZoneRef, 0);
    EXPECT_EQ(list.Count, 0);
}

} // namespace
} // namespace r605

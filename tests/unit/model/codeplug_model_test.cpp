#include "model/codeplug.h"
#include "model/packed_size.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace r605 {
namespace {

template <class Record> std::vector<std::string> fieldNames() {
    Record record;
    std::vector<std::string> names;
    forEachField(record, [&names](const Field& field, auto&) { names.emplace_back(field.name); });
    return names;
}

// Files write records field by field in declaration order, so order and widths are the format.
TEST(CodeplugModel, RecordsKeepTheirFieldOrderAndFileWidths) {
    const std::vector<std::string> channel = fieldNames<ChannelRec>();
    ASSERT_EQ(channel.size(), 58u);
    EXPECT_EQ(channel[0], "Number");
    EXPECT_EQ(channel[4], "Unencoded1");
    EXPECT_EQ(channel[20], "Contact");
    EXPECT_EQ(channel[34], "Unencoded2");
    EXPECT_EQ(channel[39], "Name");
    EXPECT_EQ(channel[41], "Unencoded4");
    EXPECT_EQ(channel[52], "ScanLists");
    EXPECT_EQ(channel.back(), "Byte59");

    EXPECT_EQ(packedSize<ChannelRec>(), 138u);
    EXPECT_EQ(packedSize<PersonRec>(), 26u);
    EXPECT_EQ(packedSize<ContactRec>(), 101u);
    EXPECT_EQ(packedSize<RxGroupRec>(), 297u);
    EXPECT_EQ(packedSize<ZoneRec>(), 58u);
    EXPECT_EQ(packedSize<ScanListRec>(), 161u);
    EXPECT_EQ(packedSize<RoamChannelRec>(), 36u);
    EXPECT_EQ(packedSize<RoamZoneRec>(), 150u);
    EXPECT_EQ(packedSize<DtmfRec>(), 16u * 18 + 4 * 18 + 6 * 2 + 3 + 6 * 2);
    EXPECT_EQ(packedSize<EmgCodeRec>(), 8u);
    EXPECT_EQ(packedSize<AesKeyRec>(), 67u);
    EXPECT_EQ(packedSize<Arc4KeyRec>(), 12u);
    EXPECT_EQ(packedSize<AlertTonePattern>(), 60u);
    EXPECT_EQ(packedSize<QuickCallRec>(), 8u);
    EXPECT_EQ(packedSize<CodeplugHeader>(), 14u);
    EXPECT_EQ(packedSize<TwoToneAreas>(), 0x180u + 0x20 + 0x200 + 0x10);
}

TEST(CodeplugModel, HoldsEveryTableAtItsFixedSizeAsAValue) {
    Codeplug codeplug;
    EXPECT_EQ(codeplug.Channel.size(), 256u);
    EXPECT_EQ(codeplug.Person.size(), 250u);
    EXPECT_EQ(codeplug.Zone.size(), 16u);
    EXPECT_EQ(codeplug.ScanList.size(), 16u);
    EXPECT_EQ(codeplug.Contact.size(), 10000u);
    EXPECT_EQ(codeplug.RxGroup.size(), 250u);
    EXPECT_EQ(codeplug.RoamChannel.size(), 250u);
    EXPECT_EQ(codeplug.RoamZone.size(), 64u);
    EXPECT_EQ(codeplug.EMG_Code.size(), 32u);
    EXPECT_EQ(codeplug.AesKey.size(), 255u);
    EXPECT_EQ(codeplug.Arc4Key.size(), 255u);
    EXPECT_EQ(codeplug.QuickCall.size(), 18u);
    EXPECT_EQ(codeplug.AlertTonePatterns.size(), 5u);
    EXPECT_EQ(codeplug.Dtmf.Codes.size(), 16u);

    // Member lists start as "none", the channel's scan lists as 0xFF.
    EXPECT_EQ(codeplug.Zone[0].Members[15], -1);
    EXPECT_EQ(codeplug.RxGroup[249].Members[63], -1);
    EXPECT_EQ(codeplug.Channel[0].ScanLists[7], 0xFF);

    Codeplug copy = codeplug;
    EXPECT_EQ(copy, codeplug);
    copy.Contact[9999].Name = "Last";
    EXPECT_NE(copy, codeplug);
    EXPECT_TRUE(codeplug.Contact[9999].Name.empty());
}

} // namespace
} // namespace r605

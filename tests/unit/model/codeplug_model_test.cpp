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

    EXPECT_EQ((std::vector<std::size_t>{
                  packedSize<ChannelRec>(), packedSize<PersonRec>(), packedSize<ContactRec>(),
                  packedSize<RxGroupRec>(), packedSize<ZoneRec>(), packedSize<ScanListRec>(),
                  packedSize<RoamChannelRec>(), packedSize<RoamZoneRec>(), packedSize<DtmfRec>(),
                  packedSize<EmgCodeRec>(), packedSize<AesKeyRec>(), packedSize<Arc4KeyRec>(),
                  packedSize<AlertTonePattern>(), packedSize<QuickCallRec>(),
                  packedSize<CodeplugHeader>(), packedSize<TwoToneAreas>()}),
              (std::vector<std::size_t>{138, 26, 101, 297, 58, 161, 36, 150,
                                        16 * 18 + 4 * 18 + 6 * 2 + 3 + 6 * 2, 8, 67, 12, 60, 8, 14,
                                        0x180 + 0x20 + 0x200 + 0x10}));
}

} // namespace
} // namespace r605

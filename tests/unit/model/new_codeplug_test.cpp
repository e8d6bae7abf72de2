// The in-program new codeplug: the first records and values it names, for UHF and VHF bands,
// the channel display numbers and the embedded-information stamp.
#include "model/embedded_info_defaults.h"
#include "schema/new_codeplug.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

template <class TableT> int inUse(const TableT& table) {
    int count = 0;
    for (const auto& record : table)
        count += record.Used > 0 ? 1 : 0;
    return count;
}

TEST(NewCodeplug, HoldsTheFirstRecordsOfItsBandAndNothingElse) {
    auto made = NewCodeplug(0);
    ASSERT_TRUE(made.ok());
    const Codeplug& codeplug = *made;
    EXPECT_EQ(std::tuple(codeplug.Header.ModelFamily, codeplug.Header.BandCode,
                         codeplug.Header.DataVersion),
              std::tuple("R600MK", 0, "V110"));
    // Two channels, one contact, one roaming channel and zone; no record of any other table.
    EXPECT_EQ((std::vector<int>{inUse(codeplug.Channel), inUse(codeplug.Contact),
                                inUse(codeplug.RoamChannel), inUse(codeplug.RoamZone),
                                inUse(codeplug.Person), inUse(codeplug.Zone),
                                inUse(codeplug.ScanList), inUse(codeplug.RxGroup),
                                inUse(codeplug.PhoneBook), inUse(codeplug.TextMessage1),
                                inUse(codeplug.Recording), inUse(codeplug.TwoToneEntry)}),
              (std::vector<int>{2, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    // The two channels are the band's default channel at its centre.
    ChannelRec channel = BuiltInDefaultChannel(*bandRangesForCode(0));
    channel.Number = 2;
    channel.Name = "CH 2";
    channel.Byte59 = 1;
    EXPECT_EQ(codeplug.Channel[1], channel);
    EXPECT_EQ(codeplug.Channel[0].Name, "CH 1");

    EXPECT_EQ(codeplug.Contact[0].Name, "Contact 1");
    EXPECT_EQ(codeplug.Contact[0].City, "Unknown");
    EXPECT_EQ(codeplug.Contact[0].CallType, 1);
    EXPECT_EQ(codeplug.Contact[41].Id, 42);
    EXPECT_EQ(codeplug.RoamChannel[0].Name, "Roam Channel 1");
    EXPECT_DOUBLE_EQ(codeplug.RoamChannel[0].RxFreq, 440.0);
    EXPECT_NEAR(codeplug.RoamChannel[0].TxFreq, 439.9, 1e-9);
    EXPECT_EQ(codeplug.RoamZone[0].Name, "Roam Zone 1");
    EXPECT_EQ(test::first(codeplug.RoamZone[0].Members, codeplug.RoamZone[0].Count),
              std::vector<int>{0});
    EXPECT_EQ(codeplug.TextMessage4[7].Index, 7);
    EXPECT_EQ(codeplug.EMG_Code[31].Code, 65535);
    EXPECT_EQ(codeplug.Dtmf.Set0, 14);
    EXPECT_EQ(codeplug.Dtmf.IdDigits, "000");
    EXPECT_DOUBLE_EQ(codeplug.Aprs.Frequency, 145.0);

    EXPECT_FALSE(NewCodeplug(12).ok());
}

TEST(NewCodeplug, TakesTheCentreOfEachBandRangeAndTheTemplateGiven) {
    auto vhf = NewCodeplug(34);
    ASSERT_TRUE(vhf.ok());
    EXPECT_DOUBLE_EQ(vhf->Channel[0].RxFreq, 155.0);
    EXPECT_DOUBLE_EQ(vhf->Channel[1].RxFreq, 155.0);
    EXPECT_DOUBLE_EQ(vhf->RoamChannel[0].RxFreq, 155.0);
    // A dual-band text: channel 1 in range 1, channel 2 in range 2.
    BandRanges ranges;
    ranges.range[0] = BandRange{400, 480, 400, 480, "", ""};
    ranges.range[1] = BandRange{136, 174, 136, 174, "", ""};
    ChannelRec channelTemplate = BuiltInDefaultChannel(ranges);
    channelTemplate.Power = 1;
    channelTemplate.Name = "Template";
    const Codeplug codeplug = NewCodeplug(0, ranges, channelTemplate);
    EXPECT_DOUBLE_EQ(codeplug.Channel[0].RxFreq, 440.0);
    EXPECT_DOUBLE_EQ(codeplug.Channel[1].RxFreq, 155.0);
    EXPECT_EQ(codeplug.Channel[1].Power, 1);
    EXPECT_EQ(codeplug.Channel[1].Name, "CH 2");
}

TEST(NewCodeplug, ChannelDisplayNumbersAndTheEmbeddedInformationStamp) {
    EXPECT_EQ(ChannelDisplayNumber(0, 12), "12");
    EXPECT_EQ(ChannelDisplayNumber(0, 257), "VFO A");
    EXPECT_EQ(ChannelDisplayNumber(0, 258), "VFO B");
    EXPECT_EQ(ChannelDisplayNumber(1, 258), "258");

    EmbeddedInfoRec info;
    info.Note = "old";
    const CalendarDate date{2024, 3, 7};
    EXPECT_EQ(IsoDateText(date), "2024-03-07");
    SetEmbeddedInfoDefaults(info, date, "2024/3/7");
    EXPECT_EQ(info.SerialNumber, "2024030700000001");
    EXPECT_EQ(info.ProductionDate, std::string("2024/3/7\0", 9));
    EXPECT_EQ(info.SellDate, info.ProductionDate);
    EXPECT_EQ(info.Description, std::string(1, '\0'));
    EXPECT_TRUE(info.Note.empty());
}

} // namespace
} // namespace r605

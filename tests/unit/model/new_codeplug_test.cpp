// The in-program new codeplug: the first records and values it names, for UHF and VHF bands,
// the channel display numbers and the embedded-information stamp.
#include "model/embedded_info_defaults.h"
#include "schema/new_codeplug.h"

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
    EXPECT_EQ(codeplug.Header.ModelFamily, "R600MK");
    EXPECT_EQ(codeplug.Header.BandCode, 0);
    EXPECT_EQ(codeplug.Header.DataVersion, "V110");

    EXPECT_EQ(inUse(codeplug.Channel), 2);
    EXPECT_EQ(codeplug.Channel[0].Name, "CH 1");
    EXPECT_EQ(codeplug.Channel[1].Name, "CH 2");
    EXPECT_DOUBLE_EQ(codeplug.Channel[0].RxFreq, 440.0);
    EXPECT_DOUBLE_EQ(codeplug.Channel[1].RxFreq, 440.0);
    EXPECT_EQ(codeplug.Channel[0].OffsetDir, 0);
    EXPECT_EQ(codeplug.Channel[0].Byte59, 1);
    EXPECT_EQ(codeplug.Channel[0].ChType, 1);
    EXPECT_EQ(codeplug.Channel[0].RxDcs, 17);
    EXPECT_EQ(codeplug.Channel[0].CustomCtcss, 2511);
    EXPECT_EQ(codeplug.Channel[0].ScanLists[0], 0xFF);
    EXPECT_EQ(codeplug.Channel[200].Number, 201);
    EXPECT_EQ(codeplug.Channel[200].ContactRaw, -1);
    EXPECT_EQ(codeplug.Channel[200].Unencoded4, -1);

    EXPECT_EQ(inUse(codeplug.Contact), 1);
    EXPECT_EQ(codeplug.Contact[0].Name, "Contact 1");
    EXPECT_EQ(codeplug.Contact[0].City, "Unknown");
    EXPECT_EQ(codeplug.Contact[0].CallType, 1);
    EXPECT_EQ(codeplug.Contact[0].Id, 1);
    EXPECT_EQ(codeplug.Contact[41].Id, 42);

    EXPECT_EQ(inUse(codeplug.RoamChannel), 1);
    EXPECT_EQ(codeplug.RoamChannel[0].Name, "Roam Channel 1");
    EXPECT_DOUBLE_EQ(codeplug.RoamChannel[0].RxFreq, 440.0);
    EXPECT_NEAR(codeplug.RoamChannel[0].TxFreq, 439.9, 1e-9);
    EXPECT_EQ(inUse(codeplug.RoamZone), 1);
    EXPECT_EQ(codeplug.RoamZone[0].Name, "Roam Zone 1");
    EXPECT_EQ(codeplug.RoamZone[0].Count, 1);
    EXPECT_EQ(codeplug.RoamZone[0].Members[0], 0);

    for (int unused :
         {inUse(codeplug.Person), inUse(codeplug.Zone), inUse(codeplug.ScanList),
          inUse(codeplug.RxGroup), inUse(codeplug.PhoneBook), inUse(codeplug.TextMessage1),
          inUse(codeplug.Recording), inUse(codeplug.TwoToneEntry)})
        EXPECT_EQ(unused, 0);
    EXPECT_EQ(codeplug.Zone[3].Number, 4);
    EXPECT_EQ(codeplug.Zone[3].Selected2, 1);
    EXPECT_EQ(codeplug.RxGroup[9].Members[63], -1);
    EXPECT_EQ(codeplug.TextMessage4[7].Index, 7);
    EXPECT_EQ(codeplug.TextMessage4[7].Number, 8);
    EXPECT_EQ(codeplug.TextMessage1[7].Index, 0);
    EXPECT_EQ(codeplug.Recording[49999].Number, 50000);
    EXPECT_EQ(codeplug.RecordingIndex[49999].Number, 50000);
    EXPECT_EQ(codeplug.EMG_Code[31].Code, 65535);
    EXPECT_EQ(codeplug.EMG_Code[31].Value2, 65535);

    EXPECT_EQ(codeplug.Dtmf.Set0, 14);
    EXPECT_EQ(codeplug.Dtmf.IdDigits, "000");
    EXPECT_EQ(codeplug.Dtmf.Unencoded1, 1);
    EXPECT_DOUBLE_EQ(codeplug.Aprs.Frequency, 145.0);
    EXPECT_EQ(codeplug.Aprs.Dcs, 17);
    EXPECT_EQ(codeplug.Aprs.Path, "WIDE1-1,WIDE2-1");
    EXPECT_DOUBLE_EQ(codeplug.AprsCompanion.RxFrequency, 145.0);
    EXPECT_EQ(codeplug.AprsCompanion.Dcs, 17);

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
    EXPECT_EQ(info.Code, "03-1-E-1");
    EXPECT_EQ(info.Description, std::string(1, '\0'));
    EXPECT_EQ(info.Extra2, std::string(1, '\0'));
    EXPECT_EQ(info.Counter, 0);
    EXPECT_EQ(info.Model, "R600MK");
    EXPECT_TRUE(info.Note.empty());
}

} // namespace
} // namespace r605

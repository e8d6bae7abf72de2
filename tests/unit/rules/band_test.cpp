#include "rules/band.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

BandRanges rangesOf(int code) {
    auto ranges = bandRangesForCode(code);
    EXPECT_TRUE(ranges.ok()) << code;
    return ranges.ok() ? *ranges : BandRanges{};
}

TEST(Band, ParsesEveryBandTextOfTheTable) {
    for (int code : knownBandCodes())
        EXPECT_TRUE(bandRangesForCode(code).ok()) << code;
    EXPECT_FALSE(bandRangesForCode(12).ok());
    EXPECT_EQ(BandTextForCode(12), "");
    // Band 34: both ranges receive 136-174 and transmit 144-148.
    const BandRanges vhf = rangesOf(34);
    for (const BandRange& range : vhf.range) {
        EXPECT_EQ(range.rxLow, 136);
        EXPECT_EQ(range.rxHigh, 174);
        EXPECT_EQ(range.txLow, 144);
        EXPECT_EQ(range.txHigh, 148);
    }
    EXPECT_EQ(BandDisplayText(34), "VHF Rx(136 - 174 MHz)\nVHF Tx(144 - 148 MHz)");
    EXPECT_EQ(BandDisplayText(0), "UHF{400 - 480 MHz}");
    EXPECT_EQ(BandDisplayText(101), "");
    // Band 99: 246.9875 is inside, 246.98751 is not.
    const BandRanges mhf = rangesOf(99);
    EXPECT_EQ(mhf.range[0].rxHigh, 246.9875);
    EXPECT_FALSE(CheckFrequency(mhf, 246.9875, 0).outOfBand);
    EXPECT_TRUE(CheckFrequency(mhf, 246.98751, 0).outOfBand);
    // A text naming two families fills one range each; no family marker is a band error.
    const auto dual = ParseBandText("UHF{400 - 480 MHz}VHF{136 - 174 MHz}");
    ASSERT_TRUE(dual.ok());
    EXPECT_EQ(dual->range[0].rxLow, 400);
    EXPECT_EQ(dual->range[1].rxLow, 136);
    EXPECT_FALSE(ParseBandText("XHF{1 - 2 MHz}").ok());
    EXPECT_FALSE(ParseBandText("UHF{400 480 MHz}").ok());
}

TEST(Band, ChecksSnapsAndFallsBack) {
    const BandRanges uhf = rangesOf(0);
    // Snapped to the nearest 50 Hz.
    EXPECT_EQ(
        test::mapped([&](double f) { return FrequencyDigits(CheckFrequency(uhf, f, 0).value); },
                     {438.12347, 438.12348, 438.12341, 438.12344}),
        (std::vector<std::string>{"43812345", "43812350", "43812340", "43812345"}));

    const FrequencyCheck high = CheckFrequency(uhf, 500, 0);
    EXPECT_TRUE(high.outOfBand);
    EXPECT_EQ(high.value, 480);
    EXPECT_EQ(CheckFrequency(uhf, 500, 450).value, 450);
    EXPECT_EQ(CheckFrequency(uhf, 100, 0).value, 400);
    const double tie[] = {1.0, 3.0};
    EXPECT_EQ(NearestBandLimit(tie, 2.0), 1.0); // ties keep the earlier limit

    EXPECT_EQ(NormaliseFrequencyText(uhf, " 438.5 ", 0).text, "438.50000");
    EXPECT_EQ(NormaliseFrequencyText(uhf, "abc", 440).text, "440.00000");
    const FrequencyText out = NormaliseFrequencyText(uhf, "500", 0);
    EXPECT_EQ(out.text, "480.00000");
    EXPECT_TRUE(out.outOfBand);
    EXPECT_EQ(FrequencyDigits(438.5), "43850000");
    EXPECT_EQ(FrequencyDigits(5), "00500000");
    EXPECT_EQ(bandCentre(uhf, 0), 440.0);
}

TEST(Band, NamesModelsAndVariants) {
    EXPECT_EQ(test::mapped([](auto c) { return ModelNameFor(c.first, c.second); },
                           {std::pair{"R600MK", 0},
                            {"R600MK", 64},
                            {"R600MK  ", 100},
                            {"X9", 0},
                            {"R600MK", 200}}),
              (std::vector<std::string>{"R605UHF", "R605LHF", "R605MHF", "X9", ""}));
    EXPECT_EQ(bandVariantNames(0).size(), 12u);
    EXPECT_EQ(bandVariantNames(1).back(), "Band 5");
    EXPECT_EQ(bandVariantNames(2).size(), 1u);
    EXPECT_EQ(bandCodeFor(1, 2), 34); // VHF, "Band 3"
    EXPECT_FALSE(bandCodeFor(2, 1).has_value());
}

} // namespace
} // namespace r605

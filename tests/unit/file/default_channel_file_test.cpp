// The default-channel template and its file Default.ini: normalised into the band, and the
// built-in template when the file is missing or short.
#include "file/default_channel_file.h"
#include "schema/new_codeplug.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace r605 {
namespace {

namespace fs = std::filesystem;

BandRanges rangesOf(int bandCode) {
    return *bandRangesForCode(bandCode);
}

ChannelRec templateAt(double rx, int offsetDir, double offset) {
    ChannelRec channel = BuiltInDefaultChannel(rangesOf(0));
    channel.RxFreq = rx;
    channel.OffsetDir = static_cast<std::int16_t>(offsetDir);
    channel.Offset = offset;
    channel.Power = 0;
    channel.Name = "Template";
    return channel;
}

TEST(DefaultChannelFile, TheTemplateIsBroughtIntoTheBand) {
    test::TempDir dir;
    const fs::path file = dir / "Default.ini";
    const BandRanges uhf = rangesOf(0);

    ASSERT_TRUE(SaveDefaultChannel(file, templateAt(435.0, 1, 5.0)).ok());
    EXPECT_EQ(fs::file_size(file), 138u);
    const ChannelRec loaded = LoadDefaultChannel(file, uhf);
    EXPECT_EQ(loaded, templateAt(435.0, 1, 5.0));
    // A channel made from it for the editor's new channel keeps that offset.
    Codeplug codeplug = NewCodeplug(0, uhf);
    ApplyDefaultChannel(codeplug, loaded, 7, loaded.RxFreq, loaded.OffsetDir, loaded.Offset);
    EXPECT_EQ(codeplug.Channel[6].OffsetDir, 1);
    EXPECT_DOUBLE_EQ(codeplug.Channel[6].Offset, 5.0);
    EXPECT_EQ(codeplug.Channel[6].Name, "CH 7");
    // {receive, direction, offset} saved and loaded in the band: an offset leaving the band
    // falls back to simplex; transmit below receive stays; a receive frequency off the 50 Hz
    // raster is snapped; one outside the band, or no number at all, takes the band's centre.
    const auto saved = [&](std::tuple<double, int, double> values) {
        const auto [rx, direction, offset] = values;
        EXPECT_TRUE(SaveDefaultChannel(file, templateAt(rx, direction, offset)).ok());
        const ChannelRec c = LoadDefaultChannel(file, uhf);
        return std::tuple(c.RxFreq, int{c.OffsetDir}, c.Offset);
    };
    EXPECT_EQ(test::mapped(saved, {std::tuple{435.0, 1, 50.0},
                                   {438.12347, 2, 7.6},
                                   {300.0, 0, 0.0},
                                   {std::nan(""), 0, 0.0}}),
              (std::vector<std::tuple<double, int, double>>{
                  {435.0, 0, 0.0}, {438.12345, 2, 7.6}, {440.0, 0, 0.0}, {440.0, 0, 0.0}}));
    // A file shorter than a record, or none, gives the built-in template.
    test::writeFile(file, std::string(100, '\x01'));
    EXPECT_EQ(LoadDefaultChannel(file, uhf), BuiltInDefaultChannel(uhf));
    fs::remove(file);
    EXPECT_EQ(LoadDefaultChannel(file, rangesOf(34)), BuiltInDefaultChannel(rangesOf(34)));
}

} // namespace
} // namespace r605

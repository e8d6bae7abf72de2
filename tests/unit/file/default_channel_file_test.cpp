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
    ChannelRec loaded = LoadDefaultChannel(file, uhf);
    EXPECT_DOUBLE_EQ(loaded.RxFreq, 435.0);
    EXPECT_EQ(loaded.OffsetDir, 1);
    EXPECT_DOUBLE_EQ(loaded.Offset, 5.0);
    EXPECT_EQ(loaded.Name, "Template");
    // A channel made from it for the editor's new channel keeps that offset.
    Codeplug codeplug = NewCodeplug(0, uhf);
    ApplyDefaultChannel(codeplug, loaded, 7, loaded.RxFreq, loaded.OffsetDir, loaded.Offset);
    EXPECT_EQ(codeplug.Channel[6].OffsetDir, 1);
    EXPECT_DOUBLE_EQ(codeplug.Channel[6].Offset, 5.0);
    EXPECT_EQ(codeplug.Channel[6].Name, "CH 7");

    // An offset leaving the band falls back to simplex.
    ASSERT_TRUE(SaveDefaultChannel(file, templateAt(435.0, 1, 50.0)).ok());
    loaded = LoadDefaultChannel(file, uhf);
    EXPECT_EQ(loaded.OffsetDir, 0);
    EXPECT_DOUBLE_EQ(loaded.Offset, 0.0);

    // Transmit below receive; a receive frequency off the 50 Hz raster is snapped.
    ASSERT_TRUE(SaveDefaultChannel(file, templateAt(438.12347, 2, 7.6)).ok());
    loaded = LoadDefaultChannel(file, uhf);
    EXPECT_DOUBLE_EQ(loaded.RxFreq, 438.12345);
    EXPECT_EQ(loaded.OffsetDir, 2);
    EXPECT_DOUBLE_EQ(loaded.Offset, 7.6);

    // A receive frequency outside the band, or no number at all, takes the band's centre.
    ASSERT_TRUE(SaveDefaultChannel(file, templateAt(300.0, 0, 0)).ok());
    EXPECT_DOUBLE_EQ(LoadDefaultChannel(file, uhf).RxFreq, 440.0);
    ASSERT_TRUE(SaveDefaultChannel(file, templateAt(std::nan(""), 0, 0)).ok());
    EXPECT_DOUBLE_EQ(LoadDefaultChannel(file, uhf).RxFreq, 440.0);

    // A file shorter than a record, or none, gives the built-in template.
    test::writeFile(file, std::string(100, '\x01'));
    EXPECT_EQ(LoadDefaultChannel(file, uhf), BuiltInDefaultChannel(uhf));
    fs::remove(file);
    EXPECT_EQ(LoadDefaultChannel(file, rangesOf(34)), BuiltInDefaultChannel(rangesOf(34)));
}

} // namespace
} // namespace r605

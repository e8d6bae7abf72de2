// The new codeplug with its files: no files at all, a Default.ini template and its
// normalisation, the band's initial file, and the header-only fallback initial file.
#include "file/codeplug_document.h"
#include "file/default_channel_file.h"
#include "file/rdt_format.h"
#include "model/new_codeplug.h"
#include "settings/program_folders.h"
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

struct ProgramFolder {
    test::TempDir dir;
    ProgramFolders folders{dir.path(), dir.path() / "user", true};
    NewCodeplugFiles files(int bandCode) const {
        return NewCodeplugFiles::inProgramFolder(folders, bandCode);
    }
    void writeInitial(int fileBand, const Codeplug& codeplug) const {
        fs::create_directories(dir.path() / "Init");
        test::writeFile(dir.path() / "Init" / InitialFileName("R600MK", fileBand),
                        EncodeCodeplugFile(codeplug, ContactTextForm::Gbk).bytes);
    }
};

TEST(NewCodeplugFiles, WithoutFilesTheInProgramCodeplugIsUnchanged) {
    ProgramFolder program;
    const NewCodeplugFiles files = program.files(34);
    EXPECT_EQ(files.defaultChannel, program.dir.path() / "Default.ini");
    EXPECT_EQ(files.initialFile, program.dir.path() / "Init" / "R600MK_34.rdt");
    EXPECT_EQ(files.initialHeaderFile, program.dir.path() / "Init" / "R600MK_0.rdt");

    CodeplugDocument document;
    document.tables().Channel[9].Used = 1;
    ASSERT_TRUE(document.SaveCodeplugFile(program.dir / "old.rdt", ContactTextForm::Gbk).ok());
    EXPECT_TRUE(document.NewCodeplug(program.files(0)).empty());
    EXPECT_TRUE(document.isNewFile());
    EXPECT_EQ(document.CurrentFileName(), "new.rdt");
    EXPECT_FALSE(document.CodeplugChanged());
    const Codeplug& tables = document.tables();
    EXPECT_EQ(tables.Channel[0].Name, "CH 1");
    EXPECT_EQ(tables.Channel[1].Name, "CH 2");
    EXPECT_DOUBLE_EQ(tables.Channel[1].RxFreq, 440.0);
    EXPECT_EQ(tables.Channel[9].Used, 0);
    EXPECT_EQ(tables.Contact[0].Name, "Contact 1");
    EXPECT_DOUBLE_EQ(tables.RoamChannel[0].TxFreq, 439.9);
    EXPECT_EQ(tables.RoamZone[0].Members[0], 0);
}

TEST(NewCodeplugFiles, TheDefaultChannelTemplateIsBroughtIntoTheBand) {
    ProgramFolder program;
    const fs::path file = program.dir / "Default.ini";
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

    // The new codeplug's two channels take the template but stay simplex at the centre.
    ASSERT_TRUE(SaveDefaultChannel(file, templateAt(435.0, 1, 5.0)).ok());
    CodeplugDocument document;
    EXPECT_TRUE(document.NewCodeplug(program.files(0)).empty());
    EXPECT_EQ(document.tables().Channel[0].Power, 0);
    EXPECT_EQ(document.tables().Channel[0].OffsetDir, 0);
    EXPECT_DOUBLE_EQ(document.tables().Channel[0].RxFreq, 440.0);
}

TEST(NewCodeplugFiles, TheBandsInitialFileOrTheFallbackHeaderIsUsed) {
    ProgramFolder program;
    Codeplug initial = NewCodeplug(34, rangesOf(34));
    initial.Channel[9].Used = 1;
    initial.Channel[9].Name = "From Init";
    initial.Dtmf.Set0 = 12;
    program.writeInitial(34, initial);

    CodeplugDocument document;
    ASSERT_TRUE(document.setBand(34).ok());
    EXPECT_TRUE(document.NewCodeplug(program.files(34)).empty());
    EXPECT_EQ(document.tables().Channel[9].Name, "From Init");
    EXPECT_TRUE(document.isNewFile());
    EXPECT_FALSE(document.CodeplugChanged());

    // Band 35 has no file of its own: only the header and settings of R600MK_0.rdt.
    Codeplug fallback = NewCodeplug(0, rangesOf(0));
    fallback.Dtmf.Set0 = 11;
    fallback.Channel[9].Used = 1;
    program.writeInitial(0, fallback);
    ASSERT_TRUE(document.setBand(35).ok());
    EXPECT_TRUE(document.NewCodeplug(program.files(35)).empty());
    EXPECT_EQ(document.tables().Dtmf.Set0, 11);
    EXPECT_EQ(document.tables().Channel[9].Used, 0);
    EXPECT_DOUBLE_EQ(document.tables().Channel[0].RxFreq, 155.0);
    EXPECT_EQ(document.band().BandCode, 35);
    EXPECT_EQ(document.tables().Header.BandCode, 35);
    EXPECT_FALSE(document.CodeplugChanged());

    // An initial file of another version is refused and not used.
    test::writeFile(program.dir.path() / "Init" / "R600MK_34.rdt", "V1019 and more");
    ASSERT_TRUE(document.setBand(34).ok());
    const std::vector<Error> messages = document.NewCodeplug(program.files(34));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "File Version Error!");
    EXPECT_EQ(document.tables().Channel[9].Used, 0);
    EXPECT_EQ(document.tables().Dtmf.Set0, 14);
    EXPECT_EQ(document.band().BandCode, 34);
}

} // namespace
} // namespace r605

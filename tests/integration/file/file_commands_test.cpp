// `r605 new`, `dump` and `build` end to end: the new codeplug of a band from an empty program
// folder and with initial files, JSON that builds the file it was dumped from, and what a load
// repaired or a save left out, named on standard error.
#include "cli_process.h"
#include "codeplug_diff.h"
#include "file/rdt_format.h"
#include "model/embedded_info_defaults.h"
#include "random_codeplug.h"
#include "schema/new_codeplug.h"
#include "schema/sample_codeplug.h"
#include "test_support.h"
#include "json/codeplug_json.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace r605 {
namespace {

namespace fs = std::filesystem;

using test::CommandRun;

TEST(FileCommands, NewWritesTheNewCodeplugOfTheBand) {
    const test::CliFolder home;
    CommandRun run = home.run({"new", "--date", "2024-03-07", "-o", home("a.rdt")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The program's new codeplug of the band, stamped with the date given.
    Codeplug expected = NewCodeplug(0).value();
    SetEmbeddedInfoDefaults(expected.EmbeddedInfo, CalendarDate{2024, 3, 7}, "2024-03-07");
    const Codeplug uhf = home.load("a.rdt");
    EXPECT_EQ(uhf.EmbeddedInfo.SerialNumber, "2024030700000001");
    expected.EmbeddedInfo = uhf.EmbeddedInfo;
    EXPECT_EQ(test::codeplugDifference(uhf, expected), "");
    // Without an edition file the texts are GBK.
    EXPECT_EQ(test::readFile(home / "a.rdt").substr(0, 12), "V1020GBK    ");

    // The band given, and its initial file looked for in the program folder: one that is refused
    // is reported and left out (what an initial file gives is the document's test).
    test::writeFile(home / "Init" / "R600MK_34.rdt", "V0000");
    run = home.run({"new", "--band", "34", "-o", home("vhf.rdt")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("File Version Error!"), std::string::npos) << run.err;
    const Codeplug vhf = home.load("vhf.rdt");
    EXPECT_EQ(vhf.Header.BandCode, 34);
    EXPECT_DOUBLE_EQ(vhf.Channel[0].RxFreq, 155.0);

    EXPECT_EQ(home.run({"new", "--band", "12", "-o", home("x.rdt")}).exitCode, 2);
    EXPECT_EQ(home.run({"new", "--date", "7.3.2024", "-o", home("x.rdt")}).exitCode, 2);
    EXPECT_FALSE(fs::exists(home / "x.rdt"));
}

TEST(FileCommands, DumpThenBuildGivesTheSameFile) {
    const test::CliFolder home(false);
    ASSERT_EQ(home.run({"new", "-o", home("new.rdt")}).exitCode, 0);

    Codeplug full = SampleFullCodeplug(0, *bandRangesForCode(0), 5);
    full.RoamChannel[7].Used = 0; // a record not in use that still holds data
    full.AesKey[9].KeyId = 0;
    for (std::size_t i = 0; i < 40; ++i) {
        full.Recording[i * 7].Used = 1;
        full.Recording[i * 7].CallerId = static_cast<std::int32_t>(i);
        full.RecordingIndex[i * 7].Blocks = static_cast<std::int16_t>(i + 1);
    }
    full.TextMessage4[3].Used = 1;
    full.TextMessage4[3].Text = "信息 text";
    // A value a radio may hold that no editor enters (the others are the JSON tests').
    full.Channel[0].RxCtcss = 96;
    // 10000 contacts with full texts fit the contact block in 7-bit form only.
    Codeplug half = full;
    for (std::size_t i = 0; i < kContactCount; i += 2)
        half.Contact[i].Used = 0;
    const EncodedCodeplugFile gbk = EncodeCodeplugFile(half, ContactTextForm::Gbk);
    ASSERT_TRUE(gbk.warnings.empty());
    test::writeFile(home / "full-gbk.rdt", gbk.bytes);
    // Chinese contact texts become "?" in the 7-bit form; the file is what it is.
    test::writeFile(home / "full-english.rdt",
                    EncodeCodeplugFile(full, ContactTextForm::SevenBit).bytes);

    for (const char* name : {"new.rdt", "full-gbk.rdt", "full-english.rdt"}) {
        const CommandRun dump = home.run({"dump", home(name)});
        ASSERT_EQ(dump.exitCode, 0) << name << dump.err;
        test::writeFile(home / "dump.json", dump.out);
        const CommandRun build = home.run({"build", home("dump.json"), "-o", home("built.rdt")});
        ASSERT_EQ(build.exitCode, 0) << name << build.err;
        EXPECT_TRUE(test::readFile(home / "built.rdt") == test::readFile(home / name)) << name;
        if (std::string_view(name) != "new.rdt") {
            EXPECT_NE(build.err.find("warning: Channel 1, RxCtcss: 96 is outside the editors' "
                                     "range 0 .. 51; kept as it is"),
                      std::string::npos)
                << build.err;
        }
    }
}

TEST(FileCommands, RepairsAndContactsLeftOutAreNamedOnStandardError) {
    const test::CliFolder home(false);
    Codeplug codeplug = NewCodeplug(0, *bandRangesForCode(0));
    codeplug.Channel[1].Number = 1; // channel 2 claims the entry of channel 1
    test::writeFile(home / "repeated.rdt",
                    EncodeCodeplugFile(codeplug, ContactTextForm::Gbk).bytes);
    CommandRun run = home.run({"dump", home("repeated.rdt")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(
        run.err.find("Channel block, record 2 \"CH 2\": Number 1 is already that of record 1"),
        std::string::npos)
        << run.err;
    // 10000 contacts with full Chinese texts: the file holds the 9081 that fit, the others are
    // named, and the exit status says the file lacks them.
    test::FillWithChineseContacts(codeplug.Contact, 100000);
    test::writeFile(home / "full.json", CodeplugToJson(codeplug, "GBK"));
    run = home.run({"build", home("full.json"), "-o", home("full.rdt")});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("919 contacts do not fit"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Number 10000, ID 109999, 中文中文中文中文"), std::string::npos);
    const Codeplug built = home.load("full.rdt");
    EXPECT_EQ(built.Contact[9080].Id, 109080);
    EXPECT_EQ(built.Contact[9081].Used, 0);
}

TEST(FileCommands, DamagedInputIsRefusedWithItsReason) {
    const test::CliFolder home;
    test::writeFile(home / "short.rdt", "V1020GBK    R600MK");
    CommandRun run = home.run({"dump", home("short.rdt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("damaged"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("short.rdt"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());

    EXPECT_EQ(home.run({"dump", home("missing.rdt")}).exitCode, 1);

    test::writeFile(home / "bad.json", R"({"format": "r605-codeplug", "version": 1,
        "Channel": [{"Number": 1, "ChType": 4}]})");
    run = home.run({"build", home("bad.json"), "-o", home("out.rdt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Channel 1, ChType: 4 is outside 0 .. 3"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(home / "out.rdt"));
}

} // namespace
} // namespace r605

#include "cli_process.h"
#include "image/family_codecs.h"
#include "image/hex_lines.h"
#include "schema/new_codeplug.h"
#include "schema/sample_codeplug.h"
#include "test_support.h"
#include "json/codeplug_json.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace r605 {
namespace {

using test::CommandRun;

std::string hexOf(Codeplug codeplug) {
    CommImage image;
    SetCommDataAll(codeplug, image);
    return WriteHexLines(image.CommData, image.WriteBlockMap);
}

TEST(ImageCommands, ImageWritesTheBlocksAndDecodeReadsThem) {
    const test::CliFolder dir(false);
    const BandRanges ranges = bandRangesForCode(32).value();
    const Codeplug full = SampleFullCodeplug(32, ranges, 21);
    test::writeFile(dir / "full.json", CodeplugToJson(full));

    const CommandRun image = dir.run({"image", dir("full.json"), "-o", dir("a.hex")});
    ASSERT_EQ(image.exitCode, 0) << image.err;
    const std::string written = test::readFile(dir / "a.hex");
    EXPECT_EQ(written, hexOf(full));
    EXPECT_EQ(written.rfind("00800000: ", 0), 0u); // ascending: channel 1 comes first

    const CommandRun decode =
        dir.run({"decode", dir("a.hex"), "--band", "32", "-o", dir("b.json")});
    ASSERT_EQ(decode.exitCode, 0) << decode.err;
    auto decoded = CodeplugFromJson(test::readFile(dir / "b.json"));
    ASSERT_TRUE(decoded.ok()) << decoded.error().text;
    Codeplug expected = NewCodeplug(32, ranges);
    CommImage fromText;
    fromText.CommData = ReadHexLines(written).value();
    GetAllFromCommData(fromText, expected);
    EXPECT_TRUE(*decoded == expected);
    // Without -o the lines go to standard output. (That encode-all and decode-all undo each
    // other is the codecs' test.)
    const CommandRun toOut = dir.run({"image", dir("full.json")});
    ASSERT_EQ(toOut.exitCode, 0);
    EXPECT_EQ(toOut.out, written);
    // What decode-all leaves out is named on standard error.
    test::writeFile(dir / "damaged.hex", "024C1320: 01000000000000000000000000000000\n"
                                         "02580000: 1A234567000000000000000000000000\n");
    const CommandRun damaged = dir.run({"decode", dir("damaged.hex"), "-o", dir("damaged.json")});
    ASSERT_EQ(damaged.exitCode, 0) << damaged.err;
    EXPECT_NE(damaged.err.find(
                  "r605 decode: Radio ID 1 left out: its ID is not decimal digits (1A 23 45 67)"),
              std::string::npos)
        << damaged.err;
}

TEST(ImageCommands, RefuseBadInputWithTheReasonAndWrongUsage) {
    const test::CliFolder dir(false);
    test::writeFile(dir / "bad.json", R"({"format": "r605-codeplug", "version": 1,
        "Channel": [{"Number": 3, "RxFreq": 1520.0}]})");
    const CommandRun badJson = dir.run({"image", dir("bad.json"), "-o", dir("x.hex")});
    EXPECT_EQ(badJson.exitCode, 1);
    EXPECT_NE(badJson.err.find("Channel 3, RxFreq: 1520 is outside 0 .. 999.99999"),
              std::string::npos)
        << badJson.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.hex"));

    test::writeFile(dir / "bad.hex", "00800000: 43850000000000000000000000000000\nrubbish\n");
    const CommandRun badHex = dir.run({"decode", dir("bad.hex"), "-o", dir("x.json")});
    EXPECT_EQ(badHex.exitCode, 1);
    EXPECT_NE(badHex.err.find("line 2: "), std::string::npos) << badHex.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.json"));

    EXPECT_EQ(dir.run({"decode", dir("bad.hex")}).exitCode, 2);
    EXPECT_EQ(dir.run({"decode", dir("bad.hex"), "--band", "12", "-o", dir("x.json")}).exitCode, 2);
    EXPECT_EQ(dir.run({"image"}).exitCode, 2);
    EXPECT_EQ(dir.run({"image", dir("missing.json")}).exitCode, 1);
}

} // namespace
} // namespace r605

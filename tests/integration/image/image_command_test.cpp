#include "image/family_codecs.h"
#include "image/hex_lines.h"
#include "model/new_codeplug.h"
#include "model/sample_codeplug.h"
#include "test_support.h"
#include "json/codeplug_json.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <string>

namespace r605 {
namespace {

struct CommandRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CommandRun runR605(const QStringList& arguments) {
    QProcess process;
    process.setProgram(R605_CLI_PATH);
    process.setArguments(QStringList{"--language", "en"} + arguments);
    process.start();
    CommandRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

QString q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

std::string hexOf(Codeplug codeplug) {
    CommImage image;
    SetCommDataAll(codeplug, image);
    return WriteHexLines(image.CommData, image.WriteBlockMap);
}

TEST(ImageCommands, ImageAndDecodeRoundTripThroughEachOther) {
    test::TempDir dir;
    const BandRanges ranges = bandRangesForCode(32).value();
    const Codeplug full = SampleFullCodeplug(32, ranges, 21);
    test::writeFile(dir / "full.json", CodeplugToJson(full));

    const CommandRun image = runR605({"image", q(dir / "full.json"), "-o", q(dir / "a.hex")});
    ASSERT_EQ(image.exitCode, 0) << image.err;
    const std::string written = test::readFile(dir / "a.hex");
    EXPECT_EQ(written, hexOf(full));
    EXPECT_EQ(written.rfind("00800000: ", 0), 0u); // ascending: channel 1 comes first

    const CommandRun decode =
        runR605({"decode", q(dir / "a.hex"), "--band", "32", "-o", q(dir / "b.json")});
    ASSERT_EQ(decode.exitCode, 0) << decode.err;
    auto decoded = CodeplugFromJson(test::readFile(dir / "b.json"));
    ASSERT_TRUE(decoded.ok()) << decoded.error().text;
    Codeplug expected = NewCodeplug(32, ranges);
    CommImage fromText;
    fromText.CommData = ReadHexLines(written).value();
    GetAllFromCommData(fromText, expected);
    EXPECT_TRUE(*decoded == expected);

    // What decode gives, image takes back and gives the same blocks again.
    ASSERT_EQ(runR605({"image", q(dir / "b.json"), "-o", q(dir / "c.hex")}).exitCode, 0);
    EXPECT_EQ(test::readFile(dir / "c.hex"), hexOf(expected));
    ASSERT_EQ(
        runR605({"decode", q(dir / "c.hex"), "--band", "32", "-o", q(dir / "d.json")}).exitCode, 0);
    EXPECT_EQ(test::readFile(dir / "d.json"), test::readFile(dir / "b.json"));

    // Without -o the lines go to standard output.
    const CommandRun toOut = runR605({"image", q(dir / "b.json")});
    ASSERT_EQ(toOut.exitCode, 0);
    EXPECT_EQ(toOut.out, test::readFile(dir / "c.hex"));
}

TEST(ImageCommands, RefuseBadInputWithTheReasonAndWrongUsage) {
    test::TempDir dir;
    test::writeFile(dir / "bad.json", R"({"format": "r605-codeplug", "version": 1,
        "Channel": [{"Number": 3, "RxFreq": 520.0}]})");
    const CommandRun badJson = runR605({"image", q(dir / "bad.json"), "-o", q(dir / "x.hex")});
    EXPECT_EQ(badJson.exitCode, 1);
    EXPECT_NE(badJson.err.find("Channel 3, RxFreq: 520 MHz is outside the band"), std::string::npos)
        << badJson.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.hex"));

    test::writeFile(dir / "bad.hex", "00800000: 43850000000000000000000000000000\nrubbish\n");
    const CommandRun badHex = runR605({"decode", q(dir / "bad.hex"), "-o", q(dir / "x.json")});
    EXPECT_EQ(badHex.exitCode, 1);
    EXPECT_NE(badHex.err.find("line 2: "), std::string::npos) << badHex.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.json"));

    EXPECT_EQ(runR605({"decode", q(dir / "bad.hex")}).exitCode, 2);
    EXPECT_EQ(
        runR605({"decode", q(dir / "bad.hex"), "--band", "12", "-o", q(dir / "x.json")}).exitCode,
        2);
    EXPECT_EQ(runR605({"image"}).exitCode, 2);
    EXPECT_EQ(runR605({"image", q(dir / "missing.json")}).exitCode, 1);
}

} // namespace
} // namespace r605

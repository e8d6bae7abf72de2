// The transfer commands as a user runs them: `r605 sim` on a pseudo-terminal and `r605 read`,
// `write` and `ports` against it, each with a bounded time. A band that differs and a radio that
// stops answering are the engine's tests; Retry and Cancel on the command line the boot image
// commands'.
#include "cli_process.h"
#include "image/comm_image.h"
#include "image/family_codecs.h"
#include "image/hex_lines.h"
#include "test_support.h"
#include "transfer/codeplug_transfer.h"
#include "json/codeplug_json.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace r605 {
namespace {

namespace fs = std::filesystem;

using test::CommandRun;
using test::SimProcess;

const char* kDemoJson = R"({"format": "r605-codeplug", "version": 1,
 "header": {"ModelFamily": "R600MK", "BandCode": 0, "DataVersion": "V110"},
 "Person": [{"Number": 1, "Used": 1, "Id": 1234567, "Name": "Demo"}],
 "Zone": [{"Number": 1, "Used": 1, "Count": 2,
           "Members": [0, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1],
           "Name": "Zone 1"}]})";

TEST(LinkCommands, WriteVerifyAndReadBackThroughTheSimulator) {
    const test::CliFolder home;
    test::writeFile(home / "demo.json", kDemoJson);
    SimProcess sim(home, {"--pty", home("radio"), "--save", home("radio.hex")});
    ASSERT_EQ(sim.port(), home("radio"));

    const CommandRun write =
        home.run({"write", home("demo.json"), "--port", sim.port(), "--verify"});
    EXPECT_EQ(write.exitCode, 0) << write.err;
    EXPECT_NE(write.err.find("Write completed successfully."), std::string::npos);
    EXPECT_NE(write.err.find("Verify completed"), std::string::npos);

    const CommandRun read = home.run({"read", "--port", sim.port(), "-o", home("back.json")});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_NE(read.out.find("radio IDs 1, zones 1"), std::string::npos) << read.out;
    const std::string simLog = sim.stop();
    EXPECT_EQ(sim.exitCode(), 0) << simLog;
    // What was read is what was written.
    auto written = CodeplugFromJson(kDemoJson);
    auto back = CodeplugFromJson(test::readFile(home / "back.json"));
    ASSERT_TRUE(written.ok() && back.ok());
    EXPECT_TRUE(back->Person == written->Person);
    EXPECT_EQ(back->Zone[0].Name, "Zone 1");
    // The radio's saved image holds every block encode-all marked, as encoded.
    CommImage expected;
    SetCommDataAll(*written, expected);
    auto radio = ReadHexLines(test::readFile(home / "radio.hex"));
    ASSERT_TRUE(radio.ok()) << radio.error().text;
    const auto blocks = WrittenBlocks(expected.WriteBlockMap);
    EXPECT_GT(blocks.size(), 100u);
    EXPECT_TRUE(DifferingBlocks(expected.CommData, *radio, blocks).empty());
    // The day's trace lies in the program folder.
    bool traced = false;
    for (const auto& entry : fs::directory_iterator(home.path()))
        traced = traced || entry.path().filename().string().starts_with("log");
    EXPECT_TRUE(traced);
}

TEST(LinkCommands, DiffWithTheRadioHoldingTheFileFindsNoDifference) {
    // A new file carries the embedded information, which a read does not fetch: it must not show
    // as a difference of the radio.
    const test::CliFolder home;
    ASSERT_EQ(home.run({"new", "-o", home("new.json")}).exitCode, 0);
    SimProcess sim(home, {"--pty", home("radio"), "--load", home("new.json")});
    const CommandRun diff = home.run({"diff", home("new.json"), "--port", sim.port()});
    EXPECT_EQ(diff.exitCode, 0) << diff.out << diff.err;
    EXPECT_EQ(diff.out, "No differences\n");
}

TEST(LinkCommands, RefusalsAndFailuresEndWithTheirMessages) {
    const test::CliFolder home;
    // A codeplug without a radio ID never reaches the port.
    test::writeFile(home / "empty.json",
                    R"({"format": "r605-codeplug", "version": 1, "header": {"BandCode": 0}})");
    const CommandRun refused = home.run({"write", home("empty.json"), "--port", "/dev/null"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Please add at least one entry to: Radio IDs"), std::string::npos)
        << refused.err;
    // No such port: message 2002.
    const CommandRun noPort = home.run({"read", "--port", home("nothing"), "-o", home("x.rdt")});
    EXPECT_EQ(noPort.exitCode, 1);
    EXPECT_NE(noPort.err.find("Cannot open the serial port!"), std::string::npos) << noPort.err;
    EXPECT_FALSE(fs::exists(home / "x.rdt"));

    {
        // A radio of another model.
        SimProcess sim(home, {"--model", "R500"});
        const CommandRun read = home.run({"read", "--port", sim.port(), "-o", home("x.rdt")});
        EXPECT_EQ(read.exitCode, 1);
        EXPECT_NE(read.err.find("The radio model does not match"), std::string::npos) << read.err;
        EXPECT_NE(read.err.find("Read failed!"), std::string::npos);
        EXPECT_FALSE(fs::exists(home / "x.rdt"));
    }
    {
        // A VHF radio with a password: read only with it, into a VHF codeplug.
        SimProcess sim(home, {"--band", "32", "--password", "4711"});
        const CommandRun locked = home.run({"read", "--port", sim.port(), "-o", home("x.rdt")});
        EXPECT_EQ(locked.exitCode, 1);
        EXPECT_NE(locked.err.find("password protected"), std::string::npos) << locked.err;
        const CommandRun opened =
            home.run({"read", "--port", sim.port(), "--password", "4711", "-o", home("x.rdt")});
        EXPECT_EQ(opened.exitCode, 0) << opened.err;
        EXPECT_TRUE(fs::exists(home / "x.rdt"));
        EXPECT_NE(opened.out.find("R605VHF"), std::string::npos);
    }
    const CommandRun usage = home.run({"read", "-o", "x.rdt"});
    EXPECT_EQ(usage.exitCode, 2);
    const CommandRun ports = home.run({"ports"});
    EXPECT_EQ(ports.exitCode, 0);
}

TEST(LinkCommands, FleetWritesEachRadioItsOwnIdAndGoesOnPastASilentOne) {
    const test::CliFolder home;
    test::writeFile(home / "demo.json", kDemoJson);
    SimProcess alpha(home, {"--pty", home("alpha")});
    SimProcess silent(home, {"--pty", home("silent"), "--faults", "silent-after=0"});
    SimProcess bravo(home, {"--pty", home("bravo")});
    // A radio ID no radio takes: the whole plan is refused before any radio is touched.
    test::writeFile(home / "bad.csv",
                    alpha.port() + ",2620001,A\n" + bravo.port() + ",123456789,B\n");
    const CommandRun refused =
        home.run({"fleet", "write", home("demo.json"), "--plan", home("bad.csv")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("line 2: radio ID: not a number"), std::string::npos) << refused.err;
    EXPECT_TRUE(refused.out.empty()) << refused.out;

    test::writeFile(home / "plan.csv", "port,radio id,name\n" + alpha.port() + ",2620001,Alpha\n" +
                                           silent.port() + ",2620002,Silent\n" + bravo.port() +
                                           ",2620003,Bravo\n");
    const CommandRun fleet =
        home.run({"fleet", "write", home("demo.json"), "--plan", home("plan.csv")});
    EXPECT_EQ(fleet.exitCode, 1) << fleet.err;
    const auto rowOf = [&](const std::string& port) {
        const std::size_t start = fleet.out.find(port + " ");
        return start == std::string::npos
                   ? std::string()
                   : fleet.out.substr(start, fleet.out.find('\n', start) - start);
    };
    EXPECT_NE(rowOf(alpha.port()).find("2620001"), std::string::npos) << fleet.out;
    EXPECT_NE(rowOf(alpha.port()).find("OK: written, verified"), std::string::npos) << fleet.out;
    EXPECT_NE(rowOf(bravo.port()).find("OK: written, verified"), std::string::npos);
    EXPECT_NE(rowOf(silent.port()).find("FAILED: The radio does not respond"), std::string::npos)
        << fleet.out;
    EXPECT_NE(fleet.out.find("3 radios: 2 written, 1 failed"), std::string::npos);

    // Each radio holds the codeplug with its own ID and name.
    for (const auto& [port, id, name] :
         {std::tuple{alpha.port(), 2620001, "Alpha"}, std::tuple{bravo.port(), 2620003, "Bravo"}}) {
        const CommandRun read = home.run({"read", "--port", port, "-o", home("back.json")});
        ASSERT_EQ(read.exitCode, 0) << read.err;
        const auto back = CodeplugFromJson(test::readFile(home / "back.json"));
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(back->Person[0].Id, id);
        EXPECT_EQ(back->Person[0].Name, name);
        EXPECT_EQ(back->Zone[0].Name, "Zone 1");
    }
}

} // namespace
} // namespace r605

// `r605 bootimage read` and `write` as a user runs them: against `r605 sim` on a pseudo-terminal,
// on a clean and on a noisy line. Every command runs for a bounded time. (The read-back that finds
// a block the radio does not hold is the write job's test; the order and addresses of the block
// frames, and that nothing beside the image is written, the engine's.)
#include "bootimage/boot_image.h"
#include "cli_process.h"
#include "image/hex_lines.h"
#include "link/boot_image_transfer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace r605 {
namespace {

namespace fs = std::filesystem;

using test::CommandRun;
using test::SimProcess;

// A boot image file whose 2560 blocks are all different.
std::string patternBin(std::uint8_t salt) {
    std::string bytes(kBootImageSize, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i / 16 * 7 + i % 16 * 13 + salt) & 0xFF);
    for (std::size_t offset = 0; offset < bytes.size(); offset += 16) {
        bytes[offset] = static_cast<char>(offset / 16 & 0xFF);
        bytes[offset + 1] = static_cast<char>(offset / 16 / 256 + 1);
    }
    return bytes;
}

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

TEST(BootImageTransferCommands, WriteVerifyAndReadBackGiveTheSameFile) {
    const test::CliFolder home;
    test::writeFile(home / "logo.bin", patternBin(0x5C));
    SimProcess sim(home, {"--pty", home("radio"), "--save", home("radio.hex")});
    ASSERT_EQ(sim.port(), home("radio"));
    const CommandRun write = home.run(
        {"bootimage", "write", home("logo.bin"), "--port", sim.port(), "--verify", "--stats"});
    EXPECT_EQ(write.exitCode, 0) << write.err;
    EXPECT_TRUE(contains(write.err, "Write completed successfully.")) << write.err;
    EXPECT_TRUE(contains(write.err, "Verify completed")) << write.err;
    EXPECT_TRUE(contains(write.out, "2560 blocks")) << write.out;
    // Not a terminal: one progress line per ten percent, for the write and for the read-back.
    EXPECT_TRUE(contains(write.err, "Progress: 0%\n"));
    EXPECT_TRUE(contains(write.err, "Progress: 90%\n"));
    EXPECT_EQ(std::count(write.err.begin(), write.err.end(), '%'), 20) << write.err;
    // The write: connect, identify, 2560 blocks, end, with nothing to resend on a clean line.
    EXPECT_TRUE(contains(write.err, "stats: frames 2563 (resends 0,")) << write.err;

    const CommandRun read =
        home.run({"bootimage", "read", "--port", sim.port(), "-o", home("back.bin")});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_TRUE(contains(read.err, "Read completed successfully.")) << read.err;
    EXPECT_EQ(test::readFile(home / "back.bin"), test::readFile(home / "logo.bin"));
    // The simulator took exactly 2560 writes and answered 2560 reads for the verify and 2560 for
    // the read.
    const std::string simLog = sim.stop();
    EXPECT_TRUE(contains(simLog, "2560 blocks written")) << simLog;
    EXPECT_TRUE(contains(simLog, "5120 blocks read")) << simLog;
    // Its memory holds the image at its address.
    auto radio = ReadHexLines(test::readFile(home / "radio.hex"));
    ASSERT_TRUE(radio.ok()) << radio.error().text;
    const BootImageBytes held = CopyImageFromCommData(*radio);
    EXPECT_EQ(std::string(held.begin(), held.end()), test::readFile(home / "logo.bin"));
}

// A noisy cable: each transfer either succeeds with identical bytes or fails with its message and
// leaves no file; never a success with other bytes, never a hang.
TEST(BootImageTransferCommands, NoisyCableNeverGivesAFalseSuccess) {
    const test::CliFolder home;
    const std::string image = patternBin(0x3C);
    test::writeFile(home / "in.bin", image);

    SimProcess sim(home, {"--faults", "drop=0.002,corrupt=0.02,short=0.002,late=0.003,garbage=0.01",
                          "--seed", "11", "--save", home("radio.hex")});
    ASSERT_FALSE(sim.port().empty());
    const CommandRun write = home.run(
        {"bootimage", "write", home("in.bin"), "--port", sim.port(), "--verify", "--retries", "2"},
        180);
    const CommandRun read = home.run(
        {"bootimage", "read", "--port", sim.port(), "--retries", "2", "-o", home("back.bin")}, 120);
    const std::string simLog = sim.stop();
    EXPECT_FALSE(contains(simLog, " 0 replies disturbed")) << simLog;
    auto radio = ReadHexLines(test::readFile(home / "radio.hex"));
    ASSERT_TRUE(radio.ok());
    const BootImageBytes heldBytes = CopyImageFromCommData(*radio);
    const std::string held(heldBytes.begin(), heldBytes.end());

    EXPECT_TRUE(write.exitCode == 0 || read.exitCode == 0) << write.err << read.err;
    if (write.exitCode == 0) {
        // --verify has read every block back: the radio holds the image.
        EXPECT_TRUE(contains(write.err, "Verify completed")) << write.err;
        EXPECT_EQ(held, image);
    } else {
        EXPECT_EQ(write.exitCode, 1);
        EXPECT_TRUE(contains(write.err, "Write failed!") || contains(write.err, "Read failed!"))
            << write.err;
    }
    if (read.exitCode == 0) {
        EXPECT_TRUE(contains(read.err, "Read completed successfully."));
        EXPECT_EQ(test::readFile(home / "back.bin"), held);
    } else {
        EXPECT_EQ(read.exitCode, 1);
        EXPECT_TRUE(contains(read.err, "Read failed!")) << read.err;
        EXPECT_FALSE(fs::exists(home / "back.bin"));
    }
}

TEST(BootImageTransferCommands, RefusalsAndFailuresEndWithTheirMessages) {
    const test::CliFolder home;
    auto bootimage = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "bootimage");
        return home.run(arguments);
    };
    // Nothing to write: a missing or empty file (30515); a file shorter than an image (99113).
    // None of them opens the port.
    test::writeFile(home / "empty.bin", "");
    test::writeFile(home / "short.bin", std::string(kBootImageSize - 1, 'x'));
    for (const auto& [file, message] : {std::pair{"none.bin", "No boot image loaded"},
                                        {"empty.bin", "No boot image loaded"},
                                        {"short.bin", "not valid"}}) {
        const CommandRun refused = bootimage({"write", home(file), "--port", "/dev/null"});
        EXPECT_EQ(refused.exitCode, 1) << file;
        EXPECT_TRUE(contains(refused.err, message)) << refused.err;
    }
    // No such port: message 2002, and an earlier file of the output's name stays as it was.
    test::writeFile(home / "old.bin", "keep");
    test::writeFile(home / "in.bin", patternBin(1));
    const CommandRun noPort = bootimage({"read", "--port", home("nothing"), "-o", home("old.bin")});
    EXPECT_EQ(noPort.exitCode, 1);
    EXPECT_TRUE(contains(noPort.err, "Cannot open the serial port!")) << noPort.err;
    EXPECT_EQ(test::readFile(home / "old.bin"), "keep");
    {
        // A radio that stops answering in the middle of the image: Retry once, then Cancel; the
        // old file is kept.
        SimProcess sim(home, {"--faults", "silent-after=1000"});
        const CommandRun read =
            bootimage({"read", "--port", sim.port(), "--retries", "1", "-o", home("old.bin")});
        EXPECT_EQ(read.exitCode, 1);
        EXPECT_TRUE(contains(read.err, "does not respond")) << read.err;
        EXPECT_TRUE(contains(read.err, "-> Retry"));
        EXPECT_TRUE(contains(read.err, "-> Cancel"));
        EXPECT_TRUE(contains(read.err, "Read failed!"));
        EXPECT_EQ(test::readFile(home / "old.bin"), "keep");

        const CommandRun write =
            bootimage({"write", home("in.bin"), "--port", sim.port(), "--retries", "0"});
        EXPECT_EQ(write.exitCode, 1);
        EXPECT_TRUE(contains(write.err, "-> Cancel")) << write.err;
        EXPECT_TRUE(contains(write.err, "Write failed!")) << write.err;
        EXPECT_FALSE(contains(write.out, "written")) << write.out;
    }
    // Wrong usage: options of another action, a missing file or output.
    EXPECT_EQ(bootimage({"read", "--port", "/dev/null"}).exitCode, 2);
    EXPECT_EQ(bootimage({"read", "-o", home("x.bin")}).exitCode, 2);
    EXPECT_EQ(bootimage({"read", "--port", "p", "-o", "x.bin", "--verify"}).exitCode, 2);
    EXPECT_EQ(bootimage({"write", "--port", "/dev/null"}).exitCode, 2);
    EXPECT_EQ(bootimage({"write", "in.bin", "--port", "p", "-o", "x.bin"}).exitCode, 2);
    EXPECT_EQ(bootimage({"write", "in.bin", "--port", "p", "--retries", "many"}).exitCode, 2);
    EXPECT_EQ(bootimage({"convert", "a.png", "-o", "x.bin", "--port", "p"}).exitCode, 2);
    EXPECT_FALSE(fs::exists(home / "x.bin"));
}

} // namespace
} // namespace r605

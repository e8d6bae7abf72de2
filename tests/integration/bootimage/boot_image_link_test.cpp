// The boot image transfers end to end: the serial driver and the link engine against the radio
// simulator served on a real pseudo-terminal. The noisy line is the command tests' (the same
// driver against `r605 sim` with faults).
#include "bootimage/boot_image.h"
#include "link/boot_image_transfer.h"
#include "link/frames.h"
#include "pty_radio.h"
#include "scripted_link_prompt.h"
#include "serial_link_driver.h"

#include <gtest/gtest.h>

#include <random>

namespace r605 {
namespace {

using ScriptedPrompt = test::ScriptedLinkPrompt;

// No two blocks alike and no block of zeros, so that a block stored at the wrong address, or
// one not stored at all, shows.
BootImage patternImage(std::uint32_t seed) {
    BootImage image{};
    std::mt19937 random(seed);
    for (std::uint8_t& byte : image)
        byte = static_cast<std::uint8_t>(random());
    for (std::size_t offset = 0; offset < kBootImageSize; offset += 16) {
        image[offset] = static_cast<std::uint8_t>(offset / 16);
        image[offset + 1] = static_cast<std::uint8_t>(offset / 16 / 256 + 1);
    }
    return image;
}

BootImage radioImage(test::PtyRadio& radio) {
    return CopyImageFromCommData(radio.radio().image());
}

struct Outcome {
    FinishedAction finished;
    BootImage image{};
    LinkStatistics statistics;
};

Outcome transfer(test::PtyRadio& radio, ScriptedPrompt& prompt, OperationKind kind,
                 const BootImage* toWrite = nullptr) {
    test::ensureApplication();
    Outcome outcome;
    MemoryImage image;
    BlockMap blocks;
    TransferRequest request;
    request.kind = kind;
    if (toWrite != nullptr)
        request.bootImage.assign(toWrite->begin(), toWrite->end());
    EngineJob job(std::move(request), image, blocks);
    SerialLinkDriver driver(prompt);
    if (!driver.OpenRadioPort(QString::fromStdString(radio.port()), kind)) {
        ADD_FAILURE() << "the simulator's terminal did not open";
        return outcome;
    }
    outcome.finished = driver.run(job);
    outcome.statistics = job.engine()->statistics();
    EXPECT_FALSE(driver.isOpen());
    if (kind == OperationKind::ReadBootImage) {
        // Nothing outside the image's range reaches the memory image.
        for (std::uint32_t page : image.allocatedPages()) {
            EXPECT_GE(page, kBootImageAddress);
            EXPECT_LT(page, kBootImageAddress + kBootImageSize);
        }
        outcome.image = CopyImageFromCommData(image);
    }
    return outcome;
}

TEST(BootImageLink, WriteSendsEveryBlockOnceAndTheReadGivesTheSameBytes) {
    MemoryImage start;
    // Bytes just outside the image must survive a write of the image.
    start.write(kBootImageAddress - 1, 0x5A);
    start.write(kBootImageAddress + kBootImageSize, 0xA5);
    test::PtyRadio radio(start, sim::RadioIdentity{});
    const BootImage image = patternImage(7);

    ScriptedPrompt prompt;
    const Outcome written = transfer(radio, prompt, OperationKind::WriteBootImage, &image);
    ASSERT_TRUE(written.finished.success);
    ASSERT_EQ(written.finished.messages.size(), 1u);
    EXPECT_EQ(written.finished.messages.front().key, (TextKey{2005, Section::Other}));
    // Exactly 2560 write frames, one per block, nothing to resend on a clean line; the engine
    // tests pin their order and the progress shown.
    EXPECT_EQ(written.statistics.writeBlockFrames, 2560u);
    EXPECT_EQ(written.statistics.readBlockFrames, 0u);
    EXPECT_EQ(written.statistics.resends, 0u);
    EXPECT_EQ(prompt.progress.back(), 99);

    ScriptedPrompt readPrompt;
    const Outcome read = transfer(radio, readPrompt, OperationKind::ReadBootImage);
    radio.stop();
    ASSERT_TRUE(read.finished.success);
    EXPECT_EQ(read.finished.messages.front().key, (TextKey{2004, Section::Other}));
    EXPECT_TRUE(read.image == image);
    EXPECT_EQ(read.statistics.readBlockFrames, 2560u);
    EXPECT_EQ(radio.radio().counters().blocksWritten, 2560u);
    EXPECT_TRUE(radioImage(radio) == image);
    EXPECT_EQ(radio.radio().image().read(kBootImageAddress - 1), 0x5A);
    EXPECT_EQ(radio.radio().image().read(kBootImageAddress + kBootImageSize), 0xA5);
}

} // namespace
} // namespace r605

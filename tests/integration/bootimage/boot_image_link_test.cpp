// The boot image transfers end to end: the serial driver and the link engine against the radio
// simulator served on a real pseudo-terminal, on a clean line and on a noisy one.
#include "bootimage/boot_image.h"
#include "link/boot_image_transfer.h"
#include "link/frames.h"
#include "pty_radio.h"
#include "scripted_link_prompt.h"
#include "serial_link_driver.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <thread>

namespace r605 {
namespace {

using ScriptedPrompt = test::ScriptedLinkPrompt;

// A transfer that never ends must not leave the test run hanging: past its deadline the whole
// test program stops with a failure.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : m_thread([this, limit] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, limit, [this] { return m_stopped; })) {
                  std::fprintf(stderr, "a boot image transfer did not end within %lld s\n",
                               static_cast<long long>(limit.count()));
                  std::_Exit(1);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_stopped = false;
    std::thread m_thread;
};

// The block frames the PC sent, in order.
class FrameLog : public LinkRecorder {
public:
    std::vector<std::vector<std::uint8_t>> reads;
    std::vector<std::vector<std::uint8_t>> writes;

    void step(std::string_view) override {}
    void frameSent(std::span<const std::uint8_t> frame) override {
        if (frame.size() == 6 && frame[0] == kBlockRead)
            reads.emplace_back(frame.begin(), frame.end());
        if (frame.size() == 24 && frame[0] == kBlockWrite)
            writes.emplace_back(frame.begin(), frame.end());
    }
    void replyReceived(std::span<const std::uint8_t>) override {}
};

std::uint32_t frameAddress(const std::vector<std::uint8_t>& frame) {
    return static_cast<std::uint32_t>(frame[1]) << 24 | static_cast<std::uint32_t>(frame[2]) << 16 |
           static_cast<std::uint32_t>(frame[3]) << 8 | frame[4];
}

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
                 const BootImage* toWrite = nullptr, FrameLog* frames = nullptr) {
    test::ensureApplication();
    Outcome outcome;
    MemoryImage image;
    BlockMap blocks;
    TransferRequest request;
    request.kind = kind;
    if (toWrite != nullptr)
        request.bootImage.assign(toWrite->begin(), toWrite->end());
    EngineJob job(std::move(request), image, blocks, frames);
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
    const Watchdog watchdog(std::chrono::seconds(60));
    MemoryImage start;
    // Bytes just outside the image must survive a write of the image.
    start.write(kBootImageAddress - 1, 0x5A);
    start.write(kBootImageAddress + kBootImageSize, 0xA5);
    test::PtyRadio radio(start, sim::RadioIdentity{});
    const BootImage image = patternImage(7);

    ScriptedPrompt prompt;
    FrameLog frames;
    const Outcome written = transfer(radio, prompt, OperationKind::WriteBootImage, &image, &frames);
    ASSERT_TRUE(written.finished.success);
    ASSERT_EQ(written.finished.messages.size(), 1u);
    EXPECT_EQ(written.finished.messages.front().key, (TextKey{2005, Section::Other}));
    // Exactly 2560 write frames, one per block, in address order, the last at offset 40944.
    EXPECT_EQ(written.statistics.writeBlockFrames, 2560u);
    EXPECT_EQ(written.statistics.readBlockFrames, 0u);
    EXPECT_EQ(written.statistics.resends, 0u);
    ASSERT_EQ(frames.writes.size(), 2560u);
    for (std::size_t i = 0; i < frames.writes.size(); ++i) {
        ASSERT_EQ(frameAddress(frames.writes[i]), kBootImageAddress + 16 * i) << i;
        ASSERT_TRUE(std::equal(frames.writes[i].begin() + 6, frames.writes[i].begin() + 22,
                               image.begin() + static_cast<std::ptrdiff_t>(16 * i)))
            << i;
    }
    EXPECT_EQ(frameAddress(frames.writes.back()) - kBootImageAddress, 40944u);
    // Progress by the offset of the block sent: 0 at the first block, 99 at the last.
    ASSERT_FALSE(prompt.progress.empty());
    EXPECT_EQ(prompt.progress.front(), 0);
    EXPECT_EQ(prompt.progress.back(), 99);
    EXPECT_TRUE(std::is_sorted(prompt.progress.begin(), prompt.progress.end()));
    EXPECT_EQ(prompt.progress.size(), 100u);

    FrameLog readFrames;
    ScriptedPrompt readPrompt;
    const Outcome read =
        transfer(radio, readPrompt, OperationKind::ReadBootImage, nullptr, &readFrames);
    radio.stop();
    ASSERT_TRUE(read.finished.success);
    EXPECT_EQ(read.finished.messages.front().key, (TextKey{2004, Section::Other}));
    EXPECT_TRUE(read.image == image);
    ASSERT_EQ(readFrames.reads.size(), 2560u);
    EXPECT_EQ(frameAddress(readFrames.reads.front()), kBootImageAddress);
    EXPECT_EQ(frameAddress(readFrames.reads.back()) - kBootImageAddress, 40944u);
    EXPECT_TRUE(readFrames.writes.empty());

    EXPECT_EQ(radio.radio().counters().blocksWritten, 2560u);
    EXPECT_EQ(radio.radio().counters().blocksRead, 2560u);
    EXPECT_TRUE(radioImage(radio) == image);
    std::uint8_t before = 0;
    std::uint8_t after = 0;
    radio.radio().image().read(kBootImageAddress - 1, std::span(&before, 1));
    radio.radio().image().read(kBootImageAddress + kBootImageSize, std::span(&after, 1));
    EXPECT_EQ(before, 0x5A);
    EXPECT_EQ(after, 0xA5);
}

// Every transfer over a noisy cable either succeeds with exactly the radio's bytes or fails with
// its message; none claims success with other bytes, none hangs. Damaged replies come at a few
// percent; the faults that cost a time-out each (drop, short, late) more rarely, so that the run
// stays short.
TEST(BootImageLink, NoisyCableGivesTheSameImageOrAFailureNeverAFalseSuccess) {
    const Watchdog watchdog(std::chrono::seconds(120));
    const auto faults =
        sim::ParseFaultRates("drop=0.002,corrupt=0.02,short=0.002,late=0.003,garbage=0.01");
    ASSERT_TRUE(faults.ok());
    test::PtyRadio radio(MemoryImage{}, sim::RadioIdentity{}, *faults, 3);
    const BootImage image = patternImage(3);

    ScriptedPrompt prompt;
    prompt.retries = 2;
    const Outcome written = transfer(radio, prompt, OperationKind::WriteBootImage, &image);
    ScriptedPrompt readPrompt;
    readPrompt.retries = 2;
    const Outcome read = transfer(radio, readPrompt, OperationKind::ReadBootImage);
    radio.stop();

    // The line was disturbed and the engine had to work for it.
    EXPECT_GT(radio.faults().replies() - radio.faults().count(sim::FaultKind::None), 50u);
    EXPECT_GT(written.statistics.resends + read.statistics.resends, 50u);
    EXPECT_TRUE(written.finished.success || read.finished.success);
    if (written.finished.success) {
        // A write that says it succeeded left every byte in the radio.
        EXPECT_EQ(written.finished.messages.front().key, (TextKey{2005, Section::Other}));
        EXPECT_TRUE(radioImage(radio) == image);
    } else {
        EXPECT_EQ(written.finished.messages.back().key, (TextKey{2007, Section::Other}));
    }
    if (read.finished.success) {
        // A read that says it succeeded gives what the radio holds.
        EXPECT_EQ(read.finished.messages.front().key, (TextKey{2004, Section::Other}));
        EXPECT_TRUE(read.image == radioImage(radio));
    } else {
        EXPECT_EQ(read.finished.messages.back().key, (TextKey{2006, Section::Other}));
    }
}

} // namespace
} // namespace r605

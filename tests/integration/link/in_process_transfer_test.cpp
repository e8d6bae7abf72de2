#include "fault_injector.h"
#include "image/comm_image.h"
#include "in_process_link.h"
#include "link/pass_plan.h"
#include "radio_simulator.h"
#include "schema/new_codeplug.h"
#include "transfer/codeplug_jobs.h"

#include <gtest/gtest.h>

#include <array>

namespace r605::sim {
namespace {

void fill(MemoryImage& image, std::uint32_t address, std::uint32_t length, std::uint32_t seed) {
    for (std::uint32_t i = 0; i < length; ++i)
        image.write(address + i, static_cast<std::uint8_t>((seed * 131 + i * 7) & 0xFF));
}

// A radio image laid out as the radio keeps a codeplug: `contacts` contacts in use with their
// index entries and records, some channels, zones and settings. Every byte lies in a block a
// read fetches.
MemoryImage radioImage(std::uint32_t contacts) {
    MemoryImage image;
    image.fill(kContactBitmap, kContactBitmapLength, 0xFF);
    for (std::uint32_t slot = 0; slot < contacts; ++slot) {
        const std::uint32_t byte = kContactBitmap + slot / 8;
        image.write(byte, static_cast<std::uint8_t>(image.read(byte) & ~(1u << (slot % 8))));
        const std::array<std::uint8_t, 4> entry{static_cast<std::uint8_t>(slot),
                                                static_cast<std::uint8_t>(slot >> 8), 0, 0};
        image.write(kContactIndex + 4 * slot, entry);
        fill(image, *ContactRecordAddress(slot), kContactRecordLength, slot);
    }
    image.fill(0x024C1500, 4, 0xFF); // channels 1 to 32
    for (std::uint32_t n = 0; n < 32; ++n)
        fill(image, 0x00800000 + n * 0x40, 0x40, 1000 + n);
    image.write(0x024C1300, 0x03); // zones 1 and 2
    fill(image, 0x01000000, 0x20, 7);
    fill(image, 0x01000200, 0x20, 8);
    fill(image, 0x02540000, 0x40, 9);
    fill(image, 0x02500000, 0x100, 10); // optional settings
    fill(image, kRadioInfoBlock, 8, 11);
    return image;
}

// A transfer job with an image and a block map of its own: a read, or a write whose encode-all
// is `encode`.
struct Transfer {
    explicit Transfer(std::function<bool(MemoryImage&, BlockMap&)> encode = {})
        : job(request(encode != nullptr), image, blocks, nullptr,
              encode ? std::function<bool()>([this, encode] { return encode(image, blocks); })
                     : std::function<bool()>()) {}
    static TransferRequest request(bool write) {
        TransferRequest request;
        request.kind = write ? OperationKind::WriteCodeplug : OperationKind::ReadCodeplug;
        return request;
    }
    MemoryImage image;
    BlockMap blocks;
    EngineJob job;
};

FaultRates noisyCable() {
    return *ParseFaultRates("drop=0.01,corrupt=0.01,short=0.01,late=0.005,garbage=0.01");
}

TEST(InProcessTransfer, NoisyReadsSucceedWithIdenticalDataOrFailWithTheirMessage) {
    int successes = 0;
    int failures = 0;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        RadioSimulator radio(radioImage(120), RadioIdentity{});
        FaultInjector faults(noisyCable(), seed);
        Transfer read;
        auto& [image, blocks, job] = read;
        InProcessOptions options;
        options.retries = 2;
        const InProcessResult result = RunInProcess(job, radio, &faults, options);
        ASSERT_TRUE(result.finished) << "seed " << seed; // never hangs
        if (result.outcome.success) {
            ++successes;
            EXPECT_TRUE(image == radio.image()) << "false success, seed " << seed;
        } else {
            ++failures;
            ASSERT_FALSE(result.outcome.messages.empty());
            EXPECT_EQ(result.outcome.messages.front().key, (TextKey{2006, Section::Other}));
        }
        EXPECT_GT(faults.count(FaultKind::Drop) + faults.count(FaultKind::Corrupt), 0u);
    }
    EXPECT_GT(successes, 20);
    EXPECT_EQ(successes + failures, 30);
}

// Encode-all standing in for the codeplug encoders: the blocks of a codeplug-sized image, marked.
bool encodeRadioImage(MemoryImage& image, BlockMap& blocks) {
    const MemoryImage source = radioImage(200);
    std::array<std::uint8_t, 16> block{};
    for (std::uint32_t page : source.allocatedPages()) {
        for (std::uint32_t address = page; address < page + MemoryImage::kPageSize; address += 16) {
            source.read(address, block);
            if (address != kRadioInfoBlock && block == std::array<std::uint8_t, 16>{})
                continue;
            image.write(address, block);
            blocks.markRange(address, 16, 1);
        }
    }
    return true;
}

TEST(InProcessTransfer, NoisyWritesNeverReportAFalseSuccess) {
    MemoryImage expected;
    BlockMap expectedBlocks;
    encodeRadioImage(expected, expectedBlocks);
    int successes = 0;
    for (std::uint64_t seed = 100; seed < 120; ++seed) {
        RadioSimulator radio(MemoryImage{}, RadioIdentity{});
        FaultInjector faults(noisyCable(), seed);
        Transfer write(encodeRadioImage);
        EngineJob& job = write.job;
        InProcessOptions options;
        options.retries = 2;
        const InProcessResult result = RunInProcess(job, radio, &faults, options);
        ASSERT_TRUE(result.finished) << "seed " << seed;
        if (!result.outcome.success) {
            EXPECT_EQ(result.outcome.messages.front().key, (TextKey{2007, Section::Other}));
            continue;
        }
        ++successes;
        EXPECT_TRUE(radio.image() == expected) << "false success, seed " << seed;
        EXPECT_GE(job.engine()->statistics().writeBlockFrames, expectedBlocks.count(1))
            << "seed " << seed;
    }
    EXPECT_GT(successes, 10);
}

TEST(InProcessTransfer, SilentRadioFailsCleanlyWithinItsTimeOuts) {
    FaultRates silent;
    silent.silentAfter = 500;
    RadioSimulator radio(radioImage(10), RadioIdentity{});
    FaultInjector faults(silent, 1);
    Transfer read;
    auto& [image, blocks, job] = read;
    InProcessOptions options;
    options.retries = 2;
    const InProcessResult result = RunInProcess(job, radio, &faults, options);
    ASSERT_TRUE(result.finished);
    EXPECT_FALSE(result.outcome.success);
    EXPECT_EQ(result.retryQuestions, 3); // Retry twice, then Cancel
    // Bounded: three attempts of three sends of a 1000 ms connect frame, and the reads before.
    EXPECT_LT(result.elapsedMs, 20'000);
}

TEST(InProcessTransfer, WriteCarriesTheInformationBlockWithTheCodeplugsPassword) {
    // A radio whose information block holds its own bytes and the password "OLD".
    MemoryImage before;
    for (std::uint32_t i = 0; i < 16; ++i)
        before.write(kRadioInfoBlock + i, static_cast<std::uint8_t>(0xA0 + i));
    RadioSimulator radio(before, RadioIdentity{});
    radio.setPassword("OLD");
    auto codeplug = NewCodeplug(0);
    ASSERT_TRUE(codeplug.ok());
    codeplug->Settings.ProgramPassword = "9876";
    // What the content checks ask for: a radio ID, a contact and a zone in use.
    codeplug->Person[0].Used = 1;
    codeplug->Contact[0].Used = 1;
    codeplug->Zone[0].Used = 1;
    Document document(std::move(*codeplug));
    CodeplugWriteOptions options;
    options.enteredPassword = "OLD";
    CodeplugWriteJob job(document, options);
    ASSERT_TRUE(RunInProcess(job, radio, nullptr, {}).outcome.success);
    std::array<std::uint8_t, 16> info{};
    radio.image().read(kRadioInfoBlock, info);
    const std::array<std::uint8_t, 16> expected{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7,
                                                '9',  '8',  '7',  '6',  0xAC, 0xAD, 0xAE, 0xAF};
    EXPECT_EQ(info, expected);
}

TEST(InProcessTransfer, PacedTransferTakesTheWireTime) {
    RadioSimulator radio(radioImage(20), RadioIdentity{});
    Transfer read;
    auto& [image, blocks, job] = read;
    InProcessOptions options;
    options.baud = 921600;
    const InProcessResult result = RunInProcess(job, radio, nullptr, options);
    ASSERT_TRUE(result.outcome.success);
    const double wireMs = static_cast<double>(job.engine()->statistics().bytesSent +
                                              job.engine()->statistics().bytesReceived) *
                          10.0 * 1000.0 / 921600.0;
    // The end frame's 1 ms pause is the only time beyond the line.
    EXPECT_NEAR(result.elapsedMs, wireMs + 1.0, 0.01);
}

} // namespace
} // namespace r605::sim

#include "fault_injector.h"
#include "link/frames.h"
#include "link/pass_plan.h"
#include "radio_simulator.h"
#include "simulator_image.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>

namespace r605::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes feed(RadioSimulator& radio, const Bytes& bytes) {
    Bytes out;
    for (const SimReply& reply : radio.receive(bytes))
        out.insert(out.end(), reply.bytes.begin(), reply.bytes.end());
    return out;
}

TEST(RadioSimulator, AnswersTheCoreFramesOnlyInProgrammingMode) {
    MemoryImage image;
    image.fill(0x800000, 16, 0x5A);
    RadioIdentity identity;
    identity.bandCode = 32;
    RadioSimulator radio(std::move(image), identity);
    radio.setPassword("12");

    EXPECT_TRUE(feed(radio, ReadBlockFrame(0x800000).bytes).empty()); // not yet programming
    EXPECT_TRUE(feed(radio, Bytes{0x02}).empty());
    EXPECT_EQ(feed(radio, test::bytesOf("PROGRAM")), (Bytes{'Z', 'T', 0x06}));
    EXPECT_TRUE(radio.programming());

    // 0x49, the model, the band code, the version; bytes 13 and 14 are the radio's own.
    Bytes ident = feed(radio, Bytes{0x02});
    ASSERT_EQ(ident.size(), 16u);
    ident[13] = ident[14] = 0;
    EXPECT_EQ(ident,
              (Bytes{0x49, 'R', '6', '0', '0', 'M', 'K', 0, 32, '1', '0', '0', 0, 0, 0, 0x06}));
    const Bytes query = feed(radio, Bytes{0x04});
    ASSERT_EQ(query.size(), 18u);
    EXPECT_EQ(query[0], 0x04);
    EXPECT_EQ(query[17], 0x06);
    // A read frame split over three arrivals, after line noise.
    EXPECT_TRUE(feed(radio, Bytes{0x00, 0x99, 0x52, 0x00}).empty());
    EXPECT_TRUE(feed(radio, Bytes{0x80, 0x00}).empty());
    const Bytes read = feed(radio, Bytes{0x00, 0x10});
    ASSERT_EQ(read.size(), 24u);
    EXPECT_EQ(read[0], 0x57);
    EXPECT_EQ(readBigEndian32(std::span(read).subspan(1, 4)), 0x800000u);
    EXPECT_EQ(read[6], 0x5A);
    EXPECT_TRUE(ChecksumTest(read, 1, 21, 22));
    EXPECT_EQ(radio.counters().discardedBytes, 6u + 1u + 2u); // before PROGRAM, and the noise
    const Bytes info = feed(radio, ReadBlockFrame(kRadioInfoBlock).bytes);
    EXPECT_EQ(Bytes(info.begin() + 14, info.begin() + 18), (Bytes{'1', '2', 0, 0}));
    // Writes: stored and acknowledged only with a sound checksum.
    std::array<std::uint8_t, 16> data{};
    data.fill(0x77);
    LinkFrame write = WriteBlockFrame(0x02580000, data);
    write.bytes[22] ^= 0x01;
    EXPECT_TRUE(feed(radio, write.bytes).empty());
    EXPECT_EQ(radio.image().read(0x02580000), 0);
    EXPECT_EQ(radio.counters().rejectedWrites, 1u);
    write.bytes[22] ^= 0x01;
    EXPECT_EQ(feed(radio, write.bytes), Bytes{0x06});
    EXPECT_EQ(radio.image().read(0x0258000F), 0x77);
    // Two frames in one arrival get two replies; END leaves programming mode.
    Bytes both = IdentifyFrame().bytes;
    both.insert(both.end(), {'E', 'N', 'D'});
    EXPECT_EQ(feed(radio, both).size(), 17u);
    EXPECT_FALSE(radio.programming());
    EXPECT_TRUE(feed(radio, Bytes{0x02}).empty());
    // An incomplete frame is forgotten when the line goes quiet.
    EXPECT_TRUE(feed(radio, Bytes{'P', 'R', 'O'}).empty());
    EXPECT_TRUE(radio.hasPartialFrame());
    radio.lineIdle();
    EXPECT_TRUE(feed(radio, Bytes{'G', 'R', 'A', 'M'}).empty());
    EXPECT_EQ(feed(radio, test::bytesOf("PROGRAM")), (Bytes{'Z', 'T', 0x06}));
    EXPECT_EQ(radio.counters().sessions, 2u);
}

TEST(FaultInjector, ParsesRatesAndInjectsRepeatably) {
    auto rates =
        ParseFaultRates("drop=0.1, corrupt=0.1,short=0.1,late=0.1,garbage=0.1,silent-after=900");
    ASSERT_TRUE(rates.ok()) << rates.error().text;
    EXPECT_DOUBLE_EQ(rates->drop, 0.1);
    EXPECT_EQ(rates->silentAfter, 900u);
    EXPECT_FALSE(ParseFaultRates("drop=2").ok());
    EXPECT_FALSE(ParseFaultRates("drop=0.6,late=0.6").ok());
    EXPECT_FALSE(ParseFaultRates("lost=0.1").ok());
    EXPECT_FALSE(ParseFaultRates("drop").ok());
    EXPECT_FALSE(ParseFaultRates("silent-after=x").ok());
    EXPECT_TRUE(ParseFaultRates("").ok());

    SimReply reply{Bytes(24, 0x57), 6, 100};
    auto run = [&](std::uint64_t seed) {
        FaultInjector injector(*rates, seed);
        std::vector<Bytes> out;
        for (int i = 0; i < 1000; ++i) {
            const auto emission = injector.apply(reply);
            out.push_back(emission ? emission->bytes : Bytes{});
            if (emission && emission->fault == FaultKind::Late) {
                EXPECT_DOUBLE_EQ(emission->extraDelayMs, 150.0);
            }
            if (emission && emission->fault == FaultKind::Short) {
                EXPECT_LT(emission->bytes.size(), 24u);
            }
            if (emission && emission->fault == FaultKind::Corrupt) {
                EXPECT_NE(emission->bytes, reply.bytes);
            }
        }
        // Each kind near its rate (100 of 900), then silence after frame 900.
        for (FaultKind kind : {FaultKind::Drop, FaultKind::Corrupt, FaultKind::Short,
                               FaultKind::Late, FaultKind::Garbage}) {
            EXPECT_GT(injector.count(kind), 50u);
            EXPECT_LT(injector.count(kind), 150u);
        }
        EXPECT_EQ(injector.count(FaultKind::Silent), 100u);
        return out;
    };
    EXPECT_EQ(run(7), run(7));
    EXPECT_NE(run(7), run(8));
}

TEST(SimulatorImage, SavesEveryBlockHoldingDataAndLoadsItBack) {
    MemoryImage image;
    image.fill(0x02FA0020, 16, 0xAB);
    image.write(0x7FFFFFF, 0x01);
    image.write(0x800000 + 4096 * 3, 0x00); // an allocated page with nothing in it
    const std::string text = SimulatorHexLines(image);
    EXPECT_EQ(text, "02FA0020: ABABABABABABABABABABABABABABABAB\n"
                    "07FFFFF0: 00000000000000000000000000000001\n");
    test::TempDir folder;
    test::writeFile(folder / "radio.hex", text);
    auto loaded = LoadSimulatorImage(folder / "radio.hex");
    ASSERT_TRUE(loaded.ok()) << loaded.error().text;
    EXPECT_TRUE(loaded->image == image);
    EXPECT_FALSE(loaded->bandCode);

    test::writeFile(folder / "bad.hex", "02FA0021: 00000000000000000000000000000000\n");
    EXPECT_FALSE(LoadSimulatorImage(folder / "bad.hex").ok());
    test::writeFile(folder / "radio.txt", text);
    EXPECT_FALSE(LoadSimulatorImage(folder / "radio.txt").ok());
    EXPECT_FALSE(LoadSimulatorImage(folder / "missing.hex").ok());
    // A new radio holds the new codeplug of its band, with no password.
    auto fresh = NewRadioImage(32);
    ASSERT_TRUE(fresh.ok());
    EXPECT_EQ(fresh->bandCode, 32);
    EXPECT_NE(fresh->image.read(0x024C1500), 0); // channel bitmap: the new channels
    EXPECT_FALSE(NewRadioImage(200).ok());
}

} // namespace
} // namespace r605::sim

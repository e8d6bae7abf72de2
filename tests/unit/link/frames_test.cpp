#include "link/frames.h"
#include "link/radio_ident.h"
#include "link/reply_recogniser.h"
#include "link/retry_rule.h"
#include "link/transfer_step.h"
#include "scripted_radio.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using test::Bytes;
using test::ScriptedRadio;

TEST(LinkFrames, CoreFramesHaveTheirBytesAndReplyLengths) {
    EXPECT_EQ(ConnectFrame(), (LinkFrame{{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}, 3}));
    EXPECT_EQ(IdentifyFrame(), (LinkFrame{{0x02}, 16}));
    EXPECT_EQ(QueryFrame(3), (LinkFrame{{0x03}, 18}));
    EXPECT_EQ(QueryFrame(4), (LinkFrame{{0x04}, 18}));
    EXPECT_EQ(ReadBlockFrame(0x02FA0020), (LinkFrame{{0x52, 0x02, 0xFA, 0x00, 0x20, 0x10}, 24}));
    EXPECT_EQ(EndFrame(), (LinkFrame{{0x45, 0x4E, 0x44}, 1}));
    // The worked example: address 0x02FA0020, length 0x10, sixteen zero bytes: 0x12C -> 0x2C.
    const std::array<std::uint8_t, 16> zeros{};
    const LinkFrame write = WriteBlockFrame(0x02FA0020, zeros);
    ASSERT_EQ(write.bytes.size(), 24u);
    EXPECT_EQ(write.replyLength, 1);
    EXPECT_EQ(write.bytes[0], 0x57);
    EXPECT_EQ(write.bytes[22], 0x2C);
    EXPECT_EQ(write.bytes[23], 0x06);
    EXPECT_TRUE(ChecksumTest(write.bytes, 1));
    std::array<std::uint8_t, 16> data{};
    data.fill(0xFF);
    const LinkFrame full = WriteBlockFrame(0x7FFFFF0, data);
    EXPECT_EQ(full.bytes[22], Checksum(full.bytes, 1, 21));
    EXPECT_EQ(std::vector<std::uint8_t>(full.bytes.begin() + 1, full.bytes.begin() + 5),
              (std::vector<std::uint8_t>{0x07, 0xFF, 0xFF, 0xF0}));
    // The further frames the link carries for the recording and play features.
    EXPECT_EQ(RecordingListQueryFrame(), (LinkFrame{{0x58, 0, 0, 0, 0, 0x06}, 6}));
    EXPECT_EQ(RecordingEntryQueryFrame(0x01020304),
              (LinkFrame{{0x56, 0x01, 0x02, 0x03, 0x04, 0x06}, 34}));
    EXPECT_EQ(RecordingDataReadFrame(2, 0x100),
              (LinkFrame{{0x4D, 0, 0, 0, 2, 0, 0, 1, 0, 0x10}, 28}));
    const LinkFrame play = PlayControlFrame(0x01000002, 0x05);
    EXPECT_EQ(play.bytes, (Bytes{0x5A, 0x01, 0x00, 0x00, 0x02, 0x05, 0x08, 0x06}));
    EXPECT_EQ(play.replyLength, 1);
    EXPECT_EQ(RecordingStartFrame(5).bytes, test::bytesOf("recording"));
    EXPECT_EQ(EndOfPlayModeFrame(), (LinkFrame{{0x45, 0x4E, 0x44}, 3}));
}

TEST(LinkFrames, ChecksumDefaultsAndBounds) {
    const Bytes frame{0x00, 0x80, 0x90, 0x10, 0x00, 0x00}; // sum 0x80+0x90+0x10 = 0x120
    EXPECT_EQ(Checksum(frame, 1), 0x20);                   // last defaults to the third-last byte
    EXPECT_EQ(Checksum(frame, 1, 2), 0x10);
    EXPECT_EQ(Checksum(frame, 4, 2), 0); // empty range
    EXPECT_EQ(Checksum(frame, 1, 99), 0x20);
    EXPECT_EQ(Checksum(Bytes{1, 2}, 0), 0); // no third-last byte
    Bytes withSum = frame;
    withSum[4] = 0x20;
    EXPECT_TRUE(ChecksumTest(withSum, 1)); // position defaults to the second-last byte
    EXPECT_FALSE(ChecksumTest(frame, 1));
    EXPECT_TRUE(ChecksumTest(Bytes{0x00, 0x01, 0x02, 0x03}, 1, 2, 3));
    EXPECT_FALSE(ChecksumTest(frame, 1, 3, 2));
    EXPECT_FALSE(ChecksumTest(frame, 1, 3, 40)); // position outside the frame
    EXPECT_FALSE(ChecksumTest(Bytes{0x05}, 0));
}

TEST(LinkFrames, ReadTimeoutsFollowTheFrame) {
    EXPECT_EQ(ReadTimeoutFor(ConnectFrame().bytes, true), 1000);
    EXPECT_EQ(ReadTimeoutFor(ReadBlockFrame(0).bytes, false), 100);
    const std::array<std::uint8_t, 16> zeros{};
    EXPECT_EQ(ReadTimeoutFor(WriteBlockFrame(0, zeros).bytes, false), 300);
    EXPECT_EQ(ReadTimeoutFor(EndFrame().bytes, false), 100);
    EXPECT_TRUE(isConnectFrame(ConnectFrame().bytes));
    EXPECT_FALSE(isConnectFrame(test::bytesOf("PROGRAN")));
}

TEST(ReplyRecogniser, RecognisesEachReplyInOrder) {
    ReplyContext none;
    EXPECT_EQ(RecogniseReply(Bytes{'Z', 'T', 0x06}, none), ReplyKind::ConnectReply);
    EXPECT_EQ(RecogniseReply(Bytes{'Z', 'T', 0x07}, none), ReplyKind::Unrecognised);
    EXPECT_EQ(RecogniseReply(Bytes{0x06}, none), ReplyKind::Acknowledge);
    EXPECT_EQ(RecogniseReply(Bytes{0x15}, none), ReplyKind::Unrecognised);
    Bytes ident = ScriptedRadio::identificationReply("R600MK", 0);
    EXPECT_EQ(RecogniseReply(ident, none), ReplyKind::Identification);
    ident[15] = 0x00;
    EXPECT_EQ(RecogniseReply(ident, none), ReplyKind::Unrecognised);
    Bytes query(18, 0x00);
    query[17] = 0x06;
    EXPECT_EQ(test::mapped(
                  [&](int first) {
                      query[0] = static_cast<std::uint8_t>(first);
                      return RecogniseReply(query, none);
                  },
                  {3, 4, 5}),
              (std::vector{ReplyKind::Query3, ReplyKind::Query4, ReplyKind::Unrecognised}));
    // Read replies: only for the block requested, with the right length, checksum and end.
    std::array<std::uint8_t, 16> data{};
    data.fill(0x5A);
    const Bytes read = ScriptedRadio::readReply(0x800040, data);
    ReplyContext reading;
    reading.kind = OperationKind::ReadCodeplug;
    reading.requestedAddress = 0x800040;
    EXPECT_EQ(RecogniseReply(read, reading), ReplyKind::ReadBlock);
    EXPECT_EQ(RecogniseReply(read, none), ReplyKind::Unrecognised); // nothing was requested
    ReplyContext other = reading;
    other.requestedAddress = 0x800050;
    EXPECT_EQ(RecogniseReply(read, other), ReplyKind::Unrecognised);
    // A checksum off by one, another length, another end, another first byte.
    for (const auto& [at, value] :
         {std::pair{22, read[22] + 1}, {5, 0x0F}, {23, 0x00}, {0, 0x52}}) {
        Bytes bad = read;
        bad[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(value);
        EXPECT_EQ(RecogniseReply(bad, reading), ReplyKind::Unrecognised) << at;
    }
    EXPECT_EQ(RecogniseReply(std::span(read).first(23), reading), ReplyKind::Unrecognised);

    ReplyContext image = reading;
    image.kind = OperationKind::ReadBootImage;
    EXPECT_EQ(RecogniseReply(read, image), ReplyKind::BootImageBlock);
    // After a feature's frame the feature takes a reply of the frame's length, even one that
    // looks like an acknowledge or a connect reply.
    ReplyContext feature;
    feature.featureFrame = true;
    feature.featureReplyLength = 1;
    EXPECT_EQ(RecogniseReply(Bytes{0x06}, feature), ReplyKind::FeatureReply);
    feature.featureReplyLength = 3;
    EXPECT_EQ(RecogniseReply(Bytes{'Z', 'T', 0x06}, feature), ReplyKind::FeatureReply);
    EXPECT_EQ(RecogniseReply(Bytes{0x06}, feature), ReplyKind::Unrecognised);
}

TEST(RadioIdent, ParsesIdentificationAndChecksModelAndBand) {
    RadioIdent ident;
    ParseIdentificationReply(ScriptedRadio::identificationReply("R600MK", 32), ident);
    EXPECT_EQ(ident.modelText, "R600MK");
    EXPECT_EQ(ident.bandCode, 32);
    EXPECT_EQ(ident.bandName, "VHF{136 - 174 MHz}");
    EXPECT_EQ(ident.versionText, "1.02"); // the 0xFF between the characters is skipped
    EXPECT_EQ(ident.secondVersion, "V1A0");

    Bytes reply = ScriptedRadio::identificationReply("R600MKXY", 0);
    reply[14] = 0xFF;
    reply[9] = 0x00;
    reply[10] = 0x00;
    reply[11] = '2';
    reply[12] = 0x00;
    ParseIdentificationReply(reply, ident);
    EXPECT_EQ(ident.modelText, "R600MKX"); // seven bytes without an end
    EXPECT_EQ(ident.secondVersion, "V");
    EXPECT_EQ(ident.versionText, "2.");
    reply[4] = 0xFF;
    ParseIdentificationReply(reply, ident);
    EXPECT_EQ(ident.modelText, "R60");

    Bytes query(18, 0xFF);
    query[1] = 'A';
    query[2] = 'B';
    query[3] = 0x00;
    query[4] = 'C';
    EXPECT_EQ(QueryReplyText(query), "AB");

    RadioIdent good;
    ParseIdentificationReply(ScriptedRadio::identificationReply("R600MK", 0), good);
    EXPECT_FALSE(CheckIdentification(good, OperationKind::ReadCodeplug, 32));
    EXPECT_FALSE(CheckIdentification(good, OperationKind::WriteCodeplug, 0));
    // The messages of another model (99107), of a band that differs (99111) and of one the
    // table does not know ("Band Error!") are the engine's tests. Codes 0 and 4 are both UHF but
    // different bands: still a mismatch.
    EXPECT_TRUE(CheckIdentification(good, OperationKind::WriteCodeplug, 32));
    EXPECT_TRUE(CheckIdentification(good, OperationKind::WriteCodeplug, 4));
    // A band code outside the table: a read cannot adopt it, a write cannot match it, even
    // against a codeplug of an unknown band.
    RadioIdent unknownBand;
    ParseIdentificationReply(ScriptedRadio::identificationReply("R600MK", 200), unknownBand);
    EXPECT_EQ(unknownBand.bandName, "");
    EXPECT_TRUE(CheckIdentification(unknownBand, OperationKind::ReadCodeplug, 0));
    EXPECT_TRUE(CheckIdentification(unknownBand, OperationKind::WriteCodeplug, 200));
    EXPECT_FALSE(CheckIdentification(unknownBand, OperationKind::ReadBootImage, 0));
}

TEST(RetryRule, ResendsTwiceThenDecidesByStep) {
    EXPECT_EQ(ApplyRetryRule(0, TransferStep::ReadingBlocks), RetryDecision::Resend);
    EXPECT_EQ(ApplyRetryRule(1, TransferStep::IdentifySent), RetryDecision::Resend);
    for (int step : {1, 2, 3, 4})
        EXPECT_EQ(ApplyRetryRule(2, step), RetryDecision::AskRetryCancel) << step;
    EXPECT_EQ(ApplyRetryRule(2, 69), RetryDecision::FinishAsSuccess);
    for (int step : {0, 11, 12, 21, 68})
        EXPECT_EQ(ApplyRetryRule(2, step), RetryDecision::Fail) << step;
}

} // namespace
} // namespace r605

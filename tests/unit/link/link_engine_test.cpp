#include "link/boot_image_transfer.h"
#include "link/link_engine.h"
#include "link/pass_plan.h"
#include "link/transfer_step.h"
#include "scripted_radio.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>

namespace r605 {
namespace {

using test::Bytes;
using test::EngineRun;
using test::ScriptedRadio;

constexpr TextKey key(int number) {
    return TextKey{number, Section::Other};
}

TransferRequest requestFor(OperationKind kind) {
    TransferRequest request;
    request.kind = kind;
    return request;
}

// A read with the password the user entered and the one the codeplug holds.
TransferRequest passwords(std::string entered, std::string codeplug) {
    TransferRequest request = requestFor(OperationKind::ReadCodeplug);
    request.enteredPassword = std::move(entered);
    request.codeplugPassword = std::move(codeplug);
    return request;
}

TransferRequest bootImageWrite(std::vector<std::uint8_t> picture) {
    TransferRequest request = requestFor(OperationKind::WriteBootImage);
    request.bootImage = std::move(picture);
    return request;
}

std::vector<TextKey> keysOf(const std::vector<Error>& errors) {
    std::vector<TextKey> keys;
    for (const Error& error : errors)
        keys.push_back(error.key.value_or(TextKey{-1, Section::Other}));
    return keys;
}

void fillBlock(MemoryImage& image, std::uint32_t address, std::uint8_t seed, std::uint32_t length) {
    for (std::uint32_t i = 0; i < length; ++i)
        image.write(address + i, static_cast<std::uint8_t>(seed + i));
}

// A radio holding two contacts (slots 0 and 1, records 0 and 1), channel 1 and some settings;
// every byte of it lies in a block a read fetches, except the bytes of channel 6, whose bit is
// clear.
ScriptedRadio radioWithCodeplug() {
    ScriptedRadio radio;
    MemoryImage& image = radio.image;
    image.fill(kContactBitmap, kContactBitmapLength, 0xFF);
    image.write(kContactBitmap, 0xFC); // slots 0 and 1 in use (bit 0 = in use)
    const std::array<std::uint8_t, 8> index{0, 0, 0, 0, 1, 0, 0, 0};
    image.write(kContactIndex, index);
    fillBlock(image, 0x02680000, 0x10, 200); // records 0 and 1
    image.write(0x024C1500, 0x01);           // channel bitmap: channel 1
    fillBlock(image, 0x00800000, 0x40, 0x40);
    fillBlock(image, 0x02500000, 0x80, 0x100); // optional settings
    fillBlock(image, kRadioInfoBlock, 0xA0, 8);
    return radio;
}

// One transfer: the engine over an image and a block map of its own, run against the radio.
struct Rig {
    explicit Rig(TransferRequest request, ScriptedRadio scripted = {})
        : radio(std::move(scripted)), engine(std::move(request), image, blocks),
          run(engine, radio) {}
    explicit Rig(OperationKind kind, ScriptedRadio scripted = {})
        : Rig(requestFor(kind), std::move(scripted)) {}

    ScriptedRadio radio;
    MemoryImage image;
    BlockMap blocks;
    LinkEngine engine;
    EngineRun run;
};

// The bytes of `count` sent frames from `first` on.
std::vector<Bytes> framesOf(const std::vector<SendFrameAction>& sent, std::size_t first,
                            std::size_t count) {
    std::vector<Bytes> frames;
    for (std::size_t i = first; i < first + count && i < sent.size(); ++i)
        frames.push_back(sent[i].bytes);
    return frames;
}

constexpr std::size_t kReadFrames = 4 + 80 + 1580 + 17 + 1;

TEST(LinkEngineRead, ReadsExactlyThePassesAndStoresEveryBlock) {
    Rig rig(OperationKind::ReadCodeplug, radioWithCodeplug());
    auto& [radio, image, blocks, engine, run] = rig;
    const MemoryImage expected = radio.image;
    fillBlock(radio.image, 0x00800000 + 5 * 0x40, 0x33, 0x40); // channel 6: not in use
    image.write(0x123450, 0x99); // a leftover of an earlier transfer: cleared by the read
    const FinishedAction finished = run.run();

    EXPECT_TRUE(finished.success);
    EXPECT_EQ(keysOf(finished.messages), std::vector<TextKey>{key(2004)});
    EXPECT_TRUE(image == expected);
    // Connect, identify, both queries, 80 + 1580 + 17 block reads by pass, end.
    ASSERT_EQ(run.sent.size(), kReadFrames);
    EXPECT_EQ(framesOf(run.sent, 0, 4),
              (std::vector<Bytes>{test::bytesOf("PROGRAM"), {0x02}, {0x03}, {0x04}}));
    EXPECT_EQ(run.sent[4].bytes, ReadBlockFrame(kContactBitmap).bytes); // pass 3 by address
    EXPECT_EQ(run.sent[4 + 79].bytes, ReadBlockFrame(kRadioInfoBlock).bytes);
    EXPECT_EQ(run.sent[4 + 80].bytes, ReadBlockFrame(0x01042000).bytes);        // pass 2 starts low
    EXPECT_EQ(run.sent[4 + 80 + 1580].bytes, ReadBlockFrame(0x00800000).bytes); // pass 1
    EXPECT_EQ(run.sent.back().bytes, test::bytesOf("END"));
    EXPECT_EQ(run.sent.back().delayMs, 1);
    EXPECT_EQ(run.sent[5].readTimeoutMs, 100);
    // The bar runs from 0 to 100 twice: pass 2, then pass 1.
    ASSERT_FALSE(run.progress.empty());
    EXPECT_EQ(std::count(run.progress.begin(), run.progress.end(), 100), 2);
    const auto second = std::find(run.progress.begin(), run.progress.end(), 100);
    EXPECT_TRUE(std::is_sorted(run.progress.begin(), second));
    EXPECT_EQ(engine.radioIdent().query4Text, "20260101");
    EXPECT_EQ(engine.transferStep(), TransferStep::Idle);
    EXPECT_EQ(run.portCloses, 1);
}

TEST(LinkEngineRead, ResendsAndRetryRestartFromTheConnectFrameWithRebuiltMarks) {
    Rig rig(OperationKind::ReadCodeplug, radioWithCodeplug());
    auto& [radio, image, blocks, engine, run] = rig;
    // The channel record (pass 1) fails three times in the first attempt: once with no reply, once
    // with its checksum off by one, once with a wrong length byte.
    int channelAttempts = 0;
    run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        Bytes reply = radio.reply(frame.bytes);
        if (frame.bytes != ReadBlockFrame(0x00800000).bytes || ++channelAttempts > 3)
            return reply;
        if (channelAttempts == 1)
            return std::nullopt;
        if (channelAttempts == 2) {
            reply[22] = static_cast<std::uint8_t>(reply[22] + 1);
            return reply;
        }
        reply[5] = 0x0F; // a length the radio never sends
        return reply;
    };
    run.answerRetry = [] { return true; };
    const FinishedAction finished = run.run();

    EXPECT_TRUE(finished.success);
    EXPECT_EQ(run.retryQuestions, 1);
    EXPECT_EQ(engine.statistics().restarts, 1u);
    EXPECT_EQ(engine.statistics().resends, 2u);
    EXPECT_EQ(engine.statistics().timeouts, 1u);
    EXPECT_EQ(engine.statistics().unrecognised, 2u);
    EXPECT_TRUE(image == radioWithCodeplug().image);
    // The first attempt got as far as the channel record; the frame sent three times, then the
    // connect frame again (a new frame, long time-out), then the whole read once more.
    const std::size_t firstAttempt = 4 + 80 + 1580 + 1; // up to the first channel read
    ASSERT_EQ(run.sent.size(), firstAttempt + 2 + kReadFrames);
    const Bytes channel = ReadBlockFrame(0x00800000).bytes;
    EXPECT_EQ(framesOf(run.sent, firstAttempt - 1, 4),
              (std::vector<Bytes>{channel, channel, channel, test::bytesOf("PROGRAM")}));
    EXPECT_TRUE(run.sent[firstAttempt].resend && run.sent[firstAttempt + 1].resend);
    EXPECT_FALSE(run.sent[firstAttempt + 2].resend);
    EXPECT_EQ(run.sent[firstAttempt + 2].readTimeoutMs, 1000);
}

TEST(LinkEngineRead, CancelAfterThreeFailuresEndsWithoutTheEndFrame) {
    Rig rig(OperationKind::ReadCodeplug, radioWithCodeplug());
    auto& [radio, image, blocks, engine, run] = rig;
    run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        if (frame.bytes == ReadBlockFrame(kRadioInfoBlock).bytes)
            return Bytes(24, 0x57); // complete but wrong
        return radio.reply(frame.bytes);
    };
    const FinishedAction finished = run.run();
    EXPECT_FALSE(finished.success);
    EXPECT_EQ(keysOf(finished.messages), std::vector<TextKey>{key(2006)});
    EXPECT_EQ(run.retryQuestions, 1);
    EXPECT_EQ(run.countSent(0x52, 6), 79u + 3u); // the bitmap, then the information block 3 times
    EXPECT_EQ(run.sent.back().bytes, ReadBlockFrame(kRadioInfoBlock).bytes);
    EXPECT_EQ(run.portCloses, 1);
}

TEST(LinkEngineRead, MissingRepliesAtIdentifyFailWith99017) {
    Rig rig(OperationKind::ReadCodeplug);
    auto& [radio, image, blocks, engine, run] = rig;
    run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        if (frame.bytes == Bytes{0x02})
            return std::nullopt;
        return radio.reply(frame.bytes);
    };
    const FinishedAction finished = run.run();
    EXPECT_FALSE(finished.success);
    EXPECT_EQ(keysOf(run.messages), std::vector<TextKey>{key(99017)});
    EXPECT_EQ(keysOf(finished.messages), std::vector<TextKey>{key(2006)});
    EXPECT_EQ(run.sent.size(), 4u); // connect, identify three times
    EXPECT_EQ(run.retryQuestions, 0);
    EXPECT_GE(run.portCloses, 1);
}

TEST(LinkEngineRead, IdentificationIsRefusedOnlyWhenTheRadioRepeatsIt) {
    struct Case {
        const char* what;
        std::vector<std::string> models; // of each identification reply in turn; the last repeats
        int bandCode;
        std::vector<std::string> shown; // message keys, or texts of messages without one
        std::size_t frames;
    };
    const Case cases[] = {
        {"another model, said twice: after the second identify frame", {"R500"}, 0, {"99107"}, 3},
        {"a band code the band table does not know", {"R600MK"}, 77, {"Band Error!"}, 3},
        {"one disturbed letter: asked again, and the read goes on",
         {"R6P0MK", "R600MK"},
         0,
         {},
         kReadFrames + 1},
        {"the same model again after a different one", {"R6P0MK", "R5", "R6P0MK"}, 0, {"99107"}, 4},
        {"three different answers: no valid reply, not the wrong radio",
         {"R6P0MK", "R5", "Q600MK"},
         0,
         {"99017"},
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig(OperationKind::ReadCodeplug, radioWithCodeplug());
        auto& [radio, image, blocks, engine, run] = rig;
        radio.bandCode = c.bandCode;
        std::size_t asked = 0;
        run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
            if (frame.bytes != Bytes{0x02})
                return radio.reply(frame.bytes);
            const std::string& model = c.models[std::min(asked++, c.models.size() - 1)];
            return ScriptedRadio::identificationReply(model, radio.bandCode);
        };
        const FinishedAction finished = run.run();
        std::vector<std::string> shown;
        for (const Error& message : run.messages)
            shown.push_back(message.key ? std::to_string(message.key->number) : message.text);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(run.sent.size(), c.frames);
        EXPECT_EQ(finished.success, c.shown.empty());
        if (!finished.success) {
            EXPECT_EQ(keysOf(finished.messages), std::vector<TextKey>{key(2006)});
        }
    }
}

TEST(LinkEngineRead, PasswordAcceptedAskedAndRefused) {
    // The radio's password is "1234".
    struct Case {
        TransferRequest request;
        std::optional<std::string> answer;
        bool success;
        std::string entered; // the password the engine holds afterwards
        int asked;
        std::string preset; // shown in the question
    };
    const Case cases[] = {
        {passwords("1234", ""), std::nullopt, true, "1234", 0, ""},
        {passwords("", "1234 "), std::nullopt, true, "", 0, ""},
        {passwords("0000", ""), " 1234 ", true, "1234", 1, "0000"},
        {passwords("", ""), "9999", false, "9999", 1, ""},
        {passwords("0000", ""), std::nullopt, false, "0000", 1, "0000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request.enteredPassword + "/" + c.request.codeplugPassword);
        Rig rig(c.request, radioWithCodeplug());
        auto& [radio, image, blocks, engine, run] = rig;
        radio.setPassword("1234");
        std::string preset;
        run.answerPassword = [&](const std::string& shown) {
            preset = shown;
            return c.answer;
        };
        const FinishedAction finished = run.run();
        EXPECT_EQ(finished.success, c.success);
        EXPECT_EQ(engine.radioPassword(), "1234");
        EXPECT_EQ(engine.enteredPassword(), c.entered);
        EXPECT_EQ(run.passwordQuestions, c.asked);
        EXPECT_EQ(preset, c.preset);
        if (!finished.success) {
            // Refused: nothing after the information block, no end frame.
            EXPECT_EQ(run.sent.back().bytes, ReadBlockFrame(kRadioInfoBlock).bytes);
            EXPECT_EQ(keysOf(finished.messages), std::vector<TextKey>{key(2006)});
        }
    }
}

// Encode-all as the write calls it: three blocks of data and the information block written
// back, all marked with 1.
bool encodeThreeBlocks(MemoryImage& image, BlockMap& blocks) {
    fillBlock(image, 0x00800000, 0x01, 0x20);
    fillBlock(image, 0x02580000, 0x61, 0x10);
    blocks.markRange(0x00800000, 0x20, 1);
    blocks.markRange(0x02580000, 0x10, 1);
    blocks.markRange(kRadioInfoBlock, 16, 1);
    return true;
}

TEST(LinkEngineWrite, ReadsTheInformationBlockThenWritesEveryMarkedBlockInOrder) {
    Rig rig(OperationKind::WriteCodeplug);
    auto& [radio, image, blocks, engine, run] = rig;
    fillBlock(radio.image, kRadioInfoBlock, 0xB0, 8); // no password: bytes 8..11 stay 0
    std::array<std::uint8_t, 16> infoSeenByEncoder{};
    run.encode = [&] {
        image.read(kRadioInfoBlock, infoSeenByEncoder);
        return encodeThreeBlocks(image, blocks);
    };
    const FinishedAction finished = run.run();

    EXPECT_TRUE(finished.success);
    EXPECT_EQ(keysOf(finished.messages), std::vector<TextKey>{key(2005)});
    EXPECT_EQ(infoSeenByEncoder[0], 0xB0); // the pass-3 read reached the image before encode-all
    // Connect, identify, queries, the information block, 4 writes ascending, end.
    ASSERT_EQ(run.sent.size(), 4u + 1u + 4u + 1u);
    EXPECT_EQ(run.sent[4].bytes, ReadBlockFrame(kRadioInfoBlock).bytes);
    std::array<std::uint8_t, 16> block{};
    const std::array<std::uint32_t, 4> order{0x00800000, 0x00800010, 0x02580000, kRadioInfoBlock};
    for (std::size_t i = 0; i < order.size(); ++i) {
        image.read(order[i], block);
        EXPECT_EQ(run.sent[5 + i].bytes, WriteBlockFrame(order[i], block).bytes);
        EXPECT_EQ(run.sent[5 + i].readTimeoutMs, 300);
    }
    EXPECT_EQ(radio.writes, 4u);
    MemoryImage expected;
    encodeThreeBlocks(expected, blocks);
    fillBlock(expected, kRadioInfoBlock, 0xB0, 8);
    EXPECT_TRUE(radio.image == expected);
    EXPECT_EQ(engine.statistics().writeBlockFrames, 4u);
    EXPECT_EQ(run.progress.back(), 100);
}

TEST(LinkEngineWrite, BandMismatchAndEncodeFailureSendNoBlock) {
    for (const bool disturbedOnce : {false, true}) {
        // A radio of another band, or a band byte disturbed once on the line.
        Rig rig(OperationKind::WriteCodeplug);
        auto& [radio, image, blocks, engine, run] = rig;
        run.encode = [&] { return encodeThreeBlocks(image, blocks); };
        int identifications = 0;
        run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
            Bytes reply = radio.reply(frame.bytes);
            if (frame.bytes == Bytes{0x02} && (!disturbedOnce || identifications++ == 0))
                reply[8] = 32;
            return reply;
        };
        const FinishedAction finished = run.run();
        EXPECT_EQ(finished.success, disturbedOnce);
        if (disturbedOnce) {
            EXPECT_TRUE(run.messages.empty());
            EXPECT_EQ(radio.writes, 4u);
            continue;
        }
        EXPECT_EQ(keysOf(run.messages), std::vector<TextKey>{key(99111)});
        EXPECT_EQ(keysOf(finished.messages), std::vector<TextKey>{key(2007)});
        EXPECT_EQ(run.countSent(0x02, 1), 2u);
        EXPECT_EQ(radio.writes, 0u);
    }
    {
        Rig rig(OperationKind::WriteCodeplug);
        auto& [radio, image, blocks, engine, run] = rig;
        run.encode = [&] {
            encodeThreeBlocks(image, blocks);
            return false; // one family failed
        };
        const FinishedAction finished = run.run();
        EXPECT_FALSE(finished.success);
        EXPECT_EQ(keysOf(finished.messages), (std::vector<TextKey>{key(2007), key(99005)}));
        EXPECT_EQ(run.countSent(0x57, 24), 0u);
        EXPECT_EQ(radio.writes, 0u);
        EXPECT_EQ(run.sent.back().bytes, test::bytesOf("END"));
        EXPECT_FALSE(engine.encodeOK());
    }
}

TEST(LinkEngineWrite, EndAcknowledgeMissingAfterSuccessStillSucceeds) {
    Rig rig(OperationKind::WriteCodeplug);
    auto& [radio, image, blocks, engine, run] = rig;
    run.encode = [&] { return encodeThreeBlocks(image, blocks); };
    run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        Bytes reply = radio.reply(frame.bytes);
        if (frame.bytes == test::bytesOf("END"))
            return Bytes{0x15}; // not an acknowledge
        return reply;
    };
    const FinishedAction finished = run.run();
    EXPECT_TRUE(finished.success);
    EXPECT_EQ(keysOf(finished.messages), std::vector<TextKey>{key(2005)});
    EXPECT_EQ(run.countSent('E', 3), 3u);
    EXPECT_TRUE(run.messages.empty());
    // After a failed write the end frame's acknowledge matters: missing, it is message 99017.
    Rig second(OperationKind::WriteCodeplug); // encode-all fails
    second.run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        if (frame.bytes == test::bytesOf("END"))
            return std::nullopt;
        return second.radio.reply(frame.bytes);
    };
    const FinishedAction failed = second.run.run();
    EXPECT_FALSE(failed.success);
    EXPECT_EQ(keysOf(second.run.messages), std::vector<TextKey>{key(99017)});
    EXPECT_EQ(keysOf(failed.messages), std::vector<TextKey>{key(2007)});
}

TEST(LinkEngineWrite, WriteAcknowledgeMissingThreeTimesAsksRetryOrCancel) {
    Rig rig(OperationKind::WriteCodeplug);
    auto& [radio, image, blocks, engine, run] = rig;
    run.encode = [&] { return encodeThreeBlocks(image, blocks); };
    int failures = 0;
    run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        Bytes reply = radio.reply(frame.bytes);
        if (frame.bytes.size() == 24 &&
            readBigEndian32(std::span(frame.bytes).subspan(1, 4)) == 0x02580000 && ++failures <= 3)
            return std::nullopt;
        return reply;
    };
    int answers = 0;
    run.answerRetry = [&] { return ++answers == 1; };
    const FinishedAction finished = run.run();
    EXPECT_TRUE(finished.success);
    EXPECT_EQ(run.retryQuestions, 1);
    // First attempt: 2 blocks, then the failing block 3 times; second attempt: all 4 blocks.
    EXPECT_EQ(run.countSent(0x57, 24), 2u + 3u + 4u);
    EXPECT_EQ(run.countSent('P', 7), 2u);
}

TEST(LinkEngineReplies, PartialRepliesGetOneFurtherWaitAndLongRepliesAreCut) {
    Rig rig(OperationKind::ReadCodeplug);
    LinkEngine& engine = rig.engine;
    LinkActions actions = engine.start();
    ASSERT_EQ(actions.size(), 1u);
    ASSERT_TRUE(std::holds_alternative<SendFrameAction>(actions[0]));
    // The connect reply in two parts, with a time-out between them.
    EXPECT_TRUE(engine.bytesReceived(Bytes{'Z'}).empty());
    actions = engine.timeoutExpired();
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(std::get<ArmTimeoutAction>(actions[0]).ms, 1000);
    actions = engine.bytesReceived(Bytes{'T', 0x06});
    ASSERT_EQ(actions.size(), 2u); // progress 0 and the identify frame
    EXPECT_EQ(std::get<SendFrameAction>(actions[1]).bytes, Bytes{0x02});
    // Half an identification reply, and then nothing: after the further wait it is missing.
    const Bytes ident = ScriptedRadio::identificationReply("R600MK", 0);
    EXPECT_TRUE(engine.bytesReceived(std::span(ident).first(5)).empty());
    actions = engine.timeoutExpired();
    EXPECT_EQ(std::get<ArmTimeoutAction>(actions.at(0)).ms, 100);
    actions = engine.timeoutExpired();
    const auto& resend = std::get<SendFrameAction>(actions.at(0));
    EXPECT_TRUE(resend.resend);
    EXPECT_EQ(resend.bytes, Bytes{0x02});
    // A reply with bytes beyond its length: the surplus is not taken into the next reply.
    Bytes longer = ident;
    longer.insert(longer.end(), {'Z', 'T', 0x06, 0x06});
    actions = engine.bytesReceived(longer);
    EXPECT_EQ(std::get<SendFrameAction>(actions.at(0)).bytes, Bytes{0x03});
    EXPECT_EQ(engine.statistics().bytesReceived, 3u + 5u + 16u);
    // Three missing replies to query 3 (step 12): the port is closed and message 99017 shown.
    EXPECT_EQ(engine.transferStep(), TransferStep::Query3Sent);
    (void)engine.timeoutExpired();
    (void)engine.timeoutExpired();
    actions = engine.timeoutExpired();
    EXPECT_TRUE(std::holds_alternative<ClosePortAction>(actions.at(0)));
    EXPECT_EQ(std::get<MessageAction>(actions.at(1)).message.key, key(99017));
    EXPECT_FALSE(std::get<FinishedAction>(actions.back()).success);
    EXPECT_TRUE(engine.finished());
    // Nothing moves a finished engine.
    EXPECT_TRUE(engine.bytesReceived(Bytes{0x06}).empty());
    EXPECT_TRUE(engine.timeoutExpired().empty());
}

TEST(LinkEngineReplies, ALateReplyForAnEarlierBlockIsSetAside) {
    Rig rig(OperationKind::ReadCodeplug, radioWithCodeplug());
    auto& [radio, image, blocks, engine, run] = rig;
    // The reply to the second bitmap block comes late, after its resend; then both the late reply
    // and the reply to the resend arrive. The second one is no reason to resend the third block.
    bool late = false;
    run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        Bytes reply = radio.reply(frame.bytes);
        if (frame.bytes == ReadBlockFrame(kContactBitmap + 16).bytes && !late) {
            late = true;
            return std::nullopt;
        }
        if (frame.bytes == ReadBlockFrame(kContactBitmap + 32).bytes && late) {
            late = false;
            Bytes stale = radio.reply(ReadBlockFrame(kContactBitmap + 16).bytes);
            stale.insert(stale.end(), reply.begin(), reply.end());
            return stale;
        }
        return reply;
    };
    EXPECT_TRUE(run.run().success);
    EXPECT_EQ(engine.statistics().staleReplies, 1u);
    EXPECT_EQ(engine.statistics().resends, 1u);
    EXPECT_EQ(engine.statistics().unrecognised, 0u);
    EXPECT_TRUE(image == radioWithCodeplug().image);
}

TEST(LinkEngineReplies, ConnectResendKeepsTheLongTimeoutAndAnswersWaitForTheUser) {
    Rig rig(OperationKind::ReadCodeplug);
    LinkEngine& engine = rig.engine;
    (void)engine.start();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const LinkActions actions = engine.timeoutExpired();
        const auto& frame = std::get<SendFrameAction>(actions.at(0));
        EXPECT_EQ(frame.bytes, test::bytesOf("PROGRAM"));
        EXPECT_EQ(frame.readTimeoutMs, 1000);
        EXPECT_TRUE(frame.resend);
    }
    LinkActions actions = engine.timeoutExpired();
    ASSERT_TRUE(std::holds_alternative<AskRetryCancelAction>(actions.at(0)));
    EXPECT_TRUE(engine.waitingForUser());
    EXPECT_TRUE(engine.bytesReceived(Bytes{'Z', 'T', 0x06}).empty());
    EXPECT_TRUE(engine.timeoutExpired().empty());
    EXPECT_TRUE(engine.passwordAnswered("x").empty()); // not the question asked
    actions = engine.retryAnswered(false);
    EXPECT_TRUE(std::holds_alternative<ClosePortAction>(actions.at(0)));
    EXPECT_FALSE(std::get<FinishedAction>(actions.at(1)).success);
    EXPECT_TRUE(engine.retryAnswered(true).empty());
}

TEST(LinkEngineKinds, RadioInformationReadsItsArea) {
    Rig rig(OperationKind::ReadRadioInfo);
    auto& [radio, image, blocks, engine, run] = rig;
    fillBlock(radio.image, kRadioInfoArea, 0x01, kRadioInfoAreaLength);
    radio.setPassword(""); // bytes 8..11 of the information block: no password
    const FinishedAction finished = run.run();
    EXPECT_TRUE(finished.success);
    EXPECT_TRUE(finished.messages.empty());
    EXPECT_EQ(run.sent.size(), 4u + 1u + 16u + 1u);
    EXPECT_TRUE(image == radio.image);
    EXPECT_TRUE(run.progress.empty());

    Rig silent(OperationKind::ReadRadioInfo);
    silent.run.respond = [](const SendFrameAction&, std::size_t) { return std::optional<Bytes>{}; };
    const FinishedAction failed = silent.run.run();
    EXPECT_FALSE(failed.success);
    EXPECT_EQ(keysOf(failed.messages), std::vector<TextKey>{key(2008)});
}

TEST(LinkEngineKinds, BootImageReadAndWriteMoveTheImageBlockByBlock) {
    std::vector<std::uint8_t> picture(kBootImageSize);
    std::iota(picture.begin(), picture.end(), std::uint8_t{7});
    ScriptedRadio holding;
    holding.image.write(kBootImageAddress, picture);
    Rig read(OperationKind::ReadBootImage, holding);
    const FinishedAction readDone = read.run.run();
    EXPECT_TRUE(readDone.success);
    EXPECT_EQ(keysOf(readDone.messages), std::vector<TextKey>{key(2004)});
    const std::vector<SendFrameAction>& sent = read.run.sent;
    EXPECT_EQ(sent.size(), 2u + 2560u + 1u); // connect, identify, the blocks, end
    EXPECT_EQ(sent[2].bytes, ReadBlockFrame(kBootImageAddress).bytes);
    EXPECT_EQ(sent[2 + 2559].bytes, ReadBlockFrame(kBootImageAddress + 40944).bytes);
    const BootImageBytes copied = CopyImageFromCommData(read.image);
    EXPECT_TRUE(std::equal(copied.begin(), copied.end(), picture.begin()));
    EXPECT_EQ(read.run.progress.front(), 0);
    EXPECT_EQ(read.run.progress.back(), 99);
    EXPECT_EQ(read.run.progress.size(), 100u);

    std::reverse(picture.begin(), picture.end());
    Rig write(bootImageWrite(picture));
    const FinishedAction written = write.run.run();
    EXPECT_TRUE(written.success);
    EXPECT_EQ(keysOf(written.messages), std::vector<TextKey>{key(2005)});
    EXPECT_EQ(write.radio.writes, 2560u);
    const BootImageBytes target = CopyImageFromCommData(write.radio.image);
    EXPECT_TRUE(std::equal(target.begin(), target.end(), picture.begin()));
    // A picture of the wrong size never reaches the radio.
    picture.pop_back();
    Rig refused(bootImageWrite(picture));
    const FinishedAction refusedDone = refused.run.run();
    EXPECT_FALSE(refusedDone.success);
    EXPECT_EQ(keysOf(refusedDone.messages), std::vector<TextKey>{key(2007)});
    EXPECT_TRUE(refused.run.sent.empty());
}

TEST(LinkEngineKinds, RecordingAndPlayFeaturesDriveTheirOwnFrames) {
    std::vector<RecordingStep> steps;
    int entries = 0;
    int rejected = 0;
    TransferRequest request = requestFor(OperationKind::RecordingList);
    request.recording.nextFrame = [&](RecordingStep which) -> std::optional<LinkFrame> {
        steps.push_back(which);
        if (which == RecordingStep::ListQuery)
            return RecordingListQueryFrame();
        if (entries == 2)
            return std::nullopt;
        return RecordingEntryQueryFrame(static_cast<std::uint32_t>(entries++));
    };
    request.recording.takeReply = [&](std::span<const std::uint8_t> reply) {
        // The first entry reply is refused once: the frame goes again.
        if (reply.size() == 34 && entries == 1 && rejected++ == 0)
            return false;
        return true;
    };
    Rig rig(std::move(request));
    auto& [radio, image, blocks, engine, run] = rig;
    run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        if (frame.bytes[0] == 0x58)
            return Bytes(6, 0x01);
        if (frame.bytes[0] == 0x56)
            return Bytes(34, 0x02);
        return radio.reply(frame.bytes);
    };
    const FinishedAction finished = run.run();
    EXPECT_TRUE(finished.success);
    EXPECT_EQ(keysOf(finished.messages), std::vector<TextKey>{key(2004)});
    EXPECT_EQ(framesOf(run.sent, 0, run.sent.size()),
              (std::vector<Bytes>{test::bytesOf("PROGRAM"),
                                  {0x02},
                                  RecordingListQueryFrame().bytes,
                                  RecordingEntryQueryFrame(0).bytes,
                                  RecordingEntryQueryFrame(0).bytes,
                                  RecordingEntryQueryFrame(1).bytes,
                                  test::bytesOf("END")}));
    EXPECT_EQ(steps,
              (std::vector<RecordingStep>{RecordingStep::ListQuery, RecordingStep::EntryQuery,
                                          RecordingStep::EntryQuery, RecordingStep::EntryQuery}));
    // The play control sends its frames without the connect frame and ends with its own frame.
    int played = 0;
    TransferRequest play = requestFor(OperationKind::PlayControl);
    play.recording.nextFrame = [&](RecordingStep which) -> std::optional<LinkFrame> {
        EXPECT_EQ(which, RecordingStep::PlayControl);
        if (played == 0)
            return PlayControlFrame(1, 1);
        if (played == 1)
            return EndOfPlayModeFrame();
        return std::nullopt;
    };
    play.recording.takeReply = [&](std::span<const std::uint8_t>) {
        ++played;
        return true;
    };
    Rig player(std::move(play));
    player.run.respond = [](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        return Bytes(static_cast<std::size_t>(frame.replyLength), 0x06);
    };
    const FinishedAction playDone = player.run.run();
    EXPECT_TRUE(playDone.success);
    EXPECT_TRUE(playDone.messages.empty());
    ASSERT_EQ(player.run.sent.size(), 2u);
    EXPECT_EQ(player.run.sent[0].bytes[0], 0x5A);
}

TEST(LinkEngineKinds, AKindThatIsNoTransferEndsAtOnceSendingNothing) {
    MemoryImage image;
    BlockMap blocks;
    LinkEngine none(requestFor(OperationKind::None), image, blocks);
    const LinkActions actions = none.start();
    EXPECT_TRUE(none.finished());
    EXPECT_FALSE(none.succeeded());
    EXPECT_EQ(actions.size(), 2u);
}

} // namespace
} // namespace r605

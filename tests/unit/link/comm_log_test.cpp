#include "link/comm_log.h"
#include "link/comm_recorder.h"
#include "link/frames.h"
#include "link/link_engine.h"
#include "link/pass_plan.h"
#include "link/transfer_trace.h"
#include "scripted_radio.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace r605 {
namespace {

using test::Bytes;

LocalClock fixedClock(LocalDateTime when) {
    return [when] { return when; };
}

constexpr LocalDateTime kDecember4{2026, 12, 4, 14, 3, 22};

TEST(CommLog, WritesStepAndByteLinesOnlyWhileOn) {
    CommLog log(fixedClock(kDecember4));
    EXPECT_TRUE(log.AddCommLogLine("打开串口").ok());
    EXPECT_EQ(log.lineCount(), 0u); // off at start-up
    log.setCommLogOn(true);
    EXPECT_TRUE(log.AddCommLogLine("打开串口").ok() &&
                log.AddCommLogBytes(test::bytesOf("PROGRAM"), LogDirection::Sent).ok() &&
                log.AddCommLogBytes(Bytes{0x06}, LogDirection::Received).ok() &&
                log.AddCommLogBytes(Bytes{0x02, 0xAB}, LogDirection::Other).ok());
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"打开串口:14:03:22", "PC Tx:50 52 4F 47 52 41 4D ",
                                        "PC Rx:06 ", "02 AB "}));
    log.ClearCommLog();
    EXPECT_EQ(log.lineCount(), 0u);
    // A full log drops the line with "Out Log!"; the lines already there stay.
    CommLog small(fixedClock(kDecember4), 2);
    small.setCommLogOn(true);
    EXPECT_TRUE(small.AddCommLogLine("a").ok());
    EXPECT_TRUE(small.AddCommLogLine("b").ok());
    const Status full = small.AddCommLogLine("c");
    ASSERT_FALSE(full.ok());
    EXPECT_EQ(full.error().text, "Out Log!");
    EXPECT_EQ(small.lineCount(), 2u);
}

TEST(CommLog, ViewerPagesAThousandLinesAtATime) {
    std::vector<std::string> lines;
    for (int i = 0; i < 2500; ++i)
        lines.push_back('L' + std::to_string(i));
    EXPECT_EQ(ShowLogPageNames(lines.size()), (std::vector<std::string>{"0", "1", "2"}));
    const auto page2 = ShowLogPage(lines, 2);
    ASSERT_EQ(page2.size(), 500u);
    EXPECT_EQ(page2.front() + " " + page2.back(), "2000--L2000 2499--L2499");
    EXPECT_EQ(ShowLogPage(lines, 0).size(), 1000u);
    EXPECT_TRUE(ShowLogPage(lines, 7).empty());

    lines.resize(1000);
    EXPECT_EQ(ShowLogPageNames(lines.size()), (std::vector<std::string>{"0", "1"}));
    EXPECT_TRUE(ShowLogPage(lines, 1).empty());
    EXPECT_EQ(ShowLogPage(lines, 0).back(), "999--L999");
    EXPECT_EQ(ShowLogPageNames(0), std::vector<std::string>{"0"});
    EXPECT_TRUE(ShowLogPage(std::vector<std::string>{}, 0).empty());
    EXPECT_EQ(ShowLogPage(std::vector<std::string>{"PC Tx:02 "}, 0),
              std::vector<std::string>{"0--PC Tx:02 "});
}

// The trace as the recorder hands it on: the entries, and how many of them had been flushed
// when each thing happened.
class MemoryTrace : public TransferTrace {
public:
    explicit MemoryTrace(LocalDateTime when) : m_when(when) {}
    void AppendTransferTrace(std::string_view caption,
                             std::span<const std::uint8_t> bytes) override {
        entries.push_back(TraceEntry(m_when, caption, BytesToHexText(bytes)));
    }
    void flush() override { flushed = entries.size(); }
    // How often `entry` is among the entries flushed so far.
    std::size_t flushedCount(const std::string& entry) const {
        return static_cast<std::size_t>(std::count(
            entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(flushed), entry));
    }

    std::vector<std::string> entries;
    std::size_t flushed = 0;

private:
    LocalDateTime m_when;
};

TEST(CommRecorder, LogsAndTracesWhatTheEngineSendsAndReceives) {
    CommLog log(fixedClock(kDecember4));
    log.setCommLogOn(true);
    MemoryTrace trace(kDecember4);
    CommRecorder recorder(&log, &trace);
    MemoryImage image;
    BlockMap blocks;
    TransferRequest request;
    request.kind = OperationKind::ReadCodeplug;
    LinkEngine engine(std::move(request), image, blocks, &recorder);
    (void)engine.start();
    (void)engine.bytesReceived(Bytes{'Z', 'T'});
    (void)engine.bytesReceived(Bytes{0x06});
    // The entries are kept at the end of the transfer.
    recorder.transferEnded();
    const std::vector<std::string> expected{"初始化读取数据:14:03:22",
                                            "初始化读取数据完毕:14:03:22",
                                            "初始化读取优化:14:03:22",
                                            "初始化读取优化完毕:14:03:22",
                                            "加载进度条:14:03:22",
                                            "准备联机:14:03:22",
                                            "发送联机指令:14:03:22",
                                            "PC Tx:50 52 4F 47 52 41 4D ",
                                            "PC Rx:5A 54 ",
                                            "PC Rx:5A 54 06 ",
                                            "PC Tx:02 "};
    EXPECT_EQ(log.lines(), expected);
    EXPECT_EQ(trace.entries, (std::vector<std::string>{
                                 "\"2026-12-04 14:03:22---正在写入:: 50 52 4F 47 52 41 4D\"\n",
                                 "\"2026-12-04 14:03:22---正在读出:: 5A 54\"\n",
                                 "\"2026-12-04 14:03:22---正在读出:: 5A 54 6\"\n",
                                 "\"2026-12-04 14:03:22---正在写入:: 2\"\n"}));
    EXPECT_EQ(trace.flushed, 4u);
    // A transfer that opens the port starts a fresh log.
    recorder.portOpening();
    EXPECT_EQ(log.lineCount(), 0u);
    // With the log off only the trace is written; a full log reports "Out Log!" to the handler.
    CommLog full(fixedClock(kDecember4), 0);
    full.setCommLogOn(true);
    CommRecorder overflowing(&full, nullptr);
    std::vector<std::string> shown;
    overflowing.setMessageHandler([&shown](const Error& error) { shown.push_back(error.text); });
    overflowing.step("准备联机");
    overflowing.frameSent(Bytes{0x02});
    EXPECT_EQ(shown, (std::vector<std::string>{"Out Log!", "Out Log!"}));
}

TEST(CommRecorder, WhatExplainsAFailureIsKeptBeforeTheUserIsTold) {
    MemoryTrace trace(kDecember4);
    CommRecorder recorder(nullptr, &trace);
    test::ScriptedRadio radio;
    MemoryImage image;
    BlockMap blocks;
    TransferRequest request;
    request.kind = OperationKind::ReadRadioInfo;
    LinkEngine engine(std::move(request), image, blocks, &recorder);
    test::EngineRun run(engine, radio);
    const std::string infoFrame = "\"2026-12-04 14:03:22---正在写入:: 52 2 FA 0 20 10\"\n";
    // The information block is never answered: each resend finds the frames before it kept, and
    // so does the question that follows the third time-out.
    std::vector<std::size_t> atResend;
    run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        if (frame.resend)
            atResend.push_back(trace.flushedCount(infoFrame));
        if (frame.bytes == ReadBlockFrame(kRadioInfoBlock).bytes)
            return std::nullopt;
        return radio.reply(frame.bytes);
    };
    std::size_t atQuestion = 0;
    run.answerRetry = [&] {
        atQuestion = trace.flushedCount(infoFrame);
        // the connect reply before it
        EXPECT_EQ(trace.flushedCount("\"2026-12-04 14:03:22---正在读出:: 5A 54 6\"\n"), 1u);
        return false;
    };
    EXPECT_FALSE(run.run().success);
    EXPECT_EQ(atResend, (std::vector<std::size_t>{2, 3}));
    EXPECT_EQ(atQuestion, 3u);
}

} // namespace
} // namespace r605

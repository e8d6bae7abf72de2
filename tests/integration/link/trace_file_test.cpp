#include "test_support.h"
#include "transfer_trace_file.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(TransferTraceFile, AppendsQuotedEntriesToTheDaysFile) {
    test::TempDir folder;
    LocalDateTime now{2026, 12, 4, 14, 3, 22};
    TransferTraceFile trace(folder.path(), [&now] { return now; });
    trace.AppendTransferTrace(kTraceSentCaption, Bytes{0x02});
    trace.AppendTransferTrace(kTraceReceivedCaption, Bytes{0x49, 0x00});
    // Flushed, the entries are in the file while it stays open.
    trace.flush();
    EXPECT_EQ(test::readFile(folder / "log20261204.txt"),
              "\"2026-12-04 14:03:22---正在写入:: 2\"\n"
              "\"2026-12-04 14:03:22---正在读出:: 49 0\"\n");
    now = LocalDateTime{2026, 12, 5, 0, 0, 1}; // past midnight: the next day's file
    trace.AppendTransferTrace(kTraceSentCaption, Bytes{0x45, 0x4E, 0x44});
    trace.close();
    EXPECT_EQ(test::readFile(folder / "log20261205.txt"),
              "\"2026-12-05 00:00:01---正在写入:: 45 4E 44\"\n");
    EXPECT_FALSE(trace.lastError());
    // The file grows for the whole day: a second trace appends.
    TransferTraceFile again(folder.path(), [&now] { return now; });
    again.AppendTransferTrace(kTraceSentCaption, Bytes{0x06});
    again.close();
    EXPECT_NE(test::readFile(folder / "log20261205.txt").find("45 4E 44\"\n\"2026"),
              std::string::npos);
    // A folder that cannot hold the file: the error is kept, nothing is thrown.
    TransferTraceFile nowhere(folder / "missing" / "deeper", [&now] { return now; });
    nowhere.AppendTransferTrace(kTraceSentCaption, Bytes{0x02});
    EXPECT_TRUE(nowhere.lastError());
}

} // namespace
} // namespace r605

#pragma once
// The daily transfer trace: "log<YYYYMMDD>.txt" in the program folder, to which every frame sent
// and, after every arrival of bytes, the reply received so far are appended, always (whether or
// not the communication log is on). Each entry is one quoted line:
//   "2026-12-04 14:03:22---正在写入:: 50 52 4F 47 52 41 4D"
// A trace that cannot be written is no reason to stop a transfer: errors are kept, not raised.

#include "base/result.h"
#include "link/local_date_time.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace r605 {

inline constexpr std::string_view kTraceSentCaption = "正在写入:";
inline constexpr std::string_view kTraceReceivedCaption = "正在读出:";

// The bytes as hexadecimal numbers without leading zeros, single blanks between them: "2",
// "50 52 4F".
std::string BytesToHexText(std::span<const std::uint8_t> bytes);

// One entry as the file holds it: the quoted text and a line end.
std::string TraceEntry(const LocalDateTime& when, std::string_view caption,
                       std::string_view hexText);

// The day's trace file in `folder`: log20261204.txt.
std::filesystem::path TraceFilePath(const std::filesystem::path& folder, const LocalDateTime& when);

class TransferTrace {
public:
    TransferTrace(std::filesystem::path folder, LocalClock clock);
    ~TransferTrace();
    TransferTrace(const TransferTrace&) = delete;
    TransferTrace& operator=(const TransferTrace&) = delete;

    // AppendTransferTrace. The file stays open between entries of the same day and the entries
    // gather in its buffer: a transfer writes two entries a frame, and opening the file or
    // writing to it for each would cost more than the frame.
    void AppendTransferTrace(std::string_view caption, std::span<const std::uint8_t> bytes);
    // Hands the entries gathered so far to the file, where a program killed next leaves them (at
    // the end of every transfer, and as soon as anything goes wrong).
    void flush();
    void close();

    // The first write error met, if any.
    const std::optional<Error>& lastError() const { return m_error; }

private:
    std::filesystem::path m_folder;
    LocalClock m_clock;
    std::filesystem::path m_openPath;
    std::FILE* m_file = nullptr;
    std::optional<Error> m_error;
};

} // namespace r605

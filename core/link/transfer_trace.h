#pragma once
// The daily transfer trace: "log<YYYYMMDD>.txt" in the program folder, to which every frame sent
// and, after every arrival of bytes, the reply received so far are appended, always (whether or
// not the communication log is on). Each entry is one quoted line:
//   "2026-12-04 14:03:22---正在写入:: 50 52 4F 47 52 41 4D"
// A trace that cannot be written is no reason to stop a transfer: its writer keeps errors, it
// does not raise them.

#include "link/local_date_time.h"

#include <cstdint>
#include <filesystem>
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

// Where the entries go. The engine and the jobs see only this; the file writer of the program
// folder lives with the platform code (qt/transfer_trace_file.h), tests keep the entries in
// memory.
class TransferTrace {
public:
    virtual ~TransferTrace() = default;
    // AppendTransferTrace: one entry now, with the caption and the bytes.
    virtual void AppendTransferTrace(std::string_view caption,
                                     std::span<const std::uint8_t> bytes) = 0;
    // The entries appended so far must be kept now, where a program killed next leaves them (at
    // the end of every transfer, and as soon as anything goes wrong).
    virtual void flush() = 0;
};

} // namespace r605

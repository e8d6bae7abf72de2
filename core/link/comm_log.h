#pragma once
// The communication log: while the user has switched it on (CommLogOn), the steps of a transfer
// and every frame sent and reply received, as lines of text, for dealers and service staff to
// see why a transfer failed. It lives for the whole run and starts afresh with each transfer.

#include "base/result.h"
#include "link/local_date_time.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

enum class LogDirection { Sent = 0, Received = 1, Other = 2 };

// "PC Tx:" (sent) or "PC Rx:" (received) and each byte as two capital hexadecimal digits and a
// blank: "PC Tx:02 ". Another direction gives the bytes without a prefix.
std::string CommLogByteLine(std::span<const std::uint8_t> bytes, LogDirection direction);

class CommLog {
public:
    // Indices 0 to 8388608.
    static constexpr std::size_t kCapacity = 8388609;
    static constexpr std::size_t kPageLines = 1000;

    explicit CommLog(LocalClock clock, std::size_t capacity = kCapacity);

    bool CommLogOn() const { return m_on; }
    void setCommLogOn(bool on) { m_on = on; }

    void ClearCommLog() { m_lines.clear(); }
    // A step line: the caption, ":", the time ("打开串口:14:03:22"). Only while the log is on.
    // A full log drops the line and reports "Out Log!"; the transfer goes on.
    Status AddCommLogLine(std::string_view caption);
    // A byte line (CommLogByteLine). Only while the log is on.
    Status AddCommLogBytes(std::span<const std::uint8_t> bytes, LogDirection direction);

    std::size_t lineCount() const { return m_lines.size(); }
    const std::vector<std::string>& lines() const { return m_lines; }

private:
    Status append(std::string line);

    LocalClock m_clock;
    std::size_t m_capacity;
    bool m_on = false;
    std::vector<std::string> m_lines;
};

// The log viewer (Frm_ShowLog) pages the log 1000 lines at a time. The page list: "0", "1", ...
// up to lineCount / 1000.
std::vector<std::string> ShowLogPageNames(std::size_t lineCount);
// The lines of page p, each as its index, "--" and the line ("12--PC Tx:02 "); empty beyond the
// last line.
std::vector<std::string> ShowLogPage(std::span<const std::string> lines, std::size_t page);

} // namespace r605

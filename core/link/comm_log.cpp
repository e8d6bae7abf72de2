#include "link/comm_log.h"

#include <utility>

namespace r605 {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

} // namespace

std::string CommLogByteLine(std::span<const std::uint8_t> bytes, LogDirection direction) {
    std::string line;
    if (direction == LogDirection::Sent)
        line = "PC Tx:";
    else if (direction == LogDirection::Received)
        line = "PC Rx:";
    line.reserve(line.size() + 3 * bytes.size());
    for (std::uint8_t byte : bytes) {
        line.push_back(kHexDigits[byte >> 4]);
        line.push_back(kHexDigits[byte & 0x0F]);
        line.push_back(' ');
    }
    return line;
}

CommLog::CommLog(LocalClock clock, std::size_t capacity)
    : m_clock(std::move(clock)), m_capacity(capacity) {}

Status CommLog::append(std::string line) {
    if (m_lines.size() >= m_capacity)
        return Error::literal("Out Log!");
    m_lines.push_back(std::move(line));
    return Status::success();
}

Status CommLog::AddCommLogLine(std::string_view caption) {
    if (!m_on)
        return Status::success();
    const LocalDateTime now = m_clock ? m_clock() : LocalDateTime{};
    std::string line(caption);
    line += ':';
    line += TimeText(now);
    return append(std::move(line));
}

Status CommLog::AddCommLogBytes(std::span<const std::uint8_t> bytes, LogDirection direction) {
    if (!m_on)
        return Status::success();
    return append(CommLogByteLine(bytes, direction));
}

std::vector<std::string> ShowLogPageNames(std::size_t lineCount) {
    std::vector<std::string> names;
    for (std::size_t page = 0; page <= lineCount / CommLog::kPageLines; ++page)
        names.push_back(std::to_string(page));
    return names;
}

std::vector<std::string> ShowLogPage(std::span<const std::string> lines, std::size_t page) {
    std::vector<std::string> shown;
    const std::size_t first = page * CommLog::kPageLines;
    std::size_t last = (page + 1) * CommLog::kPageLines - 1;
    if (last >= lines.size())
        last = lines.size() - 1; // wraps when the log is empty: the loop below then adds nothing
    for (std::size_t i = first; i <= last && i < lines.size(); ++i)
        shown.push_back(std::to_string(i) + "--" + lines[i]);
    return shown;
}

} // namespace r605

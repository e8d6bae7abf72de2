#include "link/transfer_trace.h"

#include "base/file_io.h"

#include <optional>

namespace r605 {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

} // namespace

std::string BytesToHexText(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(3 * bytes.size());
    for (std::uint8_t byte : bytes) {
        if (!text.empty())
            text.push_back(' ');
        if (byte >= 0x10)
            text.push_back(kHexDigits[byte >> 4]);
        text.push_back(kHexDigits[byte & 0x0F]);
    }
    return text;
}

std::string TraceEntry(const LocalDateTime& when, std::string_view caption,
                       std::string_view hexText) {
    std::string entry = "\"";
    entry += DateTimeText(when);
    entry += "---";
    entry += caption;
    entry += ": ";
    entry += hexText;
    entry += "\"\n";
    return entry;
}

std::filesystem::path TraceFilePath(const std::filesystem::path& folder,
                                    const LocalDateTime& when) {
    return folder / ("log" + DateStamp(when) + ".txt");
}

TransferTrace::TransferTrace(std::filesystem::path folder, LocalClock clock)
    : m_folder(std::move(folder)), m_clock(std::move(clock)) {}

TransferTrace::~TransferTrace() {
    close();
}

void TransferTrace::flush() {
    if (m_file != nullptr && std::fflush(m_file) != 0 && !m_error)
        m_error = Error::literal("cannot write the trace file " + pathText(m_openPath));
}

void TransferTrace::close() {
    if (m_file != nullptr && std::fclose(m_file) != 0 && !m_error)
        m_error = Error::literal("cannot write the trace file " + pathText(m_openPath));
    m_file = nullptr;
    m_openPath.clear();
}

void TransferTrace::AppendTransferTrace(std::string_view caption,
                                        std::span<const std::uint8_t> bytes) {
    const LocalDateTime now = m_clock ? m_clock() : LocalDateTime{};
    const std::filesystem::path path = TraceFilePath(m_folder, now);
    if (path != m_openPath) {
        // A new day starts a new file.
        close();
        m_file = openFile(path, "ab");
        if (m_file == nullptr) {
            if (!m_error)
                m_error = Error::literal("cannot open the trace file " + pathText(path));
            return;
        }
        m_openPath = path;
    }
    const std::string entry = TraceEntry(now, caption, BytesToHexText(bytes));
    if (std::fwrite(entry.data(), 1, entry.size(), m_file) != entry.size()) {
        if (!m_error)
            m_error = Error::literal("cannot write the trace file " + pathText(path));
    }
}

} // namespace r605

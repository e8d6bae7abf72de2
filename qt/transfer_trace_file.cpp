#include "transfer_trace_file.h"

#include <string>

namespace r605 {

TransferTraceFile::TransferTraceFile(std::filesystem::path folder, LocalClock clock)
    : m_folder(std::move(folder)), m_clock(std::move(clock)) {}

TransferTraceFile::~TransferTraceFile() {
    close();
}

void TransferTraceFile::flush() {
    if (m_file != nullptr && std::fflush(m_file) != 0 && !m_error)
        m_error = Error::literal("cannot write the trace file " + m_openPath.string());
}

void TransferTraceFile::close() {
    if (m_file != nullptr && std::fclose(m_file) != 0 && !m_error)
        m_error = Error::literal("cannot write the trace file " + m_openPath.string());
    m_file = nullptr;
    m_openPath.clear();
}

void TransferTraceFile::AppendTransferTrace(std::string_view caption,
                                            std::span<const std::uint8_t> bytes) {
    const LocalDateTime now = m_clock ? m_clock() : LocalDateTime{};
    const std::filesystem::path path = TraceFilePath(m_folder, now);
    if (path != m_openPath) {
        // A new day starts a new file.
        close();
        m_file = std::fopen(path.c_str(), "ab");
        if (m_file == nullptr) {
            if (!m_error)
                m_error = Error::literal("cannot open the trace file " + path.string());
            return;
        }
        m_openPath = path;
    }
    const std::string entry = TraceEntry(now, caption, BytesToHexText(bytes));
    if (std::fwrite(entry.data(), 1, entry.size(), m_file) != entry.size()) {
        if (!m_error)
            m_error = Error::literal("cannot write the trace file " + path.string());
    }
}

} // namespace r605

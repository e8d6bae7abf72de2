#include "transfer_trace_file.h"

#include "settings/program_folders.h"

#include <string>

namespace r605 {

namespace {

// Entries gather up to this size before they are written in one piece.
constexpr std::size_t kPendingBytes = 64 * 1024;

} // namespace

std::filesystem::path TraceFolder(const ProgramFolders& folders) {
    if (folders.programFolderWritable() || folders.userFolder().empty())
        return folders.programFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folders.userFolder(), ignored);
    return folders.userFolder();
}

TransferTraceFile::TransferTraceFile(std::filesystem::path folder, LocalClock clock)
    : m_folder(std::move(folder)), m_clock(std::move(clock)) {}

TransferTraceFile::~TransferTraceFile() {
    close();
}

void TransferTraceFile::writePending() {
    if (m_file == nullptr || m_pending.empty())
        return;
    if (std::fwrite(m_pending.data(), 1, m_pending.size(), m_file) != m_pending.size() && !m_error)
        m_error = Error::literal("cannot write the trace file " + m_openPath.string());
    m_pending.clear();
}

void TransferTraceFile::flush() {
    writePending();
}

void TransferTraceFile::close() {
    writePending();
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
        // The pending entries are the buffer: each write reaches the file as it is given.
        std::setvbuf(m_file, nullptr, _IONBF, 0);
        m_openPath = path;
    }
    m_pending += TraceEntry(now, caption, BytesToHexText(bytes));
    if (m_pending.size() >= kPendingBytes)
        writePending();
}

} // namespace r605

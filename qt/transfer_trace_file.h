#pragma once
// The daily trace as a file: "log<YYYYMMDD>.txt" in the folder given (the program folder, or the
// user's folder when that one is not writable), entries appended as the engine reports them.

#include "base/result.h"
#include "link/local_date_time.h"
#include "link/transfer_trace.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace r605 {

class ProgramFolders;

// Where the daily traces go: the program folder, or the user's folder (made when missing) when the
// program folder is not writable.
std::filesystem::path TraceFolder(const ProgramFolders& folders);

class TransferTraceFile : public TransferTrace {
public:
    TransferTraceFile(std::filesystem::path folder, LocalClock clock);
    ~TransferTraceFile() override;
    TransferTraceFile(const TransferTraceFile&) = delete;
    TransferTraceFile& operator=(const TransferTraceFile&) = delete;

    // The file stays open between entries of the same day and the entries gather in a buffer:
    // a transfer writes two entries a frame, and opening the file or writing to it for each would
    // cost more than the frame. The buffer goes out whole entries at a time, in one write to the
    // end of the file, so that radios written at the same time (a fleet, or the window and the
    // command line) never cut into each other's entries. A new day starts a new file.
    void AppendTransferTrace(std::string_view caption,
                             std::span<const std::uint8_t> bytes) override;
    void flush() override;
    void close();

    // The first write error met, if any.
    const std::optional<Error>& lastError() const { return m_error; }

private:
    void writePending();

    std::filesystem::path m_folder;
    LocalClock m_clock;
    std::filesystem::path m_openPath;
    std::FILE* m_file = nullptr;
    std::string m_pending; // whole entries not yet written
    std::optional<Error> m_error;
};

} // namespace r605

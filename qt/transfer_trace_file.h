#pragma once
// The daily trace as a file: "log<YYYYMMDD>.txt" in the folder given (the program folder, or the
// user's folder when that one is not writable), entries appended as the engine reports them.

#include "base/result.h"
#include "link/local_date_time.h"
#include "link/transfer_trace.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace r605 {

class TransferTraceFile : public TransferTrace {
public:
    TransferTraceFile(std::filesystem::path folder, LocalClock clock);
    ~TransferTraceFile() override;
    TransferTraceFile(const TransferTraceFile&) = delete;
    TransferTraceFile& operator=(const TransferTraceFile&) = delete;

    // The file stays open between entries of the same day and the entries gather in its buffer:
    // a transfer writes two entries a frame, and opening the file or writing to it for each would
    // cost more than the frame. A new day starts a new file.
    void AppendTransferTrace(std::string_view caption,
                             std::span<const std::uint8_t> bytes) override;
    void flush() override;
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

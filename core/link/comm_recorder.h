#pragma once
// The recorder a transfer runs with: the communication log (while it is on) and the daily trace
// (always) see the same steps, frames and replies.

#include "base/result.h"
#include "link/comm_log.h"
#include "link/link_recorder.h"
#include "link/transfer_trace.h"

#include <functional>

namespace r605 {

class CommRecorder : public LinkRecorder {
public:
    // Either may be null: no log, or no trace.
    CommRecorder(CommLog* log, TransferTrace* trace);

    // Called with "Out Log!" for every line a full log drops.
    void setMessageHandler(std::function<void(const Error&)> handler) {
        m_onMessage = std::move(handler);
    }

    // ClearCommLog when the log is on: each transfer starts a fresh log.
    void portOpening() override;
    void step(std::string_view caption) override;
    void frameSent(std::span<const std::uint8_t> frame) override;
    void replyReceived(std::span<const std::uint8_t> bytesSoFar) override;
    // The trace entries written so far go to the file (the communication log lives in memory).
    void persist() override;
    void transferEnded() override;

private:
    void report(const Status& status);

    CommLog* m_log;
    TransferTrace* m_trace;
    std::function<void(const Error&)> m_onMessage;
};

} // namespace r605

#include "link/comm_recorder.h"

namespace r605 {

CommRecorder::CommRecorder(CommLog* log, TransferTrace* trace) : m_log(log), m_trace(trace) {}

void CommRecorder::report(const Status& status) {
    if (!status.ok() && m_onMessage)
        m_onMessage(status.error());
}

void CommRecorder::portOpening() {
    if (m_log != nullptr && m_log->CommLogOn())
        m_log->ClearCommLog();
}

void CommRecorder::step(std::string_view caption) {
    if (m_log != nullptr)
        report(m_log->AddCommLogLine(caption));
}

void CommRecorder::frameSent(std::span<const std::uint8_t> frame) {
    if (m_log != nullptr)
        report(m_log->AddCommLogBytes(frame, LogDirection::Sent));
    if (m_trace != nullptr)
        m_trace->AppendTransferTrace(kTraceSentCaption, frame);
}

void CommRecorder::replyReceived(std::span<const std::uint8_t> bytesSoFar) {
    if (m_trace != nullptr)
        m_trace->AppendTransferTrace(kTraceReceivedCaption, bytesSoFar);
    if (m_log != nullptr)
        report(m_log->AddCommLogBytes(bytesSoFar, LogDirection::Received));
}

void CommRecorder::persist() {
    if (m_trace != nullptr)
        m_trace->flush();
}

void CommRecorder::transferEnded() {
    persist();
}

} // namespace r605

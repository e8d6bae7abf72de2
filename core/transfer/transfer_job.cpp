#include "transfer/transfer_job.h"

#include <utility>

namespace r605 {

TransferJob::TransferJob(OperationKind kind, LinkRecorder* recorder)
    : m_kind(kind), m_recorder(recorder) {}

TransferJob::~TransferJob() = default;

LinkActions TransferJob::start() {
    if (m_started || m_finished)
        return {};
    m_started = true;
    begin();
    return std::exchange(m_out, {});
}

template <class Event> LinkActions TransferJob::handle(Event event) {
    if (m_finished || m_engine == nullptr)
        return {};
    follow(event(*m_engine));
    return std::exchange(m_out, {});
}

LinkActions TransferJob::bytesReceived(std::span<const std::uint8_t> bytes) {
    return handle([bytes](LinkEngine& engine) { return engine.bytesReceived(bytes); });
}

LinkActions TransferJob::timeoutExpired() {
    return handle([](LinkEngine& engine) { return engine.timeoutExpired(); });
}

LinkActions TransferJob::retryAnswered(bool retry) {
    return handle([retry](LinkEngine& engine) { return engine.retryAnswered(retry); });
}

LinkActions TransferJob::passwordAnswered(std::optional<std::string> entered) {
    return handle(
        [&entered](LinkEngine& engine) { return engine.passwordAnswered(std::move(entered)); });
}

void TransferJob::startRun(TransferRequest request, MemoryImage& image, BlockMap& blocks) {
    // The run before (if any) has been told about; its figures go with it.
    m_engine = std::make_unique<LinkEngine>(std::move(request), image, blocks, m_recorder);
    follow(m_engine->start());
}

void TransferJob::finish(bool success, std::vector<Error> messages) {
    if (m_finished)
        return;
    // The port is closed whatever the last run left it.
    if (m_out.empty() || !std::holds_alternative<ClosePortAction>(m_out.back()))
        m_out.emplace_back(ClosePortAction{});
    m_out.emplace_back(FinishedAction{success, std::move(messages)});
    m_finished = true;
    m_success = success;
}

void TransferJob::follow(LinkActions actions) {
    for (LinkAction& action : actions) {
        if (std::holds_alternative<EncodeImageAction>(action)) {
            follow(m_engine->encodeAnswered(encodeImage()));
            continue;
        }
        auto* finished = std::get_if<FinishedAction>(&action);
        if (finished == nullptr) {
            m_out.push_back(std::move(action));
            continue;
        }
        // The engine closes the port at its end; a further run goes on on the open port, so the
        // close waits for the job's own end.
        if (!m_out.empty() && std::holds_alternative<ClosePortAction>(m_out.back()))
            m_out.pop_back();
        if (m_runEnded)
            m_runEnded(*m_engine);
        runEnded(*finished);
        // Nothing an engine gives after its end (there is nothing) goes out.
        return;
    }
}

EngineJob::EngineJob(TransferRequest request, MemoryImage& image, BlockMap& blocks,
                     LinkRecorder* recorder, std::function<bool()> encode)
    : TransferJob(request.kind, recorder), m_request(std::move(request)), m_image(image),
      m_blocks(blocks), m_encode(std::move(encode)) {}

void EngineJob::begin() {
    startRun(m_request, m_image, m_blocks);
}

void EngineJob::runEnded(const FinishedAction& finished) {
    finish(finished.success, finished.messages);
}

bool EngineJob::encodeImage() {
    return m_encode ? m_encode() : false;
}

} // namespace r605

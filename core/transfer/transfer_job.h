#pragma once
// A transfer as the window and the command-line tool run it: one or more runs of the link engine
// in a row (a backup read, the write, a read-back), with what has to happen around them (content
// checks, encode-all, comparing, adopting what was read), behind the engine's own events. A
// driver gives a job the bytes that arrive, the expiry of the time-out it armed and the user's
// answers, and carries out the actions it gets back, as it would for the engine alone; the job
// ends with one FinishedAction carrying its success and every message to show, in order.
//
// Between runs the port stays open and the next run starts with its connect frame at once. The
// job answers the engine's EncodeImageAction itself: a driver never sees it. The user's answers
// may come at any later time; until then the job sends nothing.

#include "base/result.h"
#include "image/comm_image.h"
#include "link/link_action.h"
#include "link/link_engine.h"
#include "link/link_recorder.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace r605 {

class TransferJob {
public:
    virtual ~TransferJob();
    TransferJob(const TransferJob&) = delete;
    TransferJob& operator=(const TransferJob&) = delete;

    // The kind of transfer the port is opened for: that of the first run.
    OperationKind kind() const { return m_kind; }

    LinkActions start();
    LinkActions bytesReceived(std::span<const std::uint8_t> bytes);
    LinkActions timeoutExpired();
    LinkActions retryAnswered(bool retry);
    LinkActions passwordAnswered(std::optional<std::string> entered);

    bool finished() const { return m_finished; }
    bool succeeded() const { return m_finished && m_success; }
    bool waitingForUser() const { return m_engine != nullptr && m_engine->waitingForUser(); }
    // The engine of the run under way, or of the last one; none before the start.
    const LinkEngine* engine() const { return m_engine.get(); }

    // Told at the end of every run of the engine, before the next starts (figures per run).
    void setRunEndedHandler(std::function<void(const LinkEngine&)> handler) {
        m_runEnded = std::move(handler);
    }

protected:
    TransferJob(OperationKind kind, LinkRecorder* recorder);

    // The first run: startRun, or finish when there is nothing to send.
    virtual void begin() = 0;
    // A run ended (`finished` as the engine gave it): startRun for the next, or finish.
    virtual void runEnded(const FinishedAction& finished) = 0;
    // EncodeImageAction of a write run: encode-all into the run's image; EncodeOK.
    virtual bool encodeImage() { return false; }

    void startRun(TransferRequest request, MemoryImage& image, BlockMap& blocks);
    void finish(bool success, std::vector<Error> messages);

    LinkRecorder* recorder() const { return m_recorder; }
    // The engine of the run that has just ended (in runEnded).
    const LinkEngine& lastRun() const { return *m_engine; }

private:
    template <class Event> LinkActions handle(Event event);
    void follow(LinkActions actions);

    OperationKind m_kind;
    LinkRecorder* m_recorder;
    std::unique_ptr<LinkEngine> m_engine;
    std::function<void(const LinkEngine&)> m_runEnded;
    LinkActions m_out;
    bool m_started = false;
    bool m_finished = false;
    bool m_success = false;
};

// A job of one run with nothing around it: the radio information view, the voice recordings,
// and the tests and benchmarks that hand the engine an image of their own. `encode`, when given,
// answers a write's EncodeImageAction.
class EngineJob : public TransferJob {
public:
    EngineJob(TransferRequest request, MemoryImage& image, BlockMap& blocks,
              LinkRecorder* recorder = nullptr, std::function<bool()> encode = {});

private:
    void begin() override;
    void runEnded(const FinishedAction& finished) override;
    bool encodeImage() override;

    TransferRequest m_request;
    MemoryImage& m_image;
    BlockMap& m_blocks;
    std::function<bool()> m_encode;
};

} // namespace r605

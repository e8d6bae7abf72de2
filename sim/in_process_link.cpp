#include "in_process_link.h"

#include <queue>

namespace r605::sim {

namespace {

enum class EventKind { FrameArrives, BytesArrive, TimerFires };

struct Event {
    double time = 0;
    std::size_t sequence = 0;
    EventKind kind = EventKind::TimerFires;
    std::vector<std::uint8_t> bytes; // the frame at the radio, or the bytes at the PC
    std::size_t generation = 0;      // of the timer
};

struct Later {
    bool operator()(const Event& a, const Event& b) const {
        if (a.time != b.time)
            return a.time > b.time;
        return a.sequence > b.sequence;
    }
};

class VirtualLine {
public:
    VirtualLine(TransferJob& job, RadioSimulator& radio, FaultInjector* faults,
                const InProcessOptions& options)
        : m_job(job), m_radio(radio), m_faults(faults), m_options(options) {}

    InProcessResult run() {
        handle(m_job.start());
        while (!m_result.finished && !m_events.empty() && m_result.events < m_options.maxEvents) {
            Event event = m_events.top();
            m_events.pop();
            ++m_result.events;
            m_now = event.time;
            switch (event.kind) {
            case EventKind::FrameArrives:
                radioReceives(event.bytes);
                break;
            case EventKind::BytesArrive:
                if (m_portOpen)
                    handle(m_job.bytesReceived(event.bytes));
                break;
            case EventKind::TimerFires:
                if (event.generation == m_timerGeneration && m_timerArmed) {
                    m_timerArmed = false;
                    handle(m_job.timeoutExpired());
                }
                break;
            }
        }
        m_result.elapsedMs = m_now;
        return m_result;
    }

private:
    double wireMs(std::size_t bytes) const {
        if (m_options.baud <= 0)
            return 0;
        return static_cast<double>(bytes) * 10.0 * 1000.0 / m_options.baud;
    }

    void schedule(double time, EventKind kind, std::vector<std::uint8_t> bytes,
                  std::size_t generation = 0) {
        m_events.push(Event{time, m_sequence++, kind, std::move(bytes), generation});
    }

    void armTimer(double at) {
        ++m_timerGeneration;
        m_timerArmed = true;
        schedule(at, EventKind::TimerFires, {}, m_timerGeneration);
    }

    void radioReceives(const std::vector<std::uint8_t>& frame) {
        for (SimReply& reply : m_radio.receive(frame)) {
            std::optional<Emission> emission;
            if (m_faults != nullptr)
                emission = m_faults->apply(reply);
            else
                emission = Emission{std::move(reply.bytes), 0.0, FaultKind::None};
            if (!emission)
                continue;
            // The frame comes in over the line, then the reply goes out over it.
            const double at = m_now + wireMs(frame.size()) + wireMs(emission->bytes.size()) +
                              emission->extraDelayMs;
            schedule(at, EventKind::BytesArrive, std::move(emission->bytes));
        }
    }

    void handle(LinkActions actions) {
        // Answers to questions produce further actions; they are handled in the same turn.
        std::vector<LinkActions> pending;
        pending.push_back(std::move(actions));
        while (!pending.empty()) {
            LinkActions current = std::move(pending.back());
            pending.pop_back();
            for (LinkAction& action : current) {
                if (auto* frame = std::get_if<SendFrameAction>(&action)) {
                    const double sendAt = m_now + frame->delayMs;
                    schedule(sendAt, EventKind::FrameArrives, frame->bytes);
                    armTimer(sendAt + frame->readTimeoutMs);
                } else if (auto* arm = std::get_if<ArmTimeoutAction>(&action)) {
                    armTimer(m_now + arm->ms);
                } else if (auto* shown = std::get_if<ProgressAction>(&action)) {
                    m_result.progress.push_back(shown->percent);
                } else if (std::holds_alternative<AskRetryCancelAction>(action)) {
                    ++m_result.retryQuestions;
                    const bool retry = m_retriesLeft > 0;
                    if (retry)
                        --m_retriesLeft;
                    m_timerArmed = false;
                    pending.push_back(m_job.retryAnswered(retry));
                } else if (std::holds_alternative<AskPasswordAction>(action)) {
                    ++m_result.passwordQuestions;
                    m_timerArmed = false;
                    pending.push_back(m_job.passwordAnswered(m_options.password));
                } else if (auto* message = std::get_if<MessageAction>(&action)) {
                    m_result.messages.push_back(message->message);
                } else if (std::holds_alternative<ClosePortAction>(action)) {
                    m_portOpen = false;
                    m_timerArmed = false;
                } else if (auto* finished = std::get_if<FinishedAction>(&action)) {
                    m_result.finished = true;
                    m_result.outcome = *finished;
                }
            }
        }
    }

    TransferJob& m_job;
    RadioSimulator& m_radio;
    FaultInjector* m_faults;
    const InProcessOptions& m_options;
    int m_retriesLeft = m_options.retries;
    std::priority_queue<Event, std::vector<Event>, Later> m_events;
    std::size_t m_sequence = 0;
    std::size_t m_timerGeneration = 0;
    bool m_timerArmed = false;
    bool m_portOpen = true;
    double m_now = 0;
    InProcessResult m_result;
};

} // namespace

InProcessResult RunInProcess(TransferJob& job, RadioSimulator& radio, FaultInjector* faults,
                             const InProcessOptions& options) {
    VirtualLine line(job, radio, faults, options);
    return line.run();
}

} // namespace r605::sim

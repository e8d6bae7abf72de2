#pragma once
// The serial port under a transfer job: opens the programming cable's port at 921600 baud 8N1
// with low latency where the port offers it (serial_low_latency.h), purges it before every frame,
// writes the frames the job asks for, feeds it the bytes that arrive and the expiry of the
// per-frame time-out. Everything runs on the thread's event loop (QSerialPort signals and
// QTimers): no busy waiting, no polling loop, no nested event loop. The questions of the link go
// to the prompt, which answers when it will; meanwhile the timers are stopped and nothing is
// sent. The same driver carries codeplug, radio information and boot image transfers: it knows
// nothing of their content.

#include "link/link_recorder.h"
#include "link_prompt.h"
#include "serial_low_latency.h"
#include "transfer/transfer_job.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace r605 {

class ProgramFolders;

inline constexpr qint32 kRadioBaudRate = 921600;

class SerialLinkDriver {
public:
    // `recorder` receives the step lines of opening the port; `folders` locates
    // language/mysetup.ini, where the "CommHandle" key records an open port. Either may be null.
    SerialLinkDriver(LinkPrompt& prompt, LinkRecorder* recorder = nullptr,
                     const ProgramFolders* folders = nullptr);
    ~SerialLinkDriver();
    SerialLinkDriver(const SerialLinkDriver&) = delete;
    SerialLinkDriver& operator=(const SerialLinkDriver&) = delete;

    // Opens and configures the port for a transfer of `kind`. On failure the user has been told
    // (message 2002, with the dialout hint 2009 when permission was refused) and nothing was sent.
    bool OpenRadioPort(const QString& portName, OperationKind kind);
    // Closes the port (when open) and records "CommHandle" = 0.
    void ClosePort();
    bool isOpen() const { return m_port.isOpen(); }
    // Whether the port last opened runs with low latency.
    LowLatency lowLatency() const { return m_lowLatency; }

    // Starts the job on the open port and returns; `done` is called once when it ends. The job
    // must outlive the transfer.
    void start(TransferJob& job, std::function<void(const FinishedAction&)> done);
    // For a program without a window of its own (the command-line tool): runs the job in an
    // event loop until it ends.
    FinishedAction run(TransferJob& job);
    bool running() const { return m_running; }

    // The program's own turnaround for each frame sent straight after a reply: from the read
    // that completed the reply to the frame handed to the port, in nanoseconds.
    const std::vector<qint64>& turnaroundsNs() const { return m_turnarounds; }

private:
    bool configurePort();
    void writeCommHandle(qint64 handle);
    void handle(LinkActions actions);
    void ask(const LinkAction& question);
    bool takeAnswer(std::uint64_t question);
    void sendNow(const std::vector<std::uint8_t>& bytes, int readTimeoutMs, int writeTimeoutMs);
    void writeFrame(const std::vector<std::uint8_t>& bytes);
    void onReadyRead();
    void onReplyTimeout();
    void stopTimers();

    LinkPrompt& m_prompt;
    LinkRecorder* m_recorder;
    const ProgramFolders* m_folders;
    QSerialPort m_port;
    LowLatency m_lowLatency = LowLatency::NotOffered;
    QTimer m_replyTimer;
    QTimer m_writeTimer;
    QTimer m_delayTimer;
    SendFrameAction m_delayed;
    TransferJob* m_job = nullptr;
    std::function<void(const FinishedAction&)> m_done;
    bool m_running = false;
    // The question asked last; an answer to any other is too late. The token tells answers that
    // come after the driver is gone that there is nobody left to hear them.
    std::uint64_t m_question = 0;
    bool m_asking = false;
    std::shared_ptr<SerialLinkDriver*> m_alive;
    std::uint64_t m_sendGeneration = 0;
    QElapsedTimer m_clock;
    qint64 m_replyCompletedAt = -1;
    // The read that just completed a reply took every byte the port held, and the next frame
    // follows at once: there is nothing a purge could discard.
    bool m_lineClean = false;
    std::vector<qint64> m_turnarounds;
};

} // namespace r605

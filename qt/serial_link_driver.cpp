#include "serial_link_driver.h"

#include "settings/setup_file.h"

#include <QEventLoop>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include <span>
#include <string>
#include <utility>

namespace r605 {

SerialLinkDriver::SerialLinkDriver(LinkPrompt& prompt, LinkRecorder* recorder,
                                   const ProgramFolders* folders)
    : m_prompt(prompt), m_recorder(recorder), m_folders(folders),
      m_alive(std::make_shared<SerialLinkDriver*>(this)) {
    m_replyTimer.setSingleShot(true);
    m_replyTimer.setTimerType(Qt::PreciseTimer);
    m_writeTimer.setSingleShot(true);
    m_delayTimer.setSingleShot(true);
    m_delayTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_port, &QSerialPort::readyRead, &m_port, [this] { onReadyRead(); });
    QObject::connect(&m_replyTimer, &QTimer::timeout, &m_replyTimer, [this] { onReplyTimeout(); });
    QObject::connect(&m_writeTimer, &QTimer::timeout, &m_writeTimer, [this] {
        // The frame could not be written in time: drop it; its missing reply does the rest.
        if (m_port.isOpen())
            m_port.clear(QSerialPort::Output);
    });
    QObject::connect(&m_port, &QSerialPort::bytesWritten, &m_port, [this](qint64) {
        if (m_port.bytesToWrite() == 0)
            m_writeTimer.stop();
    });
    QObject::connect(&m_delayTimer, &QTimer::timeout, &m_delayTimer, [this] {
        sendNow(m_delayed.bytes, m_delayed.readTimeoutMs, m_delayed.writeTimeoutMs);
    });
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) {
                         // Pseudo-terminals and some USB adapters have no modem lines: the
                         // refusal to set or read them is no reason to stop a transfer.
                         if (error == QSerialPort::UnsupportedOperationError)
                             m_port.clearError();
                     });
    m_clock.start();
}

SerialLinkDriver::~SerialLinkDriver() {
    *m_alive = nullptr;
    ClosePort();
}

void SerialLinkDriver::writeCommHandle(qint64 handle) {
    if (m_folders == nullptr)
        return;
    // The key only helps the next start-up tidy up after a crash; a settings file that cannot
    // be written must not stop a transfer.
    (void)WriteSetupKey(*m_folders, "CommHandle", std::to_string(handle));
}

bool SerialLinkDriver::configurePort() {
    // 921600 baud, 8 data bits, no parity, one stop bit; flow control stays as the driver has it.
    return m_port.setBaudRate(kRadioBaudRate) && m_port.setDataBits(QSerialPort::Data8) &&
           m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop);
}

bool SerialLinkDriver::OpenRadioPort(const QString& portName, OperationKind kind) {
    if (!isTransferKind(kind))
        return false;
    auto log = [this](std::string_view caption) {
        if (m_recorder != nullptr)
            m_recorder->step(caption);
    };
    if (m_recorder != nullptr)
        m_recorder->portOpening();
    ClosePort();
    m_lowLatency = LowLatency::NotOffered;
    log("打开串口");
    bool result = false;
    QSerialPort::SerialPortError openError = QSerialPort::NoError;
    QString openErrorText;
    if (!portName.isEmpty()) {
        m_port.setPortName(portName);
        if (m_port.open(QIODevice::ReadWrite)) {
            result = true;
        } else {
            openError = m_port.error();
            openErrorText = m_port.errorString();
        }
    }
    writeCommHandle(result ? static_cast<qint64>(m_port.handle()) : 0);
    log("打开串口完毕");
    if (result) {
        log("设置串口");
        result = configurePort();
        if (result) {
            m_lowLatency = RequestLowLatency(m_port.handle());
            log("设置串口完毕");
        } else {
            openErrorText = m_port.errorString();
            log("关闭串口");
            ClosePort();
        }
    }
    if (!result) {
        std::string detail = portName.toStdString();
        if (!openErrorText.isEmpty())
            detail += ": " + openErrorText.toStdString();
        m_prompt.showMessage(Error::keyed(2002, "(" + detail + ")"));
        if (openError == QSerialPort::PermissionError)
            m_prompt.showMessage(Error::keyed(2009));
    }
    return result;
}

void SerialLinkDriver::ClosePort() {
    stopTimers();
    if (!m_port.isOpen())
        return;
    if (m_lowLatency == LowLatency::SwitchedOn)
        ReleaseLowLatency(m_port.handle());
    m_port.close();
    writeCommHandle(0);
}

void SerialLinkDriver::stopTimers() {
    m_replyTimer.stop();
    m_writeTimer.stop();
    m_delayTimer.stop();
}

void SerialLinkDriver::start(TransferJob& job, std::function<void(const FinishedAction&)> done) {
    m_job = &job;
    m_done = std::move(done);
    m_running = true;
    m_asking = false;
    m_turnarounds.clear();
    handle(job.start());
}

FinishedAction SerialLinkDriver::run(TransferJob& job) {
    QEventLoop loop;
    FinishedAction result;
    bool ended = false;
    start(job, [&](const FinishedAction& finished) {
        result = finished;
        ended = true;
        loop.quit();
    });
    if (!ended)
        loop.exec();
    return result;
}

void SerialLinkDriver::sendNow(const std::vector<std::uint8_t>& bytes, int readTimeoutMs,
                               int writeTimeoutMs) {
    if (!m_port.isOpen()) {
        // The port went away: the frame's time-out still runs, so the retry rule decides.
        m_replyTimer.start(readTimeoutMs);
        return;
    }
    ++m_sendGeneration;
    // Purge: whatever arrived for an earlier frame is not the reply to this one. Right after a
    // reply came whole, the purge is skipped: the port's buffer was just read empty and the
    // engine dropped any bytes beyond the reply, and a system call a frame is a tenth of the
    // program's time on the line. Before a resend, after a time-out or a wait it purges.
    if (!std::exchange(m_lineClean, false))
        m_port.clear(QSerialPort::AllDirections);
    writeFrame(bytes);
    m_replyTimer.start(readTimeoutMs);
    if (m_port.bytesToWrite() > 0)
        m_writeTimer.start(writeTimeoutMs);
    if (m_replyCompletedAt >= 0) {
        m_turnarounds.push_back(m_clock.nsecsElapsed() - m_replyCompletedAt);
        m_replyCompletedAt = -1;
    }
}

void SerialLinkDriver::writeFrame(const std::vector<std::uint8_t>& bytes) {
    std::size_t written = 0;
#ifdef Q_OS_UNIX
    // A frame is at most 24 bytes and the output queue was just purged: it goes to the device in
    // one call. Going round QSerialPort's write buffer would switch its write notifier on and off
    // for every frame, which costs the event loop more than the frame itself.
    const ssize_t n = ::write(static_cast<int>(m_port.handle()), bytes.data(), bytes.size());
    if (n > 0)
        written = static_cast<std::size_t>(n);
#endif
    if (written < bytes.size()) {
        m_port.write(reinterpret_cast<const char*>(bytes.data() + written),
                     static_cast<qint64>(bytes.size() - written));
        m_port.flush();
    }
}

void SerialLinkDriver::handle(LinkActions actions) {
    for (LinkAction& action : actions) {
        if (auto* frame = std::get_if<SendFrameAction>(&action)) {
            if (frame->delayMs > 0) {
                m_lineClean = false; // bytes may come in while the frame waits
                m_replyTimer.stop();
                m_delayed = std::move(*frame);
                m_delayTimer.start(m_delayed.delayMs);
            } else {
                if (frame->resend)
                    m_lineClean = false; // the reply before was missing or bad
                sendNow(frame->bytes, frame->readTimeoutMs, frame->writeTimeoutMs);
            }
        } else if (auto* arm = std::get_if<ArmTimeoutAction>(&action)) {
            m_replyTimer.start(arm->ms);
        } else if (auto* shown = std::get_if<ProgressAction>(&action)) {
            m_prompt.showProgress(shown->percent);
        } else if (std::holds_alternative<AskRetryCancelAction>(action) ||
                   std::holds_alternative<AskPasswordAction>(action)) {
            ask(action);
        } else if (auto* message = std::get_if<MessageAction>(&action)) {
            m_prompt.showMessage(message->message);
        } else if (std::holds_alternative<ClosePortAction>(action)) {
            ClosePort();
        } else if (auto* finished = std::get_if<FinishedAction>(&action)) {
            stopTimers();
            m_running = false;
            m_asking = false;
            m_job = nullptr;
            if (auto done = std::exchange(m_done, {}))
                done(*finished);
        }
    }
}

void SerialLinkDriver::ask(const LinkAction& question) {
    // Nothing runs while the user decides: no time-out, no frame.
    stopTimers();
    m_replyCompletedAt = -1;
    m_asking = true;
    const std::uint64_t id = ++m_question;
    const std::weak_ptr<SerialLinkDriver*> alive = m_alive;
    auto driver = [alive]() -> SerialLinkDriver* {
        const auto self = alive.lock();
        return self ? *self : nullptr;
    };
    if (const auto* password = std::get_if<AskPasswordAction>(&question)) {
        m_prompt.askPassword(password->preset, [driver, id](std::optional<std::string> entered) {
            if (SerialLinkDriver* self = driver(); self != nullptr && self->takeAnswer(id))
                self->handle(self->m_job->passwordAnswered(std::move(entered)));
        });
        return;
    }
    m_prompt.askRetryCancel([driver, id](bool retry) {
        if (SerialLinkDriver* self = driver(); self != nullptr && self->takeAnswer(id))
            self->handle(self->m_job->retryAnswered(retry));
    });
}

bool SerialLinkDriver::takeAnswer(std::uint64_t question) {
    // Only the question still open is answered, and only once.
    if (!m_running || m_job == nullptr || !m_asking || question != m_question)
        return false;
    m_asking = false;
    return true;
}

void SerialLinkDriver::onReadyRead() {
    const QByteArray data = m_port.readAll();
    if (!m_running || m_job == nullptr || data.isEmpty())
        return;
    m_replyCompletedAt = m_clock.nsecsElapsed();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    LinkActions actions =
        m_job->bytesReceived(std::span(bytes, static_cast<std::size_t>(data.size())));
    if (actions.empty())
        m_replyCompletedAt = -1; // the reply is not complete yet: no turnaround to measure
    m_lineClean = !actions.empty() && m_port.bytesAvailable() == 0;
    handle(std::move(actions));
    m_replyCompletedAt = -1;
    m_lineClean = false;
}

void SerialLinkDriver::onReplyTimeout() {
    if (!m_running || m_job == nullptr)
        return;
    // Bytes may have reached the port since the last notification: they count before the
    // time-out does.
    const std::uint64_t generation = m_sendGeneration;
    if (m_port.isOpen())
        m_port.waitForReadyRead(0);
    if (!m_running || m_job == nullptr || generation != m_sendGeneration || m_replyTimer.isActive())
        return;
    handle(m_job->timeoutExpired());
}

} // namespace r605

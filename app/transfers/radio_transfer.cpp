#include "transfers/radio_transfer.h"

#include "common/interface_texts.h"
#include "common/prompt.h"
#include "common/shell_context.h"
#include "system_clock.h"
#include "transfers/progress_dialog.h"

#include <QWidget>

namespace r605 {

RadioTransfer::RadioTransfer(ShellContext& shell, QWidget& window)
    : QObject(&window), m_shell(shell), m_window(window),
      m_trace(TraceFolder(shell.folders), SystemLocalClock()), m_recorder(&shell.commLog, &m_trace),
      m_driver(*this, &m_recorder, &shell.folders) {
    // A full communication log drops its oldest lines; the user is told once a line is lost.
    m_recorder.setMessageHandler([this](const Error& message) { showMessage(message); });
}

RadioTransfer::~RadioTransfer() {
    m_driver.ClosePort();
    delete m_progress.data();
}

ProgressDialog* RadioTransfer::progressDialog() const {
    return m_progress.data();
}

void RadioTransfer::start(std::unique_ptr<TransferJob> job, Done done) {
    m_job = std::move(job);
    m_done = std::move(done);
    if (!m_driver.OpenRadioPort(QString::fromStdString(m_shell.state.ComPortName), m_job->kind())) {
        ended(FinishedAction{false, {}});
        return;
    }
    m_progress = new ProgressDialog(m_shell.texts, m_job->kind(), &m_window);
    connect(&m_shell.texts, &InterfaceTexts::languageChanged, m_progress.data(),
            &ProgressDialog::retranslate);
    m_progress->open();
    m_driver.start(*m_job, [this](const FinishedAction& finished) { ended(finished); });
}

void RadioTransfer::askRetryCancel(RetryAnswer answer) {
    const PromptMessage question{
        m_shell.texts.text(2003), PromptButtons::RetryCancel, PromptIcon::Warning, {}};
    m_shell.prompt.ask(question, [answer = std::move(answer)](PromptAnswer given) {
        answer(given == PromptAnswer::Retry);
    });
}

void RadioTransfer::askPassword(const std::string& preset, PasswordAnswer answer) {
    const TextQuestion question{m_shell.texts.text(3100), m_shell.texts.text(3101),
                                QString::fromStdString(preset), true};
    m_shell.prompt.askText(question, [answer = std::move(answer)](std::optional<QString> entered) {
        if (!entered) {
            answer(std::nullopt);
            return;
        }
        answer(entered->trimmed().toStdString());
    });
}

void RadioTransfer::showMessage(const Error& message) {
    m_shell.prompt.tell(m_shell.texts.describe(message), PromptIcon::Warning);
}

void RadioTransfer::showProgress(int percent) {
    if (m_progress != nullptr)
        m_progress->setProgressValue(percent);
}

void RadioTransfer::ended(const FinishedAction& finished) {
    m_driver.ClosePort();
    if (m_progress != nullptr) {
        m_progress->finish();
        m_progress->deleteLater();
    }
    m_finished = finished;
    tellFrom(0);
}

void RadioTransfer::tellFrom(std::size_t next) {
    if (next < m_finished.messages.size()) {
        const PromptIcon icon = m_finished.success ? PromptIcon::Information : PromptIcon::Warning;
        m_shell.prompt.tell(m_shell.texts.describe(m_finished.messages[next]), icon,
                            [this, next] { tellFrom(next + 1); });
        return;
    }
    if (auto done = std::exchange(m_done, {}))
        done(*m_job, m_finished.success);
    // The driver may still be on the stack that told the job's end.
    deleteLater();
}

} // namespace r605

#pragma once
// One transfer of the window with the radio on the port chosen in FrmComSet: the port opened,
// the job run on the window's event loop with FrmProgress in front, the link's questions asked
// through the prompt (Retry/Cancel, the password) without blocking, its messages told, the steps
// written to the daily trace and, while it is on, the communication log. When the job has ended
// and every message has been read, `done` gets the outcome; the transfer then removes itself.
//
// Made with `new`, it belongs to the window; `start` runs it at most once.

#include "link/comm_recorder.h"
#include "link_prompt.h"
#include "serial_link_driver.h"
#include "transfer/transfer_job.h"
#include "transfer_trace_file.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QWidget;

namespace r605 {

class ProgressDialog;
struct ShellContext;

class RadioTransfer : public QObject, private LinkPrompt {
    Q_OBJECT

public:
    using Done = std::function<void(TransferJob& job, bool success)>;

    RadioTransfer(ShellContext& shell, QWidget& window);
    ~RadioTransfer() override;

    // What the job records its steps with: hand it to the job's constructor.
    LinkRecorder* recorder() { return &m_recorder; }

    // Runs the job on the stored port. A port that cannot be opened ends it at once (the user has
    // been told, nothing was sent).
    void start(std::unique_ptr<TransferJob> job, Done done);

    // The progress dialog while the transfer runs; null before and after.
    ProgressDialog* progressDialog() const;

private:
    void askRetryCancel(RetryAnswer answer) override;
    void askPassword(const std::string& preset, PasswordAnswer answer) override;
    void showMessage(const Error& message) override;
    void showProgress(int percent) override;

    void ended(const FinishedAction& finished);
    // Tells the messages from `next` on, one after the other, then finishes.
    void tellFrom(std::size_t next);

    ShellContext& m_shell;
    QWidget& m_window;
    TransferTraceFile m_trace;
    CommRecorder m_recorder;
    SerialLinkDriver m_driver;
    std::unique_ptr<TransferJob> m_job;
    Done m_done;
    QPointer<ProgressDialog> m_progress;
    FinishedAction m_finished;
};

} // namespace r605

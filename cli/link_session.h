#pragma once
// What the transfer commands (read, write, and the boot image transfers) share: the options of a
// port, the user's answers given as options, progress on standard error, the daily trace, and the
// serial driver that runs the transfer job.

#include "context.h"
#include "link/comm_log.h"
#include "link/comm_recorder.h"
#include "link_prompt.h"
#include "serial_link_driver.h"
#include "settings/program_folders.h"
#include "transfer/transfer_job.h"
#include "transfer_trace_file.h"

#include <QElapsedTimer>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace r605::cli {

struct LinkOptions {
    std::string port;
    int retries = 0; // answers Retry to message 2003 this many times, then Cancel
    std::optional<std::string> password; // the password to give when the radio asks
};

// Reads --port, --retries and --password; prints the usage error and gives none when they are
// wrong.
std::optional<LinkOptions> ParseLinkOptions(const Arguments& arguments, Context& context,
                                            std::string_view command);

// The answers of the command line, given at once, and progress as a percentage: updated in place
// on a terminal, one line per ten percent otherwise.
class CliPrompt : public LinkPrompt {
public:
    CliPrompt(Context& context, int retries, std::optional<std::string> password);
    ~CliPrompt() override;

    void askRetryCancel(RetryAnswer answer) override;
    void askPassword(const std::string& preset, PasswordAnswer answer) override;
    void showMessage(const Error& message) override;
    void showProgress(int percent) override;
    // Ends a progress line left open on a terminal.
    void endProgress();

private:
    Context& m_context;
    int m_retriesLeft;
    std::optional<std::string> m_password;
    bool m_terminal;
    bool m_lineOpen = false;
    int m_lastTenth = -1;
    int m_lastPercent = -1;
};

class LinkSession {
public:
    LinkSession(Context& context, LinkOptions options);

    LinkRecorder* recorder() { return &m_recorder; }
    const ProgramFolders& folders() const { return m_folders; }
    const LinkOptions& options() const { return m_options; }

    // Opens the port for the job's kind and runs the job. A port that cannot be opened gives a
    // failure with nothing sent. With `stats`, the figures of each run of the engine are printed
    // as it ends.
    FinishedAction run(TransferJob& job, bool stats);

private:
    // Figures of one run, for --stats: frames, bytes, time on the line and the program's own
    // turnaround.
    void printStatistics(const LinkEngine& engine);

    Context& m_context;
    LinkOptions m_options;
    ProgramFolders m_folders;
    CommLog m_log;
    TransferTraceFile m_trace;
    CommRecorder m_recorder;
    CliPrompt m_prompt;
    std::unique_ptr<SerialLinkDriver> m_driver;
    // Where the run under way started: elapsed and CPU time, and its first turnaround.
    qint64 m_runStartNs = 0;
    double m_runStartCpu = 0;
    std::size_t m_runStartTurnaround = 0;
    QElapsedTimer m_clock;
};

} // namespace r605::cli

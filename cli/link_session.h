#pragma once
// What the transfer commands (read, write, and the boot image transfers) share: the options of a
// port, the user's answers given as options, progress on standard error, the daily trace, and the
// serial driver that runs the link engine.

#include "context.h"
#include "link/comm_log.h"
#include "link/comm_recorder.h"
#include "link/link_engine.h"
#include "link/transfer_trace.h"
#include "link_prompt.h"
#include "serial_link_driver.h"
#include "settings/program_folders.h"

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

// Radio addresses of blocks for a message such as 2010: the first eight in hexadecimal, then how
// many there are in all.
std::string blockList(const std::vector<std::uint32_t>& blocks);

// The answers of the command line, and progress as a percentage: updated in place on a terminal,
// one line per ten percent otherwise.
class CliPrompt : public LinkPrompt {
public:
    CliPrompt(Context& context, int retries, std::optional<std::string> password);
    ~CliPrompt() override;

    bool askRetryCancel() override;
    std::optional<std::string> askPassword(const std::string& preset) override;
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
    CommLog* log() { return &m_log; }
    const ProgramFolders& folders() const { return m_folders; }
    const LinkOptions& options() const { return m_options; }

    // Opens the port for the engine's kind, runs the transfer and prints its messages. A port
    // that cannot be opened gives a failure with nothing sent.
    FinishedAction run(LinkEngine& engine);

    const SerialLinkDriver& driver() const { return *m_driver; }

    // Figures of the transfers run so far, for --stats: frames, bytes, time on the line and the
    // program's own turnaround.
    void printStatistics(const LinkEngine& engine) const;

private:
    Context& m_context;
    LinkOptions m_options;
    ProgramFolders m_folders;
    CommLog m_log;
    TransferTrace m_trace;
    CommRecorder m_recorder;
    CliPrompt m_prompt;
    std::unique_ptr<SerialLinkDriver> m_driver;
    double m_lastElapsedSeconds = 0;
    double m_lastCpuSeconds = 0;
};

} // namespace r605::cli

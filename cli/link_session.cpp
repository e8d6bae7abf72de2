#include "link_session.h"

#include "base/numbers.h"
#include "system_clock.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace r605::cli {

namespace {

// User and system time of this process so far.
double processCpuSeconds() {
    rusage usage{};
    if (::getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

std::optional<LinkOptions> ParseLinkOptions(const Arguments& arguments, Context& context,
                                            std::string_view command) {
    LinkOptions options;
    options.port = arguments.valueOr("--port", "");
    if (options.port.empty()) {
        context.err << "r605 " << command << ": --port PORT is needed (see r605 ports)\n";
        return std::nullopt;
    }
    if (auto retries = arguments.value("--retries")) {
        const auto count = parseInteger(*retries);
        if (!count || *count < 0 || *count > 1000) {
            context.err << "r605 " << command << ": --retries needs a number from 0 to 1000\n";
            return std::nullopt;
        }
        options.retries = static_cast<int>(*count);
    }
    options.password = arguments.value("--password");
    return options;
}

CliPrompt::CliPrompt(Context& context, int retries, std::optional<std::string> password)
    : m_context(context), m_retriesLeft(retries), m_password(std::move(password)),
      m_terminal(::isatty(STDERR_FILENO) == 1) {}

CliPrompt::~CliPrompt() {
    endProgress();
}

void CliPrompt::endProgress() {
    if (m_lineOpen)
        m_context.err << "\n";
    m_lineOpen = false;
    m_context.err.flush();
}

void CliPrompt::askRetryCancel(RetryAnswer answer) {
    endProgress();
    const bool retry = m_retriesLeft > 0;
    m_context.err << "r605: " << m_context.language.GetLangText(2003) << " -> "
                  << (retry ? "Retry" : "Cancel") << "\n";
    if (retry)
        --m_retriesLeft;
    answer(retry);
}

void CliPrompt::askPassword(const std::string&, PasswordAnswer answer) {
    endProgress();
    m_context.err << "r605: " << m_context.language.GetLangText(3101) << " "
                  << (m_password ? "(--password)" : "(none given: Cancel)") << "\n";
    answer(m_password);
}

void CliPrompt::showMessage(const Error& message) {
    endProgress();
    m_context.err << "r605: " << m_context.language.describe(message) << "\n";
}

void CliPrompt::showProgress(int percent) {
    if (percent == m_lastPercent)
        return;
    const std::string label = m_context.language.GetLangText(99104);
    if (m_terminal) {
        m_context.err << "\r" << label << " " << percent << "%   ";
        m_lineOpen = true;
        m_context.err.flush();
    } else {
        // A new pass starts from 0 again.
        if (percent < m_lastPercent)
            m_lastTenth = -1;
        if (percent / 10 != m_lastTenth) {
            m_lastTenth = percent / 10;
            m_context.err << label << " " << percent << "%\n";
        }
    }
    m_lastPercent = percent;
}

LinkSession::LinkSession(Context& context, LinkOptions options)
    : m_context(context), m_options(std::move(options)),
      m_folders(ProgramFolders::locate(context.programFolder)), m_log(SystemLocalClock()),
      m_trace(TraceFolder(m_folders), SystemLocalClock()), m_recorder(&m_log, &m_trace),
      m_prompt(context, m_options.retries, m_options.password),
      m_driver(std::make_unique<SerialLinkDriver>(m_prompt, &m_recorder, &m_folders)) {
    m_clock.start();
}

FinishedAction LinkSession::run(TransferJob& job, bool stats) {
    if (!m_driver->OpenRadioPort(QString::fromStdString(m_options.port), job.kind()))
        return FinishedAction{false, {}};
    m_runStartNs = m_clock.nsecsElapsed();
    m_runStartCpu = processCpuSeconds();
    m_runStartTurnaround = 0;
    if (stats)
        job.setRunEndedHandler([this](const LinkEngine& engine) { printStatistics(engine); });
    FinishedAction finished = m_driver->run(job);
    job.setRunEndedHandler({});
    m_prompt.endProgress();
    return finished;
}

void LinkSession::printStatistics(const LinkEngine& engine) {
    m_prompt.endProgress();
    const double elapsedSeconds = static_cast<double>(m_clock.nsecsElapsed() - m_runStartNs) / 1e9;
    const double cpuSeconds = processCpuSeconds() - m_runStartCpu;
    const LinkStatistics& statistics = engine.statistics();
    // 10 bits a byte on the line: start bit, 8 data bits, stop bit.
    const double wireSeconds =
        static_cast<double>(statistics.bytesSent + statistics.bytesReceived) * 10.0 /
        kRadioBaudRate;
    const std::vector<qint64>& all = m_driver->turnaroundsNs();
    std::vector<qint64> turnarounds(
        all.begin() + static_cast<std::ptrdiff_t>(std::min(m_runStartTurnaround, all.size())),
        all.end());
    double medianMicroseconds = 0;
    if (!turnarounds.empty()) {
        std::nth_element(turnarounds.begin(), turnarounds.begin() + turnarounds.size() / 2,
                         turnarounds.end());
        medianMicroseconds = static_cast<double>(turnarounds[turnarounds.size() / 2]) / 1000.0;
    }
    char line[512];
    std::snprintf(
        line, sizeof line,
        "stats: frames %zu (resends %zu, time-outs %zu, unrecognised %zu, stale %zu, "
        "restarts %zu), bytes sent %zu, received %zu, elapsed %.3f s, wire time %.3f s "
        "at %d baud, ratio %.3f, turnaround median %.1f us over %zu frames, "
        "cpu %.3f s (%.1f us a frame), low latency %s\n",
        statistics.framesSent, statistics.resends, statistics.timeouts, statistics.unrecognised,
        statistics.staleReplies, statistics.restarts, statistics.bytesSent,
        statistics.bytesReceived, elapsedSeconds, wireSeconds, static_cast<int>(kRadioBaudRate),
        wireSeconds > 0 ? elapsedSeconds / wireSeconds : 0.0, medianMicroseconds,
        turnarounds.size(), cpuSeconds,
        statistics.framesSent > 0 ? cpuSeconds * 1e6 / static_cast<double>(statistics.framesSent)
                                  : 0.0,
        LowLatencyText(m_driver->lowLatency()));
    m_context.err << line;
    // The next run's figures start here.
    m_runStartNs = m_clock.nsecsElapsed();
    m_runStartCpu = processCpuSeconds();
    m_runStartTurnaround = all.size();
}

} // namespace r605::cli

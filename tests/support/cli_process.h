#pragma once
// The r605 program of this build run as a user runs it: a command to its end with a bounded
// time, and `r605 sim` in the background for the transfer commands.

#include <QProcess>

#include <string>
#include <vector>

namespace r605::test {

struct CommandRun {
    int exitCode = -1; // -1 when the program crashed or did not end in time
    std::string out;
    std::string err;
};

// Runs r605 to its end, at most `seconds`; a run that does not end is killed and fails the test.
CommandRun runR605(const std::vector<std::string>& arguments, int seconds = 60);

// `r605 sim` in the background, serving on the port it prints; stopped with SIGTERM when the
// object goes.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& arguments);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& port() const { return m_port; }
    // Stops the simulator and gives what it wrote to standard error.
    std::string stop();
    int exitCode() const { return m_process.exitCode(); }

private:
    QProcess m_process;
    std::string m_port;
    std::string m_err;
};

} // namespace r605::test

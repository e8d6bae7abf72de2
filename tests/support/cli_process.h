#pragma once
// The r605 program of this build run as a user runs it: a command to its end with a bounded
// time, and `r605 sim` in the background for the transfer commands.

#include "model/codeplug.h"
#include "test_support.h"

#include <QProcess>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace r605::test {

struct CommandRun {
    int exitCode = -1; // -1 when the program crashed or did not end in time
    std::string out;
    std::string err;
};

// Runs r605 to its end, at most `seconds`; a run that does not end is killed and fails the test.
CommandRun runR605(const std::vector<std::string>& arguments, int seconds = 60);

// A folder of the test's own that r605 takes as its program folder (`--home`; a copy of data/
// unless told otherwise), its files named as arguments, and r605 run on it in one language.
class CliFolder {
public:
    explicit CliFolder(bool programData = true);
    // A file of the folder, as an argument.
    std::string operator()(std::string_view name) const { return (m_dir / name).string(); }
    std::filesystem::path operator/(std::string_view name) const { return m_dir / name; }
    const std::filesystem::path& path() const { return m_dir.path(); }

    CommandRun run(const std::vector<std::string>& arguments, int seconds = 60) const;
    // A codeplug file of the folder, read (an empty codeplug and a failure when it holds none)
    // and written (.rdt with GBK texts, or JSON, by the name).
    Codeplug load(std::string_view name) const;
    void save(std::string_view name, const Codeplug& codeplug) const;

    std::string language = "en";

private:
    TempDir m_dir;
};

// `r605 sim` in the background, serving on the port it prints; stopped with SIGTERM when the
// object goes.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& arguments);
    // `r605 --home <folder> sim <arguments>`.
    SimProcess(const CliFolder& home, std::vector<std::string> arguments);
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

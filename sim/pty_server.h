#pragma once
// Serves the radio simulator on a new pseudo-terminal, so that the real program opens it as it
// opens a programming cable. Replies can be paced at a line rate: a reply leaves when the frame
// it answers and the reply itself would have crossed a serial line of that rate (10 bits a byte).

#include "base/result.h"
#include "fault_injector.h"
#include "radio_simulator.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace r605::sim {

struct PtyServeCounters {
    std::size_t bytesIn = 0;
    std::size_t bytesOut = 0;
    std::size_t replies = 0;
    // Paced replies only: how late they left against the time the line would have let them go.
    std::size_t pacedReplies = 0;
    std::chrono::nanoseconds lateness{0};
};

class PtyServer {
public:
    // Opens a pseudo-terminal in raw mode. With a link path, that path becomes a symbolic link to
    // the terminal (an existing symbolic link there is replaced; any other file is refused).
    static Result<std::unique_ptr<PtyServer>> open(const std::filesystem::path& linkPath = {});
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // The terminal's device path, /dev/pts/N.
    const std::string& devicePath() const { return m_devicePath; }
    // The path to give to the program: the link when there is one, else the device.
    std::string portPath() const;

    // Answers frames until `stopFd` becomes readable (a signalfd, an eventfd or a pipe).
    // baud 0 sends replies at once.
    Status serve(RadioSimulator& radio, FaultInjector* faults, double baud, int stopFd);

    const PtyServeCounters& counters() const { return m_counters; }

    // How long before a paced reply is due the server stops sleeping and polls (400 us unless
    // set). Zero paces by timed waits alone: replies leave a little late, but the simulator
    // leaves the processor alone, so that several of them on one machine do not slow each
    // other down (a radio's cable costs the computer nothing).
    void setSpinBeforeDue(std::chrono::microseconds spin) { m_spinBeforeDue = spin; }

private:
    PtyServer() = default;

    int m_master = -1;
    int m_slave = -1;
    std::string m_devicePath;
    std::filesystem::path m_link;
    PtyServeCounters m_counters;
    std::chrono::microseconds m_spinBeforeDue{400};
};

} // namespace r605::sim

#pragma once
// A simulated radio served on a pseudo-terminal from a background thread, for tests that open it
// as a serial port. Its radio and counters may be looked at once it is stopped.

#include "fault_injector.h"
#include "pty_server.h"
#include "radio_simulator.h"

#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace r605::test {

class PtyRadio {
public:
    PtyRadio(MemoryImage image, sim::RadioIdentity identity,
             std::optional<sim::FaultRates> faults = std::nullopt, std::uint64_t seed = 1,
             double baud = 0);
    ~PtyRadio();

    const std::string& port() const { return m_port; }
    void stop();
    sim::RadioSimulator& radio() { return m_radio; }
    const sim::FaultInjector& faults() const { return m_faults; }

private:
    sim::RadioSimulator m_radio;
    sim::FaultInjector m_faults;
    bool m_useFaults;
    double m_baud;
    std::unique_ptr<sim::PtyServer> m_server;
    std::string m_port;
    int m_stopFd = -1;
    std::thread m_thread;
};

} // namespace r605::test

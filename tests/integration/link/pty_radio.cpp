#include "pty_radio.h"

#include <stdexcept>
#include <sys/eventfd.h>
#include <unistd.h>

namespace r605::test {

PtyRadio::PtyRadio(MemoryImage image, sim::RadioIdentity identity,
                   std::optional<sim::FaultRates> faults, std::uint64_t seed, double baud)
    : m_radio(std::move(image), std::move(identity)),
      m_faults(faults.value_or(sim::FaultRates{}), seed), m_useFaults(faults.has_value()),
      m_baud(baud) {
    auto server = sim::PtyServer::open();
    if (!server)
        throw std::runtime_error(server.error().text);
    m_server = std::move(*server);
    m_port = m_server->devicePath();
    m_stopFd = ::eventfd(0, EFD_CLOEXEC);
    m_thread = std::thread([this] {
        (void)m_server->serve(m_radio, m_useFaults ? &m_faults : nullptr, m_baud, m_stopFd);
    });
}

PtyRadio::~PtyRadio() {
    stop();
}

void PtyRadio::stop() {
    if (!m_thread.joinable())
        return;
    const std::uint64_t one = 1;
    (void)::write(m_stopFd, &one, sizeof one);
    m_thread.join();
    ::close(m_stopFd);
}

} // namespace r605::test

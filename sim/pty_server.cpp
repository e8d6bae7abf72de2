#include "pty_server.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace r605::sim {

namespace {

using Clock = std::chrono::steady_clock;

// An incomplete frame older than this is dropped: the PC has purged and moved on.
constexpr auto kLineIdle = std::chrono::milliseconds(50);
Error systemError(const std::string& what) {
    return Error::literal(what + ": " + std::strerror(errno));
}

struct Outgoing {
    Clock::time_point due;
    std::vector<std::uint8_t> bytes;
};

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                pollfd out{fd, POLLOUT, 0};
                ::poll(&out, 1, 10);
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

Result<std::unique_ptr<PtyServer>> PtyServer::open(const std::filesystem::path& linkPath) {
    std::unique_ptr<PtyServer> server(new PtyServer());
    if (::openpty(&server->m_master, &server->m_slave, nullptr, nullptr, nullptr) != 0)
        return systemError("cannot open a pseudo-terminal");
    termios settings{};
    if (::tcgetattr(server->m_slave, &settings) == 0) {
        // Raw bytes both ways: no echo, no line editing, no CR/LF translation.
        ::cfmakeraw(&settings);
        ::tcsetattr(server->m_slave, TCSANOW, &settings);
    }
    ::fcntl(server->m_master, F_SETFL, ::fcntl(server->m_master, F_GETFL) | O_NONBLOCK);
    const char* name = ::ttyname(server->m_slave);
    if (name == nullptr)
        return systemError("cannot name the pseudo-terminal");
    server->m_devicePath = name;
    if (!linkPath.empty()) {
        std::error_code error;
        if (std::filesystem::is_symlink(linkPath, error))
            std::filesystem::remove(linkPath, error);
        else if (std::filesystem::exists(linkPath, error))
            return Error::literal(linkPath.string() + " exists and is no symbolic link");
        std::filesystem::create_symlink(server->m_devicePath, linkPath, error);
        if (error)
            return Error::literal("cannot create " + linkPath.string() + ": " + error.message());
        server->m_link = linkPath;
    }
    return server;
}

PtyServer::~PtyServer() {
    if (!m_link.empty()) {
        std::error_code ignored;
        std::filesystem::remove(m_link, ignored);
    }
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

std::string PtyServer::portPath() const {
    return m_link.empty() ? m_devicePath : m_link.string();
}

Status PtyServer::serve(RadioSimulator& radio, FaultInjector* faults, double baud, int stopFd) {
    // Sub-millisecond waits for the pacing: the default timer slack would add 50 us to each.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const auto wire = [baud](std::size_t bytes) {
        if (baud <= 0)
            return Clock::duration::zero();
        return std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(static_cast<double>(bytes) * 10.0 / baud));
    };
    std::vector<Outgoing> outgoing;
    Clock::time_point lastInput = Clock::now();
    std::vector<std::uint8_t> buffer(4096);
    for (;;) {
        const Clock::time_point now = Clock::now();
        // Send what is due.
        std::sort(outgoing.begin(), outgoing.end(),
                  [](const Outgoing& a, const Outgoing& b) { return a.due < b.due; });
        while (!outgoing.empty() && outgoing.front().due <= now) {
            if (!writeAll(m_master, outgoing.front().bytes))
                return systemError("cannot write to the pseudo-terminal");
            m_counters.bytesOut += outgoing.front().bytes.size();
            if (baud > 0) {
                ++m_counters.pacedReplies;
                m_counters.lateness += Clock::now() - outgoing.front().due;
            }
            outgoing.erase(outgoing.begin());
        }
        std::optional<Clock::duration> wait;
        if (!outgoing.empty()) {
            const Clock::duration untilDue = outgoing.front().due - now;
            // A timed wait often wakes tens of microseconds late (much more in a virtual machine
            // whose processor has gone idle), which on a paced line of 0.3 ms a block makes the
            // radio look slower than its cable. The last stretch before a reply is due, about one
            // block's time, is spent polling without a time-out instead; the simulator then keeps
            // a processor busy while a paced reply is pending, which a test tool can afford.
            const Clock::duration spin = m_spinBeforeDue;
            wait = untilDue > spin ? untilDue - spin : Clock::duration::zero();
        }
        if (radio.hasPartialFrame()) {
            const Clock::duration idle = lastInput + kLineIdle - now;
            if (idle <= Clock::duration::zero()) {
                radio.lineIdle();
            } else if (!wait || idle < *wait) {
                wait = idle;
            }
        }
        timespec timeout{};
        if (wait) {
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(*wait).count();
            timeout.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            timeout.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        }
        pollfd fds[2] = {{m_master, POLLIN, 0}, {stopFd, POLLIN, 0}};
        const int ready = ::ppoll(fds, stopFd >= 0 ? 2 : 1, wait ? &timeout : nullptr, nullptr);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return systemError("cannot wait for the pseudo-terminal");
        }
        if (stopFd >= 0 && (fds[1].revents & POLLIN) != 0)
            return Status::success();
        if ((fds[0].revents & POLLIN) != 0) {
            const ssize_t n = ::read(m_master, buffer.data(), buffer.size());
            if (n > 0) {
                const Clock::time_point arrived = Clock::now();
                lastInput = arrived;
                m_counters.bytesIn += static_cast<std::size_t>(n);
                for (SimReply& reply :
                     radio.receive(std::span(buffer.data(), static_cast<std::size_t>(n)))) {
                    std::optional<Emission> emission;
                    if (faults != nullptr)
                        emission = faults->apply(reply);
                    else
                        emission = Emission{std::move(reply.bytes), 0.0, FaultKind::None};
                    ++m_counters.replies;
                    if (!emission)
                        continue;
                    const auto extra = std::chrono::duration_cast<Clock::duration>(
                        std::chrono::duration<double, std::milli>(emission->extraDelayMs));
                    outgoing.push_back(Outgoing{arrived + wire(reply.frameLength) +
                                                    wire(emission->bytes.size()) + extra,
                                                std::move(emission->bytes)});
                }
            }
        } else if ((fds[0].revents & (POLLHUP | POLLERR)) != 0) {
            // No program has the terminal open: wait a little instead of spinning.
            ::usleep(10'000);
        }
    }
}

} // namespace r605::sim

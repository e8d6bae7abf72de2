#include "serial_low_latency.h"

#include <optional>

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace r605 {

namespace {

#if defined(__linux__) && defined(TIOCGSERIAL) && defined(TIOCSSERIAL) && defined(ASYNC_LOW_LATENCY)

// Sets or clears the mark; none when the port has no serial settings to read or refuses them.
std::optional<bool> setLowLatencyFlag(qintptr handle, bool on) {
    const int fd = static_cast<int>(handle);
    serial_struct serial{};
    if (fd < 0 || ::ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return std::nullopt;
    const bool wasOn = (serial.flags & ASYNC_LOW_LATENCY) != 0;
    if (wasOn == on)
        return wasOn;
    if (on)
        serial.flags |= ASYNC_LOW_LATENCY;
    else
        serial.flags &= ~ASYNC_LOW_LATENCY;
    if (::ioctl(fd, TIOCSSERIAL, &serial) != 0)
        return std::nullopt;
    return wasOn;
}

#else

std::optional<bool> setLowLatencyFlag(qintptr, bool) {
    return std::nullopt;
}

#endif

} // namespace

LowLatency RequestLowLatency(qintptr handle) {
    const std::optional<bool> wasOn = setLowLatencyFlag(handle, true);
    if (!wasOn)
        return LowLatency::NotOffered;
    return *wasOn ? LowLatency::AlreadyOn : LowLatency::SwitchedOn;
}

void ReleaseLowLatency(qintptr handle) {
    (void)setLowLatencyFlag(handle, false);
}

const char* LowLatencyText(LowLatency state) {
    switch (state) {
    case LowLatency::NotOffered:
        return "not offered";
    case LowLatency::AlreadyOn:
        return "already on";
    case LowLatency::SwitchedOn:
        return "on";
    }
    return "";
}

} // namespace r605

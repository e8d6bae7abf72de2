#pragma once
// Low latency on the serial port. Many USB serial adapters hold a short reply back until a
// latency timer expires (16 ms by default under Linux) before they pass it on; a read of a full
// radio is some 74 000 short replies, which would take twenty minutes instead of under two. The
// kernel lowers that timer for a port marked for low latency (what `setserial low_latency` does).
// Ports without the setting (a pseudo-terminal, other systems) are used as they are.

#include <QtGlobal>

namespace r605 {

enum class LowLatency {
    NotOffered, // the port or the system has no such setting
    AlreadyOn,
    SwitchedOn, // by us: taken back before the port closes
};

// Asks for low latency on the open port `handle` (the port's file descriptor).
LowLatency RequestLowLatency(qintptr handle);
// Takes the mark back, leaving the adapter as it was found (after SwitchedOn).
void ReleaseLowLatency(qintptr handle);

// "on", "already on", "not offered": for the figures of a transfer.
const char* LowLatencyText(LowLatency state);

} // namespace r605

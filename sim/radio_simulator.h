#pragma once
// A radio of the R600MK family in software: the radio's side of the programming protocol over a
// memory image of its own. It takes the bytes the PC sends, in whatever pieces they arrive, and
// answers every complete frame as the radio does: "ZT" 0x06 to PROGRAM, its identification and
// query replies, read replies with checksums, acknowledges for writes whose checksum holds and
// for the end frame. Frames before PROGRAM, after END, or damaged are not answered.

#include "image/memory_image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605::sim {

struct RadioIdentity {
    std::string model = "R600MK";
    int bandCode = 0;
    std::array<std::uint8_t, 4> version{'1', '0', '0', 0x00};
    std::uint8_t secondVersion = 0x12;
    std::string query3Text = "R605-DMR";
    std::string query4Text = "20260101";
};

// One reply of the radio, with what the fault injector and the pacing need to know about it.
struct SimReply {
    std::vector<std::uint8_t> bytes;
    std::size_t frameLength = 0; // bytes of the frame it answers
    int frameTimeoutMs = 0;      // how long the PC waits for it
};

struct SimulatorCounters {
    std::size_t frames = 0;
    std::size_t blocksRead = 0;
    std::size_t blocksWritten = 0;
    std::size_t rejectedWrites = 0; // bad checksum, length or end byte
    std::size_t discardedBytes = 0; // bytes that began no known frame
    std::size_t sessions = 0;       // PROGRAM received
};

class RadioSimulator {
public:
    RadioSimulator(MemoryImage image, RadioIdentity identity);

    // Feeds bytes from the PC; returns the replies of the frames they complete, in order.
    std::vector<SimReply> receive(std::span<const std::uint8_t> bytes);

    // The line has been quiet for a while: an incomplete frame will not be completed (the PC
    // purged and moved on), so the radio forgets it.
    void lineIdle();
    bool hasPartialFrame() const { return !m_buffer.empty(); }

    // The programming password in bytes 8..11 of the radio information block.
    void setPassword(std::string_view password);

    const MemoryImage& image() const { return m_image; }
    MemoryImage& image() { return m_image; }
    const RadioIdentity& identity() const { return m_identity; }
    RadioIdentity& identity() { return m_identity; }
    bool programming() const { return m_programming; }
    const SimulatorCounters& counters() const { return m_counters; }

private:
    // How many bytes the frame starting the buffer needs; 0 when its first byte starts no frame.
    std::size_t frameLength() const;
    void answer(std::span<const std::uint8_t> frame, std::vector<SimReply>& replies);

    MemoryImage m_image;
    RadioIdentity m_identity;
    std::vector<std::uint8_t> m_buffer;
    bool m_programming = false;
    SimulatorCounters m_counters;
};

} // namespace r605::sim

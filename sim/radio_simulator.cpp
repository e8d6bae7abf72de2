#include "radio_simulator.h"

#include "link/frames.h"
#include "link/pass_plan.h"

#include <algorithm>

namespace r605::sim {

namespace {

constexpr std::string_view kProgram = "PROGRAM";
constexpr std::string_view kEnd = "END";
constexpr std::uint8_t kAck = 0x06;

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view text) {
    const std::size_t n = std::min(bytes.size(), text.size());
    return std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n), text.begin());
}

// A short text of the radio: the characters, then 0xFF to the field's end.
void putText(std::vector<std::uint8_t>& reply, std::size_t offset, std::size_t length,
             std::string_view text) {
    for (std::size_t i = 0; i < length; ++i)
        reply[offset + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0xFF;
}

} // namespace

RadioSimulator::RadioSimulator(MemoryImage image, RadioIdentity identity)
    : m_image(std::move(image)), m_identity(std::move(identity)) {}

void RadioSimulator::setPassword(std::string_view password) {
    std::array<std::uint8_t, 4> field{};
    for (std::size_t i = 0; i < field.size() && i < password.size(); ++i)
        field[i] = static_cast<std::uint8_t>(password[i]);
    m_image.write(kRadioInfoBlock + 8, field);
}

std::size_t RadioSimulator::frameLength() const {
    const std::span<const std::uint8_t> rest = m_buffer;
    const std::uint8_t first = rest.front();
    // The radio always listens for its programming command; everything else only in
    // programming mode.
    if (first == 'P')
        return startsWith(rest, kProgram) ? kProgram.size() : 0;
    if (!m_programming)
        return 0;
    switch (first) {
    case 0x02:
    case 0x03:
    case 0x04:
        return 1;
    case 0x52: // R: read a block
        return 6;
    case 0x57: // W: write a block
        return 24;
    case 'E':
        return startsWith(rest, kEnd) ? kEnd.size() : 0;
    case 0x58: // X: recording list query
    case 0x56: // V: recording entry query
        return 6;
    case 0x4D: // M: recording data read
        return 10;
    case 0x5A: // Z: play control
        return 8;
    default:
        return 0;
    }
}

std::vector<SimReply> RadioSimulator::receive(std::span<const std::uint8_t> bytes) {
    std::vector<SimReply> replies;
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
    while (!m_buffer.empty()) {
        const std::size_t length = frameLength();
        if (length == 0) {
            // A byte that starts no frame: the radio skips it and looks at the next.
            m_buffer.erase(m_buffer.begin());
            ++m_counters.discardedBytes;
            continue;
        }
        if (m_buffer.size() < length)
            break; // the rest of the frame is still on its way
        answer(std::span(m_buffer).first(length), replies);
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(length));
    }
    return replies;
}

void RadioSimulator::lineIdle() {
    m_counters.discardedBytes += m_buffer.size();
    m_buffer.clear();
}

void RadioSimulator::answer(std::span<const std::uint8_t> frame, std::vector<SimReply>& replies) {
    ++m_counters.frames;
    SimReply reply;
    reply.frameLength = frame.size();
    reply.frameTimeoutMs = ReadTimeoutFor(frame, isConnectFrame(frame));
    std::vector<std::uint8_t>& out = reply.bytes;

    if (isConnectFrame(frame)) {
        m_programming = true;
        ++m_counters.sessions;
        out = {'Z', 'T', kAck};
    } else if (frame.size() == 1 && frame[0] == 0x02) {
        out.assign(16, 0x00);
        out[0] = 0x49;
        for (std::size_t i = 0; i < 7 && i < m_identity.model.size(); ++i)
            out[1 + i] = static_cast<std::uint8_t>(m_identity.model[i]);
        out[8] = static_cast<std::uint8_t>(m_identity.bandCode);
        std::copy(m_identity.version.begin(), m_identity.version.end(), out.begin() + 9);
        out[14] = m_identity.secondVersion;
        out[15] = kAck;
    } else if (frame.size() == 1) {
        out.assign(18, 0xFF);
        out[0] = frame[0];
        putText(out, 1, 16, frame[0] == 0x03 ? m_identity.query3Text : m_identity.query4Text);
        out[17] = kAck;
    } else if (frame[0] == 0x52) {
        if (frame[5] != kBlockLength)
            return; // the radio moves 16-byte blocks only
        const std::uint32_t address = readBigEndian32(frame.subspan(1, 4));
        out.assign(24, 0x00);
        out[0] = 0x57;
        std::copy(frame.begin() + 1, frame.begin() + 5, out.begin() + 1);
        out[5] = static_cast<std::uint8_t>(kBlockLength);
        m_image.read(address, std::span(out).subspan(6, kBlockLength));
        out[22] = Checksum(out, 1, 21);
        out[23] = kAck;
        ++m_counters.blocksRead;
    } else if (frame[0] == 0x57) {
        if (frame[5] != kBlockLength || !ChecksumTest(frame, 1, 21, 22) || frame[23] != kAck) {
            // A damaged write is not stored and not acknowledged: the PC sends it again.
            ++m_counters.rejectedWrites;
            return;
        }
        m_image.write(readBigEndian32(frame.subspan(1, 4)), frame.subspan(6, kBlockLength));
        ++m_counters.blocksWritten;
        out = {kAck};
    } else if (frame[0] == 'E') {
        m_programming = false;
        out = {kAck};
    } else if (frame[0] == 0x58) {
        // No recordings stored.
        out = {0x58, 0, 0, 0, 0, kAck};
    } else if (frame[0] == 0x56) {
        out.assign(34, 0x00);
        std::copy(frame.begin(), frame.begin() + 5, out.begin());
        out[33] = kAck;
    } else if (frame[0] == 0x4D) {
        out.assign(28, 0x00);
        std::copy(frame.begin(), frame.begin() + 10, out.begin());
        out[26] = Checksum(out, 1, 25);
        out[27] = kAck;
    } else if (frame[0] == 0x5A) {
        if (!ChecksumTest(frame, 1))
            return;
        out = {kAck};
    }
    if (!out.empty())
        replies.push_back(std::move(reply));
}

} // namespace r605::sim

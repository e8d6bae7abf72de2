#include "link/frames.h"

#include <algorithm>
#include <string_view>

namespace r605 {

namespace {

constexpr std::string_view kProgram = "PROGRAM";
constexpr std::string_view kEnd = "END";
constexpr std::string_view kRecording = "recording";

std::vector<std::uint8_t> ascii(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

} // namespace

std::uint32_t readBigEndian32(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 4)
        return 0;
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

void putBigEndian32(std::span<std::uint8_t> out, std::uint32_t value) {
    if (out.size() < 4)
        return;
    out[0] = static_cast<std::uint8_t>(value >> 24);
    out[1] = static_cast<std::uint8_t>(value >> 16);
    out[2] = static_cast<std::uint8_t>(value >> 8);
    out[3] = static_cast<std::uint8_t>(value);
}

LinkFrame ConnectFrame() {
    return LinkFrame{ascii(kProgram), kConnectReplyLength};
}

LinkFrame IdentifyFrame() {
    return LinkFrame{{0x02}, kIdentificationReplyLength};
}

LinkFrame QueryFrame(std::uint8_t command) {
    return LinkFrame{{command}, kQueryReplyLength};
}

LinkFrame ReadBlockFrame(std::uint32_t address) {
    LinkFrame frame{std::vector<std::uint8_t>(6), kReadReplyLength};
    frame.bytes[0] = kBlockRead;
    putBigEndian32(std::span(frame.bytes).subspan(1, 4), address);
    frame.bytes[5] = static_cast<std::uint8_t>(kBlockLength);
    return frame;
}

LinkFrame WriteBlockFrame(std::uint32_t address, std::span<const std::uint8_t, kBlockLength> data) {
    LinkFrame frame{std::vector<std::uint8_t>(24), 1};
    frame.bytes[0] = kBlockWrite;
    putBigEndian32(std::span(frame.bytes).subspan(1, 4), address);
    frame.bytes[5] = static_cast<std::uint8_t>(kBlockLength);
    std::copy(data.begin(), data.end(), frame.bytes.begin() + 6);
    frame.bytes[22] = Checksum(frame.bytes, 1, 21);
    frame.bytes[23] = kAck;
    return frame;
}

LinkFrame EndFrame() {
    return LinkFrame{ascii(kEnd), 1};
}

LinkFrame RecordingListQueryFrame() {
    return LinkFrame{{0x58, 0, 0, 0, 0, kAck}, 6};
}

LinkFrame RecordingEntryQueryFrame(std::uint32_t entry) {
    LinkFrame frame{{0x56, 0, 0, 0, 0, kAck}, 34};
    putBigEndian32(std::span(frame.bytes).subspan(1, 4), entry);
    return frame;
}

LinkFrame RecordingDataReadFrame(std::uint32_t entry, std::uint32_t offset) {
    LinkFrame frame{std::vector<std::uint8_t>(10), 28};
    frame.bytes[0] = 0x4D;
    putBigEndian32(std::span(frame.bytes).subspan(1, 4), entry);
    putBigEndian32(std::span(frame.bytes).subspan(5, 4), offset);
    frame.bytes[9] = static_cast<std::uint8_t>(kBlockLength);
    return frame;
}

LinkFrame PlayControlFrame(std::uint32_t value, std::uint8_t control) {
    LinkFrame frame{std::vector<std::uint8_t>(8), 1};
    frame.bytes[0] = 0x5A;
    putBigEndian32(std::span(frame.bytes).subspan(1, 4), value);
    frame.bytes[5] = control;
    frame.bytes[6] = Checksum(frame.bytes, 1); // offsets 1..5
    frame.bytes[7] = kAck;
    return frame;
}

LinkFrame RecordingStartFrame(int replyLength) {
    return LinkFrame{ascii(kRecording), replyLength};
}

LinkFrame EndOfPlayModeFrame() {
    return LinkFrame{ascii(kEnd), 3};
}

std::uint8_t Checksum(std::span<const std::uint8_t> frame, std::size_t first,
                      std::optional<std::size_t> last) {
    if (!last) {
        if (frame.size() < 3)
            return 0;
        last = frame.size() - 3;
    }
    unsigned sum = 0;
    for (std::size_t i = first; i <= *last && i < frame.size(); ++i)
        sum += frame[i];
    return static_cast<std::uint8_t>(sum & 0xFF);
}

bool ChecksumTest(std::span<const std::uint8_t> frame, std::size_t first,
                  std::optional<std::size_t> last, std::optional<std::size_t> position) {
    if (!position) {
        if (frame.size() < 2)
            return false;
        position = frame.size() - 2;
    }
    if (*position >= frame.size())
        return false;
    return Checksum(frame, first, last) == frame[*position];
}

bool isConnectFrame(std::span<const std::uint8_t> frame) {
    return frame.size() == kProgram.size() &&
           std::equal(frame.begin(), frame.end(), kProgram.begin());
}

int ReadTimeoutFor(std::span<const std::uint8_t> frame, bool longTimeout) {
    if (longTimeout)
        return kConnectTimeoutMs;
    if (!frame.empty() && frame[0] == kBlockWrite)
        return kWriteBlockTimeoutMs;
    return kReadTimeoutMs;
}

} // namespace r605

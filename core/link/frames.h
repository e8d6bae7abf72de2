#pragma once
// The frames the programming software sends to the radio. The link is half-duplex and has no
// framing byte, length prefix or escaping: every frame asks for a reply of a known length, and the
// reply is recognised by that length and its fixed bytes. Addresses in frames are big-endian.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace r605 {

// One frame and the length of the reply it asks for.
struct LinkFrame {
    std::vector<std::uint8_t> bytes;
    int replyLength = 0;
    bool operator==(const LinkFrame&) const = default;
};

inline constexpr std::size_t kBlockLength = 16;
inline constexpr int kReadReplyLength = 24;
inline constexpr int kIdentificationReplyLength = 16;
inline constexpr int kQueryReplyLength = 18;
inline constexpr int kConnectReplyLength = 3;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kBlockRead = 0x52;  // "R"
inline constexpr std::uint8_t kBlockWrite = 0x57; // "W" (also the first byte of a read reply)

// Per-frame time-outs of the port: the connect frame waits long because the radio has to switch
// into programming mode; a block write waits for the radio to store the block.
inline constexpr int kConnectTimeoutMs = 1000;
inline constexpr int kWriteBlockTimeoutMs = 300;
inline constexpr int kReadTimeoutMs = 100;
inline constexpr int kPortWriteTimeoutMs = 300;

// The core set, used by every codeplug read and write.
LinkFrame ConnectFrame();                        // "PROGRAM" -> "ZT" 0x06
LinkFrame IdentifyFrame();                       // 0x02 -> identification reply (16 bytes)
LinkFrame QueryFrame(std::uint8_t command);      // 0x03 or 0x04 -> query reply (18 bytes)
LinkFrame ReadBlockFrame(std::uint32_t address); // "R", address, 0x10 -> read reply (24 bytes)
LinkFrame WriteBlockFrame(std::uint32_t address, std::span<const std::uint8_t, kBlockLength> data);
LinkFrame EndFrame(); // "END" -> 0x06

// The frames of the voice-recording transfers and the radio's play control. Their reply layouts
// belong to those features; the link only carries them.
LinkFrame RecordingListQueryFrame();                     // "X" 00 00 00 00 06 -> 6
LinkFrame RecordingEntryQueryFrame(std::uint32_t entry); // "V" entry 06 -> 34
LinkFrame RecordingDataReadFrame(std::uint32_t entry, std::uint32_t offset); // "M" ... -> 28
LinkFrame PlayControlFrame(std::uint32_t value, std::uint8_t control);       // "Z" ... -> 1
LinkFrame RecordingStartFrame(int replyLength);                              // "recording"
LinkFrame EndOfPlayModeFrame();                                              // "END" -> 3

// The low 8 bits of the sum of frame[first..last]; `last` defaults to the third-last byte. An
// empty or out-of-range range sums nothing.
std::uint8_t Checksum(std::span<const std::uint8_t> frame, std::size_t first,
                      std::optional<std::size_t> last = std::nullopt);
// True when the checksum of the range equals the byte at `position` (default: the second-last).
bool ChecksumTest(std::span<const std::uint8_t> frame, std::size_t first,
                  std::optional<std::size_t> last = std::nullopt,
                  std::optional<std::size_t> position = std::nullopt);

// The read time-out of a frame: 1000 ms for the connect frame (and its resends), 300 ms after a
// block write, 100 ms otherwise.
int ReadTimeoutFor(std::span<const std::uint8_t> frame, bool longTimeout);

bool isConnectFrame(std::span<const std::uint8_t> frame);

std::uint32_t readBigEndian32(std::span<const std::uint8_t> bytes);
void putBigEndian32(std::span<std::uint8_t> out, std::uint32_t value);

} // namespace r605

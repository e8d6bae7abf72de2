#pragma once
// Recognising a complete reply. A reply carries no framing: it is judged by its length and its
// fixed bytes, in a fixed order, against the frame that asked for it.

#include "link/operation_kind.h"

#include <cstdint>
#include <optional>
#include <span>

namespace r605 {

enum class ReplyKind {
    ConnectReply,   // "ZT" 0x06
    Acknowledge,    // 0x06
    Identification, // "I" ... 0x06, 16 bytes
    Query3,         // 0x03 ... 0x06, 18 bytes
    Query4,         // 0x04 ... 0x06, 18 bytes
    FeatureReply,   // the reply to a voice-recording or play-control frame, of its length
    BootImageBlock, // a read reply of the boot-image block requested
    ReadBlock,      // a read reply of the block requested
    Unrecognised,
};

struct ReplyContext {
    OperationKind kind = OperationKind::None;
    // The address of the last block read frame, when the frame sent was one.
    std::optional<std::uint32_t> requestedAddress;
    // The frame sent belongs to the voice-recording or play-control features: they take its
    // reply (even one that looks like a connect reply or an acknowledge).
    bool featureFrame = false;
    int featureReplyLength = 0;
};

ReplyKind RecogniseReply(std::span<const std::uint8_t> reply, const ReplyContext& context);

// A read reply for `address`: 24 bytes, "W", the address, length 0x10, the checksum of offsets
// 1..21 in offset 22, and 0x06. Anything else is not a block of the radio.
bool isReadReplyFor(std::span<const std::uint8_t> reply, std::uint32_t address);

} // namespace r605

#include "link/reply_recogniser.h"

#include "link/frames.h"

namespace r605 {

bool isReadReplyFor(std::span<const std::uint8_t> reply, std::uint32_t address) {
    return reply.size() == static_cast<std::size_t>(kReadReplyLength) && reply[0] == kBlockWrite &&
           readBigEndian32(reply.subspan(1, 4)) == address && reply[5] == kBlockLength &&
           ChecksumTest(reply, 1, 21, 22) && reply[23] == kAck;
}

ReplyKind RecogniseReply(std::span<const std::uint8_t> reply, const ReplyContext& context) {
    const std::size_t size = reply.size();
    if (context.featureFrame) {
        if (static_cast<int>(size) == context.featureReplyLength)
            return ReplyKind::FeatureReply;
        return ReplyKind::Unrecognised;
    }
    if (size == 3 && reply[0] == 'Z' && reply[1] == 'T' && reply[2] == kAck)
        return ReplyKind::ConnectReply;
    if (size == 1 && reply[0] == kAck)
        return ReplyKind::Acknowledge;
    if (size == static_cast<std::size_t>(kIdentificationReplyLength) && reply[0] == 0x49 &&
        reply[15] == kAck)
        return ReplyKind::Identification;
    if (size == static_cast<std::size_t>(kQueryReplyLength) && reply[17] == kAck) {
        if (reply[0] == 0x03)
            return ReplyKind::Query3;
        if (reply[0] == 0x04)
            return ReplyKind::Query4;
    }
    if (!context.requestedAddress)
        return ReplyKind::Unrecognised;
    if (!isReadReplyFor(reply, *context.requestedAddress))
        return ReplyKind::Unrecognised;
    if (context.kind == OperationKind::ReadBootImage)
        return ReplyKind::BootImageBlock;
    return ReplyKind::ReadBlock;
}

} // namespace r605

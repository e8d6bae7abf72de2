#pragma once
// Where the link engine reports what passes over the link: the step lines of the communication
// log, every frame sent and, after every arrival of bytes, the reply received so far. The
// communication log and the daily trace implement it (CommRecorder); tests may record it. The
// serial driver reports the steps of opening the port here too.

#include <cstdint>
#include <span>
#include <string_view>

namespace r605 {

class LinkRecorder {
public:
    virtual ~LinkRecorder() = default;
    // A transfer opens the port: what is recorded from here on is this transfer's.
    virtual void portOpening() {}
    virtual void step(std::string_view caption) = 0;
    virtual void frameSent(std::span<const std::uint8_t> frame) = 0;
    virtual void replyReceived(std::span<const std::uint8_t> bytesSoFar) = 0;
    // Something went wrong (a time-out, a bad, late or refused reply, a resend), or the transfer
    // now waits for the user: what has been recorded so far is what explains it, and it must be
    // kept now, before the user is told and even when the program is killed next. The frames of
    // an undisturbed transfer need no such haste.
    virtual void persist() {}
    // The transfer has ended, successfully or not.
    virtual void transferEnded() {}
};

} // namespace r605

#pragma once
// What the link engine asks of its driver. The engine owns no port, timer or window: every event
// it is given (bytes received, a time-out, an answer of the user) yields a list of these actions,
// to be carried out in order.

#include "base/result.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace r605 {

// Purge both queues of the port, write the frame (after `delayMs`, when not 0), and arm the reply
// time-out of `readTimeoutMs`, replacing any armed before.
struct SendFrameAction {
    std::vector<std::uint8_t> bytes;
    int replyLength = 0;
    int readTimeoutMs = 0;
    int writeTimeoutMs = 0;
    int delayMs = 0;
    bool resend = false;
};

// Arm the reply time-out again without sending: the bounded wait for the rest of a reply that
// arrived in part.
struct ArmTimeoutAction {
    int ms = 0;
};

// Show the progress of the transfer (0..100).
struct ProgressAction {
    int percent = 0;
};

// Message 2003 with the buttons Retry and Cancel; answer with LinkEngine::retryAnswered.
struct AskRetryCancelAction {};

// The password dialog, preset with the password last entered; answer with
// LinkEngine::passwordAnswered.
struct AskPasswordAction {
    std::string preset;
};

// A message box (OK button) while the transfer runs or as it fails.
struct MessageAction {
    Error message;
};

// Close the port (ClosePort).
struct ClosePortAction {};

// A write has read the radio's information block and now needs encode-all (SetCommDataAll) of
// the codeplug: fill the engine's image, mark every block to send with 1 in its block map, and
// answer with LinkEngine::encodeAnswered(EncodeOK). The transfer waits for the answer; a write
// job answers at once, so that a driver never sees this action.
struct EncodeImageAction {};

// The transfer is over. The caller does the kind's completion work (decoding a read, copying the
// boot image) and then shows `messages` in order.
struct FinishedAction {
    bool success = false;
    std::vector<Error> messages;
};

using LinkAction = std::variant<SendFrameAction, ArmTimeoutAction, ProgressAction,
                                AskRetryCancelAction, AskPasswordAction, MessageAction,
                                ClosePortAction, EncodeImageAction, FinishedAction>;
using LinkActions = std::vector<LinkAction>;

} // namespace r605

#pragma once
// What happens when a frame got no reply, or a complete reply that matches nothing.

namespace r605 {

enum class RetryDecision {
    Resend,          // send the same frame again (a frame goes out at most three times)
    AskRetryCancel,  // message 2003: Retry restarts the transfer from the connect frame
    FinishAsSuccess, // the end frame after a successful transfer: its acknowledge is not needed
    Fail,            // close the port, message 99017, the transfer failed
};

inline constexpr int kMaxResends = 2;

// `retryCount` is the number of resends already made for the current frame.
RetryDecision ApplyRetryRule(int retryCount, int transferStep);

} // namespace r605

#include "link/retry_rule.h"

#include "link/transfer_step.h"

namespace r605 {

RetryDecision ApplyRetryRule(int retryCount, int transferStep) {
    if (retryCount < kMaxResends)
        return RetryDecision::Resend;
    switch (transferStep) {
    case TransferStep::ConnectSent:
    case TransferStep::Query4Sent:
    case TransferStep::ReadingBlocks:
    case TransferStep::WritingBlocks:
        return RetryDecision::AskRetryCancel;
    case TransferStep::EndAfterSuccess:
        return RetryDecision::FinishAsSuccess;
    default:
        return RetryDecision::Fail;
    }
}

} // namespace r605

#pragma once
// The user's side of a transfer: the questions the link asks (Retry/Cancel after message 2003,
// the radio's password), its messages and its progress. The window answers with dialogs that do
// not block, the command-line tool at once from its options, tests with scripted answers.
//
// A question is answered by calling the function handed with it, once, at once or at any later
// time (a dialog closing). Until then the transfer waits and sends nothing. An answer that comes
// after the transfer has ended, or after its driver is gone, is ignored.

#include "base/result.h"

#include <functional>
#include <optional>
#include <string>

namespace r605 {

// Retry (true) or Cancel (false).
using RetryAnswer = std::function<void(bool retry)>;
// The text on OK, none on Cancel.
using PasswordAnswer = std::function<void(std::optional<std::string> entered)>;

class LinkPrompt {
public:
    virtual ~LinkPrompt() = default;
    // Message 2003 with Retry and Cancel.
    virtual void askRetryCancel(RetryAnswer answer) = 0;
    // The password dialog, preset with the password last entered.
    virtual void askPassword(const std::string& preset, PasswordAnswer answer) = 0;
    virtual void showMessage(const Error& message) = 0;
    virtual void showProgress(int percent) = 0;
};

} // namespace r605

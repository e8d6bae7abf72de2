#pragma once
// The user's side of a transfer: the questions the link asks (Retry/Cancel after message 2003,
// the radio's password), its messages and its progress. The window answers with dialogs, the
// command-line tool with its options, tests with scripted answers.

#include "base/result.h"

#include <optional>
#include <string>

namespace r605 {

class LinkPrompt {
public:
    virtual ~LinkPrompt() = default;
    // Message 2003 with Retry and Cancel: true for Retry.
    virtual bool askRetryCancel() = 0;
    // The password dialog, preset with the password last entered: the text on OK, none on Cancel.
    virtual std::optional<std::string> askPassword(const std::string& preset) = 0;
    virtual void showMessage(const Error& message) = 0;
    virtual void showProgress(int percent) = 0;
};

} // namespace r605

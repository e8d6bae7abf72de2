#pragma once
// What the serial link tests share: the application object the serial driver's notifiers need,
// and the user's answers to the driver's questions, given by the test.

#include "serial_link_driver.h"

#include <QCoreApplication>

#include <optional>
#include <string>
#include <vector>

namespace r605::test {

inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "r605-link-test";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        static QCoreApplication application(argc, argv);
}

class ScriptedLinkPrompt : public LinkPrompt {
public:
    int retries = 0; // how often Retry is answered before Cancel
    std::optional<std::string> password;
    // Keep the password question open instead of answering it at once.
    bool holdPassword = false;
    PasswordAnswer held;
    std::vector<Error> messages;
    int retryQuestions = 0;
    std::vector<int> progress;

    void askRetryCancel(RetryAnswer answer) override {
        ++retryQuestions;
        answer(retries-- > 0);
    }
    void askPassword(const std::string&, PasswordAnswer answer) override {
        if (holdPassword)
            held = std::move(answer);
        else
            answer(password);
    }
    void showMessage(const Error& message) override { messages.push_back(message); }
    void showProgress(int percent) override { progress.push_back(percent); }
};

} // namespace r605::test

#pragma once
// The prompt of the tests: every question is answered at once from a script, and remembered with
// what it said. A question the script has no answer for fails the test.

#include "common/prompt.h"

#include <deque>
#include <vector>

namespace r605::test {

class ScriptedPrompt : public Prompt {
public:
    void answer(PromptAnswer answer) { m_answers.push_back(answer); }
    // The file a file dialog gives, or "" for Cancel.
    void choose(const QString& file) { m_files.push_back(file); }
    // The text an input dialog gives, or none for Cancel.
    void enter(std::optional<QString> text) { m_texts.push_back(std::move(text)); }

    void ask(const PromptMessage& message, Answered answered) override;
    void chooseFile(const FileQuestion& question, Chosen chosen) override;
    void askText(const TextQuestion& question, Entered entered) override;
    // What was asked or told, and the file dialogs shown, since the last take.
    std::vector<PromptMessage> takeMessages();
    std::vector<FileQuestion> takeFileQuestions();
    std::vector<TextQuestion> takeTextQuestions();
    bool scriptUsedUp() const { return m_answers.empty() && m_files.empty() && m_texts.empty(); }

private:
    std::deque<PromptAnswer> m_answers;
    std::deque<QString> m_files;
    std::deque<std::optional<QString>> m_texts;
    std::vector<PromptMessage> m_messages;
    std::vector<FileQuestion> m_fileQuestions;
    std::vector<TextQuestion> m_textQuestions;
};

} // namespace r605::test

#include "scripted_prompt.h"

#include <gtest/gtest.h>

namespace r605::test {

namespace {

// The next scripted answer, or `fallback` with a failure when the script has none left.
template <class T>
T next(std::deque<T>& script, const T& fallback, const char* what, const QString& asked) {
    T answer = fallback;
    if (script.empty()) {
        ADD_FAILURE() << "unexpected " << what << ": " << asked.toStdString();
        return answer;
    }
    answer = script.front();
    script.pop_front();
    return answer;
}

} // namespace

void ScriptedPrompt::ask(const PromptMessage& message, Answered answered) {
    m_messages.push_back(message);
    // A message with OK alone tells; it asks nothing of the script.
    const PromptAnswer answer =
        message.buttons == PromptButtons::Ok
            ? PromptAnswer::Ok
            : next(m_answers, PromptAnswer::Cancel, "question", message.text);
    if (answered)
        answered(answer);
}

void ScriptedPrompt::chooseFile(const FileQuestion& question, Chosen chosen) {
    m_fileQuestions.push_back(question);
    const QString file = next(m_files, QString(), "file dialog", question.caption);
    if (chosen)
        chosen(file);
}

void ScriptedPrompt::askText(const TextQuestion& question, Entered entered) {
    m_textQuestions.push_back(question);
    const auto text = next(m_texts, std::optional<QString>(), "input dialog", question.label);
    if (entered)
        entered(text);
}

std::vector<PromptMessage> ScriptedPrompt::takeMessages() {
    return std::exchange(m_messages, {});
}

std::vector<FileQuestion> ScriptedPrompt::takeFileQuestions() {
    return std::exchange(m_fileQuestions, {});
}

std::vector<TextQuestion> ScriptedPrompt::takeTextQuestions() {
    return std::exchange(m_textQuestions, {});
}

} // namespace r605::test

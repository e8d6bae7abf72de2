#include "scripted_prompt.h"

#include <gtest/gtest.h>

namespace r605::test {

void ScriptedPrompt::ask(const PromptMessage& message, Answered answered) {
    m_messages.push_back(message);
    PromptAnswer answer = PromptAnswer::Ok;
    if (message.buttons != PromptButtons::Ok) {
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << message.text.toStdString();
            answer = PromptAnswer::Cancel;
        } else {
            answer = m_answers.front();
            m_answers.pop_front();
        }
    }
    if (answered)
        answered(answer);
}

void ScriptedPrompt::chooseFile(const FileQuestion& question, Chosen chosen) {
    m_fileQuestions.push_back(question);
    QString file;
    if (m_files.empty())
        ADD_FAILURE() << "unexpected file dialog: " << question.caption.toStdString();
    else {
        file = m_files.front();
        m_files.pop_front();
    }
    if (chosen)
        chosen(file);
}

void ScriptedPrompt::askText(const TextQuestion& question, Entered entered) {
    m_textQuestions.push_back(question);
    std::optional<QString> text;
    if (m_texts.empty())
        ADD_FAILURE() << "unexpected input dialog: " << question.label.toStdString();
    else {
        text = m_texts.front();
        m_texts.pop_front();
    }
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

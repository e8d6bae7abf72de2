#pragma once
// The prompt as the user sees it: message boxes, file dialogs and input dialogs, shown with
// open() over the window in front, their answers delivered when the user closes them.

#include "common/prompt.h"

#include <QPointer>
#include <QWidget>

namespace r605 {

class InterfaceTexts;

class DialogPrompt : public Prompt {
public:
    explicit DialogPrompt(const InterfaceTexts& texts);

    // The window the dialogs belong to when no dialog is in front.
    void setWindow(QWidget* window) { m_window = window; }

    void ask(const PromptMessage& message, Answered answered) override;
    void chooseFile(const FileQuestion& question, Chosen chosen) override;
    void askText(const TextQuestion& question, Entered entered) override;

private:
    QWidget* owner() const;

    const InterfaceTexts& m_texts;
    QPointer<QWidget> m_window;
};

} // namespace r605

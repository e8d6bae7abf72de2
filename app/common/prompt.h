#pragma once
// The one way the program asks the user something or tells them something: message boxes,
// file dialogs and a line to enter. Every question is answered through a callback, never by
// waiting, so that a handler returns at once and no second event loop runs inside it. The window
// shows real dialogs; tests answer with a script.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace r605 {

enum class PromptButtons { Ok, OkCancel, YesNoCancel, RetryCancel };
enum class PromptIcon { Information, Question, Warning, Critical };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

struct PromptMessage {
    QString text;
    PromptButtons buttons = PromptButtons::Ok;
    PromptIcon icon = PromptIcon::Information;
    QString title; // the program's name when empty
};

enum class FileDialogKind { Open, Save };

struct FileQuestion {
    FileDialogKind kind = FileDialogKind::Open;
    QString caption;
    // Name filters as the dialog lists them ("Codeplug Files (*.rdt)"); the first is preselected.
    QStringList filters;
    // The folder to start in, or for a save the suggested file.
    QString start;
};

// A line of text to enter, such as the radio's programming password.
struct TextQuestion {
    QString caption;
    QString label;
    QString preset;
    bool secret = false; // shown as dots
};

class Prompt {
public:
    using Answered = std::function<void(PromptAnswer)>;
    // The chosen file, or an empty text when the user cancelled.
    using Chosen = std::function<void(const QString&)>;
    // The text on OK, none on Cancel.
    using Entered = std::function<void(std::optional<QString>)>;

    virtual ~Prompt() = default;

    virtual void ask(const PromptMessage& message, Answered answered) = 0;
    virtual void chooseFile(const FileQuestion& question, Chosen chosen) = 0;
    virtual void askText(const TextQuestion& question, Entered entered) = 0;

    // A message with an OK button; `done` runs once it is closed.
    void tell(const QString& text, PromptIcon icon = PromptIcon::Information,
              std::function<void()> done = {});
};

} // namespace r605

#pragma once
// The program from start to main window: reads the program folder's settings, chooses the
// language, checks the stored serial port, shows the first-run dialogs (tool mode with an
// edition, then the radio options) and marks the first run done, builds the new codeplug and
// shows frmMain, which then opens a file given on the command line. The dialogs are shown with
// open() one after the other, so that start-up too runs on the window's events.

#include "common/shell_context.h"
#include "document/document.h"
#include "link/comm_log.h"
#include "settings/program_folders.h"
#include "settings/startup.h"
#include "settings/startup_state.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace r605 {

class InterfaceTexts;
class MainWindow;
class Prompt;

struct StartOptions {
    std::filesystem::path programFolder;
    std::string systemLcidHex;        // the locale's: "804", "404", or English for anything else
    std::optional<int> languageIndex; // instead of the locale's choice
    QString file;                     // a codeplug to open once the window is shown
};

class ShellApplication : public QObject {
    Q_OBJECT

public:
    // `prompt`: the questions' answers (tests); null for the real dialogs.
    explicit ShellApplication(StartOptions options, Prompt* prompt = nullptr,
                              QObject* parent = nullptr);
    ~ShellApplication() override;

    // Runs start-up to the shown window; started() tells when it is there.
    void start();

    ShellContext& context() { return *m_context; }
    Document& document() { return m_document; }
    MainWindow* mainWindow() const { return m_window; }

signals:
    void started(r605::MainWindow* window);

private:
    void showFirstRunDialog(std::size_t index);
    void showMainWindow();

    StartOptions m_options;
    ProgramFolders m_folders;
    StartupState m_state;
    std::unique_ptr<InterfaceTexts> m_texts;
    std::unique_ptr<Prompt> m_ownPrompt;
    Prompt* m_prompt;
    CommLog m_commLog;
    std::unique_ptr<ShellContext> m_context;
    Document m_document;
    std::vector<FirstRunDialog> m_firstRunDialogs;
    QPointer<MainWindow> m_window;
};

} // namespace r605

#include "shell/shell_application.h"

#include "common/interface_texts.h"
#include "dialogs/extension_flags_dialog.h"
#include "dialogs/tool_mode_dialog.h"
#include "serial_port_list.h"
#include "settings/language_choice.h"
#include "settings/setup_file.h"
#include "settings/startup.h"
#include "shell/dialog_prompt.h"
#include "shell/file_commands.h"
#include "shell/main_window.h"
#include "system_clock.h"

#include <QDir>
#include <QFileInfo>

namespace r605 {

namespace {

// The ports present: those the system lists, and a device path stored earlier (the pseudo-terminal
// of a simulated radio, or a link to it) while it is there.
std::vector<std::string> presentPortNames(const std::string& stored) {
    std::vector<std::string> names = SerialPortNames(ListSerialPorts());
    const QString path = QString::fromStdString(stored);
    if (QDir::isAbsolutePath(path) && QFileInfo::exists(path))
        names.push_back(stored);
    return names;
}

} // namespace

ShellApplication::ShellApplication(StartOptions options, Prompt* prompt, QObject* parent)
    : QObject(parent), m_options(std::move(options)),
      m_folders(ProgramFolders::locate(m_options.programFolder)), m_prompt(prompt),
      m_commLog(SystemLocalClock()) {}

ShellApplication::~ShellApplication() {
    delete m_window;
}

void ShellApplication::start() {
    m_state = LoadStartupState(m_folders, m_options.systemLcidHex);
    if (m_options.languageIndex) {
        const LanguageChoice choice = languageChoiceFor(*m_options.languageIndex);
        m_state.LanguageIndex = choice.LanguageIndex;
        m_state.LanguageFile = choice.LanguageFile;
        m_state.LanguagePath = choice.LanguagePath;
    }
    m_texts = std::make_unique<InterfaceTexts>(m_folders.programFolder(), m_state.LanguageIndex);
    if (m_prompt == nullptr) {
        m_ownPrompt = std::make_unique<DialogPrompt>(*m_texts);
        m_prompt = m_ownPrompt.get();
    }
    m_context = std::make_unique<ShellContext>(
        ShellContext{m_folders, m_state, *m_texts, *m_prompt, m_commLog});

    const auto ports = presentPortNames(m_state.ComPortName);
    // A setup file that cannot be written costs the stored port, not the start.
    (void)StartupPortCheck(m_folders, m_state, ports);

    m_firstRunDialogs = FirstRunDialogs(m_state);
    if (m_state.IsFirstRun)
        m_state.SameName = 0;
    showFirstRunDialog(0);
}

void ShellApplication::showFirstRunDialog(std::size_t index) {
    if (index >= m_firstRunDialogs.size()) {
        if (m_state.IsFirstRun) {
            m_state.IsFirstRun = false;
            if (const Status written = WriteSetupKey(m_folders, "IsFirstRun", "0"); !written)
                m_prompt->tell(m_texts->describe(written.error()), PromptIcon::Warning);
        }
        showMainWindow();
        return;
    }
    FormDialog* dialog = nullptr;
    if (m_firstRunDialogs[index] == FirstRunDialog::ToolMode)
        dialog = new ToolModeDialog(*m_texts, m_folders, m_state, *m_prompt, nullptr);
    else
        dialog = new ExtensionFlagsDialog(ExtensionFlagsDialog::Kind::Annex, *m_texts, m_folders,
                                          m_state, *m_prompt, nullptr);
    connect(dialog, &QDialog::finished, this, [this, index] { showFirstRunDialog(index + 1); });
    dialog->open();
}

void ShellApplication::showMainWindow() {
    auto made = FileCommands::buildNewCodeplug(m_document, m_folders, m_state.BandCode);
    FileCommands::adoptBand(m_state, m_document.band());
    m_window = new MainWindow(*m_context, m_document);
    m_window->show();
    if (!made)
        m_prompt->tell(m_texts->describe(made.error()), PromptIcon::Critical);
    else if (!made->empty())
        m_prompt->tell(m_texts->describe(made->front()), PromptIcon::Warning);
    if (!m_options.file.isEmpty())
        m_window->files().openPath(m_options.file);
    emit started(m_window);
}

} // namespace r605

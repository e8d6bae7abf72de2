#include "dialogs/tool_mode_dialog.h"

#include "common/interface_texts.h"
#include "common/prompt.h"
#include "settings/setup_file.h"
#include "settings/startup_state.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace r605 {

ToolModeDialog::ToolModeDialog(const InterfaceTexts& texts, const ProgramFolders& folders,
                               StartupState& state, Prompt& prompt, QWidget* parent)
    : FormDialog("Frm_ToolMode", texts, parent), m_folders(folders), m_state(state),
      m_prompt(prompt) {
    m_check = new QCheckBox(this);
    m_check->setObjectName("Check1");
    m_check->setChecked(state.SameName > 0);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_check);
    layout->addWidget(m_note);
    layout->addLayout(makeButtonRow(Ok | Cancel));
    captionsReady();
    setMinimumWidth(460);
}

void ToolModeDialog::accept() {
    const int sameName = m_check->isChecked() ? 1 : 0;
    m_state.SameName = sameName;
    if (const Status written = WriteSetupKey(m_folders, "SameName", std::to_string(sameName));
        !written)
        m_prompt.tell(texts().describe(written.error()), PromptIcon::Warning);
    QDialog::accept();
}

void ToolModeDialog::retranslate() {
    setWindowTitle(texts().text(14340));
    m_check->setText(texts().text(14341));
    m_note->setText(texts().text(14342));
}

} // namespace r605

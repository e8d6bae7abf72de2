#pragma once
// Frm_ToolMode: tool mode for dealers, one check box. OK stores it as "SameName" in the setup
// file and in the start-up state: list files then carry the extra name columns and the channel
// editor refuses a second channel of the same name and frequencies.

#include "dialogs/form_dialog.h"

class QCheckBox;
class QLabel;

namespace r605 {

class ProgramFolders;
class Prompt;
struct StartupState;

class ToolModeDialog : public FormDialog {
    Q_OBJECT

public:
    ToolModeDialog(const InterfaceTexts& texts, const ProgramFolders& folders, StartupState& state,
                   Prompt& prompt, QWidget* parent);

public slots:
    void accept() override;

protected:
    void retranslate() override;

private:
    const ProgramFolders& m_folders;
    StartupState& m_state;
    Prompt& m_prompt;
    QLabel* m_note;
    QCheckBox* m_check;
};

} // namespace r605

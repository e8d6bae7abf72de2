#pragma once
// Frm_Extended and Frm_Annex: check boxes over the feature bytes of Init.EXT. The extended
// features dialog shows check box n for byte n from byte 0; the radio options dialog (annex)
// writes its check box n to byte n + 5. OK writes the whole file at once.
//
// The radio options are the radio's APRS capabilities (bytes 5 and 6: position reports on FM and
// on DMR channels); either one shows the APRS node of the tree. Bytes 0 to 4 are the dealers'
// switches of firmware variants; no part of this program reads them yet.

#include "dialogs/form_dialog.h"
#include "settings/startup_state.h"

#include <vector>

class QCheckBox;
class QLabel;

namespace r605 {

class ProgramFolders;
class Prompt;

// The radio can send APRS position reports (either capability byte is on).
bool hasAprsCapability(const ExtensionFlagBytes& flags);

class ExtensionFlagsDialog : public FormDialog {
    Q_OBJECT

public:
    enum class Kind { Extended, Annex };

    ExtensionFlagsDialog(Kind kind, const InterfaceTexts& texts, const ProgramFolders& folders,
                         StartupState& state, Prompt& prompt, QWidget* parent);

public slots:
    void accept() override;

signals:
    // Init.EXT was written with new flags.
    void flagsChanged();

protected:
    void retranslate() override;

private:
    Kind m_kind;
    const ProgramFolders& m_folders;
    StartupState& m_state;
    Prompt& m_prompt;
    std::size_t m_firstByte;
    QLabel* m_intro;
    std::vector<QCheckBox*> m_checks;
};

} // namespace r605

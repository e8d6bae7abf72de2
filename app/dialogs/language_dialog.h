#pragma once
// FrmLanguage: the interface language, each language named in its own script (texts 1501, 1502,
// 1504), the current one preselected. OK hands the choice to the window, which switches every
// open window at once; the choice lasts until the program ends.

#include "dialogs/form_dialog.h"

class QLabel;
class QListWidget;

namespace r605 {

class LanguageDialog : public FormDialog {
    Q_OBJECT

public:
    LanguageDialog(const InterfaceTexts& texts, int languageIndex, QWidget* parent);

signals:
    // 1 English, 2 Simplified Chinese, 3 Traditional Chinese.
    void languageChosen(int languageIndex);

protected:
    void retranslate() override;

private:
    QLabel* m_label;
    QListWidget* m_list;
};

} // namespace r605

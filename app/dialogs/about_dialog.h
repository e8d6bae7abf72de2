#pragma once
// frmAbout: the program's name, version and program folder, and the communication-log switch:
// ticked and confirmed with OK, every later transfer keeps its frames for service staff.

#include "dialogs/form_dialog.h"

class QCheckBox;
class QLabel;

namespace r605 {

class CommLog;

class AboutDialog : public FormDialog {
    Q_OBJECT

public:
    AboutDialog(const InterfaceTexts& texts, CommLog& commLog, const QString& programFolder,
                QWidget* parent);

public slots:
    void accept() override;

protected:
    void retranslate() override;

private:
    CommLog& m_commLog;
    QString m_programFolder;
    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_description;
    QLabel* m_folder;
    QCheckBox* m_logSwitch;
};

} // namespace r605

#include "dialogs/about_dialog.h"

#include "common/interface_texts.h"
#include "link/comm_log.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace r605 {

AboutDialog::AboutDialog(const InterfaceTexts& texts, CommLog& commLog,
                         const QString& programFolder, QWidget* parent)
    : FormDialog("frmAbout", texts, parent), m_commLog(commLog), m_programFolder(programFolder) {
    m_icon = new QLabel(this);
    m_icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    m_title = new QLabel(this);
    m_title->setObjectName("lblTitle");
    m_description = new QLabel(this);
    m_description->setWordWrap(true);
    m_folder = new QLabel(this);
    m_folder->setWordWrap(true);
    m_folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_logSwitch = new QCheckBox(this);
    m_logSwitch->setObjectName("CheckLog");
    m_logSwitch->setChecked(commLog.CommLogOn());

    auto* lines = new QVBoxLayout;
    lines->addWidget(m_title);
    lines->addWidget(m_description);
    lines->addWidget(m_folder);
    auto* top = new QHBoxLayout;
    top->addWidget(m_icon, 0, Qt::AlignTop);
    top->addLayout(lines, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(m_logSwitch);
    layout->addLayout(makeButtonRow(Ok | Cancel));
    captionsReady();
    setMinimumWidth(520);
}

void AboutDialog::accept() {
    m_commLog.setCommLogOn(m_logSwitch->isChecked());
    QDialog::accept();
}

void AboutDialog::retranslate() {
    setWindowTitle(texts().text(14360));
    m_title->setText(QString("<b>r605cps %1</b>").arg(QApplication::applicationVersion()));
    m_description->setText(texts().text(14361));
    m_folder->setText(texts().text(14363) + " " + m_programFolder);
    m_logSwitch->setText(texts().text(14364));
}

} // namespace r605

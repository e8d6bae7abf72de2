#include "transfers/progress_dialog.h"

#include "common/interface_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace r605 {

namespace {

// The caption of each kind that has one of its own; other kinds keep the program's name.
int captionKey(OperationKind kind) {
    switch (kind) {
    case OperationKind::ReadCodeplug:
        return 99100;
    case OperationKind::WriteCodeplug:
        return 99101;
    case OperationKind::RecordingList:
        return 99102;
    case OperationKind::RecordingRead:
        return 99103;
    default:
        return 0;
    }
}

} // namespace

ProgressDialog::ProgressDialog(const InterfaceTexts& texts, OperationKind kind, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_kind(kind) {
    setObjectName("FrmProgress");
    setModal(true);
    // No close button: the transfer closes the dialog when it ends.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName("ProgressBar1");
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_label = new QLabel(this);
    m_label->setObjectName("Label1");
    m_percent = new QLabel(this);
    m_percent->setObjectName("Label2");
    m_percent->setMinimumWidth(m_percent->fontMetrics().horizontalAdvance("100%") + 4);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_label);
    row->addWidget(m_percent);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addLayout(row);
    setMinimumWidth(360);
    setProgressValue(0);
    retranslate();
}

void ProgressDialog::setProgressValue(int percent) {
    percent = std::clamp(percent, 0, 100);
    m_bar->setValue(percent);
    m_percent->setText(QString::number(percent) + QStringLiteral("%"));
}

int ProgressDialog::progressValue() const {
    return m_bar->value();
}

void ProgressDialog::finish() {
    m_finished = true;
    accept();
}

void ProgressDialog::reject() {
    // Escape does not stop a transfer half way: the radio would be left in programming mode.
    if (m_finished)
        QDialog::reject();
}

void ProgressDialog::retranslate() {
    const int caption = captionKey(m_kind);
    setWindowTitle(caption != 0 ? m_texts.text(caption) : QStringLiteral("R605"));
    m_label->setText(m_texts.text(99104));
}

} // namespace r605

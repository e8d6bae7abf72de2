#include "dialogs/language_dialog.h"

#include "common/interface_texts.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace r605 {

namespace {

constexpr TextKey kLanguageNames[]{TextKey{1501}, TextKey{1502}, TextKey{1504}};

} // namespace

LanguageDialog::LanguageDialog(const InterfaceTexts& texts, int languageIndex, QWidget* parent)
    : FormDialog("FrmLanguage", texts, parent) {
    m_label = new QLabel(this);
    m_list = new QListWidget(this);
    m_list->setObjectName("List1");
    for (int i = 0; i < 3; ++i)
        m_list->addItem(QString());
    const int index = languageIndex >= 1 && languageIndex <= 3 ? languageIndex : 1;
    m_list->setCurrentRow(index - 1);
    m_list->setFixedHeight(m_list->sizeHintForRow(0) * 3 + 2 * m_list->frameWidth() + 4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_list);
    layout->addLayout(makeButtonRow(Ok | Cancel));
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(this, &QDialog::accepted, this,
            [this] { emit languageChosen(m_list->currentRow() + 1); });
    captionsReady();
    setMinimumWidth(320);
}

void LanguageDialog::retranslate() {
    setWindowTitle(texts().text(14320));
    m_label->setText(texts().text(14321));
    for (int i = 0; i < 3; ++i)
        m_list->item(i)->setText(texts().text(kLanguageNames[i]));
}

} // namespace r605

#include "dialogs/form_dialog.h"

#include "common/interface_texts.h"
#include "dialogs/standard_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace r605 {

FormDialog::FormDialog(const char* formName, const InterfaceTexts& texts, QWidget* parent)
    : QDialog(parent), m_texts(texts) {
    setObjectName(formName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    connect(&texts, &InterfaceTexts::languageChanged, this, &FormDialog::applyCaptions);
}

QHBoxLayout* FormDialog::makeButtonRow(int buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    const struct {
        int flag;
        const char* name;
        void (QDialog::*slot)();
    } kinds[]{{Help, "CommandHelp", nullptr},
              {Ok, "CommandOK", &QDialog::accept},
              {Cancel, "CommandCancel", &QDialog::reject},
              {Close, "CommandClose", &QDialog::reject}};
    for (const auto& kind : kinds) {
        if ((buttons & kind.flag) == 0)
            continue;
        auto* pushButton = new QPushButton(this);
        pushButton->setObjectName(kind.name);
        if (kind.flag == Ok || (kind.flag == Close && (buttons & Ok) == 0))
            pushButton->setDefault(true);
        if (kind.slot != nullptr)
            connect(pushButton, &QPushButton::clicked, this, kind.slot);
        row->addWidget(pushButton);
    }
    return row;
}

QPushButton* FormDialog::button(const char* name) const {
    return findChild<QPushButton*>(name);
}

void FormDialog::captionsReady() {
    applyCaptions();
}

void FormDialog::applyCaptions() {
    SetStandardButtons(*this, m_texts);
    retranslate();
}

} // namespace r605

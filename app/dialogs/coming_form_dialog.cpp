#include "dialogs/coming_form_dialog.h"

#include "common/interface_texts.h"

#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace r605 {

ComingFormDialog::ComingFormDialog(const InterfaceTexts& texts, TextKey what, TextKey hint,
                                   QWidget* parent)
    : FormDialog("FrmComing", texts, parent), m_what(what), m_hint(hint) {
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    m_message = new QLabel(this);
    m_message->setObjectName("lblMessage");
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(m_message, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(makeButtonRow(Close));
    captionsReady();
    setMinimumWidth(500);
}

void ComingFormDialog::retranslate() {
    const QString what = plainCaption(texts().text(m_what));
    setWindowTitle(what);
    QString message = texts().text(14300).arg(what);
    if (m_hint.number != 0)
        message += "\n\n" + texts().text(m_hint);
    m_message->setText(message);
}

} // namespace r605

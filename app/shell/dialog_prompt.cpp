#include "shell/dialog_prompt.h"

#include "common/interface_texts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace r605 {

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

DialogPrompt::DialogPrompt(const InterfaceTexts& texts) : m_texts(texts) {}

QWidget* DialogPrompt::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_window;
}

void DialogPrompt::ask(const PromptMessage& message, Answered answered) {
    auto* box = new QMessageBox(owner());
    box->setObjectName("MsgBox");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(boxIcon(message.icon));
    box->setWindowTitle(message.title.isEmpty() ? QString("R605") : message.title);
    box->setText(message.text);
    // Each button carries its answer; the captions are the language's.
    const auto addButton = [&](TextKey caption, QMessageBox::ButtonRole role, PromptAnswer answer) {
        QPushButton* button = box->addButton(m_texts.text(caption), role);
        button->setProperty("answer", static_cast<int>(answer));
        return button;
    };
    switch (message.buttons) {
    case PromptButtons::Ok:
        box->setDefaultButton(addButton(TextKey{90000}, QMessageBox::AcceptRole, PromptAnswer::Ok));
        box->setEscapeButton(box->defaultButton());
        break;
    case PromptButtons::OkCancel:
        box->setDefaultButton(addButton(TextKey{90000}, QMessageBox::AcceptRole, PromptAnswer::Ok));
        box->setEscapeButton(
            addButton(TextKey{90001}, QMessageBox::RejectRole, PromptAnswer::Cancel));
        break;
    case PromptButtons::RetryCancel:
        box->setDefaultButton(
            addButton(TextKey{15172}, QMessageBox::AcceptRole, PromptAnswer::Retry));
        box->setEscapeButton(
            addButton(TextKey{90001}, QMessageBox::RejectRole, PromptAnswer::Cancel));
        break;
    case PromptButtons::YesNoCancel:
        box->setDefaultButton(addButton(TextKey{14280}, QMessageBox::YesRole, PromptAnswer::Yes));
        addButton(TextKey{14281}, QMessageBox::NoRole, PromptAnswer::No);
        box->setEscapeButton(
            addButton(TextKey{90001}, QMessageBox::RejectRole, PromptAnswer::Cancel));
        break;
    }
    const PromptAnswer closed =
        message.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    QObject::connect(
        box, &QMessageBox::finished, box, [box, closed, answered = std::move(answered)] {
            const QAbstractButton* clicked = box->clickedButton();
            const PromptAnswer answer =
                clicked != nullptr ? static_cast<PromptAnswer>(clicked->property("answer").toInt())
                                   : closed;
            if (answered)
                answered(answer);
        });
    box->open();
}

void DialogPrompt::chooseFile(const FileQuestion& question, Chosen chosen) {
    auto* dialog = new QFileDialog(owner(), question.caption);
    dialog->setObjectName("FileDialog");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const bool save = question.kind == FileDialogKind::Save;
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setNameFilters(question.filters);
    if (save) {
        dialog->selectFile(question.start);
        // A name typed without an extension takes the one of the chosen filter.
        dialog->setDefaultSuffix("rdt");
        QObject::connect(dialog, &QFileDialog::filterSelected, dialog,
                         [dialog](const QString& filter) {
                             dialog->setDefaultSuffix(filter.contains("*.json") ? "json" : "rdt");
                         });
    } else if (!question.start.isEmpty()) {
        dialog->setDirectory(question.start);
    }
    // Both outcomes end in finished(); the chosen file is known by then.
    QObject::connect(
        dialog, &QFileDialog::finished, dialog, [dialog, chosen = std::move(chosen)](int result) {
            const QStringList files = dialog->selectedFiles();
            const QString file =
                result == QDialog::Accepted && !files.isEmpty() ? files.front() : QString();
            if (chosen)
                chosen(file);
        });
    dialog->open();
}

void DialogPrompt::askText(const TextQuestion& question, Entered entered) {
    auto* dialog = new QInputDialog(owner());
    dialog->setObjectName("InputDialog");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(question.caption.isEmpty() ? QString("R605") : question.caption);
    dialog->setLabelText(question.label);
    dialog->setTextValue(question.preset);
    dialog->setTextEchoMode(question.secret ? QLineEdit::Password : QLineEdit::Normal);
    dialog->setOkButtonText(m_texts.text(TextKey{90000}));
    dialog->setCancelButtonText(m_texts.text(TextKey{90001}));
    QObject::connect(dialog, &QInputDialog::finished, dialog,
                     [dialog, entered = std::move(entered)](int result) {
                         if (!entered)
                             return;
                         if (result == QDialog::Accepted)
                             entered(dialog->textValue());
                         else
                             entered(std::nullopt);
                     });
    dialog->open();
}

} // namespace r605

#include "shell/form_launcher.h"

#include "common/shell_context.h"
#include "dialogs/coming_form_dialog.h"
#include "dialogs/raw_bytes_dialog.h"
#include "document/document.h"

#include <QApplication>

#include <algorithm>
#include <array>

namespace r605 {

namespace {

// The grids whose records have an editing form.
constexpr std::array kGridsWithForm{0, 1, 2, 3, 5, 6, 7, 10, 14, 15, 16, 19};

TextKey hintText(ComingHint hint) {
    switch (hint) {
    case ComingHint::EditInGrid:
        return TextKey{14301};
    case ComingHint::KeptUnchanged:
        return TextKey{14302};
    case ComingHint::RadioByTool:
        return TextKey{14303};
    case ComingHint::ListsByTool:
        return TextKey{14304};
    case ComingHint::BootImageByTool:
        return TextKey{14305};
    case ComingHint::None:
        break;
    }
    return TextKey{};
}

// Another form already open (a double-click arriving twice) takes no second one.
bool formOpen() {
    return QApplication::activeModalWidget() != nullptr;
}

} // namespace

FormLauncher::FormLauncher(ShellContext& shell, const Document& document, QWidget& window)
    : m_shell(shell), m_document(document), m_window(window) {}

bool FormLauncher::hasRecordForm(int grid) {
    return std::find(kGridsWithForm.begin(), kGridsWithForm.end(), grid) != kGridsWithForm.end();
}

void FormLauncher::openRecordForm(Family family) {
    const int grid = familyInfo(family).grid;
    if (!hasRecordForm(grid))
        return;
    openComing(gridCaption(grid), ComingHint::EditInGrid);
}

void FormLauncher::openNodeForm(int node) {
    const TextKey caption{12000 + node};
    switch (node) {
    case 21:
        openOptionBytes();
        return;
    case 23:
        openTwoToneBytes();
        return;
    case 27:
        // The embedded information is read from the radio (a read of kind 3).
        openComing(caption, ComingHint::RadioByTool);
        return;
    case 28:
        openOneKeyBytes();
        return;
    case 20:
    case 22:
    case 24:
    case 26:
    case 29:
        openComing(caption, ComingHint::KeptUnchanged);
        return;
    default:
        openComing(caption, ComingHint::None);
        return;
    }
}

void FormLauncher::openComing(TextKey what, ComingHint hint) {
    if (formOpen())
        return;
    auto* dialog = new ComingFormDialog(m_shell.texts, what, hintText(hint), &m_window);
    dialog->open();
}

void FormLauncher::openOptionBytes() {
    if (formOpen())
        return;
    auto* dialog =
        new RawBytesDialog(m_shell.texts, TextKey{12021},
                           {{Family::Option, TextKey{12021}}, {Family::Alarm, TextKey{14313}}},
                           m_document.codeplug(), &m_window);
    dialog->open();
}

void FormLauncher::openTwoToneBytes() {
    if (formOpen())
        return;
    auto* dialog =
        new RawBytesDialog(m_shell.texts, TextKey{12023}, {{Family::TwoTone, TextKey{12023}}},
                           m_document.codeplug(), &m_window);
    dialog->open();
}

void FormLauncher::openOneKeyBytes() {
    if (formOpen())
        return;
    auto* dialog =
        new RawBytesDialog(m_shell.texts, TextKey{12028}, {{Family::OneKey, TextKey{12028}}},
                           m_document.codeplug(), &m_window);
    dialog->open();
}

} // namespace r605

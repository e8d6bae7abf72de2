#pragma once
// What every dialog of the program has in common: its name from the design as objectName, its
// standard buttons (CommandOK, CommandCancel, CommandClose, CommandHelp) captioned by
// SetStandardButtons, and captions taken again whenever the interface language changes, while
// the dialog is open. Dialogs are shown with open() and answer through their signals.

#include <QDialog>

class QHBoxLayout;
class QPushButton;

namespace r605 {

class InterfaceTexts;

class FormDialog : public QDialog {
    Q_OBJECT

public:
    FormDialog(const char* formName, const InterfaceTexts& texts, QWidget* parent);

protected:
    enum StandardButton { Ok = 1, Cancel = 2, Close = 4, Help = 8 };
    // The row of standard buttons, right-aligned: OK accepts, Cancel and Close reject.
    QHBoxLayout* makeButtonRow(int buttons);
    QPushButton* button(const char* name) const;
    const InterfaceTexts& texts() const { return m_texts; }

    // Sets every caption; called once the subclass is built (captionsReady) and after every
    // language change.
    virtual void retranslate() = 0;
    void captionsReady();

private:
    void applyCaptions();

    const InterfaceTexts& m_texts;
};

} // namespace r605

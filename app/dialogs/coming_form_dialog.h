#pragma once
// Says which form will come at this place with a later version of the program, and what the user
// can do until then (edit in the grid, use the command-line tool). Shown for every editing form
// and radio command that this version does not have yet; nothing else stands in for them.

#include "base/result.h"
#include "dialogs/form_dialog.h"

class QLabel;

namespace r605 {

class ComingFormDialog : public FormDialog {
    Q_OBJECT

public:
    // `what`: the caption of the form or command; `hint`: what to do until then (none: 0).
    ComingFormDialog(const InterfaceTexts& texts, TextKey what, TextKey hint, QWidget* parent);

protected:
    void retranslate() override;

private:
    TextKey m_what;
    TextKey m_hint;
    QLabel* m_message;
};

} // namespace r605

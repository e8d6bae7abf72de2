#include "dialogs/standard_buttons.h"

#include "common/interface_texts.h"

#include <QAbstractButton>
#include <QWidget>

namespace r605 {

void SetStandardButtons(QWidget& form, const InterfaceTexts& texts) {
    const struct {
        const char* name;
        TextKey key;
    } buttons[]{{"CommandOK", TextKey{90000}},
                {"CommandCancel", TextKey{90001}},
                {"CommandClose", TextKey{90002}},
                {"CommandHelp", TextKey{90003}}};
    for (const auto& button : buttons) {
        for (QAbstractButton* found : form.findChildren<QAbstractButton*>(button.name))
            found->setText(texts.text(button.key));
    }
}

} // namespace r605

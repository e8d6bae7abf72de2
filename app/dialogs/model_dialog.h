#pragma once
// FrmModel: the radio model (band family) and its band variant. Choosing another band than the
// codeplug's asks for confirmation (99117, titled 99118), because the current codeplug is then
// replaced by the new codeplug of that band; the window does that on bandChosen.

#include "dialogs/form_dialog.h"

class QLabel;
class QListWidget;

namespace r605 {

class Prompt;

class ModelDialog : public FormDialog {
    Q_OBJECT

public:
    ModelDialog(const InterfaceTexts& texts, Prompt& prompt, int bandCode, QWidget* parent);

    // The band code the two lists select (family x 32 + variant).
    int selectedBandCode() const;

public slots:
    void accept() override;

signals:
    void bandChosen(int bandCode);

protected:
    void retranslate() override;

private:
    void fillVariants(int variantRow);

    Prompt& m_prompt;
    int m_bandCode;
    QLabel* m_familyLabel;
    QLabel* m_variantLabel;
    QListWidget* m_families;
    QListWidget* m_variants;
};

} // namespace r605

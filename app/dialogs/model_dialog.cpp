#include "dialogs/model_dialog.h"

#include "common/interface_texts.h"
#include "common/prompt.h"
#include "rules/band.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QVBoxLayout>

namespace r605 {

namespace {

constexpr int kFamilyCount = 4;
constexpr TextKey kFamilyNames[kFamilyCount]{TextKey{14328}, TextKey{14329}, TextKey{14330},
                                             TextKey{14331}};

} // namespace

ModelDialog::ModelDialog(const InterfaceTexts& texts, Prompt& prompt, int bandCode, QWidget* parent)
    : FormDialog("FrmModel", texts, parent), m_prompt(prompt), m_bandCode(bandCode) {
    m_familyLabel = new QLabel(this);
    m_variantLabel = new QLabel(this);
    m_families = new QListWidget(this);
    m_families->setObjectName("List1");
    m_variants = new QListWidget(this);
    m_variants->setObjectName("List2");
    for (int family = 0; family < kFamilyCount; ++family)
        m_families->addItem(QString());
    m_families->setCurrentRow(bandCode / 32);
    fillVariants(bandCode % 32);

    auto* lists = new QGridLayout;
    lists->addWidget(m_familyLabel, 0, 0);
    lists->addWidget(m_variantLabel, 0, 1);
    lists->addWidget(m_families, 1, 0);
    lists->addWidget(m_variants, 1, 1);
    lists->setColumnStretch(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(makeButtonRow(Ok | Cancel));
    connect(m_families, &QListWidget::currentRowChanged, this, [this] { fillVariants(0); });
    captionsReady();
    resize(640, 380);
}

void ModelDialog::fillVariants(int variantRow) {
    m_variants->clear();
    const int family = m_families->currentRow();
    const auto count = static_cast<int>(bandVariantNames(family).size());
    for (int variant = 0; variant < count; ++variant) {
        QString band = QString::fromStdString(BandDisplayText(family * 32 + variant));
        band.replace('\n', " / ");
        m_variants->addItem(texts().text(14334).arg(variant + 1) + "   " + band);
    }
    m_variants->setCurrentRow(std::min(variantRow, count - 1));
}

int ModelDialog::selectedBandCode() const {
    return bandCodeFor(m_families->currentRow(), m_variants->currentRow()).value_or(m_bandCode);
}

void ModelDialog::accept() {
    const int chosen = selectedBandCode();
    if (chosen == m_bandCode) {
        reject();
        return;
    }
    PromptMessage question{texts().text(99117), PromptButtons::OkCancel, PromptIcon::Question,
                           texts().text(99118)};
    QPointer<ModelDialog> self(this);
    m_prompt.ask(question, [self, chosen](PromptAnswer answer) {
        if (self == nullptr)
            return;
        if (answer != PromptAnswer::Ok) {
            self->reject();
            return;
        }
        emit self->bandChosen(chosen);
        self->QDialog::accept();
    });
}

void ModelDialog::retranslate() {
    setWindowTitle(texts().text(14325));
    m_familyLabel->setText(texts().text(14326));
    m_variantLabel->setText(texts().text(14327));
    for (int family = 0; family < kFamilyCount; ++family) {
        m_families->item(family)->setText(
            QString::fromStdString(ModelNameFor("R600MK", family * 32)) + "   " +
            texts().text(kFamilyNames[family]));
    }
    fillVariants(m_variants->currentRow());
}

} // namespace r605

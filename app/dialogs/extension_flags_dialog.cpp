#include "dialogs/extension_flags_dialog.h"

#include "common/interface_texts.h"
#include "common/prompt.h"
#include "settings/extension_flags.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include <span>

namespace r605 {

namespace {

constexpr std::size_t kAnnexFirstByte = 5;
constexpr std::size_t kAnalogAprsByte = 5;
constexpr std::size_t kDigitalAprsByte = 6;

constexpr TextKey kExtendedCaptions[]{TextKey{14352}, TextKey{14353}, TextKey{14354},
                                      TextKey{14355}, TextKey{14356}};
constexpr TextKey kAnnexCaptions[]{TextKey{14347}, TextKey{14348}};

std::span<const TextKey> captionsOf(ExtensionFlagsDialog::Kind kind) {
    if (kind == ExtensionFlagsDialog::Kind::Annex)
        return kAnnexCaptions;
    return kExtendedCaptions;
}

} // namespace

bool hasAprsCapability(const ExtensionFlagBytes& flags) {
    return flags[kAnalogAprsByte] != 0 || flags[kDigitalAprsByte] != 0;
}

ExtensionFlagsDialog::ExtensionFlagsDialog(Kind kind, const InterfaceTexts& texts,
                                           const ProgramFolders& folders, StartupState& state,
                                           Prompt& prompt, QWidget* parent)
    : FormDialog(kind == Kind::Annex ? "Frm_Annex" : "Frm_Extended", texts, parent), m_kind(kind),
      m_folders(folders), m_state(state), m_prompt(prompt),
      m_firstByte(kind == Kind::Annex ? kAnnexFirstByte : 0) {
    m_intro = new QLabel(this);
    m_intro->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_intro);
    const auto captions = captionsOf(kind);
    for (std::size_t n = 0; n < captions.size(); ++n) {
        auto* check = new QCheckBox(this);
        check->setObjectName(QString("Check1_%1").arg(n));
        check->setChecked(state.ExtensionFlags[m_firstByte + n] != 0);
        layout->addWidget(check);
        m_checks.push_back(check);
    }
    layout->addStretch(1);
    layout->addLayout(makeButtonRow(Ok | Cancel));
    captionsReady();
    setMinimumWidth(480);
}

void ExtensionFlagsDialog::accept() {
    ExtensionFlagBytes flags = m_state.ExtensionFlags;
    for (std::size_t n = 0; n < m_checks.size(); ++n)
        flags[m_firstByte + n] = m_checks[n]->isChecked() ? 1 : 0;
    if (const Status written = WriteExtensionFlags(m_folders, flags); !written) {
        m_prompt.tell(texts().describe(written.error()), PromptIcon::Warning);
        return;
    }
    m_state.ExtensionFlags = flags;
    emit flagsChanged();
    QDialog::accept();
}

void ExtensionFlagsDialog::retranslate() {
    const bool annex = m_kind == Kind::Annex;
    setWindowTitle(texts().text(annex ? 14345 : 14350));
    m_intro->setText(texts().text(annex ? 14346 : 14351));
    const auto captions = captionsOf(m_kind);
    for (std::size_t n = 0; n < m_checks.size(); ++n)
        m_checks[n]->setText(texts().text(captions[n]));
}

} // namespace r605

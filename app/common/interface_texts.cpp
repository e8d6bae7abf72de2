#include "common/interface_texts.h"

#include <QRegularExpression>

namespace r605 {

InterfaceTexts::InterfaceTexts(std::filesystem::path programFolder, int languageIndex,
                               QObject* parent)
    : QObject(parent), m_programFolder(std::move(programFolder)),
      m_language(Language::load(m_programFolder, languageIndex)) {}

QString InterfaceTexts::text(int key, Section section) const {
    return QString::fromStdString(m_language.GetLangText(key, section));
}

QString InterfaceTexts::describe(const Error& error) const {
    return QString::fromStdString(m_language.describe(error));
}

void InterfaceTexts::setLanguage(int languageIndex) {
    m_language = Language::load(m_programFolder, languageIndex);
    emit languageChanged();
}

QString plainCaption(QString caption) {
    // "打开(&O)..." as Chinese menus write their mnemonic, or "&Open..."
    caption.remove(QRegularExpression(R"(\(&.\))"));
    caption.remove('&');
    if (caption.endsWith("..."))
        caption.chop(3);
    if (caption.endsWith(QChar(0x2026)))
        caption.chop(1);
    return caption.trimmed();
}

} // namespace r605

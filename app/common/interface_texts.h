#pragma once
// The interface texts of the current language for every window. A language switch loads the
// other language file and tells every window through one signal, so that all open windows take
// their captions again at once.

#include "base/result.h"
#include "text/language.h"

#include <QObject>
#include <QString>

#include <filesystem>

namespace r605 {

class InterfaceTexts : public QObject {
    Q_OBJECT

public:
    InterfaceTexts(std::filesystem::path programFolder, int languageIndex,
                   QObject* parent = nullptr);

    // The language object keeps its address for the whole run: a switch loads into it.
    const Language& language() const { return m_language; }
    int languageIndex() const { return m_language.index(); }

    QString text(int key, Section section = Section::Other) const;
    QString text(TextKey key) const { return text(key.number, key.section); }
    // An error as the user reads it: its message and its detail.
    QString describe(const Error& error) const;

    // Loads the language (1 English, 2 Simplified, 3 Traditional Chinese) and tells every window.
    void setLanguage(int languageIndex);

signals:
    void languageChanged();

private:
    std::filesystem::path m_programFolder;
    Language m_language;
};

// A caption without its mnemonic and the dots of a menu item ("&Open..." gives "Open"), for
// titles, tooltips and buttons.
QString plainCaption(QString caption);

} // namespace r605

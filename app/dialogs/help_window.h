#pragma once
// The help in a window of its own: the HTML pages of data/help in the program folder, Chinese
// ("zh") for the Simplified Chinese interface and English ("en") otherwise, with Back and
// Contents. It follows the interface language while it is open.

#include <QWidget>

#include <filesystem>

class QPushButton;
class QTextBrowser;

namespace r605 {

class InterfaceTexts;

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow(const InterfaceTexts& texts, std::filesystem::path programFolder,
               QWidget* parent = nullptr);

    // The contents page of a language (1, 2 or 3); it need not exist.
    static std::filesystem::path contentsPage(const std::filesystem::path& programFolder,
                                              int languageIndex);
    // Shows the contents page of the current language.
    void showContents();

private:
    void retranslate();

    const InterfaceTexts& m_texts;
    std::filesystem::path m_programFolder;
    QTextBrowser* m_browser;
    QPushButton* m_back;
    QPushButton* m_contents;
};

} // namespace r605

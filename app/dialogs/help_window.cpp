#include "dialogs/help_window.h"

#include "common/interface_texts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace r605 {

HelpWindow::HelpWindow(const InterfaceTexts& texts, std::filesystem::path programFolder,
                       QWidget* parent)
    : QWidget(parent, Qt::Window), m_texts(texts), m_programFolder(std::move(programFolder)) {
    setObjectName("frmHelp");
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName("txtHelp");
    m_browser->setOpenExternalLinks(true);
    m_back = new QPushButton(this);
    m_back->setObjectName("CommandBack");
    m_contents = new QPushButton(this);
    m_contents->setObjectName("CommandContents");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_contents);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(&texts, &InterfaceTexts::languageChanged, this, [this] {
        retranslate();
        showContents();
    });
    m_back->setEnabled(false);
    retranslate();
    resize(760, 640);
}

std::filesystem::path HelpWindow::contentsPage(const std::filesystem::path& programFolder,
                                               int languageIndex) {
    return programFolder / "help" / (languageIndex == 2 ? "zh" : "en") / "index.html";
}

void HelpWindow::showContents() {
    const auto page = contentsPage(m_programFolder, m_texts.languageIndex());
    m_browser->setSource(QUrl::fromLocalFile(QString::fromStdString(page.string())));
}

void HelpWindow::retranslate() {
    setWindowTitle(m_texts.text(14370));
    m_back->setText(m_texts.text(14372));
    m_contents->setText(m_texts.text(14373));
}

} // namespace r605

// r605cps: the desktop application.
//   r605cps [--home DIR] [--language en|zh|tw] [--quit-after-start] [FILE]
// FILE, an .rdt or JSON codeplug, is opened once the window is shown. --quit-after-start ends the
// program as soon as the window has been shown (a check that it starts, where nobody looks).
#include "program_folder.h"
#include "settings/locale.h"
#include "shell/main_window.h"
#include "shell/shell_application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLocale>
#include <QTimer>

#include <iostream>

namespace {

std::optional<int> languageIndexOf(const QString& option) {
    if (option == "en")
        return 1;
    if (option == "zh")
        return 2;
    if (option == "tw")
        return 3;
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("r605cps");
    QApplication::setOrganizationName("R605");
    QApplication::setApplicationVersion(R605_VERSION);
    QIcon icon(":/r605cps-256.png");
    icon.addFile(":/r605cps-48.png");
    QApplication::setWindowIcon(icon);
    QApplication::setDesktopFileName("r605cps");

    QCommandLineParser parser;
    parser.setApplicationDescription("Programming software for R600MK radios "
                                     "(R605UHF/VHF/LHF/MHF).");
    const QCommandLineOption home("home", "The program folder (also R605_HOME).", "DIR");
    const QCommandLineOption language("language", "The interface language: en, zh or tw.",
                                      "LANGUAGE");
    const QCommandLineOption quit("quit-after-start", "End as soon as the window is shown.");
    parser.addOptions({home, language, quit});
    parser.addPositionalArgument("FILE", "An .rdt or JSON codeplug to open.", "[FILE]");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(application);

    r605::StartOptions options;
    options.programFolder = r605::resolveProgramFolder(parser.value(home).toStdString());
    options.systemLcidHex = r605::systemLcidHexForLocale(QLocale::system().name().toStdString());
    if (parser.isSet(language)) {
        options.languageIndex = languageIndexOf(parser.value(language));
        if (!options.languageIndex) {
            std::cerr << "r605cps: --language takes en, zh or tw\n";
            return 2;
        }
    }
    if (!parser.positionalArguments().isEmpty())
        options.file = parser.positionalArguments().front();

    r605::ShellApplication shell(std::move(options));
    if (parser.isSet(quit)) {
        QObject::connect(
            &shell, &r605::ShellApplication::started, &application, [](r605::MainWindow* window) {
                // Once the shown window has been painted.
                QTimer::singleShot(0, window, [window] {
                    QString title = window->windowTitle();
                    title.remove("[*]");
                    std::cout << "r605cps: " << title.toStdString() << " shown" << std::endl;
                    window->close();
                });
            });
    }
    shell.start();
    return QApplication::exec();
}

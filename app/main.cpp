// r605cps: for now one record grid in a window of its own, on a new or a full sample codeplug.
//   r605cps [--home DIR] [--grid N] [--language 1|2|3] [--sample] [--screenshot FILE.png]
// With --screenshot the window is saved as a picture once shown, and the program ends.
#include "grids/record_grid.h"
#include "schema/new_codeplug.h"
#include "model/sample_codeplug.h"
#include "models/document_session.h"
#include "program_folder.h"
#include "text/language.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption home("home", "Program folder.", "DIR");
    const QCommandLineOption grid("grid", "Grid index 0 to 19.", "N", "0");
    const QCommandLineOption language("language", "1 English, 2 Chinese, 3 Traditional.", "N", "1");
    const QCommandLineOption sample("sample", "A full sample codeplug instead of a new one.");
    const QCommandLineOption screenshot("screenshot", "Save the window as a picture.", "FILE");
    parser.addOptions({home, grid, language, sample, screenshot});
    parser.addHelpOption();
    parser.process(application);

    const auto folder = r605::resolveProgramFolder(parser.value(home).toStdString());
    const r605::Language texts = r605::Language::load(folder, parser.value(language).toInt());
    const int bandCode = 0;
    const r605::BandRanges bands = *r605::bandRangesForCode(bandCode);
    r605::Document document(parser.isSet(sample) ? r605::SampleFullCodeplug(bandCode, bands, 1)
                                                 : r605::NewCodeplug(bandCode, bands));
    r605::DocumentSession session(document, texts);
    r605::RecordGrid window(session, parser.value(grid).toInt());
    window.resize(1100, 640);
    window.show();
    if (parser.isSet(screenshot)) {
        QTimer::singleShot(200, &window, [&] {
            window.grab().save(parser.value(screenshot));
            application.quit();
        });
    }
    return application.exec();
}

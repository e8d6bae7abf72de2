#pragma once
// The File commands of the main window over the document: New (and MnuSetInit, which skips the
// confirmation), Open, Save and Save As, opening a dropped or named file, the recent files and
// the question before the window closes. Every question goes through the prompt and goes on in
// its answer's callback. A save that fails or is cancelled stops the command that wanted it, so
// that an edit is never lost on the way to another file.

#include "document/document.h"

#include <QObject>
#include <QString>

#include <functional>

namespace r605 {

class ProgramFolders;
class RecentFiles;
struct ShellContext;
struct StartupState;

class FileCommands : public QObject {
    Q_OBJECT

public:
    using Then = std::function<void()>;

    FileCommands(ShellContext& shell, Document& document, RecentFiles& recent,
                 QObject* parent = nullptr);

    // mnuFileNew asks 9001 when there are unsaved changes, then 99112; MnuSetInit only the first.
    void newFile();
    void initialise();
    // The new codeplug of a band, the model dialog having asked already.
    void newForBand(int bandCode);
    void open();
    // A file dropped on the window, given on the command line or chosen from the recent files.
    void openPath(const QString& path);
    void save(Then saved = {});
    void saveAs(Then saved = {});
    // Before the window closes: `closeNow` runs when it may close (saved, or the user said No).
    void confirmClose(Then closeNow);
    // File/Compare with: another codeplug file chosen and loaded, the open one left as it is.
    // `chosen` gets it and its name; a refused file is named in a message instead.
    using OtherChosen = std::function<void(Codeplug other, const QString& name)>;
    void chooseOther(OtherChosen chosen);

    // The new codeplug of a band, stamped with today's date and counting as saved; the messages
    // of an initial file that was refused.
    static Result<std::vector<Error>> buildNewCodeplug(Document& document,
                                                       const ProgramFolders& folders, int bandCode);

    // The start-up state follows the band of the codeplug held.
    static void adoptBand(StartupState& state, const CurrentBand& band);

    // The name filters of the file dialogs: .rdt, JSON, every file.
    QStringList fileFilters() const;

signals:
    // New, Open or the model dialog put another codeplug in the document: the undo history
    // belongs to the one before.
    void codeplugReplaced();
    // The document's file changed (saved under a name).
    void fileNameChanged();

private:
    void askAboutUnsaved(TextKey question, Then proceed);
    void makeNew(int bandCode);
    void chooseAndOpen();
    void load(const QString& path);
    void write(const QString& path, Then saved);
    QString startFolder() const;

    ShellContext& m_shell;
    Document& m_document;
    RecentFiles& m_recent;
};

} // namespace r605

#include "shell/file_commands.h"

#include "common/interface_texts.h"
#include "common/prompt.h"
#include "common/shell_context.h"
#include "document/codeplug_files.h"
#include "model/embedded_info_defaults.h"
#include "shell/recent_files.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace r605 {

namespace {

std::filesystem::path pathOf(const QString& file) {
    return std::filesystem::path(file.toStdString());
}

QString textOf(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// The messages of a load or save in one text, one a line.
QString joined(const InterfaceTexts& texts, const std::vector<Error>& messages) {
    QStringList lines;
    for (const Error& message : messages)
        lines << texts.describe(message);
    return lines.join('\n');
}

} // namespace

FileCommands::FileCommands(ShellContext& shell, Document& document, RecentFiles& recent,
                           QObject* parent)
    : QObject(parent), m_shell(shell), m_document(document), m_recent(recent) {}

QStringList FileCommands::fileFilters() const {
    const InterfaceTexts& texts = m_shell.texts;
    return {texts.text(99116) + " (*.rdt)", texts.text(14290) + " (*.json)",
            texts.text(14291) + " (*)"};
}

void FileCommands::askAboutUnsaved(TextKey question, Then proceed) {
    if (!m_document.hasUnsavedChanges()) {
        proceed();
        return;
    }
    const PromptMessage message{
        m_shell.texts.text(question), PromptButtons::YesNoCancel, PromptIcon::Question, {}};
    m_shell.prompt.ask(message, [this, proceed](PromptAnswer answer) {
        if (answer == PromptAnswer::Yes)
            save(proceed);
        else if (answer == PromptAnswer::No)
            proceed();
    });
}

void FileCommands::newFile() {
    askAboutUnsaved(TextKey{9001, Section::Msg}, [this] {
        const PromptMessage confirm{
            m_shell.texts.text(99112), PromptButtons::OkCancel, PromptIcon::Question, {}};
        m_shell.prompt.ask(confirm, [this](PromptAnswer answer) {
            if (answer == PromptAnswer::Ok)
                makeNew(m_document.band().BandCode);
        });
    });
}

void FileCommands::initialise() {
    askAboutUnsaved(TextKey{9001, Section::Msg}, [this] { makeNew(m_document.band().BandCode); });
}

void FileCommands::newForBand(int bandCode) {
    makeNew(bandCode);
}

Result<std::vector<Error>>
FileCommands::buildNewCodeplug(Document& document, const ProgramFolders& folders, int bandCode) {
    auto made =
        document.newCodeplug(NewCodeplugFiles::inProgramFolder(folders, bandCode), bandCode);
    if (!made)
        return made.error();
    // The dealer's record of a new codeplug carries the day it was made.
    const QDate today = QDate::currentDate();
    const CalendarDate date{today.year(), today.month(), today.day()};
    const std::string shortDate = today.toString(Qt::ISODate).toStdString();
    const auto stamped = document.apply(EditKind::NewCodeplug, [&](Codeplug& codeplug) {
        SetEmbeddedInfoDefaults(codeplug.EmbeddedInfo, date, shortDate);
        return Status::success();
    });
    if (!stamped)
        return stamped.error();
    document.markSaved();
    return std::move(made->messages);
}

void FileCommands::makeNew(int bandCode) {
    auto made = buildNewCodeplug(m_document, m_shell.folders, bandCode);
    if (!made) {
        m_shell.prompt.tell(m_shell.texts.describe(made.error()), PromptIcon::Critical);
        return;
    }
    adoptBand(m_shell.state, m_document.band());
    emit codeplugReplaced();
    // An initial file of the band that was refused: the codeplug is the program's own.
    if (!made->empty())
        m_shell.prompt.tell(joined(m_shell.texts, *made), PromptIcon::Warning);
}

void FileCommands::open() {
    askAboutUnsaved(TextKey{99115}, [this] { chooseAndOpen(); });
}

void FileCommands::openPath(const QString& path) {
    askAboutUnsaved(TextKey{99115}, [this, path] { load(path); });
}

void FileCommands::chooseAndOpen() {
    const FileQuestion question{FileDialogKind::Open, plainCaption(m_shell.texts.text(14202)),
                                fileFilters(), startFolder()};
    m_shell.prompt.chooseFile(question, [this](const QString& path) {
        if (!path.isEmpty())
            load(path);
    });
}

void FileCommands::load(const QString& path) {
    auto loaded = m_document.load(pathOf(path));
    if (!loaded) {
        if (!QFileInfo::exists(path))
            m_recent.remove(path);
        m_shell.prompt.tell(m_shell.texts.describe(loaded.error()), PromptIcon::Critical);
        return;
    }
    adoptBand(m_shell.state, m_document.band());
    m_recent.add(path);
    emit codeplugReplaced();
    // The repairs the load made and "Load File OK", in one message.
    const bool onlyOk = loaded->messages.size() <= 1;
    m_shell.prompt.tell(joined(m_shell.texts, loaded->messages),
                        onlyOk ? PromptIcon::Information : PromptIcon::Warning);
}

void FileCommands::save(Then saved) {
    if (m_document.isNewFile()) {
        saveAs(std::move(saved));
        return;
    }
    const QString name = QFileInfo(textOf(m_document.fileName())).fileName();
    const PromptMessage question{m_shell.texts.text(99114) + " \"" + name + "\"",
                                 PromptButtons::OkCancel,
                                 PromptIcon::Question,
                                 {}};
    m_shell.prompt.ask(question, [this, saved = std::move(saved)](PromptAnswer answer) {
        if (answer == PromptAnswer::Ok)
            write(textOf(m_document.fileName()), saved);
    });
}

void FileCommands::saveAs(Then saved) {
    QString suggested = textOf(m_document.fileName());
    if (m_document.isNewFile() || QFileInfo(suggested).isRelative())
        suggested = startFolder() + "/" + QFileInfo(suggested).fileName();
    const FileQuestion question{FileDialogKind::Save, plainCaption(m_shell.texts.text(14204)),
                                fileFilters(), suggested};
    m_shell.prompt.chooseFile(question, [this, saved = std::move(saved)](const QString& path) {
        if (!path.isEmpty())
            write(path, saved);
    });
}

void FileCommands::write(const QString& path, Then saved) {
    const ContactTextForm form = TextFormForEdition(m_shell.state.EditionCode);
    auto written = m_document.save(pathOf(path), form);
    if (!written) {
        m_shell.prompt.tell(m_shell.texts.describe(written.error()), PromptIcon::Critical);
        return;
    }
    m_recent.add(path);
    emit fileNameChanged();
    // "Save File OK", after what the file could not hold; the command that wanted the save goes
    // on once the user has read it.
    const bool onlyOk = written->messages.size() <= 1;
    m_shell.prompt.tell(joined(m_shell.texts, written->messages),
                        onlyOk ? PromptIcon::Information : PromptIcon::Warning, saved);
}

void FileCommands::confirmClose(Then closeNow) {
    askAboutUnsaved(TextKey{9001, Section::Msg}, std::move(closeNow));
}

void FileCommands::adoptBand(StartupState& state, const CurrentBand& band) {
    state.BandCode = band.BandCode;
    state.BandText = band.BandText;
    state.BandRanges = band.BandRanges;
    state.ModelName = band.ModelName;
}

void FileCommands::chooseOther(OtherChosen chosen) {
    const FileQuestion question{FileDialogKind::Open, m_shell.texts.text(15144), fileFilters(),
                                startFolder()};
    m_shell.prompt.chooseFile(question, [this, chosen = std::move(chosen)](const QString& path) {
        if (path.isEmpty())
            return;
        auto loaded = LoadCodeplug(pathOf(path));
        if (!loaded) {
            m_shell.prompt.tell(m_shell.texts.describe(loaded.error()), PromptIcon::Critical);
            return;
        }
        chosen(std::move(loaded->codeplug), QFileInfo(path).fileName());
    });
}

QString FileCommands::startFolder() const {
    const QString current = textOf(m_document.fileName());
    if (!m_document.isNewFile() && QFileInfo(current).isAbsolute())
        return QFileInfo(current).absolutePath();
    const QStringList recent = m_recent.files();
    if (!recent.isEmpty())
        return QFileInfo(recent.front()).absolutePath();
    return QDir::homePath();
}

} // namespace r605

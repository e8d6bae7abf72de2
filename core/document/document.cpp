#include "document/document.h"

#include "file/default_channel_file.h"
#include "file/rdt_format.h"
#include "base/file_io.h"
#include "schema/new_codeplug.h"
#include "settings/program_folders.h"

#include <algorithm>

namespace r605 {

namespace fs = std::filesystem;

namespace {

CurrentBand bandOf(const Codeplug& codeplug) {
    auto band = CurrentBand::forCode(codeplug.Header.BandCode);
    return band ? std::move(*band) : *CurrentBand::forCode(0);
}

} // namespace

NewCodeplugFiles NewCodeplugFiles::inProgramFolder(const ProgramFolders& folders, int bandCode) {
    const fs::path init = "Init";
    return NewCodeplugFiles{folders.readPath(std::string(kDefaultChannelFile)),
                            folders.readPath(init / InitialFileName(kModelFamily, bandCode)),
                            folders.readPath(init / InitialFileName(kModelFamily, 0))};
}

Document::Document() : Document(NumberedEmptyCodeplug()) {}

Document::Document(Codeplug codeplug)
    : m_codeplug(std::move(codeplug)), m_shadow(m_codeplug), m_saved(m_codeplug),
      m_band(bandOf(m_codeplug)) {}

Result<ChangeSet> Document::apply(EditKind kind, const Edit& edit) {
    Status status = edit(m_codeplug);
    if (status.ok() && !isKnownBandCode(m_codeplug.Header.BandCode))
        status = Error::literal("Band Error!");
    ChangeSet changes = ChangeSet::between(m_shadow, m_codeplug, kind);
    if (!status.ok()) {
        // An edit is all or nothing: what it did before it failed goes back.
        changes.undo(m_codeplug);
        return status.error();
    }
    changes.redo(m_shadow);
    if (!changes.empty())
        changed(changes);
    return changes;
}

void Document::undo(const ChangeSet& changes) {
    changes.undo(m_codeplug);
    changes.undo(m_shadow);
    changed(changes);
}

void Document::redo(const ChangeSet& changes) {
    changes.redo(m_codeplug);
    changes.redo(m_shadow);
    changed(changes);
}

Result<ChangeSet> Document::replaceWith(EditKind kind, Codeplug codeplug) {
    return apply(kind, [&](Codeplug& working) {
        working = std::move(codeplug);
        return Status::success();
    });
}

Result<FileOutcome> Document::load(const fs::path& fileName) {
    auto loaded = LoadCodeplug(fileName);
    if (!loaded)
        return loaded.error();
    // The member lists are cleaned after the load: the cleaned lists differ from the file, which
    // a save then mends.
    Codeplug asInFile = loaded->codeplug;
    if (loaded->form == CodeplugFileForm::Rdt) {
        for (Error& cleaned : CleanZoneAndScanListMembers(loaded->codeplug))
            loaded->warnings.push_back(std::move(cleaned));
    }
    auto changes = replaceWith(EditKind::LoadFile, std::move(loaded->codeplug));
    if (!changes)
        return Error::keyed(99127, pathText(fileName) + ": " + changes.error().text);
    m_fileName = fileName;
    m_newFile = false;
    markSaved(asInFile);
    FileOutcome outcome{std::move(*changes), std::move(loaded->warnings)};
    outcome.messages.push_back(Error::literal("Load File OK"));
    return outcome;
}

Result<FileOutcome> Document::save(const fs::path& fileName, ContactTextForm textForm) {
    auto saved = SaveCodeplug(fileName, m_codeplug, textForm);
    if (!saved)
        return saved.error();
    m_fileName = fileName;
    m_newFile = false;
    // What the file holds counts as saved: contacts it could not hold stay unsaved changes.
    Codeplug written = m_codeplug;
    written.Header.ModelFamily = std::string(kModelFamily);
    written.Header.DataVersion = std::string(kCurrentDataVersion);
    for (const std::size_t entry : saved->contactsLeftOut)
        written.Contact[entry].Used = 0;
    markSaved(written);
    return FileOutcome{ChangeSet(), std::move(saved->messages)};
}

Result<FileOutcome> Document::newCodeplug(const NewCodeplugFiles& files, int bandCode) {
    auto band = CurrentBand::forCode(bandCode);
    if (!band)
        return band.error();
    const ChannelRec channelTemplate = LoadDefaultChannel(files.defaultChannel, band->BandRanges);
    Codeplug fresh = NewCodeplug(bandCode, band->BandRanges, channelTemplate);

    std::vector<Error> messages;
    std::error_code ignored;
    if (fs::is_regular_file(files.initialFile, ignored)) {
        auto loaded = LoadCodeplug(files.initialFile);
        if (loaded) {
            fresh = std::move(loaded->codeplug);
            messages = std::move(loaded->warnings);
            CleanZoneAndScanListMembers(fresh);
        } else {
            messages.push_back(loaded.error());
        }
    } else if (fs::is_regular_file(files.initialHeaderFile, ignored)) {
        auto bytes = readFilePrefix(files.initialHeaderFile, 12 + HeaderRecordSize());
        auto adopted = bytes ? AdoptCodeplugFileSettings(*bytes, fresh)
                             : Result<std::vector<Error>>(bytes.error());
        if (adopted)
            messages = std::move(*adopted);
        else
            messages.push_back(adopted.error());
    }
    auto changes = replaceWith(EditKind::NewCodeplug, std::move(fresh));
    if (!changes)
        return changes.error();
    m_fileName = std::string(kNewFileName);
    m_newFile = true;
    markSaved();
    return FileOutcome{std::move(*changes), std::move(messages)};
}

Result<ChangeSet> Document::adoptRead(Codeplug read) {
    auto changes = replaceWith(EditKind::ReadRadio, std::move(read));
    if (!changes)
        return changes;
    m_fileName = std::string(kNewFileName);
    m_newFile = true;
    markSaved();
    return changes;
}

void Document::markSaved() {
    markSaved(m_codeplug);
}

void Document::markSaved(const Codeplug& whatWasSaved) {
    m_saved = whatWasSaved;
    const bool unsaved = !(m_codeplug == m_saved);
    if (unsaved == m_unsaved)
        return;
    m_unsaved = unsaved;
    tell(ChangeSet(), true);
}

int Document::addObserver(Observer observer) {
    const int id = m_nextObserver++;
    m_observers.emplace_back(id, std::move(observer));
    return id;
}

void Document::removeObserver(int id) {
    std::erase_if(m_observers, [id](const auto& entry) { return entry.first == id; });
}

void Document::changed(const ChangeSet& changes) {
    if (changes.touches(Family::Header))
        m_band = bandOf(m_codeplug);
    const bool unsaved = !(m_codeplug == m_saved);
    const bool flipped = unsaved != m_unsaved;
    m_unsaved = unsaved;
    tell(changes, flipped);
}

void Document::tell(const ChangeSet& changes, bool unsavedChanged) {
    // A copy: an observer may add or remove observers.
    const auto observers = m_observers;
    for (const auto& [id, observer] : observers)
        observer(DocumentChange{changes, unsavedChanged});
}

} // namespace r605

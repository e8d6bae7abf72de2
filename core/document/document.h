#pragma once
// The working codeplug as a document of undoable edits. Callers read the codeplug through const
// access only; every change is an edit handed to the document, which runs it (with the repair of
// references its rules call for) and gives back the change set of every record it touched.
// Undo and redo replay a change set backwards or forwards and give back exactly the earlier
// tables. Observers hear which families and rows changed, and when the unsaved state flips.
//
// The document keeps a second copy of the codeplug as it stood after the last change: an edit's
// change set is what differs from it afterwards, so no edit has to say what it touched, and a
// repair that reaches into another family is always in the history.
//
// Besides the codeplug the document knows its band (from the codeplug's header), its file and
// whether it is a new file never saved, and the codeplug as last saved, loaded or read, against
// which unsaved changes are found. Loading a file, a new codeplug and adopting what a radio read
// are edits like any other: observers hear of them.

#include "base/result.h"
#include "document/change_set.h"
#include "document/codeplug_files.h"
#include "model/codeplug.h"
#include "rules/band.h"

#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace r605 {

inline constexpr std::string_view kNewFileName = "new.rdt";

// What observers are told after every change of the working codeplug.
struct DocumentChange {
    const ChangeSet& changes;
    bool unsavedChanged; // the answer of hasUnsavedChanges() flipped
};

// The files a new codeplug is made from: the default-channel template, the initial codeplug file
// of its band, and the initial file whose header and settings it takes when its band has none.
struct NewCodeplugFiles {
    std::filesystem::path defaultChannel;
    std::filesystem::path initialFile;
    std::filesystem::path initialHeaderFile;

    // "Default.ini", "Init/R600MK_<band>.rdt" and "Init/R600MK_0.rdt" of the program folder.
    static NewCodeplugFiles inProgramFolder(const ProgramFolders& folders, int bandCode);
};

// What a file operation did, and what the user is to be told.
struct FileOutcome {
    ChangeSet changes; // of the working codeplug (empty for a save)
    std::vector<Error> messages;
};

class Document {
public:
    using Observer = std::function<void(const DocumentChange&)>;
    using Edit = std::function<Status(Codeplug&)>;

    // An empty codeplug of band 0 (every record numbered, none in use), named "new.rdt".
    Document();
    // A codeplug of a known band, named "new.rdt", counting as saved.
    explicit Document(Codeplug codeplug);

    const Codeplug& codeplug() const { return m_codeplug; }
    // The codeplug as last saved, loaded or read.
    const Codeplug& saved() const { return m_saved; }
    bool hasUnsavedChanges() const { return m_unsaved; }
    const CurrentBand& band() const { return m_band; }
    const std::filesystem::path& fileName() const { return m_fileName; }
    bool isNewFile() const { return m_newFile; }

    // Runs `edit` on the working codeplug. When it fails, or leaves a band the band table does
    // not know in the header, nothing changes and the error comes back; otherwise the change set
    // of what it changed (empty when nothing did).
    Result<ChangeSet> apply(EditKind kind, const Edit& edit);
    void undo(const ChangeSet& changes);
    void redo(const ChangeSet& changes);

    // Reads a .rdt or JSON file (by its content); it becomes the document's file, counting as
    // saved. The messages are the file's warnings, then "Load File OK". A refused file changes
    // nothing.
    Result<FileOutcome> load(const std::filesystem::path& fileName);
    // Writes the codeplug to a file in the form its name asks for; the name becomes the
    // document's. What the file could not hold (contacts an .rdt has no room for) stays in the
    // working codeplug as an unsaved change. A failed save changes nothing.
    Result<FileOutcome> save(const std::filesystem::path& fileName, ContactTextForm textForm);
    // The new codeplug of a band (start-up, File/New, the model dialog): every table emptied,
    // the first records made, channels 1 and 2 from the default-channel template; then the
    // band's initial file over it, or the header and settings of the fallback initial file. An
    // initial file that is refused is not used; its message comes back. Named "new.rdt", a new
    // file, counting as saved. An unknown band is refused.
    Result<FileOutcome> newCodeplug(const NewCodeplugFiles& files, int bandCode);
    // A codeplug read from a radio: it replaces the working one and becomes the new unsaved file
    // "new.rdt", counting as saved.
    Result<ChangeSet> adoptRead(Codeplug read);

    // The working codeplug now counts as saved.
    void markSaved();

    // Observers are told in the order they were added; the id removes one.
    int addObserver(Observer observer);
    void removeObserver(int id);

private:
    Result<ChangeSet> replaceWith(EditKind kind, Codeplug codeplug);
    void markSaved(const Codeplug& whatWasSaved);
    void changed(const ChangeSet& changes);
    void tell(const ChangeSet& changes, bool unsavedChanged);

    Codeplug m_codeplug;
    Codeplug m_shadow; // m_codeplug as it stood after the last change
    Codeplug m_saved;
    bool m_unsaved = false;
    CurrentBand m_band;
    std::filesystem::path m_fileName{std::string(kNewFileName)};
    bool m_newFile = true;
    std::vector<std::pair<int, Observer>> m_observers;
    int m_nextObserver = 1;
};

} // namespace r605

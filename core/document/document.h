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

#include "base/result.h"
#include "document/change_set.h"
#include "model/codeplug.h"

#include <functional>
#include <vector>

namespace r605 {

// What observers are told after every change of the working codeplug.
struct DocumentChange {
    const ChangeSet& changes;
    bool unsavedChanged; // the answer of hasUnsavedChanges() flipped
};

class Document {
public:
    using Observer = std::function<void(const DocumentChange&)>;
    using Edit = std::function<Status(Codeplug&)>;

    Document();
    explicit Document(Codeplug codeplug);

    const Codeplug& codeplug() const { return m_codeplug; }
    // The codeplug as last saved, loaded or read.
    const Codeplug& saved() const { return m_saved; }
    bool hasUnsavedChanges() const { return m_unsaved; }

    // Runs `edit` on the working codeplug. When it fails nothing changes and its error comes
    // back; otherwise the change set of what it changed (empty when nothing did).
    Result<ChangeSet> apply(EditKind kind, const Edit& edit);
    void undo(const ChangeSet& changes);
    void redo(const ChangeSet& changes);

    // The working codeplug now counts as saved (a save, a load or a read just ended). A save that
    // could not keep everything names what it kept instead.
    void markSaved();
    void markSaved(const Codeplug& whatWasSaved);

    // Observers are told in the order they were added; the id removes one.
    int addObserver(Observer observer);
    void removeObserver(int id);

private:
    void changed(const ChangeSet& changes);

    Codeplug m_codeplug;
    Codeplug m_shadow; // m_codeplug as it stood after the last change
    Codeplug m_saved;
    bool m_unsaved = false;
    std::vector<std::pair<int, Observer>> m_observers;
    int m_nextObserver = 1;
};

} // namespace r605

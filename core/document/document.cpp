#include "document/document.h"

#include <algorithm>

namespace r605 {

Document::Document() : Document(Codeplug{}) {}

Document::Document(Codeplug codeplug)
    : m_codeplug(std::move(codeplug)), m_shadow(m_codeplug), m_saved(m_codeplug) {}

Result<ChangeSet> Document::apply(EditKind kind, const Edit& edit) {
    const Status status = edit(m_codeplug);
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

void Document::markSaved() {
    markSaved(m_codeplug);
}

void Document::markSaved(const Codeplug& whatWasSaved) {
    m_saved = whatWasSaved;
    const bool unsaved = !(m_codeplug == m_saved);
    if (unsaved == m_unsaved)
        return;
    m_unsaved = unsaved;
    const ChangeSet nothing;
    for (const auto& [id, observer] : m_observers)
        observer(DocumentChange{nothing, true});
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
    const bool unsaved = !(m_codeplug == m_saved);
    const bool flipped = unsaved != m_unsaved;
    m_unsaved = unsaved;
    // A copy: an observer may add or remove observers.
    const auto observers = m_observers;
    for (const auto& [id, observer] : observers)
        observer(DocumentChange{changes, flipped});
}

} // namespace r605

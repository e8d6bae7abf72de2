#pragma once
// One step of the undo stack: the change sets of one user action. The document has applied them
// already when the step is pushed, so its first redo does nothing; undo hands them back to the
// document last first. Consecutive edits of the same cell merge into one step.

#include "document/document.h"
#include "models/document_session.h"

#include <QUndoCommand>

#include <memory>
#include <optional>
#include <vector>

namespace r605 {

class Language;

class ChangeCommand : public QUndoCommand {
public:
    ChangeCommand(Document& document, ChangeSet changes, std::optional<CellKey> cell,
                  const Language& language);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    EditKind kind() const { return m_kind; }
    // The step's text in the Edit menu ("Delete", "Paste", ...).
    void retranslate(const Language& language);

private:
    Document& m_document;
    EditKind m_kind;
    // In the order they were applied; shared so that a merged step can take them over.
    std::vector<std::shared_ptr<const ChangeSet>> m_changes;
    std::optional<CellKey> m_cell;
    bool m_applied = true;
};

} // namespace r605

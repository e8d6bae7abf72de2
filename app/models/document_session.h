#pragma once
// One document as the window edits it: every change the user makes goes through its undo stack
// (one step per change set), the list edits of every grid share its clipboard, and cells are
// shown and read in its interface language and the band of its codeplug.

#include "document/list_edits.h"
#include "schema/column.h"

#include <QObject>
#include <QUndoStack>

#include <cstddef>
#include <optional>

namespace r605 {

class Language;

// The cell an edit typed into: consecutive edits of one cell are one undo step.
struct CellKey {
    Family family;
    std::size_t entry;
    std::size_t column; // the family column
    bool operator==(const CellKey&) const = default;
};

class DocumentSession : public QObject {
    Q_OBJECT

public:
    // The document and the language outlive the session. A language switch hands the new
    // language to setLanguage().
    DocumentSession(Document& document, const Language& language, QObject* parent = nullptr);

    Document& document() { return m_document; }
    const Document& document() const { return m_document; }
    const Language& language() const { return *m_language; }
    QUndoStack& undoStack() { return m_undoStack; }
    Clipboard& clipboard() { return m_clipboard; }

    // What cells need to be shown and read: the language and the codeplug's band. Valid until
    // the language or the band changes.
    const ColumnContext& columnContext() const;

    // Puts an edit the document has applied on the undo stack. An edit that failed gives its
    // error back; one that changed nothing leaves no undo step.
    Status record(Result<ChangeSet> changes, std::optional<CellKey> cell = std::nullopt);

    void setLanguage(const Language& language);

signals:
    // The interface language changed: captions and cells are to be read again.
    void languageChanged();

private:
    Document& m_document;
    const Language* m_language;
    QUndoStack m_undoStack;
    Clipboard m_clipboard;
    // The context of the last band code asked for: a codeplug rarely changes its band, and a
    // grid asks for every cell it shows.
    mutable int m_bandCode = -1;
    mutable std::optional<ColumnContext> m_context;
};

} // namespace r605

#include "models/document_session.h"

#include "models/change_command.h"
#include "text/language.h"

namespace r605 {

DocumentSession::DocumentSession(Document& document, const Language& language, QObject* parent)
    : QObject(parent), m_document(document), m_language(&language) {
    m_undoStack.setObjectName("undoStack");
}

const ColumnContext& DocumentSession::columnContext() const {
    const CurrentBand& band = m_document.band();
    if (!m_context || band.BandCode != m_bandCode) {
        m_context.emplace(ColumnContext{*m_language, band.BandRanges});
        m_bandCode = band.BandCode;
    }
    return *m_context;
}

Status DocumentSession::record(Result<ChangeSet> changes, std::optional<CellKey> cell) {
    if (!changes.ok())
        return changes.error();
    if (changes->empty())
        return Status::success();
    m_undoStack.push(new ChangeCommand(m_document, std::move(*changes), cell, *m_language));
    return Status::success();
}

void DocumentSession::setLanguage(const Language& language) {
    m_language = &language;
    m_context.reset();
    for (int i = 0; i < m_undoStack.count(); ++i) {
        // The stack hands out its steps const; their texts are all that changes here.
        auto* step =
            const_cast<ChangeCommand*>(static_cast<const ChangeCommand*>(m_undoStack.command(i)));
        step->retranslate(language);
    }
    emit languageChanged();
}

} // namespace r605

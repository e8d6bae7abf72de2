#include "models/change_command.h"

#include "text/language.h"

#include <QString>

#include <array>

namespace r605 {

namespace {

// The Edit menu's name of each kind of edit, in EditKind order.
constexpr std::array kEditKindTexts{
    TextKey{14000}, // EditCell
    TextKey{14001}, // EditRecord
    TextKey{14002}, // Delete
    TextKey{14003}, // Cut
    TextKey{14004}, // Paste
    TextKey{14005}, // MoveZone
    TextKey{14006}, // Import
    TextKey{14007}, // NewCodeplug
    TextKey{14008}, // LoadFile
    TextKey{14009}, // ReadRadio
    TextKey{14010}, // CompactContacts
    TextKey{14011}, // Other
};
static_assert(kEditKindTexts.size() == static_cast<std::size_t>(EditKind::Other) + 1,
              "every kind of edit has its text");

// Cell edits merge when they are of the same cell; every other step stands alone.
constexpr int kCellEditId = 1;

} // namespace

ChangeCommand::ChangeCommand(Document& document, ChangeSet changes, std::optional<CellKey> cell,
                             const Language& language)
    : m_document(document), m_kind(changes.kind()), m_cell(cell) {
    m_changes.push_back(std::make_shared<const ChangeSet>(std::move(changes)));
    retranslate(language);
}

void ChangeCommand::undo() {
    for (auto it = m_changes.rbegin(); it != m_changes.rend(); ++it)
        m_document.undo(**it);
}

void ChangeCommand::redo() {
    // Pushing a step runs redo once: the document holds its changes already.
    if (m_applied) {
        m_applied = false;
        return;
    }
    for (const auto& changes : m_changes)
        m_document.redo(*changes);
}

int ChangeCommand::id() const {
    return m_cell ? kCellEditId : -1;
}

bool ChangeCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const ChangeCommand*>(other);
    if (next == nullptr || !m_cell || next->m_cell != m_cell)
        return false;
    m_changes.insert(m_changes.end(), next->m_changes.begin(), next->m_changes.end());
    return true;
}

void ChangeCommand::retranslate(const Language& language) {
    setText(
        QString::fromStdString(language.text(kEditKindTexts[static_cast<std::size_t>(m_kind)])));
}

} // namespace r605

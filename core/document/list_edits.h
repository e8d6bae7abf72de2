#pragma once
// The list edits of the record grids as edits of the document: copy, cut, paste and delete of
// one or more records, moving a zone up or down, and typing into a cell. Each gives the change
// set of what it changed, repairs included, or an error and no change.
//
// Copy and paste follow the grids' rules: channels, radio IDs, zones, scan lists, the phone book,
// contacts and receive group lists each have a clipboard of their own; the three text message
// grids and the ARC4 keys share one, so that a record copied in one of them pastes only there.
// Other families have no copy.

#include "document/document.h"
#include "schema/column.h"

#include <any>
#include <cstddef>
#include <optional>
#include <span>
#include <utility>

namespace r605 {

class Clipboard {
public:
    // Whether records copied from `family` wait to be pasted into it.
    bool holds(Family family) const;
    std::size_t size(Family family) const;

    // Copies the records (0-based entries, ascending) of a family that has a copy; false for
    // families without one, and when no entry lies in the table.
    bool copy(const Codeplug& codeplug, Family family, std::span<const std::size_t> entries);

private:
    friend Result<ChangeSet> pasteRecords(Document&, const Clipboard&, Family, std::size_t);

    struct Slot {
        std::optional<Family> family; // where the records came from
        std::any records;             // std::vector<RecordOf<family>>
        std::size_t count = 0;
    };
    Slot& slotOf(Family family);
    const Slot* slotFor(Family family) const;

    std::array<Slot, kGridCount> m_slots;
};

// A record written over another keeps the slot's own Number (and a text message its index):
// they say where the record is.
template <class R> void overwriteRecord(R& target, const R& from) {
    R record = from;
    if constexpr (requires { target.Number; })
        record.Number = target.Number;
    if constexpr (requires { target.Index; })
        record.Index = target.Index;
    target = std::move(record);
}

// Whether a family's grid has the list edits.
bool canCopy(Family family);
bool canDelete(Family family);

// Takes the records out of use and repairs the references to them. The last contact of call
// type 1 always stays (group lists need one); the other entries are still deleted.
Result<ChangeSet> deleteRecords(Document& document, Family family,
                                std::span<const std::size_t> entries);

// What deleteRecords does, inside an edit that does more than delete.
void deleteRecordsIn(Codeplug& codeplug, Family family, std::span<const std::size_t> entries);

// Copies, then deletes.
Result<ChangeSet> cutRecords(Document& document, Clipboard& clipboard, Family family,
                             std::span<const std::size_t> entries);

// Writes the clipboard's records over the records from `firstEntry` on (as many as fit); each
// keeps its own Number, the family's references are repaired and each pasted name made unique.
// An empty clipboard changes nothing.
Result<ChangeSet> pasteRecords(Document& document, const Clipboard& clipboard, Family family,
                               std::size_t firstEntry);

// Swaps zone `entry` with the one above or below; each slot keeps its own Number and the
// references follow the zones. Nothing happens for the first zone up or the last down.
Result<ChangeSet> moveZone(Document& document, std::size_t entry, bool up);

// Runs `change` on record `entry` of a family with a grid (an edit of one record: an editing
// form's OK, a record taken over from another codeplug), then repairs the references to it. An
// entry outside the table is refused.
Result<ChangeSet> editRecord(Document& document, EditKind kind, Family family, std::size_t entry,
                             const Document::Edit& change);

// Reads a cell's text into a record, as the grid's in-place editor does, then repairs the
// references of the family.
Result<ChangeSet> setCell(Document& document, Family family, std::size_t entry, std::size_t column,
                          std::string_view text, const ColumnContext& context);

} // namespace r605

#pragma once
// Taking a difference over from the other codeplug into the open one, as one undoable edit of
// the document:
//   - a changed record gets the other's values of the fields that differ, cells read as the grid
//     reads typed text (a reference by the name of its record in the open codeplug);
//   - an added record is made at its number, or at the first free number when that one is taken,
//     with its references looked up by name;
//   - a removed record is deleted, as the grid's Delete does;
//   - a single record gets the other's values of the fields that differ.
// References are repaired afterwards as for any edit of a record. A reference to a record the open
// codeplug does not hold refuses the whole take-over with a message naming it: that record is
// taken over first. A record that was only renumbered has nothing to take over.

#include "base/result.h"
#include "compare/codeplug_diff.h"
#include "document/document.h"

namespace r605 {

// `record` is a difference found by compareCodeplugs(document's codeplug, other).
Result<ChangeSet> takeOver(Document& document, const Codeplug& other,
                           const RecordDifference& record, const ColumnContext& context);

} // namespace r605

#pragma once
// The references between lists after an import. Files carry references as names; once every
// file is read they are resolved against the work set. References of the lists that were not
// read, into lists that were, are re-pointed to the imported record of the same name: importing
// only the channels keeps every zone and scan list on its channels as far as they still exist.

#include "base/result.h"
#include "lists/import_work_set.h"
#include "model/codeplug.h"

namespace r605 {

// Resolves the references of `result`, the original codeplug with the work set's tables moved
// in.
//  - A name in a file read that names no record fails the import, with the file, the line and
//    the column of the cell: a list that refers to a missing record is not what the user
//    meant, and dropping the reference silently would lose it.
//  - A reference of a list not read whose record is gone from an imported list is repaired as
//    if that record had been deleted: a member leaves its zone, scan list or group list, a
//    channel takes the first contact or radio ID still in use, or none.
//  - Scan-list members get their zones again: a member of an imported scan list the first
//    in-use zone holding its channel (none when no zone holds it); a member of a scan list not
//    read keeps its zone while that zone holds the channel, and leaves the list when imported
//    zones no longer hold it.
//  - The settings' channel and zone references are kept on qualifying records.
Status ResolveImportedReferences(const Codeplug& original, const ImportWorkSet& work,
                                 Codeplug& result);

} // namespace r605

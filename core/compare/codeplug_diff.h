#pragma once
// The differences between two codeplugs, record by record and field by field, as the grids show
// them: each record of one codeplug is matched with its counterpart in the other, and the cells
// of every matched pair are compared as texts, references by the names of the records they
// point to. So a record that only moved to another number (the contact compaction before a
// write moves contacts to the front of the table) is reported as renumbered, and the channels
// and group lists that point at it do not change.
//
// Matching, per family, between the records in use of A and of B:
//   1. records at the same number with the same key (name and key fields: the radio ID of
//      contacts and radio IDs, the receive frequency of channels and roaming channels);
//   2. then records with the same key at other numbers, in ascending order (renumbered);
//   3. then records with the same name at other numbers (renumbered and changed);
//   4. then records at the same number (changed in place, a rename for instance);
//   5. what is left of A was removed, what is left of B was added.
// Families without names take the texts of all their own cells as the key. A reference in A to
// a record that B holds under another name (a renamed contact) counts as the same reference.
//
// Fields no column shows are compared too, by their stored names. When a column worked out of
// several fields (the transmit frequency, the tones) shows a change of the record, its stored
// fields are not listed (they would say the same again), but they are held, so that taking the
// record over takes them too. Single records
// and tables without columns are compared field by field, tables number by number. Records not
// in use are not compared: whatever an unused slot holds, the radio and the grids ignore it.

#include "schema/column.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace r605 {

struct Codeplug;

enum class RecordChange : std::uint8_t { Changed, Added, Removed };

struct FieldDifference {
    std::string column;                     // the family column's name, or the stored field's path
    std::optional<std::size_t> columnIndex; // the family column; none for a stored field
    std::string field;   // a stored field's top-level field ("Codes" of "Codes[3].Digits")
    std::string heading; // as the grid heads it, in the interface language
    std::string before;
    std::string after;
    bool listed = true; // false: a stored field whose change a worked-out column already shows
};

struct RecordDifference {
    Family family;
    RecordChange change = RecordChange::Changed;
    std::optional<std::size_t> entryA; // 0-based; none for a record only B holds
    std::optional<std::size_t> entryB; // 0-based; none for a record only A holds
    bool single = false;               // a single record: no number to show
    std::string name;                  // A's name (B's for an added record); "" without names
    std::vector<FieldDifference> fields;

    bool renumbered() const { return entryA && entryB && *entryA != *entryB; }
};

struct DiffCounts {
    std::size_t changed = 0; // matched records with a field that differs
    std::size_t added = 0;
    std::size_t removed = 0;
    std::size_t renumbered = 0; // matched records at another number (changed or not)
    bool operator==(const DiffCounts&) const = default;
};

struct CodeplugDiff {
    // By family (in family order), then by number.
    std::vector<RecordDifference> records;

    bool empty() const { return records.empty(); }
    DiffCounts counts() const;
};

// What changed from `a` to `b`. Cells are shown in the context's language; frequencies need no
// band to be shown.
CodeplugDiff compareCodeplugs(const Codeplug& a, const Codeplug& b, const ColumnContext& context);

} // namespace r605

#pragma once
// Records named in list cells. A reference between lists travels as the referenced record's
// name, so the names are compared as the tables hold them: cut by TrimAtNull, without blanks at
// either end.

#include "base/numbers.h"
#include "text/trim.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace r605 {

inline std::string NameKey(std::string_view name) {
    return std::string(trimBlanks(TrimAtNull(name)));
}

// The in-use record at `entry` (0-based), or nothing for an entry outside the table or out of use.
template <class Table>
const typename Table::value_type* UsedRecord(const Table& table, std::int64_t entry) {
    if (entry < 0 || static_cast<std::uint64_t>(entry) >= table.size())
        return nullptr;
    const auto& record = table[static_cast<std::size_t>(entry)];
    return record.Used != 0 ? &record : nullptr;
}

// The name of entry `entry` for a reference cell; "" for none.
template <class Table> std::string ReferencedName(const Table& table, std::int64_t entry) {
    const auto* record = UsedRecord(table, entry);
    return record ? NameKey(record->Name) : std::string();
}

} // namespace r605

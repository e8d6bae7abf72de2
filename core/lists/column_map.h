#pragma once
// Which cell of an imported line carries which column, found once from the file's header row,
// and one line's cells seen through it.

#include "base/result.h"
#include "lists/list_columns.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

class ColumnMap {
public:
    // Matches the header cells against the columns' headings in `language`. Repeatable member
    // columns may stand several times (the repetitions carrying trailing blanks); contact lists
    // also know the literal English contact headings.
    ColumnMap(std::span<const std::string> headerCells, std::span<const ListColumn> columns,
              const Language& language, bool contactLiterals);

    // At least one header cell names a column other than the record number.
    bool recognised() const { return m_recognised; }
    bool has(ListField field) const { return !m_cellsOf[index(field)].empty(); }
    // The positions of the cells that carry a field, in file order.
    std::span<const std::size_t> cellsOf(ListField field) const { return m_cellsOf[index(field)]; }
    // The header cell of a field, for messages.
    const std::string& heading(ListField field) const { return m_headingOf[index(field)]; }

private:
    static std::size_t index(ListField field) { return static_cast<std::size_t>(field); }

    bool m_recognised = false;
    std::array<std::vector<std::size_t>, kListFieldCount> m_cellsOf;
    std::array<std::string, kListFieldCount> m_headingOf;
};

// One line of an imported file: its cells by field, and messages that name the file, the line
// and the column.
class ListRow {
public:
    ListRow(const ColumnMap& map, std::span<const std::string> cells, std::string_view place)
        : m_map(map), m_cells(cells), m_place(place) {}

    // The field's cell, or nothing when the file has no such column or the line ends before it.
    const std::string* cell(ListField field) const;
    // Every cell of a repeatable field, in file order.
    std::vector<std::string_view> cells(ListField field) const;

    // "ImportFromFileError---0--path: line 5, column "TX Contact"" for a message or a reference
    // that is resolved later.
    std::string origin(ListField field) const;
    Error fail(ListField field, std::string_view why) const;
    Error fail(ListField field, const Error& why) const { return fail(field, why.text); }

private:
    const ColumnMap& m_map;
    std::span<const std::string> m_cells;
    std::string_view m_place; // "ImportFromFileError---0--path: line 5"
};

} // namespace r605

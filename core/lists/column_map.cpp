#include "lists/column_map.h"

#include "lists/column_codes.h"
#include "model/rx_group_rec.h"

namespace r605 {

namespace {

// How often a member heading is looked for: enough for the largest member list (a receive
// group list of 64) written one member per column.
constexpr std::size_t kMemberRepetitions = kRxGroupMembers;

} // namespace

ColumnMap::ColumnMap(std::span<const std::string> headerCells, std::span<const ListColumn> columns,
                     const Language& language, bool contactLiterals) {
    // The headings to match, repeatable ones several times; each remembers its column.
    std::vector<std::string> headings;
    std::vector<std::size_t> columnOf;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const std::size_t repetitions = columns[c].repeatable ? kMemberRepetitions : 1;
        for (std::size_t r = 0; r < repetitions; ++r) {
            headings.push_back(language.text(columns[c].heading));
            columnOf.push_back(c);
        }
    }
    const std::vector<int> codes = HeaderToColumnCodes(headerCells, headings, contactLiterals);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        // Contact lists have no repeatable columns, so the codes of the literal English contact
        // headings (1 to 7) are positions in `columns` as well.
        if (codes[i] == UnknownColumn || static_cast<std::size_t>(codes[i]) >= columnOf.size())
            continue;
        const std::size_t column = columnOf[static_cast<std::size_t>(codes[i])];
        const ListColumn& match = columns[column];
        auto& cells = m_cellsOf[index(match.field)];
        // A column that is not repeatable is read from its first cell only.
        if (!cells.empty() && !match.repeatable)
            continue;
        cells.push_back(i);
        if (m_headingOf[index(match.field)].empty())
            m_headingOf[index(match.field)] = headerCells[i];
        if (column > 0)
            m_recognised = true;
    }
}

const std::string* ListRow::cell(ListField field) const {
    const auto positions = m_map.cellsOf(field);
    if (positions.empty() || positions.front() >= m_cells.size())
        return nullptr;
    return &m_cells[positions.front()];
}

std::vector<std::string_view> ListRow::cells(ListField field) const {
    std::vector<std::string_view> result;
    for (const std::size_t position : m_map.cellsOf(field)) {
        if (position < m_cells.size())
            result.push_back(m_cells[position]);
    }
    return result;
}

std::string ListRow::origin(ListField field) const {
    return std::string(m_place) + ", column \"" + m_map.heading(field) + "\"";
}

Error ListRow::fail(ListField field, std::string_view why) const {
    return Error::literal(origin(field) + ": " + std::string(why));
}

} // namespace r605

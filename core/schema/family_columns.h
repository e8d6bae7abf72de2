#pragma once
// The columns of every family, behind one interface that knows nothing of record types: the grids
// of the window, the list files and the editors show and read cells through it.

#include "base/result.h"
#include "schema/column.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace r605 {

struct Codeplug;

class FamilyColumns {
public:
    virtual ~FamilyColumns() = default;

    virtual Family family() const = 0;
    virtual std::span<const ColumnInfo> columns() const = 0;
    std::optional<std::size_t> columnNamed(std::string_view name) const;

    // Records of the family's table, and whether a record is in use by the family's rule.
    virtual std::size_t size() const = 0;
    virtual bool inUse(const Codeplug& codeplug, std::size_t entry) const = 0;

    // The text of a cell. Records not in use give their values all the same; the grids show
    // their rows empty.
    virtual std::string format(const Codeplug& codeplug, std::size_t entry, std::size_t column,
                               const ColumnContext& context) const = 0;

    // Reads a cell's text into the record at `entry`, checked as the editors check it; a
    // reference is looked up by name among the in-use records of its family. The record changes
    // only when the text is accepted; a refusal names the place.
    virtual Status parse(Codeplug& codeplug, std::size_t entry, std::size_t column,
                         std::string_view text, const ColumnContext& context) const = 0;
};

// The columns of a family; families without columns (the raw areas, views) give nothing.
const FamilyColumns* columnsOf(Family family);

} // namespace r605

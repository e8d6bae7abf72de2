#pragma once
// Splitting one line of a list file into its cells, the way the radio software has always read
// its own files and the CSV that spreadsheets write: double quotes group a cell, a doubled quote
// inside a quoted cell stands for one quote, a comma inside quotes belongs to the cell.

#include "base/result.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

// No list has more columns than this; a line with more is damaged.
inline constexpr std::size_t MaxListCells = 100;

// Splits `line` into `cells` (the vector is reused to spare allocations on long files). The
// quotes of a cell are counted: a quote is dropped, except that the third, fifth, ... quote of
// a cell (the second of each doubled pair inside a quoted cell) is kept as one quote; a comma
// ends the cell when the count is even and is kept when it is odd. A line of more than
// MaxListCells cells gives the error "Data Error," followed by the line.
Status SplitCells(std::string_view line, std::vector<std::string>& cells);
Result<std::vector<std::string>> SplitCells(std::string_view line);

} // namespace r605

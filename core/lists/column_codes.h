#pragma once
// The header row of a list file names its columns. The import turns each header cell into a
// column code, the position of the heading it matches in the list type's heading texts, so that
// columns may stand in any order and columns it does not know are ignored.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

inline constexpr int UnknownColumn = -1;

// The headings as a header row writes them. When a text occurs again in the same list (the
// repeated member columns), each repetition carries one more trailing blank than the one before,
// so every column keeps a heading of its own.
std::vector<std::string> DistinctHeadings(std::span<const std::string> headings);

// The English headings that contact files from other sources carry; whatever the interface
// language, "Radio ID" ... "Remarks" are the contact columns 1 to 7.
std::span<const std::string_view> ContactLiteralHeadings();

// The column code of every header cell: the position in `headings` of the heading it names,
// UnknownColumn for none. A cell matches a heading written as DistinctHeadings writes it; a cell
// whose blanks at either end were changed (by hand or by a spreadsheet) still matches the
// heading with the same text, repetitions taken in order. Empty headings (a text missing from the
// language file) match nothing. With `contactLiterals` the literal English contact headings are
// recognised too.
std::vector<int> HeaderToColumnCodes(std::span<const std::string> headerCells,
                                     std::span<const std::string> headings, bool contactLiterals);

// A header is recognised when at least one cell names a column other than column 0 (the record
// number, which alone says nothing about the file's content).
bool IsRecognisedHeader(std::span<const int> columnCodes);

} // namespace r605

#pragma once
// Writing list files. Every cell is enclosed in double quotes, so that a comma or a quote in a
// name survives a spreadsheet and SplitCells reads the cell back as it was written.

#include "base/result.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace r605 {

// A cell in double quotes, quotes inside doubled. A line end inside a cell would split the row
// for every reader of the file, so CR and LF are written as blanks.
std::string QuoteCell(std::string_view cell);

// Builds a list file in memory and saves it in one atomic write: an export that fails half way
// leaves the previous file as it was.
class CsvWriter {
public:
    // The file starts with a UTF-8 byte-order mark: spreadsheets on Chinese systems read a CSV
    // without one in the 8-bit code page and garble every Chinese name.
    CsvWriter();

    // One row of quoted cells, separated by commas, no comma after the last one unless asked
    // for (the downloaded-contact form ends every cell with a comma).
    void writeRow(std::span<const std::string> cells, bool commaAfterLast = false);
    // One row written as it stands (the list-of-lists file writes its numbers unquoted).
    void writeRawLine(std::string_view line);

    const std::string& text() const { return m_text; }
    Status save(const std::filesystem::path& path) const;

private:
    std::string m_text;
};

} // namespace r605

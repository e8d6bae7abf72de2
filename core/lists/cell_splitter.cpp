#include "lists/cell_splitter.h"

#include "text/codepage.h"

namespace r605 {

namespace {

// The message echoes the damaged line; a runaway line of megabytes is cut for the reader.
constexpr std::size_t kEchoedCharacters = 200;

Error dataError(std::string_view line) {
    const std::string_view shown = utf8Prefix(line, kEchoedCharacters);
    std::string text = "Data Error,";
    text += shown;
    if (shown.size() < line.size())
        text += "...";
    return Error::literal(std::move(text));
}

} // namespace

Status SplitCells(std::string_view line, std::vector<std::string>& cells) {
    std::size_t count = 0; // cells stored so far; the vector's strings are reused
    std::size_t quotes = 0;
    const auto cellAt = [&](std::size_t index) -> std::string& {
        if (index == cells.size())
            cells.emplace_back();
        cells[index].clear();
        return cells[index];
    };
    std::string* cell = &cellAt(0);
    for (const char c : line) {
        if (c == '"') {
            ++quotes;
            if (quotes >= 3 && quotes % 2 == 1)
                cell->push_back('"');
            continue;
        }
        if (c == ',' && quotes % 2 == 0) {
            ++count;
            if (count == MaxListCells) {
                cells.resize(count);
                return dataError(line);
            }
            cell = &cellAt(count);
            quotes = 0;
            continue;
        }
        cell->push_back(c);
    }
    cells.resize(count + 1);
    return Status::success();
}

Result<std::vector<std::string>> SplitCells(std::string_view line) {
    std::vector<std::string> cells;
    if (Status status = SplitCells(line, cells); !status)
        return status.error();
    return cells;
}

} // namespace r605

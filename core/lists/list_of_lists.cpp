#include "lists/list_of_lists.h"

#include "base/file_io.h"
#include "base/numbers.h"
#include "lists/cell_splitter.h"
#include "lists/csv_writer.h"

#include <cstdint>

namespace r605 {

namespace {

constexpr int kLastListType = 15;

Error entryError(const ListText& text, std::size_t index, std::string_view what) {
    return Error::literal(text.where(index) + ": " + std::string(what));
}

} // namespace

Result<std::vector<ListFileEntry>> ReadListOfLists(const ListText& text) {
    std::vector<ListFileEntry> entries;
    if (text.empty())
        return Error::literal("the list file is empty");
    std::vector<std::string> cells;
    if (Status status = SplitCells(text.line(0), cells); !status)
        return status.error();
    const auto count = parseInteger(cells.front());
    if (!count)
        return entryError(text, 0, "the number of lists is not a number");
    if (*count < 1)
        return entries;
    if (static_cast<std::uint64_t>(*count) > text.size() - 1)
        return Error::literal("the list file names " + std::to_string(*count) +
                              " lists but holds " + std::to_string(text.size() - 1));
    entries.reserve(static_cast<std::size_t>(*count));
    for (std::size_t i = 1; i <= static_cast<std::size_t>(*count); ++i) {
        if (Status status = SplitCells(text.line(i), cells); !status)
            return status.error();
        const auto listType = parseInteger(cells[0]);
        if (!listType || *listType < 0 || *listType > kLastListType)
            return entryError(text, i, "the list type is not a number from 0 to 15");
        if (cells.size() < 2 || trimBlanks(cells[1]).empty())
            return entryError(text, i, "the entry names no file");
        entries.push_back(ListFileEntry{static_cast<int>(*listType), cells[1]});
    }
    return entries;
}

std::string WriteListOfLists(std::span<const ListFileEntry> entries) {
    CsvWriter writer;
    writer.writeRawLine(std::to_string(entries.size()));
    for (const ListFileEntry& entry : entries)
        writer.writeRawLine(std::to_string(entry.listType) + "," + QuoteCell(entry.path));
    return writer.text();
}

std::filesystem::path ResolveListEntryPath(const std::filesystem::path& listFile,
                                           std::string_view entryPath) {
    namespace fs = std::filesystem;
    const fs::path written = pathFromText(entryPath);
    const fs::path folder = listFile.parent_path();
    const fs::path asWritten = written.is_absolute() ? written : folder / written;
    std::error_code ignored;
    if (fs::is_regular_file(asWritten, ignored))
        return asWritten;
    // The file name after the last separator of either system.
    const auto slash = entryPath.find_last_of("\\/");
    const std::string_view name =
        slash == std::string_view::npos ? entryPath : entryPath.substr(slash + 1);
    const fs::path beside = folder / pathFromText(name);
    if (!name.empty() && fs::is_regular_file(beside, ignored))
        return beside;
    return asWritten;
}

} // namespace r605

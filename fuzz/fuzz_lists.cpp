// Fuzz target for the list file readers: the text decoding and line splitting of CSV and
// downloaded contact files, the cell splitter, the header recognition and the list-of-lists
// reader. Besides not crashing, what the readers give must survive the writers unchanged.
#include "lists/cell_splitter.h"
#include "lists/column_codes.h"
#include "lists/csv_writer.h"
#include "lists/list_of_lists.h"
#include "lists/list_text.h"
#include "text/codepage.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace r605;

void check(bool condition) {
    if (!condition)
        std::abort();
}

// Quoting every cell and splitting the line again gives the same cells.
void checkRoundTrip(const std::vector<std::string>& cells) {
    CsvWriter writer;
    writer.writeRow(cells);
    std::string_view line = writer.text();
    line.remove_prefix(3); // byte-order mark
    line.remove_suffix(2); // CR LF
    const auto again = SplitCells(line);
    check(again.ok());
    check(*again == cells);
}

void readLines(const ListText& text) {
    const std::vector<std::string> headings = {"No.", "Name", "Member", "Member", "", "Radio ID"};
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view line = text.line(i);
        check(!line.empty());
        check(line.find_first_of("\r\n") == std::string_view::npos);
        const Status status = SplitCells(line, cells);
        if (!status) {
            check(status.error().text.starts_with("Data Error,"));
            continue;
        }
        check(!cells.empty() && cells.size() <= MaxListCells);
        checkRoundTrip(cells);
        const std::vector<int> codes = HeaderToColumnCodes(cells, headings, i % 2 == 0);
        check(codes.size() == cells.size());
        // Literal contact headings give codes up to 7, whatever the list's headings are.
        for (const int code : codes)
            check(code >= UnknownColumn && code <= 7);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(isValidUtf8(DecodeListBytes(bytes)));

    const ListText csv = ListText::fromBytes(bytes);
    readLines(csv);
    readLines(ListText::fromCgiBytes(bytes));

    const auto entries = ReadListOfLists(csv);
    if (entries.ok()) {
        for (const ListFileEntry& entry : *entries)
            check(entry.listType >= 0 && entry.listType <= 15 && !entry.path.empty());
        if (!entries->empty()) {
            const auto again = ReadListOfLists(ListText::fromBytes(WriteListOfLists(*entries)));
            check(again.ok() && *again == *entries);
        }
    }
    return 0;
}

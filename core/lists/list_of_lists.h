#pragma once
// The list-of-lists file (".LST"): several list files that travel together. Its first line holds
// the number of entries N; each of the next N lines holds a list type number and the path of
// that list's CSV file, comma-separated, the path in double quotes.

#include "base/result.h"
#include "lists/list_text.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace r605 {

struct ListFileEntry {
    int listType = 0;
    std::string path; // as written in the file (UTF-8)
    bool operator==(const ListFileEntry&) const = default;
};

// The entries of a list-of-lists file. N below 1 gives no entries (nothing is imported). A first
// line that is not a number, an entry with a list type outside 0 to 15 or without a path, and a
// file that ends before its N entries are errors naming the line.
Result<std::vector<ListFileEntry>> ReadListOfLists(const ListText& text);

// The text of a list-of-lists file (CR LF line ends, UTF-8 with a byte-order mark).
std::string WriteListOfLists(std::span<const ListFileEntry> entries);

// Where the CSV file of an entry is. Files written on another computer name folders that do not
// exist here (a Windows path such as "D:\lists\Channel.CSV"); when the path as written does not
// lead to a file, the file of the same name beside the list-of-lists file is taken.
std::filesystem::path ResolveListEntryPath(const std::filesystem::path& listFile,
                                           std::string_view entryPath);

} // namespace r605

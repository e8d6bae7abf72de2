#pragma once
// List export: one list of the codeplug into a CSV file, headed by the list's headings in the
// interface language, one row per record in use; and a list-of-lists file with the CSV files
// of several lists beside it.

#include "base/result.h"
#include "lists/list_context.h"
#include "model/codeplug.h"
#include "schema/list_type.h"

#include <filesystem>
#include <span>
#include <string>

namespace r605 {

inline constexpr std::string_view kExportComplete = "Export Complete!";

// The text of a list's file. Fails for a list type whose records this program does not hold.
Result<std::string> ExportListText(const Codeplug& codeplug, ListType type,
                                   const ListContext& context);

// Writes the list's file in one atomic step; a failure gives "ExportToFileError---" + list
// type + "--" + path, followed by the reason, and leaves any earlier file at the path as it was.
Status ExportList(const Codeplug& codeplug, ListType type, const std::filesystem::path& path,
                  const ListContext& context);

// The file name offered for a list: its caption on the forms (text 29110 + list type) with
// "&" removed, and ".CSV".
std::string ListFileName(ListType type, const Language& language);

// Writes the CSV file of every list named into the folder of `listFile` under its offered name,
// then the list-of-lists file naming them.
Status ExportListOfLists(const Codeplug& codeplug, std::span<const ListType> types,
                         const std::filesystem::path& listFile, const ListContext& context);

} // namespace r605

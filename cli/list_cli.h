#pragma once
// What `r605 export` and `r605 import` share: the list context of the program folder and the
// codeplug's band, the list type argument and the progress shown on standard error.

#include "codeplug_file.h"
#include "context.h"
#include "lists/list_context.h"
#include "schema/list_type.h"
#include "model/codeplug.h"

#include <optional>
#include <string>
#include <vector>

namespace r605::cli {

// The list context for a codeplug: the interface language, tool mode (the setup file's
// "SameName" where an edition allows it, as at start-up, or forced by --tool-mode), the band of the
// codeplug's header and the program folder's default channel. An error for a band code outside the
// band table.
Result<ListContext> listContextFor(const Codeplug& codeplug, const Arguments& arguments,
                                   Context& context);

// A list of lists (.LST, in any letter case) rather than one list's CSV file.
bool isListFile(const std::filesystem::path& path);

// The list types of a --list value: one number 0 to 15 or list name ("channels", "contacts",
// ...), or several separated by commas.
std::optional<std::vector<ListType>> parseListTypes(std::string_view text);
// What --list takes, for the usage messages.
std::string listTypeChoices();

// Progress of a long import or export on standard error, in steps of a tenth, for lists of
// more than `threshold` lines.
ListProgress progressPrinter(Context& context, std::string_view what, std::size_t threshold = 2000);

} // namespace r605::cli

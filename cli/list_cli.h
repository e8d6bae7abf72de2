#pragma once
// What `r605 export` and `r605 import` share: the codeplug file given on the command line (.rdt
// or .json, by its extension), the list context of the program folder and the codeplug's band,
// the list type argument and the progress shown on standard error.

#include "context.h"
#include "file/contact_block.h"
#include "lists/list_context.h"
#include "schema/list_type.h"
#include "model/codeplug.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace r605::cli {

struct CodeplugFile {
    Codeplug codeplug;
    ContactTextForm textForm = ContactTextForm::Gbk; // the form a save writes again
};

// A codeplug from an .rdt file or, for any other extension, from JSON.
Result<CodeplugFile> loadCodeplugFile(const std::filesystem::path& path, const Context& context);

// Writes a codeplug as an .rdt file (in `form`) or, for any other extension, as JSON; atomically.
// Gives the warnings of a file written without something the codeplug holds (contacts an .rdt
// file has no room for).
Result<std::vector<Error>> saveCodeplugFile(const std::filesystem::path& path,
                                            const Codeplug& codeplug, ContactTextForm form);

// The list context for a codeplug: the interface language, tool mode (the setup file's
// "SameName" where an edition allows it, as at start-up, or forced by --tool-mode), the band of the
// codeplug's header and the program folder's default channel. An error for a band code outside the
// band table.
Result<ListContext> listContextFor(const Codeplug& codeplug, const Arguments& arguments,
                                   Context& context);

// A list of lists (.LST, in any letter case) rather than one list's CSV file.
bool isListFile(const std::filesystem::path& path);

// The list types of a --list value: one number 0 to 15, or several separated by commas.
std::optional<std::vector<ListType>> parseListTypes(std::string_view text);

// Progress of a long import or export on standard error, in steps of a tenth, for lists of
// more than `threshold` lines.
ListProgress progressPrinter(Context& context, std::string_view what, std::size_t threshold = 2000);

} // namespace r605::cli

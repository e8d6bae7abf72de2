#pragma once
// The codeplug file a command reads or writes: loaded by what its first bytes say it is (.rdt or
// JSON) and saved in the form its name's extension asks for, as the window does.

#include "context.h"
#include "file/contact_block.h"
#include "model/codeplug.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace r605::cli {

struct CodeplugFile {
    Codeplug codeplug;
    ContactTextForm textForm = ContactTextForm::Gbk; // the form a save writes again
};

// Loads a codeplug and prints what the load repaired or kept with a word ("r605 COMMAND: ...").
// The text form is the file's own; a JSON file naming none takes the edition's.
Result<CodeplugFile> loadCodeplugFile(const std::filesystem::path& path, const Context& context,
                                      std::string_view command);

// Saves atomically. Gives the warnings of a file written without something the codeplug holds
// (contacts an .rdt file has no room for), for Context::reportSaved.
Result<std::vector<Error>> saveCodeplugFile(const std::filesystem::path& path,
                                            const Codeplug& codeplug, ContactTextForm form);

// The band code of --band, checked against the band table; 0 (the first band) without it.
Result<int> bandOption(const Arguments& arguments);

} // namespace r605::cli

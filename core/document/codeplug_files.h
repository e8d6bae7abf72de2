#pragma once
// Codeplug files of either form: the radio software's ".rdt" file and the JSON form. A file is
// loaded by what its first bytes say it is, and saved in the form its name's extension asks for,
// so every command and the window read and write codeplugs in one way.

#include "base/result.h"
#include "file/contact_block.h"
#include "model/codeplug.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace r605 {

class ProgramFolders;

enum class CodeplugFileForm { Rdt, Json };

// The text form of saved files: "English" (7-bit contact texts) for the edition "Soft_English",
// else "GBK".
ContactTextForm TextFormForEdition(std::string_view editionCode);

struct LoadedCodeplug {
    Codeplug codeplug;
    CodeplugFileForm form = CodeplugFileForm::Rdt;
    // The contact text form the file names (an .rdt file's tag, a JSON file's "languageTag");
    // none when a JSON file names none.
    std::optional<ContactTextForm> textForm;
    // What the user is shown although the file was read: repairs, a contact block ending early,
    // values outside the editors' ranges.
    std::vector<Error> warnings;
};

// The form a file's first bytes show: JSON when the first character after blanks (and a UTF-8
// byte order mark) is "{", else the .rdt form, whose own checks refuse anything else.
CodeplugFileForm FormOfContent(std::string_view firstBytes);
// The form a file name asks for: ".json" (any case) is JSON, anything else .rdt.
CodeplugFileForm FormOfName(const std::filesystem::path& fileName);

// Reads a codeplug file. A refusal names the file and the fault (message 99126 when the file
// cannot be read at all).
Result<LoadedCodeplug> LoadCodeplug(const std::filesystem::path& fileName);

struct SavedCodeplug {
    // What the save could not keep (contacts an .rdt file has no room for), then "Save File OK".
    std::vector<Error> messages;
    // Contact entries the file does not hold.
    std::vector<std::size_t> contactsLeftOut;
};

// Writes a codeplug atomically in the form of the file's name; the contact text form applies
// to .rdt files (a JSON file records it as its "languageTag"). The model family and data version
// written are always this program's. A failure (message 99129) leaves the old file as it was.
Result<SavedCodeplug> SaveCodeplug(const std::filesystem::path& fileName, const Codeplug& codeplug,
                                   ContactTextForm textForm);

} // namespace r605

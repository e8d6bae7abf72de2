#pragma once
// CountryData.ini names the edition a distributor shipped: "Soft_English" (English interface on
// a Simplified Chinese system, tool mode offered) or "Soft_TChina" (Traditional Chinese). Any
// other content, or no file, is no edition: the interface follows the system locale and the
// language menu is offered instead of tool mode.

#include <string>
#include <string_view>

namespace r605 {

class ProgramFolders;

inline constexpr std::string_view kEditionFile = "CountryData.ini";

struct Edition {
    bool NoEdition = true;
    std::string EditionCode; // the file's first field, "" when there is none
};

// The first field of the file: leading blanks skipped; a quoted field runs to its closing quote
// (commas inside kept), otherwise to the first comma or line end; then TrimAtNull.
std::string firstInputField(std::string_view content);

// A missing or unreadable file gives no edition.
Edition ReadEditionFile(const ProgramFolders& folders);
bool isKnownEdition(std::string_view editionCode);

} // namespace r605

#include "settings/edition_file.h"

#include "base/file_io.h"
#include "settings/program_folders.h"
#include "text/trim.h"

namespace r605 {

namespace {

// Only the first field matters; a long file is not read further than this.
constexpr std::size_t kReadLimit = 4096;

} // namespace

std::string firstInputField(std::string_view content) {
    if (content.substr(0, 3) == "\xEF\xBB\xBF") // saved by an editor that marks UTF-8
        content.remove_prefix(3);
    while (!content.empty() && (content.front() == ' ' || content.front() == '\t'))
        content.remove_prefix(1);
    if (!content.empty() && content.front() == '"') {
        content.remove_prefix(1);
        return TrimAtNull(content.substr(0, content.find('"')));
    }
    return TrimAtNull(content.substr(0, content.find_first_of(",\r\n")));
}

bool isKnownEdition(std::string_view editionCode) {
    return editionCode == "Soft_English" || editionCode == "Soft_TChina";
}

Edition ReadEditionFile(const ProgramFolders& folders) {
    Edition edition;
    const auto path = folders.readPath(kEditionFile);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return edition;
    const auto content = readFilePrefix(path, kReadLimit);
    if (!content)
        return edition;
    edition.EditionCode = firstInputField(*content);
    edition.NoEdition = !isKnownEdition(edition.EditionCode);
    return edition;
}

} // namespace r605

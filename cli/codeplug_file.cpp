#include "codeplug_file.h"

#include "base/numbers.h"
#include "document/codeplug_files.h"
#include "rules/band.h"
#include "settings/edition_file.h"
#include "settings/program_folders.h"

#include <ostream>

namespace r605::cli {

Result<CodeplugFile> loadCodeplugFile(const std::filesystem::path& path, const Context& context,
                                      std::string_view command) {
    auto loaded = LoadCodeplug(path);
    if (!loaded)
        return loaded.error();
    for (const Error& warning : loaded->warnings)
        context.err << "r605 " << command << ": warning: " << context.language.describe(warning)
                    << "\n";
    CodeplugFile file;
    file.codeplug = std::move(loaded->codeplug);
    file.textForm = loaded->textForm.value_or(TextFormForEdition(
        ReadEditionFile(ProgramFolders::locate(context.programFolder)).EditionCode));
    return file;
}

Result<std::vector<Error>> saveCodeplugFile(const std::filesystem::path& path,
                                            const Codeplug& codeplug, ContactTextForm form) {
    auto saved = SaveCodeplug(path, codeplug, form);
    if (!saved)
        return saved.error();
    std::vector<Error> warnings = std::move(saved->messages);
    warnings.pop_back(); // "Save File OK"; the messages before it are what the file left out
    return warnings;
}

Result<int> bandOption(const Arguments& arguments) {
    const auto text = arguments.value("--band");
    if (!text)
        return 0;
    const auto code = parseInteger(*text);
    if (!code || !isKnownBandCode(static_cast<int>(*code)))
        return Error::literal("no band has the code " + *text);
    return static_cast<int>(*code);
}

} // namespace r605::cli

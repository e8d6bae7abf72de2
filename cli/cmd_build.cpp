// `r605 build IN.json -o OUT.rdt`: a codeplug file from JSON, every value checked: one its field
// cannot store is refused, one outside the editors' ranges kept with a warning. The file's text
// form is the JSON's "languageTag", else the edition's.
#include "base/file_io.h"
#include "commands.h"
#include "document/codeplug_files.h"
#include "file/rdt_format.h"
#include "settings/edition_file.h"
#include "settings/program_folders.h"
#include "json/codeplug_json.h"

#include <filesystem>
#include <ostream>
#include <vector>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage = "build IN.json -o OUT.rdt";
constexpr std::size_t kMaxJsonBytes = 256u * 1024 * 1024;

int runBuild(const Arguments& arguments, Context& context) {
    const auto output = arguments.value("-o");
    if (arguments.positional.size() != 1 || !output) {
        context.err << "usage: r605 " << kUsage << "\n";
        return Usage;
    }
    const std::filesystem::path input = arguments.positional[0];
    const auto text = readFileBytes(input, kMaxJsonBytes);
    if (!text) {
        context.fail(text.error());
        return Failure;
    }
    std::string tag;
    std::vector<Error> warnings;
    auto codeplug = CodeplugFromJson(*text, &tag, &warnings);
    if (!codeplug) {
        Error error = codeplug.error();
        error.text = input.string() + ": " + error.text;
        context.fail(error);
        return Failure;
    }
    // Values a radio or a file held outside the editors' ranges are kept, with a word.
    for (const Error& warning : warnings)
        context.err << "r605 build: warning: " << context.language.describe(warning) << "\n";
    // As every save: the model family and data version of this program.
    codeplug->Header.ModelFamily = std::string(kModelFamily);
    codeplug->Header.DataVersion = std::string(kCurrentDataVersion);

    ContactTextForm form = ContactTextForm::Gbk;
    if (tag.empty())
        form = TextFormForEdition(
            ReadEditionFile(ProgramFolders::locate(context.programFolder)).EditionCode);
    else if (tag == "English")
        form = ContactTextForm::SevenBit;
    const EncodedCodeplugFile encoded = EncodeCodeplugFile(*codeplug, form);
    if (const Status saved = writeFileAtomically(*output, encoded.bytes); !saved) {
        context.fail(Error::keyed(99129, saved.error().text));
        return Failure;
    }
    return context.reportSaved(encoded.warnings);
}

} // namespace

Command buildCommand() {
    return Command{"build", kUsage, "make a codeplug file from JSON", OptionSpec{{"-o"}, {}},
                   runBuild};
}

} // namespace r605::cli

// `r605 build IN.json -o OUT.rdt`: a codeplug file from JSON, every value checked: one its field
// cannot store is refused, one outside the editors' ranges kept with a warning. The file's text
// form is the JSON's "languageTag", else the edition's.
#include "codeplug_file.h"
#include "commands.h"

#include <filesystem>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage = "build IN.json -o OUT.rdt";

int runBuild(const Arguments& arguments, Context& context) {
    const auto output = arguments.value("-o");
    if (arguments.positional.size() != 1 || !output) {
        context.err << "usage: r605 " << kUsage << "\n";
        return Usage;
    }
    // Values a radio or a file held outside the editors' ranges are kept, with a word.
    const auto file = loadCodeplugFile(arguments.positional[0], context, "build");
    if (!file) {
        context.fail(file.error());
        return Failure;
    }
    const auto warnings = saveCodeplugFile(*output, file->codeplug, file->textForm);
    if (!warnings) {
        context.fail(warnings.error());
        return Failure;
    }
    return context.reportSaved(*warnings);
}

} // namespace

Command buildCommand() {
    return Command{"build", kUsage, "make a codeplug file from JSON", OptionSpec{{"-o"}, {}},
                   runBuild};
}

} // namespace r605::cli
